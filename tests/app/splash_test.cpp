// The start-up window: its two states, its buttons, the roads to the three
// calculation screens, the installation error and the slideshow.
#include "app/frmsplash.h"
#include "app/interfaces.h"
#include "app/shellwindows.h"
#include "app/ui.h"
#include "tests/app/shelltestutil.h"
#include "tests/support/fields.h"
#include "tests/support/programtest.h"
#include "tests/support/specialfiles.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <vector>

namespace vt::test {
namespace {

QWidget* OpenSplash() {
    return ShowAndExpose(QStringLiteral("frmSplash"));
}

void Click(QWidget* window, const char* button) {
    auto* b = Child<QPushButton>(window, button);
    ASSERT_NE(b, nullptr) << button;
    ASSERT_TRUE(b->isVisible()) << button << " cannot be clicked by a user";
    QTest::mouseClick(b, Qt::LeftButton);
}

struct ControlCase {
    const char* name;
    bool visibleFirst;
    bool visibleAfterAccept;
};

const ControlCase kControls[] = {
    {"Label2", true, true},
    {"cmdCancel", true, true},
    {"lblWarning", true, true},
    {"lblPlatform", true, true},
    {"lblVersion", true, true},
    {"lblMessage1", true, true}, // stays, emptied
    {"cmdAccept", true, false},
    {"cmdDecline", true, false},
    {"frmChoices", false, true},
    {"cmdTributaryTheory", false, true},
    {"cmdModelledStress", false, true},
    {"cmdInterpolation", false, true},
};

class SplashTest : public ProgramTest {};

TEST_F(SplashTest, FirstStateShowsTheDisclaimerAndThenAcceptShowsTheChoice) {
    QWidget* splash = OpenSplash();
    for (const auto& c : kControls) {
        auto* w = Child(splash, c.name);
        ASSERT_NE(w, nullptr) << c.name;
        EXPECT_EQ(w->isVisible(), c.visibleFirst) << c.name;
    }
    EXPECT_EQ(Child<QLabel>(splash, "lblMessage1")->text(),
              "By pressing 'Accept' the user acknowledge the fact that this is a BETA-version of "
              "the software.");

    Click(splash, "cmdAccept");
    for (const auto& c : kControls)
        EXPECT_EQ(Child(splash, c.name)->isVisible(), c.visibleAfterAccept) << c.name;
    EXPECT_TRUE(Child<QLabel>(splash, "lblMessage1")->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), Child(splash, "cmdTributaryTheory"));
    EXPECT_EQ(endRequests, 0);
}

TEST_F(SplashTest, CaptionsTooltipsFontsAndColours) {
    QWidget* splash = OpenSplash();
    EXPECT_TRUE(splash->windowTitle().isEmpty());
    EXPECT_EQ(splash->size(), QSize(599, 415));
    EXPECT_EQ(splash->minimumSize(), splash->maximumSize());
    EXPECT_FALSE(splash->windowFlags() & Qt::WindowMinMaxButtonsHint);
    const QPoint offCentre =
        splash->geometry().center() - splash->screen()->availableGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 8); // within a window frame

    struct Text {
        const char* name;
        QString text;
        QString toolTip;
        double points;
        bool bold;
        bool italic;
    };
    const Text texts[] = {
        {"Label2", "Vandrel Tessaron", "", 21.75, true, true},
        {"cmdCancel", "Cancel", "Exit the program", 9, true, false},
        {"lblPlatform", "Windows 95 - Vista", "", 14.25, true, false},
        {"lblVersion", "Version 1.2 BETA", "", 11.25, true, false},
        {"cmdAccept", "ACCEPT", "", 9.75, true, false},
        {"cmdDecline", "DECLINE", "", 9.75, true, false},
        {"cmdTributaryTheory", "Tributary theory",
         "Calculate pillar strength and FOS according to the tributary theory", 11.25, true, true},
        {"cmdModelledStress", "Modelled stress",
         "Calculate pillar strength and FOS according to stress modelling results", 11.25, true,
         true},
        {"cmdInterpolation", "Interpolation",
         "Interpolate pillar strength and FOS-values from modelling results in a text file", 11.25,
         true, true},
    };
    for (const auto& t : texts) {
        QWidget* w = Child(splash, t.name);
        ASSERT_NE(w, nullptr) << t.name;
        const QString text = qobject_cast<QLabel*>(w) ? qobject_cast<QLabel*>(w)->text()
                                                      : qobject_cast<QPushButton*>(w)->text();
        EXPECT_EQ(text, t.text) << t.name;
        EXPECT_EQ(w->toolTip(), t.toolTip) << t.name;
        EXPECT_DOUBLE_EQ(w->font().pointSizeF(), t.points) << t.name;
        EXPECT_EQ(w->font().bold(), t.bold) << t.name;
        EXPECT_EQ(w->font().italic(), t.italic) << t.name;
    }

