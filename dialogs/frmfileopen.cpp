#include "dialogs/frmfileopen.h"

#include "app/filetext.h"
#include "app/interfaces.h"
#include "app/messages.h"
#include "app/programstate.h"
#include "app/ui.h"
#include "app/windownames.h"
#include "results/core/modellingfile.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyle>
#include <QTreeWidget>
#include <algorithm>
#include <filesystem>

namespace vt {

namespace {

constexpr int kPathRole = Qt::UserRole;

QFont ListFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}

std::string NativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Whether the path is a folder, after following links.
bool IsFolder(const QString& path) {
    std::error_code error;
    return std::filesystem::is_directory(NativePath(path), error);
}

bool IsUnder(const QString& path, const QString& root) {
    if (root == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == root || path.startsWith(root + QLatin1Char('/'));
}

} // namespace

frmFileOpen::frmFileOpen(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("File Open"));
    setFont(ArialFont(8.25));
    QRect client = TwipsRect(0, 0, 7335, 6900);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        client.moveCenter(screen->availableGeometry().center());
    setGeometry(client);
    setFixedSize(client.size());

    Drive1_ = new QComboBox(this);
    Drive1_->setObjectName(QStringLiteral("Drive1"));
    Drive1_->setGeometry(TwipsRect(120, 120, 2895, 315));
    Drive1_->setFont(ListFont());
    WheelOnlyWhenFocused(Drive1_);

    Dir1_ = new QTreeWidget(this);
    Dir1_->setObjectName(QStringLiteral("Dir1"));
    Dir1_->setGeometry(TwipsRect(120, 480, 2895, 2340));
    Dir1_->setFont(ListFont());
    Dir1_->setHeaderHidden(true);
    Dir1_->setColumnCount(1);
    Dir1_->setRootIsDecorated(false);
    Dir1_->setIndentation(Twips(150));
    Dir1_->setItemsExpandable(false);

    File1_ = new QListWidget(this);
    File1_->setObjectName(QStringLiteral("File1"));
    File1_->setGeometry(TwipsRect(120, 2880, 2895, 3210));
    File1_->setFont(ListFont());

    txtFileOpenShowData_ = new QPlainTextEdit(this);
    txtFileOpenShowData_->setObjectName(QStringLiteral("txtFileOpenShowData"));
    txtFileOpenShowData_->setGeometry(TwipsRect(3120, 120, 4095, 6690));
    txtFileOpenShowData_->setFont(ListFont());
    txtFileOpenShowData_->setReadOnly(true);
    txtFileOpenShowData_->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtFileOpenShowData_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtFileOpenShowData_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    cmdFileOpen_ = new QPushButton(QStringLiteral("Accept file"), this);
    cmdFileOpen_->setObjectName(QStringLiteral("cmdFileOpen"));
    cmdFileOpen_->setGeometry(TwipsRect(120, 6240, 2895, 495));
    cmdFileOpen_->setFont(ArialFont(11.25, true, true));
    PressOnEnter(cmdFileOpen_); // Enter on the focused button presses it

    setTabOrder(Drive1_, Dir1_);
    setTabOrder(Dir1_, File1_);
    setTabOrder(File1_, txtFileOpenShowData_);
    setTabOrder(txtFileOpenShowData_, cmdFileOpen_);

    // Start at the process's current directory, on the root that holds it.
    SetDriveRoots(MachineRoots());
    SetDirectory(QDir::currentPath());

    connect(Drive1_, &QComboBox::activated, this, &frmFileOpen::Drive1_Change);
    connect(Dir1_, &QTreeWidget::itemActivated, this, &frmFileOpen::Dir1_Change);
    // The highlighted file is the chosen file, however it was highlighted:
    // by the mouse, the arrow keys or its first letter.
    connect(File1_, &QListWidget::itemSelectionChanged, this, &frmFileOpen::File1_SelectionChange);
    connect(File1_, &QListWidget::itemClicked, this, &frmFileOpen::File1_Click);
    File1_->viewport()->installEventFilter(this);
    connect(File1_, &QListWidget::itemDoubleClicked, this, &frmFileOpen::File1_DblClick);
    connect(cmdFileOpen_, &QPushButton::clicked, this, &frmFileOpen::cmdFileOpen_Click);
}

