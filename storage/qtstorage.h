// The save and read helpers for Qt callers: QString paths, the reason as
// text, and a QIODevice for the writers that need one (QPdfWriter,
// QImageWriter, QSvgGenerator).
#pragma once

#include "storage/readfile.h"
#include "storage/savefile.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace vt::storage {

std::string NativePath(const QString& path);
// The reason of a failure as a user reads it: "No space left on device".
QString ReasonText(const Failure& failure);

std::optional<Failure> SaveBytes(const QString& path, const QByteArray& bytes);
// The same for a caller that shows the reason: false with it in `reason`.
bool Save(const QString& path, const QByteArray& bytes, QString* reason);
std::optional<ReadProblem> ReadBytes(const QString& path, Accept accept, std::uint64_t limit,
                                     QByteArray& out);

// A save as a write-only QIODevice: open, write, then commit() or close()
// (which abandons a save not committed, as destroying the device does).
class SaveDevice : public QIODevice {
public:
    explicit SaveDevice(const QString& path);
    ~SaveDevice() override;

    bool open(OpenMode mode) override;
    void close() override;
    bool isSequential() const override { return true; }
    bool commit();
    const std::optional<Failure>& failure() const { return file_.failure(); }
    bool direct() const { return file_.direct(); }

protected:
    qint64 readData(char* data, qint64 size) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    SaveFile file_;
};

} // namespace vt::storage
