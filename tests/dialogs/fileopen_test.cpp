#include "app/interfaces.h"
#include "app/programstate.h"
#include "app/ui.h"
#include "dialogs/frmfileopen.h"
#include "tests/dialogs/dialogtestsupport.h"
#include "tests/support/programtest.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace vt::test {
namespace {

// A stand-in interpolation screen that records what the chooser asks of it.
class FakeInterpolate : public QWidget, public ModellingResultsScreen {
public:
    bool LoadModellingResults() override {
        loadedFiles.push_back(State().ModellingResults.FileName);
        return loadSucceeds;
    }
    void ResetModellingResults() override {
        ++resets;
        State().ModellingResults.FileName.clear();
    }

    static inline bool loadSucceeds = true;
    std::vector<std::string> loadedFiles;
    int resets = 0;
};

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class FileOpenTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(folder.isValid());
        WriteFile(folder.filePath("a.INT"),
                  "5\t0\t7\t0\r\n100\t20\t100\t15\r\n200\t35\t200\t28\r\n");
        WriteFile(folder.filePath("b.int"), "1\r\n2\r\n");
        WriteFile(folder.filePath("c.txt"), "not a results file\r\n");
        WriteFile(folder.filePath("d.Int"), "x\r\n");
        ASSERT_TRUE(QDir(folder.path()).mkdir("sub"));
        WriteFile(folder.filePath("sub/e.int"), "inside\r\n");

        FakeInterpolate::loadSucceeds = true;
        fakes.add(QStringLiteral("frmInterpolate"), [] { return new FakeInterpolate; });

        chooser = Windows().window<frmFileOpen>(QStringLiteral("frmFileOpen"));
        ASSERT_NE(chooser, nullptr);
        ASSERT_TRUE(ShowAndWait(chooser));
        drives = Child<QComboBox>(chooser, "Drive1");
        directories = Child<QTreeWidget>(chooser, "Dir1");
        files = Child<QListWidget>(chooser, "File1");
        preview = Child<QPlainTextEdit>(chooser, "txtFileOpenShowData");
        acceptFile = Child<QPushButton>(chooser, "cmdFileOpen");
        ASSERT_TRUE(drives && directories && files && preview && acceptFile);
        chooser->SetDriveRoots({QStringLiteral("/"), folder.path()});
        ASSERT_TRUE(chooser->SetDirectory(folder.path()));
    }

    QStringList listedFiles() const {
        QStringList names;
        for (int i = 0; i < files->count(); ++i)
            names << files->item(i)->text();
        return names;
    }
    QListWidgetItem* file(const char* name) const {
        const auto found = files->findItems(QString::fromLatin1(name), Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.first();
    }
    void click(const char* name) {
        QListWidgetItem* item = file(name);
        ASSERT_NE(item, nullptr) << name;
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                          files->visualItemRect(item).center());
    }
    // A real double click: press, release, double-click press, release.
    void doubleClick(const char* name) {
        QListWidgetItem* item = file(name);
        ASSERT_NE(item, nullptr) << name;
        const QPoint at = files->visualItemRect(item).center();
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(files->viewport(), Qt::LeftButton, {}, at);
    }
    FakeInterpolate* interpolate() const {
        return Windows().existing<FakeInterpolate>(QStringLiteral("frmInterpolate"));
    }

    QTemporaryDir folder;
    FakeWindows fakes;
    QPointer<frmFileOpen> chooser;
    QComboBox* drives = nullptr;
    QTreeWidget* directories = nullptr;
    QListWidget* files = nullptr;
    QPlainTextEdit* preview = nullptr;
    QPushButton* acceptFile = nullptr;
};

TEST(FilePattern, MatchesIntInAnyCase) {
    const std::pair<const char*, bool> cases[] = {
        {"a.INT", true},       {"b.int", true},   {"d.Int", true},
        {"results.iNt", true}, {"c.txt", false},  {"int", false},
        {"a.int.bak", false},  {"a.intx", false}, {"a int", false},
    };
    for (const auto& [name, matches] : cases)
        EXPECT_EQ(frmFileOpen::MatchesPattern(QString::fromLatin1(name)), matches) << name;
}