QStringList frmFileOpen::MachineRoots() {
    QStringList roots{QStringLiteral("/")};
    const QString home = QDir::homePath();
    if (!home.isEmpty() && home != QLatin1String("/"))
        roots << home;
    QStringList media;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (IsUnder(root, QStringLiteral("/media")) || IsUnder(root, QStringLiteral("/mnt")))
            if (root != QLatin1String("/media") && root != QLatin1String("/mnt"))
                media << root;
    }
    media.sort();
    media.removeDuplicates();
    return roots + media;
}

void frmFileOpen::SetDriveRoots(const QStringList& roots) {
    {
        const QSignalBlocker blocker(Drive1_);
        Drive1_->clear();
        Drive1_->addItems(roots);
    }
    SelectDriveOf(directory_.isEmpty() ? QDir::currentPath() : directory_);
}

void frmFileOpen::SelectDriveOf(const QString& path) {
    // The root holding the path; the longest wins (home over "/").
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < Drive1_->count(); ++i) {
        const QString root = Drive1_->itemText(i);
        if (IsUnder(path, root) && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    const QSignalBlocker blocker(Drive1_);
    Drive1_->setCurrentIndex(best);
    driveIndex_ = best;
}

bool frmFileOpen::MatchesPattern(const QString& fileName) {
    return fileName.endsWith(QLatin1String(".int"), Qt::CaseInsensitive);
}

std::error_code frmFileOpen::FolderError(const QString& path) {
    const std::filesystem::path native(NativePath(path));
    std::error_code error;
    if (!std::filesystem::is_directory(native, error))
        return error ? error : std::make_error_code(std::errc::not_a_directory);
    const std::filesystem::directory_iterator probe(native, error);
    if (error)
        return error;
    // Listing a folder's names needs read permission, looking at its entries
    // search permission.
    if (!QFileInfo(path).isExecutable())
        return std::make_error_code(std::errc::permission_denied);
    return {};
}

QString frmFileOpen::FolderRefusal(const std::error_code& error) {
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted)
        return QStringLiteral("No permission to open the selected folder");
    if (error == std::errc::no_such_file_or_directory)
        return QStringLiteral("The selected folder no longer exists");
    if (error == std::errc::not_a_directory)
        return QStringLiteral("The selected folder is not a folder");
    return QStringLiteral("The selected folder cannot be opened: %1")
        .arg(QString::fromLocal8Bit(error.message()));
}

bool frmFileOpen::SetDirectory(const QString& path) {
    if (FolderError(path))
        return false;
    directory_ = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (driveIndex_ < 0 || !IsUnder(directory_, Drive1_->itemText(driveIndex_)))
        SelectDriveOf(directory_);
    FillDirectoryTree();
    FillFileList(); // File1 follows Dir1
    return true;
}

// The chain from the root down to the current directory, open, and the
// current directory's subdirectories under it.
void frmFileOpen::FillDirectoryTree() {
    Dir1_->clear();
    const QString root = driveIndex_ >= 0 ? Drive1_->itemText(driveIndex_) : QStringLiteral("/");
    QStringList chain{root};
    const QString rest = directory_.mid(root == QLatin1String("/") ? 1 : root.size() + 1);
    QString path = root;
    for (const QString& part : rest.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path =
            path == QLatin1String("/") ? QLatin1Char('/') + part : path + QLatin1Char('/') + part;
        chain << path;
    }

    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    QTreeWidgetItem* parentItem = nullptr;
    for (const QString& step : chain) {
        const QString name = step == root ? root : QFileInfo(step).fileName();
        auto* item = parentItem ? new QTreeWidgetItem(parentItem, {name})
                                : new QTreeWidgetItem(Dir1_, {name});
        item->setData(0, kPathRole, step);
        item->setIcon(0, open);
        parentItem = item;
    }
    QDir dir(directory_);
    const QStringList subdirectories = dir.entryList(
        QDir::Dirs | QDir::System | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : subdirectories) {
        if (!IsFolder(dir.filePath(name)))
            continue; // a link to a device or a pipe is no folder
        auto* item = new QTreeWidgetItem(parentItem, {name});
        item->setData(0, kPathRole, dir.filePath(name));
        item->setIcon(0, closed);
    }
    Dir1_->expandAll();
    Dir1_->setCurrentItem(parentItem);
    Dir1_->scrollToItem(parentItem);
}

