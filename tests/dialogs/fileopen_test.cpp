#include "app/interfaces.h"
#include "app/programstate.h"
#include "app/ui.h"
#include "dialogs/frmfileopen.h"
#include "results/core/modellingfile.h"
#include "tests/dialogs/dialogtestsupport.h"
#include "tests/support/modellingtables.h"
#include "tests/support/programtest.h"
#include "tests/support/specialfiles.h"

#include <QApplication>
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
#include <map>
#include <unistd.h>

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
                  QByteArray(kWidths5And7.data(), static_cast<qsizetype>(kWidths5And7.size())));
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

// ---- The highlighted file is the chosen file ----

QString FirstLine(const QPlainTextEdit* preview) {
    return preview->toPlainText().section(QLatin1Char('\n'), 0, 0);
}

TEST_F(FileOpenTest, ArrowKeysAndFirstLettersChooseTheHighlightedFile) {
    click("a.INT");
    files->setFocus();
    // A letter after a pause starts a new search by first letters; keep the
    // pause short.
    const int interval = QApplication::keyboardInputInterval();
    QApplication::setKeyboardInputInterval(10);
    // Each key press highlights a file; the preview and the record follow it.
    const std::pair<int, const char*> steps[] = {
        {Qt::Key_Down, "b.int"}, {Qt::Key_Down, "d.Int"}, {Qt::Key_Up, "b.int"},
        {Qt::Key_A, "a.INT"},    {Qt::Key_D, "d.Int"},    {Qt::Key_Home, "a.INT"},
        {Qt::Key_End, "d.Int"},  {Qt::Key_B, "b.int"},
    };
    const std::map<QString, QString> firstLines = {
        {"a.INT", "5\t0\t7\t0"}, {"b.int", "1"}, {"d.Int", "x"}};
    for (const auto& [key, name] : steps) {
        SCOPED_TRACE(name);
        QTest::qWait(20);
        QTest::keyClick(files, static_cast<Qt::Key>(key));
        ASSERT_NE(files->currentItem(), nullptr);
        EXPECT_EQ(files->currentItem()->text().toStdString(), name);
        EXPECT_EQ(State().ModellingResults.FileName,
                  QFile::encodeName(folder.filePath(QString::fromLatin1(name))).toStdString());
        EXPECT_EQ(FirstLine(preview).toStdString(),
                  firstLines.at(QString::fromLatin1(name)).toStdString());
    }
    QApplication::setKeyboardInputInterval(interval);
    EXPECT_TRUE(messages.shown.empty());

    // "Accept file" loads the file last highlighted, by Enter on the button.
    acceptFile->setFocus();
    QTest::keyClick(acceptFile, Qt::Key_Return);
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_NE(interpolate(), nullptr);
    EXPECT_EQ(interpolate()->loadedFiles,
              std::vector<std::string>{QFile::encodeName(folder.filePath("b.int")).toStdString()});
}

TEST_F(FileOpenTest, AClickOnTheHighlightedFileReadsItAgain) {
    click("b.int");
    EXPECT_EQ(FirstLine(preview), QStringLiteral("1"));
    WriteFile(folder.filePath("b.int"), "3\r\n4\r\n5\r\n");
    click("b.int");
    EXPECT_EQ(FirstLine(preview), QStringLiteral("3"));
    EXPECT_EQ(State().ModellingResults.LineCount, 3);
}

TEST_F(FileOpenTest, AClickThatHighlightsAFileReadsItOnce) {
    ASSERT_TRUE(QFile::remove(folder.filePath("d.Int")));
    click("b.int");
    click("d.Int"); // listed, then gone: one message, not two
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(FileOpenTest, WithNoFileHighlightedAcceptAsksForOne) {
    click("b.int");
    // Another folder: the file last previewed is no longer in the list.
    ASSERT_TRUE(chooser->SetDirectory(folder.filePath("sub")));
    QTest::mouseClick(acceptFile, Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(),
              (RecordedMessage{"File not properly selected, click on data file !", "Select file"}));
    EXPECT_EQ(interpolate(), nullptr);

    // Ctrl+click takes the highlight off: nothing is chosen either.
    ASSERT_TRUE(chooser->SetDirectory(folder.path()));
    click("b.int");
    QListWidgetItem* item = file("b.int");
    QTest::mouseClick(files->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      files->visualItemRect(item).center());
    ASSERT_TRUE(files->selectedItems().isEmpty());
    QTest::mouseClick(acceptFile, Qt::LeftButton);
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(interpolate(), nullptr);
}

// ---- Only regular files ----

TEST_F(FileOpenTest, PipesAndDevicesAreNeitherListedNorOpened) {
    const auto path = [&](const char* name) { return folder.filePath(name).toStdString(); };
    ASSERT_TRUE(MakeFifo(path("pipe.int")));
    ASSERT_TRUE(MakeLink(path("pipe.int"), path("pipelink.int")));
    ASSERT_TRUE(MakeLink("/dev/zero", path("zero.int")));
    ASSERT_TRUE(MakeLink("/dev/zero", path("zerodir")));
    ASSERT_TRUE(MakeLink(path("sub"), path("sublink")));
    ASSERT_TRUE(MakeLink(path("b.int"), path("blink.int")));
    ASSERT_TRUE(MakeSparseFile(path("huge.int"), std::uint64_t{256} * 1024 * 1024));

    FifoWatchdog watchdog(path("pipe.int"));
    ASSERT_TRUE(chooser->SetDirectory(folder.path()));
    EXPECT_EQ(listedFiles(), (QStringList{"a.INT", "b.int", "blink.int", "d.Int", "huge.int"}));
    QStringList folders;
    QTreeWidgetItem* current = directories->currentItem();
    ASSERT_NE(current, nullptr);
    for (int i = 0; i < current->childCount(); ++i)
        folders << current->child(i)->text(0);
    EXPECT_EQ(folders, (QStringList{"sub", "sublink"}));

    // A file that is one on the disk but far too large is refused unread.
    click("huge.int");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(),
              (RecordedMessage{"The file is larger than 32 MB, too large for a modelling-results "
                               "file",
                               "Error Message"}));
    EXPECT_TRUE(preview->toPlainText().isEmpty());
    EXPECT_EQ(State().ModellingResults.LineCount, 0);

    // A link to a results file is one.
    click("blink.int");
    EXPECT_EQ(FirstLine(preview), QStringLiteral("1"));
    EXPECT_FALSE(watchdog.stop()) << "the chooser waited on a pipe";
}

