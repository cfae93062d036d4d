// Published pillar strength formulas besides the screens' own, as plain
// functions over numbers, and one table of presets that names each formula's
// form, constants, the rock and the data it was fitted to, and its source.
// W is the effective pillar width and H the pillar height, both in metres;
// strengths and the UCS are in MPa. Like every engine operation, each gives a
// value or the Fault that prevented a finite one.
#pragma once

#include "engine/engine.h"

#include <array>
#include <optional>
#include <string_view>

namespace vt::engine {

// S = c x W^a / H^b, the powers and the quotient in double precision.
Outcome<double> PowerLawStrength(double c, double width, double height, double a, double b);

// S = c x (a + b x W:H).
Outcome<double> LinearStrength(double c, double a, double b, double ratio);

// The confinement formula of Lunder & Pakalnis (1997) at a W:H ratio:
// Cpav = 0.46 [log10(W:H + 0.75)]^(1.4 / W:H), kappa = tan(acos((1 - Cpav) /
// (1 + Cpav))), strength / UCS = 0.44 (0.68 + 0.52 kappa). A ratio not above
// 0 has none.
struct Confinement {
    double cpav = 0;
    double kappa = 0;
    double strengthOverUcs = 0;
};
Outcome<Confinement> ConfinementAt(double ratio);

// The forms a preset takes.
enum class FormulaForm {
    Screen,      // the screen's own power and squat formula, with its K, alpha and beta
    Power,       // constant x W^a / H^b
    Linear,      // constant x (a + b W:H)
    Confinement, // constant x UCS x (0.68 + 0.52 kappa)
};

// What the constant multiplies.
enum class ConstantBasis {
    Megapascals, // the constant is a strength in MPa
    Ucs,         // the constant is a fraction of the UCS
    UcsAndLdf,   // a fraction of the UCS times the large-discontinuity factor
};

struct StrengthPreset {
    std::string_view key;     // stable name, for files and columns
    std::string_view name;    // as the window lists it
    std::string_view authors; // "Hedley & Grant"
    int year = 0;             // 0: the screen's own
    FormulaForm form = FormulaForm::Power;
    ConstantBasis basis = ConstantBasis::Megapascals;
    double constant = 0;
    double a = 0; // Power: the width exponent; Linear: the term alone
    double b = 0; // Power: the height exponent; Linear: the W:H factor
    std::string_view formText;
    std::string_view rock;           // the rock and mines it was fitted to
    std::optional<double> fittedUcs; // MPa, where known
    std::optional<int> cases;        // pillars behind it, where known
    std::optional<double> ratioLow;  // the W:H range of its data, where known
    std::optional<double> ratioHigh;
    std::optional<double> designFos; // recommended by its authors, where known
    std::string_view source;         // the reference and what could be checked
    std::string_view remark = {};    // shown with the preset's row

