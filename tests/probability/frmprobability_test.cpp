// The probability window through its widgets: opened from each screen's
// "&Design" menu, a run gives what the sampling gives for the screen's
// design read another way, bad parameters are refused and change nothing,
// long runs show their progress and can be cancelled, the results follow
// the screen, K comes from the UCS readings, and the exports write files.
#include "dialogs/frmmedianucs.h"
#include "probability/core/report.h"
#include "probability/core/screendesign.h"
#include "probability/core/ucsfit.h"
#include "tests/probability/probabilitytest.h"
#include "tests/support/locale.h"
#include "tests/support/specialfiles.h"

#include <QDir>
#include <QImage>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QToolButton>
#include <algorithm>
#include <functional>

namespace vt::test {
namespace {

using evaluation::Input;
using evaluation::NumberLocale;

const char* const kScreens[] = {"frmTributary", "frmModelled", "frmInterpolate"};

// The results the window shows, in its labels.
QStringList ResultTexts(const QWidget* tool) {
    QStringList texts;
    for (const char* name :
         {"lblFailure", "lblBelowLimit", "lblMean", "lblStandardDeviation", "lblQuantile5",
          "lblMedian", "lblWidthHeightShare", "lblSquatShare", "lblSamples"})
        texts << tool->findChild<QLabel*>(QString::fromLatin1(name))->text();
    texts << tool->findChild<QPlainTextEdit*>(QStringLiteral("txtSentence"))->toPlainText();
    return texts;
}

class ProbabilityOnEachScreen : public ProbabilityTest,
                                public ::testing::WithParamInterface<const char*> {};

TEST_P(ProbabilityOnEachScreen, DesignMenuOpensOneModelessWindowForTheScreen) {
    frmProbability* tool = openOn(GetParam());
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(openTool(screen), tool);
    EXPECT_FALSE(tool->isModal());
    EXPECT_TRUE(screen->isEnabled());
    EXPECT_EQ(tool->windowTitle(),
              QStringLiteral("Probability of failure - %1").arg(screen->windowTitle()));
    EXPECT_EQ(label(tool, "lblDesign"),
              QStringLiteral("The design on the %1 screen: FOS 1.5").arg(screen->windowTitle()));
    // The rows of the inputs the screen's method takes, with the screen's texts;
    // on the modelled screen the bord widths cannot change the FOS and are
    // left out.
    const evaluation::DesignTexts texts = evaluation::AsOnScreen(screen->designTexts());
    std::vector<Input> used = probability::UncertainInputs(texts.method);
    if (texts.method == evaluation::Method::Modelled)
        std::erase_if(used,
                      [](Input i) { return i == Input::BordWidth1 || i == Input::BordWidth2; });
    EXPECT_EQ(probability::SampledInputs(texts.method), used);
    for (auto [input, key] :
         {std::pair{Input::K, "K"}, std::pair{Input::RockDensity, "RockDensity"},
          std::pair{Input::ModelledStress, "ModelledStress"}, std::pair{Input::Depth, "Depth"},
          std::pair{Input::PillarLength, "PillarLength"},
          std::pair{Input::BordWidth1, "BordWidth1"}, std::pair{Input::BordWidth2, "BordWidth2"},
          std::pair{Input::PillarHeight, "PillarHeight"}}) {
        auto* value = child<QLabel>(tool, QStringLiteral("lblValue") + QLatin1String(key));
        const bool shown = std::find(used.begin(), used.end(), input) != used.end();
        EXPECT_EQ(value->isVisible(), shown) << key;
        if (shown) {
            EXPECT_EQ(value->text(), probability::InputText(texts, input)) << key;
        }
    }
}

TEST_P(ProbabilityOnEachScreen, ARunGivesWhatTheSamplingGivesForTheScreensDesign) {
    frmProbability* tool = openOn(GetParam());
    ASSERT_NE(tool, nullptr);
    choose(tool, QStringLiteral("K"), QStringLiteral("lognormal"));
    type(tool, QStringLiteral("txtCVK"), QStringLiteral("25"));
    choose(tool, QStringLiteral("PillarHeight"), QStringLiteral("normal"));
    type(tool, QStringLiteral("txtCVPillarHeight"), QStringLiteral("5"));
    type(tool, QStringLiteral("txtSamples"), QStringLiteral("20000"));
    type(tool, QStringLiteral("txtSeed"), QStringLiteral("314"));
    run(tool);
    ASSERT_TRUE(messages.shown.empty());
    ASSERT_NE(tool->shownResult(), nullptr);

    // The same design read from the screen's texts, sampled on one thread.
    const NumberLocale locale = NumberLocale::Current();
    const auto design =
        probability::ReadScreenDesign(screen->designTexts(), locale, &State().ModellingResults);
    ASSERT_TRUE(design.ok());
    probability::Model model;
    model.base = design->numbers;
    model.inputs = {
        {Input::K, probability::Distribution::Lognormal(design->numbers.k, 0.25)},
        {Input::PillarHeight, probability::Distribution::Normal(design->numbers.height, 0.05)}};
    if (screen->designTexts().method == evaluation::Method::Interpolation)
        model.table = std::make_shared<const results::ModellingResults>(State().ModellingResults);
    probability::RunSettings settings;
    settings.samples = 20000;
    settings.seed = 314;
    settings.threads = 1;
    const probability::RunResult expected = probability::RunSamples(model, settings);
    EXPECT_EQ(tool->shownResult()->failure.value, expected.failure.value);
    EXPECT_EQ(tool->shownResult()->mean, expected.mean);
    EXPECT_EQ(label(tool, "lblFailure"),
              QStringLiteral("%1 % (standard error %2 %)")
                  .arg(probability::ShowPercent(expected.failure.value, locale),
                       probability::ShowPercent(expected.failure.standardError, locale)));
    // The FOS figures all show the quantiles' two decimals.
    for (auto [name, value] : {std::pair{"lblMedian", static_cast<double>(expected.median)},
                               std::pair{"lblQuantile5", static_cast<double>(expected.quantile5)},
                               std::pair{"lblMean", expected.mean},
                               std::pair{"lblStandardDeviation", expected.standardDeviation}})
        EXPECT_EQ(label(tool, name), evaluation::ShowResult(value, 2, locale)) << name;
    EXPECT_EQ(label(tool, "lblSamples"),
              QStringLiteral("20,000 of 20,000 samples gave a finite FOS (seed 314)"));
    EXPECT_TRUE(child<QPlainTextEdit>(tool, QStringLiteral("txtSentence"))
                    ->toPlainText()
                    .startsWith(QStringLiteral("Monte Carlo analysis of the design on the %1 "
                                               "screen (FOS 1.5), 20,000 samples with seed 314, "
                                               "K (MPa) lognormal, CV 25 %; Pillar height (m) "
                                               "normal, CV 5 %: ")
                                    .arg(screen->windowTitle())));
    EXPECT_TRUE(
        child<probability::HistogramView>(tool, QStringLiteral("picHistogram"))->hasPicture());
}

INSTANTIATE_TEST_SUITE_P(Screens, ProbabilityOnEachScreen, ::testing::ValuesIn(kScreens));

TEST_F(ProbabilityTest, FixedInputsGiveCertainties) {
    frmProbability* tool = openOn("frmTributary");
    ASSERT_NE(tool, nullptr);
    type(tool, QStringLiteral("txtSamples"), QStringLiteral("5000"));
    run(tool);
    EXPECT_EQ(label(tool, "lblFailure"), QStringLiteral("0 % (standard error 0 %)"));
    EXPECT_EQ(label(tool, "lblBelowLimit"), QStringLiteral("100 % (standard error 0 %)"));
    EXPECT_EQ(label(tool, "lblStandardDeviation"), QStringLiteral("0"));
    EXPECT_EQ(label(tool, "lblWidthHeightShare"), QStringLiteral("100 %"));
    EXPECT_EQ(label(tool, "lblSquatShare"), QStringLiteral("0 %"));
    // Every sample is the screen's own FOS.
    const evaluation::Evaluation shown =
        evaluation::Evaluate(screen->designTexts(), NumberLocale::Current());
    EXPECT_EQ(tool->shownResult()->median, shown.factorOfSafetyValue);
    EXPECT_EQ(tool->shownResult()->quantile5, shown.factorOfSafetyValue);
}

TEST_F(ProbabilityTest, BadParametersAreRefusedAndChangeNothing) {
    frmProbability* tool = openOn("frmTributary");
    ASSERT_NE(tool, nullptr);
    choose(tool, QStringLiteral("K"), QStringLiteral("lognormal"));
    type(tool, QStringLiteral("txtSamples"), QStringLiteral("3000"));
    run(tool);
    ASSERT_TRUE(messages.shown.empty());
    const QStringList before = ResultTexts(tool);
    ASSERT_FALSE(before[0].isEmpty());

    struct Case {
        std::function<void()> set;
        std::function<void()> undo;
        const char* message;
    };
    const Case cases[] = {
        {[&] { type(tool, QStringLiteral("txtCVK"), QStringLiteral("-5")); },
         [&] { type(tool, QStringLiteral("txtCVK"), QStringLiteral("10")); },
         "The coefficient of variation of \"K (MPa)\" must not be negative"},
        {[&] {
             choose(tool, QStringLiteral("Depth"), QStringLiteral("uniform"));
             type(tool, QStringLiteral("txtLowerDepth"), QStringLiteral("600"));
             type(tool, QStringLiteral("txtUpperDepth"), QStringLiteral("400"));
         },
         [&] { choose(tool, QStringLiteral("Depth"), QStringLiteral("fixed")); },
         "The lower bound of \"Depth (m)\" is above its upper bound"},
        {[&] { type(tool, QStringLiteral("txtSamples"), QStringLiteral("0")); },
         [&] { type(tool, QStringLiteral("txtSamples"), QStringLiteral("3000")); },
         "The number of samples must be a whole number from 1 to 10,000,000"},
        {[&] { type(tool, QStringLiteral("txtSamples"), QStringLiteral("1000000000")); },
         [&] { type(tool, QStringLiteral("txtSamples"), QStringLiteral("3000")); },
         "The number of samples must be a whole number from 1 to 10,000,000"},
        {[&] { type(tool, QStringLiteral("txtSeed"), QStringLiteral("-1")); },
         [&] { type(tool, QStringLiteral("txtSeed"), QStringLiteral("1")); },
         "The seed must be a whole number from 0 to 18446744073709551615"},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        c.set();
        QTest::mouseClick(child<QPushButton>(tool, QStringLiteral("cmdRun")), Qt::LeftButton);
        EXPECT_FALSE(tool->running()) << c.message;
        ASSERT_EQ(messages.shown.size(), 1u) << c.message;
        EXPECT_EQ(messages.last(),
                  (RecordedMessage{QString::fromUtf8(c.message), QStringLiteral("Probability of "
                                                                                "failure")}));
        EXPECT_EQ(ResultTexts(tool), before) << c.message;
        c.undo();
    }
}

TEST_F(ProbabilityTest, TheScreensOwnRefusalIsShownWhenItsDesignHasNoFos) {
    CalculationScreen* screen = OpenScreen(QStringLiteral("frmTributary"));
    ASSERT_NE(screen, nullptr);
    frmProbability* tool = openTool(screen);
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(label(tool, "lblDesign"),
              QStringLiteral("The design on the Tributary Theory screen has no FOS yet"));
    QTest::mouseClick(child<QPushButton>(tool, QStringLiteral("cmdRun")), Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last().title, QStringLiteral("Insufficient data"));
    EXPECT_FALSE(tool->running());
    EXPECT_EQ(tool->shownResult(), nullptr);
}

TEST_F(ProbabilityTest, AShortRunShowsNoProgressBar) {
    frmProbability* tool = openOn("frmModelled");
    ASSERT_NE(tool, nullptr);
    choose(tool, QStringLiteral("K"), QStringLiteral("normal"));
    type(tool, QStringLiteral("txtSamples"), QStringLiteral("2000"));
    run(tool);
    EXPECT_FALSE(tool->progressShown());
    EXPECT_FALSE(child<QProgressBar>(tool, QStringLiteral("prgRun"))->isVisible());
    EXPECT_TRUE(label(tool, "lblStatus").startsWith(QStringLiteral("2,000 samples in ")));
}

TEST_F(ProbabilityTest, ALongRunShowsItsProgressStaysResponsiveAndCanBeCancelled) {
    frmProbability* tool = openOn("frmTributary");
    ASSERT_NE(tool, nullptr);
    choose(tool, QStringLiteral("K"), QStringLiteral("lognormal"));
    type(tool, QStringLiteral("txtSamples"), QStringLiteral("1000"));
    run(tool);
    const QStringList before = ResultTexts(tool);

    tool->progressDelay = std::chrono::milliseconds(20);
    type(tool, QStringLiteral("txtSamples"), QStringLiteral("10000000"));
    auto* cancel = child<QPushButton>(tool, QStringLiteral("cmdCancel"));
    auto* bar = child<QProgressBar>(tool, QStringLiteral("prgRun"));
    EXPECT_FALSE(cancel->isEnabled());
    QTest::mouseClick(child<QPushButton>(tool, QStringLiteral("cmdRun")), Qt::LeftButton);
    ASSERT_TRUE(tool->running());
    EXPECT_TRUE(cancel->isEnabled());
    EXPECT_FALSE(child<QPushButton>(tool, QStringLiteral("cmdRun"))->isEnabled());
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar->isVisible() && bar->value() > 0; }, 30000));
    // The window takes typing while the run goes on.
    type(tool, QStringLiteral("txtSeed"), QStringLiteral("77"));
    EXPECT_EQ(child<QLineEdit>(tool, QStringLiteral("txtSeed"))->text(), QStringLiteral("77"));
    ASSERT_TRUE(tool->running());
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([tool] { return !tool->running(); }, 30000));
    EXPECT_TRUE(tool->progressShown());
    EXPECT_FALSE(bar->isVisible());
    EXPECT_TRUE(label(tool, "lblStatus").startsWith(QStringLiteral("Cancelled after ")))
        << label(tool, "lblStatus").toStdString();
    EXPECT_EQ(ResultTexts(tool), before);
}

