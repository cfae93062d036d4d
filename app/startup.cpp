#include "app/startup.h"

#include <QFontDatabase>
#include <QPixmapCache>

// The fonts live in this static library: their resources must be pulled in by
// name.
static void InitBundledFonts() {
    Q_INIT_RESOURCE(fonts);
}

namespace vt {

QStringList BundledFontFiles() {
    return {QStringLiteral(":/fonts/LiberationSans-Regular.ttf"),
            QStringLiteral(":/fonts/LiberationSans-Bold.ttf"),
            QStringLiteral(":/fonts/LiberationSans-Italic.ttf"),
            QStringLiteral(":/fonts/LiberationSans-BoldItalic.ttf")};
}

int RegisterFonts() {
    static const int registered = [] {
        InitBundledFonts();
        // The font database fills a family from the system when it is first
        // asked for it, and a face registered later replaces the system's face
        // of the same style. Asking first makes every bundled face win over a
        // system copy of the family (which may be an older version).
        (void)QFontDatabase::styles(kBundledFamily);
        int count = 0;
        for (const QString& file : BundledFontFiles())
            if (QFontDatabase::addApplicationFont(file) >= 0)
                ++count;
        return count;
    }();
    return registered;
}

void KeepPixmapCacheEmpty() {
    QPixmapCache::clear();
    QPixmapCache::setCacheLimit(0);
}

void PrepareApplication() {
    RegisterFonts();
    KeepPixmapCacheEmpty();
}

} // namespace vt
