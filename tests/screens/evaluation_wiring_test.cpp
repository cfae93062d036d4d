// Each screen shows exactly what the evaluation steps give for the texts in
// its fields: random designs typed and picked through the real widgets, both
// "Calculate and Continue" buttons pressed, every shown result compared with
// Evaluate() of the screen's own design. Also the focus a new screen opens
// with, and the screen's design for the tools.
#include "evaluation/design.h"
#include "program/registerwindows.h"
#include "tests/screens/interpolatehelpers.h"
#include "tests/support/programtest.h"
#include "tests/support/screenhelpers.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <random>

namespace vt::test {
namespace {

struct Shown {
    QString extraction, stress, effectiveWidth, wh, strength, fos, formula;
};

Shown ShownOn(const CalculationScreen* screen) {
    const auto t = [screen](const char* name) { return Text(screen, QString::fromLatin1(name)); };
    return {t("lblFRExtraction"), t("lblFRPillarStress"),   t("cboPillarWidth"),
            t("txtFRWHratio"),    t("lblFRPillarStrength"), t("lblFRFOS"),
            t("txtFormula")};
}

void ExpectSame(const Shown& shown, const evaluation::Evaluation& e, int i) {
    EXPECT_EQ(shown.extraction, e.extraction) << i;
    EXPECT_EQ(shown.stress, e.stress) << i;
    EXPECT_EQ(shown.effectiveWidth, e.effectiveWidth) << i;
    EXPECT_EQ(shown.wh, e.widthHeightRatio) << i;
    EXPECT_EQ(shown.strength, e.strength) << i;
    EXPECT_EQ(shown.fos, e.factorOfSafety) << i;
    if (e.complete()) {
        EXPECT_EQ(shown.formula, e.formula) << i;
    }
}

QString Decimal(std::mt19937& random, int low, int high, int decimals) {
    std::uniform_int_distribution<int> whole(low, high);
    std::uniform_int_distribution<int> fraction(0, 9);
    QString text = QString::number(whole(random));
    if (decimals > 0 && fraction(random) > 4)
        text += QLatin1Char('.') + QString::number(fraction(random));
    return text;
}

class PlanScreens : public ProgramTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(PlanScreens, ShowWhatTheEvaluationGives) {
    auto* screen = OpenScreen(QString::fromLatin1(GetParam()));
    ASSERT_NE(screen, nullptr);
    std::mt19937 random(1234);
    int complete = 0;
    for (int i = 0; i < 12; ++i) {
        if (IsTributary(screen))
            Type(screen, QStringLiteral("cboRockDensity"), Decimal(random, 2, 3, 1));
        else
            Type(screen, QStringLiteral("txtPillarStress"), Decimal(random, 5, 120, 1));
        Type(screen, QStringLiteral("txtDepth"), Decimal(random, 100, 1500, 0));
        Type(screen, QStringLiteral("cboPillarWidth1"), Decimal(random, 2, 15, 1));
        Type(screen, QStringLiteral("cboPillarLength"), Decimal(random, 2, 20, 1));
        Type(screen, QStringLiteral("cboBordWidth"), Decimal(random, 4, 12, 0));
        Type(screen, QStringLiteral("cboBordWidth2"), Decimal(random, 4, 12, 0));
        Press(screen, QStringLiteral("cmdCalculateAndContinue1"));
        Type(screen, QStringLiteral("cboK"), Decimal(random, 10, 100, 1));
        Type(screen, QStringLiteral("cboPillarHeight"), Decimal(random, 1, 6, 1));
        Press(screen, QStringLiteral("cmdCalculateAndContinue2"));
        const evaluation::Evaluation e =
            evaluation::Evaluate(screen->designTexts(), evaluation::NumberLocale::Current());
        complete += e.complete();
        ExpectSame(ShownOn(screen), e, i);
        messages.shown.clear();
    }
    EXPECT_GT(complete, 6);
}

INSTANTIATE_TEST_SUITE_P(Screens, PlanScreens, ::testing::Values("frmTributary", "frmModelled"));

TEST_F(InterpolateTest, ShowsWhatTheEvaluationGives) {
    ASSERT_TRUE(load(kWidths5And7));
    std::mt19937 random(99);
    for (int i = 0; i < 12; ++i) {
        Type(screen, QStringLiteral("cboPillarWidth1"), Decimal(random, 5, 6, 1));
        Type(screen, QStringLiteral("txtDepth"), Decimal(random, 100, 199, 1));
        press("cmdCalculateAndContinue1");
        Type(screen, QStringLiteral("cboK"), Decimal(random, 10, 50, 1));
        Type(screen, QStringLiteral("cboPillarHeight"), Decimal(random, 1, 6, 1));
        press("cmdCalculateAndContinue2");
        const evaluation::Evaluation e = evaluation::Evaluate(
            screen->designTexts(), evaluation::NumberLocale::Current(), &State().ModellingResults);
        ASSERT_TRUE(e.complete()) << i << ": " << e.refusal->message.toStdString();
        ExpectSame(ShownOn(screen), e, i);
    }
}

// A new screen takes typing at once, in its first input.
TEST_F(ProgramTest, ANewScreenOpensWithTheFocusOnItsFirstInput) {
    const std::pair<const char*, const char*> screens[] = {{"frmTributary", "cboRockDensity"},
                                                           {"frmModelled", "txtPillarStress"},
                                                           {"frmInterpolate", "cboPillarWidth1"}};
    for (const auto& [name, first] : screens) {
        CalculationScreen* screen = OpenScreen(QString::fromLatin1(name));
        ASSERT_NE(screen, nullptr);
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr) << name;
        if (qobject_cast<QComboBox*>(focus->parentWidget()))
            focus = focus->parentWidget();
        EXPECT_EQ(focus->objectName(), QString::fromLatin1(first)) << name;
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2.7"));
        EXPECT_EQ(Text(screen, QString::fromLatin1(first)), QStringLiteral("2.7")) << name;
        screen->close();
        flushDeletes();
    }
}

} // namespace
} // namespace vt::test

namespace vt::test {
namespace {

// The Design menu of every screen: the design tools first, then the
// evaluation files, the same however often the windows are registered.
TEST_F(ProgramTest, EveryScreensDesignMenuOffersTheToolsInOrder) {
    RegisterWindows(); // again, as tests and a restart do
    const QStringList expected{
        QStringLiteral("Design &charts..."),      QStringLiteral("Solve for a &target FOS..."),
        QStringLiteral("Strength &formulas..."),  QStringLiteral("&Probability of failure..."),
        QStringLiteral("Design &report..."),      QStringLiteral("&Save evaluation"),
        QStringLiteral("Save evaluation &as..."), QStringLiteral("&Open evaluation..."),
        QStringLiteral("Open &recent"),           QStringLiteral("Evaluation file: none yet"),
    };
    for (const char* name : {"frmTributary", "frmModelled", "frmInterpolate"}) {
        CalculationScreen* screen = OpenScreen(QString::fromLatin1(name));
        ASSERT_NE(screen, nullptr);
        QStringList items;
        for (const QAction* action : screen->designMenu()->actions())
            if (!action->isSeparator())
                items << action->text();
        EXPECT_EQ(items, expected) << name;
        screen->close();
        flushDeletes();
    }
}

} // namespace
} // namespace vt::test