TEST_F(ProbabilityTest, ResultsFollowTheScreensInputs) {
    frmProbability* tool = ranOn("frmTributary");
    ASSERT_NE(tool, nullptr);
    ASSERT_NE(tool->shownResult(), nullptr);
    // A result step that changes no input keeps the results.
    Press(screen, QStringLiteral("cmdCalculatePillarStrength"));
    QCoreApplication::processEvents();
    EXPECT_NE(tool->shownResult(), nullptr);
    // A changed input empties them, and the window shows the new value.
    Type(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("4"));
    QCoreApplication::processEvents();
    EXPECT_EQ(tool->shownResult(), nullptr);
    EXPECT_EQ(label(tool, "lblFailure"), QString());
    EXPECT_EQ(label(tool, "lblValuePillarHeight"), QStringLiteral("4"));
    EXPECT_EQ(label(tool, "lblStatus"),
              QStringLiteral("The design on the screen has changed since the last run"));
    // 1.4754 (5 / 4)^0.75 = 1.744
    EXPECT_EQ(label(tool, "lblDesign"),
              QStringLiteral("The design on the Tributary Theory screen: FOS 1.7"));
    // A run in progress is cancelled by a change of an input.
    startLongRun(tool);
    ASSERT_TRUE(tool->running());
    Type(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("5"));
    expectCancelled(tool);
}

