// The design report window driven as a user would, from each calculation
// screen's Design menu: the report's PDF holds what the screen shows, a
// design without results says so and offers to calculate, the tools' own
// texts come in when they belong to the design, printing goes through the
// print path, and the window fits 1024 x 768.
#include "designreport/frmdesignreport.h"
#include "probability/frmprobability.h"
#include "tests/design/toolhelpers.h"
#include "tests/designreport/reportcases.h"
#include "tests/support/fields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

namespace vt::test {
namespace {

class DesignReportWindowTest : public DesignToolTest {
protected:
    frmDesignReport* report(CalculationScreen* screen) {
        return tool<frmDesignReport>(screen, "mnuDesignReport", "frmDesignReport");
    }

    // Saves the PDF through the window's button and reads it back.
    QString savedPdfText(frmDesignReport* window, const QString& name) {
        fileDialogs.path = dir_.filePath(name);
        QTest::mouseClick(window->cmdSavePdf, Qt::LeftButton);
        EXPECT_TRUE(QFile::exists(fileDialogs.path)) << name.toStdString();
        return PdfText(fileDialogs.path);
    }

    // Clicks a tick's box, as a user does.
    static void clickTick(QCheckBox* box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }

    QCheckBox* tick(frmDesignReport* window, designreport::SectionId id) {
        for (std::size_t i = 0; i < designreport::kSectionOrder.size(); ++i)
            if (designreport::kSectionOrder[i] == id)
                return window->chkSection[i];
        return nullptr;
    }

