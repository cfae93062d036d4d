// The soak's checks must see what they look for: non-finite tokens in text,
// and a result, a copy or a colour that no longer fits the inputs.
#include "app/programstate.h"
#include "app/ui.h"
#include "results/core/modellingfile.h"
#include "screens/calculationscreen.h"
#include "screens/frminterpolate.h"
#include "tests/soak/soakchecks.h"
#include "tests/support/fields.h"
#include "tests/support/programtest.h"
#include "tests/support/screenhelpers.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace vt::test {
namespace {

TEST(NonFiniteToken, NumberLikeTokensOnly) {
    const struct {
        const char* text;
        bool found;
    } cases[] = {
        {"nan", true},
        {"-nan", true},
        {"NaN", true},
        {"inf", true},
        {"-inf", true},
        {"+Infinity", true},
        {"FOS inf", true},
        {"(nan)", true},
        {"1.5", false},
        {"information", false},
        {"Insufficient data", false},
        {"A value is not a finite number", false},
        {"banana", false},
        {"Infant", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(soak::HasNonFiniteToken(QString::fromUtf8(c.text)), c.found) << c.text;
}

class ChecksTest : public ProgramTest {
protected:
    // The tributary screen after a full evaluation: 79.3 %, 64.1 MPa, W:H 2,
    // strength 94.6, FOS 1.5 (both red).
    CalculationScreen* evaluated() {
        auto* screen = dynamic_cast<CalculationScreen*>(Windows().show("frmTributary"));
        EXPECT_NE(screen, nullptr);
        EvaluateByCode(screen);
        EXPECT_EQ(FieldText(screen, "lblFOS"), QStringLiteral("1.5"));
        return screen;
    }
};

TEST_F(ChecksTest, AFreshEvaluationAgreesWithTheEngine) {
    CalculationScreen* screen = evaluated();
    EXPECT_EQ(soak::ResultDisagreements(screen, true), QStringList());
}

TEST_F(ChecksTest, EveryKindOfDisagreementIsSeen) {
    const struct {
        const char* field;
        const char* text;
    } tampering[] = {
        {"lblPillarStress", "64.2"}, // a stale stress
        {"lblPercentageExtraction", "80"},
        {"lblPillarStrength", "94.5"},
        {"lblFOS", "1.6"},
        {"lblWHratio", "2.1"},
        {"cboPillarWidth", "9.9"}, // effective width
        {"txtFRK", "90"},          // a Final Results copy
        {"lblFRFOS", "2"},
        {"txtFormula", "The squat pillar formula was used"},
    };
    for (const auto& t : tampering) {
        CalculationScreen* screen = evaluated();
        if (auto* label = screen->findChild<QLabel*>(QString::fromLatin1(t.field)))
            label->setText(QString::fromLatin1(t.text)); // no mirroring, as a fault would
        else
            SetField(screen, QString::fromLatin1(t.field), QString::fromLatin1(t.text));
        EXPECT_FALSE(soak::ResultDisagreements(screen, true).isEmpty()) << t.field;
        screen->close();
        flushDeletes();
    }
}

// The interpolation screen reads its width and depth by their leading number
// and a picked width as its header's own width; the check reads them alike,
// and still sees a result that does not fit them.
TEST_F(ChecksTest, InterpolationInputsAreReadAsTheScreenReadsThem) {
    // The smaller width is one step of a double above 5, listed as "5".
    constexpr std::string_view kTable = "5.0000000000000009\t0\t7\t0\r\n"
                                        "100\t20\t100\t15\r\n"
                                        "200\t35\t200\t28\r\n";
    const struct {
        const char* width;
        bool picked; // from the width list, else typed
        const char* depth;
        const char* tamperedField; // a result overwritten afterwards, or none
        bool agrees;
        bool strength = false; // the strength step run too (the length follows "6abc")
    } cases[] = {
        {"6abc", false, "150 m", nullptr, true},
        {"6abc", false, "150 m", nullptr, true, true},
        {"6.5 m", false, "120", nullptr, true},
        {"5", true, "150", nullptr, true},
        {"6abc", false, "150 m", "lblPillarStress", false},
        {"5", true, "150", "lblPercentageExtraction", false},
        {"5", true, "150", "cboPillarWidth", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.width) + " / " + c.depth);
        auto* screen = dynamic_cast<frmInterpolate*>(Windows().show("frmInterpolate"));
        ASSERT_NE(screen, nullptr);
        auto& record = State().ModellingResults;
        ASSERT_TRUE(results::ModellingTextFromBytes(record, kTable));
        record.FileName = "checks.int";
        ASSERT_TRUE(screen->LoadModellingResults());
        auto* width = screen->findChild<QComboBox*>("cboPillarWidth1");
        if (c.picked) {
            const int index = width->findText(QString::fromLatin1(c.width));
            ASSERT_GE(index, 0);
            width->setCurrentIndex(index);
            emit width->activated(index);
        } else {
            SetField(screen, QStringLiteral("cboPillarWidth1"), QString::fromLatin1(c.width));
        }
        SetField(screen, QStringLiteral("txtDepth"), QString::fromLatin1(c.depth));
        QTest::mouseClick(screen->findChild<QPushButton*>("cmdInterpolate"), Qt::LeftButton);
        ASSERT_FALSE(FieldText(screen, "lblPillarStress").isEmpty());
        ASSERT_FALSE(FieldText(screen, "cboPillarWidth").isEmpty());
        if (c.strength) {
            SetField(screen, QStringLiteral("cboK"), QStringLiteral("100"));
            SetField(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("4"));
            QTest::mouseClick(screen->findChild<QPushButton*>("cmdCalculatePillarStrength"),
                              Qt::LeftButton);
            ASSERT_FALSE(FieldText(screen, "lblFOS").isEmpty());
        }
        if (c.tamperedField) {
            if (auto* label = screen->findChild<QLabel*>(QString::fromLatin1(c.tamperedField)))
                label->setText(QStringLiteral("1.5"));
            else
                SetField(screen, QString::fromLatin1(c.tamperedField), QStringLiteral("1.5"));
        }
        EXPECT_EQ(soak::ResultDisagreements(screen, true).isEmpty(), c.agrees)
            << soak::ResultDisagreements(screen, true).join(QLatin1Char('\n')).toStdString();
        screen->close();
        flushDeletes();
    }
}

TEST_F(ChecksTest, AWrongColourOrSharedStressIsSeen) {
    CalculationScreen* screen = evaluated();
    SetBackground(screen->findChild<QWidget*>("lblFOS"), kLightGrey);
    EXPECT_FALSE(soak::ResultDisagreements(screen, true).isEmpty());
    SetBackground(screen->findChild<QWidget*>("lblFOS"), kWarningRed);
    ASSERT_TRUE(soak::ResultDisagreements(screen, true).isEmpty());
    State().AveragePillarStress += 1.0f;
    EXPECT_FALSE(soak::ResultDisagreements(screen, true).isEmpty());
    // Only the screen in use owns the shared stress.
    EXPECT_TRUE(soak::ResultDisagreements(screen, false).isEmpty());
}

TEST_F(ChecksTest, ShownNonFiniteTextIsFoundUnlessTyped) {
    CalculationScreen* screen = evaluated();
    screen->findChild<QLabel*>("lblFRPillarStrength")->setText(QStringLiteral("nan"));
    screen->tabs()->setCurrentIndex(CalculationScreen::kFinalResultsTab);
    EXPECT_EQ(soak::NonFiniteTexts(screen, {}).size(), 1);
    EXPECT_TRUE(soak::NonFiniteTexts(screen, {QStringLiteral("nan")}).isEmpty());
    // A text that names what was typed, in quotes, shows it as typed; a
    // non-finite number beside it is still found.
    auto* label = screen->findChild<QLabel*>("lblFRPillarStrength");
    label->setText(QStringLiteral("The downgrade percentage \"-nan\" is not a number"));
    EXPECT_TRUE(soak::NonFiniteTexts(screen, {QStringLiteral("-nan")}).isEmpty());
    EXPECT_EQ(soak::NonFiniteTexts(screen, {}).size(), 1);
    label->setText(QStringLiteral("\"-nan\" gives inf"));
    EXPECT_EQ(soak::NonFiniteTexts(screen, {QStringLiteral("-nan")}).size(), 1);
    // What the user typed into an input is shown as typed.
    SetField(screen, QStringLiteral("txtDepth"), QStringLiteral("inf"));
    screen->tabs()->setCurrentIndex(CalculationScreen::kPillarStressTab);
    EXPECT_TRUE(soak::NonFiniteTexts(screen, {}).isEmpty());
}

} // namespace
} // namespace vt::test
