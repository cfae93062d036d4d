// Small file systems of a test's own: a tmpfs mounted for the life of an
// object (root only), and a helper that fills one to the last byte, for
// saves onto a read-only folder or a full disk.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>
#include <sys/mount.h>

namespace vt::test {

// A tmpfs of `size` at `folder` for the life of the object.
class Tmpfs {
public:
    Tmpfs(const QString& folder, const char* size)
        : folder_(QFile::encodeName(folder)) {
        QDir().mkpath(folder);
        const QByteArray options = QByteArray("size=") + size;
        mounted_ = ::mount("tmpfs", folder_.constData(), "tmpfs", 0, options.constData()) == 0;
    }
    ~Tmpfs() {
        if (mounted_)
            ::umount2(folder_.constData(), MNT_DETACH);
    }
    Tmpfs(const Tmpfs&) = delete;
    Tmpfs& operator=(const Tmpfs&) = delete;

    bool mounted() const { return mounted_; }
    bool makeReadOnly() {
        return ::mount("tmpfs", folder_.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    QByteArray folder_;
    bool mounted_ = false;
};

// Fills the file system of `folder` to the last byte.
inline void Fill(const QString& folder) {
    QFile filler(QDir(folder).filePath(QStringLiteral("filler")));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size()) {
    }
    for (int i = 0; i < 4096 && filler.write("x", 1) == 1; ++i) {
    }
}

} // namespace vt::test
