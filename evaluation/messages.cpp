#include "evaluation/messages.h"

#include "evaluation/designfields.h"

namespace vt::evaluation {

QString Caption(Input input) {
    if (input == Input::EffectiveWidth)
        return QStringLiteral("Eff. pillar width (m)");
    const DesignField* field = FieldOf(input);
    return field ? field->caption.toString() : QString();
}

Refusal NumberRefusal(Input input, QStringView text, NumberProblem problem,
                      const NumberLocale& locale) {
    return NumberRefusal(Caption(input), text, problem, locale);
}

Refusal NumberRefusal(const QString& field, QStringView text, NumberProblem problem,
                      const NumberLocale& locale) {
    QString message;
    switch (problem) {
    case NumberProblem::None:
        return {};
    case NumberProblem::NotANumber:
        message = QStringLiteral("The value in \"%1\" is not a number").arg(field);
        break;
    case NumberProblem::TooLarge:
        message = QStringLiteral("The value in \"%1\" is too large to use").arg(field);
        break;
    case NumberProblem::TooSmall:
        message = QStringLiteral("The value in \"%1\" is too close to 0 to use: type 0 or a "
                                 "larger number")
                      .arg(field);
        break;
    case NumberProblem::LooksLikeThousands: {
        // "1,200" may mean twelve hundred or one point two: say both readings.
        const QString t = text.trimmed().toString();
        QString whole = t;
        whole.remove(locale.groupSeparator());
        QString decimal = t;
        decimal.replace(locale.groupSeparator(), locale.decimalPoint());
        while (decimal.endsWith(QLatin1Char('0')))
            decimal.chop(1);
        if (decimal.endsWith(locale.decimalPoint()))
            decimal.chop(locale.decimalPoint().size());
        message = QStringLiteral("The value \"%1\" in \"%2\" could be read as %3 or as %4: type "
                                 "%3 without the thousands separator, or %4")
                      .arg(t, field, whole, decimal);
        break;
    }
    }
    return {message, kInvalidDataTitle};
}

namespace {

QString OverflowMessage(Operation operation) {
    switch (operation) {
    case Operation::Extraction:
        return QStringLiteral("The pillar and bord widths are too large to calculate the "
                              "% extraction");
    case Operation::TributaryStress:
        return QStringLiteral("The pillar stress is too large to calculate: check the depth and "
                              "the rock density");
    case Operation::EffectiveWidth:
        return QStringLiteral("The pillar width and length are too large to calculate the "
                              "effective pillar width");
    case Operation::Strength:
        return QStringLiteral("The pillar strength is too large to calculate: check K, the "
                              "pillar dimensions and the formula variables");
    case Operation::FactorOfSafety:
        return QStringLiteral("The factor of safety is too large to calculate: check the "
                              "pillar stress");
    }
    return {};
}

QString FaultMessage(engine::Fault fault, Operation operation, bool pillarHasArea) {
    using engine::Fault;
    switch (fault) {
    case Fault::None:
        return {};
    case Fault::NotANumber:
        return QStringLiteral("A value is not a finite number");
    case Fault::ZeroTributaryArea:
        return QStringLiteral("The pillar width plus the bord width must not be 0 in either "
                              "direction");
    case Fault::FullExtraction:
        if (pillarHasArea)
            return QStringLiteral("The bords are so wide against the pillar that the extraction "
                                  "is 100 %: the pillar carries no share of the load it could "
                                  "be given");
        return QStringLiteral("The pillar width and the pillar length must not be 0");
    case Fault::ZeroPerimeter:
        return QStringLiteral("The pillar width plus the pillar length must not be 0");
    case Fault::ZeroHeight:
        return QStringLiteral("The pillar height must not be 0");
    case Fault::ZeroSquatStart:
        return QStringLiteral("The start squat pillar value must not be 0");
    case Fault::ZeroIncreaseRate:
        return QStringLiteral("The strength increase rate must not be 0");
    case Fault::ZeroStress:
        return QStringLiteral("The average pillar stress must not be 0");
    case Fault::NegativeBase:
        return QStringLiteral("The pillar width, length and height and the start squat pillar "
                              "value must not be negative");
    case Fault::Overflow:
        return OverflowMessage(operation);
    }
    return {};
}

} // namespace

Refusal FaultRefusal(engine::Fault fault, Operation operation) {
    return {FaultMessage(fault, operation, false), kInvalidDataTitle};
}

Refusal FaultRefusal(engine::Fault fault, Operation operation, float width, float length) {
    return {FaultMessage(fault, operation, width != 0.0f && length != 0.0f), kInvalidDataTitle};
}

} // namespace vt::evaluation
