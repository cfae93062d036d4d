#include "app/startup.h"

#include <QPixmapCache>

namespace vt {

void KeepPixmapCacheEmpty() {
    QPixmapCache::clear();
    QPixmapCache::setCacheLimit(0);
}

void PrepareApplication() {
    KeepPixmapCacheEmpty();
}

} // namespace vt
