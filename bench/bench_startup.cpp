// Start-up cost: creating and showing the start-up window until it is on
// screen, against a bare dialog of the same size in the same run. Offscreen.
#include "app/programstate.h"
#include "app/ui.h"
#include "app/startup.h"
#include "program/registerwindows.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

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

// Whole program start, as a user sees it: a new process that builds the
// QApplication, registers the windows and shows the start-up window until it
// is exposed, then exits; against a new process that shows a bare dialog of
// the same size. Both run this same binary in a child mode.
std::string selfPath;

void RunChild(benchmark::State& state, const char* mode) {
    for (auto _ : state) {
        char* args[] = {selfPath.data(), const_cast<char*>(mode), nullptr};
        pid_t pid = 0;
        // The offscreen platform's notes on raise() would drown the figures.
        posix_spawn_file_actions_t quiet;
        posix_spawn_file_actions_init(&quiet);
        posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        const int spawned = posix_spawn(&pid, selfPath.c_str(), &quiet, nullptr, args, environ);
        posix_spawn_file_actions_destroy(&quiet);
        if (spawned != 0) {
            state.SkipWithError("could not start the child process");
            return;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the child process failed");
            return;
        }
    }
}

void BM_ProcessStartToSplashShown(benchmark::State& state) {
    RunChild(state, "--child-splash");
}
BENCHMARK(BM_ProcessStartToSplashShown)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ProcessStartToBareDialogShown(benchmark::State& state) {
    RunChild(state, "--child-bare");
}
BENCHMARK(BM_ProcessStartToBareDialogShown)->Unit(benchmark::kMillisecond)->UseRealTime();

int ChildMain(int argc, char** argv, bool splash) {
    QApplication application(argc, argv);
    QWidget* window = nullptr;
    if (splash) {
        vt::PrepareApplication(); // as the program's main: bundled fonts, no pixmap cache
        vt::RegisterWindows();
        window = vt::Windows().show(QStringLiteral("frmSplash"));
    } else {
        auto* dialog = new QDialog;
        dialog->setFixedSize(vt::Twips(8985), vt::Twips(6225));
        dialog->show();
        window = dialog;
    }
    return WaitExposed(window) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && (std::strcmp(argv[1], "--child-splash") == 0 ||
                     std::strcmp(argv[1], "--child-bare") == 0)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return ChildMain(argc, argv, std::strcmp(argv[1], "--child-splash") == 0);
    }
    char resolved[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", resolved, sizeof resolved - 1);
    selfPath = n > 0 ? std::string(resolved, static_cast<std::size_t>(n)) : std::string(argv[0]);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    vt::PrepareApplication();
    vt::RegisterWindows();
    vt::State().endProgram = [] {};
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
