#include "dialogs/frmrazuziruridadimensions.h"

#include "app/frmpopup.h"
#include "app/numbers.h"
#include "app/programstate.h"
#include "app/ui.h"
#include "engine/engine.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <cmath>
#include <limits>

namespace vt {

namespace {

const QString kWidthCaption = QStringLiteral("Pillar width (m)");
const QString kLengthCaption = QStringLiteral("Pillar length (m)");

// A metre value as the single-precision number the plan works with; values
// beyond its range become infinite and are refused by the plan.
float ToSingle(double value) {
    if (std::isnan(value))
        return std::numeric_limits<float>::quiet_NaN();
    if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max()))
        return value < 0 ? -std::numeric_limits<float>::infinity()
                         : std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

float ReadDimension(const QComboBox* combo) {
    return ToSingle(ReadLeadingNumber(combo->currentText()));
}

QLineEdit* MakeDisplayBox(QWidget* parent, const QString& name) {
    auto* box = MakeReadOnlyBox(parent, name, QString(), kLightGrey);
    box->setAlignment(Qt::AlignCenter);
    box->setFont(ArialFont(8.25, true));
    box->setGeometry(TwipsRect(120, 300, 3255, 315));
    return box;
}

} // namespace

// ---------------------------------------------------------------------------

PillarPicture::PillarPicture(QWidget* parent)
    : QFrame(parent) {
    setObjectName(QStringLiteral("picPillar"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    SetBackground(this, kLightGrey);
    setAutoFillBackground(true);
}

void PillarPicture::setShape(const std::optional<PillarShape>& shape) {
    shape_ = shape;
    update();
}

QPointF PillarPicture::toPixels(double x, double y) const {
    const QRectF area = contentsRect();
    return {area.left() + (x - kPlanLeft) * area.width() / kPlanSpan,
            area.top() + (y - kPlanTop) * area.height() / kPlanSpan};
}

void PillarPicture::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);

    if (shape_) {
        auto toRect = [this](const PlanRect& r) {
            return QRectF(toPixels(r.left, r.top), toPixels(r.right, r.bottom));
        };
        QPen cellPen(kPlanBlue);
        cellPen.setWidth(1);
        cellPen.setStyle(Qt::DashDotDotLine);
        painter.setPen(cellPen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(toRect(shape_->cell));

        QPen pillarPen(kPlanBlue);
        pillarPen.setWidth(1);
        painter.setPen(pillarPen);
        painter.setBrush(kPlanBlue);
        painter.drawRect(toRect(shape_->pillar));
    }

    // The two captions stay whatever is drawn: width along the bottom margin,
    // length up the left margin.
    painter.setPen(Qt::black);
    painter.setFont(ArialFont(8.25, true));
    const QRectF bottom(toPixels(kPlanLeft, 100.5), toPixels(kPlanLeft + kPlanSpan, 111.0));
    painter.drawText(bottom, Qt::AlignCenter, kWidthCaption);

    const QPointF top = toPixels(kPlanLeft, kPlanTop);
    const QPointF leftBottom = toPixels(-0.5, kPlanTop + kPlanSpan);
    painter.save();
    painter.translate(top.x(), leftBottom.y());
    painter.rotate(-90.0);
    painter.drawText(QRectF(0, 0, leftBottom.y() - top.y(), leftBottom.x() - top.x()),
                     Qt::AlignCenter, kLengthCaption);
    painter.restore();
}

// ---------------------------------------------------------------------------

QRect PlaceBesideCaller(const QRect& available, const QRect& callerFrame, const QSize& frameSize,
                        const QPoint& given) {
    const auto whole = [&](const QRect& rect) { return frmPopUp::KeptInside(rect, available); };
    const QRect atGiven = whole(QRect(given, frameSize));
    if (!atGiven.intersects(callerFrame))
        return atGiven;
    const QRect right(QPoint(callerFrame.right() + 1, given.y()), frameSize);
    if (right.right() <= available.right())
        return whole(right);
    const QRect left(QPoint(callerFrame.left() - frameSize.width(), given.y()), frameSize);
    if (left.left() >= available.left())
        return whole(left);
    return whole(right);
}

// ---------------------------------------------------------------------------

QPoint frmRazuziRuridaDimensions::DesignPosition() {
    return TwipsRect(10140, 2100, 0, 0).topLeft();
}

frmRazuziRuridaDimensions::frmRazuziRuridaDimensions(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("Graphical dimensions"));
    setFont(ArialFont(8.25));
    const QRect client(DesignPosition(), TwipsRect(0, 0, 3735, 7695).size());
    setGeometry(client);
    setFixedSize(client.size());

    const QFont frameFont = ArialFont(9, true, true);
    const QFont comboFont = ArialFont(8.25);

    picPillar_ = new PillarPicture(this);
    picPillar_->setGeometry(TwipsRect(120, 120, 3500, 3500));

    auto makeComboFrame = [&](const QString& caption, const QString& name, const QStringList& items,
                              const QRect& place) {
        auto* frame = MakeFrame(this, caption, place, frameFont);
        auto* combo = MakeCombo(frame, name, items, QString(), QString());
        combo->setFont(comboFont);
        combo->setGeometry(TwipsRect(120, 300, 1455, 315));
        return combo;
    };
    const QStringList bords = {QStringLiteral("4"), QStringLiteral("8"), QStringLiteral("12"),
                               QStringLiteral("16"), QStringLiteral("20")};
    cboPillarWidth1_ = makeComboFrame(kWidthCaption, QStringLiteral("cboPillarWidth1"),
                                      Counting(1, 10), TwipsRect(120, 3720, 1695, 735));
    cboPillarLength_ = makeComboFrame(kLengthCaption, QStringLiteral("cboPillarLength"),
                                      Counting(1, 10), TwipsRect(1920, 3720, 1695, 735));

    auto* fraEffective = MakeFrame(this, QStringLiteral("Eff. pillar width"),
                                   TwipsRect(120, 4560, 3495, 735), frameFont);
    txtPillarWidth_ = MakeDisplayBox(fraEffective, QStringLiteral("txtPillarWidth"));

    cboBordWidth_ =
        makeComboFrame(QStringLiteral("Bord width 1 (m)"), QStringLiteral("cboBordWidth"), bords,
                       TwipsRect(120, 5400, 1695, 735));
    cboBordWidth2_ =
        makeComboFrame(QStringLiteral("Bord width 2 (m)"), QStringLiteral("cboBordWidth2"), bords,
                       TwipsRect(1920, 5400, 1695, 735));

    auto* fraExtraction =
        MakeFrame(this, QStringLiteral("% Extraction"), TwipsRect(120, 6240, 3495, 735), frameFont);
    txtPercExtraction_ = MakeDisplayBox(fraExtraction, QStringLiteral("txtPercExtraction"));

    cmdAccept_ = new QPushButton(QStringLiteral("Accept"), this);
    cmdAccept_->setObjectName(QStringLiteral("cmdAccept"));
    cmdAccept_->setGeometry(TwipsRect(120, 7080, 3495, 495));
    PressOnEnter(cmdAccept_); // Enter on the focused button presses it

    QWidget* order[] = {cboPillarWidth1_, cboPillarLength_, cboBordWidth_,     cboBordWidth2_,
                        cmdAccept_,       txtPillarWidth_,  txtPercExtraction_};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(cboPillarWidth1_, &QComboBox::currentTextChanged, this,
            &frmRazuziRuridaDimensions::cboPillarWidth1_Change);
    connect(cboPillarLength_, &QComboBox::currentTextChanged, this,
            &frmRazuziRuridaDimensions::cboPillarWidth1_Change);
    connect(cboBordWidth_, &QComboBox::currentTextChanged, this,
            &frmRazuziRuridaDimensions::cboBordWidth_Change);
    connect(cboBordWidth2_, &QComboBox::currentTextChanged, this,
            &frmRazuziRuridaDimensions::cboBordWidth_Change);
    connect(cmdAccept_, &QPushButton::clicked, this, &frmRazuziRuridaDimensions::cmdAccept_Click);
}

