#include "evaluation/strengthformulas.h"

#include "engine/shortest.h"
#include "evaluation/messages.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vt::evaluation {

namespace {

using engine::FormulaForm;
using engine::StrengthPreset;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kLowestRatio = 0.25;

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Refusal Refused(const QString& message) {
    return {message, kStrengthFormulasTitle};
}

// A field of the window read as the screens read theirs (single precision);
// an empty text gives none.
Step<std::optional<double>> ReadField(const QString& caption, const QString& text,
                                      const NumberLocale& locale) {
    if (text.trimmed().isEmpty())
        return std::optional<double>();
    const Reading<float> r = ReadSingle(text, locale);
    if (!r)
        return NumberRefusal(caption, text, r.problem, locale);
    return std::optional<double>(static_cast<double>(r.value));
}

Step<double> RequiredField(const QString& caption, const QString& text,
                           const NumberLocale& locale) {
    const auto value = ReadField(caption, text, locale);
    if (!value)
        return value.refusal();
    if (!value.value().has_value())
        return Refused(QStringLiteral("Fill in \"%1\"").arg(caption));
    return *value.value();
}

// A number the window read as the screens read theirs (single precision),
// shown as read: "1.6", not its widening "1.600000023841858".
QString ShowRead(double value, const NumberLocale& locale) {
    return QString::fromStdString(
        engine::ShortestFloatText(static_cast<float>(value), locale.separator()));
}

// A number of a preset: the published ones as they are, the user's as read.
QString ShowNumberOf(const StrengthPreset& preset, double value, const NumberLocale& locale) {
    return preset.key == "user" ? ShowRead(value, locale) : ShowShortest(value, locale);
}

engine::FormulaPillar PillarOf(const FormulaComparison& c, double width, double ratio) {
    return {width, c.height, ratio, c.ucs, c.ldf, c.scaleToUcs};
}

// The row of a preset (or of the user's formula) for the pillar.
FormulaRow PresetRow(const StrengthPreset& preset, const FormulaComparison& c,
                     const NumberLocale& locale) {
    FormulaRow row;
    row.key = Text(preset.key);
    row.name = Text(preset.name);
    row.form = Text(preset.formText);
    const FormulaDataRange range = DataRangeOf(preset, c.ratio, locale);
    row.dataRange = range.text;
    row.outsideData = range.outside;
    if (preset.designFos)
        row.designFos = ShowNumberOf(preset, *preset.designFos, locale);
    QStringList notes;
    if (!preset.remark.empty())
        notes << Text(preset.remark);
    const engine::FormulaPillar pillar = PillarOf(c, c.width, c.ratio);
    const auto strength = engine::PresetStrength(preset, pillar);
    if (!strength) {
        notes << (preset.needsUcs() && !c.ucs ? QStringLiteral("Needs the UCS.")
                                              : QStringLiteral("No finite strength."));
        row.note = notes.join(QLatin1Char(' '));
        return row;
    }
    if (c.scaleToUcs && preset.scalable() && c.ucs)
        notes << QStringLiteral("Constant %1 MPa scaled to %2 MPa (UCS %3 of %4 MPa).")
                     .arg(ShowShortest(preset.constant, locale),
                          ShowResult(*engine::EffectiveConstant(preset, pillar), 1, locale),
                          ShowRead(*c.ucs, locale), ShowShortest(*preset.fittedUcs, locale));
    row.hasStrength = true;
    row.strengthValue = strength.value();
    row.factorOfSafetyValue = strength.value() / c.stress;
    row.strength = ShowResult(row.strengthValue, 1, locale);
    row.factorOfSafety = ShowResult(row.factorOfSafetyValue, 1, locale);
    if (preset.designFos)
        row.meets = row.factorOfSafetyValue >= *preset.designFos ? QStringLiteral("yes")
                                                                 : QStringLiteral("no");
    row.note = notes.join(QLatin1Char(' '));
    return row;
}

FormulaRow ScreenRow(const StrengthPreset& preset, const Evaluation& e,
                     const NumberLocale& locale) {
    FormulaRow row;
    row.key = Text(preset.key);
    row.name = Text(preset.name);
    row.form = Text(preset.formText);
    row.preset = &preset;
    const FormulaDataRange range = ScreenFormulaDataRange(e, locale);
    row.dataRange = range.text;
    row.outsideData = range.outside;
    row.strength = e.strength;
    row.factorOfSafety = e.factorOfSafety;
    row.designFos = ShowShortest(*preset.designFos, locale);
    row.meets = e.factorOfSafetyTooSmall ? QStringLiteral("no") : QStringLiteral("yes");
    row.note = e.formula;
    row.hasStrength = true;
    row.strengthValue = static_cast<double>(e.strengthValue);
    row.factorOfSafetyValue = static_cast<double>(e.factorOfSafetyValue);
    return row;
}

// The user's formula as a preset (its texts are kept in the row).
Step<StrengthPreset> ReadUser(const UserFormulaTexts& t, const NumberLocale& locale) {
    const Step<double> constant = RequiredField(kUserConstantCaption, t.constant, locale);
    if (!constant)
        return constant.refusal();
    const Step<double> a = RequiredField(kUserACaption, t.a, locale);
    if (!a)
        return a.refusal();
    const Step<double> b = RequiredField(kUserBCaption, t.b, locale);
    if (!b)
        return b.refusal();
    const Step<double> fos = RequiredField(kUserFosCaption, t.designFos, locale);
    if (!fos)
        return fos.refusal();
    if (!(fos.value() > 0))
        return Refused(QStringLiteral("\"%1\" must be above 0").arg(kUserFosCaption));
    const auto low = ReadField(kUserLowCaption, t.ratioLow, locale);
    if (!low)
        return low.refusal();
    const auto high = ReadField(kUserHighCaption, t.ratioHigh, locale);
    if (!high)
        return high.refusal();
    if (low.value().has_value() != high.value().has_value() ||
        (low.value() && *low.value() > *high.value()))
        return Refused(QStringLiteral("\"%1\" and \"%2\" give the W:H range of your formula's "
                                      "data: fill in both, the first not above the second, or "
                                      "neither")
                           .arg(kUserLowCaption, kUserHighCaption));
    StrengthPreset user;
    user.key = "user";
    user.name = "Your formula";
    user.authors = "you";
    user.form = t.linear ? FormulaForm::Linear : FormulaForm::Power;
    user.constant = constant.value();
    user.a = a.value();
    user.b = b.value();
    user.rock = "the site's";
    user.ratioLow = low.value();
    user.ratioHigh = high.value();
    user.designFos = fos.value();
    user.source = "typed by the user";
    return user;
}

QString UserFormText(const UserFormulaTexts& t) {
    return t.linear ? QStringLiteral("%1 (%2 + %3 W/H)").arg(t.constant, t.a, t.b)
                    : QStringLiteral("%1 W^%2 / H^%3").arg(t.constant, t.a, t.b);
}

} // namespace

