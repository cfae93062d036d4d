// The points of a curve as CSV: one row per point with every input as typed
// and every result text as the screen would show it, the numbers with the
// file's decimal mark.
#include "design/sweep.h"
#include "evaluation/csv.h"
#include "evaluation/designfields.h"
#include "evaluation/messages.h"

#include <QStringList>

namespace vt::design {

namespace {

using evaluation::Caption;
using evaluation::DesignTexts;
using evaluation::Evaluation;
using evaluation::Input;

// The input columns, in the order the curve's tables have always had.
constexpr Input kInputColumns[] = {
    Input::RockDensity,  Input::ModelledStress, Input::Depth,      Input::PillarWidth,
    Input::PillarLength, Input::BordWidth1,     Input::BordWidth2, Input::K,
    Input::PillarHeight, Input::Alpha,          Input::Beta,       Input::SquatStart,
    Input::IncreaseRate};

QStringList Header() {
    QStringList h{QStringLiteral("Method")};
    for (Input input : kInputColumns)
        h << Caption(input);
    h << QStringLiteral("% Extraction") << QStringLiteral("Pillar stress (MPa)")
      << Caption(Input::EffectiveWidth) << QStringLiteral("W:H-ratio")
      << QStringLiteral("Pillar strength (MPa)") << QStringLiteral("FOS")
      << QStringLiteral("Formula") << QStringLiteral("W:H too small")
      << QStringLiteral("FOS too small") << QStringLiteral("The screen's design")
      << QStringLiteral("No result because");
    return h;
}

// Every input and shown result that is a number takes the file's decimal
// mark; the method, the formula and the messages stay as they are.
QStringList Fields(const DesignTexts& t, const Evaluation& e, bool screens,
                   const evaluation::NumberLocale& locale, evaluation::CsvConvention convention) {
    QStringList f;
    for (Input input : kInputColumns)
        f << t.*evaluation::FieldOf(input)->text;
    f << e.extraction << e.stress << e.effectiveWidth << e.widthHeightRatio << e.strength
      << e.factorOfSafety;
    for (QString& number : f)
        number = evaluation::CsvNumberText(number, locale, convention);
    f.prepend(evaluation::MethodName(t.method));
    f << e.formula;
    if (e.complete())
        f << evaluation::CsvFlag(e.widthHeightTooSmall)
          << evaluation::CsvFlag(e.factorOfSafetyTooSmall);
    else
        f << QString() << QString();
    f << evaluation::CsvFlag(screens) << (e.refusal ? e.refusal->message : QString());
    return f;
}

} // namespace

QString CsvRow(const QStringList& fields, evaluation::CsvConvention convention) {
    QByteArray record;
    evaluation::AppendRecord(record, fields, convention);
    return QString::fromUtf8(record);
}

QString CurveCsv(const BaseDesign& base, const Curve& curve, evaluation::CsvConvention convention) {
    QByteArray csv;
    evaluation::AppendRecord(csv, Header(), convention);
    const evaluation::Step<Variation> v = Variation::Of(base, curve.quantity);
    for (const CurvePoint& point : curve.points) {
        const bool screens = !point.grid;
        const DesignTexts texts = screens || !v ? base.texts : v->textsAt(*point.grid);
        const Evaluation shown =
            screens ? base.shown : evaluation::Evaluate(texts, base.locale, base.table);
        evaluation::AppendRecord(csv, Fields(texts, shown, screens, base.locale, convention),
                                 convention);
    }
    return QString::fromUtf8(csv);
}

} // namespace vt::design
