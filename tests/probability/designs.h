// Designs the probability tests sample, as the screens would hold them.
#pragma once

#include "evaluation/design.h"
#include "evaluation/numbers.h"
#include "probability/core/montecarlo.h"

#include <QLocale>

namespace vt::probability::test {

// Tributary theory: pillar 10 x 10 between 12 m bords, density 2.7, depth
// 500, K 100, height 5: W:H 2 on the power formula, FOS 1.475 (shown 1.5).
inline evaluation::DesignNumbers TributaryDesign(double k = 100, double height = 5) {
    evaluation::DesignNumbers d;
    d.method = evaluation::Method::Tributary;
    d.density = 2.7;
    d.depth = 500;
    d.width = 10;
    d.length = 10;
    d.k = k;
    d.height = height;
    return d;
}

inline const evaluation::NumberLocale& English() {
    static const evaluation::NumberLocale kLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    return kLocale;
}
inline const evaluation::NumberLocale& German() {
    static const evaluation::NumberLocale kLocale(QLocale(QLocale::German, QLocale::Germany));
    return kLocale;
}

inline Model ModelOf(const evaluation::DesignNumbers& design, std::vector<UncertainInput> inputs) {
    Model m;
    m.base = design;
    m.inputs = std::move(inputs);
    return m;
}

inline RunSettings Settings(std::uint64_t samples, std::uint64_t seed, unsigned threads = 0) {
    RunSettings s;
    s.samples = samples;
    s.seed = seed;
    s.threads = threads;
    return s;
}

} // namespace vt::probability::test
