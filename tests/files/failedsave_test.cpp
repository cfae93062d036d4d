// Saves onto a real read-only folder and a really full disk, both small
// tmpfs mounts of the test's own. Mounting needs root: without it the
// read-only folder is made by its permissions and the full disk is skipped
// (the write-error seam covers it in evaluationactions_test.cpp).
#include "tests/files/evaluationfilestest.h"
#include "tests/support/tmpfs.h"

#include <QDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace vt::test {
namespace {

class FailedSaveTest : public EvaluationFilesTest {
protected:
    // A whole evaluation saved as `file` and changed on the screen since:
    // the bytes of the saved file.
    QByteArray savedThenChanged(const QString& file) {
        screen = startAfresh("frmTributary");
        RunFullEvaluation(screen, QStringLiteral("5"));
        save(screen, file);
        const QByteArray old = ReadBytes(file);
        EXPECT_FALSE(old.isEmpty());
        Type(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("2"));
        messages.shown.clear();
        return old;
    }

    CalculationScreen* screen = nullptr;
};

TEST_F(FailedSaveTest, ASaveIntoAReadOnlyFolderSaysSoAndLosesNothing) {
    const QString folder = path("read-only");
    Tmpfs tmpfs(folder, "1m");
    if (geteuid() == 0 && !tmpfs.mounted())
        GTEST_SKIP() << "root, but no tmpfs can be mounted here";
    const QString file = QDir(folder).filePath(QStringLiteral("kept.vte"));
    const QByteArray old = savedThenChanged(file);
    if (geteuid() == 0)
        ASSERT_TRUE(tmpfs.makeReadOnly());
    else
        ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    save(screen, file);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.last().text.startsWith(QStringLiteral("The evaluation cannot be saved")))
        << messages.last().text.toStdString();
    EXPECT_EQ(ReadBytes(file), old);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("kept.vte")});
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(FailedSaveTest, ASaveOntoAFullDiskSaysSoAndLosesNothing) {
    if (geteuid() != 0)
        GTEST_SKIP() << "a full disk is mounted for root only";
    const QString folder = path("full");
    Tmpfs tmpfs(folder, "64k");
    if (!tmpfs.mounted())
        GTEST_SKIP() << "no tmpfs can be mounted here";
    const QString file = QDir(folder).filePath(QStringLiteral("kept.vte"));
    const QByteArray old = savedThenChanged(file);
    Fill(folder);
    save(screen, file);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("the disk may be full")))
        << messages.last().text.toStdString();
    EXPECT_EQ(ReadBytes(file), old);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files),
              (QStringList{QStringLiteral("filler"), QStringLiteral("kept.vte")}));
}

} // namespace
} // namespace vt::test
