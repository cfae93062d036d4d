// The mouse wheel turns a drop-down only while it has the keyboard focus. A
// wheel over any other drop-down leaves its value and the results alone, does
// not take the focus and goes on to the page under it.
#include "app/programstate.h"
#include "tests/support/screenhelpers.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>

namespace vt::test {
namespace {

// One notch of the wheel (down, towards the next item) over the middle of
// the widget, delivered as the window system delivers it: spontaneous, so
// that Qt applies the widget's wheel focus policy and hands an event the
// widget leaves on to its parents. (sendEvent would make it synthetic.)
void Wheel(QWidget* widget, int notches = -1) {
    const QPointF at = QRectF(widget->rect()).center();
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(widget, &event);
}

// Counts the wheel events that reach a widget.
class WheelCounter final : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Wheel)
            ++count;
        return false;
    }
    int count = 0;
};

class WheelTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        screen = OpenScreen(QStringLiteral("frmTributary"));
        ASSERT_NE(screen, nullptr);
        // A whole evaluation: stress, extraction, W:H, strength and FOS shown.
        const char* inputs[][2] = {{"cboRockDensity", "2.7"},
                                   {"txtDepth", "500"},
                                   {"cboPillarWidth1", "10"},
                                   {"cboPillarLength", "10"},
                                   {"cboBordWidth", "6"},
                                   {"cboBordWidth2", "6"},
                                   {"cboK", "100"}};
        for (const auto& input : inputs)
            Type(screen, QString::fromLatin1(input[0]), QString::fromLatin1(input[1]));
        Pick(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("5"));
        Press(screen, QStringLiteral("cmdCalculateAndContinue1"));
        Press(screen, QStringLiteral("cmdCalculatePillarStrength"));
        ASSERT_FALSE(Text(screen, QStringLiteral("lblFOS")).isEmpty());
    }

    QComboBox* combo(const char* name) const {
        return screen->findChild<QComboBox*>(QString::fromLatin1(name));
    }

    QStringList results() const {
        QStringList texts;
        for (const char* name : {"lblPillarStress", "lblPercentageExtraction", "lblWHratio",
                                 "lblPillarStrength", "lblFOS"})
            texts << Text(screen, QString::fromLatin1(name));
        return texts;
    }

    CalculationScreen* screen = nullptr;
};

TEST_F(WheelTest, AnUnfocusedDropDownKeepsItsValueAndTheResults) {
    QComboBox* height = combo("cboPillarHeight"); // "5", on the visible strength tab
    ASSERT_TRUE(height->isVisible());
    QPointer<QWidget> focused = QApplication::focusWidget();
    ASSERT_FALSE(focused.isNull());
    ASSERT_FALSE(height->hasFocus());
    const QStringList before = results();
    WheelCounter page;
    height->parentWidget()->installEventFilter(&page);

    Wheel(height);
    Wheel(height->lineEdit()); // over the text part
    EXPECT_EQ(height->currentText(), QStringLiteral("5"));
    EXPECT_EQ(results().join(QStringLiteral(" | ")).toStdString(),
              before.join(QStringLiteral(" | ")).toStdString());
    EXPECT_EQ(QApplication::focusWidget(), focused.data()) << "the wheel took the focus";
    EXPECT_EQ(page.count, 2) << "the wheel did not go on to the page";
}

TEST_F(WheelTest, TheFocusedDropDownTurnsAndEmptiesTheResultsAsAPickDoes) {
    QComboBox* height = combo("cboPillarHeight");
    height->setFocus();
    ASSERT_TRUE(height->hasFocus());
    Wheel(height); // down: the item after "5"
    EXPECT_EQ(height->currentText(), QStringLiteral("6"));
    EXPECT_EQ(Text(screen, QStringLiteral("txtFRPillarHeight")), QStringLiteral("6"));
    for (const char* name : {"lblWHratio", "lblPillarStrength", "lblFOS"})
        EXPECT_EQ(Text(screen, QString::fromLatin1(name)), QString()) << name;
    EXPECT_FALSE(Text(screen, QStringLiteral("lblPillarStress")).isEmpty());
    Wheel(height, 1); // and back up
    EXPECT_EQ(height->currentText(), QStringLiteral("5"));
}

// Every drop-down of every window: the calculation screens, the dimensions
// dialog, the file chooser's drive list, the probability window's
// distributions and the design tools.
TEST_F(WheelTest, NoDropDownOfAnyWindowTurnsWithoutTheFocus) {
    int checked = 0;
    for (const char* name : {"frmTributary", "frmModelled", "frmInterpolate",
                             "frmRazuziRuridaDimensions", "frmFileOpen", "frmMedianUCS", "frmPrint",
                             "frmProbability", "frmDesignCharts", "frmTargetFOS"}) {
        QWidget* window = Windows().show(QString::fromLatin1(name));
        ASSERT_NE(window, nullptr) << name;
        // The focus on a button of the window: no drop-down has it.
        QPushButton* button = window->findChild<QPushButton*>();
        ASSERT_NE(button, nullptr) << name;
        button->setFocus();
        for (QComboBox* box : window->findChildren<QComboBox*>()) {
            if (box->count() < 2)
                box->addItems({QStringLiteral("first"), QStringLiteral("second")});
            box->setCurrentIndex(0);
            const QString text = box->currentText();
            // The wheel gives no focus (a locked one takes none at all).
            EXPECT_NE(box->focusPolicy() & Qt::WheelFocus, Qt::WheelFocus)
                << name << "/" << box->objectName().toStdString();
            Wheel(box);
            EXPECT_EQ(box->currentIndex(), 0) << name << "/" << box->objectName().toStdString();
            EXPECT_EQ(box->currentText(), text) << name << "/" << box->objectName().toStdString();
            EXPECT_FALSE(box->hasFocus()) << name << "/" << box->objectName().toStdString();
            ++checked;
        }
    }
    // Eight on each screen, four in the dimensions dialog, the drive list and
    // at least eight distributions.
    EXPECT_GE(checked, 3 * 8 + 4 + 1 + 8);
}

// The report's date turns only while it has the focus, like the drop-downs.
TEST_F(WheelTest, TheReportsDateTurnsOnlyWithTheFocus) {
    QWidget* report = Windows().show(QStringLiteral("frmPrint"));
    ASSERT_NE(report, nullptr);
    auto* date = report->findChild<QDateEdit*>(QStringLiteral("DTPicker1"));
    ASSERT_NE(date, nullptr);
    report->findChild<QPushButton*>()->setFocus();
    const QDate before = date->date();
    EXPECT_NE(date->focusPolicy() & Qt::WheelFocus, Qt::WheelFocus);
    Wheel(date, 1);
    EXPECT_EQ(date->date(), before);
    EXPECT_FALSE(date->hasFocus());
    report->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(report));
    date->setFocus();
    ASSERT_TRUE(date->hasFocus());
    Wheel(date, 1);
    EXPECT_NE(date->date(), before);
}

} // namespace
} // namespace vt::test
