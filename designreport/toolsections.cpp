#include "designreport/toolsections.h"

#include "app/programstate.h"
#include "design/chartpane.h"
#include "design/frmdesigncharts.h"
#include "design/frmtargetfos.h"
#include "designreport/stresschart.h"
#include "evaluation/messages.h"
#include "files/evaluationactions.h"
#include "probability/frmprobability.h"
#include "probability/histogramchart.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPicture>
#include <QTabWidget>
#include <memory>

namespace vt::designreport {

namespace {

QString NotOpen(const char* window) {
    return QStringLiteral("the \"%1\" window is not open for this screen.")
        .arg(QString::fromUtf8(window));
}

template <class Tool> Tool* OpenFor(const char* name, DesignSource& source) {
    auto* tool = Windows().existing<Tool>(QString::fromLatin1(name));
    return tool && tool->source() == &source ? tool : nullptr;
}

ToolContribution Charts(DesignSource& source) {
    ToolContribution c{SectionId::Charts, {}, {}};
    auto* charts = OpenFor<frmDesignCharts>("frmDesignCharts", source);
    if (!charts) {
        c.leftOut = NotOpen("Design charts");
        return c;
    }
    charts->redraw();
    // Each chart drawn as it stands, its tab shown for the moment so that
    // its chart is laid out, then the tab the user chose again.
    QTabWidget* tabs = charts->tabs();
    const int chosen = tabs->currentIndex();
    for (int i = 0; i < frmDesignCharts::kPanes; ++i) {
        design::ChartPane* pane = charts->pane(i);
        const QString name = tabs->tabText(i).remove(QLatin1Char('&'));
        c.blocks.push_back(Block::Heading(name));
        if (!pane->curve()) {
            c.blocks.push_back(Block::Paragraph(pane->lblMessage->text(), true));
            continue;
        }
        c.blocks.push_back(Block::Table({
            {QStringLiteral("From"), QStringLiteral("To"), QStringLiteral("Step")},
            {pane->txtFrom->text(), pane->txtTo->text(), pane->txtStep->text()},
        }));
        tabs->setCurrentIndex(i);
        QCoreApplication::sendPostedEvents();
        design::HoverChartView* view = pane->view();
        const QSizeF pixels = QSizeF(view->viewport()->size()).expandedTo(QSizeF(200, 120));
        auto picture = std::make_shared<QPicture>();
        {
            QPainter painter(picture.get());
            view->render(&painter, QRectF(QPointF(0, 0), pixels), view->viewport()->rect());
        }
        Drawing drawing;
        drawing.size = QSizeF(480, 480.0 * pixels.height() / pixels.width());
        drawing.caption = pane->caption();
        drawing.draw = [picture, pixels](QPainter& painter, const QRectF& box) {
            painter.save();
            painter.translate(box.topLeft());
            painter.scale(box.width() / pixels.width(), box.height() / pixels.height());
            painter.drawPicture(QPointF(0, 0), *picture);
            painter.restore();
        };
        c.blocks.push_back(Block::Picture(std::move(drawing)));
    }
    tabs->setCurrentIndex(chosen);
    return c;
}

ToolContribution Solve(DesignSource& source) {
    ToolContribution c{SectionId::Solve, {}, {}};
    auto* solve = OpenFor<frmTargetFOS>("frmTargetFOS", source);
    if (!solve) {
        c.leftOut = NotOpen("Solve for a target FOS");
        return c;
    }
    solve->solve();
    c.blocks.push_back(Block::Table({
        {QStringLiteral("Target FOS"), QStringLiteral("Minimum W:H"),
         QStringLiteral("Plan grid (m)")},
        {solve->txtTargetFOS->text(), solve->txtMinimumWH->text(), solve->txtPlanGrid->text()},
    }));
    if (!solve->lblSettings->text().isEmpty())
        c.blocks.push_back(Block::Paragraph(solve->lblSettings->text(), true));
    for (int i = 0; i < frmTargetFOS::kQuestions; ++i) {
        const QLabel* answer = solve->lblAnswer[static_cast<std::size_t>(i)];
        if (const auto* box = qobject_cast<const QGroupBox*>(answer->parentWidget()))
            c.blocks.push_back(Block::Heading(box->title()));
        c.blocks.push_back(Block::Paragraph(answer->text()));
    }
    return c;
}

ToolContribution Probability(DesignSource& source) {
    ToolContribution c{SectionId::Probability, {}, {}};
    auto* window = OpenFor<frmProbability>("frmProbability", source);
    if (!window) {
        c.leftOut = NotOpen("Probability of failure");
        return c;
    }
    const std::optional<frmProbability::ShownRun> run = window->shownRun();
    if (!run) {
        c.leftOut = QStringLiteral("no run was made for the design as it stands.");
        return c;
    }
    if (!run->current) {
        c.leftOut = QStringLiteral("the run shown was made for other inputs than the screen's.");
        return c;
    }
    if (run->earlierSettings)
        c.blocks.push_back(Block::Paragraph(
            QStringLiteral("These results are of the settings before the last edit in the "
                           "probability window."),
            true));
    std::vector<QStringList> inputs{{QStringLiteral("Input sampled")}};
    for (const QString& input : run->inputs)
        inputs.push_back({input});
    c.blocks.push_back(Block::Table(std::move(inputs)));
    c.blocks.push_back(Block::Paragraph(run->samples));
    if (!run->withoutResult.isEmpty())
        c.blocks.push_back(Block::Paragraph(run->withoutResult));
    std::vector<QStringList> figures{
        {QStringLiteral("Result"), QStringLiteral("As the window shows it")}};
    for (const auto& [caption, value] : run->figures)
        figures.push_back({caption, value});
    if (figures.size() > 1)
        c.blocks.push_back(Block::Table(std::move(figures)));
    if (run->histogram) {
        Drawing drawing;
        drawing.size = QSizeF(480, 270);
        drawing.caption = QStringLiteral("The FOS of the samples");
        const probability::HistogramPicture picture = *run->histogram;
        const evaluation::NumberLocale locale = evaluation::NumberLocale::Current();
        drawing.draw = [picture, locale](QPainter& painter, const QRectF& box) {
            probability::DrawHistogram(painter, box, picture, locale);
        };
        c.blocks.push_back(Block::Picture(std::move(drawing)));
    }
    if (!run->sentence.isEmpty())
        c.blocks.push_back(Block::Paragraph(run->sentence));
    return c;
}

} // namespace

std::vector<ToolContribution> ToolContributions(DesignSource& source) {
    return {Charts(source), Solve(source), Probability(source)};
}

ScreenState ScreenStateOf(DesignSource& source, const QString& title) {
    ScreenState state;
    state.title = title;
    state.design = evaluation::AsOnScreen(source.designTexts());
    state.shown = source.shownResults();
    if (const auto* target = dynamic_cast<const StrengthConstantTarget*>(&source))
        state.kSource = target->strengthConstantSource();
    if (state.design.method != evaluation::Method::Interpolation)
        return state;
    state.drawPlan = false;
    const results::ModellingResults& table = State().ModellingResults;
    ModellingFileInfo info;
    info.name = QFileInfo(QFile::decodeName(QByteArray::fromStdString(table.FileName))).fileName();
    info.widths = table.FieldCount / 2;
    info.depths = std::max(0, table.LineCount - 1);
    const auto kept = files::EvaluationOf(source);
    if (kept && kept.value().modellingFile)
        info.checksum = QString::fromLatin1(kept.value().modellingFile->sha256);
    else if (!kept)
        info.checksum = kept.refusal().message;
    if (!table.FileName.empty())
        state.modelling = info;
    state.stressChart = StressChartDrawing(table, state.design.depth, state.shown.stress,
                                           evaluation::NumberLocale::Current());
    return state;
}

} // namespace vt::designreport
