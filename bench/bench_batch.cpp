// The batch evaluator on a table of 100 000 designs (tributary, modelled and
// interpolation rows in the default modelling-results file, one row in 50
// refused), in one run:
// - the whole table through the CSV road (read, evaluate, write) in-process
//   (aim: under 1 s, and within 3x of the next figure);
// - the same evaluations without CSV reading and writing;
// - the real vt-evaluate on the table as a file, process start included.
#include "batch/batch.h"
#include "evaluation/design.h"
#include "evaluation/numbers.h"
#include "results/core/modellingfile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

using namespace vt;

constexpr int kRows = 100'000;
const char* const kDefaultFile = "RazuziRurida - Do not delete.int";

struct Fixture {
    QTemporaryDir dir;
    QByteArray table;
    std::vector<evaluation::DesignTexts> designs;
    results::ModellingResults modelling;

    Fixture() {
        QFile::copy(QStringLiteral(VT_SOURCE_DIR "/data/") + QLatin1String(kDefaultFile),
                    dir.filePath(QLatin1String(kDefaultFile)));
        results::ReadModellingText(
            modelling, QFile::encodeName(dir.filePath(QLatin1String(kDefaultFile))).toStdString());
        results::ParseModellingResults(modelling);
        batch::AppendRecord(table, {"method", "rock_density", "depth", "pillar_width",
                                    "pillar_length", "bord_width_1", "bord_width_2",
                                    "pillar_height", "k", "aps", "modelling_file"});
        for (int i = 0; i < kRows; ++i)
            add(i);
        QFile file(dir.filePath(QStringLiteral("designs.csv")));
        file.open(QIODevice::WriteOnly);
        file.write(table);
    }

    void add(int i) {
        evaluation::DesignTexts d;
        d.method = static_cast<evaluation::Method>(i % 3);
        d.density = d.method == evaluation::Method::Tributary ? QStringLiteral("2.7") : QString();
        d.stress =
            d.method == evaluation::Method::Modelled ? QString::number(20 + i % 40) : QString();
        d.depth = i % 50 == 49 ? QString() : QString::number(100 + (i * 7) % 1400);
        d.width = QString::number(4 + (i % 8) * 2);
        d.length =
            d.method == evaluation::Method::Interpolation ? QString() : QString::number(6 + i % 9);
        d.bord1 = d.method == evaluation::Method::Interpolation ? QString() : QStringLiteral("6");
        d.bord2 = d.bord1;
        d.height = QString::number(2 + (i % 5) * 0.5);
        d.k = QStringLiteral("40");
        designs.push_back(d);
        batch::AppendRecord(table, {evaluation::MethodName(d.method), d.density, d.depth, d.width,
                                    d.length, d.bord1, d.bord2, d.height, d.k, d.stress,
                                    d.method == evaluation::Method::Interpolation
                                        ? QLatin1String(kDefaultFile)
                                        : QString()});
    }
};

Fixture& Data() {
    static Fixture fixture;
    return fixture;
}

void BM_TableThroughCsv(benchmark::State& state) {
    Fixture& data = Data();
    for (auto _ : state) {
        QByteArray out;
        const auto counts = batch::EvaluateTable(data.table, data.dir.path(), out);
        benchmark::DoNotOptimize(out.data());
        if (!counts || counts->rows != kRows)
            state.SkipWithError("the table was not evaluated");
    }
    state.SetItemsProcessed(state.iterations() * kRows);
    state.SetBytesProcessed(state.iterations() * data.table.size());
}
BENCHMARK(BM_TableThroughCsv)->Unit(benchmark::kMillisecond);

void BM_SameEvaluationsWithoutCsv(benchmark::State& state) {
    Fixture& data = Data();
    const evaluation::NumberLocale point = evaluation::NumberLocale::Point();
    for (auto _ : state) {
        for (const evaluation::DesignTexts& d : data.designs) {
            evaluation::Evaluation e = evaluation::Evaluate(
                d, point,
                d.method == evaluation::Method::Interpolation ? &data.modelling : nullptr);
            benchmark::DoNotOptimize(e);
        }
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_SameEvaluationsWithoutCsv)->Unit(benchmark::kMillisecond);

void BM_ProgramOnAFile(benchmark::State& state) {
    Fixture& data = Data();
    for (auto _ : state) {
        QProcess program;
        program.start(QStringLiteral(VT_EVALUATE),
                      {data.dir.filePath(QStringLiteral("designs.csv")),
                       data.dir.filePath(QStringLiteral("out.csv"))});
        if (!program.waitForFinished(120000) || program.exitCode() != 0)
            state.SkipWithError("vt-evaluate failed");
    }
    state.SetItemsProcessed(state.iterations() * kRows);
    state.SetBytesProcessed(state.iterations() * data.table.size());
}
BENCHMARK(BM_ProgramOnAFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
