// Where a design tool window opens: beside its screen on the side with room,
// whole on the display.
#include "design/placement.h"
#include "tests/support/programtest.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

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
        design::PlaceBeside(&tool, &screen);
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
    design::PlaceBeside(&tool, &screen);
    EXPECT_TRUE(area.contains(QRect(tool.pos(), tool.size())));
}

} // namespace
} // namespace vt::test
