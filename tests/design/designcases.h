// Designs for the design-tool tests: modelling-results tables loaded from
// bytes, random designs on each screen, and answers found by stepping
// through every grid value by the texts the screen would be given.
#pragma once

#include "design/designpoint.h"
#include "design/solve.h"
#include "results/core/modellingfile.h"
#include "tests/support/designs.h"
#include "tests/support/modellingtables.h"

#include <QFile>
#include <QLocale>
#include <QString>
#include <gtest/gtest.h>
#include <initializer_list>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace vt::test {

// The default modelling-results file: widths 4 to 18 m, depths 100 to 2000 m.
inline const results::ModellingResults& DefaultTable() {
    static const results::ModellingResults table = [] {
        QFile file(QStringLiteral(VT_DATA_DIR "/RazuziRurida - Do not delete.int"));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        return TableFromBytes(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }();
    return table;
}

inline design::BaseDesign
ReadBase(const evaluation::DesignTexts& d, const results::ModellingResults* table = nullptr,
         const evaluation::NumberLocale& locale =
             evaluation::NumberLocale(QLocale(QLocale::English, QLocale::UnitedStates))) {
    const auto base = design::ReadDesign(d, locale, table);
    EXPECT_TRUE(base.ok()) << base.refusal().message.toStdString();
    return base.value();
}

// The screens and tables the random designs are drawn on.
struct MethodCase {
    const char* name;
    evaluation::Method method;
    const results::ModellingResults* table;
};

inline const results::ModellingResults& ShortCurveTable() {
    static const results::ModellingResults table = TableFromBytes(kShortWidth7);
    return table;
}

inline std::vector<MethodCase> EveryMethod() {
    using evaluation::Method;
    return {{"tributary", Method::Tributary, nullptr},
            {"modelled", Method::Modelled, nullptr},
            {"interpolation", Method::Interpolation, &DefaultTable()},
            {"short curve", Method::Interpolation, &ShortCurveTable()}};
}

// Three texts typed, and what reading them says (nullptr: they read).
struct Typed {
    const char* first;
    const char* second;
    const char* third;
    const char* refusal;
};

template <class Read> void ExpectRefusals(std::initializer_list<Typed> cases, Read read) {
    for (const Typed& c : cases) {
        const auto step = read(QString::fromUtf8(c.first), QString::fromUtf8(c.second),
                               QString::fromUtf8(c.third));
        if (!c.refusal) {
            EXPECT_TRUE(step.ok()) << c.first << " / " << c.second << " / " << c.third;
            continue;
        }
        ASSERT_FALSE(step.ok()) << c.refusal;
        EXPECT_EQ(step.refusal().message.toStdString(), c.refusal);
    }
}

class RandomDesigns {
public:
    explicit RandomDesigns(unsigned seed)
        : rng_(seed) {}

    QString decimal(double lo, double hi, int decimals) {
        std::uniform_real_distribution<double> d(lo, hi);
        return QString::number(d(rng_), 'f', decimals);
    }
    template <class T> const T& pick(std::initializer_list<T> items) {
        std::uniform_int_distribution<std::size_t> d(0, items.size() - 1);
        return *(items.begin() + d(rng_));
    }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }
    std::int64_t whole(std::int64_t lo, std::int64_t hi) {
        return std::uniform_int_distribution<std::int64_t>(lo, hi)(rng_);
    }

    evaluation::DesignTexts design(evaluation::Method method) {
        using evaluation::Method;
        evaluation::DesignTexts d;
        d.method = method;
        d.density = pick({QStringLiteral("2.5"), QStringLiteral("2.7"), QStringLiteral("2.75"),
                          QStringLiteral("3.0"), QStringLiteral("3.3")});
        d.stress = decimal(15, 150, 1);
        d.depth = method == Method::Interpolation ? decimal(100, 2000, 0) : decimal(50, 2500, 0);
        d.width = method == Method::Interpolation ? decimal(4, 18, 1) : decimal(3, 25, 1);
        d.length = chance(0.5) ? d.width : decimal(d.width.toDouble(), 3 * d.width.toDouble(), 1);
        d.bord1 = pick({QStringLiteral("4"), QStringLiteral("8"), QStringLiteral("12"),
                        QStringLiteral("16"), QStringLiteral("20")});
        d.bord2 = chance(0.6) ? d.bord1 : decimal(4, 20, 1);
        d.k = decimal(10, 100, 1);
        d.height = decimal(1, 8, 1);
        d.alpha = pick({QStringLiteral("0.5"), QStringLiteral("0.46")});
        d.beta = pick({QStringLiteral("0.75"), QStringLiteral("0.66")});
        d.squatStart = pick({QStringLiteral("4.5"), QStringLiteral("5.0")});
        d.increaseRate = pick({QStringLiteral("2.5"), QStringLiteral("4.5")});
        return d;
    }

    design::SolveSettings settings() {
        design::SolveSettings s;
        s.targetText = pick({QStringLiteral("1"), QStringLiteral("1.4"), QStringLiteral("1.6"),
                             QStringLiteral("2"), QStringLiteral("3")});
        s.ratioText = pick({QStringLiteral("2.5"), QStringLiteral("1"), QStringLiteral("3.5")});
        s.target = s.targetText.toFloat();
        s.minimumRatio = s.ratioText.toFloat();
        s.grid = pick({design::Decimal{1, 1}, design::Decimal{5, 2}, design::Decimal{25, 2}});
        return s;
    }

private:
    std::mt19937 rng_;
};

