// The design of a calculation screen as the probability of failure samples
// it: the inputs its method takes, their values as the screen reads them,
// and the screen's own evaluation of them.
#pragma once

#include "evaluation/design.h"
#include "evaluation/messages.h"
#include "evaluation/numbers.h"
#include "evaluation/refusal.h"
#include "results/modellingresults.h"

#include <vector>

namespace vt::probability {

// The inputs of a method's design that can be uncertain (those its rows in
// kDesignFields let the run sample), in the window's order: K first, then
// the loading, the plan and the height. The modelled screen's depth is left
// out (it does not enter its FOS), and so are the interpolation screen's
// length (it follows the width) and bords (the modelling's).
std::vector<evaluation::Input> UncertainInputs(evaluation::Method method);
// Every input any method samples, in the window's order.
std::vector<evaluation::Input> UncertainInputs();

// The text of an input in the design as typed.
QString InputText(const evaluation::DesignTexts& texts, evaluation::Input input);

// Where an input sits in the numbers of a design.
double evaluation::DesignNumbers::*InputMember(evaluation::Input input);

struct ScreenDesign {
    evaluation::DesignTexts texts;
    evaluation::Evaluation shown;      // what the screen shows for these texts
    evaluation::DesignNumbers numbers; // the same inputs as the screen reads them
};

// The screen's design read as the screen reads it (single precision for its
// fields, double for the width and length of the effective width, the
// interpolation screen's own reading of width and depth), or the refusal the
// screen would show (a silent one becomes a message saying the design has no
// FOS yet).
evaluation::Step<ScreenDesign> ReadScreenDesign(const evaluation::DesignTexts& texts,
                                                const evaluation::NumberLocale& locale,
                                                const results::ModellingResults* table);

} // namespace vt::probability
