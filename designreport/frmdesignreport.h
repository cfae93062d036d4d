// The design report window: for the calculation screen it follows, the
// report's own fields (project, title, revision, notes, who prepared, checked
// and approved it and when), the sections to include (each ticked by default
// while it has content, until the user ticks it otherwise), the paper, and
// a preview of the pages that zooms, pages through and prints. The report
// is written as a vector PDF or an ODF text document through the one save
// helper, and printed through the print path of the one-page report.
#pragma once

#include "designreport/reportdocument.h"
#include "dialogs/reportprinter.h"
#include "tools/toolwindow.h"

#include <QPrinter>
#include <QTimer>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrintPreviewWidget;
class QPushButton;

namespace vt {

class frmDesignReport : public tools::ToolWindow, public DesignReportKeeper {
    Q_OBJECT
public:
    explicit frmDesignReport(QWidget* parent = nullptr);
    ~frmDesignReport() override;

    // Reads the screen, the tools and the fields again and redraws the pages.
    void refresh();
    const designreport::Report& report() const { return report_; }
    // The fields as typed, with the sections ticked.
    designreport::ReportFields fields() const;

    // DesignReportKeeper: what an evaluation file keeps of the report.
    std::optional<DesignReportFields> designReportFor(const DesignSource& source) const override;
    void setDesignReport(const DesignReportFields& fields) override;
    // The paper chosen.
    QPageSize paper() const;
    int pageCount() const;

    // How the report is printed (tests replace it): the job's name and the
    // writer of its PDF.
    std::function<PrintResult(const QString& jobName, const PdfWriterFunction& write)> print;

    QLineEdit* txtProject = nullptr;
    QLineEdit* txtTitle = nullptr;
    QLineEdit* txtRevision = nullptr;
    QPlainTextEdit* txtNotes = nullptr;
    QLineEdit* txtPreparedBy = nullptr;
    QLineEdit* txtPreparedOn = nullptr;
    QLineEdit* txtCheckedBy = nullptr;
    QLineEdit* txtCheckedOn = nullptr;
    QLineEdit* txtApprovedBy = nullptr;
    QLineEdit* txtApprovedOn = nullptr;
    std::array<QCheckBox*, designreport::kSectionOrder.size()> chkSection{};
    QComboBox* cboPaper = nullptr;
    QLabel* lblMissing = nullptr;
    QPushButton* cmdCalculate = nullptr;
    QPushButton* cmdSavePdf = nullptr;
    QPushButton* cmdSaveOdt = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdZoomIn = nullptr;
    QPushButton* cmdZoomOut = nullptr;
    QPushButton* cmdPreviousPage = nullptr;
    QPushButton* cmdNextPage = nullptr;
    QLabel* lblPage = nullptr;
    QPrintPreviewWidget* picPreview = nullptr;

protected:
    void changeEvent(QEvent* event) override;

private:
    void sourceChanged() override;
    QWidget* buildFields();
    QWidget* buildPreview();
    void edited();
    void chkSection_Click(int index);
    void cmdCalculate_Click();
    void cmdSavePdf_Click();
    void cmdSaveOdt_Click();
    void cmdPrint_Click();
    void save(const QString& kind, const QString& suffix, const QByteArray& bytes);
    void showPage();

    designreport::Report report_;
    std::array<bool, designreport::kSectionOrder.size()> tickedByUser_{};
    QTimer editTimer_;
    QPrinter printer_{QPrinter::HighResolution};
};

} // namespace vt
