#include "designreport/toolsections.h"

#include "app/programstate.h"
#include "app/windownames.h"
#include "design/chartpane.h"
#include "design/frmdesigncharts.h"
#include "design/frmstrengthformulas.h"
#include "design/frmtargetfos.h"
#include "designreport/stresschart.h"
#include "evaluation/designfields.h"
#include "evaluation/messages.h"
#include "files/evaluationactions.h"
#include "probability/frmprobability.h"
#include "probability/histogramchart.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPicture>
#include <QTabWidget>
#include <QTableWidget>
#include <memory>

namespace vt::designreport {

namespace {

QString NotOpen(const char* window) {
    return QStringLiteral("the \"%1\" window is not open for this screen.")
        .arg(QString::fromUtf8(window));
}

template <class Tool> Tool* OpenFor(QLatin1String name, DesignSource& source) {
    auto* tool = Windows().existing<Tool>(name);
    return tool && tool->source() == &source ? tool : nullptr;
}

// A table as its widget shows it: the headers (or `headers` where given),
// then every row's texts.
std::vector<QStringList> TableAsShown(const QTableWidget& table, QStringList headers = {}) {
    for (int column = static_cast<int>(headers.size()); column < table.columnCount(); ++column) {
        const QTableWidgetItem* header = table.horizontalHeaderItem(column);
        headers << (header ? header->text() : QString());
    }
    std::vector<QStringList> rows{headers};
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList texts;
        for (int column = 0; column < table.columnCount(); ++column) {
            const QTableWidgetItem* item = table.item(row, column);
            texts << (item ? item->text() : QString());
        }
        rows.push_back(texts);
    }
    return rows;
}

// A caption without its mnemonic ampersands.
QString Plain(QString caption) {
    return caption.remove(QLatin1Char('&'));
}

// A sentence of a window's message, ending with a full stop.
QString Sentence(QString text) {
    text = text.trimmed();
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    return text;
}

ToolContribution Charts(DesignSource& source) {
    ToolContribution c{SectionId::Charts, {}, {}};
    auto* charts = OpenFor<frmDesignCharts>(names::frmDesignCharts, source);
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
    auto* solve = OpenFor<frmTargetFOS>(names::frmTargetFOS, source);
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
    // The schedule by depth where the user made one: solve() made it again
    // for the design as it stands.
    if (solve->scheduleMade()) {
        c.blocks.push_back(Block::Heading(Plain(solve->tabTarget->tabText(1))));
        c.blocks.push_back(Block::Table({
            {QStringLiteral("Depths (m) from"), QStringLiteral("to"), QStringLiteral("step")},
            {solve->txtScheduleFrom->text(), solve->txtScheduleTo->text(),
             solve->txtScheduleStep->text()},
        }));
        const bool made = solve->tblSchedule->rowCount() > 0;
        if (!solve->lblSchedule->text().isEmpty())
            c.blocks.push_back(Block::Paragraph(solve->lblSchedule->text(), !made));
        if (made)
            c.blocks.push_back(Block::Table(TableAsShown(*solve->tblSchedule)));
    }
    return c;
}

ToolContribution Probability(DesignSource& source) {
    ToolContribution c{SectionId::Probability, {}, {}};
    auto* window = OpenFor<frmProbability>(names::frmProbability, source);
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

ToolContribution Formulas(DesignSource& source) {
    ToolContribution c{SectionId::Formulas, {}, {}};
    auto* window = OpenFor<frmStrengthFormulas>(names::frmStrengthFormulas, source);
    if (!window) {
        c.leftOut = NotOpen("Strength formulas");
        return c;
    }
    window->recompute();
    const std::optional<evaluation::FormulaComparison>& comparison = window->comparison();
    if (!comparison) {
        c.leftOut = QStringLiteral("the window shows no comparison for the design as it "
                                   "stands: %1")
                        .arg(Sentence(window->lblMessage->text()));
        return c;
    }
    c.blocks.push_back(Block::Paragraph(window->lblDesign->text()));
    const QString ucs = window->txtUCS->text().trimmed().isEmpty() ? QStringLiteral("(not given)")
                                                                   : window->txtUCS->text();
    c.blocks.push_back(Block::Table({
        {QStringLiteral("Rock"), QStringLiteral("As the window shows it")},
        {QStringLiteral("UCS used (MPa)"),
         QStringLiteral("%1: %2").arg(ucs, window->lblUcsSource->text())},
        {QStringLiteral("LDF"), window->txtLDF->text()},
        {Plain(window->chkScaleToUCS->text()),
         window->chkScaleToUCS->isChecked() ? QStringLiteral("yes") : QStringLiteral("no")},
    }));
    c.blocks.push_back(Block::Table(TableAsShown(*window->tblFormulas, {QStringLiteral("Formula")}),
                                    {20, 12, 6, 10, 8, 14, 30}));
    QStringList notMet;
    const QString& ratio = comparison->screen.widthHeightRatio;
    for (const evaluation::FormulaRow& row : comparison->rows) {
        if (row.key == QLatin1String("user"))
            c.blocks.push_back(Block::Paragraph(
                QStringLiteral("%1: S = %2, as typed in the window.").arg(row.name, row.form)));
        if (row.meets == QLatin1String("no"))
            notMet << row.name;
        if (row.outsideData)
            c.outsideRanges << QStringLiteral(
                                   "In the strength formulas compared, this pillar's W:H %1 lies "
                                   "outside the W:H range %2 of the data behind %3.")
                                   .arg(ratio, row.dataRange, row.name);
    }
    if (!notMet.isEmpty())
        c.blocks.push_back(Block::Paragraph(
            QStringLiteral("The pillar does not meet the design FOS recommended for: %1.")
                .arg(notMet.join(QStringLiteral("; "))),
            true));
    for (const QString& outside : c.outsideRanges)
        c.blocks.push_back(Block::Paragraph(outside, true));
    return c;
}

} // namespace

std::vector<ToolContribution> ToolContributions(DesignSource& source) {
    return {Charts(source), Solve(source), Probability(source), Formulas(source)};
}

ScreenState ScreenStateOf(DesignSource& source, const QString& title) {
    ScreenState state;
    state.title = title;
    state.design = evaluation::AsOnScreen(source.designTexts());
    state.shown = source.shownResults();
    if (const auto* target = dynamic_cast<const StrengthConstantTarget*>(&source))
        state.kSource = target->strengthConstantSource();
    for (const evaluation::DesignField& field : evaluation::kDesignFields)
        if (const QStringList items = source.inputItems(field.input); !items.isEmpty())
            state.inputLists[field.input] = items;
    const evaluation::NumberLocale locale = evaluation::NumberLocale::Current();
    state.formulaData = evaluation::ScreenFormulaDataRange(
        evaluation::Evaluate(source.designTexts(), locale, &State().ModellingResults), locale);
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
    state.stressChart = StressChartDrawing(table, state.design.depth, state.shown.stress, locale);
    return state;
}

} // namespace vt::designreport
