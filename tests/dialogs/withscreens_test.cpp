// The dialogs together with the program's own calculation screens.
#include "app/programstate.h"
#include "dialogs/frmfileopen.h"
#include "tests/dialogs/dialogtestsupport.h"
#include "tests/support/programtest.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
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

// The file's text reads the same in the chooser's preview and on the
// interpolation screen, whatever its encoding.
TEST_F(WithScreens, TheFileTextReadsTheSameInThePreviewAndOnTheScreen) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::pair<const char*, QByteArray> files[] = {
        {"latin1.int", "5 m\xB2\t0\t7\t0\r\n100\t20\t100\t15\r\n200\t35\t200\t28\r\n"},
        {"utf8.int", "5 m\xC2\xB2\t0\t7\t0\r\n100\t20\t100\t15\r\n200\t35\t200\t28\r\n"},
    };
    const QString expected =
        QStringLiteral("5 m\u00B2\t0\t7\t0\n100\t20\t100\t15\n200\t35\t200\t28\n");
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        QFile file(folder.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();

        QWidget* screen = Windows().show(QStringLiteral("frmInterpolate"));
        ASSERT_NE(screen, nullptr);
        auto* chooser = Windows().window<frmFileOpen>(QStringLiteral("frmFileOpen"));
        ASSERT_NE(chooser, nullptr);
        ASSERT_TRUE(ShowAndWait(chooser));
        ASSERT_TRUE(chooser->SetDirectory(folder.path()));
        auto* list = Child<QListWidget>(chooser, "File1");
        const auto found = list->findItems(QString::fromLatin1(name), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(found.first()).center());
        const QString preview =
            Child<QPlainTextEdit>(chooser, "txtFileOpenShowData")->toPlainText();
        QTest::mouseClick(Child<QPushButton>(chooser, "cmdFileOpen"), Qt::LeftButton);
        EXPECT_TRUE(messages.shown.empty());

        const QString shown = Child<QPlainTextEdit>(screen, "txtMainShowData")->toPlainText();
        EXPECT_EQ(preview.toStdString(), expected.toStdString());
        EXPECT_EQ(shown.toStdString(), expected.toStdString());
        EXPECT_EQ(Child<QComboBox>(screen, "cboPillarWidth1")->itemText(0), QStringLiteral("5"));
        CloseAllWindows();
        flushDeletes();
    }
}

} // namespace
} // namespace vt::test
