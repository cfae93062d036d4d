#include "evaluation/design.h"

#include "evaluation/designfields.h"
#include "results/core/interpolation.h"

namespace vt::evaluation {

QString MethodName(Method method) {
    switch (method) {
    case Method::Tributary:
        return QStringLiteral("tributary");
    case Method::Modelled:
        return QStringLiteral("modelled");
    case Method::Interpolation:
        return QStringLiteral("interpolation");
    }
    return {};
}

std::optional<Method> MethodFromName(QStringView name) {
    for (Method m : {Method::Tributary, Method::Modelled, Method::Interpolation})
        if (name == MethodName(m))
            return m;
    return std::nullopt;
}

DesignTexts AsOnScreen(DesignTexts design) {
    if (design.method == Method::Interpolation) {
        design.length = design.width;
        design.bord1 = QStringLiteral("12");
        design.bord2 = QStringLiteral("12");
    }
    return design;
}

void SetStrengthTexts(DesignTexts& design, const StrengthTexts& strength) {
    design.k = strength.k;
    design.height = strength.height;
    design.alpha = strength.alpha;
    design.beta = strength.beta;
    design.squatStart = strength.squatStart;
    design.increaseRate = strength.increaseRate;
}

StrengthTexts StrengthTextsOf(const DesignTexts& d, const QString& effectiveWidth) {
    return {d.k, effectiveWidth, d.height, d.length, d.alpha, d.beta, d.squatStart, d.increaseRate};
}

QString StrengthLength(const DesignTexts& design, const NumberLocale& locale,
                       const results::ModellingResults* table) {
    if (design.method != Method::Interpolation || design.length.isEmpty())
        return design.length;
    static const results::ModellingResults kNoTable;
    return ShowShortest(InterpolationWidth(table ? *table : kNoTable, design.length, locale),
                        locale);
}

namespace {

void Take(Evaluation& e, const StrengthShown& s) {
    e.widthHeightRatio = s.widthHeightRatio;
    e.strength = s.strength;
    e.factorOfSafety = s.factorOfSafety;
    e.formula = s.formula;
    e.widthHeightTooSmall = s.widthHeightTooSmall;
    e.factorOfSafetyTooSmall = s.factorOfSafetyTooSmall;
    e.formulaUsed = s.formulaUsed;
    e.widthHeightRatioValue = s.widthHeightRatioValue;
    e.strengthValue = s.strengthValue;
    e.factorOfSafetyValue = s.factorOfSafetyValue;
}

Evaluation EvaluatePlanMethod(const DesignTexts& d, const NumberLocale& locale) {
    Evaluation e;
    const PlanTexts plan{d.width, d.length, d.bord1, d.bord2};
    const bool tributary = d.method == Method::Tributary;
    const Step<StressShown> stress = tributary
                                         ? TributaryStress({d.density, d.depth, plan}, locale)
                                         : ModelledExtraction({d.stress, d.depth, plan}, locale);
    if (!stress) {
        e.refusal = stress.refusal();
        return e;
    }
    e.extraction = stress->extraction;
    e.stress = tributary ? stress->stress : d.stress;
    e.averagePillarStress = stress->averagePillarStress;
    const Step<WidthShown> width = EffectiveWidth(d.width, d.length, locale);
    if (!width) {
        e.refusal = width.refusal();
        return e;
    }
    e.effectiveWidth = width->text;
    const Readiness readiness = tributary ? Readiness{e.stress, kFillAndCalculateStress}
                                          : Readiness{e.extraction, kFillAndCalculateExtraction};
    const Step<StrengthShown> strength =
        Strength(StrengthTextsOf(d, e.effectiveWidth), readiness, e.averagePillarStress, locale);
    if (!strength) {
        e.refusal = strength.refusal();
        return e;
    }
    Take(e, strength.value());
    return e;
}

Evaluation EvaluateInterpolation(const DesignTexts& d, const NumberLocale& locale,
                                 const results::ModellingResults* table) {
    Evaluation e;
    static const results::ModellingResults kNoTable;
    const results::ModellingResults& t = table ? *table : kNoTable;
    const Step<WidthShown> width = InterpolationEffectiveWidth(t, d.width, d.length, locale);
    if (width)
        e.effectiveWidth = width->text;
    const Step<InterpolationShown> stress = Interpolation(t, {d.width, d.length, d.depth}, locale);
    if (!stress) {
        e.refusal = stress.refusal();
        return e;
    }
    e.extraction = stress->extraction;
    e.stress = stress->stress;
    e.averagePillarStress = stress->averagePillarStress;
    StrengthTexts texts = StrengthTextsOf(d, e.effectiveWidth);
    texts.length = StrengthLength(d, locale, &t);
    const Step<StrengthShown> strength = Strength(
        texts, Readiness{e.stress, kFillAndCalculateStress}, e.averagePillarStress, locale);
    if (!strength) {
        e.refusal = strength.refusal();
        return e;
    }
    Take(e, strength.value());
    return e;
}

} // namespace

Evaluation Evaluate(const DesignTexts& design, const NumberLocale& locale,
                    const results::ModellingResults* table) {
    if (design.method == Method::Interpolation)
        return EvaluateInterpolation(AsOnScreen(design), locale, table);
    return EvaluatePlanMethod(design, locale);
}

// --- numbers ---

Step<DesignNumbers> ReadNumbers(const DesignTexts& texts, const NumberLocale& locale,
                                const results::ModellingResults* table) {
    static const results::ModellingResults kNoTable;
    const DesignTexts design = AsOnScreen(texts);
    DesignNumbers numbers;
    numbers.method = design.method;
    const bool interpolation = design.method == Method::Interpolation;
    for (const DesignField& field : kDesignFields) {
        if (!field.usedBy(design.method))
            continue;
        const QString& text = design.*field.text;
        double& number = numbers.*field.number;
        if (interpolation && field.leading == Leading::Width) {
            number = InterpolationWidth(table ? *table : kNoTable, text, locale);
        } else if (interpolation && field.leading == Leading::Depth) {
            number = InterpolationDepth(text, locale);
        } else {
            // Every step reads it in single precision, so it must read so
            // even where a step reads it in double precision too.
            const Reading<float> r = ReadSingle(text, locale);
            if (!r)
                return NumberRefusal(field.input, text, r.problem, locale);
            number = field.precision == Precision::Double ? ReadDouble(text, locale).value
                                                          : static_cast<double>(r.value);
        }
    }
    if (interpolation)
        numbers.length = numbers.width;
    return numbers;
}

namespace {

NumericEvaluation Stopped(NumericEvaluation e, NumericStop stop, engine::Fault fault) {
    e.stop = stop;
    e.fault = fault;
    return e;
}

float Single(double value) {
    return static_cast<float>(value);
}

} // namespace

NumericEvaluation EvaluateNumbers(const DesignNumbers& d, const results::ModellingResults* table) {
    NumericEvaluation e;
    const bool interpolation = d.method == Method::Interpolation;
    if (interpolation) {
        if (!table || table->FileName.empty())
            return Stopped(e, NumericStop::Interpolation, engine::Fault::None);
        const auto outcome = results::InterpolatePillarStress(*table, d.width, d.depth);
        if (!outcome)
            return Stopped(e, NumericStop::Interpolation, engine::Fault::None);
        const auto stress = RoundedInterpolatedStress(*outcome.stress);
        const auto extraction = results::ExtractionForModelledBords(d.width, d.width);
        if (!stress || !extraction)
            return Stopped(e, NumericStop::Interpolation, engine::Fault::Overflow);
        e.averagePillarStress = static_cast<float>(*stress);
        e.extraction = *extraction;
        if (d.width == 0)
            return Stopped(e, NumericStop::EffectiveWidth, engine::Fault::ZeroPerimeter);
    } else {
        const auto extraction = engine::CalculatePercentageExtraction(
            Single(d.width), Single(d.length), Single(d.bord1), Single(d.bord2));
        if (!extraction)
            return Stopped(e, NumericStop::Extraction, extraction.fault());
        e.extraction = extraction.value();
        if (d.method == Method::Tributary) {
            const auto stress = engine::CalculateTributaryPillarStress(
                Single(d.density), Single(d.depth), extraction.value());
            if (!stress)
                return Stopped(e, NumericStop::Stress, stress.fault());
            e.averagePillarStress = stress.value();
        } else {
            e.averagePillarStress = Single(d.stress);
        }
    }
    const double length = interpolation ? d.width : d.length;
    const auto weff = engine::CalculateEffectivePillarWidth(d.width, length);
    if (!weff)
        return Stopped(e, NumericStop::EffectiveWidth, weff.fault());
    e.effectiveWidth = weff.value();
    // The strength step reads the shown one-decimal width back in single
    // precision: the rounded double is the nearest double to that decimal, so
    // narrowing it gives the same float.
    const engine::StrengthInputs in{Single(weff.value()), Single(length),        Single(d.height),
                                    Single(d.k),          Single(d.alpha),       Single(d.beta),
                                    Single(d.squatStart), Single(d.increaseRate)};
    const auto strength = engine::CalculatePillarStrength(in);
    if (!strength)
        return Stopped(e, NumericStop::Strength, strength.fault());
    e.widthHeightRatio = strength.value().widthHeightRatio;
    e.widthHeightTooSmall = strength.value().widthHeightTooSmall;
    e.strength = strength.value().strength;
    e.formula = strength.value().formula;
    const auto safety = engine::CalculateFactorOfSafety(e.strength, e.averagePillarStress);
    if (!safety)
        return Stopped(e, NumericStop::FactorOfSafety, safety.fault());
    e.factorOfSafety = safety.value().factorOfSafety;
    e.factorOfSafetyTooSmall = safety.value().tooSmall;
    return e;
}

} // namespace vt::evaluation