// The results belong to the distributions, the samples and the seed they were
// drawn with: after an edit of any of them they stay, greyed and marked as of
// the earlier settings, until the settings are as they were again.
TEST_F(ProbabilityTest, ResultsAreMarkedWhenTheWindowsOwnSettingsChange) {
    struct Edit {
        const char* what;
        std::function<void(frmProbability*)> edit;
        std::function<void(frmProbability*)> undo;
    };
    const auto typed = [](const char* name, const char* text) {
        return [name, text](frmProbability* tool) {
            type(tool, QString::fromLatin1(name), QString::fromLatin1(text));
        };
    };
    const auto chosen = [](const char* key, const char* kind) {
        return [key, kind](frmProbability* tool) {
            choose(tool, QString::fromLatin1(key), QString::fromLatin1(kind));
        };
    };
    const Edit edits[] = {
        {"a distribution chosen", chosen("K", "normal"), chosen("K", "lognormal")},
        {"a CV typed", typed("txtCVK", "20"), typed("txtCVK", "10")},
        {"bounds typed", chosen("Depth", "uniform"), chosen("Depth", "fixed")},
        {"the samples typed", typed("txtSamples", "3000"), typed("txtSamples", "2000")},
        {"the seed typed", typed("txtSeed", "7"), typed("txtSeed", "1")},
        {"a new seed",
         [](frmProbability* tool) {
             QTest::mouseClick(child<QPushButton>(tool, QStringLiteral("cmdNewSeed")),
                               Qt::LeftButton);
         },
         typed("txtSeed", "1")},
    };
    frmProbability* tool = ranOn("frmTributary");
    ASSERT_NE(tool, nullptr);
    const QStringList before = ResultTexts(tool);
    auto* earlier = child<QLabel>(tool, QStringLiteral("lblEarlier"));
    auto* mean = child<QLabel>(tool, QStringLiteral("lblMean"));
    EXPECT_FALSE(earlier->isVisible());
    for (const Edit& e : edits) {
        e.edit(tool);
        ASSERT_NE(tool->shownResult(), nullptr) << e.what;
        EXPECT_TRUE(earlier->isVisible()) << e.what;
        EXPECT_EQ(earlier->text(), QStringLiteral("These results are of the settings before the "
                                                  "last edit: run again for those shown now."));
        EXPECT_FALSE(mean->isEnabled()) << e.what;
        EXPECT_EQ(ResultTexts(tool), before) << e.what;
        e.undo(tool);
        EXPECT_FALSE(earlier->isVisible()) << e.what;
        EXPECT_TRUE(mean->isEnabled()) << e.what;
    }
    // A run with the settings shown takes the mark away.
    typed("txtSeed", "5")(tool);
    run(tool);
    EXPECT_FALSE(earlier->isVisible());
    EXPECT_NE(ResultTexts(tool), before);
}

