// The words and the file of a run: percentages, the inputs in a few words,
// the report sentence and the CSV summary.
#include "probability/core/report.h"
#include "tests/probability/designs.h"

#include <QLocale>
#include <charconv>
#include <gtest/gtest.h>

namespace vt::probability {
namespace {

using evaluation::Input;
using evaluation::NumberLocale;

using test::English;
using test::German;

TEST(ShowPercent, TwoDecimalsOrEnoughToShowASmallShare) {
    struct Case {
        double share;
        const char* english;
        const char* german;
    };
    const Case cases[] = {
        {0.0231, "2.31", "2,31"},
        {0, "0", "0"},
        {1, "100", "100"},
        {0.5, "50", "50"},
        {0.00005, "0.005", "0,005"},
        {0.0000123, "0.0012", "0,0012"},
        {1e-7, "0.00001", "0,00001"},
        {0.000125, "0.01", "0,01"}, // 0.0125 % to two decimals, ties to even
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShowPercent(c.share, English()), QString::fromLatin1(c.english)) << c.share;
        EXPECT_EQ(ShowPercent(c.share, German()), QString::fromLatin1(c.german)) << c.share;
    }
}

TEST(DescribeInput, SaysTheDistributionInAFewWords) {
    Distribution fit = Distribution::LogParameters(std::log(40.0), 0.1);
    fit.kind = DistributionKind::FromReadings;
    fit.readings = 4;
    fit.downgrade = 66.67;
    const std::pair<UncertainInput, const char*> cases[] = {
        {{Input::K, Distribution::Lognormal(100, 0.2)}, "K (MPa) lognormal, CV 20 %"},
        {{Input::Depth, Distribution::Normal(500, 0.05)}, "Depth (m) normal, CV 5 %"},
        {{Input::Depth, Distribution::Uniform(450, 550.5)}, "Depth (m) uniform from 450 to 550.5"},
        {{Input::PillarHeight, Distribution::Fixed(5)}, "Pillar height (m) fixed at 5"},
        {{Input::K, fit},
         "K (MPa) lognormal fitted to 4 UCS readings, each downgraded by 66.67 %: median 40 MPa, "
         "CV 10 %"},
    };
    for (const auto& [input, text] : cases)
        EXPECT_EQ(DescribeInput(input, English()), QString::fromUtf8(text));
    EXPECT_EQ(DescribeInput({Input::Depth, Distribution::Uniform(450, 550.5)}, German()),
              QStringLiteral("Depth (m) uniform from 450 to 550,5"));
}

RunDescription Description(std::vector<UncertainInput> inputs, std::uint64_t samples) {
    RunDescription d;
    d.screenTitle = QStringLiteral("Tributary Theory");
    d.screenFos = QStringLiteral("1.5");
    d.inputs = std::move(inputs);
    d.settings = test::Settings(samples, 12);
    return d;
}

TEST(ReportSentence, SaysWhatWasRunAndWhatCameOut) {
    const std::vector<UncertainInput> fixed = {{Input::K, Distribution::Fixed(100)}};
    const Model m = test::ModelOf(test::TributaryNumbers(), fixed);
    const RunResult r = RunSamples(m, test::Settings(1000, 12));
    EXPECT_EQ(ReportSentence(Description(fixed, 1000), r, English()),
              QStringLiteral("Monte Carlo analysis of the design on the Tributary Theory screen "
                             "(FOS 1.5), 1,000 samples with seed 12, every input fixed: the "
                             "probability that the FOS is below 1 is 0 % (standard error 0 %) and "
                             "that it is below 1.6 is 100 % (standard error 0 %); the FOS has a "
                             "mean of 1.48, a standard deviation of 0, a 5 % quantile of 1.48 and "
                             "a median of 1.48."));
}

TEST(ReportSentence, CountsTheSamplesLeftOut) {
    const std::vector<UncertainInput> inputs = {
        {Input::PillarHeight, Distribution::Uniform(-1, 4)}};
    const Model m = test::ModelOf(test::TributaryNumbers(), inputs);
    const RunResult r = RunSamples(m, test::Settings(2000, 3));
    const QString s = ReportSentence(Description(inputs, 2000), r, German());
    EXPECT_TRUE(s.contains(QStringLiteral("2.000 samples with seed 12, Pillar height (m) uniform "
                                          "from -1 to 4: ")))
        << s.toStdString();
    EXPECT_TRUE(s.endsWith(QStringLiteral(" %1 samples gave no finite factor of safety and are "
                                          "left out.")
                               .arg(r.withoutResultCount())))
        << s.toStdString();
    const std::vector<UncertainInput> none = {{Input::PillarHeight, Distribution::Uniform(-2, -1)}};
    const RunResult nothing =
        RunSamples(test::ModelOf(test::TributaryNumbers(), none), test::Settings(10, 3));
    EXPECT_TRUE(ReportSentence(Description(none, 10), nothing, English())
                    .endsWith(QStringLiteral(": no sample gave a finite factor of safety.")));
}

QStringList Lines(const QString& csv) {
    return csv.split(QStringLiteral("\r\n"));
}

TEST(SummaryCsv, HoldsTheResultsTheInputsTheLeftOutSamplesAndTheBins) {
    const std::vector<UncertainInput> inputs = {{Input::K, Distribution::Lognormal(100, 0.2)},
                                                {Input::PillarHeight, Distribution::Uniform(-1, 6)},
                                                {Input::Depth, Distribution::Fixed(500)}};
    const Model m = test::ModelOf(test::TributaryNumbers(), inputs);
    const RunResult r = RunSamples(m, test::Settings(5000, 12));
    const QStringList lines = Lines(SummaryCsv(Description(inputs, 5000), r));
    EXPECT_EQ(lines[0], QStringLiteral("Item,Value,Standard error"));
    EXPECT_EQ(lines[1], QStringLiteral("Screen,Tributary Theory"));
    EXPECT_EQ(lines[3], QStringLiteral("Samples,5000"));
    EXPECT_EQ(lines[4], QStringLiteral("Seed,12"));
    EXPECT_EQ(lines[5], QStringLiteral("Samples with a finite FOS,%1").arg(r.finite));
    EXPECT_EQ(lines[7],
              QStringLiteral("P(FOS < 1),%1,%2")
                  .arg(evaluation::ShowShortest(r.failure.value, NumberLocale::Point()),
                       evaluation::ShowShortest(r.failure.standardError, NumberLocale::Point())));
    EXPECT_TRUE(lines.contains(QStringLiteral("K (MPa),lognormal,100,20,,")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Pillar height (m),uniform,,,-1,6")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Depth (m),fixed,500,,,")));
    // The reason holds quotes: it is quoted, its quotes doubled.
    EXPECT_TRUE(
        lines.contains(QStringLiteral("\"a drawn \"\"Pillar height (m)\"\" was not above 0\",%1")
                           .arg(r.withoutResultCount())));
    // The bins: from the header to the end, every sample with an FOS once.
    const auto header = lines.indexOf(QStringLiteral("FOS from,FOS below,Samples"));
    ASSERT_GT(header, 0);
    std::uint64_t total = 0;
    for (qsizetype i = header + 1; i < lines.size() && !lines[i].isEmpty(); ++i)
        total += lines[i].section(QLatin1Char(','), 2).toULongLong();
    EXPECT_EQ(total, r.finite);
    // Edges as round decimals: lower + i step without the last bits of the sum.
    const NumberLocale point = NumberLocale::Point();
    EXPECT_EQ(lines[header + 1], QStringLiteral(",0,%1").arg(r.histogram.below));
    EXPECT_EQ(lines[header + 4], QStringLiteral("%1,%2,%3")
                                     .arg(evaluation::ShowResult(2 * r.histogram.step, 10, point),
                                          evaluation::ShowResult(3 * r.histogram.step, 10, point))
                                     .arg(r.histogram.counts[2]));
    // Single-precision results as the shortest text that reads back as the
    // float: never more than the 9 significant digits a float needs.
    for (const auto& [item, value] :
         {std::pair{"5 % quantile of FOS", r.quantile5}, std::pair{"Median FOS", r.median}}) {
        qsizetype at = 0;
        while (at < lines.size() && !lines[at].startsWith(QLatin1String(item) + u','))
            ++at;
        ASSERT_LT(at, lines.size()) << item;
        const std::string text = lines[at].section(u',', 1).toStdString();
        float back = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), back);
        EXPECT_TRUE(error == std::errc{} && end == text.data() + text.size()) << text;
        EXPECT_EQ(back, value) << text;
        EXPECT_LE(QString::fromStdString(text).remove(u'.').remove(u'-').size(), 9) << text;
    }
}

