// The design report's content, apart from any page: from the screen's design
// as it stands (its texts, the results it shows, where K came from, the
// modelling-results file) and what the open tools show for it, the report's
// sections in order, each a list of paragraphs, tables and drawings.
//
// Every number is a text the screen or a tool shows, or a text typed into
// it: nothing is worked out here. A result the screen does not show yet is
// named as missing; a tool whose results do not belong to the design as it
// stands is left out with the reason.
#pragma once

#include "app/designreportkeeper.h"
#include "evaluation/design.h"
#include "evaluation/numbers.h"
#include "evaluation/strengthformulas.h"

#include <QSizeF>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <vector>

class QPainter;
class QRectF;

namespace vt::designreport {

enum class SectionId {
    Summary,
    Inputs,
    Method,
    Plan,
    Charts,
    Solve,
    Probability,
    Formulas,
    Assumptions
};
inline constexpr std::array<SectionId, 9> kSectionOrder{
    SectionId::Summary,     SectionId::Inputs,   SectionId::Method,
    SectionId::Plan,        SectionId::Charts,   SectionId::Solve,
    SectionId::Probability, SectionId::Formulas, SectionId::Assumptions};

// Each section's heading in the report and the end of its tick's object
// name in the report window (chkSummary, ...), in kSectionOrder's order.
struct SectionNames {
    SectionId id;
    const char* title;
    const char* objectSuffix;
};
inline constexpr std::array<SectionNames, 9> kSectionNames{{
    {SectionId::Summary, "Summary", "Summary"},
    {SectionId::Inputs, "Inputs", "Inputs"},
    {SectionId::Method, "Method", "Method"},
    {SectionId::Plan, "Pillar plan", "Plan"},
    {SectionId::Charts, "Design charts", "Charts"},
    {SectionId::Solve, "Solve for a target FOS", "Solve"},
    {SectionId::Probability, "Probability of failure", "Probability"},
    {SectionId::Formulas, "The strength formulas compared", "Formulas"},
    {SectionId::Assumptions, "Assumptions and limits", "Assumptions"},
}};

// "Summary", "Inputs", ... as the report heads the section.
QString SectionTitle(SectionId id);
// "Summary", "Plan", ...: the end of the section's tick's object name.
QString SectionObjectSuffix(SectionId id);

// A picture drawn as vectors into a rectangle of the given shape.
struct Drawing {
    QSizeF size; // points (1/72 inch)
    std::function<void(QPainter& painter, const QRectF& box)> draw;
    QString caption;
};

struct Block {
    enum class Kind { Paragraph, Heading, Table, Drawing };
    Kind kind = Kind::Paragraph;
    QString text;                  // a paragraph or a heading
    std::vector<QStringList> rows; // a table; the first row heads its columns
    std::vector<double> widths;    // each column's share of the width in percent; none: as fits
    Drawing drawing;
    bool warning = false; // a paragraph the screen would show red

    static Block Paragraph(QString text, bool warning = false);
    static Block Heading(QString text);
    static Block Table(std::vector<QStringList> rows, std::vector<double> widths = {});
    static Block Picture(Drawing drawing);
};

struct Section {
    SectionId id = SectionId::Summary;
    std::vector<Block> blocks; // empty: the section has nothing to say
    QString leftOut;           // why a tool's section is not in the report

    bool hasContent() const { return !blocks.empty(); }
};

// What the user types in the report window (the sections ticked are the
// report's business, not the content's).
using ReportFields = DesignReportFields;

// A section's name in evaluation files ("summary", "inputs", ...), and back.
QString SectionKey(SectionId id);
std::optional<SectionId> SectionFromKey(const QString& key);

// The modelling-results file the interpolation screen uses.
struct ModellingFileInfo {
    QString name;
    int widths = 0;   // curves (pillar widths) in its table
    int depths = 0;   // lines of readings
    QString checksum; // SHA-256, as the evaluation file keeps it
};

// The calculation screen as it stands.
struct ScreenState {
    QString title; // "Tributary Theory"
    evaluation::DesignTexts design;
    ShownResults shown;
    StrengthConstantSource kSource;
    // The items of each input field's list, as the screen offers them (none
    // for a text box).
    std::map<evaluation::Input, QStringList> inputLists;
    // The W:H range of the data behind the constants of the screen's formula,
    // and whether the screen's W:H lies outside it.
    evaluation::FormulaDataRange formulaData;
    std::optional<ModellingFileInfo> modelling;
    // What the pillar plan draws, from the screen's texts; none for the
    // interpolation screen, whose bords are the modelling's.
    bool drawPlan = true;
    // The interpolation screen's chart with its guide lines, drawn as vectors.
    std::optional<Drawing> stressChart;
};

// What a tool contributes: its blocks when its results belong to the design
// as it stands, else why it is left out.
struct ToolContribution {
    SectionId id = SectionId::Solve;
    std::vector<Block> blocks;
    QString leftOut;
    // Results the tool shows outside a known W:H range of a formula's data,
    // said again under "Assumptions and limits".
    QStringList outsideRanges = {};
};

struct ReportInputs {
    ScreenState screen;
    evaluation::NumberLocale locale = evaluation::NumberLocale::Point();
    ReportFields fields;
    std::vector<ToolContribution> tools;
    QString program; // "Vandrel Tessaron 1.2.0"
};

// Where an input's text came from, as far as the screen can tell: "from the
// list" when it is one of the items of the field's list (picked, or typed the
// same), "typed" when it is not; empty for an empty text.
QString InputOrigin(const QString& text, const QStringList& items);

// The results the screen does not show yet, by caption; empty when the
// evaluation is complete.
QStringList MissingResults(const ShownResults& shown);

// Every section in report order, each with its blocks (or empty).
std::vector<Section> BuildSections(const ReportInputs& inputs);

// The pillar plan of the typed dimensions, drawn as the dimensions dialog
// draws it; none when the texts give nothing to draw.
std::optional<Drawing> PlanDrawing(const evaluation::DesignTexts& design);

} // namespace vt::designreport
