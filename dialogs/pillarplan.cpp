#include "dialogs/pillarplan.h"

#include "engine/engine.h"
#include "results/core/modellingfile.h"

#include <cmath>

namespace vt {

PillarPlan PlanPillar(float w, float l, float b1, float b2) {
    PillarPlan plan;
    // The same numbers as the calculation screens' extraction.
    if (const auto extraction = engine::CalculatePercentageExtraction(w, l, b1, b2))
        plan.extraction = extraction.value();
    else
        return plan; // no cell area or out of range: nothing to draw either

    if (w < 0.0f || l < 0.0f || b1 < 0.0f || b2 < 0.0f)
        return plan;        // negative sizes have no plan
    const float f = w + b1; // cell width
    const float g = l + b2; // cell length
    if (!(f > 0.0f) || !(g > 0.0f))
        return plan;

    // The longer side of the cell spans 100 units.
    const double k = f > g ? 100.0 / static_cast<double>(f) : 100.0 / static_cast<double>(g);
    auto centred = [k](float across, float down) {
        const double width = static_cast<double>(across) * k;
        const double height = static_cast<double>(down) * k;
        PlanRect r;
        r.left = (100.0 - width) / 2.0;
        r.top = (100.0 - height) / 2.0;
        r.right = r.left + width;
        r.bottom = r.top + height;
        return r;
    };
    PillarShape shape;
    shape.scale = k;
    shape.cell = centred(f, g);
    shape.pillar = centred(w, l);
    if (!std::isfinite(shape.cell.width()) || !std::isfinite(shape.cell.height()))
        return plan;
    plan.shape = shape;
    return plan;
}

double ReadLeadingNumber(const QString& text) {
    return results::ParseLeadingNumber(text.toStdString());
}

} // namespace vt
