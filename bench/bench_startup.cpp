// Start-up cost: creating and showing the start-up window until it is on
// screen, against a bare dialog of the same size in the same run. Offscreen.
#include "app/programstate.h"
#include "app/ui.h"
#include "screens/registerwindows.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QWindow>
#include <benchmark/benchmark.h>

namespace {

// Processes events until the window is exposed (at most a second).
bool WaitExposed(QWidget* widget) {
    QElapsedTimer timer;
    timer.start();
    while (!(widget->windowHandle() && widget->windowHandle()->isExposed())) {
        if (timer.elapsed() > 1000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

void Flush() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void BM_SplashShown(benchmark::State& state) {
    for (auto _ : state) {
        QWidget* splash = vt::Windows().show(QStringLiteral("frmSplash"));
        if (!WaitExposed(splash))
            state.SkipWithError("frmSplash was not exposed");
        state.PauseTiming();
        vt::Windows().close(QStringLiteral("frmSplash"));
        Flush();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SplashShown)->Unit(benchmark::kMillisecond);

// Creating the window without showing it: what the window's own building costs.
void BM_SplashCreated(benchmark::State& state) {
    for (auto _ : state) {
        QWidget* splash = vt::Windows().window(QStringLiteral("frmSplash"));
        benchmark::DoNotOptimize(splash);
        state.PauseTiming();
        vt::Windows().close(QStringLiteral("frmSplash"));
        Flush();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SplashCreated)->Unit(benchmark::kMillisecond);

void BM_BareDialogShown(benchmark::State& state) {
    for (auto _ : state) {
        auto* dialog = new QDialog;
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setFixedSize(vt::Twips(8985), vt::Twips(6225));
        dialog->show();
        if (!WaitExposed(dialog))
            state.SkipWithError("dialog was not exposed");
        state.PauseTiming();
        dialog->close();
        Flush();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BareDialogShown)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    vt::RegisterWindows();
    vt::State().endProgram = [] {};
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