// Another table loaded on the interpolation screen, with the width and
// depth as typed: the results of the old table go, as a change of an input
// takes them; the same table loaded again keeps them.
TEST_F(ProbabilityTest, ResultsFollowTheModellingResultsTheyUsed) {
    frmProbability* tool = ranOn("frmInterpolate");
    ASSERT_NE(tool, nullptr);
    ASSERT_NE(tool->shownResult(), nullptr);
    auto load = [this](const char* text) {
        const QString path = dir.filePath(QStringLiteral("other.int"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        ASSERT_TRUE(results::ReadModellingText(State().ModellingResults,
                                               QFile::encodeName(path).toStdString()));
        auto* target = dynamic_cast<ModellingResultsScreen*>(screen);
        ASSERT_TRUE(target && target->LoadModellingResults());
        QCoreApplication::processEvents();
    };
    // Widths 5 and 7, depths 100 to 200, every stress doubled.
    const char* doubled = "5\t0\t7\t0\r\n100\t40\t100\t30\r\n200\t70\t200\t56\r\n";
    load(doubled);
    ASSERT_EQ(Text(screen, QStringLiteral("cboPillarWidth1")), QStringLiteral("5"));
    EXPECT_TRUE(QTest::qWaitFor([tool] { return tool->shownResult() == nullptr; }, 5000));
    EXPECT_EQ(label(tool, "lblFailure"), QString());
    EXPECT_EQ(label(tool, "lblStatus"),
              QStringLiteral("The modelling results have changed since the last run"));
    run(tool);
    ASSERT_NE(tool->shownResult(), nullptr);
    load(doubled);
    QTest::qWait(50);
    EXPECT_NE(tool->shownResult(), nullptr);
    // A run in progress is cancelled by another table.
    startLongRun(tool);
    ASSERT_TRUE(tool->running());
    load(kWidths5And7.data());
    expectCancelled(tool);
}

TEST_F(ProbabilityTest, ClosingTheWindowDuringARunStopsItAndTheNextWindowRuns) {
    frmProbability* tool = openOn("frmTributary");
    ASSERT_NE(tool, nullptr);
    choose(tool, QStringLiteral("K"), QStringLiteral("lognormal"));
    startLongRun(tool);
    ASSERT_TRUE(tool->running());
    QPointer<frmProbability> closing(tool);
    tool->close();
    EXPECT_TRUE(QTest::qWaitFor([&closing] { return closing.isNull(); }, 30000));
    frmProbability* again = openTool(screen);
    ASSERT_NE(again, nullptr);
    EXPECT_FALSE(again->running());
    EXPECT_EQ(again->shownResult(), nullptr); // a new window starts afresh
    choose(again, QStringLiteral("K"), QStringLiteral("lognormal"));
    type(again, QStringLiteral("txtSamples"), QStringLiteral("2000"));
    run(again);
    EXPECT_NE(again->shownResult(), nullptr);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ProbabilityTest, FollowsTheScreenWhoseMenuOpenedIt) {
    CalculationScreen* tributary = openDesign(QStringLiteral("frmTributary"));
    ASSERT_NE(tributary, nullptr);
    frmProbability* tool = openTool(tributary);
    ASSERT_NE(tool, nullptr);
    EXPECT_TRUE(child<QLabel>(tool, QStringLiteral("lblValueRockDensity"))->isVisible());
    CalculationScreen* modelled = openDesign(QStringLiteral("frmModelled"));
    ASSERT_NE(modelled, nullptr);
    ASSERT_EQ(openTool(modelled), tool);
    EXPECT_FALSE(child<QLabel>(tool, QStringLiteral("lblValueRockDensity"))->isVisible());
    EXPECT_TRUE(child<QLabel>(tool, QStringLiteral("lblValueModelledStress"))->isVisible());
    EXPECT_EQ(label(tool, "lblValueModelledStress"), QStringLiteral("64.0985"));
    EXPECT_EQ(tool->windowTitle(), QStringLiteral("Probability of failure - Modelled Stress"));
    // A run for one screen is cancelled when the window turns to another.
    startLongRun(tool);
    ASSERT_TRUE(tool->running());
    ASSERT_EQ(openTool(tributary), tool);
    expectCancelled(tool);
    EXPECT_TRUE(child<QLabel>(tool, QStringLiteral("lblValueRockDensity"))->isVisible());
}

class UcsProbabilityTest : public ProbabilityTest {
protected:
    void addReadings(const QStringList& readings) {
        QWidget* dialog = Windows().show(QStringLiteral("frmMedianUCS"));
        ASSERT_NE(dialog, nullptr);
        auto* input = child<QLineEdit>(dialog, QStringLiteral("txtInputUCS"));
        auto* add = child<QToolButton>(dialog, QStringLiteral("cmdAddToList"));
        for (const QString& r : readings) {
            input->setFocus();
            QTest::keyClicks(input, r);
            QTest::mouseClick(add, Qt::LeftButton);
        }
    }
};

TEST_F(UcsProbabilityTest, KFromTheReadingsIsAFittedLognormalAndSaysSo) {
    frmProbability* tool = openOn("frmTributary");
    ASSERT_NE(tool, nullptr);
    addReadings({QStringLiteral("120"), QStringLiteral("100"), QStringLiteral("140")});
    choose(tool, QStringLiteral("K"), QStringLiteral("from the UCS readings"));
    EXPECT_FALSE(child<QLineEdit>(tool, QStringLiteral("txtCVK"))->isEnabled());
    // 120, 100, 140 downgraded by 66.67 %: K 40, 33.33, 46.66.
    const auto fit = probability::FitReadings(
        {{QStringLiteral("120"), QStringLiteral("100"), QStringLiteral("140")},
         QStringLiteral("66.67")},
        NumberLocale::Current());
    ASSERT_TRUE(fit.ok());
    EXPECT_NEAR(std::exp(fit->logMean), std::cbrt(120.0 * 100 * 140) * (100 - 66.67) / 100, 1e-3);
    EXPECT_EQ(label(tool, "lblFit"),
              QStringLiteral("K: lognormal fitted to 3 UCS readings, each downgraded by 66.67 %: "
                             "median %1 MPa, CV %2 %; the K on the screen is not used.")
                  .arg(evaluation::ShowResult(std::exp(fit->logMean), 2, NumberLocale::Current()),
                       evaluation::ShowResult(fit->coefficient * 100, 1, NumberLocale::Current())));
    type(tool, QStringLiteral("txtSamples"), QStringLiteral("4000"));
    run(tool);
    ASSERT_TRUE(messages.shown.empty());
    EXPECT_TRUE(child<QPlainTextEdit>(tool, QStringLiteral("txtSentence"))
                    ->toPlainText()
                    .contains(QStringLiteral("K (MPa) lognormal fitted to 3 UCS readings")));
    // The median FOS follows the fitted K (about 39.6), not the screen's K of 100:
    // on the power formula the FOS is K times 1.4754223 / 100.
    const float firstMedian = tool->shownResult()->median;
    EXPECT_NEAR(static_cast<double>(firstMedian), std::exp(fit->logMean) * 1.4754223 / 100, 0.01);
    // A reading added afterwards is counted at once, takes the results of the
    // earlier readings away, and is in the next run.
    addReadings({QStringLiteral("130")});
    QTRY_VERIFY(label(tool, "lblFit").startsWith(QStringLiteral("K: lognormal fitted to 4 UCS")));
    EXPECT_TRUE(child<QLabel>(tool, QStringLiteral("lblEarlier"))->isVisible());
    run(tool);
    EXPECT_TRUE(label(tool, "lblFit").startsWith(QStringLiteral("K: lognormal fitted to 4 UCS")));
    EXPECT_TRUE(child<QPlainTextEdit>(tool, QStringLiteral("txtSentence"))
                    ->toPlainText()
                    .contains(QStringLiteral("K (MPa) lognormal fitted to 4 UCS readings")));
    EXPECT_NE(tool->shownResult()->median, firstMedian);
}

// "Accept" hands K to the screens and closes the dialog: K from the readings
// is then fitted to the readings the screen's K came from.
TEST_F(UcsProbabilityTest, AfterAcceptTheReadingsOfTheScreensKAreFitted) {
    frmProbability* tool = openOn("frmTributary");
    ASSERT_NE(tool, nullptr);
    const QStringList readings = {QStringLiteral("120"), QStringLiteral("100"),
                                  QStringLiteral("140"), QStringLiteral("130")};
    addReadings(readings);
    QPointer<QWidget> dialog = Windows().existing<QWidget>(QStringLiteral("frmMedianUCS"));
    ASSERT_FALSE(dialog.isNull());
    QTest::mouseClick(child<QPushButton>(dialog, QStringLiteral("cmdCalculateK")), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(dialog, QStringLiteral("cmdAccept")), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&dialog] { return dialog.isNull(); }, 5000));
    ASSERT_FALSE(screen->strengthConstantSource().typed());
    choose(tool, QStringLiteral("K"), QStringLiteral("from the UCS readings"));
    const auto fit = probability::FitReadings(
        {readings, screen->strengthConstantSource().downgrade}, NumberLocale::Current());
    ASSERT_TRUE(fit.ok());
    EXPECT_EQ(label(tool, "lblFit"),
              QStringLiteral("K: %1; the K on the screen is not used.")
                  .arg(probability::DescribeFit(fit.value(), NumberLocale::Current())));
    type(tool, QStringLiteral("txtSamples"), QStringLiteral("2000"));
    run(tool);
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_NE(tool->shownResult(), nullptr);
    // A K typed on the screen afterwards has no readings: nothing to fit.
    Type(screen, QStringLiteral("cboK"), QStringLiteral("90"));
    QCoreApplication::processEvents();
    choose(tool, QStringLiteral("K"), QStringLiteral("fixed"));
    choose(tool, QStringLiteral("K"), QStringLiteral("from the UCS readings"));
    EXPECT_TRUE(label(tool, "lblFit").endsWith(QStringLiteral("it holds 0")))
        << label(tool, "lblFit").toStdString();
}

