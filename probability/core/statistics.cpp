#include "probability/core/statistics.h"

#include <algorithm>
#include <cmath>

namespace vt::probability {

namespace {

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

} // namespace vt::probability