    QTemporaryDir dir_;
};

TEST_F(DesignReportWindowTest, EachScreensReportHoldsWhatTheScreenShows) {
    if (!HavePdfTools())
        GTEST_SKIP() << "poppler-utils are not installed";
    for (const char* name : {"frmTributary", "frmModelled", "frmInterpolate"}) {
        SCOPED_TRACE(name);
        CalculationScreen* screen = open(name);
        ASSERT_NE(screen, nullptr);
        fill(screen, QStringLiteral("4"));
        frmDesignReport* window = report(screen);
        ASSERT_NE(window, nullptr);
        // Whole on a 1024 x 768 display.
        EXPECT_LE(window->frameGeometry().width(), 1024);
        EXPECT_LE(window->frameGeometry().height(), 768);
        EXPECT_TRUE(window->lblMissing->text().isEmpty());
        EXPECT_FALSE(window->cmdCalculate->isVisible());
        QTest::keyClicks(window->txtTitle, QStringLiteral("Panel 7"));
        QTest::keyClicks(window->txtCheckedBy, QStringLiteral("Rock engineer"));
        const ShownResults shown = screen->shownResults();
        const QString text = savedPdfText(window, QString::fromLatin1(name) + ".pdf").simplified();
        EXPECT_EQ(fileDialogs.last().defaultSuffix, QStringLiteral("pdf"));
        const QString summary =
            SectionText(text, QStringLiteral("1 Summary"), QStringLiteral("2 Inputs"));
        EXPECT_TRUE(summary.contains(QStringLiteral("Factor of Safety ") + shown.factorOfSafety))
            << summary.toStdString();
        EXPECT_TRUE(summary.contains(QStringLiteral("Pillar stress (MPa) ") + shown.stress));
        EXPECT_TRUE(summary.contains(QStringLiteral("Checked by Rock engineer")));
        EXPECT_TRUE(summary.contains(screen->windowTitle()));
        EXPECT_TRUE(text.contains(QStringLiteral("Panel 7")));
        EXPECT_TRUE(text.contains(QStringLiteral("Page 1 of %1").arg(window->pageCount())))
            << window->pageCount();
        if (QString::fromLatin1(name) == QLatin1String("frmInterpolate"))
            EXPECT_TRUE(text.contains(QStringLiteral("RazuziRurida - Do not delete.int")));
        else
            EXPECT_TRUE(text.contains(QStringLiteral("One pillar of 10 m × 10 m")));
        window->close();
        screen->close();
        flushDeletes();
    }
}

TEST_F(DesignReportWindowTest, AReportWithoutResultsSaysSoAndOffersToCalculate) {
    CalculationScreen* screen = open("frmTributary");
    const evaluation::DesignTexts d = TributaryDesign("4");
    for (const auto& [field, text] : {std::pair{"cboRockDensity", d.density},
                                      {"txtDepth", d.depth},
                                      {"cboPillarWidth1", d.width},
                                      {"cboPillarLength", d.length},
                                      {"cboK", d.k},
                                      {"cboPillarHeight", d.height}})
        SetField(screen, QString::fromLatin1(field), text);
    frmDesignReport* window = report(screen);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->lblMissing->text().contains(QStringLiteral("Factor of Safety")));
    ASSERT_TRUE(window->cmdCalculate->isVisible());
    QTest::mouseClick(window->cmdCalculate, Qt::LeftButton);
    Settle();
    EXPECT_FALSE(screen->shownResults().factorOfSafety.isEmpty());
    EXPECT_TRUE(window->lblMissing->text().isEmpty());
    EXPECT_FALSE(window->cmdCalculate->isVisible());
    const QString summary =
        window->report().sections.front().blocks.size() > 1
            ? window->report().sections.front().blocks[1].rows.back().join(QLatin1Char(' '))
            : QString();
    EXPECT_EQ(summary, QStringLiteral("Factor of Safety ") + screen->shownResults().factorOfSafety);
}

TEST_F(DesignReportWindowTest, ToolsComeInOnlyWithResultsForTheDesignAsItStands) {
    if (!HavePdfTools())
        GTEST_SKIP() << "poppler-utils are not installed";
    CalculationScreen* screen = open("frmTributary");
    fill(screen, QStringLiteral("4"));
    frmTargetFOS* solve = target(screen);
    ASSERT_NE(solve, nullptr);
    frmDesignCharts* chartWindow = charts(screen);
    ASSERT_NE(chartWindow, nullptr);
    frmDesignReport* window = report(screen);
    ASSERT_NE(window, nullptr);
    using designreport::SectionId;
    EXPECT_TRUE(tick(window, SectionId::Solve)->isChecked());
    EXPECT_TRUE(tick(window, SectionId::Charts)->isChecked());
    // The probability window is not open: unticked, and said why when the
    // user ticks it.
    QCheckBox* probability = tick(window, SectionId::Probability);
    EXPECT_FALSE(probability->isChecked());
    clickTick(probability);
    EXPECT_TRUE(probability->isChecked());

    const QString text = savedPdfText(window, QStringLiteral("tools.pdf")).simplified();
    EXPECT_TRUE(text.contains(solve->lblAnswer[0]->text().simplified()))
        << solve->lblAnswer[0]->text().toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Left out: the \"Probability of failure\" window is "
                                             "not open for this screen.")));
    EXPECT_TRUE(text.contains(chartWindow->pane(0)->caption().simplified()));
    // The charts and the plan are vectors: no image in the file.
    const QStringList images =
        PdfTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), fileDialogs.path})
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(images.size(), 2) << images.join(QLatin1Char('\n')).toStdString();

    // A change of the design: the solve answers for the new design.
    SetField(screen, QStringLiteral("txtDepth"), QStringLiteral("600"));
    Settle();
    const QString after = savedPdfText(window, QStringLiteral("after.pdf")).simplified();
    EXPECT_TRUE(after.contains(solve->lblAnswer[0]->text().simplified()));
    EXPECT_FALSE(
        after.contains(text.mid(text.indexOf(QStringLiteral("Smallest pillar width")), 80)));
}

// A probability run comes in while it belongs to the design on the screen;
// a change of the design empties the window's results and the report says
// why the section is left out.
TEST_F(DesignReportWindowTest, AProbabilityRunComesInOnlyForTheDesignItWasRunFor) {
    if (!HavePdfTools())
        GTEST_SKIP() << "poppler-utils are not installed";
    CalculationScreen* screen = open("frmTributary");
    fill(screen, QStringLiteral("4"));
    auto* probability = tool<frmProbability>(screen, "mnuProbability", "frmProbability");
    ASSERT_NE(probability, nullptr);
    auto* k = probability->findChild<QComboBox*>(QStringLiteral("cboDistributionK"));
    ASSERT_NE(k, nullptr);
    k->setCurrentIndex(k->findText(QStringLiteral("lognormal")));
    auto* samples = probability->findChild<QLineEdit*>(QStringLiteral("txtSamples"));
    samples->selectAll();
    QTest::keyClicks(samples, QStringLiteral("2000"));
    QTest::mouseClick(probability->findChild<QPushButton*>(QStringLiteral("cmdRun")),
                      Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([probability] { return !probability->running(); }, 60000));
    const auto run = probability->shownRun();
    ASSERT_TRUE(run && run->current);

    frmDesignReport* window = report(screen);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(tick(window, designreport::SectionId::Probability)->isChecked());
    const QString text = savedPdfText(window, QStringLiteral("run.pdf")).simplified();
    const QString section = SectionText(text, QStringLiteral("Probability of failure"),
                                        QStringLiteral("Assumptions and limits"));
    EXPECT_TRUE(section.contains(run->samples)) << section.toStdString();
    EXPECT_TRUE(section.contains(QStringLiteral("P(FOS < 1) ") + run->figures.front().second));
    EXPECT_TRUE(section.contains(run->sentence.simplified().left(60)));
    // The histogram is drawn as vectors too.
    const QStringList images =
        PdfTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), fileDialogs.path})
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(images.size(), 2);

    SetField(screen, QStringLiteral("txtDepth"), QStringLiteral("550"));
    Settle();
    EXPECT_FALSE(tick(window, designreport::SectionId::Probability)->isChecked());
    clickTick(tick(window, designreport::SectionId::Probability));
    const QString after = savedPdfText(window, QStringLiteral("changed.pdf")).simplified();
    EXPECT_TRUE(after.contains(QStringLiteral(
        "Probability of failure Left out: no run was made for the design as it stands.")));
    EXPECT_FALSE(after.contains(run->samples));
}

