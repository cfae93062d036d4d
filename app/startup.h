// What the program sets up once its QApplication exists and before it shows
// a window. main() and the test main() both call PrepareApplication(), so the
// tests see the program as a user does.
#pragma once

namespace vt {

// Keeps Qt's process-wide pixmap cache empty. Qt 6.4 keeps the text key of
// every pixmap the cache has pushed out, and the style's keys hold the
// palette's serial number, which is new for every new window and every colour
// change: in long use that key table grows without bound. Without the cache
// the style paints directly.
void KeepPixmapCacheEmpty();

// All of the above.
void PrepareApplication();

} // namespace vt
