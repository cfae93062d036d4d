// Where the default modelling-results file is looked for: only in the
// program's installed data folder, never in the working directory or the
// source tree.
#include "app/frmsplash.h"
#include "app/programstate.h"
#include "app/shellwindows.h"
#include "results/core/modellingfile.h"
#include "tests/support/modellingtables.h"
#include "tests/support/programtest.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vt::test {
namespace {

TEST(InstalledDataFolder, IsTheShareFolderOneLevelAboveTheProgram) {
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin", "/usr/share/vandrel-tessaron"},
        {"/usr/local/bin", "/usr/local/share/vandrel-tessaron"},
        {"/opt/vandrel-tessaron/bin", "/opt/vandrel-tessaron/share/vandrel-tessaron"},
        // A build tree, wherever the program's own folder is.
        {"/home/user/build/app", "/home/user/build/share/vandrel-tessaron"},
        {"/home/user/build/main/", "/home/user/build/share/vandrel-tessaron"},
        {"/tmp/a b/bin", "/tmp/a b/share/vandrel-tessaron"},
        {"/bin", "/share/vandrel-tessaron"},
    };
    for (const auto& [program, data] : cases)
        EXPECT_EQ(InstalledDataFolder(QString::fromLatin1(program)).toStdString(), data) << program;
}

TEST(DefaultModellingResultsPath, IsInTheDataFolderBesideThisProgram) {
    ASSERT_TRUE(State().DataFolder.isEmpty());
    const QString path = DefaultModellingResultsPath();
    EXPECT_TRUE(QFileInfo(path).isAbsolute()) << path.toStdString();
    EXPECT_EQ(path, InstalledDataFolder(QCoreApplication::applicationDirPath()) +
                        QStringLiteral("/RazuziRurida - Do not delete.int"));
}

TEST(DefaultModellingResultsPath, FollowsTheDataFolderOfTheProgramState) {
    State().DataFolder = QStringLiteral("/some/where/");
    const QString path = DefaultModellingResultsPath();
    State().DataFolder.clear();
    EXPECT_EQ(path, QStringLiteral("/some/where/RazuziRurida - Do not delete.int"));
}

TEST(DefaultModellingResultsPath, PrefersTheInstalledCopy) {
    QDir prefix(QCoreApplication::applicationDirPath() + QStringLiteral("/.."));
    const QString dataDir = QStringLiteral("share/vandrel-tessaron");
    const bool madeShare = !prefix.exists(QStringLiteral("share"));
    ASSERT_TRUE(prefix.mkpath(dataDir));
    const QString installed =
        QDir::cleanPath(prefix.filePath(dataDir + u'/' + kDefaultResultsFileName));
    ASSERT_FALSE(QFile::exists(installed)) << "left over from an earlier run";
    {
        QFile file(installed);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("1\t0\r\n");
    }
    const QString path = DefaultModellingResultsPath();
    QFile::remove(installed);
    prefix.rmpath(dataDir);
    if (madeShare)
        prefix.rmdir(QStringLiteral("share"));
    EXPECT_EQ(QDir::cleanPath(path), installed);
}

// The program in the build tree finds the copy that the build placed for it,
// as an installed program finds the installed one.
TEST(DefaultModellingResultsPath, TheBuiltProgramFindsTheBuildsCopy) {
    const QString beside = InstalledDataFolder(QStringLiteral(VT_PROGRAM_DIR));
    EXPECT_EQ(QDir::cleanPath(beside), QDir::cleanPath(QStringLiteral(VT_BUILD_DATA_DIR)));
    results::ModellingResults record;
    ASSERT_TRUE(results::ReadModellingText(
        record, QFile::encodeName(beside + u'/' + kDefaultResultsFileName).toStdString()));
    EXPECT_TRUE(results::ParseModellingResults(record));
    EXPECT_EQ(record.FieldCount, 16);
}

// A file of the default name (or of the literal Windows path, which is a plain
// file name here) in the working directory is never used.
class WorkingDirectoryTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(folder.isValid());
        saved = QDir::currentPath();
        for (const QString& name : {kDefaultResultsFileName, QStringLiteral("c:\\Program Files\\") +
                                                                 kDefaultResultsFileName}) {
            QFile file(folder.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(kWidths5And7.data(), static_cast<qint64>(kWidths5And7.size()));
        }
        ASSERT_TRUE(QDir::setCurrent(folder.path()));
    }
    void TearDown() override {
        QDir::setCurrent(saved);
        ProgramTest::TearDown();
    }
    QTemporaryDir folder;
    QString saved;
};

TEST_F(WorkingDirectoryTest, AFileOfTheDefaultNameThereIsNotUsed) {
    State().DataFolder.clear(); // the program's own rule
    const QString path = DefaultModellingResultsPath();
    EXPECT_TRUE(QFileInfo(path).isAbsolute());
    EXPECT_FALSE(path.startsWith(folder.path())) << path.toStdString();
    EXPECT_FALSE(QFile::exists(path)) << "tests run where no data is installed";

    // The start-up road: the screen is not given the working directory's file.
    Windows().show(QStringLiteral("frmInterpolate"));
    EXPECT_FALSE(LoadDefaultModellingResults(Windows().existing(QStringLiteral("frmInterpolate"))));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(),
              (RecordedMessage{"File with data not properly installed", "Installation Error"}));
    EXPECT_NE(State().ModellingResults.FileName.find("/share/vandrel-tessaron/"), std::string::npos)
        << State().ModellingResults.FileName;
}

} // namespace
} // namespace vt::test
