// Finding and starting the platform's system-information program, as the
// about box does. The registry and the two process operations are behind an
// interface so that the whole search can run against a fake.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace vt::sysinfo {

using KeyHandle = std::uintptr_t;
using Status = long;

// Root keys and codes as the registry API defines them.
inline constexpr KeyHandle kLocalMachine = 0x80000002u;
inline constexpr std::uint32_t kKeyAccess = 0x2003F; // query, set, create, enumerate, notify,
                                                     // create link, read control
inline constexpr Status kSuccess = 0;
inline constexpr Status kFileNotFound = 2;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr int kValueBufferSize = 1024;

class Registry {
public:
    virtual ~Registry() = default;
    // Opens `subKey` under `root`; on success stores the handle in `key`.
    virtual Status openKey(KeyHandle root, const QByteArray& subKey, std::uint32_t access,
                           KeyHandle* key) = 0;
    // Copies the value's bytes into `data` (capacity `*size` bytes), sets its
    // type and the number of bytes written. Fails when the value is absent or
    // does not fit.
    virtual Status queryValue(KeyHandle key, const QByteArray& name, std::uint32_t* type,
                              char* data, std::uint32_t* size) = 0;
    virtual Status closeKey(KeyHandle key) = 0;
};

// What the search needs of the system besides the registry.
class System {
public:
    virtual ~System() = default;
    virtual Registry& registry() = 0;
    virtual bool fileExists(const QString& path) = 0;
    // Starts the program in a normal window with the focus, without waiting
    // for it; false when it could not be started.
    virtual bool startDetached(const QString& program) = 0;
};

// The system this program runs on. Off Windows there is no registry: every
// key is absent, so the search ends in the "unavailable" message.
System& RealSystem();

// Reads one value. Returns true when the query succeeded (whatever its type);
// `keyVal` then holds the text of a string value and is left as passed in for
// any other type. On failure `keyVal` is emptied. An opened key is always
// closed again.
bool GetKeyValue(Registry& registry, KeyHandle keyRoot, const QString& keyName,
                 const QString& subKeyRef, QString& keyVal);

inline const QString kUnavailable =
    QStringLiteral("System Information Is Unavailable At This Time");

// Finds the system-information program and starts it; shows kUnavailable
// (titled with the application's title) when it cannot.
void StartSysInfo(System& system);

} // namespace vt::sysinfo
