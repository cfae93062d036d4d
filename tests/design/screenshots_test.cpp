// The design tools as a user sees them, after a full evaluation on the
// tributary screen: each chart tab, the solve and the strength formulas. With VT_SCREENSHOT_DIR
// set, the pictures are kept there (docs/ holds the committed ones), also at 1366 x 768 and in
// German.
#include "app/ui.h"
#include "design/frmstrengthformulas.h"
#include "tests/design/toolhelpers.h"
#include "tests/support/locale.h"

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>

namespace vt::test {
namespace {

void Keep(const QPixmap& picture, const QString& name) {
    const QString folder = qEnvironmentVariable("VT_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        EXPECT_TRUE(picture.save(QDir(folder).filePath(name)));
    }
}

struct Shot {
    const char* suffix;
    QSize size;
    bool german;
};

class ToolPictures : public DesignToolTest, public ::testing::WithParamInterface<Shot> {};

TEST_P(ToolPictures, EveryChartDrawsItsCurveAndTheSolveItsAnswers) {
    const Shot shot = GetParam();
    LocaleScope locale(shot.german ? German() : English());
    CalculationScreen* screen = open("frmTributary");
    ASSERT_NE(screen, nullptr);
    fill(screen, QStringLiteral("4"));
    frmDesignCharts* window = charts(screen);
    ASSERT_NE(window, nullptr);
    if (shot.size.isValid())
        window->resize(shot.size);
    const char* const names[] = {"width", "depth", "height", "strength"};
    for (int tab = 0; tab < frmDesignCharts::kPanes; ++tab) {
        window->tabs()->setCurrentIndex(tab);
        Settle();
        const QPixmap picture = window->grab();
        EXPECT_GT(CurvePixels(picture.toImage()), 100) << names[tab];
        Keep(picture, QStringLiteral("design-charts-%1%2.png")
                          .arg(QString::fromLatin1(names[tab]), QString::fromLatin1(shot.suffix)));
    }
    frmTargetFOS* solve = target(screen);
    ASSERT_NE(solve, nullptr);
    EXPECT_TRUE(solve->cmdApply[0]->isEnabled());
    Keep(solve->grab(), QStringLiteral("target-fos%1.png").arg(QString::fromLatin1(shot.suffix)));

    auto* formulas =
        tool<frmStrengthFormulas>(screen, "mnuStrengthFormulas", "frmStrengthFormulas");
    ASSERT_NE(formulas, nullptr);
    formulas->txtUCS->setText(QStringLiteral("150"));
    if (shot.size.isValid())
        formulas->resize(shot.size);
    Settle();
    const char* const charts[] = {"strength", "stability"};
    for (int tab = 0; tab < 2; ++tab) {
        formulas->tabCharts->setCurrentIndex(tab);
        Settle();
        const QPixmap picture = formulas->grab();
        if (tab == 0) {
            EXPECT_GT(CurvePixels(picture.toImage()), 100);
        }
        Keep(picture, QStringLiteral("strength-formulas-%1%2.png")
                          .arg(QString::fromLatin1(charts[tab]), QString::fromLatin1(shot.suffix)));
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ToolPictures,
                         ::testing::Values(Shot{"", QSize(), false},
                                           Shot{"-1366x768", QSize(1366, 700), false},
                                           Shot{"-de", QSize(), true}));

} // namespace
} // namespace vt::test
