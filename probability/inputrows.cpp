#include "probability/inputrows.h"

#include "app/ui.h"
#include "evaluation/designfields.h"
#include "evaluation/messages.h"
#include "evaluation/numbers.h"
#include "probability/core/screendesign.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

namespace vt::probability {

using evaluation::Input;
using evaluation::Method;

QString InputKey(Input input) {
    const evaluation::DesignField* field = evaluation::FieldOf(input);
    return field ? field->objectSuffix.toString() : QString();
}

std::vector<Input> SampledInputs(Method method) {
    std::vector<Input> inputs = UncertainInputs(method);
    if (method == Method::Modelled)
        std::erase_if(inputs, [](Input input) {
            return input == Input::BordWidth1 || input == Input::BordWidth2;
        });
    return inputs;
}

namespace {

QLineEdit* ParameterBox(const QString& name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setMaximumWidth(72);
    box->setEnabled(false);
    return box;
}

} // namespace

int InputRow::AddHeaders(QGridLayout* grid) {
    // On two lines where that keeps the columns narrow.
    const QString headers[] = {QStringLiteral("Input"),          QStringLiteral("On the<br>screen"),
                               QStringLiteral("Distribution"),   QStringLiteral("CV (%)"),
                               QStringLiteral("Lower<br>bound"), QStringLiteral("Upper<br>bound")};
    int column = 0;
    for (const QString& text : headers)
        grid->addWidget(new QLabel(QStringLiteral("<b>%1</b>").arg(text), grid->parentWidget()), 0,
                        column++);
    return column;
}

InputRow InputRow::Make(QGridLayout* grid, int line, Input input) {
    QWidget* parent = grid->parentWidget();
    const QString key = InputKey(input);
    InputRow row;
    row.input = input;
    row.caption = new QLabel(evaluation::Caption(input), parent);
    row.value = new QLabel(parent);
    row.value->setObjectName(QStringLiteral("lblValue") + key);
    row.distribution = new QComboBox(parent);
    row.distribution->setObjectName(QStringLiteral("cboDistribution") + key);
    WheelOnlyWhenFocused(row.distribution);
    std::vector<DistributionKind> kinds = {DistributionKind::Fixed, DistributionKind::Normal,
                                           DistributionKind::Lognormal, DistributionKind::Uniform};
    if (input == Input::K)
        kinds.push_back(DistributionKind::FromReadings);
    for (DistributionKind kind : kinds)
        row.distribution->addItem(KindName(kind), static_cast<int>(kind));
    row.coefficient = ParameterBox(QStringLiteral("txtCV") + key, parent);
    row.lower = ParameterBox(QStringLiteral("txtLower") + key, parent);
    row.upper = ParameterBox(QStringLiteral("txtUpper") + key, parent);
    QWidget* const cells[] = {row.caption,     row.value, row.distribution,
                              row.coefficient, row.lower, row.upper};
    int column = 0;
    for (QWidget* cell : cells)
        grid->addWidget(cell, line, column++);
    return row;
}

DistributionKind InputRow::kind() const {
    return static_cast<DistributionKind>(distribution->currentData().toInt());
}

DistributionTexts InputRow::texts() const {
    return {kind(), coefficient->text(), lower->text(), upper->text()};
}

void InputRow::setVisible(bool shown) const {
    for (QWidget* w : {static_cast<QWidget*>(caption), static_cast<QWidget*>(value),
                       static_cast<QWidget*>(distribution), static_cast<QWidget*>(coefficient),
                       static_cast<QWidget*>(lower), static_cast<QWidget*>(upper)})
        w->setVisible(shown);
}

void InputRow::kindChanged() const {
    const DistributionKind k = kind();
    const bool byCoefficient = k == DistributionKind::Normal || k == DistributionKind::Lognormal;
    const bool uniform = k == DistributionKind::Uniform;
    coefficient->setEnabled(byCoefficient);
    lower->setEnabled(uniform);
    upper->setEnabled(uniform);
    if (byCoefficient && coefficient->text().isEmpty())
        coefficient->setText(QStringLiteral("10"));
    const evaluation::NumberLocale locale = evaluation::NumberLocale::Current();
    const auto shown = evaluation::ReadDouble(value->text(), locale);
    if (uniform && shown && lower->text().isEmpty() && upper->text().isEmpty()) {
        // Ten per cent either side of the screen's value, to start from.
        const double a = shown.value * 0.9;
        const double b = shown.value * 1.1;
        lower->setText(evaluation::ShowResult(std::min(a, b), 3, locale));
        upper->setText(evaluation::ShowResult(std::max(a, b), 3, locale));
    }
}

} // namespace vt::probability
