// Random numbers for the probability of failure, reproducible bit for bit:
// every input of every sample draws from its own counter-based stream, keyed
// by the seed, the sample's number and the input's slot. A sample therefore
// gets the same numbers whichever thread evaluates it and in whatever order,
// and an input keeps its numbers when another input's distribution changes.
//
// The streams are SplitMix64 sequences started at a hash of (seed, sample,
// slot); normal variates come from a 128-layer ziggurat, which takes one
// 64-bit draw in about 99 cases out of 100.
#pragma once

#include <array>
#include <cstdint>

namespace vt::probability {

// The SplitMix64 finaliser: a bijective mix of 64 bits.
constexpr std::uint64_t Mix64(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

inline constexpr std::uint64_t kGoldenGamma = 0x9e3779b97f4a7c15ULL;

// The draws of one input of one sample.
class SampleStream {
public:
    // `key` is StreamKey(seed); `slot` tells the inputs of a sample apart.
    SampleStream(std::uint64_t key, std::uint64_t sample, unsigned slot)
        : state_(key ^ Mix64((sample << 5) + slot + 1)) {}

    std::uint64_t next() {
        state_ += kGoldenGamma;
        return Mix64(state_);
    }
    // Uniform on [0, 1), 53 random bits.
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    // Uniform on (0, 1]: safe under a logarithm.
    double uniformPositive() { return 1.0 - uniform(); }
    // A standard normal variate.
    double normal();

private:
    std::uint64_t state_;
};

// The key of a seed's streams.
constexpr std::uint64_t StreamKey(std::uint64_t seed) {
    return Mix64(seed + kGoldenGamma);
}

// The ziggurat of the standard normal density f(x) = exp(-x^2 / 2) in 128
// layers of equal area: x[0] is the base strip's width (area V including the
// tail beyond x[1] = R), x[1] > x[2] > ... > x[128] = 0 the layers' edges;
// inner[i] = x[i + 1] / x[i] is the share of layer i that needs no test.
struct Ziggurat {
    static constexpr int kLayers = 128;
    static constexpr double kR = 3.442619855899;
    static constexpr double kV = 9.91256303526217e-3;
    std::array<double, kLayers + 1> x{};
    std::array<double, kLayers> inner{};
};

const Ziggurat& NormalZiggurat();

} // namespace vt::probability