    struct Colour {
        const char* name;
        QColor colour;
    };
    for (const auto& c :
         {Colour{"Label2", QColor(0, 0, 128)}, Colour{"lblWarning", QColor(128, 0, 0)},
          Colour{"lblPlatform", QColor(128, 0, 128)}, Colour{"lblVersion", QColor(128, 0, 128)}})
        EXPECT_EQ(Child(splash, c.name)->palette().color(QPalette::WindowText), c.colour) << c.name;
    for (const char* name : {"cmdAccept", "cmdDecline"})
        EXPECT_EQ(Child(splash, name)->palette().color(QPalette::Button), QColor(192, 192, 192));
    for (const char* name : {"cmdAccept", "cmdDecline"})
        EXPECT_FALSE(Child<QPushButton>(splash, name)->icon().isNull()) << name;
    EXPECT_FALSE(Child<QLabel>(splash, "lblWarning")->text().isEmpty());
    EXPECT_TRUE(Child<QGroupBox>(splash, "frmChoices")->title().isEmpty());
}

// The window has no title text. Qt's platform layer shows the program's name
// for a window whose title is empty (checked under X: _NET_WM_NAME was
// "Vandrel Tessaron"), so the native window gets a blank, which it shows as it
// is, while the widget's title stays empty.
TEST_F(SplashTest, TheWindowSystemShowsNoTitle) {
    for (int opening = 0; opening < 2; ++opening) {
        SCOPED_TRACE(opening);
        QWidget* splash = OpenSplash();
        EXPECT_TRUE(splash->windowTitle().isEmpty());
        ASSERT_NE(splash->windowHandle(), nullptr);
        const QString shown = splash->windowHandle()->title();
        EXPECT_FALSE(shown.isEmpty()) << "an empty title is replaced by the program's name";
        EXPECT_TRUE(shown.trimmed().isEmpty()) << shown.toStdString();
        // Hidden and shown again it keeps it.
        splash->hide();
        splash->show();
        EXPECT_EQ(splash->windowHandle()->title(), shown);
        Windows().close(QStringLiteral("frmSplash"));
        flushDeletes();
    }
}

TEST_F(SplashTest, EveryControlLiesInsideTheWindow) {
    QWidget* splash = OpenSplash();
    Click(splash, "cmdAccept");
    for (QWidget* w : splash->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(splash) || w->objectName().isEmpty())
            continue;
        const QRect inWindow(w->mapTo(splash, QPoint(0, 0)), w->size());
        EXPECT_TRUE(splash->rect().contains(inWindow)) << w->objectName().toStdString();
    }
    // Every text is readable in full.
    for (QLabel* label : splash->findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        EXPECT_LE(label->heightForWidth(label->width()), label->height())
            << label->objectName().toStdString();
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text().section(' ', 0, 0)),
                  label->width())
            << label->objectName().toStdString();
    }
    for (QPushButton* button : splash->findChildren<QPushButton*>())
        EXPECT_LE(button->sizeHint().width(), button->width())
            << button->objectName().toStdString();
}

struct EndCase {
    const char* name;
    bool acceptFirst;
    const char* button;
    friend void PrintTo(const EndCase& c, std::ostream* os) { *os << c.name; }
};

class SplashEndTest : public ProgramTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(SplashEndTest, EndsTheProgramAndClosesTheWindow) {
    QPointer<QWidget> splash = OpenSplash();
    if (GetParam().acceptFirst)
        Click(splash, "cmdAccept");
    Click(splash, GetParam().button);
    EXPECT_EQ(endRequests, 1);
    EXPECT_EQ(Windows().existing(QStringLiteral("frmSplash")), nullptr);
    flushDeletes();
    EXPECT_TRUE(splash.isNull());
}

