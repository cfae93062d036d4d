#include "probability/core/random.h"

#include <cmath>

namespace vt::probability {

namespace {

Ziggurat MakeZiggurat() {
    Ziggurat z;
    double f = std::exp(-0.5 * Ziggurat::kR * Ziggurat::kR);
    z.x[0] = Ziggurat::kV / f;
    z.x[1] = Ziggurat::kR;
    z.x[Ziggurat::kLayers] = 0.0;
    // Each layer i spans f(x[i]) .. f(x[i + 1]) with width x[i] and area V.
    for (int i = 2; i < Ziggurat::kLayers; ++i) {
        const auto at = static_cast<std::size_t>(i);
        z.x[at] = std::sqrt(-2.0 * std::log(Ziggurat::kV / z.x[at - 1] + f));
        f = std::exp(-0.5 * z.x[at] * z.x[at]);
    }
    for (std::size_t i = 0; i < Ziggurat::kLayers; ++i)
        z.inner[i] = z.x[i + 1] / z.x[i];
    return z;
}

// Beyond R: Marsaglia's exponential rejection for the tail.
double Tail(SampleStream& stream, bool negative) {
    double x = 0;
    double y = 0;
    do {
        x = -std::log(stream.uniformPositive()) / Ziggurat::kR;
        y = -std::log(stream.uniformPositive());
    } while (2.0 * y < x * x);
    return negative ? -(Ziggurat::kR + x) : Ziggurat::kR + x;
}

// A constant table, built once before main.
const Ziggurat kZiggurat = MakeZiggurat();

} // namespace

const Ziggurat& NormalZiggurat() {
    return kZiggurat;
}

double SampleStream::normal() {
    const Ziggurat& z = kZiggurat;
    for (;;) {
        const std::uint64_t bits = next();
        const auto layer = static_cast<std::size_t>(bits & 0x7f);
        // The top 53 bits give u in [-1, 1); the layer takes the low 7.
        const double u = static_cast<double>(bits >> 11) * 0x1.0p-52 - 1.0;
        if (std::fabs(u) < z.inner[layer])
            return u * z.x[layer];
        if (layer == 0)
            return Tail(*this, u < 0);
        const double x = u * z.x[layer];
        const double outer = std::exp(-0.5 * (z.x[layer] * z.x[layer] - x * x));
        const double inner = std::exp(-0.5 * (z.x[layer + 1] * z.x[layer + 1] - x * x));
        if (inner + uniform() * (outer - inner) < 1.0)
            return x;
    }
}

} // namespace vt::probability
