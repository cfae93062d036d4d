// What differs between the tributary and the modelled screen.
#include "app/shellwindows.h"
#include "app/ui.h"
#include "engine/engine.h"
#include "tests/support/programtest.h"
#include "tests/support/screenhelpers.h"

#include <QGroupBox>
#include <cmath>

namespace vt::test {
namespace {

QString FrameCaption(QWidget* screen, const char* name) {
    auto* frame =
        qobject_cast<QGroupBox*>(Field(screen, QString::fromLatin1(name))->parentWidget());
    return frame ? frame->title() : QString();
}

class ScreenLooks : public ProgramTest {};

TEST_F(ScreenLooks, TitlesCaptionsAndListsDiffer) {
    struct Row {
        const char* screen;
        const char* title;
        const char* bordCopy1;
        const char* bordCopy2;
    };
    const Row rows[] = {
        {"frmTributary", "Tributary Theory", "Bord width (smaller)", "Bord width (bigger)"},
        {"frmModelled", "Modelled Stress", "Bord width 1 (m)", "Bord width 2 (m)"},
    };
    for (const Row& row : rows) {
        QWidget* screen = Windows().window(QString::fromLatin1(row.screen));
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(screen->windowTitle(), QString::fromLatin1(row.title));
        EXPECT_EQ(FrameCaption(screen, "txtFRBordWidth"), QString::fromLatin1(row.bordCopy1));
        EXPECT_EQ(FrameCaption(screen, "txtFRBordWidth2"), QString::fromLatin1(row.bordCopy2));
        EXPECT_EQ(FrameCaption(screen, "cboAlpha"), QStringLiteral("α"));
        EXPECT_EQ(FrameCaption(screen, "cboBeta"), QStringLiteral("β"));
        EXPECT_EQ(FrameCaption(screen, "txtFRPillarWidth"), QStringLiteral("Pillar width (m)"));
        EXPECT_EQ(FrameCaption(screen, "lblFRPillarStrength"), QStringLiteral("Pillar strength"));
        EXPECT_EQ(FrameCaption(screen, "lblPillarStrength"),
                  QStringLiteral("Pillar strength (MPa)"));
        EXPECT_EQ(Field(screen, QStringLiteral("cboPillarWidth1"))
                      ->parentWidget()
                      ->parentWidget()
                      ->property("title")
                      .toString(),
                  QStringLiteral("Direction 1"));
    }
}

TEST_F(ScreenLooks, TributaryDensityListAndModelledStressBox) {
    QWidget* tributary = Windows().window(QStringLiteral("frmTributary"));
    auto* density = qobject_cast<QComboBox*>(Field(tributary, QStringLiteral("cboRockDensity")));
    QStringList items;
    for (int i = 0; i < density->count(); ++i)
        items << density->itemText(i);
    EXPECT_EQ(items.join(QLatin1Char(' ')), QStringLiteral("2.5 2.7 2.75 3.0 3.3"));
    EXPECT_EQ(density->toolTip(),
              QStringLiteral("The Relative Density (RD) of the rockmass (ton per cubic metre)"));
    EXPECT_EQ(Text(tributary, QStringLiteral("cmdCalculatePillarStress")),
              QStringLiteral("Calculate the pillar stress"));
    EXPECT_EQ(tributary->findChild<QWidget*>(QStringLiteral("txtPillarStress")), nullptr);

    QWidget* modelled = Windows().window(QStringLiteral("frmModelled"));
    QWidget* stress = Field(modelled, QStringLiteral("txtPillarStress"));
    EXPECT_EQ(stress->toolTip(),
              QStringLiteral("The modelled value for the Average Pillar Stress in MPa"));
    EXPECT_EQ(FrameCaption(modelled, "txtPillarStress"), QStringLiteral("APS (MPa)"));
    EXPECT_EQ(Text(modelled, QStringLiteral("cmdCalculatePercentageExtraction")),
              QStringLiteral("Calculate the % Extraction"));
    EXPECT_EQ(Field(modelled, QStringLiteral("cmdCalculateAndContinue1"))->toolTip(),
              QStringLiteral("Calculate the extraction as a percentage"));
    EXPECT_EQ(modelled->findChild<QWidget*>(QStringLiteral("cboRockDensity")), nullptr);
    EXPECT_EQ(modelled->findChild<QWidget*>(QStringLiteral("lblPillarStress")), nullptr);
}

class TributaryScreen : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        screen = OpenScreen(QStringLiteral("frmTributary"));
        ASSERT_NE(screen, nullptr);
    }
    CalculationScreen* screen = nullptr;
};

