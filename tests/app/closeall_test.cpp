// CloseAllWindows: the fixed order, the start-up window left open, absent
// windows skipped, and a nested run from a closing screen.
#include "tests/app/shelltestutil.h"
#include "tests/support/programtest.h"

#include <QCloseEvent>
#include <QPointer>
#include <QStringList>
#include <set>

namespace vt::test {
namespace {

const QStringList kOrder = {
    "frmAbout",       "frmFileOpen", "frmMedianUCS",
    "frmModelled",    "frmPopUpFOS", "frmPopUpWH",
    "frmTributary",   "frmPrint",    "frmRazuziRuridaDimensions",
    "frmInterpolate",
};

// A window that writes its name into the log when it closes; a screen may run
// CloseAllWindows from its close, as the calculation screens do.
class FakeWindow : public QWidget {
public:
    static inline QStringList log;
    explicit FakeWindow(bool closesAll)
        : closesAll_(closesAll) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        log << objectName();
        if (closesAll_)
            CloseAllWindows();
        QWidget::closeEvent(event);
    }

private:
    bool closesAll_;
};

class CloseAllTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        FakeWindow::log.clear();
    }
    void TearDown() override {
        ProgramTest::TearDown();
        RegisterWindows();
        FakeWindow::log.clear();
    }
    // Registers fakes under every name; `screens` run CloseAllWindows on close.
    void registerFakes(const std::set<QString>& screens) {
        for (const QString& name : kOrder) {
            const bool closesAll = screens.count(name) > 0;
            Windows().registerFactory(name, [closesAll] { return new FakeWindow(closesAll); });
        }
    }
    void open(const QStringList& names) {
        for (const QString& name : names)
            Windows().show(name);
    }
};

TEST_F(CloseAllTest, ClosesEveryWindowInTheFixedOrderButNotTheStartUpWindow) {
    registerFakes({});
    QStringList shuffled = kOrder;
    std::reverse(shuffled.begin(), shuffled.end());
    open(shuffled);
    QPointer<QWidget> splash = Windows().show(QStringLiteral("frmSplash"));

    CloseAllWindows();
    EXPECT_EQ(FakeWindow::log, kOrder);
    for (const QString& name : kOrder)
        EXPECT_EQ(Windows().existing(name), nullptr) << name.toStdString();
    flushDeletes();
    ASSERT_FALSE(splash.isNull());
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(Windows().existing(QStringLiteral("frmSplash")), splash.data());
}

TEST_F(CloseAllTest, WindowsThatAreNotOpenAreSkipped) {
    registerFakes({});
    open({"frmInterpolate", "frmMedianUCS", "frmPopUpWH"});
    CloseAllWindows();
    EXPECT_EQ(FakeWindow::log, QStringList({"frmMedianUCS", "frmPopUpWH", "frmInterpolate"}));
    FakeWindow::log.clear();
    CloseAllWindows();
    EXPECT_TRUE(FakeWindow::log.isEmpty());
}

TEST_F(CloseAllTest, HiddenWindowsAreClosedToo) {
    registerFakes({});
    Windows().window(QStringLiteral("frmMedianUCS")); // created, never shown
    CloseAllWindows();
    EXPECT_EQ(FakeWindow::log, QStringList({"frmMedianUCS"}));
}

struct NestedCase {
    const char* name;
    std::set<QString> screens; // windows that run CloseAllWindows when closed
    QStringList open;
    QString closedByUser; // empty: CloseAllWindows is called directly
    QStringList expected;
    friend void PrintTo(const NestedCase& c, std::ostream* os) { *os << c.name; }
};

class NestedCloseTest : public CloseAllTest, public ::testing::WithParamInterface<NestedCase> {};

TEST_P(NestedCloseTest, EachWindowClosesOnceAndTheOrderHolds) {
    const auto& c = GetParam();
    registerFakes(c.screens);
    open(c.open);
    if (c.closedByUser.isEmpty())
        CloseAllWindows();
    else
        Windows().existing(c.closedByUser)->close();
    EXPECT_EQ(FakeWindow::log, c.expected);
    for (const QString& name : kOrder)
        EXPECT_EQ(Windows().existing(name), nullptr) << name.toStdString();
    flushDeletes();
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(kOrder.contains(w->objectName())) << w->objectName().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Screens, NestedCloseTest,
    ::testing::Values(NestedCase{"ModelledScreenInTheMiddle", {"frmModelled"}, kOrder, "", kOrder},
                      NestedCase{"EveryScreenClosesAll",
                                 {"frmModelled", "frmTributary", "frmInterpolate"},
                                 kOrder,
                                 "",
                                 kOrder},
                      // The user closes the tributary screen: it is closed first, then the
                      // rest in order, with the tributary screen left alone by the inner run.
                      NestedCase{"UserClosesTheTributaryScreen",
                                 {"frmTributary"},
                                 {"frmTributary", "frmAbout", "frmPopUpWH", "frmPrint"},
                                 "frmTributary",
                                 {"frmTributary", "frmAbout", "frmPopUpWH", "frmPrint"}},
                      NestedCase{"UserClosesTheInterpolationScreen",
                                 {"frmInterpolate"},
                                 {"frmInterpolate", "frmFileOpen", "frmRazuziRuridaDimensions"},
                                 "frmInterpolate",
                                 {"frmInterpolate", "frmFileOpen", "frmRazuziRuridaDimensions"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CloseAllTest, AClosedWindowOpensAgainFresh) {
    registerFakes({});
    QWidget* first = Windows().show(QStringLiteral("frmTributary"));
    first->setProperty("typed", 12);
    CloseAllWindows();
    flushDeletes();
    QWidget* second = Windows().show(QStringLiteral("frmTributary"));
    EXPECT_FALSE(second->property("typed").isValid());
}

} // namespace
} // namespace vt::test