TEST_F(UcsProbabilityTest, KFromTooFewReadingsIsRefused) {
    frmProbability* tool = openOn("frmTributary");
    ASSERT_NE(tool, nullptr);
    addReadings({QStringLiteral("120")});
    choose(tool, QStringLiteral("K"), QStringLiteral("from the UCS readings"));
    const QString message =
        QStringLiteral("K from the UCS readings needs at least two readings in the UCS dialog "
                       "(\"Determine K from UCS-values\"); it holds 1");
    EXPECT_EQ(label(tool, "lblFit"), message);
    QTest::mouseClick(child<QPushButton>(tool, QStringLiteral("cmdRun")), Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(),
              (RecordedMessage{message, QStringLiteral("Probability of failure")}));
    EXPECT_FALSE(tool->running());
}

class ExportTest : public ProbabilityTest {
protected:
    frmProbability* ranTool() {
        frmProbability* tool = openOn("frmTributary");
        if (!tool)
            return nullptr;
        choose(tool, QStringLiteral("K"), QStringLiteral("lognormal"));
        type(tool, QStringLiteral("txtCVK"), QStringLiteral("20"));
        type(tool, QStringLiteral("txtSamples"), QStringLiteral("20000"));
        run(tool);
        fileDialogs.answer = [this](const FileQuestion& question) {
            asked << question.caption + QStringLiteral(" | ") +
                         question.filters.join(QStringLiteral(";;"));
            return FileAnswer{answer, filter.isEmpty() ? question.filters.value(0) : filter};
        };
        return tool;
    }
    QStringList asked;
    QString answer;
    QString filter; // empty: the first one offered
};

