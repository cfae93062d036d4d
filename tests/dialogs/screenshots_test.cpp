// The two dialogs as a user sees them, filled in. Set VT_SCREENSHOT_DIR to
// keep the pictures (docs/ucs-dialog.png, docs/dimensions-dialog.png).
#include "app/programstate.h"
#include "app/ui.h"
#include "dialogs/frmfileopen.h"
#include "dialogs/frmrazuziruridadimensions.h"
#include "tests/dialogs/dialogtestsupport.h"
#include "tests/support/programtest.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
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

TEST_F(Screenshots, FileChooserWithAPreview) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    {
        QFile file(folder.filePath("Results 12m bords.int"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("5\t0\t7\t0\t9\t0\r\n");
        for (int depth = 100; depth <= 1000; depth += 100)
            file.write(QStringLiteral("%1\t%2\t%1\t%3\t%1\t%4\r\n")
                           .arg(depth)
                           .arg(depth * 0.2)
                           .arg(depth * 0.15)
                           .arg(depth * 0.12)
                           .toLatin1());
    }
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("older runs")));
    auto* chooser = Windows().window<frmFileOpen>(QStringLiteral("frmFileOpen"));
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed((chooser->show(), chooser)));
    chooser->SetDriveRoots({QStringLiteral("/"), folder.path()});
    ASSERT_TRUE(chooser->SetDirectory(folder.path()));
    auto* files = Child<QListWidget>(chooser, "File1");
    ASSERT_EQ(files->count(), 1);
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(files->item(0)).center());
    EXPECT_TRUE(Child<QPlainTextEdit>(chooser, "txtFileOpenShowData")
                    ->toPlainText()
                    .startsWith(QStringLiteral("5\t0\t7")));
    Keep(chooser->grab(), "file-chooser.png");
}

} // namespace
} // namespace vt::test
