// Designs the probability tests sample, as the screens would hold them.
#pragma once

#include "evaluation/design.h"
#include "evaluation/numbers.h"
#include "probability/core/montecarlo.h"
#include "tests/support/designs.h"

#include <QLocale>

namespace vt::probability::test {

using vt::test::TributaryNumbers;

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
