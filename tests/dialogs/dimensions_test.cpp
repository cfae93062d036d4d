#include "app/numbers.h"
#include "app/programstate.h"
#include "app/ui.h"
#include "dialogs/frmrazuziruridadimensions.h"
#include "dialogs/pillarplan.h"
#include "tests/dialogs/dialogtestsupport.h"
#include "tests/support/programtest.h"

#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <cmath>
#include <gtest/gtest.h>

namespace vt::test {
namespace {

// ---- The plan geometry, without drawing ----

struct PlanCase {
    const char* name;
    float w, l, b1, b2;
    const char* extraction; // shown with one decimal
    double scale;
    PlanRect cell;
    PlanRect pillar;
};

void ExpectRect(const PlanRect& actual, const PlanRect& expected) {
    EXPECT_NEAR(actual.left, expected.left, 0.05);
    EXPECT_NEAR(actual.top, expected.top, 0.05);
    EXPECT_NEAR(actual.right, expected.right, 0.05);
    EXPECT_NEAR(actual.bottom, expected.bottom, 0.05);
}

TEST(PillarPlan, ScalesTheLongerSideOfTheCellToOneHundredUnits) {
    const PlanCase cases[] = {
        {"square 10 with 12 m bords",
         10,
         10,
         12,
         12,
         "79.3",
         100.0 / 22,
         {0, 0, 100, 100},
         {27.3, 27.3, 72.7, 72.7}},
        {"4 by 10 with 8 and 12 m bords",
         4,
         10,
         8,
         12,
         "84.8",
         100.0 / 22,
         {22.7, 0, 77.3, 100},
         {40.9, 27.3, 59.1, 72.7}},
        {"wide cell",
         20,
         6,
         10,
         4,
         "60",
         100.0 / 30,
         {0, 100.0 / 3, 100, 200.0 / 3},
         {100.0 / 6, 40, 500.0 / 6, 60}},
        {"equal cell sides", 5, 5, 5, 5, "75", 10, {0, 0, 100, 100}, {25, 25, 75, 75}},
        {"no bords: cell is the pillar",
         7.5,
         10,
         0,
         0,
         "0",
         10,
         {12.5, 0, 87.5, 100},
         {12.5, 0, 87.5, 100}},
        {"no pillar width",
         0,
         10,
         8,
         12,
         "100",
         100.0 / 22,
         {100.0 / 2 - 400.0 / 22, 0, 100.0 / 2 + 400.0 / 22, 100},
         {50, 27.3, 50, 72.7}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PillarPlan plan = PlanPillar(c.w, c.l, c.b1, c.b2);
        ASSERT_TRUE(plan.extraction.has_value());
        EXPECT_EQ(ShowResult(*plan.extraction, 1), QString::fromLatin1(c.extraction));
        ASSERT_TRUE(plan.shape.has_value());
        EXPECT_NEAR(plan.shape->scale, c.scale, 1e-9);
        ExpectRect(plan.shape->cell, c.cell);
        ExpectRect(plan.shape->pillar, c.pillar);
    }
}

TEST(PillarPlan, HasNothingToDrawForEmptyNegativeOrHugeCells) {
    struct Case {
        const char* name;
        float w, l, b1, b2;
        bool extraction;
    };
    const float huge = 3e38f;
    const Case cases[] = {
        {"all zero", 0, 0, 0, 0, false},
        {"no cell length", 4, 0, 8, 0, false},
        {"negative width", -4, 10, 8, 12, true},
        {"negative bord", 4, 10, -8, 12, true},
        {"cell cancels out", -8, 10, 8, 12, false},
        {"too large to hold", huge, huge, huge, huge, false},
        {"not a number", std::nanf(""), 10, 8, 12, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PillarPlan plan = PlanPillar(c.w, c.l, c.b1, c.b2);
        EXPECT_EQ(plan.extraction.has_value(), c.extraction);
        if (plan.extraction) {
            EXPECT_TRUE(std::isfinite(*plan.extraction));
        }
        EXPECT_FALSE(plan.shape.has_value());
    }
}

TEST(PillarPlan, ReadsDimensionsLeniently) {
    LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    const std::pair<const char*, double> cases[] = {
        {"7.5m", 7.5},  {"", 0.0},         {"abc", 0.0}, {" 12 ", 12.0},
        {"12,5", 12.0}, {"1 000", 1000.0}, {"-4", -4.0}, {"m7", 0.0},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_DOUBLE_EQ(ReadLeadingNumber(QString::fromLatin1(text)), expected) << text;
}

// ---- The dialog ----

class DimensionsTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        dialog = Windows().show(QStringLiteral("frmRazuziRuridaDimensions"));
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        width = Child<QComboBox>(dialog, "cboPillarWidth1");
        length = Child<QComboBox>(dialog, "cboPillarLength");
        bord1 = Child<QComboBox>(dialog, "cboBordWidth");
        bord2 = Child<QComboBox>(dialog, "cboBordWidth2");
        effective = Child<QLineEdit>(dialog, "txtPillarWidth");
        extraction = Child<QLineEdit>(dialog, "txtPercExtraction");
        picture = Child<PillarPicture>(dialog, "picPillar");
        accept = Child<QPushButton>(dialog, "cmdAccept");
        ASSERT_TRUE(width && length && bord1 && bord2 && effective && extraction && picture &&
                    accept);
    }

    // As the screens' toggle does it: the four texts in order.
    void setDimensions(const char* w, const char* l, const char* b1, const char* b2) {
        width->setEditText(QString::fromLatin1(w));
        length->setEditText(QString::fromLatin1(l));
        bord1->setEditText(QString::fromLatin1(b1));
        bord2->setEditText(QString::fromLatin1(b2));
    }

    // The colour on screen at a plan point.
    QColor colourAt(double x, double y) const {
        const QImage image = picture->grab().toImage();
        return image.pixelColor(picture->toPixels(x, y).toPoint());
    }

    QPointer<QWidget> dialog;
    QComboBox* width = nullptr;
    QComboBox* length = nullptr;
    QComboBox* bord1 = nullptr;
    QComboBox* bord2 = nullptr;
    QLineEdit* effective = nullptr;
    QLineEdit* extraction = nullptr;
    PillarPicture* picture = nullptr;
    QPushButton* accept = nullptr;
};

TEST_F(DimensionsTest, OpensEmptyWithItsListsAndPlace) {
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Graphical dimensions"));
    EXPECT_EQ(dialog->geometry(), TwipsRect(10140, 2100, 3735, 7695));
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize()); // fixed
    EXPECT_EQ(picture->size(), QSize(Twips(3500), Twips(3500)));
    EXPECT_EQ(Background(picture), kLightGrey);
    for (QComboBox* combo : {width, length, bord1, bord2}) {
        EXPECT_TRUE(combo->isEditable());
        EXPECT_TRUE(combo->currentText().isEmpty()) << combo->objectName().toStdString();
    }
    EXPECT_EQ(width->count(), 10);
    EXPECT_EQ(length->itemText(9), QStringLiteral("10"));
    QStringList bords;
    for (int i = 0; i < bord2->count(); ++i)
        bords << bord2->itemText(i);
    EXPECT_EQ(bords, (QStringList{"4", "8", "12", "16", "20"}));
    EXPECT_EQ(Background(effective), kLightGrey);
    EXPECT_TRUE(effective->font().bold());
    EXPECT_EQ(effective->alignment(), Qt::AlignCenter);
    EXPECT_EQ(qobject_cast<QGroupBox*>(effective->parentWidget())->title(),
              QStringLiteral("Eff. pillar width"));
    EXPECT_EQ(qobject_cast<QGroupBox*>(bord1->parentWidget())->title(),
              QStringLiteral("Bord width 1 (m)"));
    EXPECT_FALSE(picture->shape().has_value());
}

TEST_F(DimensionsTest, ShowsEffectiveWidthExtractionAndThePlan) {
    struct Case {
        const char *w, *l, *b1, *b2;
        const char* effective;
        const char* extraction;
        double insidePillarX; // a plan point inside the pillar
        double cellOnlyX;     // a plan point in the cell beside the pillar
    };
    const Case cases[] = {
        {"10", "10", "12", "12", "10", "79.3", 50, 10},
        {"4", "10", "8", "12", "5.7", "84.8", 50, 30},
        {"7.5m", "10", "", "", "8.6", "0", 50, -5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.w);
        setDimensions(c.w, c.l, c.b1, c.b2);
        EXPECT_EQ(effective->text(), QString::fromLatin1(c.effective));
        EXPECT_EQ(extraction->text(), QString::fromLatin1(c.extraction));
        ASSERT_TRUE(picture->shape().has_value());
        EXPECT_EQ(colourAt(c.insidePillarX, 50), kPlanBlue);
        EXPECT_EQ(colourAt(c.cellOnlyX, 50), kLightGrey);
    }
}

TEST_F(DimensionsTest, TypingRedrawsOnEveryChange) {
    setDimensions("10", "10", "12", "12");
    width->setFocus();
    width->lineEdit()->selectAll();
    QTest::keyClicks(width, QStringLiteral("4"));
    EXPECT_EQ(effective->text(), QStringLiteral("5.7"));
    bord1->setFocus();
    bord1->lineEdit()->selectAll();
    QTest::keyClicks(bord1, QStringLiteral("8"));
    EXPECT_EQ(extraction->text(), QStringLiteral("84.8"));
    ASSERT_TRUE(picture->shape().has_value());
    EXPECT_NEAR(picture->shape()->pillar.left, 40.9, 0.05);
}

TEST_F(DimensionsTest, EmptyWidthAndLengthClearTheDrawingOnly) {
    setDimensions("10", "10", "12", "12");
    ASSERT_EQ(colourAt(50, 50), kPlanBlue);
    width->setEditText(QString());
    EXPECT_EQ(effective->text(), QStringLiteral("0")); // 0 x 10 has a width of 0
    length->setEditText(QString());
    EXPECT_EQ(effective->text(), QStringLiteral("0")); // not updated
    EXPECT_FALSE(picture->shape().has_value());
    EXPECT_EQ(colourAt(50, 50), kLightGrey);
    // A bord change redraws: the cell of the bords alone, no pillar.
    bord1->setEditText(QStringLiteral("8"));
    EXPECT_EQ(extraction->text(), QStringLiteral("100"));
}

TEST_F(DimensionsTest, OddInputsNeverBreakTheDialog) {
    setDimensions("4", "10", "8", "12");
    const char* const inputs[][4] = {
        {"-4", "10", "8", "12"}, {"0", "0", "0", "0"},   {"1e999", "10", "8", "12"},
        {"-10", "10", "0", "0"}, {"abc", "xyz", "", ""}, {"&H10", "16", "4", "4"},
    };
    for (const auto& in : inputs) {
        SCOPED_TRACE(in[0]);
        setDimensions(in[0], in[1], in[2], in[3]);
        EXPECT_FALSE(effective->text().contains(QLatin1String("inf")));
        EXPECT_FALSE(extraction->text().contains(QLatin1String("nan")));
        picture->grab(); // paints without trouble
    }
    EXPECT_EQ(effective->text(), QStringLiteral("16")); // &H10 is 16
}

TEST_F(DimensionsTest, ShowsTheLocaleSeparator) {
    LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    setDimensions("4", "10", "8", "12");
    EXPECT_EQ(effective->text(), QStringLiteral("5,7"));
    EXPECT_EQ(extraction->text(), QStringLiteral("84,8"));
}

TEST_F(DimensionsTest, TheDrawingSurvivesBeingHiddenAndShown) {
    setDimensions("4", "10", "8", "12");
    dialog->hide();
    ASSERT_TRUE(ShowAndWait(dialog));
    EXPECT_EQ(colourAt(50, 50), kPlanBlue);
}

// Stand-ins for the two screens with the toggle: switching it off copies the
// dialog's four texts back and hides the dialog, as the screens do.
class ToggleScreen : public QWidget, public PlanDimensionsTarget {
public:
    explicit ToggleScreen(QStringList* copied) {
        toggle = new QPushButton(this);
        toggle->setObjectName(QStringLiteral("chkGraphicToggle"));
        toggle->setCheckable(true);
        QObject::connect(toggle, &QPushButton::toggled, this, [copied](bool on) {
            if (on)
                return;
            auto* dialog = Windows().existing<frmRazuziRuridaDimensions>(
                QStringLiteral("frmRazuziRuridaDimensions"));
            if (!dialog)
                return;
            const evaluation::PlanTexts plan = dialog->dimensions();
            *copied << plan.width << plan.length << plan.bord1 << plan.bord2;
            dialog->hide();
        });
    }
    void switchGraphicToggleOff() override { toggle->setChecked(false); }