void frmRazuziRuridaDimensions::showBeside(const QWidget* caller) {
    const QScreen* display =
        caller && caller->screen() ? caller->screen() : QGuiApplication::primaryScreen();
    if (!placed_ && caller && display) {
        // The native window first, so that its frame is known where the
        // window system tells it before mapping.
        winId();
        const QRect frame = frameGeometry();
        const QPoint clientOffset = geometry().topLeft() - frame.topLeft();
        const QPoint given = display->geometry().topLeft() + DesignPosition() - clientOffset;
        move(PlaceBesideCaller(display->availableGeometry(), caller->frameGeometry(), frame.size(),
                               given)
                 .topLeft());
        placed_ = true;
    }
    show();
    raise();
}

frmRazuziRuridaDimensions::~frmRazuziRuridaDimensions() {
    if (watchingCloseBox_ && windowHandle())
        windowHandle()->removeEventFilter(this);
}

// Pillar width or length changed: the effective width, then the plan.
void frmRazuziRuridaDimensions::cboPillarWidth1_Change() {
    const QString widthText = cboPillarWidth1_->currentText();
    const QString lengthText = cboPillarLength_->currentText();
    const auto effective = engine::CalculateEffectivePillarWidth(ReadLeadingNumber(widthText),
                                                                 ReadLeadingNumber(lengthText));
    if (effective) {
        txtPillarWidth_->setText(ShowResult(effective.value(), 1));
    } else {
        auto emptyOrZero = [](const QString& t) { return t.isEmpty() || t == QLatin1String("0"); };
        if (emptyOrZero(widthText) || emptyOrZero(lengthText)) {
            picPillar_->setShape(std::nullopt);
            return;
        }
    }
    Redraw();
}

