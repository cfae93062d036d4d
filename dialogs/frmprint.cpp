#include "dialogs/frmprint.h"

#include "app/messages.h"
#include "app/programstate.h"
#include "app/ui.h"
#include "app/windownames.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDateEdit>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>
#include <QWindow>
#include <algorithm>

namespace vt {

namespace {

const QString kPrintingTitle = QStringLiteral("Printing");
const QString kSavePdfTitle = QStringLiteral("Save as PDF");

constexpr double kTitlePoints = 15.75;
constexpr double kOriginatorPoints = 12;
constexpr double kSmallestPoints = 6; // a long title or originator shrinks to this

// One value of the page: its frame (2415 x 735 twips, caption Arial 12 pt
// bold) and the read-only box inside it.
struct ValueFrame {
    const char* caption;
    int left;
    int top;
    const char* box;
};

// In the order of ReportRequest::values.
constexpr std::array<ValueFrame, 16> kValueFrames{{
    {"Pillar width (m)", 960, 2280, "txtPillarWidth"},
    {"Pillar length (m)", 960, 3120, "txtPillarLength"},
    {"Pillar height (m)", 960, 3960, "txtPillarHeigtht"},
    {"Bord width 1 (m)", 4800, 2640, "txtBordWidth1"},
    {"Bord width 2 (m)", 4800, 3480, "txtBordWidth2"},
    {"Depth (m)", 8640, 2520, "txtDepth"},
    {"K (MPa)", 8640, 3360, "txtK"},
    {"Alpha", 8640, 4200, "txtAlpha"},
    {"Beta", 8640, 5040, "txtBeta"},
    {"Start squat pillar", 8640, 5880, "txtSquat"},
    {"Strength incr. rate", 8640, 6720, "txtStrengthIncrease"},
    {"% Extraction", 960, 5040, "txtPercentageExtraction"},
    {"W:H-ratio", 3480, 5040, "txtWHratio"},
    {"Pillar stress (MPa)", 960, 5880, "txtPillarStress"},
    {"Pillar strength (MPa)", 3480, 5880, "txtPillarStrength"},
    {"Factor of Safety", 2280, 6720, "txtFOS"},
}};

const std::array<frmPrint::Outline, 5> kOutlines{{
    {"Shape2", QRect(720, 2160, 2895, 2655)},  // pillar width, length, height
    {"Shape3", QRect(4560, 2520, 2895, 1815)}, // the two bord widths
    {"Shape1", QRect(720, 4920, 5415, 2655)},  // the results
    {"Shape4", QRect(8400, 2400, 2895, 5175)}, // depth and strength variables
    {"Shape6", QRect(720, 7680, 10575, 910)},  // the comment lines
}};

constexpr int kOutlineRadius = 12; // pixels

QLineEdit* MakeTextBox(QWidget* parent, const QString& name, const QRect& twips, double points,
                       bool readOnly) {
    QLineEdit* box = MakeReadOnlyBox(parent, name, QString(), kWhite);
    box->setReadOnly(readOnly);
    box->setGeometry(twips);
    box->setFont(ArialFont(points));
    box->setAlignment(Qt::AlignCenter);
    return box;
}

QGroupBox* MakeWhiteFrame(QWidget* parent, const QString& name, const QString& caption,
                          const QRect& twips, const QFont& font) {
    QGroupBox* frame = MakeFrame(parent, caption, twips, font);
    frame->setObjectName(name);
    SetBackground(frame, kWhite);
    return frame;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption,
                        const QRect& twips) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(twips);
    button->setFont(ArialFont(11.25, true, true));
    // Enter in the title must not print; Enter on the focused button does.
    button->setAutoDefault(false);
    button->setDefault(false);
    PressOnEnter(button);
    return button;
}

// The width a line edit gives its text: inside its frame it keeps two pixels
// each side, and the text cursor takes one.
int TextRoom(const QLineEdit* box) {
    const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
    const QMargins margins = box->textMargins();
    return box->width() - 2 * frame - 4 - margins.left() - margins.right() - 1;
}

// The box's own size when the text fits, else smaller until it fits.
void FitToBox(QLineEdit* box, double designPoints) {
    QFont font = box->font();
    font.setPointSizeF(designPoints);
    const double points = FittingPointSize(font, box->text(), TextRoom(box), kSmallestPoints);
    if (points != box->font().pointSizeF()) {
        font.setPointSizeF(points);
        box->setFont(font);
    }
}

} // namespace

