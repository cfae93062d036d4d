#include "evaluation/steps.h"

#include "results/core/interpolation.h"
#include "results/core/modellingfile.h"

#include <charconv>
#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>

namespace vt::evaluation {

namespace {

using engine::Fault;

// A field of a step: what it holds and which input it is, for messages.
struct Field {
    const QString& text;
    Input input;
};

bool AllFilled(std::initializer_list<const QString*> texts) {
    for (const QString* text : texts)
        if (text->isEmpty())
            return false;
    return true;
}

Refusal Insufficient(const QString& message) {
    return {message, kInsufficientDataTitle};
}

// Reads the fields in order into `values`; the refusal of the first that is
// not a number.
template <class T, std::size_t N>
std::optional<Refusal> ReadAll(const Field (&fields)[N], T (&values)[N],
                               const NumberLocale& locale) {
    for (std::size_t i = 0; i < N; ++i) {
        if constexpr (std::is_same_v<T, float>) {
            const Reading<float> r = ReadSingle(fields[i].text, locale);
            if (!r)
                return NumberRefusal(fields[i].input, fields[i].text, r.problem, locale);
            values[i] = r.value;
        } else {
            const Reading<double> r = ReadDouble(fields[i].text, locale);
            if (!r)
                return NumberRefusal(fields[i].input, fields[i].text, r.problem, locale);
            values[i] = r.value;
        }
    }
    return std::nullopt;
}

// The pillar width, length and both bord widths read and the extraction
// worked out; the refusal that says what is wrong when it cannot.
struct PlanExtraction {
    float width = 0;
    float length = 0;
    float extraction = 0;
};

Step<PlanExtraction> ExtractionOfPlan(const PlanTexts& plan, const NumberLocale& locale) {
    const Field fields[] = {{plan.width, Input::PillarWidth},
                            {plan.length, Input::PillarLength},
                            {plan.bord1, Input::BordWidth1},
                            {plan.bord2, Input::BordWidth2}};
    float v[4] = {};
    if (auto refusal = ReadAll(fields, v, locale))
        return *refusal;
    const auto e = engine::CalculatePercentageExtraction(v[0], v[1], v[2], v[3]);
    if (!e)
        return FaultRefusal(e.fault(), Operation::Extraction, v[0], v[1]);
    return PlanExtraction{v[0], v[1], e.value()};
}

} // namespace

namespace {

// What the two first-tab steps share: every field filled, the loading input
// (density or typed stress) and the depth read as numbers, then the plan.
struct FirstTab {
    float loading = 0;
    float depth = 0;
    PlanExtraction plan;
};

Step<FirstTab> ReadFirstTab(const QString& loading, Input loadingInput, const QString& depth,
                            const PlanTexts& plan, const NumberLocale& locale) {
    if (!AllFilled({&loading, &depth, &plan.width, &plan.length, &plan.bord1, &plan.bord2}))
        return Insufficient(kFillAllFields);
    const Field fields[] = {{loading, loadingInput}, {depth, Input::Depth}};
    float v[2] = {};
    if (auto refusal = ReadAll(fields, v, locale))
        return *refusal;
    const Step<PlanExtraction> extraction = ExtractionOfPlan(plan, locale);
    if (!extraction)
        return extraction.refusal();
    return FirstTab{v[0], v[1], extraction.value()};
}

} // namespace

Step<StressShown> TributaryStress(const TributaryTexts& t, const NumberLocale& locale) {
    const Step<FirstTab> tab = ReadFirstTab(t.density, Input::RockDensity, t.depth, t.plan, locale);
    if (!tab)
        return tab.refusal();
    const PlanExtraction& plan = tab->plan;
    const auto stress =
        engine::CalculateTributaryPillarStress(tab->loading, tab->depth, plan.extraction);
    if (!stress)
        return FaultRefusal(stress.fault(), Operation::TributaryStress, plan.width, plan.length);
    return StressShown{ShowResult(plan.extraction, 1, locale),
                       ShowResult(stress.value(), 2, locale), plan.extraction, stress.value()};
}

// The depth takes no part in the calculation but is carried to the report, so
// it must be a number as well.
Step<StressShown> ModelledExtraction(const ModelledTexts& t, const NumberLocale& locale) {
    const Step<FirstTab> tab =
        ReadFirstTab(t.stress, Input::ModelledStress, t.depth, t.plan, locale);
    if (!tab)
        return tab.refusal();
    return StressShown{ShowResult(tab->plan.extraction, 1, locale), QString(), tab->plan.extraction,
                       tab->loading};
}

Step<WidthShown> EffectiveWidth(const QString& width, const QString& length,
                                const NumberLocale& locale) {
    if (width.isEmpty() || length.isEmpty())
        return Refusal{};
    const Field fields[] = {{width, Input::PillarWidth}, {length, Input::PillarLength}};
    double v[2] = {};
    if (auto refusal = ReadAll(fields, v, locale))
        return *refusal;
    const auto weff = engine::CalculateEffectivePillarWidth(v[0], v[1]);
    if (!weff)
        return FaultRefusal(weff.fault(), Operation::EffectiveWidth);
    return WidthShown{ShowResult(weff.value(), 1, locale), weff.value()};
}

Step<StrengthShown> Strength(const StrengthTexts& t, const Readiness& readiness,
                             float averagePillarStress, const NumberLocale& locale) {
    if (!AllFilled({&t.k, &t.effectiveWidth, &t.height, &t.alpha, &t.beta, &t.squatStart,
                    &t.increaseRate, &readiness.result}))
        return Insufficient(readiness.message);
    // Every input is read before anything changes; the first bad one is named.
    const Field fields[] = {{t.effectiveWidth, Input::EffectiveWidth},
                            {t.length, Input::PillarLength},
                            {t.height, Input::PillarHeight},
                            {t.k, Input::K},
                            {t.alpha, Input::Alpha},
                            {t.beta, Input::Beta},
                            {t.squatStart, Input::SquatStart},
                            {t.increaseRate, Input::IncreaseRate}};
    float v[8] = {};
    if (auto refusal = ReadAll(fields, v, locale))
        return *refusal;
    const engine::StrengthInputs in{v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]};
    const auto strength = engine::CalculatePillarStrength(in);
    if (!strength)
        return FaultRefusal(strength.fault(), Operation::Strength);
    const auto safety =
        engine::CalculateFactorOfSafety(strength.value().strength, averagePillarStress);
    if (!safety)
        return FaultRefusal(safety.fault(), Operation::FactorOfSafety);
    const engine::StrengthResult& s = strength.value();
    StrengthShown shown;
    shown.widthHeightRatio = ShowResult(s.widthHeightRatio, 1, locale);
    shown.strength = ShowResult(s.strength, 1, locale);
    shown.factorOfSafety = ShowResult(safety.value().factorOfSafety, 1, locale);
    static const QString kHedleyGrant =
        QString::fromUtf8(engine::FormulaMessage(engine::StrengthFormula::HedleyGrant));
    static const QString kSquatPillar =
        QString::fromUtf8(engine::FormulaMessage(engine::StrengthFormula::SquatPillar));
    shown.formula = s.formula == engine::StrengthFormula::SquatPillar ? kSquatPillar : kHedleyGrant;
    shown.widthHeightTooSmall = s.widthHeightTooSmall;
    shown.factorOfSafetyTooSmall = safety.value().tooSmall;
    shown.formulaUsed = s.formula;
    shown.widthHeightRatioValue = s.widthHeightRatio;
    shown.strengthValue = s.strength;
    shown.factorOfSafetyValue = safety.value().factorOfSafety;
    return shown;
}

