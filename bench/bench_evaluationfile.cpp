// Saving and opening an evaluation on the real screens (aim: under 20 ms
// each): the save takes the screen's design and results, writes the JSON and
// commits it; the open reads and checks the file (and, for interpolation,
// the modelling-results file and its checksum), types every input into the
// screen, presses its buttons again and compares the results.
#include "app/interfaces.h"
#include "app/messages.h"
#include "app/programstate.h"
#include "files/evaluationactions.h"
#include "program/registerwindows.h"
#include "results/core/modellingfile.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace vt;
using evaluation::Input;

// Message boxes are counted, never shown.
class CountedMessages final : public MessageService {
public:
    void show(const QString&, const QString&) override { ++count; }
    bool ask(const QString&, const QString&) override { return false; }
    SaveChoice askToSave(const QString&, const QString&) override { return SaveChoice::Discard; }
    int count = 0;
};

CountedMessages g_messages;
QTemporaryDir* g_dir = nullptr;

// The screen alone, as the program shows one screen at a time.
DesignSource* Screen(const char* name) {
    CloseAllWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    return dynamic_cast<DesignSource*>(Windows().show(QString::fromLatin1(name)));
}

void Type(DesignSource* screen, std::initializer_list<std::pair<Input, const char*>> inputs) {
    for (const auto& [input, text] : inputs)
        screen->applyInput(input, QString::fromLatin1(text));
    screen->recalculate(CalculationStage::BothTabs);
}

DesignSource* Tributary() {
    DesignSource* screen = Screen("frmTributary");
    // No warning: the pop-ups would open windows on every opening.
    Type(screen, {{Input::RockDensity, "2.75"},
                  {Input::Depth, "400"},
                  {Input::PillarWidth, "14"},
                  {Input::PillarLength, "14"},
                  {Input::BordWidth1, "6"},
                  {Input::BordWidth2, "8"},
                  {Input::K, "40"},
                  {Input::PillarHeight, "2.5"}});
    return screen;
}

DesignSource* Interpolation() {
    const QString file = g_dir->filePath(QStringLiteral("RazuziRurida - Do not delete.int"));
    QFile::copy(QStringLiteral(VT_SOURCE_DIR "/data/RazuziRurida - Do not delete.int"), file);
    DesignSource* screen = Screen("frmInterpolate");
    results::ReadModellingText(State().ModellingResults, QFile::encodeName(file).toStdString());
    Windows()
        .window<ModellingResultsScreen>(QStringLiteral("frmInterpolate"))
        ->LoadModellingResults();
    Type(screen, {{Input::PillarWidth, "14"},
                  {Input::Depth, "300"},
                  {Input::K, "100"},
                  {Input::PillarHeight, "3"}});
    return screen;
}

void Save(benchmark::State& state, DesignSource* screen, const char* name) {
    const QString path = g_dir->filePath(QString::fromLatin1(name));
    for (auto _ : state)
        if (!files::SaveEvaluationTo(*screen, path))
            state.SkipWithError("not saved");
}

void Open(benchmark::State& state, DesignSource* screen, const char* name) {
    const QString path = g_dir->filePath(QString::fromLatin1(name));
    files::SaveEvaluationTo(*screen, path);
    const int before = g_messages.count;
    for (auto _ : state)
        if (!files::OpenEvaluationFrom(*screen, path))
            state.SkipWithError("not opened");
    if (g_messages.count != before)
        state.SkipWithError("the evaluation did not open as saved");
}

void BM_SaveTributary(benchmark::State& state) {
    Save(state, Tributary(), "tributary.vte");
}
BENCHMARK(BM_SaveTributary)->Unit(benchmark::kMillisecond);

void BM_OpenTributary(benchmark::State& state) {
    Open(state, Tributary(), "tributary.vte");
}
BENCHMARK(BM_OpenTributary)->Unit(benchmark::kMillisecond);

void BM_SaveInterpolation(benchmark::State& state) {
    Save(state, Interpolation(), "interpolation.vte");
}
BENCHMARK(BM_SaveInterpolation)->Unit(benchmark::kMillisecond);

void BM_OpenInterpolation(benchmark::State& state) {
    Open(state, Interpolation(), "interpolation.vte");
}
BENCHMARK(BM_OpenInterpolation)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    RegisterWindows();
    State().endProgram = [] {};
    SetMessageService(&g_messages);
    QTemporaryDir dir;
    g_dir = &dir;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    CloseAllWindows();
    SetMessageService(nullptr);
    return 0;
}
