// The number of samples and the seed of a run, as typed.
#pragma once

#include "evaluation/numbers.h"
#include "evaluation/refusal.h"

#include <QString>
#include <cstdint>

namespace vt::probability {

// A whole number from 1 to kMaxSamples (the locale's thousands separator and
// spaces between the digits allowed), or why not.
evaluation::Step<std::uint64_t> ReadSamples(const QString& text,
                                            const evaluation::NumberLocale& locale);

// A whole number from 0 to 2^64 - 1, or why not.
evaluation::Step<std::uint64_t> ReadSeed(const QString& text,
                                         const evaluation::NumberLocale& locale);

} // namespace vt::probability
