// The inputs of a design by the names they carry in files: the columns of
// the batch evaluator's tables and the keys of evaluation files
// ("rock_density", "pillar_width", ...), with the screen input each one is
// and the methods whose screens have it.
#pragma once

#include "evaluation/design.h"
#include "evaluation/messages.h"

#include <QString>
#include <array>

namespace vt::evaluation {

struct DesignField {
    const char* name;
    Input input;
    QString DesignTexts::*text;
    bool tributary;
    bool modelled;
    bool interpolation; // its length follows the width and its bords are 12 m

    bool usedBy(Method method) const {
        switch (method) {
        case Method::Tributary:
            return tributary;
        case Method::Modelled:
            return modelled;
        case Method::Interpolation:
            return interpolation;
        }
        return false;
    }
};

// In the order of the batch evaluator's columns.
inline constexpr std::array<DesignField, 13> kDesignFields{{
    {"rock_density", Input::RockDensity, &DesignTexts::density, true, false, false},
    {"depth", Input::Depth, &DesignTexts::depth, true, true, true},
    {"pillar_width", Input::PillarWidth, &DesignTexts::width, true, true, true},
    {"pillar_length", Input::PillarLength, &DesignTexts::length, true, true, false},
    {"bord_width_1", Input::BordWidth1, &DesignTexts::bord1, true, true, false},
    {"bord_width_2", Input::BordWidth2, &DesignTexts::bord2, true, true, false},
    {"pillar_height", Input::PillarHeight, &DesignTexts::height, true, true, true},
    {"k", Input::K, &DesignTexts::k, true, true, true},
    {"alpha", Input::Alpha, &DesignTexts::alpha, true, true, true},
    {"beta", Input::Beta, &DesignTexts::beta, true, true, true},
    {"squat_start", Input::SquatStart, &DesignTexts::squatStart, true, true, true},
    {"strength_increase_rate", Input::IncreaseRate, &DesignTexts::increaseRate, true, true, true},
    {"aps", Input::ModelledStress, &DesignTexts::stress, false, true, false},
}};

} // namespace vt::evaluation