TEST_F(ExportTest, HistogramAsPngAndSvgSummaryAsCsv) {
    frmProbability* tool = ranTool();
    ASSERT_NE(tool, nullptr);
    auto* histogram = child<QPushButton>(tool, QStringLiteral("cmdExportHistogram"));
    auto* summary = child<QPushButton>(tool, QStringLiteral("cmdExportSummary"));

    answer = dir.filePath(QStringLiteral("fos.png"));
    QTest::mouseClick(histogram, Qt::LeftButton);
    EXPECT_EQ(asked.value(0), QStringLiteral("Export the histogram | PNG image (*.png);;SVG "
                                             "drawing (*.svg)"));
    const QImage png(answer);
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png.size(), QSize(probability::kExportWidth, probability::kExportHeight));
    const probability::HistogramGeometry g = probability::GeometryOf(
        child<probability::HistogramView>(tool, QStringLiteral("picHistogram"))->picture(),
        QRectF(0, 0, probability::kExportWidth, probability::kExportHeight));
    const int y = static_cast<int>(g.plot.center().y());
    EXPECT_EQ(png.pixelColor(static_cast<int>(std::round(g.x(1.0))), y), probability::kFailureLine);
    EXPECT_EQ(png.pixelColor(static_cast<int>(std::round(g.x(1.4754223))), y),
              probability::kScreenLine);

    answer = dir.filePath(QStringLiteral("fos.svg"));
    QTest::mouseClick(histogram, Qt::LeftButton);
    QFile svg(answer);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray svgText = svg.readAll();
    EXPECT_TRUE(svgText.contains("<svg"));
    EXPECT_TRUE(svgText.contains("Factor of safety"));

    answer = dir.filePath(QStringLiteral("fos"));
    QTest::mouseClick(histogram, Qt::LeftButton); // no known suffix: a PNG
    EXPECT_FALSE(QImage(answer + QStringLiteral(".png")).isNull());

    answer = dir.filePath(QStringLiteral("summary.csv"));
    QTest::mouseClick(summary, Qt::LeftButton);
    QFile csv(answer);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QString csvText = QString::fromUtf8(csv.readAll());
    EXPECT_TRUE(
        csvText.startsWith(QStringLiteral("Item,Value,Standard error\r\nScreen,Tributary "
                                          "Theory\r\nFOS on the screen,1.5\r\nSamples,20000\r\n")));
    EXPECT_TRUE(csvText.contains(QStringLiteral("K (MPa),lognormal,100,20,,\r\n")));
    EXPECT_EQ(asked.last(), QStringLiteral("Export the summary | ") +
                                evaluation::CsvFilters().join(QStringLiteral(";;")));
    // The semicolon filter chosen: semicolons and decimal commas.
    filter = evaluation::kCsvSemicolonFilter;
    QTest::mouseClick(summary, Qt::LeftButton);
    csv.close();
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(csv.readAll())
                    .startsWith(QStringLiteral("Item;Value;Standard error\r\nScreen;Tributary "
                                               "Theory\r\nFOS on the screen;1,5\r\n")));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ExportTest, CancelledOrFailedSavesWriteNothingOrSayWhy) {
    frmProbability* tool = ranTool();
    ASSERT_NE(tool, nullptr);
    answer.clear(); // the dialog cancelled
    QTest::mouseClick(child<QPushButton>(tool, QStringLiteral("cmdExportHistogram")),
                      Qt::LeftButton);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    for (const char* button : {"cmdExportHistogram", "cmdExportSummary"}) {
        answer = dir.filePath(QStringLiteral("missing/folder/out.csv"));
        if (QLatin1String(button) == QLatin1String("cmdExportHistogram"))
            answer = dir.filePath(QStringLiteral("missing/folder/out.png"));
        messages.shown.clear();
        QTest::mouseClick(child<QPushButton>(tool, QString::fromLatin1(button)), Qt::LeftButton);
        ASSERT_EQ(messages.shown.size(), 1u) << button;
        EXPECT_TRUE(messages.last().text.contains(
            QStringLiteral("could not be saved as \"%1\": ").arg(answer)))
            << messages.last().text.toStdString();
        EXPECT_EQ(messages.last().title, QStringLiteral("Probability of failure"));
    }
    // Through the one save helper: a pipe that nothing reads from is said to
    // be so, for the histogram's PNG and SVG and the summary alike.
    const std::pair<const char*, const char*> pipes[] = {{"pipe.png", "cmdExportHistogram"},
                                                         {"pipe.svg", "cmdExportHistogram"},
                                                         {"pipe.csv", "cmdExportSummary"}};
    for (const auto& [name, button] : pipes) {
        answer = dir.filePath(QString::fromLatin1(name));
        ASSERT_TRUE(MakeFifo(QFile::encodeName(answer).toStdString()));
        messages.shown.clear();
        QTest::mouseClick(child<QPushButton>(tool, QString::fromLatin1(button)), Qt::LeftButton);
        ASSERT_EQ(messages.shown.size(), 1u) << name;
        EXPECT_TRUE(messages.last().text.endsWith(
            QStringLiteral("could not be saved as \"%1\": nothing reads from it").arg(answer)))
            << messages.last().text.toStdString();
    }
}

TEST_F(ProbabilityTest, ResultsInTheUsersLocale) {
    LocaleScope german(German());
    frmProbability* tool = openOn("frmTributary");
    ASSERT_NE(tool, nullptr);
    choose(tool, QStringLiteral("K"), QStringLiteral("lognormal"));
    type(tool, QStringLiteral("txtCVK"), QStringLiteral("12,5"));
    type(tool, QStringLiteral("txtSamples"), QStringLiteral("20.000"));
    run(tool);
    ASSERT_TRUE(messages.shown.empty());
    EXPECT_EQ(label(tool, "lblSamples"),
              QStringLiteral("20.000 of 20.000 samples gave a finite FOS (seed 1)"));
    EXPECT_TRUE(label(tool, "lblMean").contains(QLatin1Char(',')))
        << label(tool, "lblMean").toStdString();
    EXPECT_TRUE(child<QPlainTextEdit>(tool, QStringLiteral("txtSentence"))
                    ->toPlainText()
                    .contains(QStringLiteral("K (MPa) lognormal, CV 12,5 %")));
}

} // namespace
} // namespace vt::test
