// Where the pillar dimensions dialog opens: at its design place where that
// leaves the calling screen uncovered, else beside the screen, always whole on
// the display.
#include "app/programstate.h"
#include "app/ui.h"
#include "dialogs/frmrazuziruridadimensions.h"
#include "tests/dialogs/dialogtestsupport.h"
#include "tests/support/programtest.h"

#include <QAbstractButton>
#include <QDir>
#include <QGuiApplication>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace vt::test {
namespace {

// The dialog's client area, 3735 x 7695 twips, without a window frame.
const QSize kDialog(249, 513);
// Its design place: 10140, 2100 twips.
const QPoint kGiven(676, 140);

// A calculation screen's frame, centred on the display as the screens open.
QRect CentredCaller(const QRect& available, const QSize& size) {
    QRect caller(QPoint(0, 0), size);
    caller.moveCenter(available.center());
    return caller;
}

// Another way to the answer: whether any place on the display at the chosen
// height leaves the caller uncovered, found by trying every one.
bool SomeWholePlaceLeavesTheCaller(const QRect& available, const QRect& caller, const QSize& size,
                                   int top) {
    for (int x = available.left(); x + size.width() - 1 <= available.right(); ++x)
        if (!QRect(QPoint(x, top), size).intersects(caller))
            return true;
    return false;
}

struct PlaceCase {
    const char* name;
    QRect available;
    QRect caller;
    QPoint given;
    QPoint expected; // the frame's top-left corner
};

TEST(PlaceBesideCaller, DisplaysAndScreens) {
    // The tributary and modelled screens are 307 x 560 with their frame.
    const QSize screen(307, 560);
    const QRect d1600(0, 0, 1600, 1000);
    const QRect d1366(0, 0, 1366, 768);
    const QRect d1920(0, 0, 1920, 1080);
    const QRect d800(0, 0, 800, 600);
    const QRect d1024(0, 0, 1024, 768);
    const QRect second(1920, 0, 1280, 1024); // right of a 1920-wide display
    const PlaceCase cases[] = {
        // Centred screens cover the design place on these displays: just right
        // of the screen, at the design height. On 1024x768 the place is free.
        {"1600x1000", d1600, CentredCaller(d1600, screen), kGiven, {953, 140}},
        {"1366x768", d1366, CentredCaller(d1366, screen), kGiven, {836, 140}},
        {"1920x1080", d1920, CentredCaller(d1920, screen), kGiven, {1113, 140}},
        {"1024x768", d1024, CentredCaller(d1024, screen), kGiven, kGiven},
        // 800x600: the design place is off the display; whole, at its right
        // edge, and no place at that height would leave the screen uncovered.
        {"800x600", d800, CentredCaller(d800, screen), kGiven, {551, 87}},
        // A screen moved to the left leaves the design place free.
        {"ScreenAtTheLeft", d1600, QRect(QPoint(0, 0), screen), kGiven, kGiven},
        {"ScreenBelow", d1366, QRect(QPoint(600, 660), QSize(400, 100)), kGiven, kGiven},
        // A wide screen with no room on its right: just left of it.
        {"NoRoomOnTheRight", d1366, QRect(600, 100, 760, 560), kGiven, {351, 140}},
        // The design place counts from the caller's own display.
        {"SecondDisplay", second, CentredCaller(second, screen), {1920 + 676, 140}, {2713, 140}},
        // A window frame: the given frame place is above and left of the client.
        {"Framed1366", d1366, CentredCaller(d1366, screen), {675, 116}, {836, 116}},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QSize size = QString::fromLatin1(c.name).startsWith(QLatin1String("Framed"))
                               ? QSize(251, 538)
                               : kDialog;
        const QRect placed = PlaceBesideCaller(c.available, c.caller, size, c.given);
        EXPECT_EQ(placed.size(), size);
        EXPECT_EQ(placed.topLeft(), c.expected)
            << placed.x() << "," << placed.y() << " caller " << c.caller.x() << "," << c.caller.y()
            << " " << c.caller.width() << "x" << c.caller.height();
        EXPECT_TRUE(c.available.contains(placed)) << "the whole dialog, Accept included, shows";
        if (placed.intersects(c.caller)) {
            EXPECT_FALSE(SomeWholePlaceLeavesTheCaller(c.available, c.caller, size, placed.top()));
        }
    }
}

TEST(PlaceBesideCaller, NeverCoversTheCallerWhereTheDisplayHasRoom) {
    // Every caller position on a grid over the four displays.
    for (const QRect& display : {QRect(0, 0, 1600, 1000), QRect(0, 0, 1366, 768),
                                 QRect(0, 0, 1920, 1080), QRect(0, 0, 800, 600)}) {
        for (int x = display.left(); x + 307 <= display.right(); x += 37) {
            for (int y = display.top(); y + 560 <= display.bottom(); y += 53) {
                const QRect caller(x, y, 307, 560);
                const QRect placed = PlaceBesideCaller(display, caller, kDialog, kGiven);
                SCOPED_TRACE(testing::Message() << display.width() << "x" << display.height()
                                                << " caller at " << x << "," << y);
                ASSERT_TRUE(display.contains(placed));
                if (placed.intersects(caller)) {
                    ASSERT_FALSE(
                        SomeWholePlaceLeavesTheCaller(display, caller, kDialog, placed.top()));
                }
                // The design place is kept wherever it is whole and uncovering.
                const QRect atGiven(kGiven, kDialog);
                if (display.contains(atGiven) && !atGiven.intersects(caller)) {
                    ASSERT_EQ(placed.topLeft(), kGiven);
                }
            }
        }
    }
}

TEST(PlaceBesideCaller, TheDesignPositionIsInTwips) {
    EXPECT_EQ(frmRazuziRuridaDimensions::DesignPosition(), kGiven);
    EXPECT_EQ(TwipsRect(10140, 2100, 3735, 7695), QRect(kGiven, kDialog));
}

// The real dialog, shown for a calling window on the test display.
class ShowBesideTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        caller.setWindowTitle(QStringLiteral("caller"));
        dialog = Windows().window<frmRazuziRuridaDimensions>(
            QStringLiteral("frmRazuziRuridaDimensions"));
        ASSERT_FALSE(dialog.isNull());
        ASSERT_FALSE(dialog->isVisible());
        available = QGuiApplication::primaryScreen()->availableGeometry();
    }
    void showCaller(const QRect& geometry) {
        caller.setGeometry(geometry);
        ASSERT_TRUE(ShowAndWait(&caller));
    }

    // Where the dialog's frame goes for a caller, by the rule, on the test
    // display and with the dialog's own frame.
    QRect expectedFor(const QWidget* screen) const {
        const QRect frame = dialog->frameGeometry();
        const QPoint clientOffset = dialog->geometry().topLeft() - frame.topLeft();
        return PlaceBesideCaller(available, screen->frameGeometry(), frame.size(),
                                 screen->screen()->geometry().topLeft() + kGiven - clientOffset);
    }

    QWidget caller;
    QPointer<frmRazuziRuridaDimensions> dialog;
    QRect available;
};

