// The two dialogs as a user sees them, filled in. Set VT_SCREENSHOT_DIR to
// keep the pictures (docs/ucs-dialog.png, docs/dimensions-dialog.png).
#include "app/programstate.h"
#include "app/ui.h"
#include "dialogs/frmrazuziruridadimensions.h"
#include "tests/dialogs/dialogtestsupport.h"
#include "tests/support/programtest.h"

#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace vt::test {
namespace {

void Keep(const QPixmap& picture, const char* name) {
    const QString folder = qEnvironmentVariable("VT_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        EXPECT_TRUE(picture.save(QDir(folder).filePath(QString::fromLatin1(name))));
    }
}

using Screenshots = ProgramTest;

TEST_F(Screenshots, UcsDialogWithReadingsAndAResult) {
    QWidget* dialog = Windows().show(QStringLiteral("frmMedianUCS"));
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    auto* input = Child<QLineEdit>(dialog, "txtInputUCS");
    for (const char* reading : {"152", "138", "171", "145", "160"}) {
        QTest::keyClicks(input, QString::fromLatin1(reading));
        QTest::mouseClick(Child<QToolButton>(dialog, "cmdAddToList"), Qt::LeftButton);
    }
    QTest::mouseClick(Child<QPushButton>(dialog, "cmdCalculateK"), Qt::LeftButton);
    ASSERT_EQ(Child<QLineEdit>(dialog, "txtCalculatedK")->text(), QStringLiteral("50.66"));
    input->setFocus();

    const QPixmap picture = dialog->grab();
    EXPECT_EQ(picture.size(), dialog->size());
    Keep(picture, "ucs-dialog.png");
}

TEST_F(Screenshots, DimensionsDialogWithAPlan) {
    QWidget* dialog = Windows().show(QStringLiteral("frmRazuziRuridaDimensions"));
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    const std::pair<const char*, const char*> values[] = {{"cboPillarWidth1", "4"},
                                                          {"cboPillarLength", "10"},
                                                          {"cboBordWidth", "8"},
                                                          {"cboBordWidth2", "12"}};
    for (const auto& [name, text] : values)
        Child<QComboBox>(dialog, name)->setEditText(QString::fromLatin1(text));
    dialog->setFocus();

    const QPixmap picture = dialog->grab();
    auto* plan = Child<PillarPicture>(dialog, "picPillar");
    const QImage image = picture.toImage();
    const QPoint centre = plan->mapTo(dialog, plan->toPixels(50, 50).toPoint());
    EXPECT_EQ(image.pixelColor(centre), kPlanBlue);
    Keep(picture, "dimensions-dialog.png");
}

} // namespace
} // namespace vt::test
