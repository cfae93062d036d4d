// The UCS readings a tool works with for a calculation screen: those of the
// UCS dialog while it holds any, else those the screen's K was derived from
// (none where K was typed). The dialog is reached by its part in the
// registry (WindowRole::UcsReadingsSource), never by a window's name.
#pragma once

#include "app/interfaces.h"

#include <QString>
#include <QStringList>

namespace vt {

struct UcsReadingTexts {
    QStringList readings; // as typed, in list order
    QString downgrade;    // the percentage, as typed
};

UcsReadingTexts UcsReadingsFor(const DesignSource* screen);

} // namespace vt
