// The two self-closing warning windows.
#include "app/frmpopup.h"
#include "app/shellwindows.h"
#include "tests/app/shelltestutil.h"
#include "tests/support/programtest.h"

#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <chrono>

namespace vt::test {
namespace {

using namespace std::chrono_literals;

struct PopUpCase {
    const char* id;
    QString name;
    QString text;
    QRect client; // pixels, from the twips of the design
    bool fixedBorder;
    friend void PrintTo(const PopUpCase& c, std::ostream* os) { *os << c.id; }
};

const PopUpCase kPopUps[] = {
    {"FOS", kPopUpFOS, "The Factor of Safety is too small", QRect(356, 249, 312, 89), true},
    {"WH", kPopUpWH, "The Width:Height ratio is too small", QRect(357, 377, 310, 87), false},
};

QLabel* Message(QWidget* popUp) {
    return popUp->findChild<QLabel*>(QStringLiteral("lblPopUp"));
}

QTimer* Lifetime(QWidget* popUp) {
    return popUp->findChild<QTimer*>(QStringLiteral("Timer1"));
}

class PopUpTest : public ProgramTest, public ::testing::WithParamInterface<PopUpCase> {};

TEST_P(PopUpTest, ShowsItsTextAtItsPlaceWithItsBorder) {
    const auto& c = GetParam();
    EXPECT_EQ(Windows().existing(c.name), nullptr);
    RaisePopUp(c.name, c.text);
    QWidget* popUp = Windows().existing(c.name);
    ASSERT_NE(popUp, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popUp));

    EXPECT_EQ(popUp->windowTitle(), "Pop-up screen");
    EXPECT_EQ(popUp->geometry(), c.client);
    EXPECT_EQ(popUp->parentWidget(), nullptr);
    EXPECT_FALSE(popUp->isModal());
    EXPECT_EQ(popUp->minimumSize() == popUp->maximumSize(), c.fixedBorder);
    EXPECT_EQ(bool(popUp->windowFlags() & Qt::WindowMaximizeButtonHint), !c.fixedBorder);
    EXPECT_EQ(bool(popUp->windowFlags() & Qt::WindowMinimizeButtonHint), !c.fixedBorder);
    EXPECT_TRUE(popUp->windowFlags() & Qt::WindowCloseButtonHint);

    QLabel* label = Message(popUp);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), c.text);
    EXPECT_EQ(label->geometry(), QRect(8, 16, 297, 65));
    EXPECT_EQ(label->alignment(), Qt::AlignCenter);
    EXPECT_EQ(label->font().family(), "Arial");
    EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 18.0);
    EXPECT_TRUE(label->font().bold());

    QTimer* timer = Lifetime(popUp);
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->intervalAsDuration(), 2000ms);
}

TEST_P(PopUpTest, TheTimerTickDestroysTheWindowAndTheNextRaiseMakesAFreshOne) {
    const auto& c = GetParam();
    RaisePopUp(c.name, c.text);
    QPointer<QWidget> popUp = Windows().existing(c.name);
    ASSERT_FALSE(popUp.isNull());
    Tick(popUp);
    EXPECT_EQ(Windows().existing(c.name), nullptr);
    flushDeletes();
    EXPECT_TRUE(popUp.isNull());

    RaisePopUp(c.name, c.text);
    QWidget* fresh = Windows().existing(c.name);
    ASSERT_NE(fresh, nullptr);
    EXPECT_TRUE(fresh->isVisible());
    EXPECT_TRUE(Lifetime(fresh)->isActive());
}

TEST_P(PopUpTest, ClosingByHandBeforeTheTimeIsUpIsHarmless) {
    const auto& c = GetParam();
    RaisePopUp(c.name, c.text);
    QPointer<QWidget> popUp = Windows().existing(c.name);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popUp));
    QPointer<QTimer> timer = Lifetime(popUp);
    popUp->close();
    EXPECT_EQ(Windows().existing(c.name), nullptr);
    // A tick that still arrives before the window is gone does nothing more.
    EXPECT_FALSE(timer->isActive());
    QMetaObject::invokeMethod(timer, "timeout");
    flushDeletes();
    EXPECT_TRUE(popUp.isNull());
    EXPECT_TRUE(timer.isNull());
}

TEST_P(PopUpTest, RaisingAgainChangesTheTextButKeepsTheDeadline) {
    const auto& c = GetParam();
    RaisePopUp(c.name, QStringLiteral("first"));
    QWidget* popUp = Windows().existing(c.name);
    ASSERT_NE(popUp, nullptr);
    QTest::qWait(300);
    RaisePopUp(c.name, c.text);
    EXPECT_EQ(Windows().existing(c.name), popUp);
    EXPECT_EQ(Message(popUp)->text(), c.text);
    // Restarting would leave about 2000 ms; 300 ms have already gone.
    EXPECT_LE(Lifetime(popUp)->remainingTime(), 1800);
    int popUps = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == c.name && w->isVisible())
            ++popUps;
    EXPECT_EQ(popUps, 1);
}

TEST_P(PopUpTest, CloseAllWindowsClosesIt) {
    const auto& c = GetParam();
    RaisePopUp(c.name, c.text);
    QPointer<QWidget> popUp = Windows().existing(c.name);
    CloseAllWindows();
    flushDeletes();
    EXPECT_TRUE(popUp.isNull());
}

INSTANTIATE_TEST_SUITE_P(Kinds, PopUpTest, ::testing::ValuesIn(kPopUps),
                         [](const auto& info) { return std::string(info.param.id); });

struct PlaceCase {
    const char* name;
    QRect area;
    QRect expected; // where the FOS pop-up's client area goes
    friend void PrintTo(const PlaceCase& c, std::ostream* os) { *os << c.name; }
};

class PopUpPlaceTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(PopUpPlaceTest, KeepsTheWindowOnASmallDisplay) {
    const QRect fos = frmPopUp::ClientRect(frmPopUp::Kind::FactorOfSafety);
    EXPECT_EQ(frmPopUp::KeptInside(fos, GetParam().area), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Displays, PopUpPlaceTest,
    ::testing::Values(
        PlaceCase{"RoomEnough", QRect(0, 0, 1024, 768), QRect(356, 249, 312, 89)},
        PlaceCase{"Narrow", QRect(0, 0, 600, 768), QRect(288, 249, 312, 89)},
        PlaceCase{"Low", QRect(0, 0, 1024, 300), QRect(356, 211, 312, 89)},
        PlaceCase{"SecondDisplayOnTheRight", QRect(1024, 0, 800, 600), QRect(1024, 249, 312, 89)},
        PlaceCase{"SmallerThanTheWindow", QRect(0, 0, 200, 50), QRect(0, 0, 312, 89)}),
    [](const auto& info) { return std::string(info.param.name); });

class PopUpPairTest : public ProgramTest {};

TEST_F(PopUpPairTest, BothShowTheWidthHeightOneBelowAndBothGoAfterTwoSeconds) {
    RaisePopUp(kPopUpWH, kWidthHeightWarning);
    RaisePopUp(kPopUpFOS, kSafetyWarning);
    QPointer<QWidget> wh = Windows().existing(kPopUpWH);
    QPointer<QWidget> fos = Windows().existing(kPopUpFOS);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(wh));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(fos));
    EXPECT_GT(wh->geometry().top(), fos->geometry().bottom());
    // The real timers, not fired by hand.
    QTRY_VERIFY_WITH_TIMEOUT(wh.isNull() && fos.isNull(), 6000);
}

} // namespace
} // namespace vt::test
