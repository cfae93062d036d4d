#include "probability/core/sampling.h"

#include "probability/core/screendesign.h"

#include <algorithm>
#include <cmath>

namespace vt::probability {

using evaluation::DesignNumbers;
using evaluation::NumericEvaluation;
using evaluation::NumericStop;

namespace {

std::size_t FailureIndex(NumericStop stop, engine::Fault fault) {
    return static_cast<std::size_t>(stop) * kFaults + static_cast<std::size_t>(fault);
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

} // namespace

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

DesignNumbers Draw(const Prepared& p, std::uint64_t sample) {
    std::vector<double> values(p.varying.size());
    DrawValues(p, sample, values.data());
    DesignNumbers d = p.base;
    SetValues(p, values.data(), d);
    return d;
}

DesignNumbers SampleDesign(const Model& model, std::uint64_t seed, std::uint64_t sample) {
    RunSettings settings;
    settings.seed = seed;
    return Draw(Prepare(model, settings), sample);
}

void Tally::add(const Tally& t) {
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

} // namespace vt::probability
