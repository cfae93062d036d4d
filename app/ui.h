// Small helpers shared by every window: twips, the program's colours, and
// the captioned frames, lists and result fields the forms are built from.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QRect>
#include <QString>
#include <QStringList>

class QAbstractButton;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace vt {

// 15 twips make one pixel at 96 dpi; Qt scales for high-DPI screens.
constexpr int Twips(int twips) {
    return (twips + 7) / 15;
}
inline QRect TwipsRect(int left, int top, int width, int height) {
    return {Twips(left), Twips(top), Twips(width), Twips(height)};
}

inline const QColor kLightGrey(224, 224, 224);
inline const QColor kWhite(255, 255, 255);
inline const QColor kWarningRed(255, 0, 0);
inline const QColor kPlanBlue(0, 0, 192);
inline const QColor kCurveBlue(0, 0, 255);
inline const QColor kNavy(0, 0, 128);
inline const QColor kMaroon(128, 0, 0);
inline const QColor kPurple(128, 0, 128);

// Arial of the given size (points) and style. Where the machine has no Arial
// it is the bundled Liberation Sans (RegisterFonts), whose widths are Arial's,
// never a face that fontconfig puts in Arial's place.
QFont ArialFont(double points, bool bold = false, bool italic = false);

// Background of a label (its window colour) or of a text box (its base colour).
void SetBackground(QWidget* widget, const QColor& colour);
QColor Background(const QWidget* widget);

// A captioned frame at a place given in twips.
QGroupBox* MakeFrame(QWidget* parent, const QString& caption, const QRect& twips,
                     const QFont& captionFont);

// A drop-down (or a date or number box) reacts to the mouse wheel only while
// it has the keyboard focus: the wheel over another leaves its value alone
// and goes on to the page under it, and the wheel never gives it the focus.
void WheelOnlyWhenFocused(QWidget* widget);

// An editable drop-down: no completer, no inserting on Enter, the wheel only
// when focused.
QComboBox* MakeCombo(QWidget* parent, const QString& name, const QStringList& items,
                     const QString& text, const QString& toolTip);

// A read-only result label with a single border, bold, centred, light grey.
QLabel* MakeResultLabel(QWidget* parent, const QString& name);

// A read-only text box.
QLineEdit* MakeReadOnlyBox(QWidget* parent, const QString& name, const QString& text,
                           const QColor& background);

// "1" .. "n".
QStringList Counting(int from, int to);

// The program's icon: a pillar in its cell of bords, seen in plan (the same
// drawing as the installed SVG icon).
QIcon ProgramIcon();

// Enter or Return on the focused button presses it, as Space does, without
// making it a default button that Enter in a text box would press.
void PressOnEnter(QAbstractButton* button);

} // namespace vt
