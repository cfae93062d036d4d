// The words for the samples of a run that gave no finite FOS.
#include "probability/core/montecarlo.h"

namespace vt::probability {

using evaluation::NumericStop;

QString StopReason(NumericStop stop, engine::Fault fault) {
    using evaluation::Operation;
    switch (stop) {
    case NumericStop::None:
        break;
    case NumericStop::Interpolation:
        if (fault == engine::Fault::None)
            return QStringLiteral("the pillar width or the depth lies outside the modelling "
                                  "results, or the stress found there is out of bounds");
        return QStringLiteral("the interpolated pillar stress is too large to use");
    case NumericStop::Extraction:
        return evaluation::FaultRefusal(fault, Operation::Extraction).message;
    case NumericStop::Stress:
        return evaluation::FaultRefusal(fault, Operation::TributaryStress).message;
    case NumericStop::EffectiveWidth:
        return evaluation::FaultRefusal(fault, Operation::EffectiveWidth).message;
    case NumericStop::Strength:
        return evaluation::FaultRefusal(fault, Operation::Strength).message;
    case NumericStop::FactorOfSafety:
        return evaluation::FaultRefusal(fault, Operation::FactorOfSafety).message;
    }
    return QStringLiteral("the factor of safety is not a finite number");
}

QString StopReason(const StopCount& count) {
    if (count.notPositive)
        return QStringLiteral("a drawn \"%1\" was not above 0")
            .arg(evaluation::Caption(*count.notPositive));
    return StopReason(count.stop, count.fault);
}

} // namespace vt::probability
