// How the report looks on screen and on paper beyond its given layout: the
// two extra buttons in the gap between the outlines, the dialog centred with
// its frame, a long title shrunk to its box, the date without its arrow on
// paper, and the print preview.
#include "app/ui.h"
#include "dialogs/reportprinter.h"
#include "tests/report/reportsupport.h"
#include "tests/support/programtest.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QScreen>
#include <QWindow>
#include <functional>
#include <vector>

namespace vt::test {
namespace {

class PageLookTest : public ProgramTest {};

QRect Px(const QRect& twips) {
    return TwipsRect(twips.x(), twips.y(), twips.width(), twips.height());
}

QRect Outline(const char* name) {
    for (const frmPrint::Outline& o : frmPrint::outlines())
        if (QLatin1String(o.name) == QLatin1String(name))
            return Px(o.twips);
    ADD_FAILURE() << "no outline " << name;
    return {};
}

TEST_F(PageLookTest, SaveAndPreviewButtonsStandWholeInTheGapBesideTheOthers) {
    frmPrint* dialog = OpenReport(FilledRequest());
    ASSERT_NE(dialog, nullptr);
    const struct {
        const char* name;
        const char* caption;
        QRect twips;
    } added[] = {
        {"cmdPrintPreview", "Print preview", {6240, 5010, 2055, 615}},
        {"cmdSavePdf", "Save as PDF", {6240, 6870, 2055, 615}},
    };
    for (const auto& row : added) {
        SCOPED_TRACE(row.name);
        auto* button = Child<QPushButton>(dialog, row.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QString::fromLatin1(row.caption));
        EXPECT_EQ(button->geometry(), Px(row.twips));
        EXPECT_EQ(button->font().pointSizeF(), 11.25);
        EXPECT_TRUE(button->font().bold() && button->font().italic());
        EXPECT_TRUE(button->isVisible());
        EXPECT_FALSE(button->isDefault());
    }
    // The gap: right of Shape1, left of Shape4, below Shape3, above Shape6.
    const QRect gap(QPoint(Outline("Shape1").right() + 1, Outline("Shape3").bottom() + 1),
                    QPoint(Outline("Shape4").left() - 1, Outline("Shape6").top() - 1));
    const char* const all[] = {"cmdPrintPreview", "cmdPrint", "cmdCancelPrint", "cmdSavePdf"};
    for (std::size_t i = 0; i < std::size(all); ++i) {
        SCOPED_TRACE(all[i]);
        const QRect r = Child<QPushButton>(dialog, all[i])->geometry();
        EXPECT_TRUE(gap.contains(r)) << "outside the gap";
        if (i > 0) { // top to bottom in this order
            EXPECT_GT(r.top(), Child<QPushButton>(dialog, all[i - 1])->geometry().top());
        }
    }
    // The new buttons overlap nothing (the two given ones touch by a pixel).
    for (const char* name : {"cmdPrintPreview", "cmdSavePdf"})
        for (const char* other : all) {
            if (QLatin1String(name) == QLatin1String(other))
                continue;
            EXPECT_FALSE(Child<QPushButton>(dialog, name)
                             ->geometry()
                             .intersects(Child<QPushButton>(dialog, other)->geometry()))
                << name << " over " << other;
        }
    // Whole: the caption fits its button.
    for (const char* name : all) {
        auto* button = Child<QPushButton>(dialog, name);
        EXPECT_LT(QFontMetrics(button->font()).horizontalAdvance(button->text()),
                  button->width() - 8)
            << name;
    }
    // The keyboard reaches them in their order on the page.
    QStringList order;
    QWidget* w = Child<QWidget>(dialog, "DTPicker1");
    for (int i = 0; i < 4; ++i) {
        w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus || !w->isVisible() ||
               Child<QWidget>(dialog, "DTPicker1")->isAncestorOf(w))
            w = w->nextInFocusChain();
        order << w->objectName();
    }
    EXPECT_EQ(order, (QStringList{QStringLiteral("cmdPrintPreview"), QStringLiteral("cmdPrint"),
                                  QStringLiteral("cmdCancelPrint"), QStringLiteral("cmdSavePdf")}));
}

TEST(CentredFramePosition, CentresClientAndFrameTogether) {
    const QRect screen(0, 0, 1600, 1000);
    const struct {
        const char* name;
        QSize client;
        QMargins frame;
        QRect available;
        QPoint expected;
    } cases[] = {
        {"no frame", {792, 573}, {}, screen, {404, 213}},
        // A title bar of 30 and borders of 1: the frame is 794 x 604.
        {"title bar", {792, 573}, {1, 30, 1, 1}, screen, {403, 198}},
        {"second screen, panel on top",
         {792, 573},
         {1, 30, 1, 1},
         {1600, 40, 1920, 1040},
         {2163, 258}},
        {"larger than the screen keeps its title bar on it",
         {792, 573},
         {1, 30, 1, 1},
         {0, 0, 800, 600},
         {3, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QPoint at = CentredFramePosition(c.client, c.frame, c.available);
        EXPECT_EQ(at, c.expected);
        // Checked the other way: the frame's centre is the area's centre.
        const QRect frame(at, c.client.grownBy(c.frame));
        if (frame.width() <= c.available.width() && frame.height() <= c.available.height()) {
            EXPECT_LE(std::abs(frame.center().x() - c.available.center().x()), 1);
            EXPECT_LE(std::abs(frame.center().y() - c.available.center().y()), 1);
        }
    }
}

// Offscreen the frame is a few pixels all round; under a window manager (the
// report_tests_window_manager run) it has a title bar that the manager adds
// after the window is shown, and the dialog is centred again for it.
TEST_F(PageLookTest, TheDialogOpensWithItsFrameCentredOnTheScreen) {
    frmPrint* dialog = OpenReport(FilledRequest());
    ASSERT_NE(dialog, nullptr);
    ASSERT_NE(dialog->windowHandle(), nullptr);
    const QPoint centre = dialog->screen()->availableGeometry().center();
    auto offCentre = [&] {
        const QRect frame = dialog->frameGeometry();
        return std::max(std::abs(frame.center().x() - centre.x()),
                        std::abs(frame.center().y() - centre.y()));
    };
    QTRY_VERIFY_WITH_TIMEOUT(offCentre() <= 1, 3000);
    // The platform's frame is counted.
    EXPECT_EQ(dialog->frameGeometry().size(),
              dialog->size().grownBy(dialog->windowHandle()->frameMargins()));
    EXPECT_LE(offCentre(), 1) << "frame " << dialog->frameGeometry().x() << ","
                              << dialog->frameGeometry().y();
    if (dialog->windowHandle()->frameMargins().top() > 10) {
        // A title bar: the client area alone is not what is centred.
        EXPECT_GT(std::abs(dialog->geometry().center().y() - centre.y()), 2);
    }
}

TEST(FittingPointSize, TheBoxsOwnSizeUntilTheTextNoLongerFits) {
    const QFont title = ArialFont(15.75);
    const int room = 600;
    const QString shortTitle = QStringLiteral("North block");
    QString fitsAt12;
    while (QFontMetricsF(ArialFont(15.75)).horizontalAdvance(fitsAt12) < room * 1.2)
        fitsAt12 += QStringLiteral("Pillar ");
    const QString endless = QString(400, QLatin1Char('W'));
    EXPECT_EQ(FittingPointSize(title, QString(), room, 6), 15.75);
    EXPECT_EQ(FittingPointSize(title, shortTitle, room, 6), 15.75);
    EXPECT_EQ(FittingPointSize(title, endless, room, 6), 6);
    const double shrunk = FittingPointSize(title, fitsAt12, room, 6);
    EXPECT_LT(shrunk, 15.75);
    EXPECT_GT(shrunk, 6);
    EXPECT_EQ(std::fmod(shrunk * 4, 1.0), 0.0); // quarter points
    // It fits at that size, and would not a quarter point larger.
    QFont at = title;
    at.setPointSizeF(shrunk);
    EXPECT_LE(QFontMetricsF(at).horizontalAdvance(fitsAt12), room);
    at.setPointSizeF(shrunk + 0.25);
    EXPECT_GT(QFontMetricsF(at).horizontalAdvance(fitsAt12), room);
}

// Columns of the image that hold ink, inside a rectangle.
QPair<int, int> InkColumns(const QImage& image, const QRect& area) {
    int first = -1;
    int last = -1;
    for (int x = area.left(); x <= area.right(); ++x)
        for (int y = area.top(); y <= area.bottom(); ++y)
            if (qGray(image.pixel(x, y)) < 128) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
    return {first, last};
}

TEST_F(PageLookTest, ALongTitleShrinksOnScreenAndShowsWholeInItsBox) {
    frmPrint* dialog = OpenReport(FilledRequest());
    ASSERT_NE(dialog, nullptr);
    auto* title = Child<QLineEdit>(dialog, "txtTitle");
    auto* originator = Child<QLineEdit>(dialog, "txtOriginator");
    const QString longTitle = QStringLiteral(
        "Pillar layout for the northern block between the main shafts, levels 12 to 14, revised");
    title->setFocus();
    QTest::keyClicks(title, longTitle);
    originator->setFocus();
    QTest::keyClicks(originator, QStringLiteral("Rock engineering department, northern mines"));
    EXPECT_LT(title->font().pointSizeF(), 15.75);
    EXPECT_LT(originator->font().pointSizeF(), 12);
    EXPECT_EQ(title->text(), longTitle); // nothing is cut from the text itself
    // On screen, with the focus elsewhere, the ink lies inside the box with
    // room at both ends: the whole title shows.
    Child<QPushButton>(dialog, "cmdPrint")->setFocus();
    for (QLineEdit* box : {title, originator}) {
        SCOPED_TRACE(box->objectName().toStdString());
        const QImage image = box->grab().toImage();
        const auto [first, last] = InkColumns(image, image.rect().adjusted(2, 2, -3, -3));
        EXPECT_GT(first, 3);
        EXPECT_LT(last, image.width() - 4);
        EXPECT_EQ(box->cursorPosition(), 0);
    }
    // Deleting the text gives the box its own size back.
    title->setFocus();
    title->selectAll();
    QTest::keyClick(title, Qt::Key_Delete);
    EXPECT_EQ(title->font().pointSizeF(), 15.75);
    EXPECT_EQ(title->font().family(), ArialFont(15.75).family());
}

TEST_F(PageLookTest, TheDatePrintsWithoutItsDropDownArrow) {
    frmPrint* dialog = OpenReport(FilledRequest());
    ASSERT_NE(dialog, nullptr);
    auto* date = Child<QDateEdit>(dialog, "DTPicker1");
    // The right end of the picker, where its arrow is drawn.
    const QRect picker(date->mapTo(dialog, QPoint(0, 0)), date->size());
    const QRect arrowEnd(picker.right() - 20, picker.top() + 3, 17, picker.height() - 6);
    auto dark = [&](const QImage& image) {
        int n = 0;
        for (int y = arrowEnd.top(); y <= arrowEnd.bottom(); ++y)
            for (int x = arrowEnd.left(); x <= arrowEnd.right(); ++x)
                n += qGray(image.pixel(x, y)) < 160;
        return n;
    };
    const QImage screen = dialog->grab().toImage();
    const QImage paper = ReportPageImage(dialog->page());
    EXPECT_GT(dark(screen), 3); // the arrow on screen
    EXPECT_EQ(dark(paper), 0);
    // The date itself is on paper, and the picker is as it was afterwards.
    const QPair<int, int> ink = InkColumns(paper, picker.adjusted(3, 3, -3, -3));
    EXPECT_GT(ink.first, picker.left() + 20);
    EXPECT_TRUE(date->calendarPopup());
    EXPECT_NE(date->buttonSymbols(), QAbstractSpinBox::NoButtons);
}

// The page drawn for paper is the dialog tidied for paper, pixel for pixel
// but for the shades of the boxes' frame lines, which the style draws a little
// differently off screen; no text is selected on it.
TEST_F(PageLookTest, ThePageIsTheTidiedDialog) {
    frmPrint* dialog = OpenReport(FilledRequest());
    ASSERT_NE(dialog, nullptr);
    QTest::keyClicks(Child<QLineEdit>(dialog, "txtTitle"), QStringLiteral("Same page"));
    Child<QPushButton>(dialog, "cmdPrint")->setFocus();
    const QImage page = ReportPageImage(dialog->page());
    EXPECT_EQ(page.size(), dialog->size());
    // Tidy by hand as "Print hardcopy" does and compare with a grab.
    for (const char* name : {"cmdCancelPrint", "cmdPrint", "cmdSavePdf", "cmdPrintPreview"})
        Child<QPushButton>(dialog, name)->hide();
    Child<QGroupBox>(dialog, "fraTitle")->setTitle(QString());
    for (const char* name : {"txtTitle", "txtComment1", "txtComment2", "txtOriginator"})
        Child<QLineEdit>(dialog, name)->setFrame(false);
    auto* date = Child<QDateEdit>(dialog, "DTPicker1");
    date->setCalendarPopup(false);
    date->setButtonSymbols(QAbstractSpinBox::NoButtons);
    dialog->setFocus();
    const QImage grabbed = dialog->grab().toImage().convertToFormat(page.format());
    int differing = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            differing += std::abs(qGray(page.pixel(x, y)) - qGray(grabbed.pixel(x, y))) > 96;
    EXPECT_LE(differing, page.width() * page.height() / 1000) << differing << " pixels differ";
}

TEST_F(PageLookTest, PrintPreviewShowsTheOnePageAndTheDialogStaysOpen) {
    frmPrint* dialog = OpenReport(FilledRequest());
    ASSERT_NE(dialog, nullptr);
    QTest::keyClicks(Child<QLineEdit>(dialog, "txtTitle"), QStringLiteral("Previewed"));
    dialog->setOutput(ReportOutput{}); // the real preview; no printer is used
    QTest::mouseClick(Child<QPushButton>(dialog, "cmdPrintPreview"), Qt::LeftButton);
    auto* preview = dialog->findChild<QDialog*>(QStringLiteral("dlgPrintPreview"));
    ASSERT_NE(preview, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preview));
    EXPECT_EQ(preview->windowTitle(), QStringLiteral("Print preview"));
    EXPECT_EQ(preview->windowModality(), Qt::WindowModal); // only the report waits
    auto* page = preview->findChild<QPrintPreviewWidget*>(QStringLiteral("previewPage"));
    ASSERT_NE(page, nullptr);
    QTRY_COMPARE(page->pageCount(), 1);
    // While the preview is open the dialog is itself again.
    EXPECT_TRUE(Child<QPushButton>(dialog, "cmdPrint")->isVisible());
    EXPECT_EQ(Child<QGroupBox>(dialog, "fraTitle")->title(), QStringLiteral("Title"));
    QPointer<QDialog> guard(preview);
    QTest::mouseClick(preview->findChild<QPushButton*>(QStringLiteral("cmdClosePreview")),
                      Qt::LeftButton);
    flushDeletes();
    EXPECT_TRUE(guard.isNull());
    EXPECT_EQ(ReportDialog(), dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Child<QLineEdit>(dialog, "txtTitle")->text(), QStringLiteral("Previewed"));
    EXPECT_TRUE(messages.shown.empty());
}

// The preview zooms the page (drawn as vectors) and prints it through the
// report's own Print: the preview goes, the report prints its page and closes.
TEST_F(PageLookTest, PrintPreviewZoomsAndPrintsThroughTheReport) {
    frmPrint* dialog = OpenReport(FilledRequest());
    ASSERT_NE(dialog, nullptr);
    ReportOutput output;
    std::vector<QString> printed;
    output.findPrinter = [] { return QStringLiteral("Office"); };
    output.print = [&](const ReportPage& page, const QString& printer) {
        printed.push_back(printer);
        EXPECT_EQ(page.size, dialog->size());
        return PrintResult{true, {}};
    };
    dialog->setOutput(output);
    QTest::mouseClick(Child<QPushButton>(dialog, "cmdPrintPreview"), Qt::LeftButton);
    auto* preview = dialog->findChild<QDialog*>(QStringLiteral("dlgPrintPreview"));
    ASSERT_NE(preview, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preview));
    auto* page = preview->findChild<QPrintPreviewWidget*>(QStringLiteral("previewPage"));
    ASSERT_NE(page, nullptr);
    QTRY_COMPARE(page->pageCount(), 1);
    const auto click = [preview](const char* name) {
        auto* button = preview->findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    };
    const qreal fitted = page->zoomFactor();
    click("cmdZoomIn");
    EXPECT_GT(page->zoomFactor(), fitted);
    EXPECT_EQ(page->zoomMode(), QPrintPreviewWidget::CustomZoom);
    click("cmdZoomOut");
    click("cmdZoomOut");
    EXPECT_LT(page->zoomFactor(), fitted);
    click("cmdPageWidth");
    EXPECT_EQ(page->zoomMode(), QPrintPreviewWidget::FitToWidth);
    click("cmdWholePage");
    EXPECT_EQ(page->zoomMode(), QPrintPreviewWidget::FitInView);
    EXPECT_TRUE(printed.empty());
    QPointer<QDialog> previewGuard(preview);
    QPointer<frmPrint> dialogGuard(dialog);
    click("cmdPrintFromPreview");
    QTRY_COMPARE(printed.size(), std::size_t{1});
    EXPECT_EQ(printed[0], QStringLiteral("Office"));
    flushDeletes();
    EXPECT_TRUE(previewGuard.isNull());
    EXPECT_TRUE(dialogGuard.isNull()); // printed: the report is done
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PageLookTest, PreviewAndSaveGetThePageAndLeaveTheDialogOpen) {
    frmPrint* dialog = OpenReport(FilledRequest());
    ASSERT_NE(dialog, nullptr);
    int previews = 0;
    int chooserCalls = 0;
    QImage previewed;
    ReportOutput output;
    output.preview = [&](QWidget* parent, const ReportPage& page, const std::function<void()>&) {
        ++previews;
        EXPECT_EQ(parent, dialog);
        previewed = ReportPageImage(page);
    };
    fileDialogs.answer = [&](const FileQuestion&) {
        ++chooserCalls;
        EXPECT_EQ(fileDialogs.parents.back(), dialog);
        return FileAnswer{};
    };
    output.print = [](const ReportPage&, const QString&) {
        ADD_FAILURE() << "nothing is printed";
        return PrintResult{};
    };
    dialog->setOutput(output);
    QTest::mouseClick(Child<QPushButton>(dialog, "cmdPrintPreview"), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>(dialog, "cmdSavePdf"), Qt::LeftButton);
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(chooserCalls, 1);
    EXPECT_EQ(previewed.size(), dialog->size());
    flushDeletes();
    EXPECT_EQ(ReportDialog(), dialog);
    for (const char* name : {"cmdPrint", "cmdCancelPrint", "cmdSavePdf", "cmdPrintPreview"})
        EXPECT_TRUE(Child<QPushButton>(dialog, name)->isVisible()) << name;
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
} // namespace vt::test
