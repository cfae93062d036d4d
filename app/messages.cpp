#include "app/messages.h"

#include "app/programstate.h"

#include <QApplication>
#include <QMessageBox>

namespace vt {

namespace {

class ModalMessages final : public MessageService {
public:
    void show(const QString& text, const QString& title) override {
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    }
    bool ask(const QString& text, const QString& title) override {
        QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                        QApplication::activeWindow());
        return box.exec() == QMessageBox::Yes;
    }
    SaveChoice askToSave(const QString& text, const QString& title) override {
        QMessageBox box(QMessageBox::Question, title, text,
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                        QApplication::activeWindow());
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
        switch (box.exec()) {
        case QMessageBox::Save:
            return SaveChoice::Save;
        case QMessageBox::Discard:
            return SaveChoice::Discard;
        default:
            return SaveChoice::Cancel;
        }
    }
};

ModalMessages& Modal() {
    static ModalMessages modal;
    return modal;
}

MessageService* current = nullptr;

} // namespace

void SetMessageService(MessageService* service) {
    current = service;
}

MessageService& Messages() {
    return current ? *current : Modal();
}

void ShowMessage(const QString& text, const QString& title) {
    Messages().show(text, title);
}

void ShowMessage(const QString& text) {
    Messages().show(text, kAppTitle);
}

} // namespace vt