evaluation::PlanTexts frmRazuziRuridaDimensions::dimensions() const {
    return {cboPillarWidth1_->currentText(), cboPillarLength_->currentText(),
            cboBordWidth_->currentText(), cboBordWidth2_->currentText()};
}

void frmRazuziRuridaDimensions::setDimensions(const evaluation::PlanTexts& plan) {
    cboPillarWidth1_->setEditText(plan.width);
    cboPillarLength_->setEditText(plan.length);
    cboBordWidth_->setEditText(plan.bord1);
    cboBordWidth2_->setEditText(plan.bord2);
}

void frmRazuziRuridaDimensions::cboBordWidth_Change() {
    Redraw();
}

void frmRazuziRuridaDimensions::Redraw() {
    const PillarPlan plan =
        PlanPillar(ReadDimension(cboPillarWidth1_), ReadDimension(cboPillarLength_),
                   ReadDimension(cboBordWidth_), ReadDimension(cboBordWidth2_));
    // Without a finite extraction the box keeps what it showed.
    if (plan.extraction)
        txtPercExtraction_->setText(ShowResult(*plan.extraction, 1));
    picPillar_->setShape(plan.shape);
}

// The screens' switch-off copies the four values back and hides this dialog.
void frmRazuziRuridaDimensions::SwitchTogglesOff() {
    for (const QString& name : Windows().role(WindowRole::PlanDimensionsTarget))
        if (auto* screen = Windows().existing<PlanDimensionsTarget>(name))
            screen->switchGraphicToggleOff();
}

void frmRazuziRuridaDimensions::cmdAccept_Click() {
    SwitchTogglesOff();
    close();
}

// The close box reaches the platform window first: hand the values back
// there, while this dialog is still known by name to the screens.
void frmRazuziRuridaDimensions::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!watchingCloseBox_ && windowHandle()) {
        windowHandle()->installEventFilter(this);
        watchingCloseBox_ = true;
    }
}

bool frmRazuziRuridaDimensions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && event->type() == QEvent::Close)
        SwitchTogglesOff();
    return QWidget::eventFilter(watched, event);
}

void frmRazuziRuridaDimensions::closeEvent(QCloseEvent* event) {
    // Any other close (Accept, close-all) hands back to the screens still open.
    SwitchTogglesOff();
    event->accept();
}

} // namespace vt
