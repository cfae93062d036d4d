// Enter on a focused button of a dialog presses it, as Space does.
#include "app/programstate.h"
#include "tests/dialogs/dialogtestsupport.h"
#include "tests/support/programtest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace vt::test {
namespace {

struct EnterCase {
    const char* name;
    const char* window;
    const char* button;
    const char* message; // the message the press shows; null: the window closes
    friend void PrintTo(const EnterCase& c, std::ostream* os) { *os << c.name; }
};

class DialogEnterTest : public ProgramTest, public ::testing::WithParamInterface<EnterCase> {};

TEST_P(DialogEnterTest, EnterOnTheFocusedButtonPressesIt) {
    const EnterCase& c = GetParam();
    const QString name = QString::fromLatin1(c.window);
    QWidget* window = Windows().show(name);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    auto* button = Child<QAbstractButton>(window, c.button);
    ASSERT_NE(button, nullptr);
    QApplication::setActiveWindow(window);
    button->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), button);

    QTest::keyClick(button, Qt::Key_Return);

    if (c.message) {
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.last().text, QString::fromUtf8(c.message));
        EXPECT_EQ(Windows().existing(name), window);
    } else {
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(Windows().existing(name), nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, DialogEnterTest,
    ::testing::Values(
        EnterCase{"AddToList", "frmMedianUCS", "cmdAddToList", "Fill in a UCS reading"},
        EnterCase{"EraseFromList", "frmMedianUCS", "cmdEraseFromList",
                  "No selection was made for removal"},
        EnterCase{"CalculateK", "frmMedianUCS", "cmdCalculateK",
                  "Fill in at least one UCS before a calculation can be done"},
        EnterCase{"DimensionsAccept", "frmRazuziRuridaDimensions", "cmdAccept", nullptr},
        EnterCase{"AcceptFile", "frmFileOpen", "cmdFileOpen",
                  "File not properly selected, click on data file !"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace vt::test
