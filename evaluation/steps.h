// The steps of the calculation screens as pure functions: from the texts of a
// step's input fields (and the locale) to the texts and flags the screen then
// shows, or a refusal with the message and title of the box it shows instead.
// A screen's handler reads its fields, calls its step and shows the result;
// every other tool that shows a number calls the same steps.
//
// Each step checks its fields in the screen's order: first that they are
// filled ("Insufficient data"), then that they are numbers (the message names
// the first field that is not), then what the engine says.
#pragma once

#include "engine/engine.h"
#include "evaluation/messages.h"
#include "evaluation/numbers.h"
#include "evaluation/refusal.h"
#include "results/modellingresults.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace vt::evaluation {

// The four plan dimensions of the tributary and modelled screens.
struct PlanTexts {
    QString width;  // cboPillarWidth1
    QString length; // cboPillarLength
    QString bord1;  // cboBordWidth
    QString bord2;  // cboBordWidth2
};

// What the stress step of the tributary screen or the extraction step of the
// modelled screen shows, and the stress the strength step then divides by.
struct StressShown {
    QString extraction; // % extraction, 1 decimal
    QString stress;     // tributary stress, 2 decimals; empty on the modelled screen
    float extractionValue = 0;
    float averagePillarStress = 0;
};

struct TributaryTexts {
    QString density; // cboRockDensity
    QString depth;   // txtDepth
    PlanTexts plan;
};

// "Calculate the pillar stress": % extraction and tributary stress.
Step<StressShown> TributaryStress(const TributaryTexts& texts, const NumberLocale& locale);

struct ModelledTexts {
    QString stress; // txtPillarStress, the typed average pillar stress
    QString depth;  // txtDepth: required and a number, but not used
    PlanTexts plan;
};

// "Calculate the % Extraction": the extraction, and the typed stress kept for
// the strength step.
Step<StressShown> ModelledExtraction(const ModelledTexts& texts, const NumberLocale& locale);

struct WidthShown {
    QString text; // 1 decimal
    double value = 0;
};

// The effective width of the pillar width and length texts, read in double
// precision. A silent refusal when either text is empty.
Step<WidthShown> EffectiveWidth(const QString& width, const QString& length,
                                const NumberLocale& locale);

struct StrengthTexts {
    QString k;              // cboK
    QString effectiveWidth; // cboPillarWidth
    QString height;         // cboPillarHeight
    QString length;         // cboPillarLength (first tab)
    QString alpha = QStringLiteral("0.5");
    QString beta = QStringLiteral("0.75");
    QString squatStart = QStringLiteral("4.5");
    QString increaseRate = QStringLiteral("4.5");
};

// The result of the first tab that the strength step needs, and the message
// when it is empty.
struct Readiness {
    QString result;
    QString message;
};

struct StrengthShown {
    QString widthHeightRatio;            // 1 decimal
    QString strength;                    // 1 decimal
    QString factorOfSafety;              // 1 decimal
    QString formula;                     // "The Hedley/Grant formula was used", ...
    bool widthHeightTooSmall = false;    // W:H < 2.5: shown red, with the pop-up
    bool factorOfSafetyTooSmall = false; // FOS < 1.6: shown red, with the pop-up
    engine::StrengthFormula formulaUsed = engine::StrengthFormula::HedleyGrant;
    float widthHeightRatioValue = 0;
    float strengthValue = 0;
    float factorOfSafetyValue = 0;
};

// "Calculate the Pillar strength": W:H, strength and FOS against the stress
// the first tab stored.
Step<StrengthShown> Strength(const StrengthTexts& texts, const Readiness& readiness,
                             float averagePillarStress, const NumberLocale& locale);

// --- the interpolation screen ---

struct InterpolationTexts {
    QString width;  // cboPillarWidth1
    QString length; // cboPillarLength (follows the width)
    QString depth;  // txtDepth
};

struct InterpolationShown {
    QString stress;     // 1 decimal
    QString extraction; // 1 decimal, between the 12 m bords of the modelling
    double width = 0;   // the numbers that were interpolated
    double depth = 0;
    double stressValue = 0; // the shown (rounded) stress
    float averagePillarStress = 0;
    float extractionValue = 0;
};

// The width list of the screen: the header widths in file order.
QStringList WidthItems(const results::ModellingResults& table, const NumberLocale& locale);

// The number an interpolation input is read as: the leading number, with the
// locale's decimal separator read as the point; a width text that is an item
// of the width list is that header's width exactly.
double InterpolationWidth(const results::ModellingResults& table, QStringView text,
                          const NumberLocale& locale);
double InterpolationDepth(QStringView text, const NumberLocale& locale);

// The interpolated stress as the screen shows it and then works with:
// rounded to one decimal; none when that is too large for single precision.
std::optional<double> RoundedInterpolatedStress(double stress);

// "Interpolate the Pillar stress & Calculate the % Extraction".
Step<InterpolationShown> Interpolation(const results::ModellingResults& table,
                                       const InterpolationTexts& texts, const NumberLocale& locale);

// The effective width that follows the width on the interpolation screen, of
// the same numbers the interpolation reads. A silent refusal when there is
// none (the width reads as 0, or the width and length give no finite width).
Step<WidthShown> InterpolationEffectiveWidth(const results::ModellingResults& table,
                                             const QString& width, const QString& length,
                                             const NumberLocale& locale);

// The depth and stress of the guide lines for the texts of txtDepth and
// lblPillarStress: depth 0 and stress 0 for an empty depth; none when the
// stress text is not a number.
struct GuideValues {
    double depth = 0;
    double stress = 0;
};
std::optional<GuideValues> GuideLineValues(const QString& depth, const QString& stress,
                                           const NumberLocale& locale);

} // namespace vt::evaluation
