// The inputs of a design, one row each: the caption and unit its field shows,
// where it sits in the texts and the numbers of a design, how the screen
// reads it, its name in files (the columns of the batch evaluator's tables
// and the keys of evaluation files: "rock_density", "pillar_width", ...), the
// methods whose screens have it and those whose probability run may sample
// it. Adding an input is adding a row.
#pragma once

#include "evaluation/design.h"
#include "evaluation/messages.h"

#include <QString>
#include <QStringView>
#include <array>

namespace vt::evaluation {

// A set of methods.
struct Methods {
    bool tributary = false;
    bool modelled = false;
    bool interpolation = false;

    constexpr bool has(Method method) const {
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

inline constexpr Methods kAllMethods{true, true, true};
inline constexpr Methods kPlanMethods{true, true, false};
inline constexpr Methods kNoMethod{false, false, false};

// The precision the tributary and modelled screens read a field in.
enum class Precision {
    Single, // single precision, as every step reads its fields
    Double, // double precision: the pillar width and length, which the
            // effective width reads so (the extraction narrows them)
};

// How the interpolation screen reads a field it interpolates with.
enum class Leading {
    No,    // as the other screens read it
    Width, // the leading number; a text of the width list is its header's width
    Depth, // the leading number
};

struct DesignField {
    const char* name; // the key in evaluation files and the CSV column
    Input input;
    QStringView caption; // as the frame of its field shows it
    QStringView unit;    // as the caption shows it; empty where it shows none
    QString DesignTexts::*text;
    double DesignNumbers::*number;
    Methods methods; // the screens it is on; the interpolation screen's length
                     // follows its width and its bords are the modelling's 12 m
    Precision precision;
    Leading leading;
    Methods sampled;          // the methods whose probability run may sample it
    int sampleRow;            // its row in the probability window; -1: none
    QStringView objectSuffix; // ends the probability window's object names
                              // of its row ("cboDistributionDepth")

    bool usedBy(Method method) const { return methods.has(method); }
    bool sampledBy(Method method) const { return sampled.has(method); }
};

// In the order of the batch evaluator's columns. The modelled screen's depth
// is required but does not enter its FOS, so it is not sampled there.
// clang-format off
inline constexpr std::array<DesignField, 13> kDesignFields{{
    {"rock_density", Input::RockDensity, u"Rock Rel. Density", u"", &DesignTexts::density,
     &DesignNumbers::density, {true, false, false}, Precision::Single, Leading::No,
     {true, false, false}, 1, u"RockDensity"},
    {"depth", Input::Depth, u"Depth (m)", u"m", &DesignTexts::depth,
     &DesignNumbers::depth, kAllMethods, Precision::Single, Leading::Depth,
     {true, false, true}, 3, u"Depth"},
    {"pillar_width", Input::PillarWidth, u"Pillar width (m)", u"m", &DesignTexts::width,
     &DesignNumbers::width, kAllMethods, Precision::Double, Leading::Width,
     kAllMethods, 4, u"PillarWidth"},
    {"pillar_length", Input::PillarLength, u"Pillar length (m)", u"m", &DesignTexts::length,
     &DesignNumbers::length, kPlanMethods, Precision::Double, Leading::No,
     kPlanMethods, 5, u"PillarLength"},
    {"bord_width_1", Input::BordWidth1, u"Bord width 1 (m)", u"m", &DesignTexts::bord1,
     &DesignNumbers::bord1, kPlanMethods, Precision::Single, Leading::No,
     kPlanMethods, 6, u"BordWidth1"},
    {"bord_width_2", Input::BordWidth2, u"Bord width 2 (m)", u"m", &DesignTexts::bord2,
     &DesignNumbers::bord2, kPlanMethods, Precision::Single, Leading::No,
     kPlanMethods, 7, u"BordWidth2"},
    {"pillar_height", Input::PillarHeight, u"Pillar height (m)", u"m", &DesignTexts::height,
     &DesignNumbers::height, kAllMethods, Precision::Single, Leading::No,
     kAllMethods, 8, u"PillarHeight"},
    {"k", Input::K, u"K (MPa)", u"MPa", &DesignTexts::k,
     &DesignNumbers::k, kAllMethods, Precision::Single, Leading::No,
     kAllMethods, 0, u"K"},
    {"alpha", Input::Alpha, u"α", u"", &DesignTexts::alpha,
     &DesignNumbers::alpha, kAllMethods, Precision::Single, Leading::No,
     kNoMethod, -1, u"Alpha"},
    {"beta", Input::Beta, u"β", u"", &DesignTexts::beta,
     &DesignNumbers::beta, kAllMethods, Precision::Single, Leading::No,
     kNoMethod, -1, u"Beta"},
    {"squat_start", Input::SquatStart, u"Start squat pillar", u"", &DesignTexts::squatStart,
     &DesignNumbers::squatStart, kAllMethods, Precision::Single, Leading::No,
     kNoMethod, -1, u"SquatStart"},
    {"strength_increase_rate", Input::IncreaseRate, u"Strength incr. rate", u"",
     &DesignTexts::increaseRate, &DesignNumbers::increaseRate, kAllMethods, Precision::Single,
     Leading::No, kNoMethod, -1, u"IncreaseRate"},
    {"aps", Input::ModelledStress, u"APS (MPa)", u"MPa", &DesignTexts::stress,
     &DesignNumbers::stress, {false, true, false}, Precision::Single, Leading::No,
     {false, true, false}, 2, u"ModelledStress"},
}};
// clang-format on

// The row of an input; none for the effective width, which is worked out,
// not typed.
const DesignField* FieldOf(Input input);

} // namespace vt::evaluation
