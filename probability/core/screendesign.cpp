#include "probability/core/screendesign.h"

#include "probability/core/distribution.h"

namespace vt::probability {

using evaluation::DesignNumbers;
using evaluation::Input;
using evaluation::Method;

std::vector<Input> UncertainInputs(Method method) {
    switch (method) {
    case Method::Tributary:
        return {Input::K,           Input::RockDensity,  Input::Depth,
                Input::PillarWidth, Input::PillarLength, Input::BordWidth1,
                Input::BordWidth2,  Input::PillarHeight};
    case Method::Modelled:
        return {Input::K,          Input::ModelledStress, Input::PillarWidth, Input::PillarLength,
                Input::BordWidth1, Input::BordWidth2,     Input::PillarHeight};
    case Method::Interpolation:
        return {Input::K, Input::Depth, Input::PillarWidth, Input::PillarHeight};
    }
    return {};
}

QString InputText(const evaluation::DesignTexts& t, Input input) {
    switch (input) {
    case Input::RockDensity:
        return t.density;
    case Input::ModelledStress:
        return t.stress;
    case Input::Depth:
        return t.depth;
    case Input::PillarWidth:
        return t.width;
    case Input::PillarLength:
        return t.length;
    case Input::BordWidth1:
        return t.bord1;
    case Input::BordWidth2:
        return t.bord2;
    case Input::K:
        return t.k;
    case Input::PillarHeight:
        return t.height;
    case Input::Alpha:
        return t.alpha;
    case Input::Beta:
        return t.beta;
    case Input::SquatStart:
        return t.squatStart;
    case Input::IncreaseRate:
        return t.increaseRate;
    case Input::EffectiveWidth:
        break;
    }
    return {};
}

double DesignNumbers::*InputMember(Input input) {
    switch (input) {
    case Input::RockDensity:
        return &DesignNumbers::density;
    case Input::ModelledStress:
        return &DesignNumbers::stress;
    case Input::Depth:
        return &DesignNumbers::depth;
    case Input::PillarWidth:
    case Input::EffectiveWidth:
        return &DesignNumbers::width;
    case Input::PillarLength:
        return &DesignNumbers::length;
    case Input::BordWidth1:
        return &DesignNumbers::bord1;
    case Input::BordWidth2:
        return &DesignNumbers::bord2;
    case Input::K:
        return &DesignNumbers::k;
    case Input::PillarHeight:
        return &DesignNumbers::height;
    case Input::Alpha:
        return &DesignNumbers::alpha;
    case Input::Beta:
        return &DesignNumbers::beta;
    case Input::SquatStart:
        return &DesignNumbers::squatStart;
    case Input::IncreaseRate:
        return &DesignNumbers::increaseRate;
    }
    return &DesignNumbers::k;
}

namespace {

// A field the screen reads in single precision, widened without change.
double Single(const QString& text, const evaluation::NumberLocale& locale) {
    return static_cast<double>(evaluation::ReadSingle(text, locale).value);
}

double Double(const QString& text, const evaluation::NumberLocale& locale) {
    return evaluation::ReadDouble(text, locale).value;
}

DesignNumbers NumbersOf(const evaluation::DesignTexts& t, const evaluation::NumberLocale& locale,
                        const results::ModellingResults* table) {
    DesignNumbers d;
    d.method = t.method;
    if (t.method == Method::Interpolation) {
        static const results::ModellingResults kNoTable;
        d.width = evaluation::InterpolationWidth(table ? *table : kNoTable, t.width, locale);
        d.length = d.width;
        d.depth = evaluation::InterpolationDepth(t.depth, locale);
    } else {
        d.density = Single(t.density, locale);
        d.stress = Single(t.stress, locale);
        d.depth = Single(t.depth, locale);
        d.width = Double(t.width, locale);
        d.length = Double(t.length, locale);
        d.bord1 = Single(t.bord1, locale);
        d.bord2 = Single(t.bord2, locale);
    }
    d.k = Single(t.k, locale);
    d.height = Single(t.height, locale);
    d.alpha = Single(t.alpha, locale);
    d.beta = Single(t.beta, locale);
    d.squatStart = Single(t.squatStart, locale);
    d.increaseRate = Single(t.increaseRate, locale);
    return d;
}

} // namespace

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
    design.numbers = NumbersOf(design.texts, locale, table);
    return design;
}

} // namespace vt::probability