TEST_F(ShowBesideTest, OpensBesideTheCallerAndWholeOnTheDisplay) {
    showCaller(QRect(QPoint(available.left() + 400, available.top() + 40), QSize(300, 400)));
    dialog->showBeside(&caller);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    const QRect frame = dialog->frameGeometry();
    EXPECT_EQ(frame, expectedFor(&caller));
    EXPECT_TRUE(available.contains(frame));
    EXPECT_FALSE(frame.intersects(caller.frameGeometry()));
    // Its Accept can be reached.
    auto* accept = Child<QPushButton>(dialog, "cmdAccept");
    const QRect acceptOnScreen(accept->mapToGlobal(QPoint(0, 0)), accept->size());
    EXPECT_TRUE(available.contains(acceptOnScreen));
}

TEST_F(ShowBesideTest, ShownAgainItStaysWhereTheUserLeftIt) {
    showCaller(QRect(available.topLeft() + QPoint(10, 10), QSize(300, 400)));
    dialog->showBeside(&caller);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    const QPoint moved = dialog->pos() + QPoint(-5, 7);
    dialog->move(moved);
    dialog->hide();
    dialog->showBeside(&caller);
    EXPECT_EQ(dialog->pos(), moved);
}

// Through the screen's graphical design toggle.
TEST_F(ShowBesideTest, TheToggleOpensItBesideTheScreen) {
    QWidget* tributary = Windows().show(QStringLiteral("frmTributary"));
    ASSERT_NE(tributary, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tributary));
    QTest::mouseClick(Child<QAbstractButton>(tributary, "chkGraphicToggle"), Qt::LeftButton);
    ASSERT_TRUE(dialog && dialog->isVisible());
    const QRect frame = dialog->frameGeometry();
    EXPECT_EQ(frame, expectedFor(tributary));
    EXPECT_TRUE(available.contains(frame));

    // Under a real display, the whole screen as the user sees it.
    const QString shots = qEnvironmentVariable("VT_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        QTest::qWait(300);
        tributary->screen()->grabWindow(0).save(
            QDir(shots).filePath(QStringLiteral("dimensions-beside-screen.png")));
    }
}

} // namespace
} // namespace vt::test
