// The sampling of a run: what it prepares from its model, the inputs each
// sample draws from its own streams, and the evaluation of one block of
// samples with its integer counts and its sums.
#pragma once

#include "probability/core/blockpool.h"
#include "probability/core/montecarlo.h"

#include <array>
#include <bit>
#include <cstdint>
#include <limits>
#include <vector>

namespace vt::probability {

inline constexpr std::size_t kStops = 7;   // NumericStop::None .. FactorOfSafety
inline constexpr std::size_t kFaults = 11; // engine::Fault::None .. Overflow
inline constexpr std::size_t kBuckets = 65536;
inline constexpr std::size_t kInputs =
    static_cast<std::size_t>(evaluation::Input::IncreaseRate) + 1;

// The bits of a float as an unsigned number in the float's order.
inline std::uint32_t OrderKey(float x) {
    const auto u = std::bit_cast<std::uint32_t>(x);
    return (u & 0x80000000u) ? ~u : (u | 0x80000000u);
}

inline float FromOrderKey(std::uint32_t key) {
    const std::uint32_t u = (key & 0x80000000u) ? (key & 0x7fffffffu) : ~key;
    return std::bit_cast<float>(u);
}

// The coarse bucket of a value: the top 16 bits of its key. The quantiles
// are found by counting the values per bucket and selecting among the few
// values of the bucket that holds the rank.
inline std::size_t BucketOf(float x) {
    return static_cast<std::size_t>(OrderKey(x) >> 16);
}

struct Varying {
    double evaluation::DesignNumbers::*member;
    unsigned slot;
    Distribution distribution;
};

struct Prepared {
    evaluation::DesignNumbers base;
    std::vector<Varying> varying;
    const results::ModellingResults* table = nullptr;
    std::uint64_t key = 0;
    std::uint64_t samples = 0;
    double reference = 0; // sums are formed about the FOS of the design itself
};

Prepared Prepare(const Model& model, const RunSettings& settings);

// The inputs of sample `sample`.
evaluation::DesignNumbers Draw(const Prepared& p, std::uint64_t sample);

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

    void add(const Tally& t);
};

// The sums of one block, about the reference, added up in block order.
struct BlockSums {
    double sum = 0;
    double squares = 0;
};

// Draws and evaluates the samples of one block: their FOS into fos (NaN for
// a sample without one), their counts (and the buckets of their FOS) into
// the thread's tally, their sums.
void EvaluateBlock(const Prepared& p, BlockRange range, float* fos, Tally& tally, BlockSums& sums);

// The samples without a finite FOS, in the result, by what stopped them.
void CountWithoutResult(RunResult& r, const Tally& total);

} // namespace vt::probability
