#include "app/filedialogs.h"

#include "app/settings.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace vt {

namespace {

class QtFileDialogs final : public FileDialogService {
public:
    FileAnswer ask(QWidget* parent, const FileQuestion& question) override {
        QFileDialog dialog(parent, question.caption, question.suggested,
                           question.filters.join(QStringLiteral(";;")));
        const bool save = question.kind == FileQuestion::Kind::Save;
        dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        if (!question.defaultSuffix.isEmpty())
            dialog.setDefaultSuffix(question.defaultSuffix);
        if (!question.filters.isEmpty())
            dialog.selectNameFilter(question.filters.first());
        if (dialog.exec() != QDialog::Accepted)
            return {};
        return {dialog.selectedFiles().value(0), dialog.selectedNameFilter()};
    }
};

FileDialogService* current = nullptr;

// The settings key of a kept kind of file; empty for the others.
QString FolderKey(FileQuestion::Files files) {
    switch (files) {
    case FileQuestion::Files::Evaluations:
        return QStringLiteral("evaluations");
    case FileQuestion::Files::Exports:
        return QStringLiteral("exports");
    case FileQuestion::Files::Reports:
        return QStringLiteral("reports");
    case FileQuestion::Files::Unkept:
        break;
    }
    return {};
}

} // namespace

FileQuestion StartingIn(FileQuestion question, const QString& folder) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return question;
    const QFileInfo suggested(question.suggested);
    if (question.suggested.isEmpty() || suggested.isDir())
        question.suggested = folder;
    else
        question.suggested = QDir(folder).filePath(suggested.fileName());
    return question;
}

void SetFileDialogService(FileDialogService* service) {
    current = service;
}

FileAnswer AskForFile(QWidget* parent, const FileQuestion& question) {
    static QtFileDialogs dialogs;
    const QString key = FolderKey(question.files);
    const FileQuestion asked =
        key.isEmpty() ? question : StartingIn(question, settings::LastFolder(key));
    FileAnswer answer = (current ? *current : dialogs).ask(parent, asked);
    if (answer.chosen() && question.kind == FileQuestion::Kind::Save &&
        !question.defaultSuffix.isEmpty() && QFileInfo(answer.path).suffix().isEmpty())
        answer.path += u'.' + question.defaultSuffix;
    if (answer.chosen() && !key.isEmpty())
        settings::RememberFolder(key, QFileInfo(answer.path).absolutePath());
    return answer;
}

} // namespace vt
