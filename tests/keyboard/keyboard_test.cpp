// Whole evaluations by keyboard alone: from the start-up window through the
// three tabs of each calculation screen, with Tab, typing, Space and Enter on
// buttons, the Alt accelerators of the tabs and the menus.
#include "app/programstate.h"
#include "app/ui.h"
#include "screens/calculationscreen.h"
#include "tests/support/fields.h"
#include "tests/support/programtest.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <ostream>
#include <vector>

namespace vt::test {
namespace {

// The name a user would give the focused control: an editable combo's line
// edit counts as the combo.
QString FocusName() {
    QWidget* w = QApplication::focusWidget();
    if (!w)
        return QStringLiteral("(nothing)");
    if (qobject_cast<QComboBox*>(w->parentWidget()))
        return w->parentWidget()->objectName();
    return w->objectName();
}

QWidget* FocusTarget() {
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup;
    if (QWidget* w = QApplication::focusWidget())
        return w;
    return QApplication::activeWindow();
}

void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = FocusTarget();
    ASSERT_NE(target, nullptr) << "no window has the keyboard";
    QTest::keyClick(target, key, modifiers);
    QCoreApplication::processEvents();
}

// Replaces the text of the focused field by typing.
void TypeHere(const QString& text) {
    Key(Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_Delete);
    QTest::keyClicks(FocusTarget(), text);
}

class KeyboardTest : public ProgramTest {
protected:
    QWidget* active() const { return QApplication::activeWindow(); }

    QString text(const QString& name) const {
        auto* screen = Windows().existing<CalculationScreen>(screenName_);
        return screen ? FieldText(screen, name) : QString();
    }

    // Tab to the next control; it must be `name`.
    void tabTo(const QString& name) {
        Key(Qt::Key_Tab);
        ASSERT_EQ(FocusName(), name) << "Tab from the previous control";
    }

    // Start-up window: accept the disclaimer and choose the method, all by
    // keyboard (Enter on ACCEPT, Tab to the method, Space).
    void startScreen(const QString& screen, int tabsToMethod) {
        screenName_ = screen;
        QWidget* splash = Windows().show(QStringLiteral("frmSplash"));
        ASSERT_TRUE(QTest::qWaitForWindowActive(splash));
        ASSERT_EQ(FocusName(), QStringLiteral("cmdAccept"));
        Key(Qt::Key_Return);
        ASSERT_EQ(FocusName(), QStringLiteral("cmdTributaryTheory"));
        for (int i = 0; i < tabsToMethod; ++i)
            Key(Qt::Key_Tab);
        Key(Qt::Key_Space);
        QWidget* window = Windows().existing(screen);
        ASSERT_NE(window, nullptr) << "the method button did not open " << screen.toStdString();
        ASSERT_TRUE(window->isVisible());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }

    // A typed field in tab order: Tab to it, then type.
    void tabAndType(const QString& name, const QString& value) {
        tabTo(name);
        TypeHere(value);
        ASSERT_EQ(text(name), value);
    }

    // The pop-ups' two seconds pass. A pop-up takes the keyboard when it
    // appears; when it goes, the desktop gives the keyboard back to the
    // screen (the offscreen platform does not, so the test does it).
    void letPopUpsGo() {
        for (const char* name : {"frmPopUpWH", "frmPopUpFOS"})
            if (QWidget* popUp = Windows().existing(QString::fromLatin1(name)))
                if (auto* timer = popUp->findChild<QTimer*>(QStringLiteral("Timer1")))
                    QMetaObject::invokeMethod(timer, "timeout");
        ProgramTest::flushDeletes();
        EXPECT_EQ(Windows().existing(QStringLiteral("frmPopUpWH")), nullptr);
        EXPECT_EQ(Windows().existing(QStringLiteral("frmPopUpFOS")), nullptr);
        QWidget* screen = Windows().existing(screenName_);
        ASSERT_NE(screen, nullptr);
        if (QApplication::activeWindow() != screen)
            screen->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(screen));
    }

    int currentTab() const {
        auto* screen = Windows().existing<CalculationScreen>(screenName_);
        return screen ? screen->tabs()->currentIndex() : -1;
    }

    QString screenName_;
};

// Tab 0 of the tributary and modelled screens, in keyboard order.
struct Entry {
    const char* field;
    const char* value; // nullptr: Tab passes over it
};

struct ScreenRun {
    const char* screen;
    int tabsToMethod;
    const char* firstField;
    const char* firstValue;
    std::vector<Entry> rest;
    const char* stressResult; // the tab-0 result checked after Continue
    const char* stressShown;
    const char* extractionShown;
    const char* k;
    const char* height;
    const char* wh;
    const char* strength;
    const char* fos;
    bool fosRed;
};

void PrintTo(const ScreenRun& run, std::ostream* os) {
    *os << run.screen;
}

