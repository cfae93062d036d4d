// Every file dialog of the program asks through this service. The program
// shows Qt's dialog; tests and the soak walk install an answerer, so that no
// modal dialog waits for a user who is not there.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace vt {

struct FileQuestion {
    enum class Kind { Save, Open };
    // The kinds of file whose folder is kept between runs: the dialog starts
    // in the folder last used for its kind, whatever folder `suggested` names.
    enum class Files { Unkept, Evaluations, Exports, Reports };
    Kind kind = Kind::Save;
    QString caption;
    QString suggested;     // a file name or path, or the folder to start in
    QStringList filters;   // "CSV files (*.csv)", the first one selected
    QString defaultSuffix; // added to a chosen name that has none ("pdf")
    Files files = Files::Unkept;
};

struct FileAnswer {
    QString path;   // empty: the user cancelled
    QString filter; // the filter the user chose, one of the question's

    bool chosen() const { return !path.isEmpty(); }
};

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    virtual FileAnswer ask(QWidget* parent, const FileQuestion& question) = 0;
};

// The service in use; nullptr restores Qt's dialogs.
void SetFileDialogService(FileDialogService* service);

// Asks for a file; the answer's path carries the default suffix when the
// name chosen had none. For a kept kind of file the question starts in the
// folder last used for that kind (the suggested name kept), and a chosen
// file's folder is kept for the next question.
FileAnswer AskForFile(QWidget* parent, const FileQuestion& question);

// The question as it is asked: `suggested` moved into `folder` (a suggested
// folder, or none, becomes `folder` itself); unchanged when `folder` is empty
// or no folder.
FileQuestion StartingIn(FileQuestion question, const QString& folder);

} // namespace vt