TEST_F(DesignReportWindowTest, PrintsThroughThePrintPathAndSaysWhyNot) {
    CalculationScreen* screen = open("frmModelled");
    fill(screen, QStringLiteral("4"));
    frmDesignReport* window = report(screen);
    ASSERT_NE(window, nullptr);
    QByteArray printed;
    QString job;
    window->print = [&](const QString& name, const PdfWriterFunction& write) {
        job = name;
        QBuffer buffer(&printed);
        write(buffer, QPageSize(QPageSize::Letter));
        return PrintResult{false,
                           QStringLiteral("The report could not be printed: no default "
                                          "printer is set up."),
                           {}};
    };
    QTest::keyClicks(window->txtTitle, QStringLiteral("Stope 3"));
    QTest::mouseClick(window->cmdPrint, Qt::LeftButton);
    EXPECT_EQ(job, QStringLiteral("Stope 3"));
    EXPECT_TRUE(printed.startsWith("%PDF"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown.back().title, QStringLiteral("Design report"));
    EXPECT_TRUE(messages.shown.back().text.contains(QStringLiteral("no default printer")));
    // The paper follows the choice.
    window->cboPaper->setCurrentIndex(window->cboPaper->findText(QStringLiteral("A4")));
    EXPECT_EQ(window->paper().id(), QPageSize::A4);
}

TEST_F(DesignReportWindowTest, AReportReopenedFromAnEvaluationFileGivesTheSamePages) {
    if (!HavePdfTools())
        GTEST_SKIP() << "poppler-utils are not installed";
    CalculationScreen* screen = open("frmTributary");
    fill(screen, QStringLiteral("4"));
    frmDesignReport* window = report(screen);
    ASSERT_NE(window, nullptr);
    QTest::keyClicks(window->txtProject, QStringLiteral("North shaft"));
    QTest::keyClicks(window->txtTitle, QStringLiteral("Panel 9"));
    QTest::keyClicks(window->txtNotes, QStringLiteral("First line"));
    QTest::keyClick(window->txtNotes, Qt::Key_Return);
    QTest::keyClicks(window->txtNotes, QStringLiteral("Second line"));
    QTest::keyClicks(window->txtApprovedBy, QStringLiteral("Mine manager"));
    clickTick(tick(window, designreport::SectionId::Method));
    const designreport::ReportFields kept = window->fields();
    ASSERT_FALSE(kept.sections.contains(QStringLiteral("method")));
    const QString before = savedPdfText(window, QStringLiteral("before.pdf"));

    fileDialogs.path = dir_.filePath(QStringLiteral("panel9.vte"));
    ChooseDesignItem(screen, "mnuSaveEvaluation");
    ASSERT_TRUE(QFile::exists(fileDialogs.path));
    CloseAllWindows();
    flushDeletes();

    CalculationScreen* again = OpenScreen(QStringLiteral("frmTributary"));
    ASSERT_NE(again, nullptr);
    ChooseDesignItem(again, "mnuOpenEvaluation");
    Settle();
    auto* reopened = Windows().existing<frmDesignReport>(QStringLiteral("frmDesignReport"));
    ASSERT_NE(reopened, nullptr);
    EXPECT_TRUE(reopened->isVisible());
    EXPECT_EQ(reopened->fields(), kept);
    EXPECT_EQ(savedPdfText(reopened, QStringLiteral("after.pdf")), before);
}

} // namespace
} // namespace vt::test
