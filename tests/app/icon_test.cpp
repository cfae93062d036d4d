// The program's icon: the pillar in the middle, the bords round it.
#include "app/ui.h"

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

namespace vt {
namespace {

TEST(ProgramIcon, ShowsThePillarAtEverySize) {
    const QIcon icon = ProgramIcon();
    for (int size : {16, 32, 64, 128}) {
        const QImage image = icon.pixmap(size, size).toImage();
        ASSERT_EQ(image.size(), QSize(size, size));
        EXPECT_EQ(QColor(image.pixel(size / 2, size / 2)), kPlanBlue) << size;
        // Between the pillar and the cell lies the grey of the bords.
        EXPECT_EQ(QColor(image.pixel(size * 26 / 128, size / 2)), kLightGrey) << size;
    }
}

} // namespace
} // namespace vt