// ---- A folder that cannot be entered ----

TEST(FolderRefusal, SaysWhy) {
    const std::pair<std::errc, const char*> cases[] = {
        {std::errc::permission_denied, "No permission to open the selected folder"},
        {std::errc::operation_not_permitted, "No permission to open the selected folder"},
        {std::errc::no_such_file_or_directory, "The selected folder no longer exists"},
        {std::errc::not_a_directory, "The selected folder is not a folder"},
        {std::errc::too_many_symbolic_link_levels,
         "The selected folder cannot be opened: Too many levels of symbolic links"},
    };
    for (const auto& [error, text] : cases)
        EXPECT_EQ(frmFileOpen::FolderRefusal(std::make_error_code(error)),
                  QString::fromLatin1(text));
}

class FolderTest : public FileOpenTest {
protected:
    QTreeWidgetItem* subItem() const {
        const auto found =
            directories->findItems(QStringLiteral("sub"), Qt::MatchExactly | Qt::MatchRecursive);
        return found.size() == 1 ? found.first() : nullptr;
    }
    void doubleClickSub() {
        QTreeWidgetItem* item = subItem();
        ASSERT_NE(item, nullptr);
        const QPoint at = directories->visualItemRect(item).center();
        QTest::mouseClick(directories->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(directories->viewport(), Qt::LeftButton, {}, at);
    }
    void expectRefusal(const char* text) {
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.last(), (RecordedMessage{text, "Folder not available"}));
        EXPECT_EQ(chooser->currentDirectory(), QDir(folder.path()).absolutePath());
        EXPECT_EQ(listedFiles(), (QStringList{"a.INT", "b.int", "d.Int"}));
    }
};

TEST_F(FolderTest, ADoubleClickEntersAFolder) {
    doubleClickSub();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(listedFiles(), QStringList{"e.int"});
}

TEST_F(FolderTest, AFolderGoneSinceItWasListedSaysSo) {
    ASSERT_TRUE(QDir(folder.filePath("sub")).removeRecursively());
    doubleClickSub();
    expectRefusal("The selected folder no longer exists");
}

TEST_F(FolderTest, AFolderReplacedByAFileSaysSo) {
    ASSERT_TRUE(QDir(folder.filePath("sub")).removeRecursively());
    WriteFile(folder.filePath("sub"), "a file now");
    doubleClickSub();
    expectRefusal("The selected folder is not a folder");
}

TEST_F(FolderTest, AFolderWithoutPermissionSaysSo) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root, whom folder permissions do not stop; the message "
                        "for a refused permission is checked by FolderRefusal.SaysWhy";
    ASSERT_TRUE(QFile::setPermissions(folder.filePath("sub"), {}));
    doubleClickSub();
    QFile::setPermissions(folder.filePath("sub"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    expectRefusal("No permission to open the selected folder");
}

TEST_F(FolderTest, AFolderThatCanBeListedButNotSearchedIsRefused) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root, whom folder permissions do not stop";
    ASSERT_TRUE(QFile::setPermissions(folder.filePath("sub"), QFile::ReadOwner));
    EXPECT_EQ(frmFileOpen::FolderError(folder.filePath("sub")), std::errc::permission_denied);
    QFile::setPermissions(folder.filePath("sub"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// ---- One decoding of the file's bytes ----

TEST_F(FileOpenTest, TheWindowsCodePageShowsInThePreview) {
    WriteFile(folder.filePath("latin.int"), "5 m\xB2\t0\r\n100 \x80\t20\r\n");
    ASSERT_TRUE(chooser->SetDirectory(folder.path()));
    click("latin.int");
    EXPECT_EQ(preview->toPlainText(), QStringLiteral("5 m\u00B2\t0\n100 \u20AC\t20\n"));
}

} // namespace
} // namespace vt::test
