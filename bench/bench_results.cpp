// The modelling-results file at its largest (32 767 lines x 20 fields):
// - load time (ReadModellingText + ParseModellingResults) against a plain
//   baseline that only reads the bytes and converts every field with
//   std::from_chars (aim: within 3x);
// - peak memory of both, each measured in a child process (ru_maxrss);
// - one interpolation in the kept table against one that reads and parses the
//   file again first, as a loader without a kept table must (aim: >= 1000x);
// - a redraw of the chart (frame and curves) from that table, and its first
//   drawing on a new chart.
#include "results/chart.h"
#include "results/core/interpolation.h"
#include "results/core/modellingfile.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace vt::results;

constexpr int kLines = 32767;
constexpr int kCurves = 10;

std::string g_path;
long g_peakNothingKb = 0;
long g_peakBaselineKb = 0;
long g_peakLoadKb = 0;

// Widths 4, 6, ... 22 m; depths from 100 m in steps of 0.05 m; stresses with
// two decimals rising with depth and falling with width.
std::string WriteLargestFile() {
    const auto dir =
        std::filesystem::temp_directory_path() / ("vt-bench-results-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "largest.int").string();
    std::ofstream out(path, std::ios::binary);
    for (int c = 0; c < kCurves; ++c)
        out << (c ? "\t" : "") << 4 + 2 * c << "\t0";
    out << "\r\n";
    char buffer[64];
    for (int r = 2; r <= kLines; ++r) {
        const double depth = 100 + 0.05 * (r - 2);
        for (int c = 0; c < kCurves; ++c) {
            const double stress = depth * 0.12 * 10.0 / (4 + 2 * c);
            std::snprintf(buffer, sizeof buffer, "%s%.2f\t%.2f", c ? "\t" : "", depth, stress);
            out << buffer;
        }
        out << "\r\n";
    }
    return path;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes;
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0)
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
    return bytes;
}

// The least any loader must do: read the bytes and convert every field.
std::vector<double> BaselineLoad(const std::string& path) {
    const std::string bytes = ReadBytes(path);
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(kLines) * 2 * kCurves);
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        double value = 0;
        const auto [next, ec] = std::from_chars(p, end, value);
        (void)ec;
        values.push_back(value);
        p = next;
        while (p < end && (*p == '\t' || *p == '\r' || *p == '\n'))
            ++p;
    }
    return values;
}

bool FullLoad(ModellingResults& record, const std::string& path) {
    return ReadModellingText(record, path) && ParseModellingResults(record);
}

// Peak resident memory (kB) of a child process that runs `work`.
template <class Work> long ChildPeakKb(Work work) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        work();
        ::_exit(0);
    }
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    return usage.ru_maxrss;
}

void BM_LoadBaseline(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(BaselineLoad(g_path));
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(g_path)));
    state.counters["peak_kB"] = static_cast<double>(g_peakBaselineKb - g_peakNothingKb);
}
BENCHMARK(BM_LoadBaseline)->Unit(benchmark::kMillisecond);

void BM_Load(benchmark::State& state) {
    for (auto _ : state) {
        ModellingResults record;
        if (!FullLoad(record, g_path))
            state.SkipWithError("the file did not load");
        benchmark::DoNotOptimize(record);
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(g_path)));
    state.counters["peak_kB"] = static_cast<double>(g_peakLoadKb - g_peakNothingKb);
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

ModellingResults& KeptTable() {
    static ModellingResults record = [] {
        ModellingResults r;
        FullLoad(r, g_path);
        return r;
    }();
    return record;
}

// Between the 9 and 11 m curves, two thirds down the depth range.
constexpr double kW = 9.5;
constexpr double kD = 100 + 0.05 * (kLines - 2) * 2 / 3;

void BM_InterpolateKeptTable(benchmark::State& state) {
    const ModellingResults& record = KeptTable();
    for (auto _ : state) {
        const InterpolationOutcome out = InterpolatePillarStress(record, kW, kD);
        if (!out.ok())
            state.SkipWithError(out.message.c_str());
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_InterpolateKeptTable);

void BM_InterpolateAfterRereading(benchmark::State& state) {
    for (auto _ : state) {
        ModellingResults record;
        FullLoad(record, g_path);
        benchmark::DoNotOptimize(InterpolatePillarStress(record, kW, kD));
    }
}
BENCHMARK(BM_InterpolateAfterRereading)->Unit(benchmark::kMillisecond);

void BM_RedrawChart(benchmark::State& state) {
    const ModellingResults& record = KeptTable();
    ResultsChart chart;
    for (auto _ : state) {
        chart.Clear();
        chart.DrawChartFrame();
        chart.DrawResultCurves(record);
        benchmark::DoNotOptimize(chart.image().constBits());
    }
}
BENCHMARK(BM_RedrawChart)->Unit(benchmark::kMillisecond);

// The first drawing of a table the chart has not drawn before (after a load).
void BM_DrawNewTable(benchmark::State& state) {
    const ModellingResults& record = KeptTable();
    for (auto _ : state) {
        ResultsChart chart;
        chart.DrawChartFrame();
        chart.DrawResultCurves(record);
        benchmark::DoNotOptimize(chart.image().constBits());
    }
}
BENCHMARK(BM_DrawNewTable)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    g_path = WriteLargestFile();
    // Memory first, in children forked before any Qt object exists.
    g_peakNothingKb = ChildPeakKb([] {});
    g_peakBaselineKb = ChildPeakKb([] { benchmark::DoNotOptimize(BaselineLoad(g_path)); });
    g_peakLoadKb = ChildPeakKb([] {
        ModellingResults record;
        benchmark::DoNotOptimize(FullLoad(record, g_path));
    });
    std::printf("file %s: %ju bytes; peak memory above an idle child: baseline %ld kB, "
                "load %ld kB\n",
                g_path.c_str(), static_cast<std::uintmax_t>(std::filesystem::file_size(g_path)),
                g_peakBaselineKb - g_peakNothingKb, g_peakLoadKb - g_peakNothingKb);

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(std::filesystem::path(g_path).parent_path());
    return 0;
}
