#include "designreport/reportcontent.h"

#include "app/frmsplash.h"
#include "dialogs/pillarplan.h"
#include "evaluation/designfields.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPen>
#include <QRectF>
#include <algorithm>
#include <utility>

namespace vt::designreport {

using evaluation::Method;

Block Block::Paragraph(QString text, bool warning) {
    Block block;
    block.kind = Kind::Paragraph;
    block.text = std::move(text);
    block.warning = warning;
    return block;
}

Block Block::Heading(QString text) {
    Block block;
    block.kind = Kind::Heading;
    block.text = std::move(text);
    return block;
}

Block Block::Table(std::vector<QStringList> rows, std::vector<double> widths) {
    Block block;
    block.kind = Kind::Table;
    block.rows = std::move(rows);
    block.widths = std::move(widths);
    return block;
}

Block Block::Picture(Drawing drawing) {
    Block block;
    block.kind = Kind::Drawing;
    block.drawing = std::move(drawing);
    return block;
}

QString SectionTitle(SectionId id) {
    for (const SectionNames& names : kSectionNames)
        if (names.id == id)
            return QString::fromUtf8(names.title);
    return {};
}

QString SectionObjectSuffix(SectionId id) {
    for (const SectionNames& names : kSectionNames)
        if (names.id == id)
            return QString::fromUtf8(names.objectSuffix);
    return {};
}

QString SectionKey(SectionId id) {
    switch (id) {
    case SectionId::Summary:
        return QStringLiteral("summary");
    case SectionId::Inputs:
        return QStringLiteral("inputs");
    case SectionId::Method:
        return QStringLiteral("method");
    case SectionId::Plan:
        return QStringLiteral("plan");
    case SectionId::Charts:
        return QStringLiteral("charts");
    case SectionId::Solve:
        return QStringLiteral("solve");
    case SectionId::Probability:
        return QStringLiteral("probability");
    case SectionId::Formulas:
        return QStringLiteral("formulas");
    case SectionId::Assumptions:
        return QStringLiteral("assumptions");
    }
    return {};
}

std::optional<SectionId> SectionFromKey(const QString& key) {
    for (SectionId id : kSectionOrder)
        if (SectionKey(id) == key)
            return id;
    return std::nullopt;
}

namespace {

const QString kNotCalculated = QStringLiteral("not calculated");
const QColor kPlanBlue(0, 0, 192);

QString OrNotCalculated(const QString& text) {
    return text.isEmpty() ? kNotCalculated : text;
}

QString OrNotGiven(const QString& text) {
    return text.trimmed().isEmpty() ? QStringLiteral("(not given)") : text;
}

// The limits as the user's locale writes decimals ("1,6" in German).
QString Limit(float value, const evaluation::NumberLocale& locale) {
    return evaluation::ShowResult(value, 1, locale);
}

struct ResultRow {
    const char* caption;
    QString ShownResults::*text;
};

constexpr ResultRow kResultRows[] = {
    {"% Extraction", &ShownResults::extraction},
    {"Pillar stress (MPa)", &ShownResults::stress},
    {"Eff. pillar width (m)", &ShownResults::effectiveWidth},
    {"W:H-ratio", &ShownResults::widthHeightRatio},
    {"Pillar strength (MPa)", &ShownResults::strength},
    {"Factor of Safety", &ShownResults::factorOfSafety},
};

bool UsesPlan(Method method) {
    return method != Method::Interpolation;
}

std::vector<Block> Summary(const ReportInputs& in) {
    const ReportFields& fields = in.fields;
    const auto& d = in.screen.design;
    const auto& shown = in.screen.shown;
    std::vector<Block> blocks;
    std::vector<QStringList> design{{QStringLiteral("Design"), QStringLiteral("As entered")}};
    design.push_back({QStringLiteral("Method"), in.screen.title});
    design.push_back({QStringLiteral("Pillar width × length (m)"),
                      QStringLiteral("%1 × %2").arg(OrNotGiven(d.width), OrNotGiven(d.length))});
    if (UsesPlan(d.method))
        design.push_back(
            {QStringLiteral("Bord width 1 and 2 (m)"),
             QStringLiteral("%1 and %2").arg(OrNotGiven(d.bord1), OrNotGiven(d.bord2))});
    else
        design.push_back(
            {QStringLiteral("Bord widths (m)"), QStringLiteral("those of the modelling results")});
    design.push_back({QStringLiteral("Pillar height (m)"), OrNotGiven(d.height)});
    design.push_back({QStringLiteral("Depth (m)"), OrNotGiven(d.depth)});
    blocks.push_back(Block::Table(std::move(design)));

    std::vector<QStringList> results{
        {QStringLiteral("Result"), QStringLiteral("As the screen shows it")}};
    for (const ResultRow& row : kResultRows)
        results.push_back({QString::fromUtf8(row.caption), OrNotCalculated(shown.*row.text)});
    blocks.push_back(Block::Table(std::move(results)));

    const QStringList missing = MissingResults(shown);
    if (!missing.isEmpty()) {
        blocks.push_back(Block::Paragraph(
            QStringLiteral("The evaluation is not complete: the screen shows no %1 yet. Calculate "
                           "the design on the screen for a complete report.")
                .arg(missing.join(QStringLiteral(", "))),
            true));
    } else {
        const QString fosLimit = Limit(1.6f, in.locale);
        const QString ratioLimit = Limit(2.5f, in.locale);
        if (shown.factorOfSafetyTooSmall)
            blocks.push_back(
                Block::Paragraph(QStringLiteral("The FOS %1 is below %2: the screen flags it red.")
                                     .arg(shown.factorOfSafety, fosLimit),
                                 true));
        else
            blocks.push_back(Block::Paragraph(
                QStringLiteral("The FOS %1 is not below %2.").arg(shown.factorOfSafety, fosLimit)));
        if (shown.widthHeightTooSmall)
            blocks.push_back(Block::Paragraph(
                QStringLiteral("The W:H-ratio %1 is below %2: the screen flags it red.")
                    .arg(shown.widthHeightRatio, ratioLimit),
                true));
        else
            blocks.push_back(Block::Paragraph(QStringLiteral("The W:H-ratio %1 is not below %2.")
                                                  .arg(shown.widthHeightRatio, ratioLimit)));
        if (!shown.formula.isEmpty())
            blocks.push_back(Block::Paragraph(shown.formula));
    }
    if (!fields.notes.trimmed().isEmpty()) {
        blocks.push_back(Block::Heading(QStringLiteral("Notes")));
        for (const QString& line : fields.notes.split(QLatin1Char('\n')))
            blocks.push_back(Block::Paragraph(line));
    }
    blocks.push_back(Block::Heading(QStringLiteral("Sign-off")));
    blocks.push_back(Block::Table({
        {QString(), QStringLiteral("Name"), QStringLiteral("Date"), QStringLiteral("Signature")},
        {QStringLiteral("Prepared by"), fields.preparedBy, fields.preparedOn, QString()},
        {QStringLiteral("Checked by"), fields.checkedBy, fields.checkedOn, QString()},
        {QStringLiteral("Approved by"), fields.approvedBy, fields.approvedOn, QString()},
    }));
    return blocks;
}

std::vector<Block> Inputs(const ReportInputs& in) {
    const auto& d = in.screen.design;
    const StrengthConstantSource& k = in.screen.kSource;
    std::vector<QStringList> rows{{QStringLiteral("Input"), QStringLiteral("As entered"),
                                   QStringLiteral("Where it came from")}};
    for (const evaluation::DesignField& field : evaluation::kDesignFields) {
        if (!field.usedBy(d.method))
            continue;
        const QString& text = d.*field.text;
        const auto list = in.screen.inputLists.find(field.input);
        QString source =
            InputOrigin(text, list == in.screen.inputLists.end() ? QStringList() : list->second);
        if (field.input == evaluation::Input::K && !k.typed())
            source = QStringLiteral("the median of the UCS readings, downgraded");
        else if (d.method == Method::Interpolation &&
                 (field.input == evaluation::Input::PillarWidth ||
                  field.input == evaluation::Input::Depth))
            source += QStringLiteral("%1interpolated in the modelling results")
                          .arg(source.isEmpty() ? QString() : QStringLiteral("; "));
        rows.push_back({field.caption.toString(), OrNotGiven(text), source});
    }
    if (d.method == Method::Interpolation)
        rows.push_back({QStringLiteral("Pillar length (m)"), OrNotGiven(d.length),
                        QStringLiteral("follows the pillar width")});
    std::vector<Block> blocks{Block::Table(std::move(rows))};
    blocks.push_back(Block::Paragraph(
        QStringLiteral("\"From the list\": the text as entered is one of the values in the "
                       "field's list on the screen (picked, or typed the same); \"typed\": it is "
                       "none of them.")));
    if (!k.typed()) {
        blocks.push_back(Block::Heading(QStringLiteral("K from the UCS readings")));
        blocks.push_back(Block::Table({
            {QStringLiteral("UCS readings (MPa)"), k.readings.join(QStringLiteral("; "))},
            {QStringLiteral("Median UCS (MPa)"), OrNotGiven(k.median)},
            {QStringLiteral("Downgrade (%)"), OrNotGiven(k.downgrade)},
            {QStringLiteral("K (MPa)"), OrNotGiven(d.k)},
        }));
    }
    if (d.method == Method::Interpolation) {
        blocks.push_back(Block::Heading(QStringLiteral("Modelling-results file")));
        if (const auto& file = in.screen.modelling)
            blocks.push_back(Block::Table({
                {QStringLiteral("File"), file->name},
                {QStringLiteral("Table"),
                 QStringLiteral("%1 pillar widths, %2 depths").arg(file->widths).arg(file->depths)},
                {QStringLiteral("SHA-256"), file->checksum},
            }));
        else
            blocks.push_back(
                Block::Paragraph(QStringLiteral("No modelling-results file is loaded."), true));
    }
    return blocks;
}

std::vector<Block> MethodBlocks(const ReportInputs& in) {
    const auto& d = in.screen.design;
    const auto& shown = in.screen.shown;
    std::vector<Block> blocks;
    blocks.push_back(Block::Heading(QStringLiteral("Average pillar stress")));
    switch (d.method) {
    case Method::Tributary:
        blocks.push_back(Block::Paragraph(
            QStringLiteral(
                "Tributary area theory: each pillar carries the weight of the rock above "
                "its tributary area. Extraction e = (T − P) / T × 100 with the "
                "tributary area T = (w + b1) × (l + b2) = (%1 + %2) × (%3 + %4) m² and "
                "the pillar area P = w × l = %1 × %3 m²; stress σ = ρ × 9.81 × H / 1000 "
                "/ (1 − e / 100) with ρ = %5 and H = %6 m.")
                .arg(d.width, d.bord1, d.length, d.bord2, d.density, d.depth)));
        break;
    case Method::Modelled:
        blocks.push_back(Block::Paragraph(
            QStringLiteral("A known average pillar stress from numerical stress modelling, typed "
                           "on the screen: %1 MPa. The extraction e = (T − P) / T × 100 with T = "
                           "(%2 + %3) × (%4 + %5) m² and P = %2 × %4 m².")
                .arg(d.stress, d.width, d.bord1, d.length, d.bord2)));
        break;
    case Method::Interpolation:
        blocks.push_back(Block::Paragraph(
            QStringLiteral("Interpolated by depth (%1 m) and pillar width (%2 m) in the table of "
                           "the modelling-results file: between the two modelled widths around "
                           "the width and, on each curve, between the two depths around the "
                           "depth. The extraction is that of a square pillar between the "
                           "modelling's bords.")
                .arg(d.depth, d.width)));
        break;
    }
    blocks.push_back(Block::Table({
        {QStringLiteral("Result"), QStringLiteral("As the screen shows it")},
        {QStringLiteral("% Extraction"), OrNotCalculated(shown.extraction)},
        {QStringLiteral("Pillar stress (MPa)"), OrNotCalculated(shown.stress)},
    }));
    blocks.push_back(Block::Heading(QStringLiteral("Effective pillar width")));
    blocks.push_back(Block::Paragraph(
        QStringLiteral("w_eff = 4 × w × l / (2 × w + 2 × l), four times the plan area over the "
                       "perimeter, shown to one decimal: %1 m.")
            .arg(OrNotCalculated(shown.effectiveWidth))));
    blocks.push_back(Block::Heading(QStringLiteral("Pillar strength")));
    blocks.push_back(Block::Paragraph(
        QStringLiteral("Hedley/Grant formula: S = K × w_eff^α / h^β with K = %1 MPa, α = %2, "
                       "β = %3 and h = %4 m.")
            .arg(d.k, d.alpha, d.beta, d.height)));
    const bool squat =
        shown.formula ==
        QString::fromLatin1(engine::FormulaMessage(engine::StrengthFormula::SquatPillar));
    blocks.push_back(Block::Paragraph(
        QStringLiteral("Above the W:H-ratio R0 = %1 (\"Start squat pillar\") the squat pillar "
                       "formula applies: S = K × R0^b / V^a × (1 + (0.5933 / ε) × ((W:H / R0)^ε "
                       "− 1)) with a = |α − β| / 3, b = (2β + α) / 3, the pillar volume V = l × "
                       "w_eff × h and ε = %2 (\"Strength incr. rate\").%3")
            .arg(d.squatStart, d.increaseRate,
                 squat ? QStringLiteral(" It applies to this design.") : QString())));
    if (!shown.formula.isEmpty())
        blocks.push_back(Block::Paragraph(shown.formula));
    blocks.push_back(Block::Table({
        {QStringLiteral("Result"), QStringLiteral("As the screen shows it")},
        {QStringLiteral("W:H-ratio"), OrNotCalculated(shown.widthHeightRatio)},
        {QStringLiteral("Pillar strength (MPa)"), OrNotCalculated(shown.strength)},
    }));
    blocks.push_back(Block::Heading(QStringLiteral("Factor of safety")));
    blocks.push_back(Block::Paragraph(
        QStringLiteral("FOS = S / σ, the pillar strength over the average pillar stress: %1.")
            .arg(OrNotCalculated(shown.factorOfSafety)),
        shown.factorOfSafetyTooSmall));
    blocks.push_back(Block::Heading(QStringLiteral("References")));
    blocks.push_back(Block::Paragraph(
        QStringLiteral("Hedley, D.G.F. and Grant, F. (1972). Stope-and-pillar design for the "
                       "Elliot Lake uranium mines. Bulletin of the Canadian Institute of Mining "
                       "and Metallurgy 65, 37–44.")));
    blocks.push_back(Block::Paragraph(
        QStringLiteral("Madden, B.J. (1991). A re-assessment of coal-pillar design. Journal of "
                       "the South African Institute of Mining and Metallurgy 91(1), 27–37.")));
    return blocks;
}

std::vector<Block> PlanBlocks(const ReportInputs& in) {
    std::vector<Block> blocks;
    if (in.screen.drawPlan && UsesPlan(in.screen.design.method))
        if (std::optional<Drawing> plan = PlanDrawing(in.screen.design))
            blocks.push_back(Block::Picture(std::move(*plan)));
    if (in.screen.stressChart)
        blocks.push_back(Block::Picture(*in.screen.stressChart));
    return blocks;
}

std::vector<Block> Assumptions(const ReportInputs& in) {
    const auto& shown = in.screen.shown;
    std::vector<Block> blocks;
    if (in.screen.design.method == Method::Tributary)
        blocks.push_back(Block::Paragraph(QStringLiteral(
            "Tributary area theory assumes a regular layout of identical pillars over an area "
            "wide compared with its depth, in which every pillar carries the whole weight of the "
            "rock above its tributary area and nothing is carried by abutments, barrier pillars "
            "or backfill. It gives the average stress over the pillar, not its distribution.")));
    blocks.push_back(Block::Paragraph(
        QStringLiteral("The program flags a W:H-ratio below %1 and an FOS below %2. The "
                       "Hedley/Grant formula was fitted to slender hard-rock pillars.")
            .arg(Limit(2.5f, in.locale), Limit(1.6f, in.locale))));
    blocks.push_back(Block::Heading(QStringLiteral("The W:H range of the strength formula")));
    QString range =
        QStringLiteral("The screen's strength formula is the Hedley/Grant power formula up to "
                       "and including the W:H-ratio R0 = %1 (\"Start squat pillar\" as the screen "
                       "shows it) and the squat pillar formula above it.")
            .arg(OrNotGiven(in.screen.design.squatStart));
    if (!shown.widthHeightRatio.isEmpty() && !shown.formula.isEmpty())
        range += QStringLiteral(" At this design's W:H-ratio of %1 the screen says: \"%2\".")
                     .arg(shown.widthHeightRatio, shown.formula);
    blocks.push_back(Block::Paragraph(range));
    const evaluation::FormulaDataRange& data = in.screen.formulaData;
    if (data.known)
        blocks.push_back(Block::Paragraph(
            QStringLiteral("The pillar data behind the formula's constants cover W:H-ratios "
                           "from %1.")
                .arg(data.text)));
    else
        blocks.push_back(Block::Paragraph(QStringLiteral(
            "The W:H range of the pillar data behind the formula's constants is not known (it "
            "was not found in the sources of the Hedley/Grant constants), so no W:H-ratio can "
            "be checked against it.")));
    if (data.outside && !shown.widthHeightRatio.isEmpty())
        blocks.push_back(Block::Paragraph(
            QStringLiteral("This design's W:H-ratio %1 lies outside the W:H range %2 of the data "
                           "behind the formula's constants.")
                .arg(shown.widthHeightRatio, data.text),
            true));
    for (const ToolContribution& tool : in.tools)
        if (tool.leftOut.isEmpty())
            for (const QString& outside : tool.outsideRanges)
                blocks.push_back(Block::Paragraph(outside, true));
    if (shown.widthHeightTooSmall)
        blocks.push_back(Block::Paragraph(QStringLiteral("This design's W:H-ratio %1 is below %2.")
                                              .arg(shown.widthHeightRatio, Limit(2.5f, in.locale)),
                                          true));
    if (shown.factorOfSafetyTooSmall)
        blocks.push_back(Block::Paragraph(QStringLiteral("This design's FOS %1 is below %2.")
                                              .arg(shown.factorOfSafety, Limit(1.6f, in.locale)),
                                          true));
    blocks.push_back(Block::Paragraph(QStringLiteral("Made with %1.").arg(in.program)));
    blocks.push_back(Block::Paragraph(kDisclaimer));
    return blocks;
}

} // namespace

QString InputOrigin(const QString& text, const QStringList& items) {
    if (text.isEmpty())
        return {};
    return items.contains(text) ? QStringLiteral("from the list") : QStringLiteral("typed");
}

QStringList MissingResults(const ShownResults& shown) {
    QStringList missing;
    for (const ResultRow& row : kResultRows)
        if ((shown.*row.text).isEmpty())
            missing << QString::fromUtf8(row.caption);
    return missing;
}

std::vector<Section> BuildSections(const ReportInputs& in) {
    std::vector<Section> sections;
    for (SectionId id : kSectionOrder) {
        Section section;
        section.id = id;
        switch (id) {
        case SectionId::Summary:
            section.blocks = Summary(in);
            break;
        case SectionId::Inputs:
            section.blocks = Inputs(in);
            break;
        case SectionId::Method:
            section.blocks = MethodBlocks(in);
            break;
        case SectionId::Plan:
            section.blocks = PlanBlocks(in);
            break;
        case SectionId::Assumptions:
            section.blocks = Assumptions(in);
            break;
        case SectionId::Charts:
        case SectionId::Solve:
        case SectionId::Probability:
        case SectionId::Formulas:
            for (const ToolContribution& tool : in.tools)
                if (tool.id == id) {
                    section.blocks = tool.blocks;
                    section.leftOut = tool.leftOut;
                }
            break;
        }
        sections.push_back(std::move(section));
    }
    return sections;
}

std::optional<Drawing> PlanDrawing(const evaluation::DesignTexts& design) {
    const auto number = [](const QString& text) {
        return static_cast<float>(ReadLeadingNumber(text));
    };
    const PillarPlan plan = PlanPillar(number(design.width), number(design.length),
                                       number(design.bord1), number(design.bord2));
    if (!plan.shape)
        return std::nullopt;
    const PillarShape shape = *plan.shape;
    Drawing drawing;
    drawing.size = QSizeF(220, 220);
    drawing.caption =
        QStringLiteral("One pillar of %1 m × %2 m with its bords of %3 m and %4 m, to scale")
            .arg(design.width, design.length, design.bord1, design.bord2);
    drawing.draw = [shape, design](QPainter& painter, const QRectF& box) {
        // The plan units of the dimensions dialog, fitted into the box.
        const double unit = std::min(box.width(), box.height()) / kPlanSpan;
        const auto at = [&](double x, double y) {
            return QPointF(box.left() + (x - kPlanLeft) * unit, box.top() + (y - kPlanTop) * unit);
        };
        const auto rect = [&](const PlanRect& r) {
            return QRectF(at(r.left, r.top), at(r.right, r.bottom));
        };
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        QPen cell(kPlanBlue, 1, Qt::DashDotDotLine);
        painter.setPen(cell);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect(shape.cell));
        painter.setPen(QPen(kPlanBlue, 1));
        painter.setBrush(kPlanBlue);
        painter.drawRect(rect(shape.pillar));
        QFont font = painter.font();
        font.setPixelSize(std::max(1, static_cast<int>(box.height() / 28)));
        painter.setFont(font);
        painter.setPen(Qt::black);
        const QRectF pillar = rect(shape.pillar);
        const QRectF cellBox = rect(shape.cell);
        const double line = font.pixelSize() * 1.5;
        painter.drawText(QRectF(box.left(), cellBox.bottom() + 2, box.width(), line),
                         Qt::AlignCenter, QStringLiteral("w = %1 m").arg(design.width));
        painter.save();
        painter.translate(cellBox.left() - 2, pillar.center().y());
        painter.rotate(-90);
        painter.drawText(QRectF(-box.height() / 2, -line, box.height(), line), Qt::AlignCenter,
                         QStringLiteral("l = %1 m").arg(design.length));
        painter.restore();
        painter.drawText(QRectF(box.left(), cellBox.top() - line - 2, box.width(), line),
                         Qt::AlignCenter,
                         QStringLiteral("b1 = %1 m, b2 = %2 m").arg(design.bord1, design.bord2));
        painter.restore();
    };
    return drawing;
}

} // namespace vt::designreport