// Only regular files are listed (links followed): a pipe or a device named
// "*.int" could not be read as a file.
void frmFileOpen::FillFileList() {
    File1_->clear();
    const QDir dir(directory_);
    const QStringList files =
        dir.entryList(QDir::Files | QDir::System, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : files)
        if (MatchesPattern(name) && results::IsRegularFile(NativePath(dir.filePath(name))))
            File1_->addItem(name);
}

QString frmFileOpen::PathOf(const QListWidgetItem* item) const {
    return QDir(directory_).filePath(item->text());
}

QListWidgetItem* frmFileOpen::HighlightedFile() const {
    const QList<QListWidgetItem*> selected = File1_->selectedItems();
    return selected.size() == 1 ? selected.first() : nullptr;
}

void frmFileOpen::Drive1_Change(int index) {
    const int previous = driveIndex_;
    driveIndex_ = index;
    if (!SetDirectory(Drive1_->itemText(index))) {
        // Dir1 and File1 keep the previous directory, Drive1 its drive.
        driveIndex_ = previous;
        const QSignalBlocker blocker(Drive1_);
        Drive1_->setCurrentIndex(previous);
        ShowMessage(QStringLiteral("The selected drive unavailable"),
                    QStringLiteral("Drive not available"));
    }
}

void frmFileOpen::Dir1_Change(QTreeWidgetItem* item) {
    if (!item)
        return;
    const QString path = item->data(0, kPathRole).toString();
    if (path == directory_)
        return;
    // A folder that cannot be entered leaves the lists as they are, and says why.
    if (const std::error_code error = FolderError(path)) {
        ShowMessage(FolderRefusal(error), QStringLiteral("Folder not available"));
        return;
    }
    SetDirectory(path);
}

bool frmFileOpen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == File1_->viewport() && event->type() == QEvent::MouseButtonPress)
        highlightsAtPress_ = highlights_;
    return QWidget::eventFilter(watched, event);
}

void frmFileOpen::File1_SelectionChange() {
    if (QListWidgetItem* item = HighlightedFile()) {
        ++highlights_;
        Preview(item);
    }
}

void frmFileOpen::File1_Click(QListWidgetItem* item) {
    // A click that highlighted the file has previewed it; a click on the file
    // already highlighted reads it again.
    if (item && item == HighlightedFile() && highlights_ == highlightsAtPress_)
        Preview(item);
}

void frmFileOpen::Preview(QListWidgetItem* item) {
    auto& record = State().ModellingResults;
    const results::ReadFailure failure =
        results::ReadModellingFile(record, NativePath(PathOf(item)));
    if (failure == results::ReadFailure::TooLarge)
        ShowMessage(QStringLiteral("The file is larger than %1 MB, too large for a "
                                   "modelling-results file")
                        .arg(results::kMaxFileBytes / (1024 * 1024)),
                    QStringLiteral("Error Message"));
    else if (failure != results::ReadFailure::None)
        ShowMessage(QStringLiteral("A error occurred, most probably due to an unknown file-format"),
                    QStringLiteral("Error Message"));
    // What was collected, also up to a failure.
    txtFileOpenShowData_->setPlainText(FileTextForDisplay(record.FileText));
}

void frmFileOpen::File1_DblClick(QListWidgetItem* item) {
    if (!item)
        return;
    // The click of a double click has normally previewed the file already.
    if (State().ModellingResults.FileName != NativePath(PathOf(item)))
        Preview(item);
    cmdFileOpen_Click();
}

// Loads the highlighted file, the one the preview shows; with no file
// highlighted (or the screen's reset since) the user is asked to pick one.
void frmFileOpen::cmdFileOpen_Click() {
    const std::string& chosen = State().ModellingResults.FileName;
    const QListWidgetItem* highlighted = HighlightedFile();
    if (chosen.empty() || !highlighted || chosen != NativePath(PathOf(highlighted))) {
        ShowMessage(QStringLiteral("File not properly selected, click on data file !"),
                    QStringLiteral("Select file"));
        return;
    }
    QWidget* window = Windows().show(names::frmInterpolate);
    auto* screen = dynamic_cast<ModellingResultsScreen*>(window);
    if (!screen)
        return;
    hide();
    // A file that cannot be loaded leaves the screen reset and the program
    // running: the user can open another file.
    if (!screen->LoadModellingResults()) {
        ShowMessage(QStringLiteral("Invalid file format"), QStringLiteral("Loading Error"));
        screen->ResetModellingResults();
    }
}

} // namespace vt