QPoint CentredFramePosition(QSize client, QMargins frame, const QRect& available) {
    const int width = client.width() + frame.left() + frame.right();
    const int height = client.height() + frame.top() + frame.bottom();
    // A frame larger than the area keeps its title bar on it.
    return {available.x() + std::max(0, (available.width() - width) / 2),
            available.y() + std::max(0, (available.height() - height) / 2)};
}

double FittingPointSize(const QFont& font, const QString& text, int room, double smallest) {
    QFont trial = font;
    for (double points = font.pointSizeF(); points >= smallest; points -= 0.25) {
        trial.setPointSizeF(points);
        if (QFontMetricsF(trial).horizontalAdvance(text) <= room)
            return points;
    }
    return smallest;
}

frmPrint::frmPrint(QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Print a hardcopy of results"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(Twips(11880), Twips(8595));
    setFont(ArialFont(8.25));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, kWhite);
    setPalette(white);

    fraTitle_ = MakeWhiteFrame(this, QStringLiteral("fraTitle"), QStringLiteral("Title"),
                               TwipsRect(720, 120, 10575, 1095), ArialFont(18, true));
    txtTitle_ = MakeTextBox(fraTitle_, QStringLiteral("txtTitle"), TwipsRect(120, 480, 10335, 405),
                            kTitlePoints, false);

    QGroupBox* fraOriginator =
        MakeWhiteFrame(this, QStringLiteral("fraOriginator"), QStringLiteral("Originator"),
                       TwipsRect(1320, 1200, 3735, 855), ArialFont(14.25, true));
    txtOriginator_ = MakeTextBox(fraOriginator, QStringLiteral("txtOriginator"),
                                 TwipsRect(120, 360, 3495, 375), kOriginatorPoints, false);

    QGroupBox* fraDate =
        MakeWhiteFrame(this, QStringLiteral("fraDate"), QStringLiteral("Date of assessment"),
                       TwipsRect(6960, 1200, 3735, 855), ArialFont(14.25, true));
    DTPicker1_ = new QDateEdit(QDate::currentDate(), fraDate);
    DTPicker1_->setObjectName(QStringLiteral("DTPicker1"));
    DTPicker1_->setGeometry(TwipsRect(120, 360, 3495, 375));
    DTPicker1_->setFont(ArialFont(12));
    DTPicker1_->setCalendarPopup(true);
    WheelOnlyWhenFocused(DTPicker1_);
    DTPicker1_->setDisplayFormat(QStringLiteral("d MMMM yyyy"));
    DTPicker1_->setAlignment(Qt::AlignCenter);

    for (std::size_t i = 0; i < kValueFrames.size(); ++i) {
        const ValueFrame& v = kValueFrames[i];
        const QString box = QString::fromLatin1(v.box);
        QGroupBox* frame =
            MakeWhiteFrame(this, QStringLiteral("fra") + box.mid(3), QString::fromUtf8(v.caption),
                           TwipsRect(v.left, v.top, 2415, 735), ArialFont(12, true));
        values_[i] = MakeTextBox(frame, box, TwipsRect(120, 360, 2175, 330), 11.25, true);
    }

    txtComment1_ = MakeTextBox(this, QStringLiteral("txtComment1"), TwipsRect(960, 7800, 9975, 375),
                               11.25, true);
    txtComment2_ = MakeTextBox(this, QStringLiteral("txtComment2"), TwipsRect(960, 8160, 9975, 375),
                               11.25, true);

    cmdPrint_ = MakeButton(this, QStringLiteral("cmdPrint"), QStringLiteral("Print hardcopy"),
                           TwipsRect(6240, 5640, 2055, 615));
    cmdCancelPrint_ = MakeButton(this, QStringLiteral("cmdCancelPrint"),
                                 QStringLiteral("Cancel print"), TwipsRect(6240, 6240, 2055, 615));
    // In the gap between the outlines, above and below the two others.
    cmdPrintPreview_ =
        MakeButton(this, QStringLiteral("cmdPrintPreview"), QStringLiteral("Print preview"),
                   TwipsRect(6240, 5010, 2055, 615));
    cmdSavePdf_ = MakeButton(this, QStringLiteral("cmdSavePdf"), QStringLiteral("Save as PDF"),
                             TwipsRect(6240, 6870, 2055, 615));
    connect(cmdPrint_, &QPushButton::clicked, this, &frmPrint::cmdPrint_Click);
    connect(cmdCancelPrint_, &QPushButton::clicked, this, &frmPrint::cmdCancelPrint_Click);
    connect(cmdSavePdf_, &QPushButton::clicked, this, &frmPrint::cmdSavePdf_Click);
    connect(cmdPrintPreview_, &QPushButton::clicked, this, &frmPrint::cmdPrintPreview_Click);
    connect(txtTitle_, &QLineEdit::textChanged, this, &frmPrint::txtTitle_Change);
    connect(txtOriginator_, &QLineEdit::textChanged, this, &frmPrint::txtOriginator_Change);
    txtTitle_->installEventFilter(this);
    txtOriginator_->installEventFilter(this);

    setTabOrder(txtTitle_, txtOriginator_);
    setTabOrder(txtOriginator_, DTPicker1_);
    setTabOrder(DTPicker1_, cmdPrintPreview_);
    setTabOrder(cmdPrintPreview_, cmdPrint_);
    setTabOrder(cmdPrint_, cmdCancelPrint_);
    setTabOrder(cmdCancelPrint_, cmdSavePdf_);
    txtTitle_->setFocus();
}

