// libFuzzer target: the modelling-results loader and the interpolation over
// arbitrary file contents. Any crash, sanitizer report or broken invariant
// (a scale or stress that is not finite, a chart point or label that is not a
// number) is a finding. The same entry point replays the corpus in the tests.
#include "results/core/chartgeometry.h"
#include "results/core/interpolation.h"
#include "results/core/modellingfile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "broken invariant: %s\n", what);
        std::abort();
    }
}

// A few widths and depths to interpolate at: the header widths and the
// midpoints between them, the ends and middle of the depth range, and two
// numbers taken from the input's last bytes.
void Probe(const vt::results::ModellingResults& record, std::string_view input) {
    std::vector<double> widths;
    const int fields = std::min<int>(record.FieldCount, static_cast<int>(record.Header.size()) - 1);
    for (int p = 1; p <= fields; p += 2) {
        widths.push_back(record.Header[static_cast<std::size_t>(p)]);
        if (p + 2 <= fields)
            widths.push_back((record.Header[static_cast<std::size_t>(p)] +
                              record.Header[static_cast<std::size_t>(p + 2)]) /
                             2);
        if (widths.size() > 12)
            break;
    }
    std::vector<double> depths = {record.MinDepth, record.MaxDepth,
                                  record.MinDepth / 2 + record.MaxDepth / 2, 0.0};
    if (input.size() >= 16) {
        double fromInput[2];
        std::memcpy(fromInput, input.data() + input.size() - 16, sizeof fromInput);
        widths.push_back(fromInput[0]);
        depths.push_back(fromInput[1]);
    }
    for (const double W : widths) {
        for (const double D : depths) {
            const auto outcome = vt::results::InterpolatePillarStress(record, W, D);
            if (outcome.ok())
                Require(std::isfinite(*outcome.stress), "interpolated stress is finite");
            else
                Require(!outcome.message.empty() && !outcome.title.empty(),
                        "a failure has a message and a title");
        }
        if (const auto e = vt::results::ExtractionForModelledBords(W, W))
            Require(std::isfinite(*e), "extraction is finite");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    using namespace vt::results;

    (void)ParseLeadingNumber(input.substr(0, 64));

    ModellingResults record;
    record.FileName = "fuzz.int";
    if (!ModellingTextFromBytes(record, input))
        Require(record.LineCount == kMaxLines, "a failed read stops at the line limit");
    const bool loaded = ParseModellingResults(record);
    Require(std::isfinite(record.DepthScale) && std::isfinite(record.StressScale),
            "scales are finite");
    for (const std::string& label : AxisLabelTexts(record))
        Require(label.find_first_of("infa") == std::string::npos, "labels are numbers");
    if (!loaded) {
        Probe(record, input); // a partly filled record must not crash either
        return 0;
    }
    Require(record.DepthScale > 0 && record.StressScale < 0, "scales have their signs");
    Require(record.MinDepth < record.MaxDepth && record.MinStress < record.MaxStress,
            "ranges are not empty");
    Require(WidthListTexts(record).size() == static_cast<std::size_t>(record.FieldCount / 2),
            "one width text per pair");
    ForEachCurveSegment(record, [](const ChartSegment& segment) {
        Require(std::isfinite(segment.from.x) && std::isfinite(segment.from.y) &&
                    std::isfinite(segment.to.x) && std::isfinite(segment.to.y),
                "chart points are finite");
        if (const auto clipped = ClipSegment(segment, 2000))
            Require(std::fabs(clipped->from.x) <= 2000.001 && std::fabs(clipped->to.y) <= 2000.001,
                    "clipped segment lies in the box");
    });
    Probe(record, input);
    return 0;
}
