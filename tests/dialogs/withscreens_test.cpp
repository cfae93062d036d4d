// The dialogs together with the program's own calculation screens.
#include "app/programstate.h"
#include "dialogs/frmfileopen.h"
#include "tests/dialogs/dialogtestsupport.h"
#include "tests/support/programtest.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWindow>
#include <gtest/gtest.h>

namespace vt::test {
namespace {

using WithScreens = ProgramTest;

TEST_F(WithScreens, KFromTheUcsListReachesAllThreeScreens) {
    QWidget* modelled = Windows().show(QStringLiteral("frmModelled"));
    ASSERT_NE(modelled, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(modelled));
    QTest::mouseClick(Child<QPushButton>(modelled, "cmdDetermineK"), Qt::LeftButton);
    QWidget* dialog = Windows().existing(QStringLiteral("frmMedianUCS"));
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));

    for (const char* reading : {"100", "140", "120", "160"}) {
        QTest::keyClicks(Child<QLineEdit>(dialog, "txtInputUCS"), QString::fromLatin1(reading));
        QTest::mouseClick(Child<QToolButton>(dialog, "cmdAddToList"), Qt::LeftButton);
    }
    QTest::mouseClick(Child<QPushButton>(dialog, "cmdCalculateK"), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>(dialog, "cmdAccept"), Qt::LeftButton);

    for (const char* name : {"frmModelled", "frmTributary", "frmInterpolate"}) {
        SCOPED_TRACE(name);
        QWidget* screen = Windows().existing(QString::fromLatin1(name));
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(Child<QComboBox>(screen, "cboK")->currentText(), QStringLiteral("43.33"));
        EXPECT_EQ(Child<QLineEdit>(screen, "txtFRK")->text(), QStringLiteral("43.33"));
    }
    EXPECT_FALSE(Windows().existing(QStringLiteral("frmTributary"))->isVisible());
    EXPECT_EQ(Windows().existing(QStringLiteral("frmMedianUCS")), nullptr);
}

TEST_F(WithScreens, TheDimensionsComeBackByAcceptAndByTheCloseBox) {
    enum class Leave { Accept, CloseBox };
    for (Leave leave : {Leave::Accept, Leave::CloseBox}) {
        SCOPED_TRACE(leave == Leave::Accept ? "Accept" : "close box");
        QWidget* tributary = Windows().show(QStringLiteral("frmTributary"));
        ASSERT_NE(tributary, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(tributary));
        auto* width = Child<QComboBox>(tributary, "cboPillarWidth1");
        width->setEditText(QStringLiteral("6"));
        Child<QComboBox>(tributary, "cboPillarLength")->setEditText(QStringLiteral("8"));
        auto* toggle = Child<QAbstractButton>(tributary, "chkGraphicToggle");
        QTest::mouseClick(toggle, Qt::LeftButton);
        ASSERT_TRUE(toggle->isChecked());
        EXPECT_FALSE(width->isEnabled());

        QPointer<QWidget> dialog = Windows().existing(QStringLiteral("frmRazuziRuridaDimensions"));
        ASSERT_FALSE(dialog.isNull());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        EXPECT_EQ(Child<QLineEdit>(dialog, "txtPillarWidth")->text(), QStringLiteral("6.9"));
        Child<QComboBox>(dialog, "cboPillarWidth1")->setEditText(QStringLiteral("5"));
        Child<QComboBox>(dialog, "cboBordWidth2")->setEditText(QStringLiteral("12"));

        if (leave == Leave::Accept)
            QTest::mouseClick(Child<QPushButton>(dialog, "cmdAccept"), Qt::LeftButton);
        else
            dialog->windowHandle()->close();

        EXPECT_FALSE(toggle->isChecked());
        EXPECT_TRUE(width->isEnabled());
        EXPECT_EQ(width->currentText(), QStringLiteral("5"));
        EXPECT_EQ(Child<QComboBox>(tributary, "cboBordWidth2")->currentText(),
                  QStringLiteral("12"));
        flushDeletes();
        EXPECT_TRUE(dialog.isNull());
        // Leaving the dialog opens no other screen.
        EXPECT_EQ(Windows().existing(QStringLiteral("frmModelled")), nullptr);
        CloseAllWindows();
        flushDeletes();
    }
}

TEST_F(WithScreens, AChosenFileLoadsIntoTheInterpolationScreen) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    {
        QFile good(folder.filePath("good.int"));
        ASSERT_TRUE(good.open(QIODevice::WriteOnly));
        good.write("5\t0\t7\t0\r\n100\t20\t100\t15\r\n200\t35\t200\t28\r\n");
        QFile odd(folder.filePath("odd.int"));
        ASSERT_TRUE(odd.open(QIODevice::WriteOnly));
        odd.write("5\t0\t7\r\n100\t20\t100\r\n");
    }
    auto* chooser = Windows().window<frmFileOpen>(QStringLiteral("frmFileOpen"));
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(ShowAndWait(chooser));
    ASSERT_TRUE(chooser->SetDirectory(folder.path()));
    auto* files = Child<QListWidget>(chooser, "File1");
    auto* acceptFile = Child<QPushButton>(chooser, "cmdFileOpen");
    auto pick = [files](const char* name) {
        const auto found = files->findItems(QString::fromLatin1(name), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                          files->visualItemRect(found.first()).center());
    };

    pick("good.int");
    QTest::mouseClick(acceptFile, Qt::LeftButton);
    EXPECT_TRUE(messages.shown.empty());
    QWidget* interpolate = Windows().existing(QStringLiteral("frmInterpolate"));
    ASSERT_NE(interpolate, nullptr);
    EXPECT_TRUE(interpolate->isVisible());
    EXPECT_FALSE(chooser->isVisible());
    EXPECT_EQ(Child<QComboBox>(interpolate, "cboPillarWidth1")->count(), 2);

    // A file of the wrong shape: reported, the screen reset, the program on.
    ASSERT_TRUE(ShowAndWait(chooser));
    pick("odd.int");
    QTest::mouseClick(acceptFile, Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(), (RecordedMessage{"Invalid file format", "Loading Error"}));
    EXPECT_EQ(endRequests, 0);
    EXPECT_TRUE(interpolate->isVisible());
    EXPECT_EQ(Child<QComboBox>(interpolate, "cboPillarWidth1")->count(), 0);
    EXPECT_TRUE(State().ModellingResults.FileName.empty());
}

} // namespace
} // namespace vt::test
