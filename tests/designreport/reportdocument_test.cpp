// The design report read back: the PDF through pdftotext, pdfinfo and
// pdfimages, the ODF text through unzip. The shown texts are those the
// screen's own evaluation gives for the design, found in their sections.
#include "tests/designreport/reportcases.h"

#include <functional>
#include <gtest/gtest.h>

namespace vt::test {
namespace {

using designreport::SectionId;
using evaluation::NumberLocale;

class ReportDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HavePdfTools())
            GTEST_SKIP() << "poppler-utils are not installed";
        ASSERT_TRUE(dir_.isValid());
    }
    QTemporaryDir dir_;
};

struct LocaleCase {
    const char* name;
    QLocale locale;
    QString point;
    QPageSize::PageSizeId paper; // the paper the locale gets
    const char* pageSize;        // as pdfinfo gives it
    const char* evaluationFile;  // the screen's, or none
    const char* footer;
    const char* alphaOrigin; // the default α "0.5" of the list, typed "0,5" in German
};

TEST_F(ReportDocumentTest, EveryShownTextIsInItsSectionInEnglishAndGerman) {
    const LocaleCase cases[] = {
        {"English", QLocale(QLocale::English, QLocale::UnitedStates), QStringLiteral("."),
         QPageSize::Letter, "612 x 792 pts (letter)", "Panel 4 north.vte",
         "Vandrel Tessaron 1.2.0 · Panel 4 north.vte · 9 December 2026", "from the list"},
        {"German", QLocale(QLocale::German, QLocale::Germany), QStringLiteral(","), QPageSize::A4,
         "595 x 842 pts (A4)", "", "Vandrel Tessaron 1.2.0 · 9 December 2026", "typed"},
    };
    for (const LocaleCase& c : cases) {
        SCOPED_TRACE(c.name);
        const NumberLocale locale(c.locale);
        auto inputs = InputsFor(ReportDesign(c.point), locale);
        // The lists of the strength tab's fields.
        inputs.screen.inputLists = {
            {evaluation::Input::K, {QStringLiteral("7.2"), QStringLiteral("100")}},
            {evaluation::Input::Alpha, {QStringLiteral("0.5"), QStringLiteral("0.46")}},
            {evaluation::Input::PillarHeight, {QStringLiteral("1"), QStringLiteral("3")}}};
        const ShownResults& shown = inputs.screen.shown;
        ASSERT_FALSE(shown.factorOfSafety.isEmpty());
        ASSERT_TRUE(shown.extraction.contains(c.point)) << shown.extraction.toStdString();

        const QPageSize paper = designreport::PaperOf(c.locale);
        EXPECT_EQ(paper.id(), c.paper);
        designreport::Report report = MakeReport(inputs);
        report.evaluationFile = QString::fromUtf8(c.evaluationFile);
        const QString pdf = WritePdf(report, dir_, QString::fromLatin1(c.name) + ".pdf", paper);
        ASSERT_FALSE(pdf.isEmpty());
        EXPECT_EQ(PdfInfoField(pdf, QStringLiteral("Page size")), QString::fromLatin1(c.pageSize));
        const QString text = PdfText(pdf);

        // The sections in order, each numbered.
        const QStringList headings{QStringLiteral("1 Summary"), QStringLiteral("2 Inputs"),
                                   QStringLiteral("3 Method"), QStringLiteral("4 Pillar plan"),
                                   QStringLiteral("5 Assumptions and limits")};
        qsizetype last = -1;
        for (const QString& heading : headings) {
            const qsizetype at = text.indexOf(heading);
            EXPECT_GT(at, last) << heading.toStdString();
            last = at;
        }
        const QString summary = SectionText(text, headings[0], headings[1]);
        const std::pair<const char*, QString> results[] = {
            {"% Extraction", shown.extraction},
            {"Pillar stress (MPa)", shown.stress},
            {"Eff. pillar width (m)", shown.effectiveWidth},
            {"W:H-ratio", shown.widthHeightRatio},
            {"Pillar strength (MPa)", shown.strength},
            {"Factor of Safety", shown.factorOfSafety},
        };
        for (const auto& [caption, value] : results)
            EXPECT_TRUE(summary.contains(QString::fromUtf8(caption) + QLatin1Char(' ') + value))
                << caption << " " << value.toStdString() << "\n"
                << summary.toStdString();
        EXPECT_TRUE(summary.contains(shown.formula));
        EXPECT_TRUE(summary.contains(QStringLiteral("Prepared by Project engineer")));
        EXPECT_TRUE(summary.contains(QStringLiteral("not below 1%16").arg(c.point)));

        const QString inputsText = SectionText(text, headings[1], headings[2]);
        const evaluation::DesignTexts& d = inputs.screen.design;
        for (const auto& [caption, value] : {std::pair{"Rock Rel. Density", d.density},
                                             {"Depth (m)", d.depth},
                                             {"Pillar width (m)", d.width},
                                             {"Bord width 2 (m)", d.bord2},
                                             {"K (MPa)", d.k},
                                             {"Strength incr. rate", d.increaseRate}})
            EXPECT_TRUE(inputsText.contains(QString::fromUtf8(caption) + QLatin1Char(' ') + value))
                << caption << "\n"
                << inputsText.toStdString();
        // Where each came from: one of its list's items, or typed.
        for (const QString& row :
             {QStringLiteral("K (MPa) 100 from the list"), QStringLiteral("Depth (m) 500 typed"),
              QStringLiteral("Pillar height (m) 2 typed"),
              QStringLiteral("α %1 %2").arg(d.alpha, QString::fromUtf8(c.alphaOrigin))})
            EXPECT_TRUE(inputsText.contains(row)) << row.toStdString();
        const QString method = SectionText(text, headings[2], headings[3]);
        EXPECT_TRUE(method.contains(QStringLiteral("ρ = %1").arg(d.density)));
        EXPECT_TRUE(method.contains(QStringLiteral("Hedley, D.G.F. and Grant, F. (1972)")));
        // Header and footer on the page.
        EXPECT_TRUE(text.contains(QStringLiteral("North Shaft, Level 12 – Panel 4 pillars")));
        EXPECT_TRUE(text.contains(QStringLiteral("Revision B")));
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.footer))) << c.footer;
        // The range of the screen's formula, with the screen's R0 as shown.
        const QString assumptions = SectionText(text, headings[4]);
        for (const QString& said :
             {QStringLiteral("the squat pillar formula above it"),
              QStringLiteral("R0 = %1 (\"Start squat pillar\"").arg(d.squatStart),
              QStringLiteral("At this design's W:H-ratio of %1 the screen says: \"%2\"")
                  .arg(shown.widthHeightRatio, shown.formula),
              QStringLiteral("constants is not known")})
            EXPECT_TRUE(assumptions.contains(said)) << said.toStdString() << "\n"
                                                    << assumptions.toStdString();
    }
}

