// The strength formulas window driven as a user would: opened from each
// screen's Design menu, its table equal to the comparison of the same inputs
// and its screen's row to what the screen shows, the UCS from the UCS
// dialog's readings or typed, refusals naming the field, formulas chosen for
// the charts, and an export through the one save helper.
#include "design/frmstrengthformulas.h"
#include "evaluation/strengthformulas.h"
#include "tests/design/toolhelpers.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>

namespace vt::test {
namespace {

class StrengthFormulasTest : public DesignToolTest {
protected:
    frmStrengthFormulas* formulas(CalculationScreen* screen) {
        return tool<frmStrengthFormulas>(screen, "mnuStrengthFormulas", "frmStrengthFormulas");
    }
    static QString Cell(const frmStrengthFormulas* w, int row, int column) {
        const QTableWidgetItem* item = w->tblFormulas->item(row, column);
        return item ? item->text() : QString();
    }
    static void TypeInto(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClicks(edit, text);
        Settle();
    }
    void addReadings(const QStringList& readings) {
        QWidget* dialog = Windows().show(QStringLiteral("frmMedianUCS"));
        ASSERT_NE(dialog, nullptr);
        auto* input = dialog->findChild<QLineEdit*>(QStringLiteral("txtInputUCS"));
        auto* add = dialog->findChild<QToolButton*>(QStringLiteral("cmdAddToList"));
        ASSERT_TRUE(input && add);
        for (const QString& r : readings) {
            QTest::keyClicks(input, r);
            QTest::mouseClick(add, Qt::LeftButton);
        }
        Settle();
    }
};

class FormulasOnEachScreen : public StrengthFormulasTest,
                             public ::testing::WithParamInterface<const char*> {};

TEST_P(FormulasOnEachScreen, TheTableIsTheComparisonAndTheScreensRowIsTheScreens) {
    CalculationScreen* screen = open(GetParam());
    ASSERT_NE(screen, nullptr);
    fill(screen, QStringLiteral("5"));
    frmStrengthFormulas* window = formulas(screen);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isModal());
    TypeInto(window->txtUCS, QStringLiteral("150"));
    ASSERT_TRUE(window->comparison()) << window->lblMessage->text().toStdString();

    const auto expected = evaluation::CompareFormulas(
        window->inputs(), evaluation::NumberLocale::Current(), &State().ModellingResults);
    ASSERT_TRUE(expected.ok());
    ASSERT_EQ(window->tblFormulas->rowCount(), static_cast<int>(expected->rows.size()));
    for (int i = 0; i < window->tblFormulas->rowCount(); ++i) {
        const evaluation::FormulaRow& row = expected->rows[static_cast<std::size_t>(i)];
        EXPECT_EQ(Cell(window, i, frmStrengthFormulas::kName), row.name);
        EXPECT_EQ(Cell(window, i, frmStrengthFormulas::kStrength), row.strength) << i;
        EXPECT_EQ(Cell(window, i, frmStrengthFormulas::kFos), row.factorOfSafety) << i;
        EXPECT_EQ(Cell(window, i, frmStrengthFormulas::kMeets), row.meets) << i;
    }
    // The screen's row is what the screen itself shows.
    EXPECT_EQ(Cell(window, 0, frmStrengthFormulas::kStrength),
              Text(screen, QStringLiteral("lblPillarStrength")));
    EXPECT_EQ(Cell(window, 0, frmStrengthFormulas::kFos), Text(screen, QStringLiteral("lblFOS")));
    EXPECT_TRUE(window->lblDesign->text().contains(Text(screen, QStringLiteral("lblWHratio"))));

    // Both charts: a curve per formula with a strength, the pillar at its
    // W:H and stress, and on the stability graph at stress / UCS.
    EXPECT_EQ(window->chtStrength->drawnCurves().size(), expected->rows.size());
    ASSERT_EQ(window->chtStrength->pillarPoint().size(), 1);
    EXPECT_EQ(window->chtStrength->pillarPoint().front(),
              QPointF(expected->ratio, expected->stress));
    ASSERT_EQ(window->chtStability->pillarPoint().size(), 1);
    EXPECT_EQ(window->chtStability->pillarPoint().front(),
              QPointF(expected->ratio, expected->stress / 150.0));

    // It follows the screen.
    Type(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("4"));
    Press(screen, QStringLiteral("cmdCalculateAndContinue2"));
    Settle();
    EXPECT_EQ(Cell(window, 0, frmStrengthFormulas::kFos), Text(screen, QStringLiteral("lblFOS")));
}

INSTANTIATE_TEST_SUITE_P(Screens, FormulasOnEachScreen,
                         ::testing::Values("frmTributary", "frmModelled", "frmInterpolate"));

TEST_F(StrengthFormulasTest, TheUcsIsTheMedianOfTheReadingsOrTyped) {
    CalculationScreen* screen = open("frmTributary");
    fill(screen, QStringLiteral("5"));
    frmStrengthFormulas* window = formulas(screen);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->txtUCS->isReadOnly());
    EXPECT_FALSE(window->chkTypeUCS->isEnabled());
    EXPECT_TRUE(window->lblUcsSource->text().contains(QLatin1String("no UCS readings")));
    EXPECT_EQ(Cell(window, 4, frmStrengthFormulas::kNote), QStringLiteral("Needs the UCS."));

