// The builders of the calculation screens' forms: captioned fields placed in
// twips, result labels, buttons whose captions wrap, and the plain text of
// any field. Every widget gets its object name here, for the window registry,
// the tests and users' scripts; the code reaches widgets through typed
// members, never by name.
#pragma once

#include <QPushButton>
#include <QRect>
#include <QString>
#include <QStringList>

class QComboBox;
class QFont;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace vt {

// A push button whose caption wraps onto several lines when it does not fit,
// as the screens' narrow buttons need. text() stays the caption as given.
class CaptionButton : public QPushButton {
    Q_OBJECT
public:
    CaptionButton(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Every field sits in a captioned frame of 1905 x 615 twips.
inline constexpr int kFieldWidth = 1905;
inline constexpr int kFieldHeight = 615;
// The tab strip of SSTab1, included in the design coordinates of its pages.
inline constexpr int kTabStripTwips = 360;

// A rectangle in twips measured from the top-left of SSTab1 (tab strip
// included), mapped onto a tab page.
QRect DesignRect(int left, int top, int width, int height);

// Where (left, top) is measured from: SSTab1's top-left (a page), or the
// frame the field goes into.
enum class Origin { Tab, Parent };

struct FieldPlace {
    int left = 0;
    int top = 0;
    Origin origin = Origin::Tab;
};

// A captioned frame holding `field` (which it adopts).
QGroupBox* PlaceField(QWidget* parent, QWidget* field, const QString& caption, FieldPlace place);

// An editable drop-down in its frame; its list position is the item it
// shows, so that the arrow keys step on from it.
QComboBox* AddCombo(QWidget* parent, const QString& name, const QString& caption,
                    const QStringList& items, const QString& text, const QString& toolTip,
                    FieldPlace place);
QLineEdit* AddTextBox(QWidget* parent, const QString& name, const QString& caption,
                      const QString& toolTip, FieldPlace place);
// A result label (bold, centred, light grey, its text shown as it is).
QLabel* AddResult(QWidget* parent, const QString& name, const QString& caption, FieldPlace place);
// A read-only copy on "Final &Results".
QLineEdit* AddCopy(QWidget* parent, const QString& name, const QString& caption,
                   const QString& text, const QColor& background, FieldPlace place);
// A button that presses on Enter as on Space.
CaptionButton* AddButton(QWidget* parent, const QString& name, const QString& caption,
                         const QFont& font, const QRect& geometry, const QString& toolTip = {});

// The text of a field: a combo's text, a box's text, a label's caption.
QString TextOf(const QWidget* field);
// Writes it; a combo's or a box's own change handling runs.
void SetTextOf(QWidget* field, const QString& text);

// The K list: 4.5, 7.2, then 10, 20, ... up to `largest`.
QStringList KItems(int largest);

} // namespace vt
