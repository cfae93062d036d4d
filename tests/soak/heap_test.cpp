// Long use must not grow the heap. A round opens every window of the program,
// draws it, runs an evaluation whose results turn red and back to grey and
// closes everything again; once the first rounds have filled what fills once
// (fonts, glyphs), further rounds must leave the heap where they found it.
// The measure is the allocator's count of bytes in use, taken at the same
// point of identical rounds, so it does not depend on the speed of the
// machine.
#include "app/programstate.h"
#include "screens/calculationscreen.h"
#include "tests/support/fields.h"
#include "tests/support/programtest.h"
#include "tests/support/screenhelpers.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <cstddef>
#include <cstdio>

#if defined(__SANITIZE_ADDRESS__)
#define VT_HEAP_FROM_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VT_HEAP_FROM_SANITIZER 1
#endif
#endif

#ifdef VT_HEAP_FROM_SANITIZER
// From the sanitizer runtime (gcc does not install its header).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace vt::test {
namespace {

// Bytes the program has allocated and not yet freed.
std::size_t HeapInUse() {
#ifdef VT_HEAP_FROM_SANITIZER
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

const char* const kWindows[] = {
    "frmSplash",      "frmAbout",     "frmTributary", "frmModelled",
    "frmInterpolate", "frmMedianUCS", "frmFileOpen",  "frmRazuziRuridaDimensions",
    "frmPrint",       "frmPopUpWH",   "frmPopUpFOS",
};

class HeapTest : public ProgramTest {
protected:
    static void closeEverything() {
        CloseAllWindows();
        Windows().close(QStringLiteral("frmSplash"));
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName().startsWith(QLatin1String("frm")))
                w->close();
        flushDeletes();
    }

    // Every window drawn, then an evaluation on the tributary screen with a
    // FOS below 1.6 (red), then a new pillar height (grey again), each drawn.
    void round() {
        for (const char* name : kWindows) {
            QWidget* window = Windows().show(QString::fromLatin1(name));
            ASSERT_NE(window, nullptr) << name;
            (void)window->grab();
        }
        auto* screen = Windows().existing<CalculationScreen>(QStringLiteral("frmTributary"));
        ASSERT_NE(screen, nullptr);
        EvaluateByCode(screen);
        ASSERT_EQ(FieldText(screen, QStringLiteral("lblFOS")), QStringLiteral("1.5"));
        (void)screen->grab();
        openDesignTools(screen);
        if (HasFatalFailure())
            return;
        SetField(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("4"));
        ASSERT_EQ(FieldText(screen, QStringLiteral("lblFOS")), QString());
        (void)screen->grab();
        closeEverything();
    }

    // The design charts, the solve, the probability window and the strength
    // formulas on the screen's design, each drawn, with a short probability
    // run; the screen's next change reaches them all.
    static void openDesignTools(CalculationScreen* screen) {
        for (const char* item :
             {"mnuDesignCharts", "mnuTargetFOS", "mnuProbability", "mnuStrengthFormulas"}) {
            ChooseDesignItem(screen, item);
            if (HasFatalFailure())
                return;
        }
        for (const char* name :
             {"frmDesignCharts", "frmTargetFOS", "frmProbability", "frmStrengthFormulas"}) {
            QWidget* tool = Windows().existing<QWidget>(QString::fromLatin1(name));
            ASSERT_NE(tool, nullptr) << name;
            (void)tool->grab();
        }
        QWidget* probability = Windows().existing<QWidget>(QStringLiteral("frmProbability"));
        auto* samples = probability->findChild<QLineEdit*>(QStringLiteral("txtSamples"));
        ASSERT_NE(samples, nullptr);
        samples->setText(QStringLiteral("2000"));
        auto* run = probability->findChild<QPushButton*>(QStringLiteral("cmdRun"));
        ASSERT_NE(run, nullptr);
        QTest::mouseClick(run, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([run] { return run->isEnabled(); }, 30000));
        (void)probability->grab();
    }

    // The average growth per round over `rounds` rounds.
    double growthPerRound(int rounds) {
        const std::size_t before = HeapInUse();
        for (int i = 0; i < rounds; ++i) {
            round();
            if (HasFatalFailure())
                return 0;
        }
        return (static_cast<double>(HeapInUse()) - static_cast<double>(before)) / rounds;
    }
};

TEST_F(HeapTest, OpeningUsingAndClosingEveryWindowAgainAndAgainLeavesTheHeapAsItWas) {
    // The first rounds fill the font and glyph caches and let a few tables
    // reach their size; after that two runs of the same length must each
    // stay within noise. A round makes some hundred widgets with palettes of
    // their own and draws them: a cache that keeps something for each of
    // them grows by kilobytes a round, and by far more while it fills.
    constexpr int kWarmUp = 20;
    constexpr int kRounds = 20;
    constexpr double kNoise = 1024.0; // bytes a round
    (void)growthPerRound(kWarmUp);
    const double first = growthPerRound(kRounds);
    const double second = growthPerRound(kRounds);
    ASSERT_FALSE(HasFatalFailure());
    std::printf("heap growth per round: %.0f bytes over %d rounds, then %.0f bytes over %d\n",
                first, kRounds, second, kRounds);
    EXPECT_LT(first, kNoise) << "the heap grows in long use";
    EXPECT_LT(second, kNoise) << "the heap grows in long use";
}

} // namespace
} // namespace vt::test
