// The design report window driven as a user would, from each calculation
// screen's Design menu: the report's PDF holds what the screen shows, a
// design without results says so and offers to calculate, the tools' own
// texts come in when they belong to the design, printing goes through the
// print path, and the window fits 1024 x 768.
#include "design/frmstrengthformulas.h"
#include "design/schedule.h"
#include "designreport/frmdesignreport.h"
#include "evaluation/strengthformulas.h"
#include "probability/frmprobability.h"
#include "tests/design/toolhelpers.h"
#include "tests/designreport/reportcases.h"
#include "tests/support/fields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <algorithm>

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

    frmStrengthFormulas* formulas(CalculationScreen* screen) {
        return tool<frmStrengthFormulas>(screen, "mnuStrengthFormulas", "frmStrengthFormulas");
    }

    static void typeInto(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClicks(edit, text);
        Settle();
    }

    // The report's section as built, with its blocks.
    static const designreport::Section& section(const frmDesignReport* window,
                                                designreport::SectionId id) {
        for (const designreport::Section& s : window->report().sections)
            if (s.id == id)
                return s;
        static const designreport::Section none;
        return none;
    }

    // The rows of the section's table that a heading cell starts.
    static std::vector<QStringList> table(const designreport::Section& s, const QString& first) {
        for (const designreport::Block& block : s.blocks)
            if (block.kind == designreport::Block::Kind::Table && !block.rows.empty() &&
                !block.rows.front().isEmpty() && block.rows.front().front() == first)
                return block.rows;
        return {};
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
        const bool interpolation = QString::fromLatin1(name) == QLatin1String("frmInterpolate");
        if (interpolation)
            EXPECT_TRUE(text.contains(QStringLiteral("RazuziRurida - Do not delete.int")));
        else
            EXPECT_TRUE(text.contains(QStringLiteral("One pillar of 10 m × 10 m")));
        // Where each input came from: the width and K picked from their lists,
        // the depth typed into its text box.
        const QString interpolated =
            interpolation ? QStringLiteral("; interpolated in the modelling results") : QString();
        const std::vector<QStringList> inputs =
            table(section(window, designreport::SectionId::Inputs), QStringLiteral("Input"));
        for (const auto& [caption, origin] :
             {std::pair{"Pillar width (m)", QStringLiteral("from the list") + interpolated},
              {"Depth (m)", QStringLiteral("typed") + interpolated},
              {"K (MPa)", QStringLiteral("from the list")}})
            EXPECT_TRUE(std::any_of(inputs.begin(), inputs.end(), [&](const QStringList& row) {
                return row.front() == QLatin1String(caption) && row.back() == origin;
            })) << caption;
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
    // No evaluation file yet: the footer names none.
    EXPECT_FALSE(
        savedPdfText(window, QStringLiteral("unsaved.pdf")).contains(QLatin1String(".vte")));

    const QString evaluation = dir_.filePath(QStringLiteral("panel9.vte"));
    fileDialogs.path = evaluation;
    // Saved from the screen's menu, as a user saves it.
    screen->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(screen));
    ChooseDesignItem(screen, "mnuSaveEvaluation");
    ASSERT_TRUE(QFile::exists(evaluation));
    // The preview names the file once the user is back in the window.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_EQ(window->report().evaluationFile, QStringLiteral("panel9.vte"));
    const QString before = savedPdfText(window, QStringLiteral("before.pdf"));
    EXPECT_TRUE(before.contains(
        QRegularExpression(QStringLiteral("Vandrel Tessaron \\S+ · panel9\\.vte · "))))
        << before.toStdString();
    CloseAllWindows();
    flushDeletes();

    CalculationScreen* again = OpenScreen(QStringLiteral("frmTributary"));
    ASSERT_NE(again, nullptr);
    fileDialogs.path = evaluation;
    ChooseDesignItem(again, "mnuOpenEvaluation");
    Settle();
    auto* reopened = Windows().existing<frmDesignReport>(QStringLiteral("frmDesignReport"));
    ASSERT_NE(reopened, nullptr);
    EXPECT_TRUE(reopened->isVisible());
    EXPECT_EQ(reopened->fields(), kept);
    EXPECT_EQ(savedPdfText(reopened, QStringLiteral("after.pdf")), before);
    // Once the inputs differ from the file's, the footer says so.
    SetField(again, QStringLiteral("txtDepth"), QStringLiteral("600"));
    Settle();
    EXPECT_TRUE(savedPdfText(reopened, QStringLiteral("changed.pdf"))
                    .contains(QStringLiteral("panel9.vte (changed) · ")));
}

