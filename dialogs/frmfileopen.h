// The file chooser of the interpolation screen: a drive (root) list, the
// directory tree of the current root, the modelling-results files in the
// current directory, and a preview of the file last clicked.
//
// Files are listed when their name ends in ".int" in any letter case, so a
// file copied from a system that ignores case ("RESULTS.Int") is found too,
// and when they are regular files (links followed). The highlighted file is
// the chosen one: highlighting it by mouse or keyboard previews it, and
// "Accept file" loads it.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <system_error>

class QComboBox;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace vt {

class frmFileOpen : public QWidget {
    Q_OBJECT
public:
    explicit frmFileOpen(QWidget* parent = nullptr);

    // The roots offered in Drive1: "/", the home folder and the mounted media.
    static QStringList MachineRoots();
    // Replaces the roots offered (keeps the current directory).
    void SetDriveRoots(const QStringList& roots);

    // The directory that Dir1 and File1 show.
    QString currentDirectory() const { return directory_; }
    // Points Dir1 (and so File1) at a directory; false when it cannot be read.
    bool SetDirectory(const QString& path);

    // Whether a file name is listed in File1.
    static bool MatchesPattern(const QString& fileName);

    // Why a folder cannot be entered (none when it can): missing, not a
    // folder, or not readable and searchable by this user.
    static std::error_code FolderError(const QString& path);
    // The message that says so.
    static QString FolderRefusal(const std::error_code& error);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Drive1_Change(int index);
    void Dir1_Change(QTreeWidgetItem* item);
    void File1_SelectionChange();
    void File1_Click(QListWidgetItem* item);
    void File1_DblClick(QListWidgetItem* item);
    void cmdFileOpen_Click();

    void FillDirectoryTree();
    void FillFileList();
    void SelectDriveOf(const QString& path);
    QString PathOf(const QListWidgetItem* item) const;
    QListWidgetItem* HighlightedFile() const;
    // ReadModellingText on the file and its text into the preview box.
    void Preview(QListWidgetItem* item);

    QComboBox* Drive1_ = nullptr;
    QTreeWidget* Dir1_ = nullptr;
    QListWidget* File1_ = nullptr;
    QPlainTextEdit* txtFileOpenShowData_ = nullptr;
    QPushButton* cmdFileOpen_ = nullptr;
    QString directory_;
    int driveIndex_ = -1; // the drive Dir1 shows
    // Counts highlights of a file, so that a click can tell whether it
    // highlighted its file or found it highlighted.
    int highlights_ = 0;
    int highlightsAtPress_ = 0;
};

} // namespace vt