TEST_F(ReportDocumentTest, ChartsAreVectorsAndTheOdfTextHoldsTheSameTexts) {
    if (!HaveUnzip())
        GTEST_SKIP() << "unzip is not installed";
    const NumberLocale locale(QLocale(QLocale::English, QLocale::UnitedStates));
    const auto inputs = InputsFor(ReportDesign(), locale);
    const designreport::Report report = MakeReport(inputs);
    const QString pdf = WritePdf(report, dir_, QStringLiteral("vectors.pdf"));
    const QString text = PdfText(pdf);
    ASSERT_TRUE(text.contains(QStringLiteral("One pillar of 10 m × 10 m with its bords")));
    ASSERT_TRUE(text.contains(QStringLiteral("w = 10 m")));
    // pdfimages lists its two heading lines and one line per image.
    const QStringList images = PdfTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(images.size(), 2) << images.join(QLatin1Char('\n')).toStdString();

    const QString odt = dir_.filePath(QStringLiteral("report.odt"));
    QFile file(odt);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_GT(file.write(designreport::ReportOdt(report)), 0);
    file.close();
    EXPECT_EQ(ZipMember(odt, QStringLiteral("mimetype")),
              QByteArrayLiteral("application/vnd.oasis.opendocument.text"));
    const QString content = QString::fromUtf8(ZipMember(odt, QStringLiteral("content.xml")));
    const ShownResults& shown = inputs.screen.shown;
    for (const QString& value : {QStringLiteral("Panel 4 pillars"), shown.extraction, shown.stress,
                                 shown.widthHeightRatio, shown.strength, shown.factorOfSafety,
                                 shown.formula, QStringLiteral("Assumptions and limits")})
        EXPECT_TRUE(content.contains(value)) << value.toStdString();
    // The plan goes into the editable text as a picture.
    EXPECT_TRUE(content.contains(QStringLiteral("Pictures/")));
}

