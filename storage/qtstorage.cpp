#include "storage/qtstorage.h"

#include <QFile>

namespace vt::storage {

std::string NativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString ReasonText(const Failure& failure) {
    return QString::fromLocal8Bit(failure.reason);
}

std::optional<Failure> SaveBytes(const QString& path, const QByteArray& bytes) {
    return SaveBytes(NativePath(path),
                     std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

bool Save(const QString& path, const QByteArray& bytes, QString* reason) {
    const auto failure = SaveBytes(path, bytes);
    if (failure && reason)
        *reason = ReasonText(*failure);
    return !failure;
}

std::optional<ReadProblem> ReadBytes(const QString& path, Accept accept, std::uint64_t limit,
                                     QByteArray& out) {
    return ReadWhole(NativePath(path), accept, limit, out);
}

SaveDevice::SaveDevice(const QString& path)
    : file_(NativePath(path)) {}

SaveDevice::~SaveDevice() {
    file_.abandon();
}

bool SaveDevice::open(OpenMode mode) {
    if ((mode & ReadOnly) || !(mode & WriteOnly) || isOpen() || !file_.open())
        return false;
    return QIODevice::open(mode | Unbuffered);
}

void SaveDevice::close() {
    file_.abandon();
    QIODevice::close();
}

bool SaveDevice::commit() {
    const bool committed = isOpen() && file_.commit();
    QIODevice::close();
    return committed;
}

qint64 SaveDevice::readData(char*, qint64) {
    return -1;
}

qint64 SaveDevice::writeData(const char* data, qint64 size) {
    if (!file_.write(std::string_view(data, static_cast<std::size_t>(size)))) {
        setErrorString(ReasonText(*file_.failure()));
        return -1;
    }
    return size;
}

} // namespace vt::storage
