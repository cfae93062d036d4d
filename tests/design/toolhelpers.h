// Helpers for the design tool windows: a calculation screen with a design on
// it (the interpolation screen with the default file loaded), the Design menu
// items, and waiting for the tools' coalesced redraw.
#pragma once

#include "app/interfaces.h"
#include "app/programstate.h"
#include "app/ui.h"
#include "design/designpoint.h"
#include "design/frmdesigncharts.h"
#include "design/frmtargetfos.h"
#include "results/core/modellingfile.h"
#include "tests/support/programtest.h"
#include "tests/support/screenhelpers.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QTest>

namespace vt::test {

// Lets the 0 ms timers run (the tools coalesce the screen's changes).
inline void Settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

inline QAction* MenuItem(QWidget* screen, const char* name) {
    auto* action = screen->findChild<QAction*>(QString::fromLatin1(name));
    EXPECT_NE(action, nullptr) << name;
    return action;
}

// The screen's design as the tools read it.
inline design::BaseDesign BaseOf(const CalculationScreen* screen) {
    const auto base = design::ReadDesign(screen->designTexts(), evaluation::NumberLocale::Current(),
                                         &State().ModellingResults);
    EXPECT_TRUE(base.ok());
    return base.value();
}

// Pixels of the curves' blue in a picture.
inline int CurvePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == kCurveBlue)
                ++count;
    return count;
}

class DesignToolTest : public ProgramTest {
protected:
    // The screen, with the default modelling-results file on the
    // interpolation screen.
    CalculationScreen* open(const char* name) {
        CalculationScreen* screen = OpenScreen(QString::fromLatin1(name));
        if (screen && screen->objectName() == QLatin1String("frmInterpolate")) {
            const QString file =
                QStringLiteral(VT_BUILD_DATA_DIR "/RazuziRurida - Do not delete.int");
            EXPECT_TRUE(results::ReadModellingText(State().ModellingResults,
                                                   QFile::encodeName(file).toStdString()));
            auto* loads = dynamic_cast<ModellingResultsScreen*>(screen);
            EXPECT_TRUE(loads && loads->LoadModellingResults());
        }
        return screen;
    }

    // A full design on the screen: pillar 10 x 10 (the interpolation screen
    // takes the width 10 from its list), depth 500, K 100, the height given.
    void fill(CalculationScreen* screen, const QString& height) {
        if (screen->objectName() == QLatin1String("frmInterpolate")) {
            Pick(screen, QStringLiteral("cboPillarWidth1"), QStringLiteral("10"));
            Type(screen, QStringLiteral("txtDepth"), QStringLiteral("500"));
            Press(screen, QStringLiteral("cmdCalculateAndContinue1"));
            Pick(screen, QStringLiteral("cboK"), QStringLiteral("50"));
            Type(screen, QStringLiteral("cboPillarHeight"), height);
            Press(screen, QStringLiteral("cmdCalculateAndContinue2"));
        } else {
            RunFullEvaluation(screen, height);
        }
    }

    template <class T> T* tool(CalculationScreen* screen, const char* item, const char* name) {
        QAction* action = MenuItem(screen, item);
        if (!action)
            return nullptr;
        action->trigger();
        Settle();
        auto* window = Windows().existing<T>(QString::fromLatin1(name));
        EXPECT_NE(window, nullptr) << name;
        if (window) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        }
        return window;
    }
    frmDesignCharts* charts(CalculationScreen* screen) {
        return tool<frmDesignCharts>(screen, "mnuDesignCharts", "frmDesignCharts");
    }
    frmTargetFOS* target(CalculationScreen* screen) {
        return tool<frmTargetFOS>(screen, "mnuTargetFOS", "frmTargetFOS");
    }
};

} // namespace vt::test
