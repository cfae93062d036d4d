// Behaviour shared by the tributary and the modelled screen, run on both.
#include "app/shellwindows.h"
#include "app/ui.h"
#include "tests/support/programtest.h"
#include "tests/support/screenhelpers.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

namespace vt::test {
namespace {

class BothScreens : public ProgramTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        screen = OpenScreen(QString::fromLatin1(GetParam()));
        ASSERT_NE(screen, nullptr);
    }
    QString text(const char* name) const { return Text(screen, QString::fromLatin1(name)); }
    QColor colour(const char* name) const {
        return Background(Field(screen, QString::fromLatin1(name)));
    }
    QString focusName() const {
        QWidget* w = QApplication::focusWidget();
        if (w && qobject_cast<QComboBox*>(w->parentWidget()))
            w = w->parentWidget();
        return w ? w->objectName() : QString();
    }
    CalculationScreen* screen = nullptr;
};

TEST_P(BothScreens, OpensAsDesigned) {
    EXPECT_EQ(screen->tabs()->objectName(), QStringLiteral("SSTab1"));
    EXPECT_EQ(screen->tabs()->currentIndex(), 0);
    EXPECT_EQ(screen->tabs()->tabText(0), QStringLiteral("&Pillar Stress"));
    EXPECT_EQ(screen->tabs()->tabText(1), QStringLiteral("Pillar &Strength"));
    EXPECT_EQ(screen->tabs()->tabText(2), QStringLiteral("Final &Results"));
    EXPECT_EQ(screen->centralWidget()->size(), QSize(305, 445)); // 4575 x 6675 twips
    EXPECT_EQ(screen->minimumSize(), screen->maximumSize());
    EXPECT_TRUE(screen->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(screen->windowFlags() & Qt::WindowMaximizeButtonHint);

    struct Initial {
        const char* name;
        const char* text;
        bool enabled;
    };
    const Initial initial[] = {
        {"cboPillarWidth1", "", true},
        {"cboPillarLength", "", true},
        {"cboBordWidth", "12", true},
        {"cboBordWidth2", "12", true},
        {"txtDepth", "", true},
        {"cboK", "", true},
        {"cboPillarHeight", "", true},
        {"cboPillarWidth", "", true},
        {"cboAlpha", "0.5", false},
        {"cboBeta", "0.75", false},
        {"cboSquatPillarEffect", "4.5", false},
        {"cboStrengthIncrease", "4.5", false},
        {"txtFRBordWidth", "12", true},
        {"txtFRBordWidth2", "12", true},
        {"txtFRAlpha", "0.5", true},
        {"txtFRBeta", "0.75", true},
        {"txtFRSquatPillarEffect", "4.5", true},
        {"txtFRStrengthIncrease", "4.5", true},
        {"txtFRPillarWidth", "", true},
        {"lblFRFOS", "", true},
        {"cmdCalculateAndContinue1", "Calculate and Continue", true},
        {"cmdCalculateAndContinue2", "Calculate and Continue", true},
        {"cmdPrint", "Print a hardcopy of the results", true},
        {"cmdDetermineK", "Determine K from UCS-values", true},
        {"cmdCalculatePillarStrength", "Calculate the Pillar strength", true},
        {"chkGraphicToggle", "Toggle switch for graphical pillar design", true},
        {"Check1", "Pillar formula variables", true},
    };
    for (const Initial& row : initial) {
        EXPECT_EQ(text(row.name), QString::fromLatin1(row.text)) << row.name;
        EXPECT_EQ(Field(screen, QString::fromLatin1(row.name))->isEnabled(), row.enabled)
            << row.name;
    }
    auto* effective = qobject_cast<QComboBox*>(Field(screen, QStringLiteral("cboPillarWidth")));
    EXPECT_TRUE(effective->lineEdit()->isReadOnly());
    EXPECT_EQ(effective->count(), 0);
    EXPECT_EQ(colour("cboPillarWidth"), kLightGrey);
    EXPECT_EQ(colour("lblWHratio"), kLightGrey);
    EXPECT_EQ(colour("txtFRWHratio"), kWhite);
    EXPECT_EQ(colour("txtFormula"), kLightGrey);
    EXPECT_EQ(colour("txtComment"), kLightGrey);
    EXPECT_TRUE(qobject_cast<QLineEdit*>(Field(screen, QStringLiteral("txtFRK")))->isReadOnly());
}

TEST_P(BothScreens, ListsAndToolTipsReadLetterForLetter) {
    auto items = [&](const char* name) {
        auto* combo = qobject_cast<QComboBox*>(Field(screen, QString::fromLatin1(name)));
        QStringList list;
        for (int i = 0; i < combo->count(); ++i)
            list << combo->itemText(i);
        return list.join(QLatin1Char(' '));
    };
    EXPECT_EQ(items("cboK"), QStringLiteral("4.5 7.2 10 20 30 40 50 60 70 80 90 100"));
    EXPECT_EQ(items("cboPillarHeight"), QStringLiteral("1 2 3 4 5 6 7 8"));
    EXPECT_EQ(items("cboPillarWidth1"), QStringLiteral("1 2 3 4 5 6 7 8 9 10"));
    EXPECT_EQ(items("cboBordWidth2"), QStringLiteral("4 8 12 16 20"));
    EXPECT_EQ(items("cboAlpha"), QStringLiteral("0.5 0.46"));
    EXPECT_EQ(items("cboBeta"), QStringLiteral("0.75 0.66"));
    EXPECT_EQ(items("cboSquatPillarEffect"), QStringLiteral("4.5 5.0"));
    EXPECT_EQ(items("cboStrengthIncrease"), QStringLiteral("2.5 4.5"));

    const std::pair<const char*, const char*> tips[] = {
        {"cboK", "Fill in a value for the compressive strength of a cube of unit length of "
                 "pillar material   OR   Calculate K by using the \"Determine K from "
                 "UCS-values\" button"},
        {"cmdDetermineK", "Determine K from the median of UCS-values"},
        {"cboPillarWidth", "The value is transferred from the previous label"},
        {"cboPillarHeight", "The stoping width in m"},
        {"cboAlpha", "Hedley/Grant value is 0.5"},
        {"cboBeta", "Hedley/Grant value is 0.75"},
        {"cboSquatPillarEffect", "The transition from the Hedley/Grant to the Squat Pillar "
                                 "formula, typically at a W:H-ratio of 4.5 for hard rock"},
        {"cboStrengthIncrease", "The rate of strength increase when using the Squat Pillar "
                                "formula"},
        {"Check1", "Checking this box will enable changes to be made to the empirically "
                   "determined variables used in the calculation of the Pillar Strength (not "
                   "recommended)"},
        {"txtFormula", "Indicates the formula used in the determination of the Pillar Strength"},
        {"txtDepth", "Pillar depth below surface in m"},
        {"cboPillarWidth1", "The smallest dimension of the pillar"},
        {"cboPillarLength", "The biggest dimension of the pillar"},
        {"cboBordWidth", "The bord width in the same direction as the pillar width"},
        {"cboBordWidth2", "The bord width in the same direction as the pillar length"},
    };
    for (const auto& [name, tip] : tips)
        EXPECT_EQ(Field(screen, QString::fromLatin1(name))->toolTip(), QString::fromUtf8(tip))
            << name;
}

TEST_P(BothScreens, MenusOfferNewCalculationExitAndAbout) {
    // The design tools' menu stands between "&File" and "&Help".
    QList<QAction*> menus = screen->menuBar()->actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("&File"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("&Design"));
    EXPECT_EQ(menus[2]->text(), QStringLiteral("&Help"));
    menus.removeAt(1);
    QStringList file;
    for (QAction* a : menus[0]->menu()->actions())
        file << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(file, (QStringList{QStringLiteral("&New Calculation"), QStringLiteral("-"),
                                 QStringLiteral("E&xit")}));
    // The user guide (F1) stands before the about box.
    ASSERT_EQ(menus[1]->menu()->actions().size(), 2);
    EXPECT_EQ(menus[1]->menu()->actions()[0]->text(), QStringLiteral("&User guide"));
    EXPECT_EQ(menus[1]->menu()->actions()[0]->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(menus[1]->menu()->actions()[1]->text(), QStringLiteral("&About"));
}

TEST_P(BothScreens, GraphicToggleLooksAsDesigned) {
    auto* toggle = qobject_cast<QPushButton*>(Field(screen, QStringLiteral("chkGraphicToggle")));
    ASSERT_NE(toggle, nullptr);
    EXPECT_TRUE(toggle->isCheckable());
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_EQ(toggle->size(), QSize(241, 25)); // 3615 x 375 twips
    EXPECT_TRUE(toggle->font().bold());
    EXPECT_DOUBLE_EQ(toggle->font().pointSizeF(), 8.25);
    EXPECT_EQ(toggle->palette().color(QPalette::Button), kLightGrey);
    EXPECT_TRUE(screen->tabs()->widget(0)->isAncestorOf(toggle));
}

TEST_P(BothScreens, KeyboardOrderOfTheFirstTab) {
    const QString first =
        IsTributary(screen) ? QStringLiteral("cboRockDensity") : QStringLiteral("txtPillarStress");
    Field(screen, first)->setFocus();
    QStringList order{focusName()};
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << focusName();
    }
    EXPECT_EQ(order,
              (QStringList{first, QStringLiteral("txtDepth"), QStringLiteral("chkGraphicToggle"),
                           QStringLiteral("cboPillarWidth1"), QStringLiteral("cboPillarLength"),
                           QStringLiteral("cboBordWidth"), QStringLiteral("cboBordWidth2"),
                           StressStepButton(screen), QStringLiteral("cmdCalculateAndContinue1")}));
}

TEST_P(BothScreens, FullEvaluationShowsResultsColoursPopUpsAndCopies) {
    RunFullEvaluation(screen, QStringLiteral("5"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(text("lblPercentageExtraction"), QStringLiteral("79.3"));
    EXPECT_EQ(text("cboPillarWidth"), QStringLiteral("10"));
    EXPECT_EQ(text("lblWHratio"), QStringLiteral("2"));
    EXPECT_EQ(text("lblPillarStrength"), QStringLiteral("94.6"));
    EXPECT_EQ(text("lblFOS"), QStringLiteral("1.5"));
    EXPECT_EQ(text("txtFormula"), QStringLiteral("The Hedley/Grant formula was used"));
    EXPECT_EQ(text("txtComment"), QStringLiteral("The Hedley/Grant formula was used"));
    for (const char* red : {"lblWHratio", "txtFRWHratio", "lblFOS", "lblFRFOS"})
        EXPECT_EQ(colour(red), kWarningRed) << red;
    EXPECT_NE(Windows().existing(kPopUpWH), nullptr);
    EXPECT_NE(Windows().existing(kPopUpFOS), nullptr);

    const std::pair<const char*, const char*> copies[] = {
        {"txtFRPillarWidth", "10"},  {"txtFRPillarLength", "10"},
        {"txtFRPillarHeight", "5"},  {"txtFRBordWidth", "12"},
        {"txtFRBordWidth2", "12"},   {"txtFRDepth", "500"},
        {"txtFRK", "100"},           {"txtFRWHratio", "2"},
        {"lblFRExtraction", "79.3"}, {"lblFRPillarStrength", "94.6"},
        {"lblFRFOS", "1.5"},
    };
    for (const auto& [name, expected] : copies)
        EXPECT_EQ(text(name), QString::fromLatin1(expected)) << name;
    EXPECT_EQ(text("lblFRPillarStress"),
              IsTributary(screen) ? QStringLiteral("64.1") : QStringLiteral("64.0985"));
    // Both Continue buttons are back to their captions; the user is on the
    // Final Results tab, ready to print.
    EXPECT_EQ(text("cmdCalculateAndContinue1"), QStringLiteral("Calculate and Continue"));
    EXPECT_EQ(text("cmdCalculateAndContinue2"), QStringLiteral("Calculate and Continue"));
    EXPECT_EQ(screen->tabs()->currentIndex(), 2);
    EXPECT_EQ(focusName(), QStringLiteral("cmdPrint"));
}

TEST_P(BothScreens, StepCaptionsTurnToContinueAndStayThroughEdits) {
    FillPillarStressTab(screen);
    Press(screen, StressStepButton(screen));
    EXPECT_EQ(text("cmdCalculateAndContinue1"), QStringLiteral("Continue"));
    Press(screen, QStringLiteral("cmdCalculateAndContinue1"));
    EXPECT_EQ(screen->tabs()->currentIndex(), 1);
    EXPECT_EQ(focusName(), QStringLiteral("cboK"));
    EXPECT_EQ(text("cmdCalculateAndContinue1"), QStringLiteral("Calculate and Continue"));

    Pick(screen, QStringLiteral("cboK"), QStringLiteral("100"));
    Type(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("2"));
    Press(screen, QStringLiteral("cmdCalculatePillarStrength"));
    EXPECT_EQ(text("cmdCalculateAndContinue2"), QStringLiteral("Continue"));
    Press(screen, StressStepButton(screen));
    Type(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("3"));
    Type(screen, QStringLiteral("txtDepth"), QStringLiteral("400"));
    EXPECT_EQ(text("cmdCalculateAndContinue1"), QStringLiteral("Continue"));
    EXPECT_EQ(text("cmdCalculateAndContinue2"), QStringLiteral("Continue"));
}

TEST_P(BothScreens, StressStepWithDefaultFormAsksForData) {
    const float before = State().AveragePillarStress = 12.5f;
    Press(screen, StressStepButton(screen));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(), (RecordedMessage{QStringLiteral("Fill values in all the text-boxes"),
                                                QStringLiteral("Insufficient data")}));
    EXPECT_EQ(text("lblPercentageExtraction"), QString());
    EXPECT_EQ(text("cmdCalculateAndContinue1"), QStringLiteral("Calculate and Continue"));
    EXPECT_EQ(State().AveragePillarStress, before);
}

TEST_P(BothScreens, StrengthStepNeedsTheFirstTabsResult) {
    Type(screen, QStringLiteral("cboPillarWidth1"), QStringLiteral("10"));
    Type(screen, QStringLiteral("cboPillarLength"), QStringLiteral("10"));
    Press(screen, QStringLiteral("cmdCalculateAndContinue1")); // refused, width formed
    messages.shown.clear();
    EXPECT_EQ(text("cboPillarWidth"), QStringLiteral("10"));
    Pick(screen, QStringLiteral("cboK"), QStringLiteral("50"));
    Pick(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("2"));
    Press(screen, QStringLiteral("cmdCalculatePillarStrength"));
    const QString expected =
        IsTributary(screen)
            ? QStringLiteral("Fill values in all the text-boxes and calculate the Pillar Stress")
            : QStringLiteral(
                  "Fill values in all the text-boxes and calculate the Percentage Extraction");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(), (RecordedMessage{expected, QStringLiteral("Insufficient data")}));
    EXPECT_EQ(text("lblWHratio"), QString());
    EXPECT_EQ(text("txtFormula"), QString());
    EXPECT_EQ(Windows().existing(kPopUpWH), nullptr);
}

TEST_P(BothScreens, SecondContinueWithEmptyKShowsTheRefusalOverFinalResults) {
    FillPillarStressTab(screen);
    Press(screen, QStringLiteral("cmdCalculateAndContinue1"));
    Pick(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("2"));
    Press(screen, QStringLiteral("cmdCalculateAndContinue2"));
    EXPECT_EQ(screen->tabs()->currentIndex(), 2);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last().title, QStringLiteral("Insufficient data"));
    EXPECT_EQ(text("lblFOS"), QString());
    EXPECT_EQ(text("cmdCalculateAndContinue2"), QStringLiteral("Calculate and Continue"));
}

