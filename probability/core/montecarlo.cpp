#include "probability/core/montecarlo.h"

#include "probability/core/blockpool.h"
#include "probability/core/sampling.h"
#include "probability/core/statistics.h"

#include <memory>

namespace vt::probability {

RunResult RunSamples(const Model& model, const RunSettings& settings, RunControl* control,
                     std::vector<float>* fosOut) {
    const Prepared p = Prepare(model, settings);
    const Plan plan = PlanOf(settings);
    RunResult r;
    r.samples = plan.samples;
    // Every sample's FOS, written by the first pass before anything reads it
    // (left unset only when the run is cancelled).
    const std::unique_ptr<float[]> fos(new float[plan.samples]);
    std::vector<Tally> tallies(plan.threads);
    std::vector<BlockSums> sums(plan.blocks);
    ForEachBlock(plan.threads, plan.blocks, control, [&](std::uint64_t block, unsigned t) {
        const BlockRange range = RangeOf(block, plan.samples);
        EvaluateBlock(p, range, fos.get(), tallies[t], sums[block]);
        if (control)
            control->done.fetch_add(range.last - range.first, std::memory_order_relaxed);
    });
    if (control && control->cancel.load()) {
        r.cancelled = true;
        return r;
    }
    Tally total;
    for (const Tally& t : tallies)
        total.add(t);
    r.finite = total.finite;
    CountWithoutResult(r, total);
    if (r.finite > 0) {
        Summarise(r, total, sums, p.reference);
        Distribute(r, plan, fos.get(), total, p.reference);
    }
    if (fosOut)
        fosOut->assign(fos.get(), fos.get() + plan.samples);
    return r;
}

BackgroundRun::BackgroundRun(Model model, RunSettings settings)
    : model_(std::move(model))
    , settings_(settings)
    , thread_([this](std::stop_token stop) {
        // A stop request reaches the sampling threads as the run's cancel.
        const std::stop_callback cancel(
            stop, [this] { control_.cancel.store(true, std::memory_order_relaxed); });
        result_ = RunSamples(model_, settings_, &control_);
        finished_.store(true, std::memory_order_release);
    }) {}

} // namespace vt::probability
