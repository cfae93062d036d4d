// The report dialog as the user sees it: its page layout, how a request fills
// it, and what survives a second request, a cancel and a print.
#include "app/ui.h"
#include "tests/report/reportsupport.h"
#include "tests/support/programtest.h"

#include <QApplication>
#include <QDate>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace vt::test {
namespace {

class ReportDialogTest : public ProgramTest {};

QRect Px(int left, int top, int width, int height) {
    return TwipsRect(left, top, width, height);
}

TEST_F(ReportDialogTest, WindowIsAWhiteFixedDialogOfTheClientSize) {
    frmPrint* dialog = OpenReport(FilledRequest());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Print a hardcopy of results"));
    EXPECT_EQ(dialog->size(), QSize(792, 573)); // 11880 x 8595 twips
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->palette().color(QPalette::Window), QColor(255, 255, 255));
    EXPECT_EQ(dialog->font().pointSizeF(), 8.25);
    const QPoint screenCentre = dialog->screen()->availableGeometry().center();
    EXPECT_LE((dialog->frameGeometry().center() - screenCentre).manhattanLength(), 4);
}

struct FrameRow {
    const char* box;
    const char* caption;
    QRect frame; // pixels
    double captionPoints;
};

// Frames of the value boxes, the title, originator and date.
const FrameRow kFrames[] = {
    {"txtTitle", "Title", Px(720, 120, 10575, 1095), 18},
    {"txtOriginator", "Originator", Px(1320, 1200, 3735, 855), 14.25},
    {"DTPicker1", "Date of assessment", Px(6960, 1200, 3735, 855), 14.25},
    {"txtPillarWidth", "Pillar width (m)", Px(960, 2280, 2415, 735), 12},
    {"txtPillarLength", "Pillar length (m)", Px(960, 3120, 2415, 735), 12},
    {"txtPillarHeigtht", "Pillar height (m)", Px(960, 3960, 2415, 735), 12},
    {"txtBordWidth1", "Bord width 1 (m)", Px(4800, 2640, 2415, 735), 12},
    {"txtBordWidth2", "Bord width 2 (m)", Px(4800, 3480, 2415, 735), 12},
    {"txtPercentageExtraction", "% Extraction", Px(960, 5040, 2415, 735), 12},
    {"txtWHratio", "W:H-ratio", Px(3480, 5040, 2415, 735), 12},
    {"txtPillarStress", "Pillar stress (MPa)", Px(960, 5880, 2415, 735), 12},
    {"txtPillarStrength", "Pillar strength (MPa)", Px(3480, 5880, 2415, 735), 12},
    {"txtFOS", "Factor of Safety", Px(2280, 6720, 2415, 735), 12},
    {"txtDepth", "Depth (m)", Px(8640, 2520, 2415, 735), 12},
    {"txtK", "K (MPa)", Px(8640, 3360, 2415, 735), 12},
    {"txtAlpha", "Alpha", Px(8640, 4200, 2415, 735), 12},
    {"txtBeta", "Beta", Px(8640, 5040, 2415, 735), 12},
    {"txtSquat", "Start squat pillar", Px(8640, 5880, 2415, 735), 12},
    {"txtStrengthIncrease", "Strength incr. rate", Px(8640, 6720, 2415, 735), 12},
};

TEST_F(ReportDialogTest, EveryFieldSitsInItsCaptionedWhiteFrame) {
    frmPrint* dialog = OpenReport(FilledRequest());
    ASSERT_NE(dialog, nullptr);
    for (const FrameRow& row : kFrames) {
        SCOPED_TRACE(row.box);
        QWidget* field = Child<QWidget>(dialog, row.box);
        ASSERT_NE(field, nullptr);
        auto* frame = qobject_cast<QGroupBox*>(field->parentWidget());
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->parentWidget(), dialog);
        EXPECT_EQ(frame->title(), QString::fromUtf8(row.caption));
        EXPECT_EQ(frame->geometry(), row.frame);
        EXPECT_EQ(frame->font().pointSizeF(), row.captionPoints);
        EXPECT_TRUE(frame->font().bold());
        EXPECT_EQ(Background(frame), QColor(255, 255, 255));
        EXPECT_TRUE(field->isVisible());
    }
}

struct BoxRow {
    const char* name;
    QRect geometry; // pixels, inside the frame or the dialog
    double points;
    bool editable;
};