FormulaDataRange DataRangeOf(const engine::StrengthPreset& preset, double ratio,
                             const NumberLocale& locale) {
    FormulaDataRange range;
    if (!preset.ratioLow || !preset.ratioHigh)
        return range;
    range.known = true;
    range.text = QStringLiteral("%1 to %2")
                     .arg(ShowNumberOf(preset, *preset.ratioLow, locale),
                          ShowNumberOf(preset, *preset.ratioHigh, locale));
    range.outside = engine::OutsideData(preset, ratio);
    return range;
}

FormulaDataRange ScreenFormulaDataRange(const Evaluation& evaluation, const NumberLocale& locale) {
    for (const StrengthPreset& preset : engine::kStrengthPresets)
        if (preset.form == FormulaForm::Screen) {
            FormulaDataRange range =
                DataRangeOf(preset, static_cast<double>(evaluation.widthHeightRatioValue), locale);
            range.outside = range.outside && evaluation.complete();
            return range;
        }
    return {};
}

Step<FormulaComparison> CompareFormulas(const FormulaInputs& inputs, const NumberLocale& locale,
                                        const results::ModellingResults* table) {
    FormulaComparison c;
    c.screen = Evaluate(inputs.design, locale, table);
    if (!c.screen.complete())
        return *c.screen.refusal;
    const auto ucs = ReadField(kUcsCaption, inputs.ucs, locale);
    if (!ucs)
        return ucs.refusal();
    if (ucs.value() && !(*ucs.value() > 0))
        return Refused(QStringLiteral("The UCS in \"%1\" must be above 0").arg(kUcsCaption));
    c.ucs = ucs.value();
    const Step<double> ldf = RequiredField(kLdfCaption, inputs.ldf, locale);
    if (!ldf)
        return ldf.refusal();
    if (!(ldf.value() > 0) || ldf.value() > 1)
        return Refused(QStringLiteral("The large-discontinuity factor in \"%1\" must be above 0 "
                                      "and not above 1 (1: no large discontinuities)")
                           .arg(kLdfCaption));
    c.ldf = ldf.value();
    c.scaleToUcs = inputs.scaleToUcs;
    // The numbers the screen's strength step read, as it read them.
    c.width = static_cast<double>(ReadSingle(c.screen.effectiveWidth, locale).value);
    c.height = static_cast<double>(ReadSingle(inputs.design.height, locale).value);
    c.ratio = static_cast<double>(c.screen.widthHeightRatioValue);
    c.stress = static_cast<double>(c.screen.averagePillarStress);

    for (const StrengthPreset& preset : engine::kStrengthPresets) {
        if (preset.form == FormulaForm::Screen)
            c.rows.push_back(ScreenRow(preset, c.screen, locale));
        else
            c.rows.push_back(PresetRow(preset, c, locale));
        c.rows.back().preset = &preset;
    }
    if (inputs.user) {
        const Step<StrengthPreset> user = ReadUser(*inputs.user, locale);
        if (!user)
            return user.refusal();
        c.user = user.value();
        FormulaRow row = PresetRow(*c.user, c, locale);
        row.form = UserFormText(*inputs.user);
        if (!row.hasStrength)
            return Refused(QStringLiteral("Your formula gives no finite strength for this "
                                          "pillar: check \"%1\", \"%2\" and \"%3\"")
                               .arg(kUserConstantCaption, kUserACaption, kUserBCaption));
        c.rows.push_back(row);
    }
    return c;
}

