// How a run cuts its samples into fixed blocks and shares the blocks out
// among its threads. The blocks are the same whatever the number of threads,
// so everything formed per block (and added in block order) gives the same
// bits on one thread as on many.
#pragma once

#include "probability/core/montecarlo.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <system_error>
#include <thread>
#include <vector>

namespace vt::probability {

// The samples of one block: first, first + 1, ..., last - 1.
struct BlockRange {
    std::uint64_t first = 0;
    std::uint64_t last = 0;
};

inline BlockRange RangeOf(std::uint64_t block, std::uint64_t samples) {
    const std::uint64_t first = block * kBlockSamples;
    return {first, std::min(samples, first + kBlockSamples)};
}

// How the samples are cut up and shared out.
struct Plan {
    std::uint64_t samples = 0;
    std::uint64_t blocks = 0;
    unsigned threads = 1;
};

inline Plan PlanOf(const RunSettings& settings) {
    Plan plan;
    plan.samples = settings.samples;
    plan.blocks = (plan.samples + kBlockSamples - 1) / kBlockSamples;
    const unsigned asked =
        settings.threads ? settings.threads : std::thread::hardware_concurrency();
    plan.threads = static_cast<unsigned>(
        std::clamp<std::uint64_t>(asked, 1, std::max<std::uint64_t>(plan.blocks, 1)));
    return plan;
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

} // namespace vt::probability
