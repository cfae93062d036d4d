// The pillar dimensions dialog: four drop-downs for the plan dimensions, a
// scaled plan of one pillar and its bords, and the effective width and
// extraction for guidance. It writes nothing back itself: leaving it switches
// off the screens' graphical toggles, whose handlers copy the values back.
#pragma once

#include "dialogs/pillarplan.h"
#include "evaluation/steps.h"

#include <QFrame>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace vt {

// The drawing area: the plan in plan units, painted from state so that it
// survives being covered, and its two fixed captions.
class PillarPicture : public QFrame {
    Q_OBJECT
public:
    explicit PillarPicture(QWidget* parent = nullptr);

    void setShape(const std::optional<PillarShape>& shape);
    const std::optional<PillarShape>& shape() const { return shape_; }

    // Where a plan point lands in the widget's pixels.
    QPointF toPixels(double x, double y) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<PillarShape> shape_;
};

// Where the dialog's frame goes when a calculation screen shows it, on the
// available area of the screen's display: at `given` (the frame position that
// puts its client area at its design place) where it does not cover the
// calling screen's frame; otherwise just right of the calling screen, or just
// left of it when only that side has room. Always whole on the area, so its
// Accept is reachable: where neither side has room it sits at the display's
// right edge, over part of the screen.
QRect PlaceBesideCaller(const QRect& available, const QRect& callerFrame, const QSize& frameSize,
                        const QPoint& given);

class frmRazuziRuridaDimensions : public QWidget {
    Q_OBJECT
public:
    explicit frmRazuziRuridaDimensions(QWidget* parent = nullptr);
    ~frmRazuziRuridaDimensions() override;

    // The four plan dimensions as the screens hand them over: the texts of
    // the drop-downs, unchanged. Each text written redraws the plan.
    evaluation::PlanTexts dimensions() const;
    void setDimensions(const evaluation::PlanTexts& plan);

    // The client area's design place, from the display's top-left corner: to
    // the right of the calculation screens.
    static QPoint DesignPosition();

    // Shows the dialog for the calling screen: the first time placed by
    // PlaceBesideCaller on the caller's display, later where it was left.
    void showBeside(const QWidget* caller);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void cboPillarWidth1_Change();
    void cboBordWidth_Change();
    void cmdAccept_Click();
    void Redraw();
    void SwitchTogglesOff();

    QComboBox* cboPillarWidth1_ = nullptr;
    QComboBox* cboPillarLength_ = nullptr;
    QComboBox* cboBordWidth_ = nullptr;
    QComboBox* cboBordWidth2_ = nullptr;
    QPushButton* cmdAccept_ = nullptr;
    PillarPicture* picPillar_ = nullptr;
    QLineEdit* txtPillarWidth_ = nullptr;
    QLineEdit* txtPercExtraction_ = nullptr;
    bool watchingCloseBox_ = false;
    bool placed_ = false;
};

} // namespace vt
