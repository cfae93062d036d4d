// The two self-closing warning windows (W:H too small, FOS too small).
#pragma once

#include <QRect>
#include <QWidget>

class QLabel;
class QTimer;

namespace vt {

class frmPopUp : public QWidget {
    Q_OBJECT
public:
    enum class Kind { WidthHeight, FactorOfSafety };

    // The window's client area on the screen, in pixels.
    static QRect ClientRect(Kind kind);
    static constexpr int kLifetimeMs = 2000;
    // The rect moved, size kept, so that it lies inside `area` where it can;
    // one larger than the area keeps its top-left corner in the area.
    static QRect KeptInside(QRect rect, const QRect& area);

    explicit frmPopUp(Kind kind, QWidget* parent = nullptr);

    void setMessage(const QString& text);
    Kind kind() const { return kind_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Timer1_Timer();

    Kind kind_;
    QLabel* lblPopUp = nullptr;
    QTimer* Timer1 = nullptr;
};

} // namespace vt