    // 100, 140, 120, 160: the median 130, not downgraded.
    addReadings({QStringLiteral("100"), QStringLiteral("140"), QStringLiteral("120"),
                 QStringLiteral("160")});
    EXPECT_EQ(window->txtUCS->text(), QStringLiteral("130"));
    EXPECT_TRUE(window->txtUCS->isReadOnly());
    ASSERT_TRUE(window->comparison());
    EXPECT_EQ(window->comparison()->ucs, 130.0);

    QTest::mouseClick(window->chkTypeUCS, Qt::LeftButton);
    Settle();
    EXPECT_FALSE(window->txtUCS->isReadOnly());
    TypeInto(window->txtUCS, QStringLiteral("200"));
    ASSERT_TRUE(window->comparison());
    EXPECT_EQ(window->comparison()->ucs, 200.0);
}

TEST_F(StrengthFormulasTest, BadInputIsRefusedNamingTheFieldAndChosenFormulasAreCharted) {
    CalculationScreen* screen = open("frmModelled");
    fill(screen, QStringLiteral("5"));
    frmStrengthFormulas* window = formulas(screen);
    ASSERT_NE(window, nullptr);
    const struct {
        QLineEdit* edit;
        const char* text;
        const char* says;
    } refusals[] = {{window->txtUCS, "0", "\"UCS (MPa)\""},
                    {window->txtUCS, "-3", "\"UCS (MPa)\""},
                    {window->txtLDF, "1.5", "\"LDF\""},
                    {window->txtLDF, "0", "\"LDF\""}};
    for (const auto& r : refusals) {
        TypeInto(window->txtUCS, QStringLiteral("150"));
        TypeInto(window->txtLDF, QStringLiteral("1"));
        ASSERT_TRUE(window->comparison()) << r.text;
        TypeInto(r.edit, QLatin1String(r.text));
        EXPECT_FALSE(window->comparison()) << r.text;
        EXPECT_TRUE(window->lblMessage->text().contains(QLatin1String(r.says))) << r.text;
        EXPECT_EQ(window->tblFormulas->rowCount(), 0) << r.text;
    }
    TypeInto(window->txtLDF, QStringLiteral("1"));
    // The user's own formula that has no finite strength.
    QTest::mouseClick(window->chkUserFormula, Qt::LeftButton);
    TypeInto(window->txtUserConstant, QStringLiteral("1e30"));
    TypeInto(window->txtUserA, QStringLiteral("300"));
    EXPECT_TRUE(window->lblMessage->text().contains(QLatin1String("no finite strength")));
    TypeInto(window->txtUserConstant, QStringLiteral("100"));
    TypeInto(window->txtUserA, QStringLiteral("0.5"));
    ASSERT_TRUE(window->comparison());
    const int rows = window->tblFormulas->rowCount();
    EXPECT_EQ(Cell(window, rows - 1, frmStrengthFormulas::kName), QStringLiteral("Your formula"));

    // Unticking a formula takes its curve off the strength chart.
    const std::size_t before = window->chtStrength->drawnCurves().size();
    window->tblFormulas->item(1, frmStrengthFormulas::kName)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(window->chtStrength->drawnCurves().size(), before - 1);
    EXPECT_FALSE(window->shownRows()[1]);
}

TEST_F(StrengthFormulasTest, ChartsExportThroughTheOneSaveHelper) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    CalculationScreen* screen = open("frmTributary");
    fill(screen, QStringLiteral("5"));
    frmStrengthFormulas* window = formulas(screen);
    ASSERT_NE(window, nullptr);
    TypeInto(window->txtUCS, QStringLiteral("150"));
    window->tabCharts->setCurrentWidget(window->chtStability);
    const struct {
        QPushButton* button;
        const char* file;
        QByteArray starts;
    } exports[] = {{window->chtStability->cmdCSV, "stability.csv", "W:H,Stress/UCS at FOS 1.0"},
                   {window->chtStability->cmdPNG, "stability.png", "\x89PNG"},
                   {window->chtStrength->cmdSVG, "strength.svg", "<?xml"},
                   {window->chtStrength->cmdCSV, "strength.csv", "W:H,The screen's formula"}};
    for (const auto& e : exports) {
        fileDialogs.path = dir.filePath(QString::fromLatin1(e.file));
        QTest::mouseClick(e.button, Qt::LeftButton);
        QFile file(fileDialogs.path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << e.file;
        EXPECT_TRUE(file.readAll().startsWith(e.starts)) << e.file;
    }
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
} // namespace vt::test
