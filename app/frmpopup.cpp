#include "app/frmpopup.h"

#include "app/ui.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace vt {

namespace {

// Keeps the window on the screen that holds its fixed position; on a display
// too small for that position it is moved inside, keeping its size.
QRect KeptOnScreen(const QRect& rect) {
    const QScreen* screen = QGuiApplication::screenAt(rect.topLeft());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? frmPopUp::KeptInside(rect, screen->availableGeometry()) : rect;
}

} // namespace

QRect frmPopUp::KeptInside(QRect rect, const QRect& area) {
    if (area.contains(rect))
        return rect;
    rect.moveRight(std::min(rect.right(), area.right()));
    rect.moveBottom(std::min(rect.bottom(), area.bottom()));
    rect.moveLeft(std::max(rect.left(), area.left()));
    rect.moveTop(std::max(rect.top(), area.top()));
    return rect;
}

QRect frmPopUp::ClientRect(Kind kind) {
    // The W:H window sits just below the FOS window so both can be read.
    return kind == Kind::FactorOfSafety ? TwipsRect(5340, 3735, 4680, 1335)
                                        : TwipsRect(5355, 5655, 4650, 1305);
}

frmPopUp::frmPopUp(Kind kind, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , kind_(kind) {
    setWindowTitle(QStringLiteral("Pop-up screen"));
    // A warning must not take the focus from the screen being worked on.
    setAttribute(Qt::WA_ShowWithoutActivating);

    const QRect client = KeptOnScreen(ClientRect(kind));
    if (kind == Kind::FactorOfSafety) {
        setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
        setGeometry(client);
        setFixedSize(client.size());
    } else {
        setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
        setGeometry(client);
    }

    lblPopUp = new QLabel(this);
    lblPopUp->setObjectName(QStringLiteral("lblPopUp"));
    lblPopUp->setGeometry(TwipsRect(120, 240, 4455, 975));
    lblPopUp->setFont(ArialFont(18, true));
    lblPopUp->setAlignment(Qt::AlignCenter);
    lblPopUp->setWordWrap(true);

    // The two seconds count from the creation of the window.
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kLifetimeMs);
    connect(Timer1, &QTimer::timeout, this, &frmPopUp::Timer1_Timer);
    Timer1->start();
}

void frmPopUp::setMessage(const QString& text) {
    lblPopUp->setText(text);
}

void frmPopUp::Timer1_Timer() {
    Timer1->stop();
    close();
}

void frmPopUp::closeEvent(QCloseEvent* event) {
    // Closed early by hand: the timer must not fire into a window being destroyed.
    Timer1->stop();
    QWidget::closeEvent(event);
}

} // namespace vt
