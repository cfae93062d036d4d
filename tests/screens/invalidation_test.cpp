// Every input change mirrors its text into the Final Results copy and empties
// the results that depend on it; one row per input and screen.
#include "app/ui.h"
#include "tests/support/programtest.h"
#include "tests/support/screenhelpers.h"

#include <QCheckBox>

namespace vt::test {
namespace {

struct Row {
    const char* screen;
    const char* input;
    const char* text;    // typed
    const char* copy;    // the Final Results copy ("" none)
    bool emptiesTab0;    // extraction (and the tributary stress) emptied
    bool emptiesWidth;   // the effective width emptied
    bool emptiesFormula; // txtFormula emptied
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.screen << "/" << row.input;
}

const Row kRows[] = {
    {"frmTributary", "cboPillarWidth1", "8", "txtFRPillarWidth", true, true, false},
    {"frmTributary", "cboPillarLength", "8", "txtFRPillarLength", true, true, false},
    {"frmTributary", "cboBordWidth", "8", "txtFRBordWidth", true, false, false},
    {"frmTributary", "cboBordWidth2", "8", "txtFRBordWidth2", true, false, false},
    {"frmTributary", "txtDepth", "450", "txtFRDepth", true, false, false},
    {"frmTributary", "cboRockDensity", "2.5", "", true, false, false},
    {"frmTributary", "cboK", "90", "txtFRK", false, false, false},
    {"frmTributary", "cboPillarHeight", "4", "txtFRPillarHeight", false, false, false},
    {"frmTributary", "cboAlpha", "0.46", "txtFRAlpha", false, false, false},
    {"frmTributary", "cboBeta", "0.66", "txtFRBeta", false, false, false},
    {"frmTributary", "cboSquatPillarEffect", "5.0", "txtFRSquatPillarEffect", false, false, false},
    {"frmTributary", "cboStrengthIncrease", "2.5", "txtFRStrengthIncrease", false, false, false},
    {"frmModelled", "cboPillarWidth1", "8", "txtFRPillarWidth", true, true, true},
    {"frmModelled", "cboPillarLength", "8", "txtFRPillarLength", true, true, true},
    {"frmModelled", "cboBordWidth", "8", "txtFRBordWidth", true, false, true},
    {"frmModelled", "cboBordWidth2", "8", "txtFRBordWidth2", true, false, true},
    {"frmModelled", "txtDepth", "450", "txtFRDepth", true, false, true},
    {"frmModelled", "txtPillarStress", "70", "lblFRPillarStress", true, false, true},
    {"frmModelled", "cboK", "90", "txtFRK", false, false, true},
    {"frmModelled", "cboPillarHeight", "4", "txtFRPillarHeight", false, false, true},
    {"frmModelled", "cboAlpha", "0.46", "txtFRAlpha", false, false, true},
    {"frmModelled", "cboBeta", "0.66", "txtFRBeta", false, false, true},
    {"frmModelled", "cboSquatPillarEffect", "5.0", "txtFRSquatPillarEffect", false, false, true},
    {"frmModelled", "cboStrengthIncrease", "2.5", "txtFRStrengthIncrease", false, false, true},
};

class InputChange : public ProgramTest, public ::testing::WithParamInterface<Row> {};

TEST_P(InputChange, MirrorsAndEmptiesItsDependents) {
    const Row& row = GetParam();
    CalculationScreen* screen = OpenScreen(QString::fromLatin1(row.screen));
    ASSERT_NE(screen, nullptr);
    qobject_cast<QCheckBox*>(Field(screen, QStringLiteral("Check1")))->setChecked(true);
    RunFullEvaluation(screen, QStringLiteral("5")); // W:H and FOS red
    // Leave both Continue buttons captioned "Continue": edits keep that.
    Press(screen, StressStepButton(screen));
    Press(screen, QStringLiteral("cmdCalculatePillarStrength"));
    ASSERT_EQ(Text(screen, QStringLiteral("lblFOS")), QStringLiteral("1.5"));

    Type(screen, QString::fromLatin1(row.input), QString::fromLatin1(row.text));

    if (*row.copy) {
        EXPECT_EQ(Text(screen, QString::fromLatin1(row.copy)), QString::fromLatin1(row.text));
    }
    for (const char* emptied : {"lblWHratio", "lblPillarStrength", "lblFOS", "txtFRWHratio",
                                "lblFRPillarStrength", "lblFRFOS"})
        EXPECT_EQ(Text(screen, QString::fromLatin1(emptied)), QString()) << emptied;
    EXPECT_EQ(Text(screen, QStringLiteral("lblPercentageExtraction")).isEmpty(), row.emptiesTab0);
    EXPECT_EQ(Text(screen, QStringLiteral("lblFRExtraction")).isEmpty(), row.emptiesTab0);
    if (IsTributary(screen)) {
        EXPECT_EQ(Text(screen, QStringLiteral("lblPillarStress")).isEmpty(), row.emptiesTab0);
        EXPECT_EQ(Text(screen, QStringLiteral("lblFRPillarStress")).isEmpty(), row.emptiesTab0);
    }
    EXPECT_EQ(Text(screen, QStringLiteral("cboPillarWidth")).isEmpty(), row.emptiesWidth);
    EXPECT_EQ(Text(screen, QStringLiteral("txtFormula")).isEmpty(), row.emptiesFormula);
    EXPECT_EQ(Text(screen, QStringLiteral("txtComment")),
              QStringLiteral("The Hedley/Grant formula was used"));
    EXPECT_EQ(Background(Field(screen, QStringLiteral("lblWHratio"))), kLightGrey);
    EXPECT_EQ(Background(Field(screen, QStringLiteral("txtFRWHratio"))), kWhite);
    EXPECT_EQ(Background(Field(screen, QStringLiteral("lblFOS"))), kLightGrey);
    EXPECT_EQ(Background(Field(screen, QStringLiteral("lblFRFOS"))), kLightGrey);
    EXPECT_EQ(Text(screen, QStringLiteral("cmdCalculateAndContinue1")), QStringLiteral("Continue"));
    EXPECT_EQ(Text(screen, QStringLiteral("cmdCalculateAndContinue2")), QStringLiteral("Continue"));
    EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(EveryInput, InputChange, ::testing::ValuesIn(kRows));

} // namespace
} // namespace vt::test