TEST_P(BothScreens, FirstContinueWithoutWidthStaysOnTheFirstTab) {
    Type(screen, QStringLiteral("cboPillarLength"), QStringLiteral("10"));
    Press(screen, QStringLiteral("cmdCalculateAndContinue1"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last().text, QStringLiteral("Fill values in all the text-boxes"));
    EXPECT_EQ(screen->tabs()->currentIndex(), 0);
    EXPECT_EQ(text("cboPillarWidth"), QString());
}

TEST_P(BothScreens, EffectiveWidthOfARectangularPillar) {
    FillPillarStressTab(screen);
    Pick(screen, QStringLiteral("cboPillarWidth1"), QStringLiteral("4"));
    Press(screen, QStringLiteral("cmdCalculateAndContinue1"));
    EXPECT_EQ(text("cboPillarWidth"), QStringLiteral("5.7"));
    Pick(screen, QStringLiteral("cboK"), QStringLiteral("100"));
    Pick(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("3"));
    Press(screen, QStringLiteral("cmdCalculatePillarStrength"));
    EXPECT_EQ(text("lblWHratio"), QStringLiteral("1.9"));
    EXPECT_EQ(colour("lblWHratio"), kWarningRed);
    EXPECT_NE(Windows().existing(kPopUpWH), nullptr);
    Pick(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("2"));
    Press(screen, QStringLiteral("cmdCalculatePillarStrength"));
    EXPECT_EQ(colour("lblWHratio"), kLightGrey);
    EXPECT_EQ(colour("txtFRWHratio"), kWhite);
}

// W:H at the limits: exactly 2.5 is no warning; the squat start itself still
// uses Hedley/Grant, anything above it the squat formula.
TEST_P(BothScreens, FormulaAndWarningAtTheLimits) {
    struct Row {
        const char* width;
        const char* height;
        const char* ratio;
        const char* strength;
        bool ratioRed;
        const char* sentence;
    };
    const Row rows[] = {
        {"10", "4", "2.5", nullptr, false, "The Hedley/Grant formula was used"},
        {"9", "2", "4.5", "178.4", false, "The Hedley/Grant formula was used"},
        {"10", "2", "5", "189.3", false, "The squat pillar formula was used"},
    };
    for (const Row& row : rows) {
        FillPillarStressTab(screen);
        Type(screen, QStringLiteral("cboPillarWidth1"), QString::fromLatin1(row.width));
        Type(screen, QStringLiteral("cboPillarLength"), QString::fromLatin1(row.width));
        Press(screen, QStringLiteral("cmdCalculateAndContinue1"));
        Pick(screen, QStringLiteral("cboK"), QStringLiteral("100"));
        Type(screen, QStringLiteral("cboPillarHeight"), QString::fromLatin1(row.height));
        Press(screen, QStringLiteral("cmdCalculatePillarStrength"));
        EXPECT_EQ(text("lblWHratio"), QString::fromLatin1(row.ratio)) << row.width;
        if (row.strength) {
            EXPECT_EQ(text("lblPillarStrength"), QString::fromLatin1(row.strength)) << row.width;
        }
        EXPECT_EQ(colour("lblWHratio") == kWarningRed, row.ratioRed) << row.width;
        EXPECT_EQ(text("txtFormula"), QString::fromLatin1(row.sentence)) << row.width;
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_P(BothScreens, FormulaVariablesUnlockAndLockWithoutChangingValues) {
    const QStringList four = {QStringLiteral("cboAlpha"), QStringLiteral("cboBeta"),
                              QStringLiteral("cboSquatPillarEffect"),
                              QStringLiteral("cboStrengthIncrease")};
    Press(screen, QStringLiteral("Check1"));
    for (const QString& name : four)
        EXPECT_TRUE(Field(screen, name)->isEnabled()) << name.toStdString();
    Pick(screen, QStringLiteral("cboAlpha"), QStringLiteral("0.46"));
    EXPECT_EQ(text("txtFRAlpha"), QStringLiteral("0.46"));
    Press(screen, QStringLiteral("Check1"));
    for (const QString& name : four)
        EXPECT_FALSE(Field(screen, name)->isEnabled()) << name.toStdString();
    EXPECT_EQ(text("cboAlpha"), QStringLiteral("0.46"));
    EXPECT_EQ(text("cboBeta"), QStringLiteral("0.75"));
}

TEST_P(BothScreens, ResultFieldsCopyThemselvesAgainWhenClicked) {
    RunFullEvaluation(screen, QStringLiteral("5"));
    const std::pair<const char*, const char*> pairs[] = {
        {"lblFOS", "lblFRFOS"},
        {"lblWHratio", "txtFRWHratio"},
        {"lblPillarStrength", "lblFRPillarStrength"},
        {"lblPercentageExtraction", "lblFRExtraction"},
    };
    for (const auto& [result, twin] : pairs) {
        QWidget* copy = Field(screen, QString::fromLatin1(twin));
        if (auto* label = qobject_cast<QLabel*>(copy))
            label->setText(QStringLiteral("stale"));
        else
            qobject_cast<QLineEdit*>(copy)->setText(QStringLiteral("stale"));
        Press(screen, QString::fromLatin1(result));
        EXPECT_EQ(text(twin), text(result)) << result;
    }
}

TEST_P(BothScreens, ClickIntoDepthRepeatsOnlyTheCopy) {
    RunFullEvaluation(screen, QStringLiteral("5"));
    qobject_cast<QLineEdit*>(Field(screen, QStringLiteral("txtFRDepth")))
        ->setText(QStringLiteral("stale"));
    Press(screen, QStringLiteral("txtDepth"));
    EXPECT_EQ(text("txtFRDepth"), QStringLiteral("500"));
    EXPECT_EQ(text("lblFOS"), QStringLiteral("1.5"));
    EXPECT_EQ(text("lblPercentageExtraction"), QStringLiteral("79.3"));
}

TEST_P(BothScreens, ReportRequestBeforeAnyCalculationCarriesDesignValues) {
    const ReportRequest request = screen->buildReportRequest();
    EXPECT_EQ(request.values, (QStringList{{},
                                           {},
                                           {},
                                           QStringLiteral("12"),
                                           QStringLiteral("12"),
                                           {},
                                           {},
                                           QStringLiteral("0.5"),
                                           QStringLiteral("0.75"),
                                           QStringLiteral("4.5"),
                                           QStringLiteral("4.5"),
                                           {},
                                           {},
                                           {},
                                           {},
                                           {}}));
    EXPECT_EQ(request.comment, QString());
}

TEST_P(BothScreens, PrintRequestCarriesFinalResultsAndResetsToTheFirstInput) {
    RunFullEvaluation(screen, QStringLiteral("5"));
    const ReportRequest request = screen->buildReportRequest();
    EXPECT_EQ(request.values,
              (QStringList{QStringLiteral("10"), QStringLiteral("10"), QStringLiteral("5"),
                           QStringLiteral("12"), QStringLiteral("12"), QStringLiteral("500"),
                           QStringLiteral("100"), QStringLiteral("0.5"), QStringLiteral("0.75"),
                           QStringLiteral("4.5"), QStringLiteral("4.5"), QStringLiteral("79.3"),
                           QStringLiteral("2"), text("lblFRPillarStress"), QStringLiteral("94.6"),
                           QStringLiteral("1.5")}));
    EXPECT_EQ(request.comment, QStringLiteral("The Hedley/Grant formula was used"));
    EXPECT_EQ(request.stressSource,
              IsTributary(screen)
                  ? QStringLiteral("The Tributary Area theory was used to calculate the Average "
                                   "Pillar Stress for this evaluation")
                  : QStringLiteral("This evaluation was done with a known Average Pillar Stress"));

    Press(screen, QStringLiteral("cmdPrint"));
    EXPECT_EQ(screen->tabs()->currentIndex(), 0);
    EXPECT_EQ(focusName(), IsTributary(screen) ? QStringLiteral("cboRockDensity")
                                               : QStringLiteral("txtPillarStress"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_P(BothScreens, NewCalculationGivesAFreshScreen) {
    const QString name = screen->objectName();
    RunFullEvaluation(screen, QStringLiteral("5"));
    screen->findChild<QAction*>(QStringLiteral("mnuNewCalculation"))->trigger();
    flushDeletes();
    EXPECT_EQ(Windows().existing(name), nullptr);
    EXPECT_EQ(Windows().existing(kPopUpWH), nullptr);
    QWidget* splash = Windows().existing(QStringLiteral("frmSplash"));
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(endRequests, 0);

    CalculationScreen* fresh = OpenScreen(name);
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(Text(fresh, QStringLiteral("lblFOS")), QString());
    EXPECT_EQ(Text(fresh, QStringLiteral("cboPillarWidth1")), QString());
    EXPECT_EQ(Text(fresh, QStringLiteral("txtComment")), QString());
    EXPECT_EQ(fresh->tabs()->currentIndex(), 0);
}

TEST_P(BothScreens, ExitEndsTheProgramAtOnce) {
    screen->findChild<QAction*>(QStringLiteral("mnuExit"))->trigger();
    EXPECT_EQ(endRequests, 1);
    EXPECT_EQ(Windows().existing(screen->objectName()), screen); // no closing one by one
}

TEST_P(BothScreens, ClosingTheScreenClosesEveryOtherWindow) {
    const QString name = screen->objectName();
    RunFullEvaluation(screen, QStringLiteral("5")); // raises both pop-ups
    Windows().show(QStringLiteral("frmMedianUCS"));
    screen->close();
    flushDeletes();
    EXPECT_EQ(Windows().existing(name), nullptr);
    EXPECT_EQ(Windows().existing(QStringLiteral("frmMedianUCS")), nullptr);
    EXPECT_EQ(Windows().existing(kPopUpWH), nullptr);
    EXPECT_EQ(Windows().existing(kPopUpFOS), nullptr);
    EXPECT_EQ(Windows().existing(QStringLiteral("frmSplash")), nullptr);
}

TEST_P(BothScreens, DetermineKOpensTheUcsDialogWithoutWaiting) {
    Press(screen, QStringLiteral("cmdDetermineK"));
    QWidget* dialog = Windows().existing(QStringLiteral("frmMedianUCS"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
}

// Text that is not a number, and numbers without a finite result, are refused
// with a message; nothing changes.
TEST_P(BothScreens, BadStrengthInputIsRefusedWithAMessage) {
    struct Row {
        const char* field;
        const char* text;
        const char* message;
        const char* restore;
    };
    const Row rows[] = {
        {"cboK", "abc", "The value in \"K (MPa)\" is not a number", "100"},
        {"cboK", "-", "The value in \"K (MPa)\" is not a number", "100"},
        {"cboPillarHeight", "1e999", "The value in \"Pillar height (m)\" is too large to use", "2"},
        {"cboK", "1e-50",
         "The value in \"K (MPa)\" is too close to 0 to use: type 0 or a larger number", "100"},
        {"cboK", "1,200",
         "The value \"1,200\" in \"K (MPa)\" could be read as 1200 or as 1.2: type 1200 without "
         "the thousands separator, or 1.2",
         "100"},
        {"cboPillarHeight", "5a", "The value in \"Pillar height (m)\" is not a number", "2"},
        {"cboPillarHeight", "0", "The pillar height must not be 0", "2"},
        {"cboSquatPillarEffect", "0", "The start squat pillar value must not be 0", "4.5"},
        {"cboStrengthIncrease", "0", "The strength increase rate must not be 0", "4.5"},
        {"cboAlpha", "x", "The value in \"α\" is not a number", "0.5"},
        {"cboPillarHeight", "-2",
         "The pillar width, length and height and the start squat pillar value must not be "
         "negative",
         "2"},
    };
    Press(screen, QStringLiteral("Check1"));
    for (const Row& row : rows) {
        RunFullEvaluation(screen, QStringLiteral("2")); // all results present
        Type(screen, QString::fromLatin1(row.field), QString::fromUtf8(row.text));
        messages.shown.clear();
        const float stress = State().AveragePillarStress;
        Press(screen, QStringLiteral("cmdCalculatePillarStrength"));
        ASSERT_EQ(messages.shown.size(), 1u) << row.field << " " << row.text;
        EXPECT_EQ(messages.last(), (RecordedMessage{QString::fromUtf8(row.message),
                                                    QStringLiteral("Invalid data")}));
        EXPECT_EQ(text("lblWHratio"), QString());
        EXPECT_EQ(text("lblFOS"), QString());
        EXPECT_EQ(text("cmdCalculateAndContinue2"), QStringLiteral("Calculate and Continue"));
        EXPECT_EQ(State().AveragePillarStress, stress);
        Type(screen, QString::fromLatin1(row.field), QString::fromLatin1(row.restore));
    }
}

TEST_P(BothScreens, BadDimensionsAreRefusedAndKeepTheStoredStress) {
    struct Row {
        const char* field;
        const char* text;
        const char* message;
    };
    const Row rows[] = {
        {"cboPillarWidth1", "abc", "The value in \"Pillar width (m)\" is not a number"},
        {"cboPillarLength", "5a", "The value in \"Pillar length (m)\" is not a number"},
        {"cboBordWidth2", "1e999", "The value in \"Bord width 2 (m)\" is too large to use"},
        // Bords so wide that the extraction is 100 % are named as such, not as
        // a pillar of no area.
        {"cboBordWidth", "1e30",
         "The bords are so wide against the pillar that the extraction is 100 %: the pillar "
         "carries no share of the load it could be given"},
        {"txtDepth", "-", "The value in \"Depth (m)\" is not a number"},
        // A pillar without area leaves no tributary stress (the modelled screen
        // needs none: its 100 % extraction is shown).
        {"cboPillarWidth1", "0", "The pillar width and the pillar length must not be 0"},
    };
    for (const Row& row : rows) {
        // The modelled screen needs no tributary stress: its 100 % extraction
        // is shown.
        const QLatin1String bad(row.text);
        if (!IsTributary(screen) && (bad == QLatin1String("0") || bad == QLatin1String("1e30")))
            continue;
        FillPillarStressTab(screen);
        Type(screen, QString::fromLatin1(row.field), QString::fromLatin1(row.text));
        messages.shown.clear();
        State().AveragePillarStress = 7.0f;
        Press(screen, StressStepButton(screen));
        ASSERT_EQ(messages.shown.size(), 1u) << row.field;
        EXPECT_EQ(messages.last(), (RecordedMessage{QString::fromUtf8(row.message),
                                                    QStringLiteral("Invalid data")}));
        EXPECT_EQ(text("lblPercentageExtraction"), QString());
        EXPECT_EQ(State().AveragePillarStress, 7.0f);
        EXPECT_EQ(text("cmdCalculateAndContinue1"), QStringLiteral("Calculate and Continue"));
    }
}

TEST_P(BothScreens, ZeroBordsAndZeroWidthHaveNoTributaryArea) {
    FillPillarStressTab(screen);
    Type(screen, QStringLiteral("cboPillarWidth1"), QStringLiteral("0"));
    Type(screen, QStringLiteral("cboBordWidth"), QStringLiteral("0"));
    Press(screen, StressStepButton(screen));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last().text,
              QStringLiteral("The pillar width plus the bord width must not be 0 in either "
                             "direction"));
    // Nor has a 0 x 0 pillar an effective width: Continue stays on the tab.
    messages.shown.clear();
    Type(screen, QStringLiteral("cboPillarLength"), QStringLiteral("0"));
    Press(screen, QStringLiteral("cmdCalculateAndContinue1"));
    EXPECT_EQ(screen->tabs()->currentIndex(), 0);
    EXPECT_EQ(text("cboPillarWidth"), QString());
}

TEST_P(BothScreens, CommaLocaleReadsBothSeparatorsAndShowsAComma) {
    LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    FillPillarStressTab(screen);
    Type(screen, QStringLiteral("cboPillarWidth1"), QStringLiteral("4"));
    Press(screen, QStringLiteral("cmdCalculateAndContinue1"));
    EXPECT_EQ(text("cboPillarWidth"), QStringLiteral("5,7"));
    EXPECT_EQ(text("lblPercentageExtraction"), QStringLiteral("88,6"));
    Pick(screen, QStringLiteral("cboK"), QStringLiteral("4.5")); // list item with a point
    Type(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("3"));
    Press(screen, QStringLiteral("cmdCalculatePillarStrength"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(text("lblWHratio"), QStringLiteral("1,9"));
    const QString strength = text("lblPillarStrength");
    EXPECT_TRUE(strength.contains(QLatin1Char(','))) << strength.toStdString();
    Type(screen, QStringLiteral("cboK"), QStringLiteral("4,5")); // typed with a comma
    EXPECT_EQ(text("lblPillarStrength"), QString());
    Press(screen, QStringLiteral("cmdCalculatePillarStrength"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(text("lblPillarStrength"), strength);
}

INSTANTIATE_TEST_SUITE_P(Screens, BothScreens, ::testing::Values("frmTributary", "frmModelled"));

} // namespace
} // namespace vt::test