INSTANTIATE_TEST_SUITE_P(Buttons, SplashEndTest,
                         ::testing::Values(EndCase{"DeclineBeforeAccepting", false, "cmdDecline"},
                                           EndCase{"CancelBeforeAccepting", false, "cmdCancel"},
                                           EndCase{"CancelAfterAccepting", true, "cmdCancel"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SplashTest, EscapeClosesTheWindowInsteadOfHidingIt) {
    QPointer<QWidget> splash = OpenSplash();
    QTest::keyClick(splash, Qt::Key_Escape);
    flushDeletes();
    EXPECT_TRUE(splash.isNull());
}

struct ScreenCase {
    const char* button;
    const char* screen;
    friend void PrintTo(const ScreenCase& c, std::ostream* os) { *os << c.screen; }
};

class SplashChoiceTest : public ProgramTest, public ::testing::WithParamInterface<ScreenCase> {};

TEST_P(SplashChoiceTest, OpensTheScreenAndClosesTheStartUpWindow) {
    QPointer<QWidget> splash = OpenSplash();
    Click(splash, "cmdAccept");
    Click(splash, GetParam().button);
    QWidget* screen = Windows().existing(QString::fromLatin1(GetParam().screen));
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(Windows().existing(QStringLiteral("frmSplash")), nullptr);
    flushDeletes();
    EXPECT_TRUE(splash.isNull());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(endRequests, 0);
}

INSTANTIATE_TEST_SUITE_P(Methods, SplashChoiceTest,
                         ::testing::Values(ScreenCase{"cmdTributaryTheory", "frmTributary"},
                                           ScreenCase{"cmdModelledStress", "frmModelled"}),
                         [](const auto& info) { return std::string(info.param.screen); });

// An interpolation screen whose loading succeeds or fails as the test says.
struct FakeInterpolation : QWidget, ModellingResultsScreen {
    static inline bool succeed = true;
    static inline int loads = 0;
    static inline std::string fileSeen;
    bool LoadModellingResults() override {
        ++loads;
        fileSeen = State().ModellingResults.FileName;
        return succeed;
    }
    void ResetModellingResults() override {}
};

class InterpolationRoadTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        FakeInterpolation::loads = 0;
        FakeInterpolation::fileSeen.clear();
        Windows().registerFactory(QStringLiteral("frmInterpolate"),
                                  [] { return new FakeInterpolation; });
    }
    void TearDown() override {
        ProgramTest::TearDown();
        RegisterWindows();
    }
    void chooseInterpolation() {
        QWidget* splash = OpenSplash();
        Click(splash, "cmdAccept");
        Click(splash, "cmdInterpolation");
    }
};

TEST_F(InterpolationRoadTest, LoadsTheDefaultFileIntoTheScreen) {
    FakeInterpolation::succeed = true;
    chooseInterpolation();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(FakeInterpolation::loads, 1);
    EXPECT_EQ(QString::fromStdString(FakeInterpolation::fileSeen), DefaultModellingResultsPath());
    EXPECT_GT(State().ModellingResults.LineCount, 1);
    QWidget* screen = Windows().existing(QStringLiteral("frmInterpolate"));
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(Windows().existing(QStringLiteral("frmSplash")), nullptr);
}

TEST_F(InterpolationRoadTest, AFailedLoadReturnsToAFreshStartUpWindow) {
    FakeInterpolation::succeed = false;
    State().ModellingResults.FieldCount = 7;
    chooseInterpolation();

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(),
              (RecordedMessage{"File with data not properly installed", "Installation Error"}));
    EXPECT_EQ(FakeInterpolation::loads, 1);
    EXPECT_EQ(State().ModellingResults.LineCount, 0);
    EXPECT_EQ(State().ModellingResults.FieldCount, 0);
    EXPECT_EQ(Windows().existing(QStringLiteral("frmInterpolate")), nullptr);
    EXPECT_EQ(endRequests, 0);

    flushDeletes();
    QWidget* splash = Windows().existing(QStringLiteral("frmSplash"));
    ASSERT_NE(splash, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(splash));
    for (const auto& c : kControls)
        EXPECT_EQ(Child(splash, c.name)->isVisible(), c.visibleFirst) << c.name;
    EXPECT_FALSE(Child<QLabel>(splash, "lblMessage1")->text().isEmpty());
}

