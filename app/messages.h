// Every message box of the program goes through this service. The program
// shows a modal box; tests install a recorder and read text and title without
// a modal loop.
#pragma once

#include <QString>

namespace vt {

// The answers to the question whether changes are to be saved first.
enum class SaveChoice { Save, Discard, Cancel };

class MessageService {
public:
    virtual ~MessageService() = default;
    // A modal box with the text, the title and a single OK button.
    virtual void show(const QString& text, const QString& title) = 0;
    // A modal Yes/No question; true for Yes.
    virtual bool ask(const QString& text, const QString& title) = 0;
    // A modal question with the buttons Save, Discard and Cancel (Esc).
    virtual SaveChoice askToSave(const QString& text, const QString& title) = 0;
};

// The service in use; nullptr restores the modal boxes.
void SetMessageService(MessageService* service);
MessageService& Messages();

// Shorthand: a box whose title defaults to the application's title.
void ShowMessage(const QString& text, const QString& title);
void ShowMessage(const QString& text);

} // namespace vt