const BoxRow kBoxes[] = {
    {"txtTitle", Px(120, 480, 10335, 405), 15.75, true},
    {"txtOriginator", Px(120, 360, 3495, 375), 12, true},
    {"txtPillarWidth", Px(120, 360, 2175, 330), 11.25, false},
    {"txtFOS", Px(120, 360, 2175, 330), 11.25, false},
    {"txtStrengthIncrease", Px(120, 360, 2175, 330), 11.25, false},
    {"txtComment1", Px(960, 7800, 9975, 375), 11.25, false},
    {"txtComment2", Px(960, 8160, 9975, 375), 11.25, false},
};

TEST_F(ReportDialogTest, TextBoxesAreCentredAndOnlyTitleAndOriginatorTakeTyping) {
    frmPrint* dialog = OpenReport(FilledRequest());
    ASSERT_NE(dialog, nullptr);
    for (const BoxRow& row : kBoxes) {
        SCOPED_TRACE(row.name);
        auto* box = Child<QLineEdit>(dialog, row.name);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->geometry(), row.geometry);
        EXPECT_EQ(box->font().pointSizeF(), row.points);
        EXPECT_EQ(box->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
        EXPECT_TRUE(box->hasFrame());
        EXPECT_EQ(Background(box), QColor(255, 255, 255));
        const QString before = box->text();
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("Xy"));
        EXPECT_EQ(box->text() == before + QStringLiteral("Xy"), row.editable);
    }
    for (const char* name : frmPrint::valueBoxNames())
        EXPECT_TRUE(Child<QLineEdit>(dialog, name)->isReadOnly()) << name;
}

TEST_F(ReportDialogTest, ButtonsAndDatePicker) {
    frmPrint* dialog = OpenReport(FilledRequest());
    ASSERT_NE(dialog, nullptr);
    struct {
        const char* name;
        const char* caption;
        QRect geometry;
    } const buttons[] = {
        {"cmdPrint", "Print hardcopy", Px(6240, 5640, 2055, 615)},
        {"cmdCancelPrint", "Cancel print", Px(6240, 6240, 2055, 615)},
    };
    for (const auto& row : buttons) {
        auto* button = Child<QPushButton>(dialog, row.name);
        ASSERT_NE(button, nullptr) << row.name;
        EXPECT_EQ(button->text(), QString::fromLatin1(row.caption));
        EXPECT_EQ(button->geometry(), row.geometry);
        EXPECT_EQ(button->font().pointSizeF(), 11.25);
        EXPECT_TRUE(button->font().bold() && button->font().italic());
        EXPECT_TRUE(button->isVisible());
    }
    auto* date = Child<QDateEdit>(dialog, "DTPicker1");
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->geometry(), Px(120, 360, 3495, 375));
    EXPECT_EQ(date->font().pointSizeF(), 12);
    EXPECT_TRUE(date->calendarPopup());
    EXPECT_EQ(date->date(), QDate::currentDate());
}

TEST_F(ReportDialogTest, EnterInTheTitleDoesNotPrint) {
    frmPrint* dialog = OpenReport(FilledRequest());
    ASSERT_NE(dialog, nullptr);
    PrintedPage page;
    dialog->setOutput(RecordingOutput(dialog, page));
    auto* title = Child<QLineEdit>(dialog, "txtTitle");
    title->setFocus();
    QTest::keyClicks(title, QStringLiteral("Shaft pillar"));
    QTest::keyClick(title, Qt::Key_Return);
    EXPECT_EQ(page.calls, 0);
    EXPECT_EQ(ReportDialog(), dialog);
}

TEST_F(ReportDialogTest, EnterOnTheFocusedPrintButtonPrints) {
    frmPrint* dialog = OpenReport(FilledRequest());
    ASSERT_NE(dialog, nullptr);
    PrintedPage page;
    dialog->setOutput(RecordingOutput(dialog, page));
    auto* print = Child<QPushButton>(dialog, "cmdPrint");
    print->setFocus();
    QTest::keyClick(print, Qt::Key_Return);
    EXPECT_EQ(page.calls, 1);
}

TEST_F(ReportDialogTest, OutlinesAreDrawnRoundTheGroupsWithoutFill) {
    frmPrint* dialog = OpenReport(FilledRequest());
    ASSERT_NE(dialog, nullptr);
    const QImage image = dialog->grab().toImage();
    struct {
        const char* name;
        QRect twips;
    } const shapes[] = {
        {"Shape2", {720, 2160, 2895, 2655}}, {"Shape3", {4560, 2520, 2895, 1815}},
        {"Shape1", {720, 4920, 5415, 2655}}, {"Shape4", {8400, 2400, 2895, 5175}},
        {"Shape6", {720, 7680, 10575, 910}},
    };
    auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
    for (const auto& shape : shapes) {
        SCOPED_TRACE(shape.name);
        const QRect r =
            Px(shape.twips.x(), shape.twips.y(), shape.twips.width(), shape.twips.height());
        const int midX = r.center().x();
        const int midY = r.center().y();
        EXPECT_TRUE(dark(midX, r.top()));
        EXPECT_TRUE(dark(midX, r.bottom()));
        EXPECT_TRUE(dark(r.left(), midY));
        EXPECT_TRUE(dark(r.right(), midY));
        // Rounded: the very corner stays white, the inside is not filled.
        EXPECT_FALSE(dark(r.left(), r.top()));
        EXPECT_FALSE(dark(r.left() + 4, midY));
    }
}

