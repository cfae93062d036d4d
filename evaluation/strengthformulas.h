// The strength formulas compared for a screen's design: the screen's own
// strength and FOS exactly as the screen shows them, beside the published
// formulas of the presets and the user's own, each with its FOS against the
// screen's pillar stress, the design FOS its authors recommend, whether the
// pillar meets it and whether the pillar's W:H lies outside the formula's
// data; and the curves of the two charts (strength against W:H at the
// pillar's height; the stability graph of stress / UCS against W:H).
#pragma once

#include "engine/pillarformulas.h"
#include "evaluation/design.h"
#include "evaluation/numbers.h"
#include "evaluation/refusal.h"

#include <QString>
#include <optional>
#include <vector>

namespace vt::evaluation {

inline const QString kStrengthFormulasTitle = QStringLiteral("Strength formulas");

// Captions of the window's own fields, as its refusals name them.
inline const QString kUcsCaption = QStringLiteral("UCS (MPa)");
inline const QString kLdfCaption = QStringLiteral("LDF");
inline const QString kUserConstantCaption = QStringLiteral("Your formula's constant");
inline const QString kUserACaption = QStringLiteral("Your formula's a");
inline const QString kUserBCaption = QStringLiteral("Your formula's b");
inline const QString kUserFosCaption = QStringLiteral("Your formula's design FOS");
inline const QString kUserLowCaption = QStringLiteral("Your formula's data from W:H");
inline const QString kUserHighCaption = QStringLiteral("Your formula's data to W:H");

// The user's own formula as typed: K W^a / H^b, or C (a + b W:H).
struct UserFormulaTexts {
    bool linear = false;
    QString constant;
    QString a;
    QString b;
    QString designFos = QStringLiteral("1.6");
    QString ratioLow; // the W:H range of its data; empty: not known
    QString ratioHigh;
};

struct FormulaInputs {
    DesignTexts design; // the screen's, as typed
    QString ucs;        // MPa; empty: none (the formulas that need it then give none)
    QString ldf = QStringLiteral("1");
    bool scaleToUcs = false; // scale MPa constants by the UCS they were fitted to
    std::optional<UserFormulaTexts> user;
};

struct FormulaRow {
    QString key; // the preset's key, or "user"
    QString name;
    QString form;
    QString strength;       // MPa, 1 decimal; empty where there is none
    QString factorOfSafety; // 1 decimal
    QString designFos;      // recommended; empty where none is known
    QString meets;          // "yes", "no", or empty
    QString dataRange;      // the W:H range of its data, or "not known"
    bool outsideData = false;
    QString note; // why there is no strength, or what the constant was scaled to
    double strengthValue = 0;
    double factorOfSafetyValue = 0;
    bool hasStrength = false;
    const engine::StrengthPreset* preset = nullptr; // none for the user's
};

struct FormulaComparison {
    Evaluation screen; // the screen's evaluation
    double width = 0;  // the effective width the screen shows, m
    double height = 0;
    double ratio = 0;  // the W:H the screen shows
    double stress = 0; // the average pillar stress the FOS divides
    std::optional<double> ucs;
    double ldf = 1;
    bool scaleToUcs = false;
    std::vector<FormulaRow> rows; // the presets in table order, then the user's
    // The user's formula, read (present when its row is).
    std::optional<engine::StrengthPreset> user;
};

// The W:H range of the data behind a formula's constants, as the window
// shows it ("2 to 4", or "not known"), and whether a pillar's W:H lies outside
// it (never where the range is not known; the ends belong to it).
struct FormulaDataRange {
    QString text = QStringLiteral("not known");
    bool known = false;
    bool outside = false;
};
FormulaDataRange DataRangeOf(const engine::StrengthPreset& preset, double ratio,
                             const NumberLocale& locale);
// The same for the screen's own formula at the W:H of the screen's
// evaluation; never outside while the evaluation is not complete.
FormulaDataRange ScreenFormulaDataRange(const Evaluation& evaluation, const NumberLocale& locale);

// The comparison, or a refusal naming the field: the screen's own refusal
// while the screen has no strength; a UCS that is not a number or not above
// 0; an LDF not above 0 or above 1; a field of the user's formula that is not
// a number, or a user's formula without a finite strength for the pillar.
Step<FormulaComparison> CompareFormulas(const FormulaInputs& inputs, const NumberLocale& locale,
                                        const results::ModellingResults* table = nullptr);

// A curve over W:H; NaN where the formula has no strength.
struct RatioCurve {
    QString key; // the row's
    QString name;
    std::vector<double> values;
};

struct FormulaCharts {
    std::vector<double> ratios;       // ascending W:H samples, the pillar's among them
    std::vector<RatioCurve> strength; // MPa at the pillar's height, per row shown
    double stress = 0;                // the pillar's, MPa
    double pillarRatio = 0;
    // The stability graph: stress / UCS at which the confinement formula
    // gives FOS 1.0 and 1.4; the pillar's point where the UCS is known.
    std::vector<double> failedAbove; // FOS 1.0
    std::vector<double> stableBelow; // FOS 1.4
    std::optional<double> pillarStressOverUcs;
};

// The curves for the rows whose `shown` is true (one flag per row), over
// `points` ratios from 0.25 to the larger of 3 and 1.5 times the pillar's.
// The screen's row follows the screen's own steps at the pillar's height,
// the length scaled with the width.
FormulaCharts ChartFormulas(const FormulaComparison& comparison, const FormulaInputs& inputs,
                            const std::vector<bool>& shown, const NumberLocale& locale,
                            const results::ModellingResults* table = nullptr, int points = 121);

} // namespace vt::evaluation