TEST_F(ReportDocumentTest, WhatIsMissingLeftOutOrUntickedIsSaidOrAbsent) {
    const NumberLocale locale(QLocale(QLocale::English, QLocale::UnitedStates));
    struct Case {
        const char* name;
        bool calculated;
        std::vector<designreport::ToolContribution> tools;
        std::vector<SectionId> unticked;
        QStringList present;
        QStringList absent;
        std::function<void(designreport::ReportInputs&)> edit = nullptr;
    };
    const auto outsideItsData = [](designreport::ReportInputs& in) {
        in.screen.formulaData = {QStringLiteral("2 to 4"), true, true};
    };
    const QString userOutside =
        QStringLiteral("In the strength formulas compared, this pillar's W:H 5 lies outside the "
                       "W:H range 1 to 2 of the data behind Your formula.");
    designreport::ToolContribution solve{
        SectionId::Solve,
        {designreport::Block::Paragraph(QStringLiteral("The smallest pillar width is 8.4 m"))},
        {}};
    designreport::ToolContribution leftOut{
        SectionId::Probability, {}, QStringLiteral("no run was made for the design as it stands")};
    designreport::ToolContribution formulas{
        SectionId::Formulas,
        {designreport::Block::Paragraph(QStringLiteral("The pillar on \"Tributary Theory\""))},
        {},
        {userOutside}};
    const auto fromReadings = [](designreport::ReportInputs& in) {
        in.screen.kSource = {{QStringLiteral("120"), QStringLiteral("100"), QStringLiteral("140")},
                             QStringLiteral("83.33"),
                             QStringLiteral("120")};
    };
    const Case cases[] = {
        {"K from the UCS readings",
         true,
         {},
         {},
         {QStringLiteral("K (MPa) 100 the median of the UCS readings, downgraded"),
          QStringLiteral("K from the UCS readings UCS readings (MPa) 120; 100; 140 Median UCS "
                         "(MPa) 120 Downgrade (%) 83.33 K (MPa) 100")},
         {},
         fromReadings},
        {"no results",
         false,
         {},
         {},
         {QStringLiteral("Factor of Safety not calculated"),
          QStringLiteral("The evaluation is not complete: the screen shows no % Extraction, "
                         "Pillar stress (MPa), Eff. pillar width (m), W:H-ratio, Pillar strength "
                         "(MPa), Factor of Safety yet")},
         {QStringLiteral("is not below"), QStringLiteral("lies outside"),
          QStringLiteral("the screen says")},
         outsideItsData},
        {"a tool's results and a tool left out",
         true,
         {solve, leftOut},
         {},
         {QStringLiteral("5 Solve for a target FOS The smallest pillar width is 8.4 m"),
          QStringLiteral("6 Probability of failure Left out: no run was made for the design as it "
                         "stands")},
         {QStringLiteral("Design charts")}},
        {"unticked sections",
         true,
         {solve},
         {SectionId::Method, SectionId::Solve},
         {QStringLiteral("3 Pillar plan")},
         {QStringLiteral("Average pillar stress"), QStringLiteral("8.4 m")}},
        {"the formulas compared after the probability, a formula outside its data",
         true,
         {leftOut, formulas},
         {},
         {QStringLiteral("5 Probability of failure Left out"),
          QStringLiteral("6 The strength formulas compared The pillar on \"Tributary Theory\""),
          QStringLiteral("7 Assumptions and limits"),
          // said again among the assumptions, in the section's own words
          QStringLiteral("be checked against it. ") + userOutside},
         {}},
        {"the screen's formula outside the known range of its data",
         true,
         {},
         {},
         {QStringLiteral("The pillar data behind the formula's constants cover W:H-ratios from "
                         "2 to 4."),
          QStringLiteral("This design's W:H-ratio 5 lies outside the W:H range 2 to 4 of the "
                         "data behind the formula's constants.")},
         {QStringLiteral("is not known")},
         outsideItsData},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto inputs = InputsFor(ReportDesign(), locale, c.calculated);
        inputs.tools = c.tools;
        if (c.edit)
            c.edit(inputs);
        designreport::Report report = MakeReport(inputs);
        std::erase_if(report.ticked, [&c](SectionId id) {
            return std::find(c.unticked.begin(), c.unticked.end(), id) != c.unticked.end();
        });
        const QString text =
            PdfText(WritePdf(report, dir_, QString::fromLatin1(c.name) + ".pdf")).simplified();
        for (const QString& s : c.present)
            EXPECT_TRUE(text.contains(s)) << s.toStdString() << "\n" << text.toStdString();
        for (const QString& s : c.absent)
            EXPECT_FALSE(text.contains(s)) << s.toStdString();
    }
}