TEST_F(InterpolationRoadTest, AScreenThatCannotLoadCountsAsAFailure) {
    Windows().registerFactory(QStringLiteral("frmInterpolate"), [] { return new QWidget; });
    chooseInterpolation();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last().title, "Installation Error");
    EXPECT_NE(Windows().existing(QStringLiteral("frmSplash")), nullptr);
}

// A default file that is a pipe, a link to a device or far too large is an
// installation error like a missing one, and the program never waits on it.
struct SpecialDefaultCase {
    const char* name;
    bool (*make)(const std::string& path);
    friend void PrintTo(const SpecialDefaultCase& c, std::ostream* os) { *os << c.name; }
};

class SpecialDefaultFileTest : public ProgramTest,
                               public ::testing::WithParamInterface<SpecialDefaultCase> {};

TEST_P(SpecialDefaultFileTest, IsAnInstallationErrorWithoutWaiting) {
    QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    State().DataFolder = data.path();
    const std::string path = QFile::encodeName(DefaultModellingResultsPath()).toStdString();
    ASSERT_TRUE(GetParam().make(path));

    FifoWatchdog watchdog(path);
    QWidget* splash = OpenSplash();
    Click(splash, "cmdAccept");
    Click(splash, "cmdInterpolation");
    EXPECT_FALSE(watchdog.stop()) << "the start-up road waited on a pipe";

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(),
              (RecordedMessage{"File with data not properly installed", "Installation Error"}));
    EXPECT_EQ(Windows().existing(QStringLiteral("frmInterpolate")), nullptr);
    EXPECT_NE(Windows().existing(QStringLiteral("frmSplash")), nullptr);
    EXPECT_EQ(State().ModellingResults.LineCount, 0);
    EXPECT_TRUE(State().ModellingResults.FileText.empty()); // nothing was read
}

INSTANTIATE_TEST_SUITE_P(
    Entries, SpecialDefaultFileTest,
    ::testing::Values(
        SpecialDefaultCase{"Fifo", [](const std::string& p) { return MakeFifo(p); }},
        SpecialDefaultCase{"LinkToDevZero",
                           [](const std::string& p) { return MakeLink("/dev/zero", p); }},
        SpecialDefaultCase{"Sparse256MiB",
                           [](const std::string& p) {
                               return MakeSparseFile(p, std::uint64_t{256} * 1024 * 1024);
                           }},
        SpecialDefaultCase{
            "Folder", [](const std::string& p) { return std::filesystem::create_directory(p); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SplashTest, TheInterpolationScreenOpensWithTheShippedFile) {
    QWidget* splash = OpenSplash();
    Click(splash, "cmdAccept");
    Click(splash, "cmdInterpolation");
    EXPECT_TRUE(messages.shown.empty());
    QWidget* screen = Windows().existing(QStringLiteral("frmInterpolate"));
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(Windows().existing(QStringLiteral("frmSplash")), nullptr);
    EXPECT_EQ(QString::fromStdString(State().ModellingResults.FileName),
              DefaultModellingResultsPath());
    EXPECT_GT(State().ModellingResults.LineCount, 1);
    EXPECT_GT(State().ModellingResults.FieldCount, 1);
}

// The slideshow: one counter for the whole run, shared with the about box.
TEST_F(SplashTest, PicturesCycleFromZeroAndNoneShowsBeforeTheFirstTick) {
    QWidget* splash = OpenSplash();
    auto* timer = Child<QTimer>(splash, "Timer1");
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 1200);

    EXPECT_EQ(VisiblePicture(splash, 4), -1);
    const int expected[] = {0, 1, 2, 3, 0, 1};
    for (int picture : expected) {
        Tick(splash);
        EXPECT_EQ(VisiblePicture(splash, 4), picture);
    }
    EXPECT_EQ(State().PictureCounter, 2);
}

TEST_F(SplashTest, AReopenedWindowContinuesTheCycle) {
    QPointer<QWidget> first = OpenSplash();
    Tick(first);
    Tick(first); // pictures 0, 1
    Windows().close(QStringLiteral("frmSplash"));
    flushDeletes();
    ASSERT_TRUE(first.isNull());

    QWidget* second = OpenSplash();
    EXPECT_EQ(VisiblePicture(second, 4), -1);
    Tick(second);
    EXPECT_EQ(VisiblePicture(second, 4), 2);
}

TEST_F(SplashTest, TheAboutBoxMovesTheCounterForTheNextStartUpWindow) {
    QWidget* about = ShowAndExpose(QStringLiteral("frmAbout"));
    for (int i = 0; i < 2; ++i)
        Tick(about); // pictures 1, 2
    Windows().close(QStringLiteral("frmAbout"));
    flushDeletes();

    QWidget* splash = OpenSplash();
    Tick(splash);
    EXPECT_EQ(VisiblePicture(splash, 4), 3);
    Tick(splash);
    EXPECT_EQ(VisiblePicture(splash, 4), 0);
}

TEST_F(SplashTest, ACounterOutsideThePicturesStartsAgainAtZero) {
    State().PictureCounter = -5;
    QWidget* splash = OpenSplash();
    Tick(splash);
    EXPECT_EQ(VisiblePicture(splash, 4), 0);
    EXPECT_EQ(State().PictureCounter, 1);
}

TEST_F(SplashTest, PicturesAreLoaded) {
    for (int i = 0; i < 4; ++i) {
        const QPixmap picture = ShellPicture(i);
        EXPECT_FALSE(picture.isNull()) << i;
        EXPECT_GT(picture.width(), 200) << i;
    }
    EXPECT_NE(ShellPicture(0).toImage(), ShellPicture(1).toImage());
}

} // namespace
} // namespace vt::test

