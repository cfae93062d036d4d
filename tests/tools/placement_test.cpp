// Where a design tool window opens: beside its screen on the side with room,
// whole on the display.
#include "tests/support/programtest.h"
#include "tools/placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <vector>

namespace vt::test {
namespace {

TEST(Placement, BesideTheScreenOnTheSideWithRoomAndWholeOnTheDisplay) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    struct Case {
        const char* what;
        int screenLeft;   // from the display's left
        bool toolOnRight; // where the tool goes
    };
    const Case cases[] = {{"room on the right", 0, true},
                          {"room on the left only", area.width() - 200, false}};
    for (const Case& c : cases) {
        QWidget screen;
        screen.setGeometry(area.left() + c.screenLeft, area.top() + 40, 200, 150);
        screen.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
        QWidget tool;
        tool.resize(area.width() / 3, 120);
        tools::PlaceBeside(&tool, &screen);
        const QRect placed(tool.pos(), tool.size());
        EXPECT_TRUE(area.contains(placed)) << c.what;
        EXPECT_FALSE(placed.intersects(screen.frameGeometry())) << c.what;
        if (c.toolOnRight)
            EXPECT_GE(placed.left(), screen.frameGeometry().right()) << c.what;
        else
            EXPECT_LE(placed.right(), screen.frameGeometry().left()) << c.what;
        EXPECT_EQ(placed.top(), screen.frameGeometry().top()) << c.what;
    }
    // A tool larger than the display is made to fit it.
    QWidget screen;
    screen.setGeometry(area.left(), area.top(), 100, 100);
    QWidget tool;
    tool.resize(area.width() * 2, area.height() * 2);
    tools::PlaceBeside(&tool, &screen);
    EXPECT_TRUE(area.contains(QRect(tool.pos(), tool.size())));
}

// The place chosen among the screen and the tools already open, on the
// displays of small laptops.
TEST(Placement, BesideTheScreenAndTheOtherToolsOnALaptopDisplay) {
    const QRect small(0, 0, 1024, 768);
    const QRect wide(0, 0, 1366, 768);
    struct Case {
        const char* what;
        QRect area;
        QRect screen;
        std::vector<QRect> taken;
        QSize tool;
        QRect expected;
    };
    const Case cases[] = {
        {"right of the screen", wide, {0, 0, 600, 500}, {}, {500, 600}, {600, 0, 500, 600}},
        {"left of a screen at the right edge",
         wide,
         {766, 100, 600, 500},
         {},
         {500, 400},
         {266, 100, 500, 400}},
        {"right of the tool beside the screen",
         wide,
         {0, 0, 400, 300},
         {{400, 0, 500, 400}},
         {400, 300},
         {900, 0, 400, 300}},
        {"below the tool beside the screen",
         wide,
         {0, 0, 400, 300},
         {{400, 0, 966, 400}},
         {500, 300},
         {400, 400, 500, 300}},
        {"no free place: over the other tool, not the screen",
         wide,
         {0, 0, 600, 500},
         {{600, 0, 500, 600}},
         {500, 600},
         {866, 0, 500, 600}},
        {"no room beside the screen: as far from it as the display lets it be",
         small,
         {0, 0, 600, 500},
         {},
         {900, 640},
         {124, 0, 900, 640}},
        {"kept on the display below",
         small,
         {300, 500, 200, 200},
         {},
         {400, 500},
         {500, 268, 400, 500}},
        {"larger than the display: made to fit it",
         small,
         {0, 0, 600, 500},
         {},
         {2000, 1000},
         {0, 0, 1024, 768}},
    };
    for (const Case& c : cases) {
        const QRect placed = tools::PlaceBeside(c.tool, c.screen, c.area, c.taken);
        EXPECT_EQ(placed, c.expected) << c.what;
        EXPECT_TRUE(c.area.contains(placed)) << c.what;
    }
}

} // namespace
} // namespace vt::test