    bool needsUcs() const { return basis != ConstantBasis::Megapascals; }
    // A constant in MPa fitted to a known UCS can be scaled to the site's.
    bool scalable() const { return basis == ConstantBasis::Megapascals && fittedUcs.has_value(); }
};

// What a preset is evaluated for.
struct FormulaPillar {
    double width = 0;  // effective width, m
    double height = 0; // m
    double ratio = 0;  // W:H as the screen shows it (single precision, widened)
    std::optional<double> ucs;
    double ldf = 1;          // large-discontinuity factor, 0 < LDF <= 1
    bool scaleToUcs = false; // scale MPa constants by UCS / fitted UCS
};

// The constant the preset uses for this pillar: as published, or scaled to
// the site's UCS (when asked and the preset is scalable), or times the UCS
// (and LDF). None without the UCS the preset needs.
std::optional<double> EffectiveConstant(const StrengthPreset& preset, const FormulaPillar& pillar);

// The preset's strength for the pillar (not for the Screen form, which the
// screen's own steps evaluate). A preset that needs the UCS has none without
// it: Fault::NotANumber.
Outcome<double> PresetStrength(const StrengthPreset& preset, const FormulaPillar& pillar);

// Whether a W:H lies outside the range of the preset's data (never, where
// the range is not known). The ends belong to the range.
bool OutsideData(const StrengthPreset& preset, double ratio);

// 133 MPa for W and H in metres is 179 MPa for W and H in feet: the constant
// of a power formula with W and H in feet, given in metres.
double FeetConstantInMetres(double constantForFeet, double a, double b);

// clang-format off
inline constexpr std::array<StrengthPreset, 9> kStrengthPresets{{
    {"screen", "The screen's formula", "Hedley & Grant power formula with the screen's K", 0,
     FormulaForm::Screen, ConstantBasis::Megapascals, 0, 0, 0,
     "K W^\xce\xb1 / H^\xce\xb2, the squat formula above the start squat pillar",
     "the site's, through K", std::nullopt, std::nullopt, std::nullopt, std::nullopt, 1.6,
     "The screen's own strength and FOS, evaluated by the screen's steps; the design FOS is "
     "the screen's limit of 1.6."},
    {"hedley-grant-1972", "Hedley & Grant (1972)", "Hedley & Grant", 1972,
     FormulaForm::Power, ConstantBasis::Megapascals, 133, 0.5, 0.75,
     "133 W^0.5 / H^0.75",
     "quartzite and conglomerate of the Elliot Lake uranium mines, Canada", 230.0, 28,
     std::nullopt, std::nullopt, 1.5,
     "Hedley, D.G.F. & Grant, F. (1972), Stope-and-pillar design for the Elliot Lake uranium "
     "mines, CIM Bulletin. The paper was found, its text was not available to check. The 1972 "
     "constant 179 MPa is for W and H in feet; in metres it is 133 MPa (179 x 0.3048^0.25). "
     "UCS, case count and design FOS as tabulated by Martin & Maybee (2000), not checked here; "
     "the W:H range of the data was not found.",
     "The 1972 paper's 179 MPa is this constant for W and H in feet."},
    {"von-kimmelmann-1984", "von Kimmelmann, Hyde & Madgwick (1984)",
     "von Kimmelmann, Hyde & Madgwick", 1984,
     FormulaForm::Power, ConstantBasis::Megapascals, 65, 0.46, 0.66,
     "65 W^0.46 / H^0.66",
     "metasediments of the Selebi-Phikwe mines, Botswana", 94.0, 47,
     std::nullopt, std::nullopt, std::nullopt,
     "von Kimmelmann, M.R., Hyde, B. & Madgwick, R.J. (1984). The paper was not found here: "
     "form and constant as commonly cited; UCS and case count as tabulated by Martin & Maybee "
     "(2000), not checked; no design FOS or W:H range found."},
    {"krauland-soder-1987", "Krauland & S\xc3\xb6" "der (1987)", "Krauland & S\xc3\xb6" "der", 1987,
     FormulaForm::Linear, ConstantBasis::Megapascals, 35.4, 0.778, 0.222,
     "35.4 (0.778 + 0.222 W/H)",
     "limestone of the Black Angel mine, Greenland", 100.0, 14,
     std::nullopt, std::nullopt, std::nullopt,
     "Krauland, N. & S\xc3\xb6" "der, P.E. (1987). The paper was not found here: the linear "
     "form 0.778 + 0.222 W/H was checked against other published uses of it; the constant as "
     "commonly cited; UCS and case count as tabulated by Martin & Maybee (2000), not checked; "
     "no design FOS or W:H range found."},
    {"potvin-1989", "Potvin, Hudyma & Miller (1989)", "Potvin, Hudyma & Miller", 1989,
     FormulaForm::Linear, ConstantBasis::Ucs, 0.42, 0, 1,
     "0.42 UCS W/H",
     "Canadian hard-rock mines", std::nullopt, std::nullopt,
     std::nullopt, std::nullopt, std::nullopt,
     "Potvin, Y., Hudyma, M.R. & Miller, H.D.S. (1989). The paper was not found here: form "
     "and constant as commonly cited; no case count, design FOS or W:H range found."},
    {"sjoberg-1992", "Sj\xc3\xb6" "berg (1992)", "Sj\xc3\xb6" "berg", 1992,
     FormulaForm::Linear, ConstantBasis::Megapascals, 74, 0.778, 0.222,
     "74 (0.778 + 0.222 W/H)",
     "limestone and skarn of the Zinkgruvan mine, Sweden", 240.0, 9,
     std::nullopt, std::nullopt, std::nullopt,
     "Sj\xc3\xb6" "berg, J. (1992). The paper was not found here: form and constant as "
     "commonly cited; UCS and case count as tabulated by Martin & Maybee (2000), not checked; "
     "no design FOS or W:H range found."},
    {"lunder-pakalnis-1997", "Lunder & Pakalnis (1997)", "Lunder & Pakalnis", 1997,
     FormulaForm::Confinement, ConstantBasis::Ucs, 0.44, 0.68, 0.52,
     "0.44 UCS (0.68 + 0.52 \xce\xba), \xce\xba = tan(acos((1 \xe2\x88\x92 Cpav) / (1 + Cpav))), "
     "Cpav = 0.46 [log10(W/H + 0.75)]^(1.4 / (W/H))",
     "mainly massive sulphide pillars of Canadian hard-rock mines", std::nullopt, 178,
     std::nullopt, std::nullopt, 1.4,
     "Lunder, P.J. & Pakalnis, R. (1997), the confinement formula; from Lunder's 1994 thesis "
     "(University of British Columbia), whose abstract gives the 178 case histories. Checked: "
     "the published values at W/H 2 (Cpav 0.2587, kappa 1.372, strength/UCS 0.6131). The "
     "design FOS 1.4 is the stable side of its stability graph; the W:H range of the data was "
     "not found."},
    {"esterhuizen-2011", "Esterhuizen, Dolinar & Ellenberger (2011)",
     "Esterhuizen, Dolinar & Ellenberger", 2011,
     FormulaForm::Power, ConstantBasis::UcsAndLdf, 0.65, 0.30, 0.59,
     "0.65 UCS LDF W^0.30 / H^0.59",
     "limestone and dolomite of stone mines in the eastern and midwestern United States",
     std::nullopt, std::nullopt, std::nullopt, std::nullopt, 1.8,
     "Esterhuizen, G.S., Dolinar, D.R. & Ellenberger, J.L. (2011), Pillar strength in "
     "underground stone mines in the United States, Int. J. Rock Mech. Min. Sci. 48. The paper "
     "was found (title and abstract); form, constant and the design FOS 1.8 as commonly cited, "
     "not checked against its text; no W:H range found."},
    {"salamon-munro-1967", "Salamon & Munro (1967), coal", "Salamon & Munro", 1967,
     FormulaForm::Power, ConstantBasis::Megapascals, 7.176, 0.46, 0.66,
     "7.176 W^0.46 / H^0.66",
     "South African coal, shown for contrast", std::nullopt, 125,
     std::nullopt, std::nullopt, 1.6,
     "Salamon, M.D.G. & Munro, A.H. (1967), A study of the strength of coal pillars, J. S. Afr. "
     "Inst. Min. Metall. Fitted to coal, not hard rock. The paper's text was not available to "
     "check: constant, case count and design FOS as commonly cited; no W:H range found.",
     "Fitted to coal: shown for contrast."},
}};
// clang-format on

} // namespace vt::engine
