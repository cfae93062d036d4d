// Helpers shared by the report tests: a filled request, the open dialog and a
// printer that keeps the page instead of printing it.
#pragma once

#include "app/programstate.h"
#include "dialogs/frmprint.h"
#include "dialogs/report.h"
#include "tests/support/fields.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <gtest/gtest.h>

namespace vt::test {

inline const QString kTributarySentence = QStringLiteral(
    "The Tributary Area theory was used to calculate the Average Pillar Stress for this "
    "evaluation");
inline const QString kModelledSentence =
    QStringLiteral("This evaluation was done with a known Average Pillar Stress");

// A finished evaluation, every value different so a swap shows.
inline ReportRequest FilledRequest() {
    ReportRequest request;
    request.values = {QStringLiteral("9"),    QStringLiteral("11"),   QStringLiteral("3.5"),
                      QStringLiteral("6"),    QStringLiteral("7.5"),  QStringLiteral("450"),
                      QStringLiteral("35.2"), QStringLiteral("0.5"),  QStringLiteral("0.75"),
                      QStringLiteral("4.5"),  QStringLiteral("2.5"),  QStringLiteral("49.2"),
                      QStringLiteral("2.6"),  QStringLiteral("23.4"), QStringLiteral("39.4"),
                      QStringLiteral("1.7")};
    request.comment = QStringLiteral("The Hedley/Grant formula was used for the pillar strength");
    request.stressSource = kTributarySentence;
    return request;
}

inline frmPrint* ReportDialog() {
    return Windows().existing<frmPrint>(QStringLiteral("frmPrint"));
}

// Requests a report and waits until its dialog is on screen.
inline frmPrint* OpenReport(const ReportRequest& request) {
    RequestReport(request);
    frmPrint* dialog = ReportDialog();
    if (dialog && !QTest::qWaitForWindowExposed(dialog))
        return nullptr;
    return dialog;
}

// What the dialog looked like when the page went to the printer.
struct PrintedPage {
    int calls = 0;
    QImage image;
    QString printerName;
    bool printVisible = true;
    bool cancelVisible = true;
    bool savePdfVisible = true;
    bool previewVisible = true;
    QString titleCaption;
    bool bordersShown = true; // any of the four free-text boxes with a border
    bool anythingFocused = true;
    QDate date;
};

// A printer that keeps the page (as an image at its on-screen size) and
// reports `succeed`; no preview.
inline ReportOutput RecordingOutput(frmPrint* dialog, PrintedPage& page, bool succeed = true) {
    ReportOutput output;
    output.findPrinter = [] { return QString(); };
    output.print = [dialog, &page, succeed](const ReportPage& report, const QString& printer) {
        ++page.calls;
        page.image = ReportPageImage(report);
        page.printerName = printer;
        page.printVisible = Child<QPushButton>(dialog, "cmdPrint")->isVisible();
        page.cancelVisible = Child<QPushButton>(dialog, "cmdCancelPrint")->isVisible();
        page.savePdfVisible = Child<QPushButton>(dialog, "cmdSavePdf")->isVisible();
        page.previewVisible = Child<QPushButton>(dialog, "cmdPrintPreview")->isVisible();
        page.titleCaption = Child<QGroupBox>(dialog, "fraTitle")->title();
        page.bordersShown = false;
        for (const char* name : {"txtTitle", "txtOriginator", "txtComment1", "txtComment2"})
            page.bordersShown = page.bordersShown || Child<QLineEdit>(dialog, name)->hasFrame();
        page.anythingFocused = dialog->isAncestorOf(QApplication::focusWidget());
        page.date = Child<QDateEdit>(dialog, "DTPicker1")->date();
        return succeed ? PrintResult{true, {}} : PrintResult{false, QStringLiteral("jammed")};
    };
    output.preview = [](QWidget*, const ReportPage&, const std::function<void()>&) {};
    return output;
}

} // namespace vt::test
