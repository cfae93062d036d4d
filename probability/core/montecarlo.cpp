#include "probability/core/montecarlo.h"

#include "probability/core/screendesign.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <system_error>

namespace vt::probability {

using evaluation::DesignNumbers;
using evaluation::NumericEvaluation;
using evaluation::NumericStop;

namespace {

constexpr std::size_t kStops = 7;   // NumericStop::None .. FactorOfSafety
constexpr std::size_t kFaults = 11; // engine::Fault::None .. Overflow
constexpr std::size_t kBuckets = 65536;
constexpr std::size_t kInputs = static_cast<std::size_t>(evaluation::Input::IncreaseRate) + 1;

std::size_t FailureIndex(NumericStop stop, engine::Fault fault) {
    return static_cast<std::size_t>(stop) * kFaults + static_cast<std::size_t>(fault);
}

// The bits of a float as an unsigned number in the float's order.
std::uint32_t OrderKey(float x) {
    const auto u = std::bit_cast<std::uint32_t>(x);
    return (u & 0x80000000u) ? ~u : (u | 0x80000000u);
}

float FromOrderKey(std::uint32_t key) {
    const std::uint32_t u = (key & 0x80000000u) ? (key & 0x7fffffffu) : ~key;
    return std::bit_cast<float>(u);
}

std::size_t BucketOf(float x) {
    return static_cast<std::size_t>(OrderKey(x) >> 16);
}

struct Varying {
    double DesignNumbers::*member;
    unsigned slot;
    Distribution distribution;
};

struct Prepared {
    DesignNumbers base;
    std::vector<Varying> varying;
    const results::ModellingResults* table = nullptr;
    std::uint64_t key = 0;
    std::uint64_t samples = 0;
    double reference = 0; // sums are formed about the FOS of the design itself
};

Prepared Prepare(const Model& model, const RunSettings& settings) {
    Prepared p;
    p.base = model.base;
    p.table = model.table.get();
    p.key = StreamKey(settings.seed);
    p.samples = settings.samples;
    for (const UncertainInput& in : model.inputs) {
        if (in.distribution.varies())
            p.varying.push_back(
                {InputMember(in.input), static_cast<unsigned>(in.input), in.distribution});
        else
            p.base.*InputMember(in.input) = in.distribution.mean;
    }
    const NumericEvaluation e = evaluation::EvaluateNumbers(p.base, p.table);
    if (e.complete() && std::isfinite(e.factorOfSafety))
        p.reference = static_cast<double>(e.factorOfSafety);
    return p;
}

// The values sample `sample` draws for the varying inputs, in their order.
void DrawValues(const Prepared& p, std::uint64_t sample, double* values) {
    for (const Varying& v : p.varying) {
        SampleStream stream(p.key, sample, v.slot);
        *values++ = v.distribution.sample(stream);
    }
}

void SetValues(const Prepared& p, const double* values, DesignNumbers& d) {
    for (const Varying& v : p.varying)
        d.*v.member = *values++;
}

// The first of a sample's drawn values that is not above 0 (a normal depth
// or width with a large CV, a uniform from below 0), or -1. Every uncertain
// input is a length, a density, a strength or a stress: a sample that draws
// one not above 0 is no design, and the screen's road would make something
// of it (the tributary stress of a negative depth is taken as positive).
std::ptrdiff_t FirstNotPositive(const double* values, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        if (!(values[i] > 0))
            return static_cast<std::ptrdiff_t>(i);
    return -1;
}

DesignNumbers Draw(const Prepared& p, std::uint64_t sample) {
    std::vector<double> values(p.varying.size());
    DrawValues(p, sample, values.data());
    DesignNumbers d = p.base;
    SetValues(p, values.data(), d);
    return d;
}

// What one thread counts: integers (and extremes), so the order in which the
// blocks come does not matter.
struct alignas(64) Tally {
    std::uint64_t finite = 0;
    std::uint64_t belowOne = 0;
    std::uint64_t belowLimit = 0;
    std::uint64_t widthHeightTooSmall = 0;
    std::uint64_t squat = 0;
    float minimum = std::numeric_limits<float>::infinity();
    float maximum = -std::numeric_limits<float>::infinity();
    std::array<std::uint64_t, kStops * kFaults> failures{};
    std::array<std::uint64_t, kInputs> notPositive{}; // by the input drawn not above 0
    std::vector<std::uint32_t> buckets = std::vector<std::uint32_t>(kBuckets);

