// The design report with every section built and written as a PDF: the
// content from a tributary design and its shown results, four chart-sized
// vector drawings standing in for the design charts, a solve and a
// probability section, laid out on pages with header and footer. Aims:
// under 1 s, the PDF under 2 MB (the counter "pdf_bytes").
#include "designreport/reportdocument.h"
#include "evaluation/design.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

using namespace vt;

designreport::Drawing Curve(int seed) {
    designreport::Drawing d;
    d.size = QSizeF(480, 300);
    d.caption = QStringLiteral("Chart %1 of the design").arg(seed);
    d.draw = [seed](QPainter& painter, const QRectF& box) {
        QPainterPath path;
        for (int i = 0; i <= 400; ++i) {
            const double x = box.left() + box.width() * i / 400.0;
            const double y = box.center().y() + box.height() * 0.4 * std::sin(i * 0.05 + seed);
            i == 0 ? path.moveTo(x, y) : path.lineTo(x, y);
        }
        painter.setPen(QPen(Qt::blue, 1));
        painter.drawRect(box.adjusted(1, 1, -1, -1));
        painter.drawPath(path);
        for (int k = 0; k <= 10; ++k)
            painter.drawText(QPointF(box.left() + k * box.width() / 10, box.bottom() - 4),
                             QString::number(k * 10));
    };
    return d;
}

designreport::Report FullReport() {
    evaluation::DesignTexts d;
    d.density = QStringLiteral("2.7");
    d.depth = QStringLiteral("500");
    d.width = QStringLiteral("10");
    d.length = QStringLiteral("10");
    d.k = QStringLiteral("100");
    d.height = QStringLiteral("4");
    const auto locale = evaluation::NumberLocale::Point();
    const evaluation::Evaluation e = evaluation::Evaluate(d, locale);
    designreport::ReportInputs in;
    in.screen.title = QStringLiteral("Tributary Theory");
    in.screen.design = d;
    in.screen.shown = {
        e.extraction,     e.stress,  e.effectiveWidth,      e.widthHeightRatio,      e.strength,
        e.factorOfSafety, e.formula, e.widthHeightTooSmall, e.factorOfSafetyTooSmall};
    in.locale = locale;
    in.program = QStringLiteral("Vandrel Tessaron 1.2.0");
    in.fields.title = QStringLiteral("Panel 4 pillars");
    in.fields.project = QStringLiteral("North shaft");
    designreport::ToolContribution charts{designreport::SectionId::Charts, {}, {}};
    for (int i = 0; i < 4; ++i)
        charts.blocks.push_back(designreport::Block::Picture(Curve(i)));
    designreport::ToolContribution solve{designreport::SectionId::Solve, {}, {}};
    for (int i = 0; i < 3; ++i)
        solve.blocks.push_back(designreport::Block::Paragraph(
            QStringLiteral("The answer %1, what the screen shows there and its neighbour.")
                .arg(i)));
    designreport::ToolContribution probability{
        designreport::SectionId::Probability, {designreport::Block::Picture(Curve(9))}, {}};
    in.tools = {charts, solve, probability};
    designreport::Report report;
    report.fields = in.fields;
    report.sections = designreport::BuildSections(in);
    report.ticked.assign(designreport::kSectionOrder.begin(), designreport::kSectionOrder.end());
    report.program = in.program;
    report.date = QStringLiteral("9 December 2026");
    return report;
}

void BM_FullReportToPdf(benchmark::State& state) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        const QByteArray pdf = designreport::ReportPdf(FullReport(), QPageSize(QPageSize::A4));
        bytes = static_cast<std::size_t>(pdf.size());
        benchmark::DoNotOptimize(pdf.data());
    }
    state.counters["pdf_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_FullReportToPdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
