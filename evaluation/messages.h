// The messages and titles of the calculation steps, and the table that turns
// an engine fault or an unreadable number into a message for the user.
#pragma once

#include "engine/engine.h"
#include "evaluation/numbers.h"
#include "evaluation/refusal.h"

#include <QString>

namespace vt::evaluation {

inline const QString kInsufficientDataTitle = QStringLiteral("Insufficient data");
inline const QString kInvalidDataTitle = QStringLiteral("Invalid data");
inline const QString kFillAllFields = QStringLiteral("Fill values in all the text-boxes");
inline const QString kFillAndCalculateStress =
    QStringLiteral("Fill values in all the text-boxes and calculate the Pillar Stress");
inline const QString kFillAndCalculateExtraction =
    QStringLiteral("Fill values in all the text-boxes and calculate the Percentage Extraction");
inline const QString kFileNotSelected =
    QStringLiteral("File not properly selected, click on data file !");
inline const QString kSelectFileTitle = QStringLiteral("Select file");

// The inputs of the calculation screens, by the captions of their frames.
enum class Input {
    RockDensity,
    ModelledStress, // the typed average pillar stress ("APS (MPa)")
    Depth,
    PillarWidth,
    PillarLength,
    BordWidth1,
    BordWidth2,
    K,
    EffectiveWidth,
    PillarHeight,
    Alpha,
    Beta,
    SquatStart,
    IncreaseRate,
};

// The caption of the frame the input sits in ("Depth (m)", "α").
QString Caption(Input input);

// Why a field's text gives no number, naming the field: not a number, too
// large or too small to use, or a thousands-looking text.
Refusal NumberRefusal(Input input, QStringView text, NumberProblem problem,
                      const NumberLocale& locale);
// The same for a field of a tool window, named by its caption.
Refusal NumberRefusal(const QString& caption, QStringView text, NumberProblem problem,
                      const NumberLocale& locale);

// The step in which an engine operation met its fault; the message names
// what is wrong in that step's words.
enum class Operation {
    Extraction,
    TributaryStress,
    EffectiveWidth,
    Strength,
    FactorOfSafety,
};

// What the user is told when an operation has no finite result. The plan
// dimensions, when known, tell a pillar of no area from bords so wide that
// the extraction is 100 %.
Refusal FaultRefusal(engine::Fault fault, Operation operation);
Refusal FaultRefusal(engine::Fault fault, Operation operation, float width, float length);

} // namespace vt::evaluation
