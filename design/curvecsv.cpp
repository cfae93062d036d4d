// The points of a curve as CSV: one row per point with every input as typed
// and every result text as the screen would show it.
#include "design/sweep.h"
#include "evaluation/designfields.h"
#include "evaluation/messages.h"

#include <QStringList>

namespace vt::design {

namespace {

using evaluation::Caption;
using evaluation::DesignTexts;
using evaluation::Evaluation;
using evaluation::Input;

QString Field(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

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

QString YesNo(bool yes) {
    return yes ? QStringLiteral("yes") : QStringLiteral("no");
}

QStringList Fields(const DesignTexts& t, const Evaluation& e, bool screens) {
    QStringList f{evaluation::MethodName(t.method)};
    for (Input input : kInputColumns)
        f << t.*evaluation::FieldOf(input)->text;
    f << e.extraction << e.stress << e.effectiveWidth << e.widthHeightRatio << e.strength
      << e.factorOfSafety << e.formula;
    if (e.complete())
        f << YesNo(e.widthHeightTooSmall) << YesNo(e.factorOfSafetyTooSmall);
    else
        f << QString() << QString();
    f << YesNo(screens) << (e.refusal ? e.refusal->message : QString());
    return f;
}

} // namespace

QString CsvRow(const QStringList& fields) {
    QStringList escaped;
    for (const QString& field : fields)
        escaped << Field(field);
    return escaped.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

QString CurveCsv(const BaseDesign& base, const Curve& curve) {
    QString csv = CsvRow(Header());
    const evaluation::Step<Variation> v = Variation::Of(base, curve.quantity);
    for (const CurvePoint& point : curve.points) {
        const bool screens = !point.grid;
        const DesignTexts texts = screens || !v ? base.texts : v->textsAt(*point.grid);
        const Evaluation shown =
            screens ? base.shown : evaluation::Evaluate(texts, base.locale, base.table);
        csv += CsvRow(Fields(texts, shown, screens));
    }
    return csv;
}

} // namespace vt::design
