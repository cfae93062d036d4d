// The interpolation screen: its layout, the width/length/depth rules, the
// interpolation step with the worked numbers and its failures, both "Calculate
// and Continue" flows and a full evaluation to the FOS.
#include "app/ui.h"
#include "tests/screens/interpolatehelpers.h"
#include "tests/support/fields.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

namespace vt::test {
namespace {

QString FocusName() {
    QWidget* w = QApplication::focusWidget();
    if (w && qobject_cast<QComboBox*>(w->parentWidget()))
        w = w->parentWidget();
    return w ? w->objectName() : QString();
}

QStringList MenuTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

QStringList Items(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

TEST_F(InterpolateTest, OpensAsDesigned) {
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Interpolated Stress"));
    EXPECT_EQ(screen->centralWidget()->size(), QSize(794, 556)); // 11910 x 8340 twips
    EXPECT_EQ(screen->minimumSize(), screen->maximumSize());
    EXPECT_FALSE(screen->windowFlags() & Qt::WindowMaximizeButtonHint);

    struct Place {
        const char* name;
        QRect pixels;
    };
    const Place places[] = {
        {"Label2", QRect(8, 8, 497, 25)},        {"lblMainShowData", QRect(8, 32, 497, 17)},
        {"Picture1(0)", QRect(8, 48, 500, 500)}, {"txtMainShowData", QRect(512, 8, 273, 89)},
        {"SSTab1", QRect(512, 104, 280, 445)},
    };
    for (const Place& p : places)
        EXPECT_EQ(Field(screen, QString::fromLatin1(p.name))->geometry(), p.pixels) << p.name;
    EXPECT_EQ(text("Label2"),
              QStringLiteral("Use the equivalent width of the pillars used in the modelling"));
    auto* fileText = screen->findChild<QPlainTextEdit*>(QStringLiteral("txtMainShowData"));
    ASSERT_NE(fileText, nullptr);
    EXPECT_TRUE(fileText->isReadOnly());

    const QList<QMenu*> menus = screen->menuBar()->findChildren<QMenu*>();
    QStringList titles;
    for (QAction* action : screen->menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, QStringList({"&File", "&Design", "&Help"}));
    ASSERT_EQ(screen->menuBar()->actions().size(), 3);
    EXPECT_EQ(MenuTexts(screen->menuBar()->actions()[0]->menu()),
              QStringList({"&Open...", "-", "&New calculation", "-", "E&xit"}));
    EXPECT_EQ(MenuTexts(screen->menuBar()->actions()[2]->menu()),
              QStringList({"&User guide", "&About "}));

    struct Initial {
        const char* name;
        const char* text;
        const char* toolTip;
    };
    const Initial initial[] = {
        {"cboPillarWidth1", "", "The modelling was done for squar pillars only"},
        {"cboPillarLength", "", "The modelling was done for squar pillars only"},
        {"txtDepth", "", "Pillar depth below surface in m"},
        {"txtBordWidth", "12", "All the modelling was done on a 12m bord width"},
        {"txtBordWidth2", "12", "All the modelling was done on a 12m bord width"},
        {"lblPillarStress", "", ""},
        {"lblPercentageExtraction", "", ""},
        {"cmdCalculateAndContinue1", "Calculate and Continue", ""},
        {"chkToggleGuideLines", "Toggle Guide Lines", ""},
        {"txtFRBordWidth", "12", ""},
        {"txtFRBordWidth2", "12", ""},
    };
    for (const Initial& i : initial) {
        EXPECT_EQ(text(i.name), QString::fromLatin1(i.text)) << i.name;
        EXPECT_EQ(Field(screen, QString::fromLatin1(i.name))->toolTip(),
                  QString::fromLatin1(i.toolTip))
            << i.name;
    }
    EXPECT_EQ(ShownCaption(text("cmdInterpolate")),
              QStringLiteral("Interpolate the Pillar stress & Calculate the % Extraction"));
    // The ampersand is shown, and makes no keyboard accelerator.
    EXPECT_TRUE(
        screen->findChild<QPushButton*>(QStringLiteral("cmdInterpolate"))->shortcut().isEmpty());
    auto* toggle = screen->findChild<QPushButton*>(QStringLiteral("chkToggleGuideLines"));
    ASSERT_NE(toggle, nullptr);
    EXPECT_TRUE(toggle->isCheckable());
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_EQ(combo("cboPillarWidth1")->count(), 0);
    EXPECT_EQ(Items(combo("cboK")), QStringList({"4.5", "7.2", "10", "20", "30", "40", "50"}));

    // The locked fields and the bord copies are light grey.
    for (const char* name :
         {"cboPillarLength", "txtBordWidth", "txtBordWidth2", "txtFRBordWidth", "txtFRBordWidth2"})
        EXPECT_EQ(Background(Field(screen, QString::fromLatin1(name))), kLightGrey) << name;

    // "Pillar strength" captions the strength result on the second tab.
    QWidget* strength = Field(screen, QStringLiteral("lblPillarStrength"));
    auto* frame = qobject_cast<QGroupBox*>(strength->parentWidget());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title(), QStringLiteral("Pillar strength"));
}

TEST_F(InterpolateTest, KeyboardOrderOnTheFirstTab) {
    const QStringList order = {"cboPillarWidth1", "txtDepth", "cmdInterpolate",
                               "cmdCalculateAndContinue1"};
    Field(screen, order.first())->setFocus();
    ASSERT_EQ(FocusName(), order.first());
    for (qsizetype i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(FocusName(), order[i]) << i;
    }
}

TEST_F(InterpolateTest, TheLengthIsLocked) {
    ASSERT_TRUE(load(kWidths5And7));
    QComboBox* length = combo("cboPillarLength");
    QTest::mouseClick(length, Qt::LeftButton);
    EXPECT_FALSE(length->view()->isVisible());
    QTest::keyClick(length, Qt::Key_Down);
    QTest::keyClicks(length->lineEdit(), QStringLiteral("4"));
    EXPECT_EQ(length->currentText(), QString());
    EXPECT_EQ(text("txtFRPillarLength"), QString());
}

TEST_F(InterpolateTest, TheLoadedFileFillsTheWidthListInFileOrder) {
    ASSERT_TRUE(load("7\t0\t5\t0\t6.25\t0\r\n100\t15\t100\t20\t100\t17\r\n"
                     "200\t28\t200\t35\t200\t30\r\n"));
    EXPECT_EQ(Items(combo("cboPillarWidth1")), QStringList({"7", "5", "6.25"}));
    EXPECT_EQ(text("cboPillarWidth1"), QString());
    EXPECT_EQ(text("lblMainShowData"), dir.filePath(QStringLiteral("results.int")));
    EXPECT_EQ(screen->findChild<QPlainTextEdit*>(QStringLiteral("txtMainShowData"))->toPlainText(),
              QStringLiteral("7\t0\t5\t0\t6.25\t0\n100\t15\t100\t20\t100\t17\n"
                             "200\t28\t200\t35\t200\t30\n"));
}

// Picking a width fills the length, its copy and the effective width, and
// empties every result.
TEST_F(InterpolateTest, PickingAWidthFillsTheLengthAndEmptiesTheResults) {
    ASSERT_TRUE(load(kWidths5And7));
    interpolate(QStringLiteral("6"), QStringLiteral("150"));
    ASSERT_EQ(text("lblPillarStress"), QStringLiteral("24.5"));
    SetField(screen, QStringLiteral("lblWHratio"), QStringLiteral("2"));
    SetField(screen, QStringLiteral("txtFormula"), QStringLiteral("formula"));
    SetBackground(Field(screen, QStringLiteral("lblFOS")), kWarningRed);

    struct Row {
        const char* item;
        const char* effective;
    };
    for (const Row& row : {Row{"7", "7"}, Row{"5", "5"}}) {
        PickFromList(combo("cboPillarWidth1"), QString::fromLatin1(row.item));
        EXPECT_EQ(text("cboPillarWidth1"), QString::fromLatin1(row.item));
        EXPECT_EQ(text("cboPillarLength"), QString::fromLatin1(row.item));
        EXPECT_EQ(text("txtFRPillarLength"), QString::fromLatin1(row.item));
        EXPECT_EQ(text("txtFRPillarWidth"), QString::fromLatin1(row.item));
        EXPECT_EQ(text("cboPillarWidth"), QString::fromLatin1(row.effective));
        for (const char* result :
             {"lblPillarStress", "lblPercentageExtraction", "lblWHratio", "lblPillarStrength",
              "lblFOS", "txtFormula", "lblFRPillarStress", "lblFRExtraction", "txtFRWHratio"})
            EXPECT_EQ(text(result), QString()) << result;
        EXPECT_EQ(Background(Field(screen, QStringLiteral("lblFOS"))), kLightGrey);
    }
    EXPECT_TRUE(messages.shown.empty());
}

// While the width reads as 0 (typed 0, or deleted) only the length follows.
TEST_F(InterpolateTest, AWidthReadingAsZeroOnlyCopiesIntoTheLength) {
    ASSERT_TRUE(load(kWidths5And7));
    interpolate(QStringLiteral("6"), QStringLiteral("150"));
    ASSERT_EQ(text("lblPillarStress"), QStringLiteral("24.5"));
    for (const char* typed : {"0", "", "0.0", "."}) {
        type("cboPillarWidth1", QString::fromLatin1(typed));
        EXPECT_EQ(text("cboPillarLength"), QString::fromLatin1(typed)) << typed;
        EXPECT_EQ(text("txtFRPillarLength"), QString::fromLatin1(typed)) << typed;
        EXPECT_EQ(text("txtFRPillarWidth"), QStringLiteral("6")) << typed;
        EXPECT_EQ(text("cboPillarWidth"), QStringLiteral("6")) << typed;
        EXPECT_EQ(text("lblPillarStress"), QStringLiteral("24.5")) << typed;
        EXPECT_EQ(text("lblPercentageExtraction"), QStringLiteral("88.9")) << typed;
    }
}

// A text read by its leading digits gives the effective width of the number
// the interpolation reads; a width of 0 picked from the list gives none.
// Nothing ends, nothing shows inf or nan.
TEST_F(InterpolateTest, AWidthWithoutAnEffectiveWidthShowsNone) {
    ASSERT_TRUE(load(kWidths0And5));
    PickFromList(combo("cboPillarWidth1"), QStringLiteral("5"));
    ASSERT_EQ(text("cboPillarWidth"), QStringLiteral("5"));

    type("cboPillarWidth1", QStringLiteral("4.5a"));
    EXPECT_EQ(text("cboPillarLength"), QStringLiteral("4.5a"));
    EXPECT_EQ(text("txtFRPillarWidth"), QStringLiteral("4.5a"));
    EXPECT_EQ(text("cboPillarWidth"), QStringLiteral("4.5"));

    PickFromList(combo("cboPillarWidth1"), QStringLiteral("5"));
    ASSERT_EQ(text("cboPillarWidth"), QStringLiteral("5"));
    PickFromList(combo("cboPillarWidth1"), QStringLiteral("0"));
    EXPECT_EQ(text("cboPillarLength"), QStringLiteral("0"));
    EXPECT_EQ(text("txtFRPillarWidth"), QStringLiteral("0"));
    EXPECT_EQ(text("cboPillarWidth"), QString());
    EXPECT_TRUE(messages.shown.empty());

    // The zero width interpolates; the strength step then asks for the width.
    type("txtDepth", QStringLiteral("150"));
    press("cmdInterpolate");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(text("lblPillarStress"), QStringLiteral("27.5"));
    EXPECT_EQ(text("lblPercentageExtraction"), QStringLiteral("100"));
    Type(screen, QStringLiteral("cboK"), QStringLiteral("20"));
    Type(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("2"));
    press("cmdCalculatePillarStrength");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(),
              (RecordedMessage{"Fill values in all the text-boxes and calculate the Pillar Stress",
                               "Insufficient data"}));
    for (const char* name : {"lblWHratio", "lblPillarStrength", "lblFOS"})
        EXPECT_EQ(text(name), QString()) << name;
}

TEST_F(InterpolateTest, TheDepthCopiesItselfAndEmptiesTheResults) {
    ASSERT_TRUE(load(kWidths5And7));
    interpolate(QStringLiteral("6"), QStringLiteral("150"));
    ASSERT_EQ(text("lblFRPillarStress"), QStringLiteral("24.5"));
    type("txtDepth", QStringLiteral("160"));
    EXPECT_EQ(text("txtFRDepth"), QStringLiteral("160"));
    for (const char* result :
         {"lblPillarStress", "lblPercentageExtraction", "lblFRPillarStress", "lblFRExtraction"})
        EXPECT_EQ(text(result), QString()) << result;
    // The effective width and the caption stay.
    EXPECT_EQ(text("cboPillarWidth"), QStringLiteral("6"));
    EXPECT_EQ(text("cmdCalculateAndContinue1"), QStringLiteral("Continue"));
}

struct WorkedCase {
    const char* width;
    const char* depth;
    const char* stress;
    float average;
    const char* extraction;
    const char* effective;
};

class WorkedNumbers : public InterpolateTest, public ::testing::WithParamInterface<WorkedCase> {};

TEST_P(WorkedNumbers, StressExtractionAndCopies) {
    const WorkedCase& c = GetParam();
    ASSERT_TRUE(load(kWidths5And7));
    interpolate(QString::fromLatin1(c.width), QString::fromLatin1(c.depth));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(text("lblPillarStress"), QString::fromLatin1(c.stress));
    EXPECT_EQ(text("lblFRPillarStress"), QString::fromLatin1(c.stress));
    EXPECT_EQ(State().AveragePillarStress, c.average);
    EXPECT_EQ(text("lblPercentageExtraction"), QString::fromLatin1(c.extraction));
    EXPECT_EQ(text("lblFRExtraction"), QString::fromLatin1(c.extraction));
    EXPECT_EQ(text("cboPillarWidth"), QString::fromLatin1(c.effective));
    EXPECT_EQ(text("cmdCalculateAndContinue1"), QStringLiteral("Continue"));
    EXPECT_EQ(screen->tabs()->currentIndex(), CalculationScreen::kPillarStressTab);
}

INSTANTIATE_TEST_SUITE_P(Widths5And7, WorkedNumbers,
                         ::testing::Values(WorkedCase{"6", "150", "24.5", 24.5f, "88.9", "6"},
                                           WorkedCase{"5", "100", "20", 20.0f, "91.3", "5"},
                                           WorkedCase{"7", "200", "28", 28.0f, "86.4", "7"},
                                           // Between two listed widths.
                                           WorkedCase{"6.3", "150", "23.6", 23.6f, "88.1", "6.3"},
                                           // The interpolation reads the leading number only.
                                           WorkedCase{"6", "150 m", "24.5", 24.5f, "88.9", "6"}));

TEST_F(InterpolateTest, AnExtendedCurveGivesTheOneDecimalStress) {
    ASSERT_TRUE(load(kShortWidth7));
    interpolate(QStringLiteral("5.5"), QStringLiteral("180"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(text("lblPillarStress"), QStringLiteral("30.3")); // 30.275
    EXPECT_EQ(State().AveragePillarStress, 30.3f);
}

TEST_F(InterpolateTest, CommaLocaleShowsAndReadsCommas) {
    LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_TRUE(load(kWidths5And7));
    EXPECT_EQ(Items(combo("cboPillarWidth1")), QStringList({"5", "7"}));
    // "6,3" is 6.3 for the interpolation, the extraction and the effective
    // width alike: 23.6 MPa between the curves of 5 and 7.
    interpolate(QStringLiteral("6,3"), QStringLiteral("150"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(text("cboPillarWidth"), QStringLiteral("6,3"));
    EXPECT_EQ(text("lblPillarStress"), QStringLiteral("23,6"));
    EXPECT_EQ(State().AveragePillarStress, 23.6f);
    EXPECT_EQ(text("lblPercentageExtraction"), QStringLiteral("88,1"));
    // The guide lines read "23,6" and meet where they do in English.
    EXPECT_FALSE(BlackInsideAxes(chartImage()).empty());
}

// A width picked from the list interpolates at exactly the header width it
// shows, and a depth typed with the comma is read with it: the guide lines,
// the extraction and the effective width use the very numbers interpolated.
TEST_F(InterpolateTest, CommaLocaleInterpolatesAtThePickedWidthAndTheTypedDepth) {
    LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_TRUE(load("5\t0\t6.5\t0\t8\t0\r\n"
                     "100\t20\t100\t17\t100\t15\r\n"
                     "200\t35\t200\t31\t200\t28\r\n"));
    EXPECT_EQ(Items(combo("cboPillarWidth1")), QStringList({"5", "6,5", "8"}));
    PickFromList(combo("cboPillarWidth1"), QStringLiteral("6,5"));
    type("txtDepth", QStringLiteral("175,5"));
    press("cmdInterpolate");
    EXPECT_TRUE(messages.shown.empty());
    // On the 6.5 curve itself: 17 + (31 - 17) x 0.755 = 27.57.
    EXPECT_EQ(text("lblPillarStress"), QStringLiteral("27,6"));
    EXPECT_EQ(text("cboPillarWidth"), QStringLiteral("6,5"));
    // (18.5^2 - 6.5^2) / 18.5^2: the extraction of a 6.5 m pillar.
    EXPECT_EQ(text("lblPercentageExtraction"), QStringLiteral("87,7"));

    // The same point as typed in English.
    const std::vector<QPoint> commaLines = BlackInsideAxes(chartImage());
    ASSERT_FALSE(commaLines.empty());
    press("chkToggleGuideLines"); // hides them: the same point again
    EXPECT_TRUE(BlackInsideAxes(chartImage()).empty());
    {
        LocaleScope english(QLocale(QLocale::English, QLocale::UnitedStates));
        type("cboPillarWidth1", QStringLiteral("6.5"));
        type("txtDepth", QStringLiteral("175.5"));
        press("cmdInterpolate");
        EXPECT_EQ(text("lblPillarStress"), QStringLiteral("27.6"));
        EXPECT_EQ(BlackInsideAxes(chartImage()), commaLines);
    }
}

struct FailureCase {
    std::string_view file;
    const char* width;
    const char* depth;
    RecordedMessage message;
};

class Failures : public InterpolateTest, public ::testing::WithParamInterface<FailureCase> {};

// A failed run shows its message and changes no field, no stored stress and
// not the chart.
TEST_P(Failures, LeaveEveryFieldAndTheChartAsTheyWere) {
    const FailureCase& c = GetParam();
    ASSERT_TRUE(load(c.file));
    interpolate(QStringLiteral("6"), QStringLiteral("150"));
    ASSERT_TRUE(messages.shown.empty());
    State().AveragePillarStress = 99.0f;
    type("cboPillarWidth1", QString::fromLatin1(c.width));
    type("txtDepth", QString::fromLatin1(c.depth));
    const QImage before = chartImage().copy();
    const char* const fields[] = {
        "lblPillarStress", "lblPercentageExtraction",  "cboPillarWidth",  "lblFRPillarStress",
        "lblFRExtraction", "cmdCalculateAndContinue1", "cboPillarLength", "txtFRPillarWidth"};
    QStringList texts;
    for (const char* name : fields)
        texts << text(name);

    press("cmdInterpolate");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(), c.message);
    QStringList after;
    for (const char* name : fields)
        after << text(name);
    EXPECT_EQ(after, texts);
    EXPECT_EQ(State().AveragePillarStress, 99.0f);
    EXPECT_EQ(chartImage(), before);
}

INSTANTIATE_TEST_SUITE_P(
    OutOfBounds, Failures,
    ::testing::Values(
        FailureCase{kWidths5And7, "4", "150", {"Pillar width out of bounds", "Error message"}},
        FailureCase{kWidths5And7, "8", "150", {"Pillar width out of bounds", "Error message"}},
        FailureCase{kWidths5And7, "6", "50", {"Depth out of bounds", "Error Message"}},
        FailureCase{kWidths5And7, "6", "250", {"Depth out of bounds", "Error Message"}},
        FailureCase{kWidths5And7, "6", "", {"Depth out of bounds", "Error Message"}},
        FailureCase{kWidths5And7, "6", "1e999", {"Depth out of bounds", "Error Message"}},
        FailureCase{kShortWidth7, "6", "180", {"Pillar stress out of bounds", "Error Message"}}));

TEST_F(InterpolateTest, ContinueStaysUntilTheDepthIsCorrected) {
    ASSERT_TRUE(load(kWidths5And7));
    for (const char* caption : {"Calculate and Continue", "Continue"}) {
        // Before any run, and after a run that captioned the button "Continue".
        if (QLatin1String(caption) == QLatin1String("Continue"))
            interpolate(QStringLiteral("6"), QStringLiteral("150"));
        messages.shown.clear();
        type("cboPillarWidth1", QStringLiteral("6"));
        type("txtDepth", QStringLiteral("300"));
        press("cmdCalculateAndContinue1");
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.last(), (RecordedMessage{"Depth out of bounds", "Error Message"}));
        EXPECT_EQ(screen->tabs()->currentIndex(), CalculationScreen::kPillarStressTab);
        EXPECT_EQ(text("cmdCalculateAndContinue1"), QString::fromLatin1(caption));
    }
    EXPECT_EQ(text("lblPillarStress"), QString());

    type("txtDepth", QStringLiteral("150"));
    press("cmdCalculateAndContinue1");
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(screen->tabs()->currentIndex(), CalculationScreen::kPillarStrengthTab);
    EXPECT_EQ(FocusName(), QStringLiteral("cboK"));
    EXPECT_EQ(text("cmdCalculateAndContinue1"), QStringLiteral("Calculate and Continue"));
    EXPECT_EQ(text("lblPillarStress"), QStringLiteral("24.5"));
}

// W = 6, D = 150, K 50, height 2: W:H 3, strength 50 x 6^0.5 / 2^0.75 = 72.8,
// FOS 72.82 / 24.5 = 3.
TEST_F(InterpolateTest, FullEvaluationToTheFactorOfSafety) {
    ASSERT_TRUE(load(kWidths5And7));
    PickFromList(combo("cboPillarWidth1"), QStringLiteral("5"));
    type("cboPillarWidth1", QStringLiteral("6"));
    type("txtDepth", QStringLiteral("150"));
    press("cmdCalculateAndContinue1");
    ASSERT_EQ(screen->tabs()->currentIndex(), CalculationScreen::kPillarStrengthTab);
    PickFromList(combo("cboK"), QStringLiteral("50"));
    Type(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("2"));
    press("cmdCalculateAndContinue2");

    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(screen->tabs()->currentIndex(), CalculationScreen::kFinalResultsTab);
    EXPECT_EQ(FocusName(), QStringLiteral("cmdPrint"));
    EXPECT_EQ(text("cmdCalculateAndContinue2"), QStringLiteral("Calculate and Continue"));
    struct Expected {
        const char* name;
        const char* text;
    };
    const Expected expected[] = {
        {"txtFRPillarWidth", "6"}, {"txtFRPillarLength", "6"},      {"txtFRPillarHeight", "2"},
        {"txtFRBordWidth", "12"},  {"txtFRBordWidth2", "12"},       {"txtFRDepth", "150"},
        {"txtFRK", "50"},          {"lblFRPillarStress", "24.5"},   {"lblFRExtraction", "88.9"},
        {"txtFRWHratio", "3"},     {"lblFRPillarStrength", "72.8"}, {"lblFRFOS", "3"},
        {"lblWHratio", "3"},       {"lblPillarStrength", "72.8"},   {"lblFOS", "3"},
    };
    for (const Expected& e : expected)
        EXPECT_EQ(text(e.name), QString::fromLatin1(e.text)) << e.name;
    EXPECT_FALSE(text("txtFormula").isEmpty());
    EXPECT_EQ(text("txtComment"), text("txtFormula"));
    EXPECT_EQ(screen->buildReportRequest().stressSource,
              QStringLiteral("The Average Pillar Stress was interpolated from modelling results "
                             "for this evaluation"));

    // A strength input empties W:H, strength, FOS and the formula; the
    // comment stays.
    Type(screen, QStringLiteral("cboK"), QStringLiteral("40"));
    for (const char* name : {"lblWHratio", "lblPillarStrength", "lblFOS", "txtFormula",
                             "txtFRWHratio", "lblFRPillarStrength", "lblFRFOS"})
        EXPECT_EQ(text(name), QString()) << name;
    EXPECT_FALSE(text("txtComment").isEmpty());
    EXPECT_EQ(text("txtFRK"), QStringLiteral("40"));
    EXPECT_EQ(text("lblPillarStress"), QStringLiteral("24.5"));
}

TEST_F(InterpolateTest, SecondContinueGoesOnWhenTheStrengthStepIsRefused) {
    ASSERT_TRUE(load(kWidths5And7));
    press("cmdCalculateAndContinue2");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(),
              (RecordedMessage{"Fill values in all the text-boxes and calculate the Pillar Stress",
                               "Insufficient data"}));
    EXPECT_EQ(screen->tabs()->currentIndex(), CalculationScreen::kFinalResultsTab);
    EXPECT_EQ(FocusName(), QStringLiteral("cmdPrint"));
}

} // namespace
} // namespace vt::test