TEST_F(ReportDocumentTest, LongTitlesAndNotesWrapOntoNumberedPages) {
    const NumberLocale locale(QLocale(QLocale::English, QLocale::UnitedStates));
    auto inputs = InputsFor(ReportDesign(), locale);
    QStringList words;
    for (int i = 0; i < 40; ++i)
        words << QStringLiteral("title%1").arg(i);
    inputs.fields.title = words.join(QLatin1Char(' '));
    QStringList notes;
    for (int i = 0; i < 120; ++i)
        notes << QStringLiteral("Note %1: the hangingwall was mapped and no dyke crosses the "
                                "panel; the pillars are cut to the plan within a tolerance.")
                     .arg(i);
    inputs.fields.notes = notes.join(QLatin1Char('\n'));
    const QString pdf = WritePdf(MakeReport(inputs), dir_, QStringLiteral("long.pdf"));
    const int pages = PdfInfoField(pdf, QStringLiteral("Pages")).toInt();
    ASSERT_GE(pages, 3);
    const QString text = PdfText(pdf);
    for (int page = 1; page <= pages; ++page)
        EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of %2").arg(page).arg(pages))) << page;
    EXPECT_FALSE(text.contains(QStringLiteral("Page %1 of").arg(pages + 1)));
    EXPECT_TRUE(text.contains(QStringLiteral("Note 119:")));
    // Every word of the title is on the paper, within the margins (18 mm is
    // 51 points), so the title wrapped rather than ran off the page.
    const QList<PdfWord> placed = PdfWords(pdf);
    for (const QString& word : words) {
        const auto it = std::find_if(placed.begin(), placed.end(),
                                     [&word](const PdfWord& w) { return w.text == word; });
        ASSERT_NE(it, placed.end()) << word.toStdString();
        EXPECT_GE(it->box.left(), 50.0) << word.toStdString();
        EXPECT_LE(it->box.right(), 595.3 - 50.0) << word.toStdString();
    }
}

} // namespace
} // namespace vt::test