TEST_F(FileOpenTest, OpensCentredAtTheCurrentDirectory) {
    EXPECT_EQ(chooser->windowTitle(), QStringLiteral("File Open"));
    EXPECT_EQ(chooser->size(), QSize(Twips(7335), Twips(6900)));
    EXPECT_EQ(chooser->minimumSize(), chooser->maximumSize());
    EXPECT_EQ(acceptFile->text(), QStringLiteral("Accept file"));
    EXPECT_TRUE(preview->isReadOnly());
    EXPECT_EQ(preview->lineWrapMode(), QPlainTextEdit::NoWrap);

    chooser->close();
    flushDeletes();
    auto* fresh = Windows().window<frmFileOpen>(QStringLiteral("frmFileOpen"));
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->currentDirectory(), QDir(QDir::currentPath()).absolutePath());
    EXPECT_TRUE(Child<QPlainTextEdit>(fresh, "txtFileOpenShowData")->toPlainText().isEmpty());
    EXPECT_EQ(Child<QComboBox>(fresh, "Drive1")->currentText().isEmpty(), false);
}

TEST_F(FileOpenTest, ListsOnlyModellingResultsFiles) {
    EXPECT_EQ(listedFiles(), (QStringList{"a.INT", "b.int", "d.Int"}));
}

TEST_F(FileOpenTest, DirectoryTreeLeadsIntoASubdirectory) {
    const auto found =
        directories->findItems(QStringLiteral("sub"), Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1);
    directories->setFocus();
    directories->setCurrentItem(found.first());
    QTest::keyClick(directories, Qt::Key_Return);
    EXPECT_EQ(chooser->currentDirectory(), QDir(folder.filePath("sub")).absolutePath());
    EXPECT_EQ(listedFiles(), QStringList{"e.int"});
    // And back up by the parent in the tree.
    const auto up = directories->findItems(QDir(folder.path()).dirName(),
                                           Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_FALSE(up.isEmpty());
    directories->setCurrentItem(up.first());
    QTest::keyClick(directories, Qt::Key_Return);
    EXPECT_EQ(listedFiles(), (QStringList{"a.INT", "b.int", "d.Int"}));
}

TEST_F(FileOpenTest, ClickPreviewsTheWholeFile) {
    click("a.INT");
    EXPECT_TRUE(messages.shown.empty());
    const QStringList lines = preview->toPlainText().split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines.mid(0, 3), (QStringList{"5\t0\t7\t0", "100\t20\t100\t15", "200\t35\t200\t28"}));
    const auto& record = State().ModellingResults;
    EXPECT_EQ(record.FileName, QFile::encodeName(folder.filePath("a.INT")).toStdString());
    EXPECT_EQ(record.LineCount, 3);
    EXPECT_EQ(interpolate(), nullptr); // a click loads nothing
}

TEST_F(FileOpenTest, AcceptBeforeAnyClickAsksForAFile) {
    QTest::mouseClick(acceptFile, Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(),
              (RecordedMessage{"File not properly selected, click on data file !", "Select file"}));
    EXPECT_TRUE(chooser->isVisible());
    EXPECT_EQ(interpolate(), nullptr);
}

TEST_F(FileOpenTest, DoubleClickPreviewsThenHandsTheFileOver) {
    doubleClick("b.int");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(preview->toPlainText().split(QLatin1Char('\n')).mid(0, 2), (QStringList{"1", "2"}));
    ASSERT_NE(interpolate(), nullptr);
    EXPECT_TRUE(interpolate()->isVisible());
    EXPECT_EQ(interpolate()->loadedFiles,
              std::vector<std::string>{QFile::encodeName(folder.filePath("b.int")).toStdString()});
    // Hidden, not closed: shown again it keeps its place and preview.
    ASSERT_FALSE(chooser.isNull());
    EXPECT_FALSE(chooser->isVisible());
    EXPECT_EQ(chooser->currentDirectory(), QDir(folder.path()).absolutePath());
    EXPECT_FALSE(preview->toPlainText().isEmpty());
}