// Whether the screen would flag neither, from what it shows.
inline bool PassesOnScreen(const evaluation::Evaluation& e, const design::SolveSettings& s) {
    return e.complete() && !(e.widthHeightRatioValue < s.minimumRatio) &&
           !(e.factorOfSafetyValue < s.target);
}

inline design::Quantity QuantityOf(design::Question q) {
    switch (q) {
    case design::Question::SmallestWidth:
        return design::Quantity::PillarWidth;
    case design::Question::GreatestDepth:
        return design::Quantity::Depth;
    case design::Question::WidestBords:
        return design::Quantity::BordWidth;
    }
    return design::Quantity::PillarWidth;
}

// Whether each value of the range passes, found by typing it into the
// screen's texts and evaluating them as the screen does (empty where the
// question does not apply).
inline std::vector<bool> PassesByTyping(const design::BaseDesign& base, design::Question question,
                                        const design::SolveSettings& s) {
    const auto range = design::SearchRange(base, question, s);
    const auto v = design::Variation::Of(base, QuantityOf(question));
    std::vector<bool> passes;
    if (!range || !v)
        return passes;
    for (std::int64_t k = 0; k < range->count(); ++k) {
        const evaluation::Evaluation e =
            evaluation::Evaluate(v->textsAt(range->at(k)), base.locale, base.table);
        passes.push_back(PassesOnScreen(e, s));
    }
    return passes;
}

// The indices of the range from the failing end (the narrowest pillar, the
// greatest depth, the widest bords) to the safe end.
inline std::vector<std::int64_t> FromTheFailingEnd(design::Question question, std::size_t count) {
    std::vector<std::int64_t> order(count);
    for (std::size_t i = 0; i < count; ++i)
        order[i] = static_cast<std::int64_t>(
            question == design::Question::SmallestWidth ? i : count - 1 - i);
    return order;
}

// Of the flags of PassesByTyping: the index nearest the failing end from
// which every value up to the safe end passes.
inline std::optional<std::int64_t> SettledIndex(design::Question question,
                                                const std::vector<bool>& passes) {
    std::optional<std::int64_t> found;
    for (const std::int64_t k : FromTheFailingEnd(question, passes.size())) {
        if (!passes[static_cast<std::size_t>(k)])
            found.reset();
        else if (!found)
            found = k;
    }
    return found;
}

// Of the same flags: the passing index nearest the failing end.
inline std::optional<std::int64_t> FirstPassIndex(design::Question question,
                                                  const std::vector<bool>& passes) {
    for (const std::int64_t k : FromTheFailingEnd(question, passes.size()))
        if (passes[static_cast<std::size_t>(k)])
            return k;
    return std::nullopt;
}

// The answer by typing every value: the value nearest the failing end from
// which every value up to the safe end passes.
inline std::optional<design::Decimal> AnswerByTyping(const design::BaseDesign& base,
                                                     design::Question question,
                                                     const design::SolveSettings& s) {
    const std::optional<std::int64_t> k = SettledIndex(question, PassesByTyping(base, question, s));
    if (!k)
        return std::nullopt;
    return design::SearchRange(base, question, s)->at(*k);
}

inline std::string Describe(const evaluation::DesignTexts& d) {
    return (evaluation::MethodName(d.method) +
            QStringLiteral(" rho=%1 aps=%2 H=%3 w=%4 l=%5 "
                           "b=%6/%7 K=%8 h=%9")
                .arg(d.density, d.stress, d.depth, d.width, d.length, d.bord1, d.bord2, d.k,
                     d.height) +
            QStringLiteral(" a=%1 b=%2 R0=%3 e=%4")
                .arg(d.alpha, d.beta, d.squatStart, d.increaseRate))
        .toStdString();
}

} // namespace vt::test
