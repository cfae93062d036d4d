// The report dialog. Its client area is the printed page: the evaluation's
// values in captioned frames, grouped by rounded outlines, with a title, an
// originator and a date typed by the user. "Print hardcopy" tidies the dialog
// for paper (no buttons, no "Title" caption, no borders round the free text),
// prints an image of it on the default printer and closes it.
#pragma once

#include "dialogs/report.h"
#include "dialogs/reportprinter.h"

#include <QDialog>
#include <QImage>
#include <QPrinterInfo>
#include <QRect>
#include <QString>
#include <array>
#include <functional>

class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace vt {

// Where the page goes. The program prints on the default printer and offers a
// file dialog for the PDF fallback; tests replace any part.
struct ReportOutput {
    std::function<QPrinterInfo()> findPrinter = [] { return QPrinterInfo::defaultPrinter(); };
    std::function<PrintResult(const QImage&, const QPrinterInfo&)> print = PrintOnPrinter;
    std::function<QString(QWidget*)> choosePdfFile = ChoosePdfFile;
};

class frmPrint final : public QDialog {
    Q_OBJECT

public:
    explicit frmPrint(QWidget* parent = nullptr);
    ~frmPrint() override;

    // Copies the sixteen values and the two comment lines; title, originator
    // and date stay as they are.
    void fill(const ReportRequest& request);

    void setOutput(ReportOutput output);

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
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void cmdPrint_Click();
    void cmdCancelPrint_Click();

    void tidyForPaper(bool paper);
    void offerPdf(const QImage& page);

    ReportOutput output_;
    QGroupBox* fraTitle_ = nullptr;
    QLineEdit* txtTitle_ = nullptr;
    QLineEdit* txtOriginator_ = nullptr;
    QDateEdit* DTPicker1_ = nullptr;
    QLineEdit* txtComment1_ = nullptr;
    QLineEdit* txtComment2_ = nullptr;
    std::array<QLineEdit*, 16> values_{};
    QPushButton* cmdPrint_ = nullptr;
    QPushButton* cmdCancelPrint_ = nullptr;
};

} // namespace vt