FormulaCharts ChartFormulas(const FormulaComparison& c, const FormulaInputs& inputs,
                            const std::vector<bool>& shown, const NumberLocale& locale,
                            const results::ModellingResults* table, int points) {
    FormulaCharts charts;
    charts.stress = c.stress;
    charts.pillarRatio = c.ratio;
    const int n = std::max(points, 2);
    const double high = std::max(3.0, 1.5 * c.ratio);
    charts.ratios.reserve(static_cast<std::size_t>(n) + 1);
    for (int i = 0; i < n; ++i)
        charts.ratios.push_back(kLowestRatio + (high - kLowestRatio) * i / (n - 1));
    if (c.ratio > 0) {
        const auto at = std::lower_bound(charts.ratios.begin(), charts.ratios.end(), c.ratio);
        if (at == charts.ratios.end() || *at != c.ratio)
            charts.ratios.insert(at, c.ratio);
    }
    // The screen's own steps over W:H at the pillar's height.
    const Step<DesignNumbers> numbers = ReadNumbers(inputs.design, locale, table);
    for (std::size_t i = 0; i < c.rows.size(); ++i) {
        if (i < shown.size() && !shown[i])
            continue;
        const FormulaRow& row = c.rows[i];
        RatioCurve curve{row.key, row.name, {}};
        curve.values.reserve(charts.ratios.size());
        for (double r : charts.ratios) {
            // At the pillar's own ratio, the pillar's own width.
            const double width = r == c.ratio ? c.width : r * c.height;
            double value = kNaN;
            if (row.preset && row.preset->form == FormulaForm::Screen) {
                if (numbers) {
                    const DesignNumbers& d = numbers.value();
                    const double length = c.width > 0 ? d.length * width / c.width : d.length;
                    const auto s = engine::CalculatePillarStrength(
                        {static_cast<float>(width), static_cast<float>(length),
                         static_cast<float>(c.height), static_cast<float>(d.k),
                         static_cast<float>(d.alpha), static_cast<float>(d.beta),
                         static_cast<float>(d.squatStart), static_cast<float>(d.increaseRate)});
                    if (s)
                        value = static_cast<double>(s.value().strength);
                }
            } else {
                const StrengthPreset* preset = row.preset ? row.preset : &*c.user;
                const auto s = engine::PresetStrength(*preset, PillarOf(c, width, r));
                if (s)
                    value = s.value();
            }
            curve.values.push_back(value);
        }
        charts.strength.push_back(std::move(curve));
    }
    charts.failedAbove.reserve(charts.ratios.size());
    charts.stableBelow.reserve(charts.ratios.size());
    for (double r : charts.ratios) {
        const auto k = engine::ConfinementAt(r);
        charts.failedAbove.push_back(k ? k.value().strengthOverUcs : kNaN);
        charts.stableBelow.push_back(k ? k.value().strengthOverUcs / 1.4 : kNaN);
    }
    if (c.ucs)
        charts.pillarStressOverUcs = c.stress / *c.ucs;
    return charts;
}

} // namespace vt::evaluation
