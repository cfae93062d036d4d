// The exports of the results shown: the histogram as a PNG or SVG picture and
// the summary as CSV.
#include "app/filedialogs.h"
#include "app/messages.h"
#include "evaluation/csv.h"
#include "probability/frmprobability.h"
#include "storage/qtstorage.h"

#include <QFileInfo>

namespace vt {

void frmProbability::cmdExportHistogram_Click() {
    if (!shown_ || !picHistogram_->hasPicture())
        return;
    const QString svgFilter = QStringLiteral("SVG drawing (*.svg)");
    const FileAnswer answer = AskForFile(this, {FileQuestion::Kind::Save,
                                                QStringLiteral("Export the histogram"),
                                                QString(),
                                                {QStringLiteral("PNG image (*.png)"), svgFilter},
                                                QString(),
                                                FileQuestion::Files::Exports});
    QString path = answer.path;
    if (path.isEmpty())
        return;
    const QString suffix = QFileInfo(path).suffix();
    const bool svg = suffix.compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0 ||
                     (suffix.isEmpty() && answer.filter == svgFilter);
    if (svg && suffix.isEmpty())
        path += QStringLiteral(".svg");
    else if (!svg && suffix.compare(QLatin1String("png"), Qt::CaseInsensitive) != 0)
        path += QStringLiteral(".png");
    QString error;
    const evaluation::NumberLocale locale = evaluation::NumberLocale::Current();
    const bool saved =
        svg ? probability::SaveHistogramSvg(path, picHistogram_->picture(), locale, &error)
            : probability::SaveHistogramPng(path, picHistogram_->picture(), locale, &error);
    if (!saved)
        ShowMessage(
            QStringLiteral("The histogram could not be saved as \"%1\": %2").arg(path, error),
            probability::kProbabilityTitle);
}

void frmProbability::cmdExportSummary_Click() {
    if (!shown_)
        return;
    const FileAnswer answer = AskForFile(
        this, {FileQuestion::Kind::Save, QStringLiteral("Export the summary"), QString(),
               evaluation::CsvFilters(), QStringLiteral("csv"), FileQuestion::Files::Exports});
    const QString& path = answer.path;
    if (path.isEmpty())
        return;
    const QByteArray csv = probability::SummaryCsv(shown_->description, shown_->result,
                                                   evaluation::CsvConventionOfFilter(answer.filter))
                               .toUtf8();
    QString error;
    if (!storage::Save(path, csv, &error))
        ShowMessage(QStringLiteral("The summary could not be saved as \"%1\": %2").arg(path, error),
                    probability::kProbabilityTitle);
}

} // namespace vt
