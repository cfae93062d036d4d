// The about box: layout, texts, slideshow from picture 1 and closing.
#include "app/frmabout.h"
#include "tests/app/shelltestutil.h"
#include "tests/support/programtest.h"

#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

namespace vt::test {
namespace {

class AboutTest : public ProgramTest {
protected:
    QWidget* open() { return ShowAndExpose(QStringLiteral("frmAbout")); }
};

TEST_F(AboutTest, LayoutTextsFontsAndColours) {
    QWidget* about = open();
    EXPECT_EQ(about->windowTitle(), "Help About");
    EXPECT_EQ(about->size(), QSize(506, 512));
    EXPECT_EQ(about->minimumSize(), about->maximumSize());
    EXPECT_FALSE(about->windowFlags() & Qt::WindowMinMaxButtonsHint);
    EXPECT_FALSE(about->isModal());
    const QPoint offCentre =
        about->geometry().center() - about->screen()->availableGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 8); // within a window frame

    struct Control {
        const char* name;
        QRect place; // pixels, in the control's parent
        QString text;
        double points;
        bool bold;
        bool italic;
        QColor colour;
    };
    const QColor black(0, 0, 0);
    const QColor purple(128, 0, 128);
    const Control controls[] = {
        {"cmdOK", QRect(32, 456, 97, 31), "OK", 9, true, true, {}},
        {"cmdSysInfo", QRect(136, 456, 97, 31), "&System Info...", 9, true, true, {}},
        {"Frame1", QRect(8, 0, 489, 505), "", 8.25, false, false, {}},
        {"Label2", QRect(8, 16, 473, 37), "Vandrel Tessaron", 20.25, true, true, QColor(0, 0, 128)},
        {"Label1", QRect(24, 384, 129, 17), "", 12, true, false, black},
        {"Label7", QRect(24, 407, 233, 17), "", 9, true, false, black},
        {"Label5", QRect(24, 424, 257, 17), "", 9, true, false, black},
        {"lblWarning", QRect(264, 384, 217, 77), "", 8.25, false, false, QColor(128, 0, 0)},
        {"lblPlatform", QRect(304, 456, 173, 22), "Windows 95 - Vista", 14.25, true, false, purple},
        {"lblVersion", QRect(356, 480, 122, 18), "Version 1.2 BETA", 11.25, true, false, purple},
    };
    for (const auto& c : controls) {
        QWidget* w = about->findChild<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_NE(w, nullptr) << c.name;
        EXPECT_TRUE(w->isVisible()) << c.name;
        EXPECT_EQ(w->geometry(), c.place) << c.name;
        EXPECT_DOUBLE_EQ(w->font().pointSizeF(), c.points) << c.name;
        EXPECT_EQ(w->font().bold(), c.bold) << c.name;
        EXPECT_EQ(w->font().italic(), c.italic) << c.name;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (c.text.isEmpty()) {
                EXPECT_FALSE(label->text().isEmpty()) << c.name;
            } else {
                EXPECT_EQ(label->text(), c.text) << c.name;
            }
            EXPECT_EQ(label->palette().color(QPalette::WindowText), c.colour) << c.name;
            // Our own texts must be readable in full.
            if (!label->wordWrap()) {
                const int needed = label->fontMetrics().horizontalAdvance(label->text());
                EXPECT_LE(needed, label->contentsRect().width()) << c.name;
            } else {
                EXPECT_LE(label->heightForWidth(label->width()), label->height()) << c.name;
            }
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            EXPECT_EQ(button->text(), c.text) << c.name;
        }
    }
    auto* ok = about->findChild<QPushButton*>(QStringLiteral("cmdOK"));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(QApplication::focusWidget(), ok);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(),
              about->findChild<QPushButton*>(QStringLiteral("cmdSysInfo")));
    const QString contacts = about->findChild<QLabel*>(QStringLiteral("Label5"))->text();
    EXPECT_TRUE(contacts.contains(QStringLiteral("example"))) << contacts.toStdString();
}

TEST_F(AboutTest, OpeningSetsTheCounterToOneAndThePicturesCycleOneTwoThreeZero) {
    State().PictureCounter = 3;
    QWidget* about = open();
    EXPECT_EQ(State().PictureCounter, 1);
    auto* timer = about->findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 1000);

    EXPECT_EQ(VisiblePicture(about, 6), -1);
    for (int picture : {1, 2, 3, 0, 1, 2, 3, 0}) {
        Tick(about);
        EXPECT_EQ(VisiblePicture(about, 6), picture); // 4 and 5 never show
    }
}

TEST_F(AboutTest, ASecondRequestWhileOpenChangesNothingInTheCycle) {
    QWidget* about = open();
    Tick(about);
    Tick(about); // pictures 1, 2
    EXPECT_EQ(Windows().show(QStringLiteral("frmAbout")), about);
    EXPECT_EQ(State().PictureCounter, 3);
    EXPECT_EQ(VisiblePicture(about, 6), 2);
}

TEST_F(AboutTest, AReopenedBoxStartsAgainAtPictureOne) {
    QWidget* first = open();
    Tick(first);
    Tick(first);
    Windows().close(QStringLiteral("frmAbout"));
    flushDeletes();
    QWidget* second = open();
    EXPECT_EQ(VisiblePicture(second, 6), -1);
    Tick(second);
    EXPECT_EQ(VisiblePicture(second, 6), 1);
}

enum class CloseBy { OkButton, Enter, Escape, CloseBox };

class AboutCloseTest : public ProgramTest, public ::testing::WithParamInterface<CloseBy> {};

TEST_P(AboutCloseTest, ClosesAndDestroysTheBox) {
    QPointer<QWidget> about = ShowAndExpose(QStringLiteral("frmAbout"));
    QPointer<QTimer> timer = about->findChild<QTimer*>(QStringLiteral("Timer1"));
    switch (GetParam()) {
    case CloseBy::OkButton:
        QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        break;
    case CloseBy::Enter:
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        break;
    case CloseBy::Escape:
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        break;
    case CloseBy::CloseBox:
        about->close();
        break;
    }
    EXPECT_EQ(Windows().existing(QStringLiteral("frmAbout")), nullptr);
    flushDeletes();
    EXPECT_TRUE(about.isNull());
    EXPECT_TRUE(timer.isNull());
    EXPECT_EQ(endRequests, 0);
}

INSTANTIATE_TEST_SUITE_P(Ways, AboutCloseTest,
                         ::testing::Values(CloseBy::OkButton, CloseBy::Enter, CloseBy::Escape,
                                           CloseBy::CloseBox));

} // namespace
} // namespace vt::test
