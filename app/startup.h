// What the program sets up once its QApplication exists and before it shows
// a window. main() and the test main() both call PrepareApplication(), so the
// tests see the program as a user does.
#pragma once

#include <QString>
#include <QStringList>

namespace vt {

// The face the windows use where the machine has no Arial. Its widths are
// Arial's, and the program carries its own copy, so the windows are laid out
// the same on every machine whatever its fonts, even where fontconfig would
// put a face of other widths (DejaVu Sans, say) in Arial's place.
inline const QString kBundledFamily = QStringLiteral("Liberation Sans");

// The resource paths of the bundled faces: regular, bold, italic, bold italic.
QStringList BundledFontFiles();

// Registers the bundled faces with the font database, replacing a copy of the
// same family that the machine may have; returns how many were registered
// (all four when the resources are intact). Calling it again changes nothing.
int RegisterFonts();

// Keeps Qt's process-wide pixmap cache empty. Qt 6.4 keeps the text key of
// every pixmap the cache has pushed out, and the style's keys hold the
// palette's serial number, which is new for every new window and every colour
// change: in long use that key table grows without bound. Without the cache
// the style paints directly.
void KeepPixmapCacheEmpty();

// RegisterFonts() and KeepPixmapCacheEmpty().
void PrepareApplication();

} // namespace vt
