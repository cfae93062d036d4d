// The report dialog. Its client area is the printed page: the evaluation's
// values in captioned frames, grouped by rounded outlines, with a title, an
// originator and a date typed by the user. "Print hardcopy" tidies the dialog
// for paper (no buttons, no "Title" caption, no borders round the free text,
// no drop-down arrow on the date), prints it on the default printer and
// closes it once the printer has the job. "Save as PDF" and "Print preview"
// draw the same page and leave the dialog open.
#pragma once

#include "dialogs/report.h"
#include "dialogs/reportprinter.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QString>
#include <array>
#include <functional>

class QDateEdit;
class QFont;
class QPainter;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace vt {

// Where the page goes. The program prints on the default printer, asks for
// PDF file names through the file dialogs and shows the preview in a window of its
// own; tests replace any part.
struct ReportOutput {
    std::function<QString()> findPrinter = DefaultPrinterName; // empty: none
    std::function<PrintResult(const ReportPage&, const QString& printer)> print = PrintOnPrinter;
    std::function<void(QWidget*, const ReportPage&, const std::function<void()>& print)> preview =
        ShowPrintPreview;
};

// The top-left corner of a window's frame that centres the frame (client
// area plus the margins the window manager adds) on the available area.
QPoint CentredFramePosition(QSize client, QMargins frame, const QRect& available);

// The largest point size, from `font`'s own down to `smallest` in quarter
// points, at which `text` fits in `room` pixels; `smallest` when none does.
double FittingPointSize(const QFont& font, const QString& text, int room, double smallest);

class frmPrint final : public QDialog {
    Q_OBJECT

public:
    explicit frmPrint(QWidget* parent = nullptr);
    ~frmPrint() override;

    // Copies the sixteen values and the two comment lines; title, originator
    // and date stay as they are.
    void fill(const ReportRequest& request);

    void setOutput(ReportOutput output);

    // The title, originator and date as the dialog holds them, and writing
    // them (a later request keeps them, as it keeps typed ones).
    ReportHeading heading() const;
    void setHeading(const ReportHeading& heading);
    // The screen whose report request last filled the dialog; empty before
    // the first.
    const QString& filledFrom() const { return filledFrom_; }

    // The page as it goes on paper, drawn from the dialog tidied for paper.
    ReportPage page();

    // The value boxes in the order of ReportRequest::values.
    static const std::array<const char*, 16>& valueBoxNames();

    // The rounded outlines that group the fields, in twips.
    struct Outline {
        const char* name;
        QRect twips;
    };
    static const std::array<Outline, 5>& outlines();

    void reject() override; // Esc closes (and so discards) the dialog

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void cmdPrint_Click();
    void cmdCancelPrint_Click();
    void cmdSavePdf_Click();
    void cmdPrintPreview_Click();
    void txtTitle_Change();
    void txtOriginator_Change();

    void tidyForPaper(bool paper);
    void drawForPaper(QPainter& painter);
    void offerPdf();
    void centreOnScreen();
    void recentreForFrame();

    ReportOutput output_;
    bool onPaper_ = false;
    QString filledFrom_;
    bool printing_ = false;    // a print job is being followed
    bool closeWanted_ = false; // a close came while printing
    int centrings_ = 0;        // placements since the dialog was shown
    QMargins centredWith_;     // the frame margins of the last placement
    QElapsedTimer shownAt_;    // since the first show

    QGroupBox* fraTitle_ = nullptr;
    QLineEdit* txtTitle_ = nullptr;
    QLineEdit* txtOriginator_ = nullptr;
    QDateEdit* DTPicker1_ = nullptr;
    QLineEdit* txtComment1_ = nullptr;
    QLineEdit* txtComment2_ = nullptr;
    std::array<QLineEdit*, 16> values_{};
    QPushButton* cmdPrint_ = nullptr;
    QPushButton* cmdCancelPrint_ = nullptr;
    QPushButton* cmdSavePdf_ = nullptr;
    QPushButton* cmdPrintPreview_ = nullptr;
};

} // namespace vt
