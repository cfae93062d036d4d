#include "app/ucsreadings.h"

#include "app/programstate.h"

namespace vt {

UcsReadingTexts UcsReadingsFor(const DesignSource* screen) {
    UcsReadingTexts ucs;
    if (const auto* dialog =
            Windows().existingIn<UcsReadingsSource>(WindowRole::UcsReadingsSource)) {
        ucs.readings = dialog->ucsReadings();
        ucs.downgrade = dialog->downgradePercentage();
        if (!ucs.readings.isEmpty())
            return ucs;
    }
    if (const auto* target = dynamic_cast<const StrengthConstantTarget*>(screen)) {
        const StrengthConstantSource k = target->strengthConstantSource();
        if (!k.typed())
            return {k.readings, k.downgrade};
    }
    return ucs;
}

} // namespace vt
