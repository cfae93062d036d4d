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
    Kind kind = Kind::Save;
    QString caption;
    QString suggested;     // a file name or path, or the folder to start in
    QStringList filters;   // "CSV files (*.csv)", the first one selected
    QString defaultSuffix; // added to a chosen name that has none ("pdf")
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
// name chosen had none.
FileAnswer AskForFile(QWidget* parent, const FileQuestion& question);

} // namespace vt