namespace vt::test {
namespace {

// The whole run through the real screens: start-up window, a screen, back.
class ProgramRoadTest : public ProgramTest, public ::testing::WithParamInterface<const char*> {
protected:
    QWidget* openScreen() {
        QWidget* splash = OpenSplash();
        Click(splash, "cmdAccept");
        const QString name = QString::fromLatin1(GetParam());
        const char* button = name == "frmTributary"  ? "cmdTributaryTheory"
                             : name == "frmModelled" ? "cmdModelledStress"
                                                     : "cmdInterpolation";
        Click(splash, button);
        QWidget* screen = Windows().existing(name);
        if (screen) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(screen));
        }
        return screen;
    }
};

TEST_P(ProgramRoadTest, NewCalculationReturnsToAFreshStartUpWindow) {
    QPointer<QWidget> screen = openScreen();
    ASSERT_FALSE(screen.isNull());
    RaisePopUp(kPopUpWH, kWidthHeightWarning);
    Windows().show(QStringLiteral("frmAbout"));
    auto* action = screen->findChild<QAction*>(QStringLiteral("mnuNewCalculation"));
    ASSERT_NE(action, nullptr);
    action->trigger();
    flushDeletes();

    EXPECT_TRUE(screen.isNull());
    for (const char* gone :
         {"frmAbout", "frmPopUpWH", "frmTributary", "frmModelled", "frmInterpolate"})
        EXPECT_EQ(Windows().existing(QString::fromLatin1(gone)), nullptr) << gone;
    QWidget* splash = Windows().existing(QStringLiteral("frmSplash"));
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_TRUE(Child(splash, "cmdAccept")->isVisible());
    EXPECT_FALSE(Child(splash, "frmChoices")->isVisible());
    EXPECT_EQ(endRequests, 0);
}

TEST_P(ProgramRoadTest, ClosingTheScreenLeavesNoWindow) {
    QPointer<QWidget> screen = openScreen();
    ASSERT_FALSE(screen.isNull());
    RaisePopUp(kPopUpFOS, kSafetyWarning);
    screen->close();
    flushDeletes();
    EXPECT_TRUE(screen.isNull());
    for (QWidget* w : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(w->isVisible() && w->objectName().startsWith(QLatin1String("frm")))
            << w->objectName().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, ProgramRoadTest,
                         ::testing::Values("frmTributary", "frmModelled", "frmInterpolate"));

} // namespace
} // namespace vt::test