// Stress step numbers: extraction with 1 decimal, stress with 2.
TEST_F(TributaryScreen, StressStepShowsExtractionAndStress) {
    struct Row {
        const char* w;
        const char* l;
        const char* b1;
        const char* b2;
        const char* density;
        const char* depth;
        const char* extraction;
        const char* stress;
    };
    const Row rows[] = {
        {"10", "10", "12", "12", "2.7", "500", "79.3", "64.1"},
        {"6", "8", "4", "8", "2.7", "300", "70", "26.49"},
        {"5", "5", "8", "8", "2.75", "1000", "85.2", "182.37"},
        {"10", "10", "0", "0", "2.7", "500", "0", "13.24"},
        {"10", "10", "12", "12", "2.7", "-500", "79.3", "64.1"},
    };
    for (const Row& row : rows) {
        Type(screen, QStringLiteral("cboPillarWidth1"), QString::fromLatin1(row.w));
        Type(screen, QStringLiteral("cboPillarLength"), QString::fromLatin1(row.l));
        Type(screen, QStringLiteral("cboBordWidth"), QString::fromLatin1(row.b1));
        Type(screen, QStringLiteral("cboBordWidth2"), QString::fromLatin1(row.b2));
        Type(screen, QStringLiteral("cboRockDensity"), QString::fromLatin1(row.density));
        Type(screen, QStringLiteral("txtDepth"), QString::fromLatin1(row.depth));
        Press(screen, QStringLiteral("cmdCalculatePillarStress"));
        EXPECT_EQ(Text(screen, QStringLiteral("lblPercentageExtraction")),
                  QString::fromLatin1(row.extraction))
            << row.w << " " << row.depth;
        EXPECT_EQ(Text(screen, QStringLiteral("lblPillarStress")), QString::fromLatin1(row.stress))
            << row.w << " " << row.depth;
        EXPECT_EQ(Text(screen, QStringLiteral("lblFRPillarStress")),
                  QString::fromLatin1(row.stress));
        EXPECT_GT(State().AveragePillarStress, 0.0f);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(TributaryScreen, StressStepStoresTheUnroundedStress) {
    FillPillarStressTab(screen);
    Press(screen, QStringLiteral("cmdCalculatePillarStress"));
    EXPECT_NEAR(State().AveragePillarStress, 64.0985f, 1e-3f);
    EXPECT_NE(State().AveragePillarStress, 64.1f);
}

TEST_F(TributaryScreen, ContinueAfterARefusedStressStepStillFormsTheWidth) {
    Type(screen, QStringLiteral("cboPillarWidth1"), QStringLiteral("10"));
    Type(screen, QStringLiteral("cboPillarLength"), QStringLiteral("10"));
    Press(screen, QStringLiteral("cmdCalculateAndContinue1"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(), (RecordedMessage{QStringLiteral("Fill values in all the text-boxes"),
                                                QStringLiteral("Insufficient data")}));
    EXPECT_EQ(Text(screen, QStringLiteral("cboPillarWidth")), QStringLiteral("10"));
    EXPECT_EQ(screen->tabs()->currentIndex(), 1);
    EXPECT_EQ(Text(screen, QStringLiteral("lblPillarStress")), QString());
}

TEST_F(TributaryScreen, ZeroDensityGivesNoFactorOfSafety) {
    FillPillarStressTab(screen);
    Type(screen, QStringLiteral("cboRockDensity"), QStringLiteral("0"));
    Press(screen, QStringLiteral("cmdCalculateAndContinue1"));
    EXPECT_EQ(Text(screen, QStringLiteral("lblPillarStress")), QStringLiteral("0"));
    Pick(screen, QStringLiteral("cboK"), QStringLiteral("100"));
    Pick(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("2"));
    Press(screen, QStringLiteral("cmdCalculatePillarStrength"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(), (RecordedMessage{QStringLiteral("The average pillar stress must "
                                                               "not be 0"),
                                                QStringLiteral("Invalid data")}));
    EXPECT_EQ(Text(screen, QStringLiteral("lblWHratio")), QString());
    EXPECT_EQ(Text(screen, QStringLiteral("lblPillarStrength")), QString());
}

TEST_F(TributaryScreen, CommaLocaleDensityTypedOrPicked) {
    LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    for (const bool typed : {true, false}) {
        if (typed)
            Type(screen, QStringLiteral("cboRockDensity"), QStringLiteral("2,75"));
        else
            Pick(screen, QStringLiteral("cboRockDensity"), QStringLiteral("2.75"));
        Type(screen, QStringLiteral("txtDepth"), QStringLiteral("1000"));
        Type(screen, QStringLiteral("cboPillarWidth1"), QStringLiteral("5"));
        Type(screen, QStringLiteral("cboPillarLength"), QStringLiteral("5"));
        Type(screen, QStringLiteral("cboBordWidth"), QStringLiteral("8"));
        Type(screen, QStringLiteral("cboBordWidth2"), QStringLiteral("8"));
        Press(screen, QStringLiteral("cmdCalculatePillarStress"));
        EXPECT_EQ(Text(screen, QStringLiteral("lblPercentageExtraction")), QStringLiteral("85,2"));
        EXPECT_EQ(Text(screen, QStringLiteral("lblPillarStress")), QStringLiteral("182,37"));
    }
    EXPECT_TRUE(messages.shown.empty());
}

class ModelledScreen : public TributaryScreen {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        screen = OpenScreen(QStringLiteral("frmModelled"));
        ASSERT_NE(screen, nullptr);
    }
};

TEST_F(ModelledScreen, ExtractionStepStoresTheTypedStress) {
    FillPillarStressTab(screen);
    Type(screen, QStringLiteral("txtPillarStress"), QStringLiteral("26.5"));
    Press(screen, QStringLiteral("cmdCalculatePercentageExtraction"));
    EXPECT_EQ(State().AveragePillarStress, 26.5f);
    EXPECT_EQ(Text(screen, QStringLiteral("lblPercentageExtraction")), QStringLiteral("79.3"));
    EXPECT_EQ(Text(screen, QStringLiteral("lblFRPillarStress")), QStringLiteral("26.5"));
    EXPECT_EQ(Text(screen, QStringLiteral("cmdCalculateAndContinue1")), QStringLiteral("Continue"));
}

// A changed stress empties the extraction, so the FOS never uses a stale stress.
TEST_F(ModelledScreen, ChangedStressMustBeCalculatedAgainBeforeTheStrength) {
    RunFullEvaluation(screen, QStringLiteral("2"));
    Type(screen, QStringLiteral("txtPillarStress"), QStringLiteral("30"));
    EXPECT_EQ(Text(screen, QStringLiteral("lblPercentageExtraction")), QString());
    EXPECT_EQ(Text(screen, QStringLiteral("lblFRPillarStress")), QStringLiteral("30"));
    Press(screen, QStringLiteral("cmdCalculatePillarStrength"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last().text, QStringLiteral("Fill values in all the text-boxes and "
                                                   "calculate the Percentage Extraction"));
    EXPECT_EQ(Text(screen, QStringLiteral("lblFOS")), QString());
    Press(screen, QStringLiteral("cmdCalculatePercentageExtraction"));
    Press(screen, QStringLiteral("cmdCalculatePillarStrength"));
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(State().AveragePillarStress, 30.0f);
    // 10 m square pillar, height 2, K 100: the squat formula gives 189.29.
    EXPECT_EQ(Text(screen, QStringLiteral("lblFOS")), QStringLiteral("6.3"));
}

// The FOS limit compares single-precision values: a FOS equal to 1.6 in single
// precision is no warning, the next smaller one is.
TEST_F(ModelledScreen, FactorOfSafetyExactlyAtTheLimit) {
    const auto strength =
        engine::CalculatePillarStrength({10, 10, 4, 100, 0.5f, 0.75f, 4.5f, 4.5f});
    ASSERT_TRUE(strength.ok());
    const float s = strength.value().strength;
    float stress = s / 1.6f;
    for (int i = 0; i < 64 && s / stress != 1.6f; ++i)
        stress = std::nextafter(stress, s / stress > 1.6f ? 1e9f : 0.0f);
    ASSERT_EQ(s / stress, 1.6f);
    const float larger = std::nextafter(stress, 1e9f); // FOS just below 1.6
    ASSERT_LT(s / larger, 1.6f);

    const std::pair<float, bool> rows[] = {{stress, false}, {larger, true}};
    for (const auto& [typed, red] : rows) {
        FillPillarStressTab(screen);
        Type(screen, QStringLiteral("txtPillarStress"), QString::number(typed, 'g', 9));
        Press(screen, QStringLiteral("cmdCalculateAndContinue1"));
        Pick(screen, QStringLiteral("cboK"), QStringLiteral("100"));
        Pick(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("4"));
        Press(screen, QStringLiteral("cmdCalculatePillarStrength"));
        ASSERT_EQ(State().AveragePillarStress, typed);
        EXPECT_EQ(Text(screen, QStringLiteral("lblFOS")), QStringLiteral("1.6"));
        EXPECT_EQ(Background(Field(screen, QStringLiteral("lblFOS"))) == kWarningRed, red);
        EXPECT_EQ(Background(Field(screen, QStringLiteral("lblFRFOS"))) == kWarningRed, red);
        EXPECT_EQ(Windows().existing(kPopUpFOS) != nullptr, red);
        Windows().close(kPopUpFOS);
        flushDeletes();
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ModelledScreen, TypedStressOfZeroIsRefusedAtTheStrengthStep) {
    FillPillarStressTab(screen);
    Type(screen, QStringLiteral("txtPillarStress"), QStringLiteral("0"));
    Press(screen, QStringLiteral("cmdCalculateAndContinue1"));
    Pick(screen, QStringLiteral("cboK"), QStringLiteral("100"));
    Pick(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("2"));
    Press(screen, QStringLiteral("cmdCalculateAndContinue2"));
    EXPECT_EQ(screen->tabs()->currentIndex(), 2);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(), (RecordedMessage{QStringLiteral("The average pillar stress must "
                                                               "not be 0"),
                                                QStringLiteral("Invalid data")}));
    EXPECT_EQ(Text(screen, QStringLiteral("lblFRFOS")), QString());
}

TEST_F(ModelledScreen, StressThatIsNotANumberIsNamed) {
    FillPillarStressTab(screen);
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"abc", "The value in \"APS (MPa)\" is not a number"},
        {"-", "The value in \"APS (MPa)\" is not a number"},
        {"1e999", "The value in \"APS (MPa)\" is too large to use"},
        {"5a", "The value in \"APS (MPa)\" is not a number"},
    };
    for (const auto& bad : cases) {
        Type(screen, QStringLiteral("txtPillarStress"), QString::fromLatin1(bad.text));
        messages.shown.clear();
        Press(screen, QStringLiteral("cmdCalculatePercentageExtraction"));
        ASSERT_EQ(messages.shown.size(), 1u) << bad.text;
        EXPECT_EQ(messages.last(), (RecordedMessage{QString::fromUtf8(bad.message),
                                                    QStringLiteral("Invalid data")}));
        EXPECT_EQ(Text(screen, QStringLiteral("lblPercentageExtraction")), QString());
        EXPECT_EQ(State().AveragePillarStress, 0.0f);
    }
}

} // namespace
} // namespace vt::test
