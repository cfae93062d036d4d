#include "design/designpoint.h"

#include "evaluation/designfields.h"
#include "evaluation/steps.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>

namespace vt::design {

using evaluation::DesignNumbers;
using evaluation::DesignTexts;
using evaluation::Evaluation;
using evaluation::Input;
using evaluation::Method;
using evaluation::Refusal;
using evaluation::Step;

namespace {

const QString kDesignTitle = QStringLiteral("Design");

float Single(double value) {
    return static_cast<float>(value);
}

// The input a quantity is typed into.
Input InputOf(Quantity quantity) {
    switch (quantity) {
    case Quantity::PillarWidth:
        return Input::PillarWidth;
    case Quantity::Depth:
        return Input::Depth;
    case Quantity::PillarHeight:
        return Input::PillarHeight;
    case Quantity::BordWidth:
        return Input::BordWidth1;
    }
    return Input::PillarWidth;
}

// An input of the screen's design as the tools place and scale it: the
// number the steps read where they read a double (or the interpolation
// screen's rule), else the value as typed (the steps narrow it to single
// precision, as they narrow every value the tools step to).
double TypedValue(const BaseDesign& base, Input input) {
    const evaluation::DesignField& field = *evaluation::FieldOf(input);
    const bool byRule =
        base.texts.method == Method::Interpolation && field.leading != evaluation::Leading::No;
    if (byRule || field.precision == evaluation::Precision::Double)
        return base.numbers.*field.number;
    return evaluation::ReadDouble(base.texts.*field.text, base.locale).value;
}

} // namespace

QString QuantityCaption(Quantity quantity) {
    return evaluation::Caption(InputOf(quantity));
}

Step<BaseDesign> ReadDesign(const DesignTexts& texts, const evaluation::NumberLocale& locale,
                            const results::ModellingResults* table) {
    BaseDesign base{evaluation::AsOnScreen(texts), {}, {}, locale, table, true};
    base.shown = evaluation::Evaluate(base.texts, locale, table);
    if (!base.shown.complete()) {
        if (base.shown.refusal->silent())
            return Refusal{QStringLiteral("The design on the screen gives no result"),
                           evaluation::kInsufficientDataTitle};
        return *base.shown.refusal;
    }
    const Step<DesignNumbers> numbers = evaluation::ReadNumbers(base.texts, locale, table);
    if (numbers)
        base.numbers = numbers.value();
    base.numbersExact = numbers.ok();
    if (base.texts.method == Method::Interpolation) {
        // The strength step reads the length text (the width's) as a number.
        const evaluation::Reading<float> length = evaluation::ReadSingle(base.texts.length, locale);
        base.numbersExact =
            base.numbersExact && length.ok() && length.value == Single(base.numbers.width);
    }
    return base;
}

QString DesignCaption(const BaseDesign& base) {
    const DesignTexts& t = base.texts;
    QStringList parts;
    QString method;
    switch (t.method) {
    case evaluation::Method::Tributary:
        method = QStringLiteral("Tributary theory");
        parts << QStringLiteral("density %1 t/m³").arg(t.density);
        break;
    case evaluation::Method::Modelled:
        method = QStringLiteral("Modelled stress");
        parts << QStringLiteral("pillar stress %1 MPa").arg(t.stress);
        break;
    case evaluation::Method::Interpolation:
        method = QStringLiteral("Interpolation");
        if (base.table && !base.table->FileName.empty())
            method += QStringLiteral(" in %1").arg(
                QFileInfo(QString::fromStdString(base.table->FileName)).fileName());
        break;
    }
    parts << QStringLiteral("depth %1 m").arg(t.depth)
          << QStringLiteral("pillar %1 m x %2 m").arg(t.width, t.length)
          << QStringLiteral("bords %1 m and %2 m").arg(t.bord1, t.bord2)
          << QStringLiteral("height %1 m").arg(t.height) << QStringLiteral("K %1 MPa").arg(t.k)
          << QStringLiteral("α %1, β %2").arg(t.alpha, t.beta)
          << QStringLiteral("squat from W:H %1 at rate %2").arg(t.squatStart, t.increaseRate);
    return QStringLiteral("%1: %2; FOS %3, W:H %4")
        .arg(method, parts.join(QStringLiteral(", ")), base.shown.factorOfSafety,
             base.shown.widthHeightRatio);
}

double CurrentValue(const BaseDesign& base, Quantity quantity) {
    return TypedValue(base, InputOf(quantity));
}

TableExtent ExtentOf(const results::ModellingResults& table) {
    TableExtent extent;
    const int columns = std::min<int>(table.FieldCount, static_cast<int>(table.Header.size()) - 1);
    for (int c = 1; c + 1 <= columns; c += 2) {
        extent.widths.push_back(table.Header[static_cast<std::size_t>(c)]);
        if (static_cast<std::size_t>(c) >= table.ValidCounts.size())
            continue;
        const int last =
            std::min(table.ValidCounts[static_cast<std::size_t>(c)], table.Readings.rows());
        for (int r = 2; r <= last && c <= table.Readings.columns(); ++r)
            extent.depths.push_back(table.Readings(r, c));
    }
    for (std::vector<double>* values : {&extent.widths, &extent.depths}) {
        std::sort(values->begin(), values->end());
        values->erase(std::unique(values->begin(), values->end()), values->end());
    }
    return extent;
}

PointResult ResultOf(const Evaluation& shown) {
    PointResult r;
    r.complete = shown.complete();
    if (!r.complete)
        return r;
    r.factorOfSafety = shown.factorOfSafetyValue;
    r.strength = shown.strengthValue;
    r.stress = shown.averagePillarStress;
    r.ratio = shown.widthHeightRatioValue;
    r.ratioTooSmall = shown.widthHeightTooSmall;
    r.factorOfSafetyTooSmall = shown.factorOfSafetyTooSmall;
    r.formula = shown.formulaUsed;
    return r;
}

PointResult ResultOf(const evaluation::NumericEvaluation& e) {
    PointResult r;
    r.complete = e.complete();
    if (!r.complete)
        return r;
    r.factorOfSafety = e.factorOfSafety;
    r.strength = e.strength;
    r.stress = e.averagePillarStress;
    r.ratio = e.widthHeightRatio;
    r.extraction = e.extraction;
    r.effectiveWidth = e.effectiveWidth;
    r.ratioTooSmall = e.widthHeightTooSmall;
    r.factorOfSafetyTooSmall = e.factorOfSafetyTooSmall;
    r.formula = e.formula;
    return r;
}

// --- Variation ---

namespace {

// The ratio a follower keeps, with the decimals it is rounded to; refused
// where it cannot be kept.
struct Follower {
    std::optional<double> ratio;
    int decimals = 2;
};

std::optional<Follower> FollowerOf(double leader, double follower) {
    if (leader == follower)
        return Follower{};
    const double ratio = follower / leader;
    if (!(leader > 0) || !(ratio >= 1e-3 && ratio <= 1e3))
        return std::nullopt;
    return Follower{ratio, std::max(2, DecimalsOf(follower))};
}

} // namespace

Step<Variation> Variation::Of(const BaseDesign& base, Quantity quantity) {
    Variation v(base, quantity);
    const bool interpolation = base.texts.method == Method::Interpolation;
    if (quantity == Quantity::BordWidth && interpolation)
        return Refusal{QStringLiteral("The bords are those of the modelling on this screen: All "
                                      "the modelling was done on a 12m bord width"),
                       kDesignTitle};
    std::optional<Follower> follower = Follower{};
    if (quantity == Quantity::PillarWidth && !interpolation) {
        follower =
            FollowerOf(TypedValue(base, Input::PillarWidth), TypedValue(base, Input::PillarLength));
        if (!follower)
            return Refusal{QStringLiteral("The length:width ratio of the pillar cannot be kept"),
                           kDesignTitle};
    }
    if (quantity == Quantity::BordWidth) {
        follower =
            FollowerOf(TypedValue(base, Input::BordWidth1), TypedValue(base, Input::BordWidth2));
        if (!follower)
            return Refusal{QStringLiteral("The ratio of the bord widths cannot be kept: bord "
                                          "width 1 must be above 0"),
                           kDesignTitle};
    }
    v.followerRatio_ = follower->ratio;
    v.followerDecimals_ = follower->decimals;
    if (quantity == Quantity::PillarWidth && interpolation && base.table) {
        const QStringList items = evaluation::WidthItems(*base.table, base.locale);
        for (qsizetype i = 0; i < items.size(); ++i) {
            const std::size_t position = static_cast<std::size_t>(2 * i + 1);
            const auto decimal = ReadDecimal(items[i], base.locale);
            if (decimal && position < base.table->Header.size() &&
                decimal->value() != base.table->Header[position])
                v.listWidths_.emplace_back(decimal->value(), base.table->Header[position]);
        }
    }
    return v;
}

std::optional<Decimal> Variation::followerAt(const Decimal& value) const {
    const bool follows =
        quantity_ == Quantity::BordWidth ||
        (quantity_ == Quantity::PillarWidth && base_->texts.method != Method::Interpolation);
    if (!follows)
        return std::nullopt;
    if (!followerRatio_)
        return value;
    // Within the ranges the tools step through, the follower always fits.
    return RoundToDecimal(value.value() * *followerRatio_,
                          std::max(followerDecimals_, value.decimals));
}

DesignTexts Variation::textsAt(const Decimal& value) const {
    DesignTexts t = base_->texts;
    const QString text = value.text(base_->locale);
    const std::optional<Decimal> follower = followerAt(value);
    const QString followerText = follower ? follower->text(base_->locale) : text;
    switch (quantity_) {
    case Quantity::PillarWidth:
        t.width = text;
        t.length = followerText;
        break;
    case Quantity::Depth:
        t.depth = text;
        break;
    case Quantity::PillarHeight:
        t.height = text;
        break;
    case Quantity::BordWidth:
        t.bord1 = text;
        t.bord2 = followerText;
        break;
    }
    return evaluation::AsOnScreen(t);
}

Evaluation Variation::shownAt(const Decimal& value) const {
    return evaluation::Evaluate(textsAt(value), base_->locale, base_->table);
}

double Variation::interpolationWidth(double value, bool& exact) const {
    exact = true;
    for (const auto& [spelt, header] : listWidths_)
        if (spelt == value) {
            exact = Single(header) == Single(value);
            return header;
        }
    return value;
}

PointResult Variation::resultAt(const Decimal& value) const {
    if (!base_->numbersExact)
        return ResultOf(shownAt(value));
    DesignNumbers n = base_->numbers;
    const double x = value.value();
    const std::optional<Decimal> follower = followerAt(value);
    const double followerValue = follower ? follower->value() : x;
    switch (quantity_) {
    case Quantity::PillarWidth:
        if (base_->texts.method == Method::Interpolation) {
            bool exact = true;
            n.width = interpolationWidth(x, exact);
            n.length = n.width;
            if (!exact)
                return ResultOf(shownAt(value));
        } else {
            n.width = x;
            n.length = followerValue;
        }
        break;
    case Quantity::Depth:
        n.depth = x;
        break;
    case Quantity::PillarHeight:
        n.height = x;
        break;
    case Quantity::BordWidth:
        n.bord1 = x;
        n.bord2 = followerValue;
        break;
    }
    return ResultOf(evaluation::EvaluateNumbers(n, base_->table));
}

std::vector<std::pair<Input, QString>> Variation::inputsAt(const Decimal& value) const {
    const DesignTexts t = textsAt(value);
    switch (quantity_) {
    case Quantity::PillarWidth:
        // The interpolation screen's length follows its width by itself.
        if (base_->texts.method == Method::Interpolation)
            return {{Input::PillarWidth, t.width}};
        return {{Input::PillarWidth, t.width}, {Input::PillarLength, t.length}};
    case Quantity::Depth:
        return {{Input::Depth, t.depth}};
    case Quantity::PillarHeight:
        return {{Input::PillarHeight, t.height}};
    case Quantity::BordWidth:
        return {{Input::BordWidth1, t.bord1}, {Input::BordWidth2, t.bord2}};
    }
    return {};
}

} // namespace vt::design
