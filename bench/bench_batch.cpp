// The batch evaluator on a table of 100 000 designs (tributary, modelled and
// interpolation rows in the default modelling-results file, one row in 50
// refused), in one run:
// - the whole table through the CSV road (read, evaluate, write) in-process
//   (aim: under 1 s, and within 3x of the next figure);
// - the same evaluations without CSV reading and writing;
// - the real vt-evaluate on the table as a file, process start included;
// and, before those, the peak memory of the real vt-evaluate (ru_maxrss of
// the child) on 10^6 designs, and on tables naming one modelling-results
// file of 29 MB by 21 names, or 8 such files in turn (aim: under 300 MB
// each).
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
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
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
        evaluation::AppendRecord(table, {"method", "rock_density", "depth", "pillar_width",
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
        evaluation::AppendRecord(
            table, {evaluation::MethodName(d.method), d.density, d.depth, d.width, d.length,
                    d.bord1, d.bord2, d.height, d.k, d.stress,
                    d.method == evaluation::Method::Interpolation ? QLatin1String(kDefaultFile)
                                                                  : QString()});
    }
};

Fixture& Data() {
    static Fixture fixture;
    return fixture;
}

// --- peak memory ---

// The vt-evaluate measured: the one built beside this benchmark, or the one
// VT_EVALUATE_PROGRAM names (an older build, measured on the same inputs in
// the same sitting).
QByteArray Program() {
    const QByteArray named = qgetenv("VT_EVALUATE_PROGRAM");
    return named.isEmpty() ? QByteArrayLiteral(VT_EVALUATE) : named;
}

// Peak resident memory (kB) of vt-evaluate run on `input` in a child.
long ProgramPeakKb(const QString& input, const QString& output) {
    const QByteArray program = Program();
    const QByteArray in = QFile::encodeName(input);
    const QByteArray out = QFile::encodeName(output);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::execl(program.constData(), program.constData(), in.constData(), out.constData(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::fprintf(stderr, "vt-evaluate on %s ended with status %d\n", in.constData(), status);
    return usage.ru_maxrss;
}

// A modelling-results file of 32 000 lines and 50 widths (4 to 28.5 m):
// about 29 MB, near the loader's 32 MiB bound.
QByteArray LargeModellingFile() {
    constexpr int kWidths = 50;
    QByteArray text;
    text.reserve(30'000'000);
    for (int w = 0; w < kWidths; ++w)
        text.append(QByteArray::number(4 + w * 0.5)).append(w + 1 < kWidths ? "\t0\t" : "\t0");
    text.append("\r\n");
    for (int row = 0; row < 32'000; ++row) {
        for (int w = 0; w < kWidths; ++w) {
            const double depth = 10 + row * 0.05;
            const double stress = depth * 0.03 * (1 + 4.0 / (4 + w * 0.5));
            text.append(QByteArray::number(depth, 'f', 3))
                .append('\t')
                .append(QByteArray::number(stress, 'f', 3))
                .append(w + 1 < kWidths ? "\t" : "");
        }
        text.append("\r\n");
    }
    return text;
}

void MeasurePeakMemory() {
    QTemporaryDir dir;
    const auto write = [&dir](const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
    };
    const QString out = dir.filePath(QStringLiteral("out.csv"));

    // 10^6 designs, as the 100 000 of the fixture, ten times over.
    QByteArray million;
    {
        const QByteArray& table = Data().table;
        const qsizetype body = table.indexOf('\n') + 1;
        million = table;
        for (int i = 1; i < 10; ++i)
            million.append(table.constData() + body, table.size() - body);
        QFile::copy(QStringLiteral(VT_SOURCE_DIR "/data/") + QLatin1String(kDefaultFile),
                    dir.filePath(QLatin1String(kDefaultFile)));
    }
    write(QStringLiteral("million.csv"), million);
    // The same after a quote opened on line 2 and never closed.
    million.insert(million.indexOf('\n') + 1, "tributary,\"2.7,500\r\n");
    write(QStringLiteral("unclosed.csv"), million);
    million = QByteArray();

    // One large table by 21 names, and 8 large tables in turn, twice.
    write(QStringLiteral("large-0.int"), LargeModellingFile());
    QByteArray aliases = "method,depth,pillar_width,pillar_height,k,modelling_file\r\n";
    for (int i = 0; i < 21; ++i) {
        const QString alias = QStringLiteral("alias-%1.int").arg(i);
        QFile::link(dir.filePath(QStringLiteral("large-0.int")), dir.filePath(alias));
        aliases += "interpolation,500,10,3,40," + alias.toUtf8() + "\r\n";
    }
    write(QStringLiteral("aliases.csv"), aliases);
    QByteArray files = "method,depth,pillar_width,pillar_height,k,modelling_file\r\n";
    for (int i = 1; i < 8; ++i)
        QFile::copy(dir.filePath(QStringLiteral("large-0.int")),
                    dir.filePath(QStringLiteral("large-%1.int").arg(i)));
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 8; ++i)
            files += "interpolation,500,10,3,40,large-" + QByteArray::number(i) + ".int\r\n";
    write(QStringLiteral("files.csv"), files);

    const struct {
        const char* what;
        const char* input;
    } runs[] = {
        {"10^6 designs", "million.csv"},
        {"10^6 designs after a quote never closed", "unclosed.csv"},
        {"21 names of one 29 MB modelling file", "aliases.csv"},
        {"8 modelling files of 29 MB in turn, twice", "files.csv"},
    };
    for (const auto& run : runs)
        std::printf("peak memory of vt-evaluate, %s: %ld kB\n", run.what,
                    ProgramPeakKb(dir.filePath(QLatin1String(run.input)), out));
    std::fflush(stdout);
}

void BM_TableThroughCsv(benchmark::State& state) {
    Fixture& data = Data();
    for (auto _ : state) {
        QByteArray out;
        const auto counts = batch::EvaluateTable(data.table, {data.dir.path(), {}, {}}, out);
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
        program.start(QFile::decodeName(Program()),
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

int main(int argc, char** argv) {
    MeasurePeakMemory();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
