// One whole evaluation of a design, as the screen of its method would give it
// after "Calculate and Continue" on both tabs: the stress step, the effective
// width and the strength step, in that order, through the very steps the
// screen calls. The first refusal ends it. Design charts, the inverse solve,
// evaluation files and the batch evaluator evaluate designs through this.
//
// EvaluateNumbers is the same road over numbers instead of texts, for many
// samples: the same engine operations in the same precision, the effective
// width rounded to one decimal and the interpolated stress to one decimal,
// exactly as reading those shown texts back would give them.
#pragma once

#include "engine/engine.h"
#include "evaluation/numbers.h"
#include "evaluation/refusal.h"
#include "evaluation/steps.h"
#include "results/modellingresults.h"

#include <QString>
#include <optional>

namespace vt::evaluation {

enum class Method { Tributary, Modelled, Interpolation };

// The method's name in files ("tributary", "modelled", "interpolation").
QString MethodName(Method method);
std::optional<Method> MethodFromName(QStringView name);

// Every input of a design as typed. The interpolation screen uses neither the
// density, the typed stress nor the bord widths (its bords are the 12 m of
// the modelling) and its length follows the width.
struct DesignTexts {
    Method method = Method::Tributary;
    QString density; // tributary
    QString stress;  // modelled: the typed average pillar stress
    QString depth;
    QString width;
    QString length;
    QString bord1 = QStringLiteral("12");
    QString bord2 = QStringLiteral("12");
    QString k;
    QString height;
    QString alpha = QStringLiteral("0.5");
    QString beta = QStringLiteral("0.75");
    QString squatStart = QStringLiteral("4.5");
    QString increaseRate = QStringLiteral("4.5");
};

// What the screen would show, in its own texts; empty where a step did not
// run.
struct Evaluation {
    QString extraction;
    QString stress; // the pillar stress shown on the Final Results tab
    QString effectiveWidth;
    QString widthHeightRatio;
    QString strength;
    QString factorOfSafety;
    QString formula;
    bool widthHeightTooSmall = false;
    bool factorOfSafetyTooSmall = false;
    engine::StrengthFormula formulaUsed = engine::StrengthFormula::HedleyGrant;
    float averagePillarStress = 0;
    float widthHeightRatioValue = 0;
    float strengthValue = 0;
    float factorOfSafetyValue = 0;
    std::optional<Refusal> refusal; // the first step refused, and why

    bool complete() const { return !refusal; }
};

// `table` is the loaded modelling results (the interpolation method needs
// it; the others ignore it).
Evaluation Evaluate(const DesignTexts& design, const NumberLocale& locale,
                    const results::ModellingResults* table = nullptr);

// The design with the screen's derived texts filled in the way the screen
// fills them: the interpolation screen's length follows its width.
DesignTexts AsOnScreen(DesignTexts design);

// The texts of the strength tab (K, height and the formula variables) as the
// design's, and back (with the effective width the screen shows).
void SetStrengthTexts(DesignTexts& design, const StrengthTexts& strength);
StrengthTexts StrengthTextsOf(const DesignTexts& design, const QString& effectiveWidth);

// The pillar length the strength step reads: the length as typed; on the
// interpolation screen, where the length follows the width, the number the
// interpolation read from it (a "6,5" read as 6 in a point locale is 6 for
// the squat formula too).
QString StrengthLength(const DesignTexts& design, const NumberLocale& locale,
                       const results::ModellingResults* table);

// --- the same road over numbers ---

struct DesignNumbers {
    Method method = Method::Tributary;
    double density = 0;
    double stress = 0;
    double depth = 0;
    double width = 0;
    double length = 0;
    double bord1 = 12;
    double bord2 = 12;
    double k = 0;
    double height = 0;
    double alpha = 0.5;
    double beta = 0.75;
    double squatStart = 4.5;
    double increaseRate = 4.5;
};

// Where the numeric road stopped.
enum class NumericStop {
    None,
    Extraction,
    Stress,
    EffectiveWidth,
    Interpolation,
    Strength,
    FactorOfSafety,
};

struct NumericEvaluation {
    NumericStop stop = NumericStop::None;
    engine::Fault fault = engine::Fault::None;
    float extraction = 0;
    float averagePillarStress = 0;
    double effectiveWidth = 0; // rounded to one decimal
    float widthHeightRatio = 0;
    bool widthHeightTooSmall = false;
    float strength = 0;
    engine::StrengthFormula formula = engine::StrengthFormula::HedleyGrant;
    float factorOfSafety = 0;
    bool factorOfSafetyTooSmall = false;

    bool complete() const { return stop == NumericStop::None; }
};

// The numbers the screen of the design's method reads from its texts, as
// EvaluateNumbers takes them: the fields the steps read in single precision
// as those single-precision values, the pillar width and length (which the
// effective width reads in double precision) as doubles, and on the
// interpolation screen the width and depth by its leading-number rule, the
// length following the width. Inputs the method does not use keep their
// defaults. The refusal of the first text that gives no number (none does
// in a design the screen evaluates to the end).
Step<DesignNumbers> ReadNumbers(const DesignTexts& design, const NumberLocale& locale,
                                const results::ModellingResults* table = nullptr);

NumericEvaluation EvaluateNumbers(const DesignNumbers& design,
                                  const results::ModellingResults* table = nullptr);

} // namespace vt::evaluation