// A file saved before the report offered the strength formulas compared
// opens with the ticks it kept, and that section ticked by default while it
// has content; a file that offered it keeps it as the user left it.
TEST_F(DesignReportWindowTest, AFileFromBeforeTheFormulasSectionOpensWithSensibleTicks) {
    using designreport::SectionId;
    CalculationScreen* screen = open("frmTributary");
    fill(screen, QStringLiteral("4"));
    clickTick(tick(report(screen), SectionId::Method));
    fileDialogs.path = dir_.filePath(QStringLiteral("saved.vte"));
    ChooseDesignItem(screen, "mnuSaveEvaluation");
    QFile saved(fileDialogs.path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QJsonObject root = QJsonDocument::fromJson(saved.readAll()).object();
    const struct {
        const char* name;
        bool offered; // the file lists the sections offered
        bool formulasTicked;
    } cases[] = {{"before the section", false, true}, {"with the section unticked", true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QJsonObject edited = root;
        QJsonObject kept = root.value(QStringLiteral("designReport")).toObject();
        if (!c.offered)
            kept.remove(QStringLiteral("sectionsOffered"));
        edited.insert(QStringLiteral("designReport"), kept);
        QFile file(dir_.filePath(QString::fromLatin1(c.name) + ".vte"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QJsonDocument(edited).toJson());
        file.close();
        CloseAllWindows();
        flushDeletes();

        CalculationScreen* again = OpenScreen(QStringLiteral("frmTributary"));
        ASSERT_NE(formulas(again), nullptr);
        fileDialogs.path = file.fileName();
        ChooseDesignItem(again, "mnuOpenEvaluation");
        Settle();
        auto* reopened = Windows().existing<frmDesignReport>(QStringLiteral("frmDesignReport"));
        ASSERT_NE(reopened, nullptr);
        EXPECT_TRUE(section(reopened, SectionId::Formulas).hasContent());
        EXPECT_EQ(tick(reopened, SectionId::Formulas)->isChecked(), c.formulasTicked);
        EXPECT_FALSE(tick(reopened, SectionId::Method)->isChecked());
        EXPECT_TRUE(tick(reopened, SectionId::Assumptions)->isChecked());
    }
}

// The strength formulas compared: the window's table as the comparison of
// the same inputs gives it, the UCS and where it came from, the user's own
// formula, a formula whose data the pillar lies outside flagged again among
// the assumptions; left out, and said why, once the window is closed.
TEST_F(DesignReportWindowTest, TheStrengthFormulasComparedComeInAsTheWindowShowsThem) {
    if (!HavePdfTools())
        GTEST_SKIP() << "poppler-utils are not installed";
    using designreport::SectionId;
    CalculationScreen* screen = open("frmTributary");
    fill(screen, QStringLiteral("4")); // W:H 2.5
    frmStrengthFormulas* compare = formulas(screen);
    ASSERT_NE(compare, nullptr);
    typeInto(compare->txtUCS, QStringLiteral("150"));
    QTest::mouseClick(compare->chkUserFormula, Qt::LeftButton);
    typeInto(compare->txtUserFrom, QStringLiteral("1"));
    typeInto(compare->txtUserTo, QStringLiteral("2"));
    frmDesignReport* window = report(screen);
    ASSERT_NE(window, nullptr);
    QCheckBox* ticked = tick(window, SectionId::Formulas);
    EXPECT_TRUE(ticked->isChecked());
    EXPECT_EQ(ticked->objectName(), QStringLiteral("chkFormulas"));
    const QString text = savedPdfText(window, QStringLiteral("formulas.pdf")).simplified();

    const auto expected = evaluation::CompareFormulas(
        compare->inputs(), evaluation::NumberLocale::Current(), &State().ModellingResults);
    ASSERT_TRUE(expected.ok());
    const std::vector<QStringList> rows =
        table(section(window, SectionId::Formulas), QStringLiteral("Formula"));
    ASSERT_EQ(rows.size(), expected->rows.size() + 1);
    for (std::size_t i = 0; i < expected->rows.size(); ++i) {
        const evaluation::FormulaRow& row = expected->rows[i];
        const QString range =
            row.dataRange + (row.outsideData ? QStringLiteral(": outside") : QString());
        EXPECT_EQ(rows[i + 1], (QStringList{row.name, row.strength, row.factorOfSafety,
                                            row.designFos, row.meets, range, row.note}))
            << i;
    }
    EXPECT_EQ(rows.back()[5], QStringLiteral("1 to 2: outside"));
    const QString compared = SectionText(text, QStringLiteral("5 The strength formulas compared"),
                                         QStringLiteral("6 Assumptions and limits"));
    for (const QString& said :
         {compare->lblDesign->text().simplified(),
          QStringLiteral("UCS used (MPa) 150: typed: there are no UCS readings"),
          QStringLiteral("Your formula: S = 100 W^0.5 / H^0.75, as typed in the window.")})
        EXPECT_TRUE(compared.contains(said)) << said.toStdString();
    const QString outside = QStringLiteral("this pillar's W:H 2.5 lies outside the W:H range 1 "
                                           "to 2 of the data behind Your formula.");
    EXPECT_TRUE(SectionText(text, QStringLiteral("6 Assumptions and limits")).contains(outside));

    // Closed: unticked, and said why once the user ticks it.
    compare->close();
    flushDeletes();
    EXPECT_FALSE(savedPdfText(window, QStringLiteral("closed.pdf")).simplified().contains(outside));
    EXPECT_FALSE(ticked->isChecked());
    clickTick(ticked);
    EXPECT_TRUE(savedPdfText(window, QStringLiteral("ticked.pdf"))
                    .simplified()
                    .contains(QStringLiteral("5 The strength formulas compared Left out: the "
                                             "\"Strength formulas\" window is not open for this "
                                             "screen.")));
}

// The schedule by depth comes in with the solve where the user made one,
// made again for the design as it stands.
TEST_F(DesignReportWindowTest, TheScheduleByDepthComesInAsMadeForTheDesignAsItStands) {
    if (!HavePdfTools())
        GTEST_SKIP() << "poppler-utils are not installed";
    CalculationScreen* screen = open("frmTributary");
    fill(screen, QStringLiteral("4"));
    frmTargetFOS* solve = target(screen);
    ASSERT_NE(solve, nullptr);
    frmDesignReport* window = report(screen);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(
        savedPdfText(window, QStringLiteral("none.pdf")).contains(QLatin1String("Schedule")));
    typeInto(solve->txtScheduleFrom, QStringLiteral("300"));
    typeInto(solve->txtScheduleTo, QStringLiteral("1500"));
    typeInto(solve->txtScheduleStep, QStringLiteral("300"));
    QTest::mouseClick(solve->cmdMakeSchedule, Qt::LeftButton);
    // Depth and width of each row, as the schedule of the screen's design gives them.
    const evaluation::NumberLocale locale = evaluation::NumberLocale::Current();
    const auto depthsAndWidths = [&](const std::vector<QStringList>& shown) {
        std::vector<QStringList> got;
        for (std::size_t i = 1; i < shown.size(); ++i)
            got.push_back(shown[i].mid(0, 2));
        const auto depths = design::ReadRange(QStringLiteral("300"), QStringLiteral("1500"),
                                              QStringLiteral("300"), locale);
        const auto schedule = design::DepthSchedule(BaseOf(screen), depths.value(), {});
        std::vector<QStringList> made;
        for (const design::ScheduleRow& row : schedule.value())
            made.push_back({row.depth.text(locale),
                            row.answer.answer ? row.answer.answer->texts.width : QString()});
        EXPECT_EQ(got, made);
        return got;
    };
    const QString text = savedPdfText(window, QStringLiteral("schedule.pdf")).simplified();
    const std::vector<QStringList> rows =
        table(section(window, designreport::SectionId::Solve), QStringLiteral("Depth (m)"));
    ASSERT_EQ(rows.size(), 6u);
    const std::vector<QStringList> first = depthsAndWidths(rows);
    EXPECT_TRUE(text.contains(QStringLiteral("Schedule by depth Depths (m) from to step 300 "
                                             "1500 300 ") +
                              solve->lblSchedule->text().simplified()));
    EXPECT_TRUE(text.contains(rows[1].join(QLatin1Char(' ')).simplified()));

    // A higher pillar: the schedule of the new design.
    Type(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("3"));
    Press(screen, QStringLiteral("cmdCalculateAndContinue2"));
    Settle();
    savedPdfText(window, QStringLiteral("higher.pdf"));
    EXPECT_NE(depthsAndWidths(table(section(window, designreport::SectionId::Solve),
                                    QStringLiteral("Depth (m)"))),
              first);
}

} // namespace
} // namespace vt::test