std::vector<ScreenRun> Runs() {
    return {
        {"frmTributary",
         0,
         "cboRockDensity",
         "2.7",
         {{"txtDepth", "500"},
          {"chkGraphicToggle", nullptr},
          {"cboPillarWidth1", "10"},
          {"cboPillarLength", "10"},
          {"cboBordWidth", "12"},
          {"cboBordWidth2", "12"},
          {"cmdCalculatePillarStress", nullptr},
          {"cmdCalculateAndContinue1", nullptr}},
         "lblPillarStress",
         "64.1",
         "79.3",
         "100",
         "5",
         "2",
         "94.6",
         "1.5",
         true},
        {"frmModelled",
         1,
         "txtPillarStress",
         "64.0985",
         {{"txtDepth", "500"},
          {"chkGraphicToggle", nullptr},
          {"cboPillarWidth1", "10"},
          {"cboPillarLength", "10"},
          {"cboBordWidth", "12"},
          {"cboBordWidth2", "12"},
          {"cmdCalculatePercentageExtraction", nullptr},
          {"cmdCalculateAndContinue1", nullptr}},
         "lblFRPillarStress",
         "64.0985",
         "79.3",
         "100",
         "5",
         "2",
         "94.6",
         "1.5",
         true},
        // 8 m pillars at 300 m: the file's reading 43.83 MPa; 8 x 8 between
        // 12 m bords extracts 84 %; K 50, height 2: W:H 4, Hedley/Grant
        // 50 x 8^0.5 / 2^0.75 = 84.09 MPa; FOS 84.09 / 43.8 = 1.92.
        {"frmInterpolate",
         2,
         "cboPillarWidth1",
         "8",
         {{"txtDepth", "300"}, {"cmdInterpolate", nullptr}, {"cmdCalculateAndContinue1", nullptr}},
         "lblPillarStress",
         "43.8",
         "84",
         "50",
         "2",
         "4",
         "84.1",
         "1.9",
         false},
    };
}

class WholeEvaluation : public KeyboardTest, public ::testing::WithParamInterface<ScreenRun> {};

TEST_P(WholeEvaluation, RunsFromStartToFinalResultsByKeyboardAlone) {
    const ScreenRun& run = GetParam();
    ASSERT_NO_FATAL_FAILURE(startScreen(QString::fromLatin1(run.screen), run.tabsToMethod));

    // Tab 0: the window opens with the tab control focused; Tab goes on to
    // the first input.
    ASSERT_EQ(currentTab(), CalculationScreen::kPillarStressTab);
    // (On the interpolation screen the file's text comes first.)
    for (int i = 0; i < 2 && FocusName() != QString::fromLatin1(run.firstField); ++i)
        Key(Qt::Key_Tab);
    ASSERT_EQ(FocusName(), QString::fromLatin1(run.firstField));
    TypeHere(QString::fromLatin1(run.firstValue));
    for (const Entry& entry : run.rest) {
        if (entry.value) {
            ASSERT_NO_FATAL_FAILURE(
                tabAndType(QString::fromLatin1(entry.field), QString::fromLatin1(entry.value)));
        } else {
            ASSERT_NO_FATAL_FAILURE(tabTo(QString::fromLatin1(entry.field)));
        }
    }
    // Space on "Calculate and Continue": on to "Pillar &Strength", cursor in K.
    Key(Qt::Key_Space);
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text.toStdString();
    ASSERT_EQ(currentTab(), CalculationScreen::kPillarStrengthTab);
    ASSERT_EQ(FocusName(), QStringLiteral("cboK"));
    EXPECT_EQ(text(QString::fromLatin1(run.stressResult)), QString::fromLatin1(run.stressShown));
    EXPECT_EQ(text(QStringLiteral("lblPercentageExtraction")),
              QString::fromLatin1(run.extractionShown));

    // Tab 1: K, past "Determine K from UCS-values", the height, then Enter on
    // "Calculate the Pillar strength".
    TypeHere(QString::fromLatin1(run.k));
    ASSERT_NO_FATAL_FAILURE(tabTo(QStringLiteral("cmdDetermineK")));
    ASSERT_NO_FATAL_FAILURE(
        tabAndType(QStringLiteral("cboPillarHeight"), QString::fromLatin1(run.height)));
    ASSERT_NO_FATAL_FAILURE(tabTo(QStringLiteral("cmdCalculatePillarStrength")));
    Key(Qt::Key_Return);
    EXPECT_EQ(text(QStringLiteral("lblWHratio")), QString::fromLatin1(run.wh));
    EXPECT_EQ(text(QStringLiteral("lblPillarStrength")), QString::fromLatin1(run.strength));
    EXPECT_EQ(text(QStringLiteral("lblFOS")), QString::fromLatin1(run.fos));
    // The warnings flash for two seconds; then the keyboard is back where it
    // was.
    ASSERT_NO_FATAL_FAILURE(letPopUpsGo());
    ASSERT_EQ(FocusName(), QStringLiteral("cmdCalculatePillarStrength"));

    // Space on the second "Calculate and Continue": "Final &Results", with the
    // print button focused.
    ASSERT_NO_FATAL_FAILURE(tabTo(QStringLiteral("cmdCalculateAndContinue2")));
    Key(Qt::Key_Space);
    ASSERT_NO_FATAL_FAILURE(letPopUpsGo());
    ASSERT_EQ(currentTab(), CalculationScreen::kFinalResultsTab);
    ASSERT_EQ(FocusName(), QStringLiteral("cmdPrint"));
    EXPECT_EQ(text(QStringLiteral("txtFRWHratio")), QString::fromLatin1(run.wh));
    EXPECT_EQ(text(QStringLiteral("lblFRPillarStrength")), QString::fromLatin1(run.strength));
    EXPECT_EQ(text(QStringLiteral("lblFRFOS")), QString::fromLatin1(run.fos));
    EXPECT_EQ(text(QStringLiteral("lblFRExtraction")), QString::fromLatin1(run.extractionShown));
    auto* screen = Windows().existing<CalculationScreen>(screenName_);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(Background(screen->findChild<QLabel*>(QStringLiteral("lblFRFOS"))),
              run.fosRed ? kWarningRed : kLightGrey);

    // The report by Enter on the focused print button.
    Key(Qt::Key_Return);
    QWidget* report = Windows().existing(QStringLiteral("frmPrint"));
    ASSERT_NE(report, nullptr) << "Enter on \"Print a hardcopy of the results\" did nothing";
    EXPECT_TRUE(report->isVisible());
    report->close();
}

