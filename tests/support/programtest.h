// Test support: a recorder for message boxes and a fixture that starts every
// test from a fresh program state (no windows, stress 0, counter 0).
#pragma once

#include "app/filedialogs.h"
#include "app/messages.h"
#include "app/programstate.h"
#include "tests/support/locale.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace vt::test {

struct RecordedMessage {
    QString text;
    QString title;
    bool operator==(const RecordedMessage&) const = default;
};

// Records every message box instead of showing it; answers questions with
// `answer`, and whether to save changes first with `saveChoice`.
class MessageRecorder final : public MessageService {
public:
    MessageRecorder() { SetMessageService(this); }
    ~MessageRecorder() override { SetMessageService(nullptr); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void show(const QString& text, const QString& title) override {
        shown.push_back({text, title});
    }
    bool ask(const QString& text, const QString& title) override {
        asked.push_back({text, title});
        return answer;
    }
    SaveChoice askToSave(const QString& text, const QString& title) override {
        askedToSave.push_back({text, title});
        return saveChoice;
    }
    const RecordedMessage& last() const { return shown.back(); }

    std::vector<RecordedMessage> shown;
    std::vector<RecordedMessage> asked;
    std::vector<RecordedMessage> askedToSave;
    bool answer = false;
    SaveChoice saveChoice = SaveChoice::Discard;
};

// Answers every file dialog instead of showing it: records the question and
// gives `path` (empty: the user cancels) with the first filter, or what
// `answer` gives when it is set.
class FileAnswers final : public FileDialogService {
public:
    FileAnswers() { SetFileDialogService(this); }
    ~FileAnswers() override { SetFileDialogService(nullptr); }
    FileAnswers(const FileAnswers&) = delete;
    FileAnswers& operator=(const FileAnswers&) = delete;

    FileAnswer ask(QWidget* parent, const FileQuestion& question) override {
        questions.push_back(question);
        parents.push_back(parent);
        if (answer)
            return answer(question);
        return {path, question.filters.value(0)};
    }
    const FileQuestion& last() const { return questions.back(); }

    QString path;
    std::function<FileAnswer(const FileQuestion&)> answer;
    std::vector<FileQuestion> questions;
    std::vector<QWidget*> parents;
};

// Closes every window (splash included), deletes them, resets the program
// state and counts requests to end the program instead of ending it. Each
// test keeps its settings (recent files, folders) in a home folder of its
// own, under QStandardPaths' test mode, and leaves the user's alone.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs pending deferred deletions so closed windows are really gone.
    static void flushDeletes();

    // Starts the program's settings afresh, as on a machine that never ran it.
    void freshSettings();

    MessageRecorder messages;
    FileAnswers fileDialogs; // no file chosen unless a test says which
    int endRequests = 0;

private:
    std::unique_ptr<QTemporaryDir> home_;
    QByteArray savedHome_;
};

} // namespace vt::test