TEST_F(FileOpenTest, AFailedLoadKeepsTheProgramRunningAndResetsTheScreen) {
    FakeInterpolate::loadSucceeds = false;
    click("d.Int");
    QTest::mouseClick(acceptFile, Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(), (RecordedMessage{"Invalid file format", "Loading Error"}));
    EXPECT_EQ(endRequests, 0);
    ASSERT_NE(interpolate(), nullptr);
    EXPECT_EQ(interpolate()->loadedFiles.size(), 1u);
    EXPECT_EQ(interpolate()->resets, 1);
    EXPECT_TRUE(interpolate()->isVisible());
    EXPECT_TRUE(State().ModellingResults.FileName.empty());
}

TEST_F(FileOpenTest, AFailedPreviewShowsWhatWasReadAndTheNextClickWorks) {
    // Listed, then gone before the click.
    ASSERT_TRUE(QFile::remove(folder.filePath("d.Int")));
    click("d.Int");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(),
              (RecordedMessage{"A error occurred, most probably due to an unknown file-format",
                               "Error Message"}));
    EXPECT_TRUE(preview->toPlainText().isEmpty());
    EXPECT_EQ(State().ModellingResults.FileName,
              QFile::encodeName(folder.filePath("d.Int")).toStdString());

    click("b.int");
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(preview->toPlainText().startsWith(QStringLiteral("1\n2")));
}

TEST_F(FileOpenTest, TooManyLinesPreviewWhatWasCollected) {
    QByteArray many;
    for (int i = 0; i < 32768; ++i)
        many += "1\t2\r\n";
    WriteFile(folder.filePath("many.int"), many);
    ASSERT_TRUE(chooser->SetDirectory(folder.path()));
    click("many.int");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last().title, QStringLiteral("Error Message"));
    EXPECT_TRUE(preview->toPlainText().startsWith(QStringLiteral("1\t2\n1\t2\n")));
}

TEST_F(FileOpenTest, AnUnavailableDriveLeavesTheListsAlone) {
    chooser->SetDriveRoots({QStringLiteral("/"), folder.path(), folder.filePath("no-medium-here")});
    ASSERT_EQ(drives->currentIndex(), 1);
    drives->setFocus();
    QTest::keyClick(drives, Qt::Key_Down);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(),
              (RecordedMessage{"The selected drive unavailable", "Drive not available"}));
    EXPECT_EQ(drives->currentIndex(), 1);
    EXPECT_EQ(chooser->currentDirectory(), QDir(folder.path()).absolutePath());
    EXPECT_EQ(listedFiles(), (QStringList{"a.INT", "b.int", "d.Int"}));
}

TEST_F(FileOpenTest, ChoosingADriveShowsItsRoot) {
    ASSERT_TRUE(chooser->SetDirectory(folder.filePath("sub")));
    chooser->SetDriveRoots({QStringLiteral("/"), folder.path()});
    drives->setFocus();
    QTest::keyClick(drives, Qt::Key_Up); // to "/"
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(chooser->currentDirectory(), QStringLiteral("/"));
    QTest::keyClick(drives, Qt::Key_Down); // back to the folder's root
    EXPECT_EQ(chooser->currentDirectory(), QDir(folder.path()).absolutePath());
    EXPECT_EQ(listedFiles(), (QStringList{"a.INT", "b.int", "d.Int"}));
    // The tree of that drive starts at its root.
    ASSERT_GT(directories->topLevelItemCount(), 0);
    EXPECT_EQ(directories->topLevelItem(0)->text(0), folder.path());
}

} // namespace
} // namespace vt::test
