// The screen's design read as numbers gives, over the numeric road, exactly
// the FOS the screen shows for its texts: the starting point of every sample.
#include "probability/core/screendesign.h"
#include "results/core/modellingfile.h"

#include <QLocale>
#include <cstring>
#include <gtest/gtest.h>

namespace vt::probability {
namespace {

using evaluation::DesignTexts;
using evaluation::Method;
using evaluation::NumberLocale;

DesignTexts Texts(Method method, const char* width, const char* length, const char* k,
                  const char* height) {
    DesignTexts t;
    t.method = method;
    t.density = QStringLiteral("2.7");
    t.stress = QStringLiteral("64.0985");
    t.depth = QStringLiteral("500");
    t.width = QString::fromLatin1(width);
    t.length = QString::fromLatin1(length);
    t.k = QString::fromLatin1(k);
    t.height = QString::fromLatin1(height);
    return t;
}

results::ModellingResults Table() {
    results::ModellingResults table;
    table.FileName = "two.int";
    const bool read = results::ModellingTextFromBytes(table, "5\t0\t7\t0\r\n"
                                                             "100\t20\t100\t15\r\n"
                                                             "600\t70\t600\t52.5\r\n");
    EXPECT_TRUE(read);
    EXPECT_TRUE(results::ParseModellingResults(table));
    return table;
}

TEST(ReadScreenDesign, TheNumbersGiveTheScreensFosBitForBit) {
    const results::ModellingResults table = Table();
    const NumberLocale english(QLocale(QLocale::English, QLocale::UnitedStates));
    const NumberLocale german(QLocale(QLocale::German, QLocale::Germany));
    struct Case {
        DesignTexts texts;
        const NumberLocale* locale;
    };
    std::vector<Case> cases;
    for (Method m : {Method::Tributary, Method::Modelled})
        for (auto [w, l] : {std::pair{"10", "10"}, std::pair{"6", "8"}, std::pair{"6.3", "7.7"},
                            std::pair{"3", "7"}, std::pair{"12.25", "19.9"}})
            for (const char* h : {"2", "2.75", "5", "1.1"})
                cases.push_back({Texts(m, w, l, "100", h), &english});
    for (const char* w : {"5", "6.3", "7"})
        for (const char* h : {"1", "2", "3.3"})
            cases.push_back({Texts(Method::Interpolation, w, w, "30", h), &english});
    DesignTexts comma = Texts(Method::Tributary, "6,3", "7,7", "43,33", "2,75");
    comma.density = QStringLiteral("2,65");
    comma.alpha = QStringLiteral("0,46");
    comma.beta = QStringLiteral("0,66");
    cases.push_back({comma, &german});
    for (const Case& c : cases) {
        const auto design = ReadScreenDesign(c.texts, *c.locale, &table);
        ASSERT_TRUE(design.ok()) << c.texts.width.toStdString() << " "
                                 << design.refusal().message.toStdString();
        const evaluation::NumericEvaluation e =
            evaluation::EvaluateNumbers(design->numbers, &table);
        ASSERT_TRUE(e.complete());
        const float shown = design->shown.factorOfSafetyValue;
        EXPECT_EQ(std::memcmp(&e.factorOfSafety, &shown, sizeof shown), 0)
            << evaluation::MethodName(c.texts.method).toStdString() << " w "
            << c.texts.width.toStdString() << " h " << c.texts.height.toStdString();
        EXPECT_EQ(e.widthHeightTooSmall, design->shown.widthHeightTooSmall);
        EXPECT_EQ(e.formula, design->shown.formulaUsed);
    }
}

TEST(ReadScreenDesign, RefusesAsTheScreenRefuses) {
    const NumberLocale english(QLocale(QLocale::English, QLocale::UnitedStates));
    DesignTexts empty = Texts(Method::Tributary, "10", "10", "100", "");
    const auto refused = ReadScreenDesign(empty, english, nullptr);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.refusal(), *evaluation::Evaluate(empty, english).refusal);
    DesignTexts letters = Texts(Method::Modelled, "10", "10", "abc", "5");
    const auto notANumber = ReadScreenDesign(letters, english, nullptr);
    ASSERT_FALSE(notANumber.ok());
    EXPECT_EQ(notANumber.refusal().message,
              QStringLiteral("The value in \"K (MPa)\" is not a number"));
}

TEST(UncertainInputs, AreTheInputsThatEnterTheMethodsFos) {
    using evaluation::Input;
    EXPECT_EQ(
        UncertainInputs(Method::Interpolation),
        (std::vector<Input>{Input::K, Input::Depth, Input::PillarWidth, Input::PillarHeight}));
    const auto modelled = UncertainInputs(Method::Modelled);
    EXPECT_EQ(std::count(modelled.begin(), modelled.end(), Input::Depth), 0);
    EXPECT_EQ(std::count(modelled.begin(), modelled.end(), Input::ModelledStress), 1);
    // The window's order: K first, then the loading, the plan and the height.
    EXPECT_EQ(UncertainInputs(Method::Tributary),
              (std::vector<Input>{Input::K, Input::RockDensity, Input::Depth, Input::PillarWidth,
                                  Input::PillarLength, Input::BordWidth1, Input::BordWidth2,
                                  Input::PillarHeight}));
    EXPECT_EQ(UncertainInputs(),
              (std::vector<Input>{Input::K, Input::RockDensity, Input::ModelledStress, Input::Depth,
                                  Input::PillarWidth, Input::PillarLength, Input::BordWidth1,
                                  Input::BordWidth2, Input::PillarHeight}));
    // Each input writes its own number of the design.
    for (Method m : {Method::Tributary, Method::Modelled, Method::Interpolation})
        for (Input input : UncertainInputs(m)) {
            evaluation::DesignNumbers d;
            d.*InputMember(input) = 12345.5;
            int found = 0;
            for (double v :
                 {d.density, d.stress, d.depth, d.width, d.length, d.bord1, d.bord2, d.k, d.height})
                found += v == 12345.5;
            EXPECT_EQ(found, 1);
        }
}

} // namespace
} // namespace vt::probability
