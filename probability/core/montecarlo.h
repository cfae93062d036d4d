// The probability of failure of a design by Monte Carlo: every sample draws
// its uncertain inputs and goes the whole numeric road of the screen
// (EvaluateNumbers: the same engine operations in the same precision, the
// one-decimal effective width and interpolated stress included).
//
// The run is the same bit for bit for the same seed whatever the number of
// threads: each sample's inputs come from its own streams (random.h), the
// samples are cut into fixed blocks of 4096, sums are formed per block and
// added in block order, and everything else is counted in integers.
// Quantiles are exact order statistics, found through a coarse count of the
// values' leading bits and a selection among the few values in the bucket.
// The parts of a run live apart: blockpool.h (blocks and threads),
// sampling.h (draws and evaluations), statistics.h (the figures).
#pragma once

#include "evaluation/design.h"
#include "evaluation/messages.h"
#include "probability/core/distribution.h"
#include "results/modellingresults.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <stop_token>
#include <thread>
#include <vector>

namespace vt::probability {

struct UncertainInput {
    evaluation::Input input;
    Distribution distribution;
};

// What a run samples: the design's numbers, the distribution of the inputs
// that vary (any input not listed keeps the design's value), and the loaded
// modelling results for the interpolation method.
struct Model {
    evaluation::DesignNumbers base;
    std::vector<UncertainInput> inputs;
    std::shared_ptr<const results::ModellingResults> table;
};

inline constexpr std::uint64_t kDefaultSamples = 100'000;
inline constexpr std::uint64_t kMaxSamples = 10'000'000;
inline constexpr std::uint64_t kBlockSamples = 4096;

struct RunSettings {
    std::uint64_t samples = kDefaultSamples;
    std::uint64_t seed = 1;
    unsigned threads = 0; // 0: every core
};

// The samples' numbers, as a running Run tells them and is told to stop.
struct RunControl {
    std::atomic<std::uint64_t> done{0};
    std::atomic<bool> cancel{false};
};

struct Estimate {
    double value = 0;
    double standardError = 0;
};

// Counts of FOS in bins [lower + i step, lower + (i + 1) step); values
// outside the bins are counted below and above.
struct Histogram {
    double lower = 0;
    double step = 0;
    std::vector<std::uint64_t> counts;
    std::uint64_t below = 0;
    std::uint64_t above = 0;

    double edge(std::size_t i) const { return lower + step * static_cast<double>(i); }
    double upper() const { return edge(counts.size()); }
    // The bin of x: -1 below the first, counts.size() from the upper edge on.
    std::ptrdiff_t bin(double x) const { return bin(x, 1 / step); }
    // The same, given 1 / step.
    std::ptrdiff_t bin(double x, double inverseStep) const {
        const auto size = static_cast<std::ptrdiff_t>(counts.size());
        if (!(x >= lower))
            return -1;
        const double position = (x - lower) * inverseStep;
        auto i = static_cast<std::ptrdiff_t>(std::min(position, static_cast<double>(size)));
        // The edges are lower + i step: settle on them exactly.
        while (i > 0 && x < edge(static_cast<std::size_t>(i)))
            --i;
        while (i < size && x >= edge(static_cast<std::size_t>(i + 1)))
            ++i;
        return i;
    }
};

// The bins of a histogram that shows the values from `low` to `high` and the
// marks at 1, 1.6 and `mark`, with 0 in view, in 20 to 60 round bins; it
// reaches no further than three times the larger of 1.6 and `mark` either
// side of 0.
Histogram HistogramFrame(double low, double high, double mark);

// How many samples stopped at one place of the road without a finite FOS;
// or, with `notPositive` set, how many drew a value of that input not above
// 0 (no pillar, rock or stress has one: such a sample is no design and is
// not evaluated).
struct StopCount {
    evaluation::NumericStop stop = evaluation::NumericStop::None;
    engine::Fault fault = engine::Fault::None;
    std::uint64_t count = 0;
    std::optional<evaluation::Input> notPositive;
};

struct RunResult {
    bool cancelled = false;
    std::uint64_t samples = 0;            // drawn
    std::uint64_t finite = 0;             // with a finite FOS; every share is of these
    std::vector<StopCount> withoutResult; // the others, by where they stopped
    std::uint64_t belowOne = 0;           // FOS < 1
    std::uint64_t belowLimit = 0;         // FOS < 1.6, as the screen flags it
    std::uint64_t widthHeightTooSmall = 0;
    std::uint64_t squat = 0;
    Estimate failure;          // P(FOS < 1)
    Estimate belowSafetyLimit; // P(FOS < 1.6)
    double shareWidthHeightTooSmall = 0;
    double shareSquat = 0;
    double mean = 0;
    double standardDeviation = 0; // of the samples (n - 1)
    float quantile5 = 0;          // the smallest FOS with at least 5 % at or below it
    float median = 0;             // likewise 50 %
    float minimum = 0;
    float maximum = 0;
    Histogram histogram;

    std::uint64_t withoutResultCount() const { return samples - finite; }
};

// The samples that did not give a finite FOS, said per place they stopped.
QString StopReason(evaluation::NumericStop stop, engine::Fault fault);
// The same for a count: where its samples stopped, or which drawn input was
// not above 0.
QString StopReason(const StopCount& count);

// Runs the samples on `settings.threads` threads (all cores for 0); stops
// early, with `cancelled` set and nothing else, when `control->cancel` is
// set. `fos`, when given, receives every sample's FOS (NaN for a sample
// without one), in sample order.
RunResult RunSamples(const Model& model, const RunSettings& settings, RunControl* control = nullptr,
                     std::vector<float>* fos = nullptr);

// The inputs of one sample.
evaluation::DesignNumbers SampleDesign(const Model& model, std::uint64_t seed,
                                       std::uint64_t sample);

// A run on a thread of its own, which the window polls for its progress.
// Cancelling is the thread's stop request; destroying the run cancels it and
// waits for it.
class BackgroundRun {
public:
    BackgroundRun(Model model, RunSettings settings);
    BackgroundRun(const BackgroundRun&) = delete;
    BackgroundRun& operator=(const BackgroundRun&) = delete;

    bool finished() const { return finished_.load(std::memory_order_acquire); }
    std::uint64_t done() const { return control_.done.load(std::memory_order_relaxed); }
    std::uint64_t samples() const { return settings_.samples; }
    void cancel() { thread_.request_stop(); }
    // The result, once finished().
    const RunResult& result() const { return result_; }

private:
    Model model_;
    RunSettings settings_;
    RunControl control_;
    RunResult result_;
    std::atomic<bool> finished_{false};
    std::jthread thread_; // last: starts when everything above exists, stops first
};

} // namespace vt::probability
