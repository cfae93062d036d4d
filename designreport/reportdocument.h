// The design report as a document and on pages: the sections turned into a
// QTextDocument (tables, red warnings, drawings as vectors or, for the ODF
// text, as pictures), laid out on pages with a header (project, title,
// revision) and a footer (page n of m, program and version, the evaluation
// file's name when there is one, the date), and written as a vector PDF or an
// ODF text document. One painting serves the PDF, the preview and printing.
#pragma once

#include "designreport/reportcontent.h"

#include <QByteArray>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <memory>
#include <vector>

class QIODevice;
class QPagedPaintDevice;
class QPaintDevice;
class QTextDocument;

namespace vt::designreport {

// Everything the pages show.
struct Report {
    ReportFields fields;
    std::vector<Section> sections; // in report order
    std::vector<SectionId> ticked; // the sections the user includes
    QString program;               // "Vandrel Tessaron 1.2.0"
    QString evaluationFile;        // its name; empty when there is none
    QString date;                  // as the footer shows it
};

// Whether a section is in the report: ticked, and with content or a reason
// why its tool is left out.
bool Included(const Report& report, const Section& section);

enum class DrawingsAs { Vectors, Pictures };

// The report's body as a document. With vectors, the drawings are objects
// painted by their own drawing (they need the document to stay as built);
// with pictures, they are images in the document's resources.
std::unique_ptr<QTextDocument> ReportDocument(const Report& report, DrawingsAs drawings);

// A4, or Letter where the locale's country uses it.
QPageSize PaperOf(const QLocale& locale);
// Portrait with 18 mm margins.
QPageLayout ReportLayout(const QPageSize& paper);

// Lays the report out on the device's pages and paints every one (the device
// starts on its first page); the number of pages, 0 when nothing could be
// painted.
int PaintReport(const Report& report, QPagedPaintDevice& device);

// A searchable vector PDF; false when the device could not take it.
bool WriteReportPdf(const Report& report, QIODevice& device, const QPageSize& paper);
// The whole PDF, or empty when it could not be made.
QByteArray ReportPdf(const Report& report, const QPageSize& paper);
// The ODF text document; empty when it could not be made.
QByteArray ReportOdt(const Report& report);

} // namespace vt::designreport
