#include "screens/builders.h"

#include "app/ui.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

namespace vt {

namespace {

// Field placement inside its 1905 x 615 frame.
constexpr int kInnerLeft = 105;
constexpr int kInnerTop = 255;
constexpr int kInnerHeight = 315;

} // namespace

CaptionButton::CaptionButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {}

void CaptionButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
    painter.setFont(font());
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    const QRect area = rect().adjusted(4, 2, -4, -2);
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, text());
}

QRect DesignRect(int left, int top, int width, int height) {
    return TwipsRect(left, top - kTabStripTwips, width, height);
}

QGroupBox* PlaceField(QWidget* parent, QWidget* field, const QString& caption, FieldPlace place) {
    const QRect frameRect = place.origin == Origin::Tab
                                ? DesignRect(place.left, place.top, kFieldWidth, kFieldHeight)
                                : TwipsRect(place.left, place.top, kFieldWidth, kFieldHeight);
    QGroupBox* frame = MakeFrame(parent, caption, frameRect, ArialFont(9, true));
    field->setParent(frame);
    field->setGeometry(
        TwipsRect(kInnerLeft, kInnerTop, kFieldWidth - 2 * kInnerLeft, kInnerHeight));
    return frame;
}

QComboBox* AddCombo(QWidget* parent, const QString& name, const QString& caption,
                    const QStringList& items, const QString& text, const QString& toolTip,
                    FieldPlace place) {
    QComboBox* combo = MakeCombo(nullptr, name, items, text, toolTip);
    // The list position is the item the field shows (none for an empty field),
    // so that the arrow keys step on from it: Down from "12" gives 16, and Down
    // from an empty field the first item.
    combo->setCurrentIndex(combo->findText(text));
    combo->setEditText(text);
    combo->setFont(ArialFont(9));
    PlaceField(parent, combo, caption, place);
    return combo;
}

QLineEdit* AddTextBox(QWidget* parent, const QString& name, const QString& caption,
                      const QString& toolTip, FieldPlace place) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setToolTip(toolTip);
    box->setFont(ArialFont(9));
    PlaceField(parent, box, caption, place);
    return box;
}

QLabel* AddResult(QWidget* parent, const QString& name, const QString& caption, FieldPlace place) {
    QLabel* label = MakeResultLabel(nullptr, name);
    label->setFont(ArialFont(9, true));
    // A result may be a copy of typed text (the modelled stress): shown as
    // typed, never read as markup.
    label->setTextFormat(Qt::PlainText);
    PlaceField(parent, label, caption, place);
    return label;
}

QLineEdit* AddCopy(QWidget* parent, const QString& name, const QString& caption,
                   const QString& text, const QColor& background, FieldPlace place) {
    QLineEdit* copy = MakeReadOnlyBox(nullptr, name, text, background);
    copy->setFont(ArialFont(9, true));
    copy->setAlignment(Qt::AlignCenter);
    PlaceField(parent, copy, caption, place);
    return copy;
}

CaptionButton* AddButton(QWidget* parent, const QString& name, const QString& caption,
                         const QFont& font, const QRect& geometry, const QString& toolTip) {
    auto* button = new CaptionButton(caption, parent);
    button->setObjectName(name);
    button->setFont(font);
    button->setGeometry(geometry);
    // Enter presses the focused button, as Space does. A main window has no
    // default button, so this changes nothing else.
    button->setAutoDefault(true);
    if (!toolTip.isEmpty())
        button->setToolTip(toolTip);
    return button;
}

QString TextOf(const QWidget* field) {
    if (const auto* combo = qobject_cast<const QComboBox*>(field))
        return combo->currentText();
    if (const auto* box = qobject_cast<const QLineEdit*>(field))
        return box->text();
    if (const auto* label = qobject_cast<const QLabel*>(field))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(field))
        return button->text();
    return {};
}

void SetTextOf(QWidget* field, const QString& text) {
    if (auto* combo = qobject_cast<QComboBox*>(field))
        combo->setEditText(text);
    else if (auto* box = qobject_cast<QLineEdit*>(field))
        box->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(field))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(field))
        button->setText(text);
}

QStringList KItems(int largest) {
    QStringList items{QStringLiteral("4.5"), QStringLiteral("7.2")};
    for (int k = 10; k <= largest; k += 10)
        items << QString::number(k);
    return items;
}

} // namespace vt