// The boxes that receive the sixteen values, in the request's order.
const char* const kValueBoxes[16] = {
    "txtPillarWidth",
    "txtPillarLength",
    "txtPillarHeigtht",
    "txtBordWidth1",
    "txtBordWidth2",
    "txtDepth",
    "txtK",
    "txtAlpha",
    "txtBeta",
    "txtSquat",
    "txtStrengthIncrease",
    "txtPercentageExtraction",
    "txtWHratio",
    "txtPillarStress",
    "txtPillarStrength",
    "txtFOS",
};

TEST_F(ReportDialogTest, RequestFillsTheSixteenValuesAndBothComments) {
    const ReportRequest request = FilledRequest();
    frmPrint* dialog = OpenReport(request);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(Child<QLineEdit>(dialog, kValueBoxes[i])->text(), request.values[i])
            << kValueBoxes[i];
    EXPECT_EQ(Child<QLineEdit>(dialog, "txtComment1")->text(), request.comment);
    EXPECT_EQ(Child<QLineEdit>(dialog, "txtComment2")->text(), kTributarySentence);
    EXPECT_TRUE(Child<QLineEdit>(dialog, "txtTitle")->text().isEmpty());
    EXPECT_TRUE(Child<QLineEdit>(dialog, "txtOriginator")->text().isEmpty());
}