    void add(const Tally& t) {
        finite += t.finite;
        belowOne += t.belowOne;
        belowLimit += t.belowLimit;
        widthHeightTooSmall += t.widthHeightTooSmall;
        squat += t.squat;
        minimum = std::min(minimum, t.minimum);
        maximum = std::max(maximum, t.maximum);
        for (std::size_t i = 0; i < failures.size(); ++i)
            failures[i] += t.failures[i];
        for (std::size_t i = 0; i < kInputs; ++i)
            notPositive[i] += t.notPositive[i];
        for (std::size_t i = 0; i < kBuckets; ++i)
            buckets[i] += t.buckets[i];
    }
};

// The sums of one block, about the reference, added up in block order.
struct BlockSums {
    double sum = 0;
    double squares = 0;
};

struct BlockRange {
    std::uint64_t first = 0;
    std::uint64_t last = 0;
};

BlockRange RangeOf(std::uint64_t block, std::uint64_t samples) {
    const std::uint64_t first = block * kBlockSamples;
    return {first, std::min(samples, first + kBlockSamples)};
}

// Calls work(block, thread) for every block, on up to `threads` threads (the
// caller's among them); stops handing out blocks once the run is cancelled.
template <class Work>
void ForEachBlock(unsigned threads, std::uint64_t blocks, const RunControl* control,
                  const Work& work) {
    std::atomic<std::uint64_t> next{0};
    auto worker = [&](unsigned index) {
        while (!(control && control->cancel.load(std::memory_order_relaxed))) {
            const std::uint64_t block = next.fetch_add(1, std::memory_order_relaxed);
            if (block >= blocks)
                return;
            work(block, index);
        }
    };
    std::vector<std::thread> pool;
    try {
        for (unsigned t = 1; t < threads; ++t)
            pool.emplace_back(worker, t);
    } catch (const std::system_error&) {
        // Fewer threads than asked: the ones there are do all the blocks.
    }
    worker(0);
    for (std::thread& thread : pool)
        thread.join();
}

void EvaluateBlock(const Prepared& p, BlockRange range, float* fos, Tally& tally, BlockSums& sums) {
    // Counted in locals and handed over at the end: the threads' tallies and
    // the blocks' sums sit side by side in memory.
    std::uint64_t finite = 0, belowOne = 0, belowLimit = 0, slender = 0, squat = 0;
    float minimum = tally.minimum;
    float maximum = tally.maximum;
    double sum = 0;
    double squares = 0;
    std::uint32_t* const buckets = tally.buckets.data();
    // The block's draws first, then its evaluations: each loop runs without
    // waiting on the other.
    const std::size_t varying = p.varying.size();
    std::vector<double> drawn(varying * (range.last - range.first));
    for (std::uint64_t i = range.first; i < range.last; ++i)
        DrawValues(p, i, drawn.data() + (i - range.first) * varying);
    DesignNumbers d = p.base;
    for (std::uint64_t i = range.first; i < range.last; ++i) {
        const double* values = drawn.data() + (i - range.first) * varying;
        if (const std::ptrdiff_t at = FirstNotPositive(values, varying); at >= 0) {
            ++tally.notPositive[p.varying[static_cast<std::size_t>(at)].slot];
            fos[i] = std::numeric_limits<float>::quiet_NaN();
            continue;
        }
        SetValues(p, values, d);
        const NumericEvaluation e = evaluation::EvaluateNumbers(d, p.table);
        const float f = e.factorOfSafety;
        if (!e.complete() || !std::isfinite(f)) {
            const bool stopped = !e.complete();
            ++tally.failures[stopped ? FailureIndex(e.stop, e.fault)
                                     : FailureIndex(NumericStop::FactorOfSafety,
                                                    engine::Fault::NotANumber)];
            fos[i] = std::numeric_limits<float>::quiet_NaN();
            continue;
        }
        fos[i] = f;
        ++finite;
        belowOne += f < 1.0f;
        belowLimit += e.factorOfSafetyTooSmall;
        slender += e.widthHeightTooSmall;
        squat += e.formula == engine::StrengthFormula::SquatPillar;
        minimum = std::min(minimum, f);
        maximum = std::max(maximum, f);
        ++buckets[BucketOf(f)];
        const double x = static_cast<double>(f) - p.reference;
        sum += x;
        squares += x * x;
    }
    tally.finite += finite;
    tally.belowOne += belowOne;
    tally.belowLimit += belowLimit;
    tally.widthHeightTooSmall += slender;
    tally.squat += squat;
    tally.minimum = minimum;
    tally.maximum = maximum;
    sums = {sum, squares};
}

// Where the value of a rank (1-based) lies: its bucket, and how many values
// lie in the buckets below.
struct RankPlace {
    std::uint64_t rank = 0;
    std::size_t bucket = 0;
    std::uint64_t before = 0;
};

RankPlace PlaceOf(const std::vector<std::uint32_t>& buckets, std::uint64_t rank) {
    std::uint64_t before = 0;
    for (std::size_t b = 0; b < kBuckets; ++b) {
        if (before + buckets[b] >= rank)
            return {rank, b, before};
        before += buckets[b];
    }
    return {rank, kBuckets - 1, before};
}

// The smallest rank whose share of n reaches per / 1000.
std::uint64_t RankOf(std::uint64_t n, std::uint64_t perThousand) {
    return std::max<std::uint64_t>(1, (n * perThousand + 999) / 1000);
}

// What the second pass collects per thread: the values in the quantiles'
// buckets and the histogram's counts.
struct Collected {
    std::vector<float> candidates[2];
    std::vector<std::uint64_t> counts;
    std::uint64_t below = 0;
    std::uint64_t above = 0;
};

float Select(std::vector<Collected>& collected, int which, const RankPlace& place) {
    std::vector<float> values;
    for (Collected& c : collected)
        values.insert(values.end(), c.candidates[which].begin(), c.candidates[which].end());
    const auto nth = static_cast<std::ptrdiff_t>(place.rank - place.before - 1);
    std::nth_element(values.begin(), values.begin() + nth, values.end());
    return values[static_cast<std::size_t>(nth)];
}

} // namespace

Histogram HistogramFrame(double low, double high, double mark) {
    // Far tails (a squat pillar of almost no height has an FOS of millions)
    // stay out of view: at most three times the larger mark either side.
    const double marks =
        std::max(static_cast<double>(engine::kSafetyLimit), std::isfinite(mark) ? mark : 0.0);
    const double reach = 3 * marks;
    const double top = std::max(marks, std::min(high, reach));
    const double bottom = std::min(0.0, std::max(low, -reach));
    const double span = top - bottom;
    // A round step nearest (by ratio) to a 36th of the span: 1, 2, 2.5 or 5
    // times a power of ten.
    const double rough = span / 36;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power;
    for (double m : {2.0, 2.5, 5.0, 10.0})
        if (std::fabs(std::log(m * power / rough)) < std::fabs(std::log(step / rough)))
            step = m * power;
    Histogram h;
    h.step = step;
    h.lower = std::floor(bottom / step) * step;
    const double bins = std::floor((top - h.lower) / step) + 1;
    h.counts.assign(static_cast<std::size_t>(std::clamp(bins, 1.0, 60.0)), 0);
    return h;
}

namespace {

void Summarise(RunResult& r, const Tally& total, const std::vector<BlockSums>& sums,
               double reference) {
    const auto n = static_cast<double>(r.finite);
    double s1 = 0;
    double s2 = 0;
    for (const BlockSums& b : sums) {
        s1 += b.sum;
        s2 += b.squares;
    }
    r.mean = reference + s1 / n;
    r.standardDeviation =
        r.finite > 1 ? std::sqrt(std::max(0.0, (s2 - s1 * s1 / n) / (n - 1))) : 0.0;
    auto estimate = [n](std::uint64_t count) {
        const double p = static_cast<double>(count) / n;
        return Estimate{p, std::sqrt(p * (1 - p) / n)};
    };
    r.belowOne = total.belowOne;
    r.belowLimit = total.belowLimit;
    r.widthHeightTooSmall = total.widthHeightTooSmall;
    r.squat = total.squat;
    r.failure = estimate(total.belowOne);
    r.belowSafetyLimit = estimate(total.belowLimit);
    r.shareWidthHeightTooSmall = static_cast<double>(total.widthHeightTooSmall) / n;
    r.shareSquat = static_cast<double>(total.squat) / n;
    r.minimum = total.minimum;
    r.maximum = total.maximum;
}

// The frame of the histogram: about the middle 99.8 % of the values.
Histogram FrameFor(const Tally& total, std::uint64_t n, double mark) {
    const RankPlace low = PlaceOf(total.buckets, RankOf(n, 1));
    const RankPlace high = PlaceOf(total.buckets, RankOf(n, 999));
    const float lowEdge = FromOrderKey(static_cast<std::uint32_t>(low.bucket << 16));
    const float highEdge = FromOrderKey(static_cast<std::uint32_t>((high.bucket << 16) | 0xffff));
    const float from = std::isfinite(lowEdge) ? std::max(lowEdge, total.minimum) : total.minimum;
    const float to = std::isfinite(highEdge) ? std::min(highEdge, total.maximum) : total.maximum;
    return HistogramFrame(from, to, mark);
}

} // namespace

namespace {

// How the samples are cut up and shared out.
struct Plan {
    std::uint64_t samples = 0;
    std::uint64_t blocks = 0;
    unsigned threads = 1;
};

Plan PlanOf(const RunSettings& settings) {
    Plan plan;
    plan.samples = settings.samples;
    plan.blocks = (plan.samples + kBlockSamples - 1) / kBlockSamples;
    const unsigned asked =
        settings.threads ? settings.threads : std::thread::hardware_concurrency();
    plan.threads = static_cast<unsigned>(
        std::clamp<std::uint64_t>(asked, 1, std::max<std::uint64_t>(plan.blocks, 1)));
    return plan;
}

void CountWithoutResult(RunResult& r, const Tally& total) {
    for (std::size_t i = 0; i < kInputs; ++i)
        if (const std::uint64_t count = total.notPositive[i]) {
            StopCount c;
            c.count = count;
            c.notPositive = static_cast<evaluation::Input>(i);
            r.withoutResult.push_back(c);
        }
    for (std::size_t s = 0; s < kStops; ++s)
        for (std::size_t f = 0; f < kFaults; ++f)
            if (const std::uint64_t count = total.failures[s * kFaults + f])
                r.withoutResult.push_back(
                    {static_cast<NumericStop>(s), static_cast<engine::Fault>(f), count, {}});
}

// The second pass over the FOS: the values in the quantiles' buckets and the
// histogram's counts.
void Distribute(RunResult& r, const Plan& plan, const float* fos, const Tally& total,
                double reference) {
    const RankPlace places[2] = {PlaceOf(total.buckets, RankOf(r.finite, 50)),
                                 PlaceOf(total.buckets, RankOf(r.finite, 500))};
    r.histogram = FrameFor(total, r.finite, reference);
    std::vector<Collected> collected(plan.threads);
    for (Collected& c : collected)
        c.counts.assign(r.histogram.counts.size(), 0);
    const Histogram& frame = r.histogram;
    const double inverseStep = 1 / frame.step;
    ForEachBlock(plan.threads, plan.blocks, nullptr, [&](std::uint64_t block, unsigned t) {
        Collected& c = collected[t];
        const BlockRange range = RangeOf(block, plan.samples);
        for (std::uint64_t i = range.first; i < range.last; ++i) {
            const float f = fos[i];
            if (std::isnan(f))
                continue;
            const std::size_t bucket = BucketOf(f);
            for (int q = 0; q < 2; ++q)
                if (bucket == places[q].bucket)
                    c.candidates[q].push_back(f);
            const std::ptrdiff_t bin = frame.bin(f, inverseStep);
            if (bin < 0)
                ++c.below;
            else if (static_cast<std::size_t>(bin) >= c.counts.size())
                ++c.above;
            else
                ++c.counts[static_cast<std::size_t>(bin)];
        }
    });
    r.quantile5 = Select(collected, 0, places[0]);
    r.median = Select(collected, 1, places[1]);
    for (const Collected& c : collected) {
        for (std::size_t b = 0; b < c.counts.size(); ++b)
            r.histogram.counts[b] += c.counts[b];
        r.histogram.below += c.below;
        r.histogram.above += c.above;
    }
}

} // namespace

RunResult RunSamples(const Model& model, const RunSettings& settings, RunControl* control,
                     std::vector<float>* fosOut) {
    const Prepared p = Prepare(model, settings);
    const Plan plan = PlanOf(settings);
    RunResult r;
    r.samples = plan.samples;
    // Every sample's FOS, written by the first pass before anything reads it
    // (left unset only when the run is cancelled).
    const std::unique_ptr<float[]> fos(new float[plan.samples]);
    std::vector<Tally> tallies(plan.threads);
    std::vector<BlockSums> sums(plan.blocks);
    ForEachBlock(plan.threads, plan.blocks, control, [&](std::uint64_t block, unsigned t) {
        const BlockRange range = RangeOf(block, plan.samples);
        EvaluateBlock(p, range, fos.get(), tallies[t], sums[block]);
        if (control)
            control->done.fetch_add(range.last - range.first, std::memory_order_relaxed);
    });
    if (control && control->cancel.load()) {
        r.cancelled = true;
        return r;
    }
    Tally total;
    for (const Tally& t : tallies)
        total.add(t);
    r.finite = total.finite;
    CountWithoutResult(r, total);
    if (r.finite > 0) {
        Summarise(r, total, sums, p.reference);
        Distribute(r, plan, fos.get(), total, p.reference);
    }
    if (fosOut)
        fosOut->assign(fos.get(), fos.get() + plan.samples);
    return r;
}

DesignNumbers SampleDesign(const Model& model, std::uint64_t seed, std::uint64_t sample) {
    RunSettings settings;
    settings.seed = seed;
    return Draw(Prepare(model, settings), sample);
}

QString StopReason(NumericStop stop, engine::Fault fault) {
    using evaluation::Operation;
    switch (stop) {
    case NumericStop::None:
        break;
    case NumericStop::Interpolation:
        if (fault == engine::Fault::None)
            return QStringLiteral("the pillar width or the depth lies outside the modelling "
                                  "results, or the stress found there is out of bounds");
        return QStringLiteral("the interpolated pillar stress is too large to use");
    case NumericStop::Extraction:
        return evaluation::FaultRefusal(fault, Operation::Extraction).message;
    case NumericStop::Stress:
        return evaluation::FaultRefusal(fault, Operation::TributaryStress).message;
    case NumericStop::EffectiveWidth:
        return evaluation::FaultRefusal(fault, Operation::EffectiveWidth).message;
    case NumericStop::Strength:
        return evaluation::FaultRefusal(fault, Operation::Strength).message;
    case NumericStop::FactorOfSafety:
        return evaluation::FaultRefusal(fault, Operation::FactorOfSafety).message;
    }
    return QStringLiteral("the factor of safety is not a finite number");
}

QString StopReason(const StopCount& count) {
    if (count.notPositive)
        return QStringLiteral("a drawn \"%1\" was not above 0")
            .arg(evaluation::Caption(*count.notPositive));
    return StopReason(count.stop, count.fault);
}

BackgroundRun::BackgroundRun(Model model, RunSettings settings)
    : model_(std::move(model))
    , settings_(settings)
    , thread_([this] {
        result_ = RunSamples(model_, settings_, &control_);
        finished_.store(true, std::memory_order_release);
    }) {}

BackgroundRun::~BackgroundRun() {
    cancel();
    if (thread_.joinable())
        thread_.join();
}

} // namespace vt::probability