INSTANTIATE_TEST_SUITE_P(Screens, WholeEvaluation, ::testing::ValuesIn(Runs()),
                         [](const auto& info) { return std::string(info.param.screen); });

// The tabs' accelerators reach every tab from any other.
class TabAccelerators : public KeyboardTest, public ::testing::WithParamInterface<ScreenRun> {};

TEST_P(TabAccelerators, AltLettersSelectTheirTabs) {
    const ScreenRun& run = GetParam();
    ASSERT_NO_FATAL_FAILURE(startScreen(QString::fromLatin1(run.screen), run.tabsToMethod));
    const struct {
        Qt::Key key;
        int tab;
    } steps[] = {
        {Qt::Key_R, CalculationScreen::kFinalResultsTab},
        {Qt::Key_S, CalculationScreen::kPillarStrengthTab},
        {Qt::Key_P, CalculationScreen::kPillarStressTab},
        {Qt::Key_S, CalculationScreen::kPillarStrengthTab},
        {Qt::Key_R, CalculationScreen::kFinalResultsTab},
        {Qt::Key_P, CalculationScreen::kPillarStressTab},
    };
    for (const auto& step : steps) {
        Key(step.key, Qt::AltModifier);
        EXPECT_EQ(currentTab(), step.tab) << "Alt+" << QTest::toString(step.key);
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, TabAccelerators, ::testing::ValuesIn(Runs()),
                         [](const auto& info) { return std::string(info.param.screen); });

// The menus by keyboard: Alt+H, A opens the about box, Esc closes it; Alt+F,
// N goes back to a fresh start-up window; Alt+F, X asks the program to end.
class Menus : public KeyboardTest, public ::testing::WithParamInterface<ScreenRun> {};

TEST_P(Menus, HelpAboutNewCalculationAndExitByKeyboard) {
    const ScreenRun& run = GetParam();
    ASSERT_NO_FATAL_FAILURE(startScreen(QString::fromLatin1(run.screen), run.tabsToMethod));
    QWidget* screen = active();

    Key(Qt::Key_H, Qt::AltModifier);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr) << "Alt+H opened no menu";
    Key(Qt::Key_A);
    QWidget* about = Windows().existing(QStringLiteral("frmAbout"));
    ASSERT_NE(about, nullptr) << "A in the Help menu did not open the about box";
    ASSERT_TRUE(QTest::qWaitForWindowActive(about));
    Key(Qt::Key_Escape);
    ProgramTest::flushDeletes();
    EXPECT_EQ(Windows().existing(QStringLiteral("frmAbout")), nullptr);

    screen->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(screen));
    Key(Qt::Key_F, Qt::AltModifier);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr) << "Alt+F opened no menu";
    Key(Qt::Key_X);
    EXPECT_EQ(endRequests, 1) << "E&xit did not end the program";

    Key(Qt::Key_F, Qt::AltModifier);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    Key(Qt::Key_N);
    ProgramTest::flushDeletes();
    EXPECT_EQ(Windows().existing(QString::fromLatin1(run.screen)), nullptr);
    QWidget* splash = Windows().existing(QStringLiteral("frmSplash"));
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Screens, Menus, ::testing::ValuesIn(Runs()),
                         [](const auto& info) { return std::string(info.param.screen); });

} // namespace
} // namespace vt::test