frmPrint::~frmPrint() = default;

const std::array<const char*, 16>& frmPrint::valueBoxNames() {
    static const std::array<const char*, 16> names = [] {
        std::array<const char*, 16> n{};
        for (std::size_t i = 0; i < kValueFrames.size(); ++i)
            n[i] = kValueFrames[i].box;
        return n;
    }();
    return names;
}

const std::array<frmPrint::Outline, 5>& frmPrint::outlines() {
    return kOutlines;
}

void frmPrint::fill(const ReportRequest& request) {
    for (std::size_t i = 0; i < values_.size(); ++i) {
        const auto index = qsizetype(i);
        values_[i]->setText(index < request.values.size() ? request.values[index] : QString());
        values_[i]->setCursorPosition(0);
    }
    txtComment1_->setText(request.comment);
    txtComment1_->setCursorPosition(0);
    txtComment2_->setText(request.stressSource);
    txtComment2_->setCursorPosition(0);
    filledFrom_ = request.screen;
}

ReportHeading frmPrint::heading() const {
    return {txtTitle_->text(), txtOriginator_->text(), DTPicker1_->date()};
}

void frmPrint::setHeading(const ReportHeading& heading) {
    txtTitle_->setText(heading.title);
    txtTitle_->setCursorPosition(0);
    txtOriginator_->setText(heading.originator);
    txtOriginator_->setCursorPosition(0);
    DTPicker1_->setDate(heading.date);
}

void frmPrint::setOutput(ReportOutput output) {
    output_ = std::move(output);
}

ReportPage frmPrint::page() {
    return {size(), [this](QPainter& painter) { drawForPaper(painter); }, txtTitle_->text(),
            txtOriginator_->text()};
}

void frmPrint::reject() {
    close();
}

// Closing always discards the dialog (a plain dialog would only hide); while
// a print job is followed the close waits for its end.
void frmPrint::closeEvent(QCloseEvent* event) {
    if (printing_) {
        closeWanted_ = true;
        event->ignore();
        return;
    }
    event->accept();
}

// Centred on the screen, frame included. The window manager adds its frame
// only after the window is shown (its size is known when the window is moved
// or activated): in the first seconds the dialog is centred again when the
// frame it was centred with has changed, a few times at most, so a dialog
// the user has moved stays where it is.
void frmPrint::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous() && centrings_ == 0) {
        centrings_ = 1;
        shownAt_.start();
        centreOnScreen();
        QTimer::singleShot(250, this, &frmPrint::recentreForFrame);
    }
}

bool frmPrint::event(QEvent* event) {
    if (event->type() == QEvent::Move || event->type() == QEvent::WindowActivate)
        recentreForFrame();
    return QDialog::event(event);
}

void frmPrint::recentreForFrame() {
    if (centrings_ == 0 || centrings_ >= 4 || shownAt_.hasExpired(2000) || !windowHandle() ||
        windowHandle()->frameMargins() == centredWith_)
        return;
    ++centrings_;
    centreOnScreen();
}

void frmPrint::centreOnScreen() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    centredWith_ = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    move(CentredFramePosition(size(), centredWith_, screen->availableGeometry()));
}

// A title or originator that has lost the focus shows its beginning.
bool frmPrint::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && (watched == txtTitle_ || watched == txtOriginator_))
        static_cast<QLineEdit*>(watched)->setCursorPosition(0);
    return QDialog::eventFilter(watched, event);
}