TEST_F(ReportDialogTest, MissingResultsShowAsEmptyFields) {
    struct {
        const char* name;
        QStringList values;
    } const cases[] = {
        {"all empty", QStringList(16, QString())},
        {"results not yet calculated",
         {"9", "11", "", "12", "12", "450", "", "0.5", "0.75", "4.5", "4.5", "", "", "", "", ""}},
        {"short list", {"9", "11"}},
        {"no list", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReportRequest request;
        request.values = c.values;
        frmPrint* dialog = OpenReport(request);
        ASSERT_NE(dialog, nullptr);
        for (int i = 0; i < 16; ++i) {
            const QString expected = i < c.values.size() ? c.values[i] : QString();
            EXPECT_EQ(Child<QLineEdit>(dialog, kValueBoxes[i])->text(), expected) << i;
        }
        EXPECT_TRUE(Child<QLineEdit>(dialog, "txtComment1")->text().isEmpty());
        dialog->close();
        flushDeletes();
    }
}

TEST_F(ReportDialogTest, SecondRequestRefillsButKeepsTitleOriginatorAndDate) {
    frmPrint* first = OpenReport(FilledRequest());
    ASSERT_NE(first, nullptr);
    QTest::keyClicks(Child<QLineEdit>(first, "txtTitle"), QStringLiteral("North block"));
    QTest::keyClicks(Child<QLineEdit>(first, "txtOriginator"), QStringLiteral("Rock engineering"));
    const QDate chosen(2024, 2, 29);
    Child<QDateEdit>(first, "DTPicker1")->setDate(chosen);

    ReportRequest second = FilledRequest();
    second.values[0] = QStringLiteral("10");
    second.values[15] = QString();
    second.comment = QStringLiteral("The Squat Pillar formula was used");
    second.stressSource = kModelledSentence;
    RequestReport(second);

    EXPECT_EQ(ReportDialog(), first);
    EXPECT_EQ(Child<QLineEdit>(first, "txtTitle")->text(), QStringLiteral("North block"));
    EXPECT_EQ(Child<QLineEdit>(first, "txtOriginator")->text(), QStringLiteral("Rock engineering"));
    EXPECT_EQ(Child<QDateEdit>(first, "DTPicker1")->date(), chosen);
    EXPECT_EQ(Child<QLineEdit>(first, "txtPillarWidth")->text(), QStringLiteral("10"));
    EXPECT_TRUE(Child<QLineEdit>(first, "txtFOS")->text().isEmpty());
    EXPECT_EQ(Child<QLineEdit>(first, "txtComment1")->text(), second.comment);
    EXPECT_EQ(Child<QLineEdit>(first, "txtComment2")->text(), kModelledSentence);
}

// Each way of leaving the dialog discards it: the next request starts afresh.
TEST_F(ReportDialogTest, NextRequestAfterLeavingShowsAFreshDialog) {
    const std::function<void(frmPrint*)> leave[] = {
        [](frmPrint* d) {
            QTest::mouseClick(Child<QPushButton>(d, "cmdCancelPrint"), Qt::LeftButton);
        },
        [](frmPrint* d) { QTest::keyClick(d, Qt::Key_Escape); },
        [](frmPrint* d) { d->close(); },
        [](frmPrint* d) { QTest::mouseClick(Child<QPushButton>(d, "cmdPrint"), Qt::LeftButton); },
    };
    for (std::size_t way = 0; way < std::size(leave); ++way) {
        SCOPED_TRACE(way);
        frmPrint* dialog = OpenReport(FilledRequest());
        ASSERT_NE(dialog, nullptr);
        PrintedPage page;
        dialog->setOutput(RecordingOutput(dialog, page));
        QTest::keyClicks(Child<QLineEdit>(dialog, "txtTitle"), QStringLiteral("Old title"));
        QTest::keyClicks(Child<QLineEdit>(dialog, "txtOriginator"), QStringLiteral("Old name"));
        Child<QDateEdit>(dialog, "DTPicker1")->setDate(QDate(2001, 1, 1));
        QPointer<frmPrint> old(dialog);
        leave[way](dialog);
        flushDeletes();
        EXPECT_TRUE(old.isNull());
        EXPECT_EQ(ReportDialog(), nullptr);
        EXPECT_EQ(page.calls, way == 3 ? 1 : 0);

        frmPrint* fresh = OpenReport(FilledRequest());
        ASSERT_NE(fresh, nullptr);
        EXPECT_TRUE(Child<QPushButton>(fresh, "cmdPrint")->isVisible());
        EXPECT_TRUE(Child<QPushButton>(fresh, "cmdCancelPrint")->isVisible());
        EXPECT_EQ(Child<QGroupBox>(fresh, "fraTitle")->title(), QStringLiteral("Title"));
        for (const char* name : {"txtTitle", "txtOriginator", "txtComment1", "txtComment2"})
            EXPECT_TRUE(Child<QLineEdit>(fresh, name)->hasFrame()) << name;
        EXPECT_TRUE(Child<QLineEdit>(fresh, "txtTitle")->text().isEmpty());
        EXPECT_TRUE(Child<QLineEdit>(fresh, "txtOriginator")->text().isEmpty());
        EXPECT_EQ(Child<QDateEdit>(fresh, "DTPicker1")->date(), QDate::currentDate());
        fresh->close();
        flushDeletes();
    }
}

// A report requested from a calculation screen before anything was calculated
// carries the screen's design-time Final Results and its stress sentence.
TEST_F(ReportDialogTest, RequestBeforeAnyCalculationFromEachScreen) {
    struct {
        const char* screen;
        const char* sentence;
    } const screens[] = {
        {"frmTributary", "The Tributary Area theory was used to calculate the Average Pillar "
                         "Stress for this evaluation"},
        {"frmModelled", "This evaluation was done with a known Average Pillar Stress"},
        {"frmInterpolate",
         "The Average Pillar Stress was interpolated from modelling results for this evaluation"},
    };
    int tried = 0;
    for (const auto& row : screens) {
        const QString name = QString::fromLatin1(row.screen);
        if (!Windows().hasFactory(name))
            continue;
        SCOPED_TRACE(row.screen);
        ++tried;
        QWidget* screen = Windows().show(name);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(screen));
        auto* print = screen->findChild<QPushButton*>(QStringLiteral("cmdPrint"));
        ASSERT_NE(print, nullptr);
        print->click();
        frmPrint* dialog = ReportDialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->isVisible());
        const struct {
            const char* box;
            const char* text;
        } expected[] = {
            {"txtBordWidth1", "12"},
            {"txtBordWidth2", "12"},
            {"txtAlpha", "0.5"},
            {"txtBeta", "0.75"},
            {"txtSquat", "4.5"},
            {"txtStrengthIncrease", "4.5"},
            {"txtFOS", ""},
            {"txtPillarStrength", ""},
            {"txtWHratio", ""},
            {"txtPillarStress", ""},
            {"txtPercentageExtraction", ""},
        };
        for (const auto& e : expected)
            EXPECT_EQ(Child<QLineEdit>(dialog, e.box)->text(), QString::fromLatin1(e.text))
                << e.box;
        EXPECT_EQ(Child<QLineEdit>(dialog, "txtComment2")->text(),
                  QString::fromLatin1(row.sentence));
        CloseAllWindows();
        flushDeletes();
    }
    if (tried == 0)
        GTEST_SKIP() << "no calculation screen is registered in this build";
}

} // namespace
} // namespace vt::test
