// Support for the evaluation-file tests on the real screens: the Design
// menu's items with test seams (no file dialog), evaluations done as a user
// does them, modelling-results files in a temporary folder, and every text a
// window shows, to compare before and after.
#pragma once

#include "app/programstate.h"
#include "app/ui.h"
#include "files/evaluationactions.h"
#include "results/core/modellingfile.h"
#include "screens/calculationscreen.h"
#include "screens/frminterpolate.h"
#include "tests/support/modellingtables.h"
#include "tests/support/programtest.h"
#include "tests/support/screenhelpers.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <map>
#include <string>

namespace vt::test {

// Every text a window shows, by object name: the text of boxes, drop-downs,
// labels and buttons, with the background of boxes and labels, the state of
// check buttons, and the tab shown.
inline std::map<QString, QString> ShownTexts(const QWidget* window) {
    std::map<QString, QString> texts;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        const QString colour = Background(w).name();
        if (const auto* combo = qobject_cast<const QComboBox*>(w))
            texts[name] = combo->currentText() + u'|' + colour;
        else if (const auto* box = qobject_cast<const QLineEdit*>(w))
            texts[name] = box->text() + u'|' + colour;
        else if (const auto* label = qobject_cast<const QLabel*>(w))
            texts[name] = label->text() + u'|' + colour;
        else if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            texts[name] = button->text() + (button->isChecked() ? u'+' : u'-');
        else if (const auto* text = qobject_cast<const QPlainTextEdit*>(w))
            texts[name] = text->toPlainText();
        else if (const auto* tabs = qobject_cast<const QTabWidget*>(w))
            texts[name] = QString::number(tabs->currentIndex());
    }
    return texts;
}

// The names whose texts differ, with both texts, for a readable failure.
inline std::string Changes(const std::map<QString, QString>& before,
                           const std::map<QString, QString>& after) {
    std::string changes;
    for (const auto& [name, text] : before) {
        const auto it = after.find(name);
        const QString now = it == after.end() ? QStringLiteral("(gone)") : it->second;
        if (now != text)
            changes += name.toStdString() + ": \"" + text.toStdString() + "\" -> \"" +
                       now.toStdString() + "\"\n";
    }
    return changes;
}

// Every window of the program with its texts and whether it is shown.
inline std::map<QString, std::map<QString, QString>> AllWindows() {
    std::map<QString, std::map<QString, QString>> windows;
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName().startsWith(QLatin1String("frm"))) {
            auto texts = ShownTexts(w);
            texts[QStringLiteral("(shown)")] = w->isVisible() ? QStringLiteral("yes") : QString();
            windows[w->objectName()] = texts;
        }
    return windows;
}

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// A whole interpolation: width and depth, "Calculate and Continue", K and
// height, "Calculate and Continue".
inline void RunInterpolation(CalculationScreen* screen, const QString& width, const QString& depth,
                             const QString& k, const QString& height) {
    Type(screen, QStringLiteral("cboPillarWidth1"), width);
    Type(screen, QStringLiteral("txtDepth"), depth);
    Press(screen, QStringLiteral("cmdCalculateAndContinue1"));
    Type(screen, QStringLiteral("cboK"), k);
    Type(screen, QStringLiteral("cboPillarHeight"), height);
    Press(screen, QStringLiteral("cmdCalculateAndContinue2"));
}

class EvaluationFilesTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        // The Design menu's items with seams of this test; the program's own
        // come back afterwards.
        programMenu_ = Windows().designMenu();
        programGuard_ = Windows().leaveGuard();
        Windows().clearDesignMenu();
        files::EvaluationFileSeams seams;
        fileDialogs.answer = [this](const FileQuestion& question) {
            if (question.kind == FileQuestion::Kind::Open)
                return FileAnswer{openPath, {}};
            suggestedName = question.suggested;
            return FileAnswer{savePath, {}};
        };
        seams.write = [this](QIODevice& file, const QByteArray& bytes) {
            return write ? write(file, bytes) : files::WriteAll(file, bytes);
        };
        files::AddEvaluationFileItems(Windows(), seams);
    }
    void TearDown() override {
        ProgramTest::TearDown();
        Windows().clearDesignMenu();
        for (const DesignMenuItem& item : programMenu_)
            Windows().addDesignMenuItem(item);
        Windows().setLeaveGuard(programGuard_);
    }

    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    // Chooses an item of the screen's Design menu.
    static void Choose(CalculationScreen* screen, const char* item) {
        ChooseDesignItem(screen, item);
    }
    // "Save evaluation as...", which always asks for the name.
    void save(CalculationScreen* screen, const QString& to) {
        savePath = to;
        Choose(screen, "mnuSaveEvaluationAs");
    }
    void open(CalculationScreen* screen, const QString& from) {
        openPath = from;
        Choose(screen, "mnuOpenEvaluation");
    }
    CalculationScreen* screenNamed(const char* name) const {
        return Windows().existing<CalculationScreen>(QString::fromLatin1(name));
    }

    // Closes every window, as "&New Calculation" does, and opens a fresh
    // screen.
    CalculationScreen* startAfresh(const char* name) {
        CloseAllWindows();
        flushDeletes();
        State().ModellingResults = results::ModellingResults{};
        return OpenScreen(QString::fromLatin1(name));
    }

    // The interpolation screen with a modelling-results file of this folder
    // loaded as the file chooser loads it.
    frmInterpolate* interpolationWith(const QString& file,
                                      const char* bytes = kWidths6And8.data()) {
        EXPECT_TRUE(WriteBytes(file, QByteArray(bytes)));
        auto* screen = dynamic_cast<frmInterpolate*>(OpenScreen(QStringLiteral("frmInterpolate")));
        EXPECT_NE(screen, nullptr);
        EXPECT_TRUE(results::ReadModellingText(State().ModellingResults,
                                               QFile::encodeName(file).toStdString()));
        EXPECT_TRUE(screen->LoadModellingResults());
        return screen;
    }

    // The interpolation of width 6 at 300 m (40 MPa) with K 40 and height 3
    // in `modelling`, saved as `file`.
    frmInterpolate* savedInterpolation(const QString& modelling, const QString& file) {
        frmInterpolate* screen = interpolationWith(modelling);
        RunInterpolation(screen, QStringLiteral("6"), QStringLiteral("300"), QStringLiteral("40"),
                         QStringLiteral("3"));
        if (!file.isEmpty())
            save(screen, file);
        return screen;
    }

    QTemporaryDir dir;
    QString savePath;
    QString openPath;
    QString suggestedName;
    std::function<bool(QIODevice&, const QByteArray&)> write;

private:
    std::vector<DesignMenuItem> programMenu_;
    WindowRegistry::LeaveGuard programGuard_;
};

} // namespace vt::test
