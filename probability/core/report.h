// The words and files of a probability run: each input's distribution said
// in a few words, the sentence that can go on the report, and the summary of
// the samples as CSV.
#pragma once

#include "evaluation/csv.h"
#include "evaluation/numbers.h"
#include "probability/core/montecarlo.h"

#include <QString>

namespace vt::probability {

// What was run, for the sentence and the file.
struct RunDescription {
    QString screenTitle;      // the calculation screen's title ("Tributary Theory")
    QString screenFos;        // the FOS the screen shows for the design
    float screenFosValue = 0; // and its value
    std::vector<UncertainInput> inputs;
    RunSettings settings;
};

// "K (MPa) lognormal, CV 20 %", "Depth (m) uniform from 450 to 550", ...
QString DescribeInput(const UncertainInput& input, const evaluation::NumberLocale& locale);

// A share as a percentage: two decimals, more for a share so small that two
// would show 0.
QString ShowPercent(double share, const evaluation::NumberLocale& locale);

QString ReportSentence(const RunDescription& run, const RunResult& result,
                       const evaluation::NumberLocale& locale);

// The summary as CSV in one convention (evaluation/csv.h): the run, the
// results with their standard errors, the inputs, the samples without a
// finite FOS and the histogram's bins, parts apart by a blank line.
QString SummaryCsv(const RunDescription& run, const RunResult& result,
                   evaluation::CsvConvention convention = evaluation::CsvConvention::CommaPoint);

} // namespace vt::probability