    QPushButton* toggle = nullptr;
};

// Both stand-ins, registered under the real names.
struct ToggleScreens {
    QStringList copied[2];
    FakeWindows fakes;

    ToggleScreens() {
        const char* names[] = {"frmTributary", "frmModelled"};
        for (int i = 0; i < 2; ++i) {
            QStringList* target = &copied[i];
            fakes.add(QString::fromLatin1(names[i]), [target] { return new ToggleScreen(target); });
        }
    }
    static QPushButton* toggle(const char* screen) {
        return Child<QPushButton>(Windows().window(QString::fromLatin1(screen)),
                                  "chkGraphicToggle");
    }
};

TEST_F(DimensionsTest, AcceptSwitchesTheTogglesOffAndCloses) {
    ToggleScreens screens;
    ToggleScreens::toggle("frmTributary")->setChecked(true);
    setDimensions("8", "10", "12", "16");
    QTest::mouseClick(accept, Qt::LeftButton);

    EXPECT_FALSE(ToggleScreens::toggle("frmTributary")->isChecked());
    EXPECT_EQ(screens.copied[0], (QStringList{"8", "10", "12", "16"}));
    // The modelled screen was not open: it is not opened either.
    EXPECT_EQ(Windows().existing(QStringLiteral("frmModelled")), nullptr);
    flushDeletes();
    EXPECT_TRUE(dialog.isNull());
}

TEST_F(DimensionsTest, TheCloseBoxHandsTheValuesBackLikeAccept) {
    ToggleScreens screens;
    ToggleScreens::toggle("frmTributary")->setChecked(true);
    ToggleScreens::toggle("frmModelled")->setChecked(true);
    setDimensions("6", "9", "4", "20");
    ASSERT_NE(dialog->windowHandle(), nullptr);
    dialog->windowHandle()->close(); // as the platform's close box does

    EXPECT_FALSE(ToggleScreens::toggle("frmTributary")->isChecked());
    EXPECT_FALSE(ToggleScreens::toggle("frmModelled")->isChecked());
    EXPECT_EQ(screens.copied[0], (QStringList{"6", "9", "4", "20"}));
    EXPECT_EQ(screens.copied[1], (QStringList{"6", "9", "4", "20"}));
    flushDeletes();
    EXPECT_TRUE(dialog.isNull());
}

} // namespace
} // namespace vt::test
