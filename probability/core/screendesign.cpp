#include "probability/core/screendesign.h"

#include "evaluation/designfields.h"
#include "probability/core/distribution.h"

#include <algorithm>

namespace vt::probability {

using evaluation::DesignNumbers;
using evaluation::Input;
using evaluation::Method;

namespace {

// The inputs whose rows pass, in the window's order.
template <class Pass> std::vector<Input> SampledInOrder(Pass pass) {
    std::vector<const evaluation::DesignField*> fields;
    for (const evaluation::DesignField& field : evaluation::kDesignFields)
        if (field.sampleRow >= 0 && pass(field))
            fields.push_back(&field);
    std::sort(fields.begin(), fields.end(),
              [](const auto* a, const auto* b) { return a->sampleRow < b->sampleRow; });
    std::vector<Input> inputs;
    for (const evaluation::DesignField* field : fields)
        inputs.push_back(field->input);
    return inputs;
}

} // namespace

std::vector<Input> UncertainInputs(Method method) {
    return SampledInOrder([method](const auto& field) { return field.sampledBy(method); });
}

std::vector<Input> UncertainInputs() {
    return SampledInOrder([](const auto& field) {
        return field.sampledBy(Method::Tributary) || field.sampledBy(Method::Modelled) ||
               field.sampledBy(Method::Interpolation);
    });
}

QString InputText(const evaluation::DesignTexts& t, Input input) {
    const evaluation::DesignField* field = evaluation::FieldOf(input);
    return field ? t.*field->text : QString();
}

double DesignNumbers::*InputMember(Input input) {
    // The effective width has no number of its own: it stands for the width
    // it is worked out from.
    const evaluation::DesignField* field =
        evaluation::FieldOf(input == Input::EffectiveWidth ? Input::PillarWidth : input);
    return field ? field->number : &DesignNumbers::k;
}

evaluation::Step<ScreenDesign> ReadScreenDesign(const evaluation::DesignTexts& texts,
                                                const evaluation::NumberLocale& locale,
                                                const results::ModellingResults* table) {
    ScreenDesign design;
    design.texts = evaluation::AsOnScreen(texts);
    design.shown = evaluation::Evaluate(design.texts, locale, table);
    if (design.shown.refusal) {
        if (!design.shown.refusal->silent())
            return *design.shown.refusal;
        return evaluation::Refusal{QStringLiteral("The design on the screen has no factor of "
                                                  "safety yet: fill in its values first"),
                                   kProbabilityTitle};
    }
    const evaluation::Step<DesignNumbers> numbers =
        evaluation::ReadNumbers(design.texts, locale, table);
    if (!numbers)
        return numbers.refusal();
    design.numbers = numbers.value();
    return design;
}

} // namespace vt::probability