void frmPrint::txtTitle_Change() {
    FitToBox(txtTitle_, kTitlePoints);
}

void frmPrint::txtOriginator_Change() {
    FitToBox(txtOriginator_, kOriginatorPoints);
}

void frmPrint::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    for (const Outline& outline : kOutlines) {
        const QRect r = TwipsRect(outline.twips.left(), outline.twips.top(), outline.twips.width(),
                                  outline.twips.height());
        painter.drawRoundedRect(r.adjusted(0, 0, -1, -1), kOutlineRadius, kOutlineRadius);
    }
}

// On paper: no buttons, no "Title" caption, no borders round the free text,
// no drop-down arrow on the date, and the free text from its beginning.
void frmPrint::tidyForPaper(bool paper) {
    if (paper == onPaper_)
        return;
    onPaper_ = paper;
    for (QPushButton* button : {cmdCancelPrint_, cmdPrint_, cmdSavePdf_, cmdPrintPreview_})
        button->setVisible(!paper);
    fraTitle_->setTitle(paper ? QString() : QStringLiteral("Title"));
    for (QLineEdit* box : {txtTitle_, txtComment1_, txtComment2_, txtOriginator_}) {
        box->setFrame(!paper);
        if (paper)
            box->setCursorPosition(0);
    }
    DTPicker1_->setCalendarPopup(!paper);
    DTPicker1_->setButtonSymbols(paper ? QAbstractSpinBox::NoButtons
                                       : QAbstractSpinBox::UpDownArrows);
}

// The page: the client area tidied for paper, drawn by the widgets themselves
// into the painter (vector text on a printer or in a PDF). A dialog not yet on
// paper is put back as it was.
void frmPrint::drawForPaper(QPainter& painter) {
    const bool wasOnPaper = onPaper_;
    QWidget* focused = focusWidget();
    if (!wasOnPaper) {
        // No text cursor on paper. The focus goes first: a hidden button
        // would hand it on to a box, which would select its text.
        if (focused)
            focused->clearFocus();
        tidyForPaper(true);
    }
    render(&painter, QPoint(), QRegion(rect()), DrawWindowBackground | DrawChildren);
    if (!wasOnPaper) {
        tidyForPaper(false);
        if (focused)
            focused->setFocus();
    }
}

void frmPrint::cmdPrint_Click() {
    if (printing_)
        return;
    printing_ = true;
    // No text cursor on paper; the focus goes before the buttons do (see
    // drawForPaper).
    if (QWidget* focused = focusWidget())
        focused->clearFocus();
    tidyForPaper(true);
    const QString printer = output_.findPrinter ? output_.findPrinter() : QString();
    const PrintResult result =
        output_.print ? output_.print(page(), printer) : PrintOnPrinter(page(), QString());
    printing_ = false;
    if (result.printed) {
        if (!result.notice.isEmpty())
            ShowMessage(result.notice, kPrintingTitle);
        close();
        return;
    }
    // Nothing typed is lost: the dialog stays as it was before the attempt.
    tidyForPaper(false);
    cmdPrint_->setFocus();
    ShowMessage(result.problem, kPrintingTitle);
    offerPdf();
    if (closeWanted_)
        close();
}

void frmPrint::offerPdf() {
    if (!Messages().ask(QStringLiteral("Save the report as a PDF file instead?"), kPrintingTitle))
        return;
    const QString file = ChoosePdfFile(this, heading().title);
    if (file.isEmpty())
        return;
    const PrintResult saved = SaveReportPdf(page(), file);
    if (saved.printed) {
        close();
        return;
    }
    ShowMessage(saved.problem, kPrintingTitle);
}

// The dialog stays open: the report is the user's until printed or cancelled.
void frmPrint::cmdSavePdf_Click() {
    const QString file = ChoosePdfFile(this, heading().title);
    if (file.isEmpty())
        return;
    const PrintResult saved = SaveReportPdf(page(), file);
    if (!saved.printed)
        ShowMessage(saved.problem, kSavePdfTitle);
}

void frmPrint::cmdPrintPreview_Click() {
    if (output_.preview)
        output_.preview(this, page(), [this] { cmdPrint_Click(); });
}

void frmPrint::cmdCancelPrint_Click() {
    close();
}

void RequestReport(const ReportRequest& request) {
    const QString name = names::frmPrint;
    auto* dialog = Windows().window<frmPrint>(name);
    if (!dialog)
        return;
    dialog->fill(request);
    Windows().show(name);
}

} // namespace vt
