// The statistics of a run, from its tallies, its blocks' sums and the FOS of
// every sample: the mean and spread, the shares, the exact quantiles, the
// histogram's frame and its counts.
#pragma once

#include "probability/core/blockpool.h"
#include "probability/core/sampling.h"

#include <cstdint>
#include <vector>

namespace vt::probability {

// The mean, the standard deviation and the shares.
void Summarise(RunResult& r, const Tally& total, const std::vector<BlockSums>& sums,
               double reference);

// The second pass over the FOS: the 5 % quantile and the median (exact
// order statistics: the bucket of each rank from the tallies' counts, then a
// selection among the values in that bucket), the histogram's frame (about
// the middle 99.8 % of the values, with the marks at 1, 1.6 and `reference`)
// and its counts, on the plan's threads.
void Distribute(RunResult& r, const Plan& plan, const float* fos, const Tally& total,
                double reference);

} // namespace vt::probability
