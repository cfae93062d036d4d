#include "app/ui.h"

#include "app/startup.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

namespace vt {

namespace {

class EnterPresses final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* button = qobject_cast<QAbstractButton*>(watched);
        if (!button || (key != Qt::Key_Return && key != Qt::Key_Enter))
            return false;
        if (button->isEnabled())
            button->click();
        return true;
    }
};

// Keeps the wheel from a widget without the keyboard focus. The event stays
// unaccepted, so it goes on to the parents (a page that scrolls).
class WheelNeedsFocus final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel)
            return false;
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->hasFocus())
            return false;
        event->ignore();
        return true;
    }
};

} // namespace

void WheelOnlyWhenFocused(QWidget* widget) {
    // Not Qt::WheelFocus (a combo's and a spin box's default): the wheel must
    // not take the focus and then turn the value.
    widget->setFocusPolicy(Qt::StrongFocus);
    widget->installEventFilter(new WheelNeedsFocus(widget));
}

void PressOnEnter(QAbstractButton* button) {
    button->installEventFilter(new EnterPresses(button));
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 128.0, size / 128.0);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kLightGrey);
        painter.drawRoundedRect(QRectF(4, 4, 120, 120), 10, 10);
        QPen cell(kPlanBlue, 3, Qt::DashDotDotLine);
        painter.setPen(cell);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(14, 14, 100, 100));
        painter.setPen(Qt::NoPen);
        painter.setBrush(kPlanBlue);
        painter.drawRect(QRectF(38, 38, 52, 52));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QFont ArialFont(double points, bool bold, bool italic) {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), kBundledFamily});
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void SetBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    if (qobject_cast<QLabel*>(widget) || qobject_cast<QGroupBox*>(widget)) {
        widget->setAutoFillBackground(true);
        palette.setColor(QPalette::Window, colour);
    } else {
        palette.setColor(QPalette::Base, colour);
        palette.setColor(QPalette::Button, colour);
        palette.setColor(QPalette::Window, colour);
    }
    widget->setPalette(palette);
}

QColor Background(const QWidget* widget) {
    if (qobject_cast<const QLabel*>(widget) || qobject_cast<const QGroupBox*>(widget))
        return widget->palette().color(QPalette::Window);
    return widget->palette().color(QPalette::Base);
}

QGroupBox* MakeFrame(QWidget* parent, const QString& caption, const QRect& twips,
                     const QFont& captionFont) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setFont(captionFont);
    frame->setGeometry(twips);
    return frame;
}

QComboBox* MakeCombo(QWidget* parent, const QString& name, const QStringList& items,
                     const QString& text, const QString& toolTip) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setEditText(text);
    combo->setToolTip(toolTip);
    WheelOnlyWhenFocused(combo);
    return combo;
}

QLabel* MakeResultLabel(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    SetBackground(label, kLightGrey);
    return label;
}

QLineEdit* MakeReadOnlyBox(QWidget* parent, const QString& name, const QString& text,
                           const QColor& background) {
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    SetBackground(box, background);
    return box;
}

QStringList Counting(int from, int to) {
    QStringList list;
    for (int i = from; i <= to; ++i)
        list << QString::number(i);
    return list;
}

} // namespace vt
