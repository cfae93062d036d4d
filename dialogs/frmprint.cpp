#include "dialogs/frmprint.h"

#include "app/messages.h"
#include "app/programstate.h"
#include "app/ui.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace vt {

namespace {

const QString kPrintingTitle = QStringLiteral("Printing");

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

} // namespace

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
                            15.75, false);

    QGroupBox* fraOriginator =
        MakeWhiteFrame(this, QStringLiteral("fraOriginator"), QStringLiteral("Originator"),
                       TwipsRect(1320, 1200, 3735, 855), ArialFont(14.25, true));
    txtOriginator_ = MakeTextBox(fraOriginator, QStringLiteral("txtOriginator"),
                                 TwipsRect(120, 360, 3495, 375), 12, false);

    QGroupBox* fraDate =
        MakeWhiteFrame(this, QStringLiteral("fraDate"), QStringLiteral("Date of assessment"),
                       TwipsRect(6960, 1200, 3735, 855), ArialFont(14.25, true));
    DTPicker1_ = new QDateEdit(QDate::currentDate(), fraDate);
    DTPicker1_->setObjectName(QStringLiteral("DTPicker1"));
    DTPicker1_->setGeometry(TwipsRect(120, 360, 3495, 375));
    DTPicker1_->setFont(ArialFont(12));
    DTPicker1_->setCalendarPopup(true);
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
    connect(cmdPrint_, &QPushButton::clicked, this, &frmPrint::cmdPrint_Click);
    connect(cmdCancelPrint_, &QPushButton::clicked, this, &frmPrint::cmdCancelPrint_Click);

    setTabOrder(txtTitle_, txtOriginator_);
    setTabOrder(txtOriginator_, DTPicker1_);
    setTabOrder(DTPicker1_, cmdPrint_);
    setTabOrder(cmdPrint_, cmdCancelPrint_);
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
}

void frmPrint::setOutput(ReportOutput output) {
    output_ = std::move(output);
}

void frmPrint::reject() {
    close();
}

// Closing always discards the dialog (a plain dialog would only hide).
void frmPrint::closeEvent(QCloseEvent* event) {
    event->accept();
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

// On paper: no buttons, no "Title" caption, no borders round the free text.
void frmPrint::tidyForPaper(bool paper) {
    cmdCancelPrint_->setVisible(!paper);
    cmdPrint_->setVisible(!paper);
    fraTitle_->setTitle(paper ? QString() : QStringLiteral("Title"));
    for (QLineEdit* box : {txtTitle_, txtComment1_, txtComment2_, txtOriginator_})
        box->setFrame(!paper);
}

void frmPrint::cmdPrint_Click() {
    tidyForPaper(true);
    // No text cursor on paper.
    if (QWidget* focused = focusWidget())
        focused->clearFocus();
    const QImage page = grab().toImage();
    const QPrinterInfo printer = output_.findPrinter ? output_.findPrinter() : QPrinterInfo();
    const PrintResult result = output_.print ? output_.print(page, printer)
                                             : PrintResult{false, QStringLiteral("No printer.")};
    if (result.printed) {
        close();
        return;
    }
    // Nothing typed is lost: the dialog stays as it was before the attempt.
    tidyForPaper(false);
    cmdPrint_->setFocus();
    ShowMessage(result.problem, kPrintingTitle);
    offerPdf(page);
}

void frmPrint::offerPdf(const QImage& page) {
    if (!Messages().ask(QStringLiteral("Save the report as a PDF file instead?"), kPrintingTitle))
        return;
    const QString file = output_.choosePdfFile ? output_.choosePdfFile(this) : QString();
    if (file.isEmpty())
        return;
    const PrintResult saved = SavePageAsPdf(page, file);
    if (saved.printed) {
        close();
        return;
    }
    ShowMessage(saved.problem, kPrintingTitle);
}

void frmPrint::cmdCancelPrint_Click() {
    close();
}

void RequestReport(const ReportRequest& request) {
    const QString name = QStringLiteral("frmPrint");
    auto* dialog = Windows().window<frmPrint>(name);
    if (!dialog)
        return;
    dialog->fill(request);
    Windows().show(name);
}

} // namespace vt
