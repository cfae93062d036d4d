#include "app/sysinfo.h"

#include "app/messages.h"

#include <QFile>
#include <QProcess>
#include <vector>

namespace vt::sysinfo {

namespace {

const QString kInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kInfoValue = QStringLiteral("PATH");
const QString kLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString kLocationValue = QStringLiteral("MSINFO");
const QString kProgramFile = QStringLiteral("\\MSINFO32.EXE");

// No registry on this platform: every key is absent.
class NoRegistry final : public Registry {
public:
    Status openKey(KeyHandle, const QByteArray&, std::uint32_t, KeyHandle*) override {
        return kFileNotFound;
    }
    Status queryValue(KeyHandle, const QByteArray&, std::uint32_t*, char*,
                      std::uint32_t*) override {
        return kFileNotFound;
    }
    Status closeKey(KeyHandle) override { return kSuccess; }
};

class PlatformSystem final : public System {
public:
    Registry& registry() override { return registry_; }
    bool fileExists(const QString& path) override { return QFile::exists(path); }
    bool startDetached(const QString& program) override {
        if (program.isEmpty())
            return false;
        return QProcess::startDetached(program, {});
    }

private:
    NoRegistry registry_;
};

// Closes the key when the reading leaves, on every path.
class OpenKey {
public:
    OpenKey(Registry& registry, KeyHandle key)
        : registry_(registry)
        , key_(key) {}
    ~OpenKey() { registry_.closeKey(key_); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

private:
    Registry& registry_;
    KeyHandle key_;
};

} // namespace

System& RealSystem() {
    static PlatformSystem system;
    return system;
}

bool GetKeyValue(Registry& registry, KeyHandle keyRoot, const QString& keyName,
                 const QString& subKeyRef, QString& keyVal) {
    KeyHandle key = 0;
    if (registry.openKey(keyRoot, keyName.toLocal8Bit(), kKeyAccess, &key) != kSuccess) {
        keyVal.clear();
        return false;
    }
    OpenKey guard(registry, key);

    std::vector<char> buffer(kValueBufferSize, '\0');
    std::uint32_t size = kValueBufferSize;
    std::uint32_t type = 0;
    if (registry.queryValue(key, subKeyRef.toLocal8Bit(), &type, buffer.data(), &size) !=
        kSuccess) {
        keyVal.clear();
        return false;
    }
    // The text ends at the first NUL; a value filling the whole buffer has none.
    qsizetype length = 0;
    while (length < kValueBufferSize && buffer[static_cast<std::size_t>(length)] != '\0')
        ++length;
    if (type == kRegSz)
        keyVal = QString::fromLocal8Bit(buffer.data(), length);
    return true;
}

void StartSysInfo(System& system) {
    QString program;
    bool found = GetKeyValue(system.registry(), kLocalMachine, kInfoKey, kInfoValue, program);
    if (!found) {
        QString directory;
        if (GetKeyValue(system.registry(), kLocalMachine, kLocationKey, kLocationValue,
                        directory)) {
            const QString candidate = directory + kProgramFile;
            if (system.fileExists(candidate)) {
                program = candidate;
                found = true;
            }
        }
    }
    if (found && !program.isEmpty() && system.startDetached(program))
        return;
    ShowMessage(kUnavailable);
}

} // namespace vt::sysinfo