// --- interpolation ---

QStringList WidthItems(const results::ModellingResults& table, const NumberLocale& locale) {
    QStringList items;
    for (const std::string& item : results::WidthListTexts(table, locale.separator()))
        items << QString::fromStdString(item);
    return items;
}

double InterpolationWidth(const results::ModellingResults& table, QStringView text,
                          const NumberLocale& locale) {
    // A picked width is the header's width exactly, whatever its text shows.
    if (!text.isEmpty()) {
        const auto items = results::WidthListTexts(table, locale.separator());
        const std::string typed = text.toString().toStdString();
        for (std::size_t i = 0; i < items.size(); ++i) {
            const std::size_t position = 2 * i + 1;
            if (items[i] == typed && position < table.Header.size())
                return table.Header[position];
        }
    }
    return ReadLeadingNumber(text, locale);
}

double InterpolationDepth(QStringView text, const NumberLocale& locale) {
    return ReadLeadingNumber(text, locale);
}

std::optional<double> RoundedInterpolatedStress(double stress) {
    const std::string text = engine::FormatResult(stress, 1);
    double rounded = 0;
    if (text.empty() ||
        std::from_chars(text.data(), text.data() + text.size(), rounded).ec != std::errc() ||
        !std::isfinite(static_cast<float>(rounded)))
        return std::nullopt;
    return rounded;
}

Step<InterpolationShown> Interpolation(const results::ModellingResults& table,
                                       const InterpolationTexts& t, const NumberLocale& locale) {
    if (table.FileName.empty())
        return Refusal{kFileNotSelected, kSelectFileTitle};
    const double W = InterpolationWidth(table, t.width, locale);
    const double D = InterpolationDepth(t.depth, locale);
    const results::InterpolationOutcome outcome = results::InterpolatePillarStress(table, W, D);
    if (!outcome)
        return Refusal{QString::fromStdString(outcome.message),
                       QString::fromStdString(outcome.title)};
    const double S = *outcome.stress;

    const std::optional<double> rounded = RoundedInterpolatedStress(S);
    if (!rounded)
        return Refusal{QStringLiteral("The interpolated pillar stress is too large to be used"),
                       kInvalidDataTitle};
    const double L = InterpolationWidth(table, t.length, locale);
    const auto extraction = results::ExtractionForModelledBords(W, L);
    if (!extraction)
        return Refusal{QStringLiteral("The % extraction cannot be calculated for a pillar width "
                                      "of %1 m")
                           .arg(ShowShortest(W, locale)),
                       kInvalidDataTitle};
    InterpolationShown shown;
    shown.stress = ShowResult(S, 1, locale);
    shown.extraction = ShowResult(*extraction, 1, locale);
    shown.width = W;
    shown.depth = D;
    shown.stressValue = *rounded;
    shown.averagePillarStress = static_cast<float>(*rounded);
    shown.extractionValue = *extraction;
    return shown;
}

Step<WidthShown> InterpolationEffectiveWidth(const results::ModellingResults& table,
                                             const QString& width, const QString& length,
                                             const NumberLocale& locale) {
    const double w = InterpolationWidth(table, width, locale);
    const double l = InterpolationWidth(table, length, locale);
    if (w == 0)
        return Refusal{};
    const auto weff = engine::CalculateEffectivePillarWidth(w, l);
    if (!weff)
        return Refusal{};
    return WidthShown{ShowResult(weff.value(), 1, locale), weff.value()};
}

std::optional<GuideValues> GuideLineValues(const QString& depth, const QString& stress,
                                           const NumberLocale& locale) {
    if (depth.isEmpty())
        return GuideValues{0, 0};
    const Reading<double> s = ReadDouble(stress, locale);
    if (!s)
        return std::nullopt;
    return GuideValues{InterpolationDepth(depth, locale), s.value};
}

} // namespace vt::evaluation
