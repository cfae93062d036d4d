// The solve window driven as a user would: opened from each screen's Design
// menu, stating the answers the solve gives for the screen's design, Apply
// typing an answer into the screen (which then calculates it unflagged), the
// limits typed, and bad input on the screen.
#include "app/ui.h"
#include "design/schedule.h"
#include "design/solve.h"
#include "evaluation/designfields.h"
#include "tests/design/toolhelpers.h"
#include "tests/support/locale.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <functional>

namespace vt::test {
namespace {

constexpr int kWidth = 0;
constexpr int kDepth = 1;
constexpr int kBords = 2;
const design::Question kQuestions[] = {design::Question::SmallestWidth,
                                       design::Question::GreatestDepth,
                                       design::Question::WidestBords};

// Both steps of the screen, as its two "Calculate and Continue" buttons run them.
void Calculate(CalculationScreen* screen) {
    Press(screen, QStringLiteral("cmdCalculateAndContinue1"));
    Press(screen, QStringLiteral("cmdCalculateAndContinue2"));
}

class SolveOnEachScreen : public DesignToolTest,
                          public ::testing::WithParamInterface<const char*> {};

TEST_P(SolveOnEachScreen, StatesTheAnswersAndApplyTypesTheWidthIntoTheScreen) {
    CalculationScreen* screen = open(GetParam());
    ASSERT_NE(screen, nullptr);
    fill(screen, QStringLiteral("3"));
    frmTargetFOS* window = target(screen);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->txtTargetFOS->text(), QStringLiteral("1.6"));
    EXPECT_EQ(window->txtMinimumWH->text(), QStringLiteral("2.5"));
    EXPECT_EQ(window->txtPlanGrid->text(), QStringLiteral("0.1"));
    const design::BaseDesign base = BaseOf(screen);
    for (int i = 0; i < frmTargetFOS::kQuestions; ++i) {
        const design::Answer expected = design::Solve(base, kQuestions[i], design::SolveSettings{});
        EXPECT_EQ(window->lblAnswer[static_cast<std::size_t>(i)]->text(), expected.text) << i;
        EXPECT_EQ(window->cmdApply[static_cast<std::size_t>(i)]->isEnabled(),
                  expected.answer.has_value())
            << i;
    }
    const design::Answer& width = window->answer(kWidth);
    ASSERT_TRUE(width.answer);
    ASSERT_NE(width.answer->texts.width, QStringLiteral("10"));
    QTest::mouseClick(window->cmdApply[kWidth], Qt::LeftButton);
    EXPECT_EQ(Text(screen, QStringLiteral("cboPillarWidth1")), width.answer->texts.width);
    EXPECT_EQ(Text(screen, QStringLiteral("cboPillarLength")), width.answer->texts.length);
    EXPECT_EQ(Text(screen, QStringLiteral("lblFOS")),
              QString()); // the screen's own change handling
    Calculate(screen);
    EXPECT_EQ(Text(screen, QStringLiteral("lblFOS")), width.answer->shown.factorOfSafety);
    EXPECT_EQ(Text(screen, QStringLiteral("lblWHratio")), width.answer->shown.widthHeightRatio);
    EXPECT_EQ(Background(Field(screen, QStringLiteral("lblFOS"))), kLightGrey);
    EXPECT_EQ(Background(Field(screen, QStringLiteral("lblWHratio"))), kLightGrey);
    Settle();
    // Solved again for the new design: the same smallest width.
    ASSERT_TRUE(window->answer(kWidth).answer);
    EXPECT_EQ(window->answer(kWidth).answer->texts.width, width.answer->texts.width);
}

INSTANTIATE_TEST_SUITE_P(Screens, SolveOnEachScreen,
                         ::testing::Values("frmTributary", "frmModelled", "frmInterpolate"));

using SolveWindow = DesignToolTest;

TEST_F(SolveWindow, ApplyTypesTheDepthAndTheBordsIntoTheScreen) {
    CalculationScreen* screen = open("frmTributary");
    fill(screen, QStringLiteral("4"));
    Pick(screen, QStringLiteral("cboBordWidth2"), QStringLiteral("16"));
    frmTargetFOS* window = target(screen);
    ASSERT_TRUE(window->answer(kDepth).answer);
    QTest::mouseClick(window->cmdApply[kDepth], Qt::LeftButton);
    EXPECT_EQ(Text(screen, QStringLiteral("txtDepth")), window->answer(kDepth).answer->texts.depth);
    Calculate(screen);
    EXPECT_EQ(Background(Field(screen, QStringLiteral("lblFOS"))), kLightGrey);
    Settle();
    ASSERT_TRUE(window->answer(kBords).answer);
    const evaluation::DesignTexts bords = window->answer(kBords).answer->texts;
    EXPECT_NE(bords.bord1, bords.bord2); // bord width 2 keeps its ratio
    QTest::mouseClick(window->cmdApply[kBords], Qt::LeftButton);
    EXPECT_EQ(Text(screen, QStringLiteral("cboBordWidth")), bords.bord1);
    EXPECT_EQ(Text(screen, QStringLiteral("cboBordWidth2")), bords.bord2);
    Calculate(screen);
    EXPECT_EQ(Text(screen, QStringLiteral("lblFOS")),
              window->answer(kBords).answer->shown.factorOfSafety);
    EXPECT_TRUE(messages.shown.empty());
}

// Every input of the screen as typed, by its key.
QStringList Inputs(const CalculationScreen* screen) {
    const evaluation::DesignTexts texts = screen->designTexts();
    QStringList inputs;
    for (const evaluation::DesignField& field : evaluation::kDesignFields)
        inputs << QString::fromLatin1(field.name) + u'=' + texts.*field.text;
    return inputs;
}

struct UndoCase {
    const char* name;
    std::vector<int> applies; // in order
    bool byKey;               // Ctrl+Z in the window, else a click
};

TEST_F(SolveWindow, UndoApplyTypesBackExactlyWhatEachApplyTypedOver) {
    const UndoCase cases[] = {
        {"width", {kWidth}, false},
        {"depth", {kDepth}, true},
        {"bords", {kBords}, false},
        {"width, then depth", {kWidth, kDepth}, true},
    };
    for (const UndoCase& c : cases) {
        SCOPED_TRACE(c.name);
        CalculationScreen* screen = open("frmTributary");
        fill(screen, QStringLiteral("4"));
        // Texts as a user types them, which the answers' texts are not.
        Type(screen, QStringLiteral("txtDepth"), QStringLiteral("500.0"));
        Pick(screen, QStringLiteral("cboBordWidth2"), QStringLiteral("16"));
        Calculate(screen);
        frmTargetFOS* window = target(screen);
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(window->cmdUndoApply->isEnabled());
        std::vector<QStringList> before;
        for (const int apply : c.applies) {
            Settle();
            ASSERT_TRUE(window->cmdApply[static_cast<std::size_t>(apply)]->isEnabled());
            before.push_back(Inputs(screen));
            QTest::mouseClick(window->cmdApply[static_cast<std::size_t>(apply)], Qt::LeftButton);
            EXPECT_NE(Inputs(screen), before.back());
            EXPECT_TRUE(window->cmdUndoApply->isEnabled());
        }
        for (auto it = before.rbegin(); it != before.rend(); ++it) {
            if (c.byKey) {
                window->activateWindow();
                ASSERT_TRUE(QTest::qWaitForWindowActive(window));
                QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
                // A shortcut presses the button as a click does, in a moment.
                (void)QTest::qWaitFor([&] { return Inputs(screen) == *it; }, 2000);
            } else {
                QTest::mouseClick(window->cmdUndoApply, Qt::LeftButton);
            }
            EXPECT_EQ(Inputs(screen), *it);
            // The screen's own change handling: the results wait for a calculation.
            EXPECT_EQ(Text(screen, QStringLiteral("lblFOS")), QString());
        }
        EXPECT_FALSE(window->cmdUndoApply->isEnabled());
        Calculate(screen);
        EXPECT_FALSE(Text(screen, QStringLiteral("lblFOS")).isEmpty());
        EXPECT_TRUE(messages.shown.empty());
        CloseAllWindows();
        flushDeletes();
    }
}

TEST_F(SolveWindow, TheLimitsAreReadAsTyped) {
    CalculationScreen* screen = open("frmTributary");
    fill(screen, QStringLiteral("4"));
    frmTargetFOS* window = target(screen);
    window->txtTargetFOS->setFocus();
    window->txtTargetFOS->selectAll();
    QTest::keyClicks(window->txtTargetFOS, QStringLiteral("abc"));
    Settle();
    EXPECT_EQ(window->lblSettings->text(), QStringLiteral("The target FOS is not a number"));
    for (QPushButton* apply : window->cmdApply)
        EXPECT_FALSE(apply->isEnabled());
    window->txtTargetFOS->selectAll();
    QTest::keyClicks(window->txtTargetFOS, QStringLiteral("2"));
    Settle();
    EXPECT_TRUE(window->lblSettings->text().isEmpty());
    const design::Answer& width = window->answer(kWidth);
    ASSERT_TRUE(width.answer);
    EXPECT_GE(width.answer->shown.factorOfSafetyValue, 2.0f);
    EXPECT_TRUE(window->lblAnswer[kWidth]->text().contains(QStringLiteral("the FOS below 2")));
}

TEST_F(SolveWindow, TheDefaultLimitsAreWrittenAndReadInTheUsersDecimals) {
    LocaleScope german(German());
    CalculationScreen* screen = open("frmTributary");
    fill(screen, QStringLiteral("4"));
    frmTargetFOS* window = target(screen);
    EXPECT_EQ(window->txtTargetFOS->text(), QStringLiteral("1,6"));
    EXPECT_EQ(window->txtMinimumWH->text(), QStringLiteral("2,5"));
    EXPECT_EQ(window->txtPlanGrid->text(), QStringLiteral("0,1"));
    EXPECT_TRUE(window->lblSettings->text().isEmpty());
    // The same answers as the limits 1.6, 2.5 and 0.1 give.
    const design::BaseDesign base = BaseOf(screen);
    for (int i = 0; i < frmTargetFOS::kQuestions; ++i) {
        const design::Answer expected = design::Solve(base, kQuestions[i], design::SolveSettings{});
        const design::Answer& shown = window->answer(i);
        ASSERT_EQ(shown.answer.has_value(), expected.answer.has_value()) << i;
        if (!expected.answer)
            continue;
        EXPECT_EQ(shown.answer->texts.width, expected.answer->texts.width) << i;
        EXPECT_EQ(shown.answer->texts.depth, expected.answer->texts.depth) << i;
        EXPECT_EQ(shown.answer->texts.bord1, expected.answer->texts.bord1) << i;
    }
    EXPECT_TRUE(window->lblAnswer[kDepth]->text().contains(QStringLiteral("below 1,6")))
        << window->lblAnswer[kDepth]->text().toStdString();
}

TEST_F(SolveWindow, BadInputOnTheScreenIsSaidInTheScreensWords) {
    CalculationScreen* screen = open("frmTributary");
    fill(screen, QStringLiteral("4"));
    frmTargetFOS* window = target(screen);
    Type(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("x"));
    Settle();
    const QString said = window->lblAnswer[kWidth]->text();
    EXPECT_TRUE(said.contains(QStringLiteral("is not a number"))) << said.toStdString();
    for (int i = 0; i < frmTargetFOS::kQuestions; ++i) {
        EXPECT_EQ(window->lblAnswer[static_cast<std::size_t>(i)]->text(), said);
        EXPECT_FALSE(window->cmdApply[static_cast<std::size_t>(i)]->isEnabled());
    }
    EXPECT_TRUE(messages.shown.empty());
    Press(screen, QStringLiteral("cmdCalculatePillarStrength"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last().text, said);
}

TEST_F(SolveWindow, OnTheModelledScreenDepthAndBordsAreSaidToLeaveTheFosAlone) {
    CalculationScreen* screen = open("frmModelled");
    fill(screen, QStringLiteral("4"));
    frmTargetFOS* window = target(screen);
    EXPECT_TRUE(window->lblAnswer[kDepth]->text().startsWith(
        QStringLiteral("The depth takes no part in the calculation on this screen")));
    EXPECT_TRUE(window->lblAnswer[kBords]->text().startsWith(
        QStringLiteral("The bord widths change the % extraction on this screen but not the FOS")));
    EXPECT_FALSE(window->cmdApply[kDepth]->isEnabled());
    EXPECT_FALSE(window->cmdApply[kBords]->isEnabled());
    EXPECT_TRUE(window->cmdApply[kWidth]->isEnabled());
    // The width's answer says the typed stress stays while the pillar narrows.
    EXPECT_TRUE(window->lblAnswer[kWidth]->text().endsWith(
        QStringLiteral("\nThe stress stays the modelled stress typed in at every width: the FOS "
                       "divides by it however narrow or wide the pillar.")))
        << window->lblAnswer[kWidth]->text().toStdString();
}

TEST_F(SolveWindow, ClosesWithEveryWindow) {
    CalculationScreen* screen = open("frmInterpolate");
    fill(screen, QStringLiteral("4"));
    QPointer<QWidget> solve(target(screen));
    QPointer<QWidget> drawn(charts(screen));
    EXPECT_TRUE(solve->isVisible() && drawn->isVisible());
    CloseAllWindows();
    flushDeletes();
    EXPECT_TRUE(solve.isNull());
    EXPECT_TRUE(drawn.isNull());
}

// The schedule by depth: the window's rows are the schedule of the screen's
// design, Apply types a row's depth and width into the screen (which then
// shows that row's FOS), and it exports as CSV; the modelled screen says why
// it has none.
TEST_F(SolveWindow, ScheduleByDepthAppliesARowAndExports) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    CalculationScreen* screen = open("frmTributary");
    fill(screen, QStringLiteral("4"));
    frmTargetFOS* window = target(screen);
    ASSERT_NE(window, nullptr);
    window->tabTarget->setCurrentIndex(1);
    const auto type = [](QLineEdit* edit, const char* text) {
        edit->selectAll();
        QTest::keyClicks(edit, QLatin1String(text));
    };
    type(window->txtScheduleFrom, "300");
    type(window->txtScheduleTo, "1500");
    type(window->txtScheduleStep, "300");
    QTest::mouseClick(window->cmdMakeSchedule, Qt::LeftButton);
    const auto depths =
        design::ReadRange(QStringLiteral("300"), QStringLiteral("1500"), QStringLiteral("300"),
                          evaluation::NumberLocale::Current());
    const auto expected = design::DepthSchedule(BaseOf(screen), depths.value(), {});
    ASSERT_TRUE(expected.ok());
    ASSERT_EQ(window->tblSchedule->rowCount(), 5);
    int chosen = -1;
    for (int i = 0; i < 5; ++i) {
        const auto& row = expected.value()[static_cast<std::size_t>(i)];
        EXPECT_EQ(window->tblSchedule->item(i, 0)->text(),
                  row.depth.text(evaluation::NumberLocale::Current()));
        EXPECT_EQ(window->tblSchedule->item(i, 1)->text(),
                  row.answer.answer ? row.answer.answer->texts.width : QString());
        if (row.answer.answer && chosen < 0 && i > 0)
            chosen = i;
    }
    ASSERT_GE(chosen, 0);
    const auto& row = expected.value()[static_cast<std::size_t>(chosen)];
    window->tblSchedule->selectRow(chosen);
    ASSERT_TRUE(window->cmdApplySchedule->isEnabled());
    QTest::mouseClick(window->cmdApplySchedule, Qt::LeftButton);
    EXPECT_EQ(Text(screen, QStringLiteral("txtDepth")),
              row.depth.text(evaluation::NumberLocale::Current()));
    EXPECT_EQ(Text(screen, QStringLiteral("cboPillarWidth1")), row.answer.answer->texts.width);
    Calculate(screen);
    EXPECT_EQ(Text(screen, QStringLiteral("lblFOS")), row.answer.answer->shown.factorOfSafety);
    Settle();
    // Made again for the screen's new design: the same rows.
    ASSERT_EQ(window->tblSchedule->rowCount(), 5);
    EXPECT_EQ(window->tblSchedule->item(chosen, 1)->text(), row.answer.answer->texts.width);

    fileDialogs.path = dir.filePath(QStringLiteral("schedule.csv"));
    QTest::mouseClick(window->cmdScheduleCSV, Qt::LeftButton);
    QFile file(fileDialogs.path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("Depth (m),Pillar width (m),Pillar length (m)"));

    // A design or limits the solve refuses: no rows are left from the design
    // before, and the window says why.
    const struct {
        const char* what;
        std::function<void()> refuse;
        std::function<void()> restore;
    } refusals[] = {
        {"no K", [&] { Type(screen, QStringLiteral("cboK"), QString()); },
         [&] { Type(screen, QStringLiteral("cboK"), QStringLiteral("100")); }},
        {"a target FOS that is no number", [&] { type(window->txtTargetFOS, "x"); },
         [&] { type(window->txtTargetFOS, "1.6"); }},
    };
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.what);
        r.refuse();
        Settle();
        EXPECT_EQ(window->tblSchedule->rowCount(), 0);
        EXPECT_FALSE(window->lblSchedule->text().isEmpty());
        r.restore();
        Settle();
        EXPECT_EQ(window->tblSchedule->rowCount(), 5);
    }

    CloseAllWindows();
    flushDeletes();
    CalculationScreen* modelled = open("frmModelled");
    fill(modelled, QStringLiteral("4"));
    frmTargetFOS* other = target(modelled);
    ASSERT_NE(other, nullptr);
    QTest::mouseClick(other->cmdMakeSchedule, Qt::LeftButton);
    EXPECT_EQ(other->tblSchedule->rowCount(), 0);
    EXPECT_TRUE(other->lblSchedule->text().contains(QLatin1String("modelled")));
}

} // namespace
} // namespace vt::test