// In the semicolon convention every number carries a decimal comma and
// every field a semicolon; the file is the comma file with the two swapped.
TEST(SummaryCsv, WritesOneConventionThroughout) {
    const std::vector<UncertainInput> inputs = {
        {Input::K, Distribution::Lognormal(static_cast<double>(2.7f), 0.25)},
        {Input::PillarHeight, Distribution::Uniform(-1, 6.5)},
        {Input::RockDensity, Distribution::Fixed(static_cast<double>(2.7f))}};
    const Model m = test::ModelOf(test::TributaryNumbers(), inputs);
    const RunResult r = RunSamples(m, test::Settings(3000, 5));
    const QString comma = SummaryCsv(Description(inputs, 3000), r);
    const QString semicolon =
        SummaryCsv(Description(inputs, 3000), r, evaluation::CsvConvention::SemicolonComma);
    EXPECT_TRUE(Lines(comma).contains(QStringLiteral("K (MPa),lognormal,2.7,25,,")));
    EXPECT_TRUE(Lines(comma).contains(QStringLiteral("Rock Rel. Density,fixed,2.7,,,")));
    EXPECT_TRUE(Lines(semicolon).contains(QStringLiteral("Pillar height (m);uniform;;;-1;6,5")));
    // Line by line: the same labels ("P(FOS < 1.6)" is no number), and every
    // number with its decimal mark swapped (no text here holds a separator of
    // its own).
    const QStringList commaLines = Lines(comma);
    const QStringList semicolonLines = Lines(semicolon);
    ASSERT_EQ(commaLines.size(), semicolonLines.size());
    for (qsizetype i = 0; i < commaLines.size(); ++i) {
        const QStringList a = commaLines[i].split(u',');
        const QStringList b = semicolonLines[i].split(u';');
        ASSERT_EQ(a.size(), b.size()) << i;
        for (qsizetype f = 0; f < a.size(); ++f) {
            bool number = false;
            a[f].toDouble(&number);
            EXPECT_EQ(number ? QString(a[f]).replace(u'.', u',') : a[f], b[f]) << i << " " << f;
        }
    }
}

} // namespace
} // namespace vt::probability
