// The checks that the monkey soak runs after every action: no non-finite
// number shown anywhere, every message box with a text and a title, and on
// each calculation screen every result either empty or exactly what the engine
// gives for the inputs shown now.
#pragma once

#include "screens/calculationscreen.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace vt::soak {

// True when the text holds "inf", "infinity" or "nan" as a number-like token
// (signs allowed, not inside a word: "information" and "Insufficient" pass).
bool HasNonFiniteToken(const QString& text);
// The text with every quoted typed text taken out: a message or label that
// names what the user typed ("The downgrade percentage "-nan" ...") shows it
// as typed, not as a number the program worked out.
QString WithoutQuotedTyped(const QString& text, const QSet<QString>& typed);

// Every text shown in the window (labels, boxes, combos, text areas, buttons)
// that holds a non-finite token; editable inputs are skipped (they show what
// was typed), and so are texts equal to something typed (their copies).
QStringList NonFiniteTexts(const QWidget* window, const QSet<QString>& typed);

// Every disagreement between a result field of the screen and the engine's
// value for the inputs the screen shows; `inUse` adds the check of the shared
// average pillar stress (only the screen in use owns it).
QStringList ResultDisagreements(const CalculationScreen* screen, bool inUse);

} // namespace vt::soak
