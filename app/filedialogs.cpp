#include "app/filedialogs.h"

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

} // namespace

void SetFileDialogService(FileDialogService* service) {
    current = service;
}

FileAnswer AskForFile(QWidget* parent, const FileQuestion& question) {
    static QtFileDialogs dialogs;
    FileAnswer answer = (current ? *current : dialogs).ask(parent, question);
    if (answer.chosen() && question.kind == FileQuestion::Kind::Save &&
        !question.defaultSuffix.isEmpty() && QFileInfo(answer.path).suffix().isEmpty())
        answer.path += u'.' + question.defaultSuffix;
    return answer;
}

} // namespace vt
