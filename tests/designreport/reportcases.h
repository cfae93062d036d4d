// Designs for the report tests, the report the program would make of them,
// and reading a PDF or an ODF text back.
#pragma once

#include "designreport/reportcontent.h"
#include "designreport/reportdocument.h"
#include "evaluation/design.h"
#include "tests/report/pdftools.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace vt::test {

// The results a screen shows after both "Calculate and Continue" for the
// design, through the screen's own evaluation.
inline ShownResults ShownAfterCalculating(const evaluation::DesignTexts& design,
                                          const evaluation::NumberLocale& locale) {
    const evaluation::Evaluation e = evaluation::Evaluate(design, locale);
    return {e.extraction,     e.stress,  e.effectiveWidth,      e.widthHeightRatio,      e.strength,
            e.factorOfSafety, e.formula, e.widthHeightTooSmall, e.factorOfSafetyTooSmall};
}

// 10 x 10 m pillars, 12 m bords, 500 m deep, density 2.7, K 100, 2 m high.
inline evaluation::DesignTexts ReportDesign(const QString& point = QStringLiteral(".")) {
    const auto decimal = [&point](const char* whole, const char* fraction) {
        return QString::fromLatin1(whole) + point + QString::fromLatin1(fraction);
    };
    evaluation::DesignTexts d;
    d.method = evaluation::Method::Tributary;
    d.density = decimal("2", "7");
    d.depth = QStringLiteral("500");
    d.width = QStringLiteral("10");
    d.length = QStringLiteral("10");
    d.k = QStringLiteral("100");
    d.height = QStringLiteral("2");
    d.alpha = decimal("0", "5");
    d.beta = decimal("0", "75");
    d.squatStart = decimal("4", "5");
    d.increaseRate = decimal("4", "5");
    return d;
}

inline designreport::Report MakeReport(const designreport::ReportInputs& inputs) {
    designreport::Report report;
    report.fields = inputs.fields;
    report.sections = designreport::BuildSections(inputs);
    report.ticked.assign(designreport::kSectionOrder.begin(), designreport::kSectionOrder.end());
    report.program = inputs.program;
    report.date = QStringLiteral("9 December 2026");
    return report;
}

inline designreport::ReportInputs InputsFor(const evaluation::DesignTexts& design,
                                            const evaluation::NumberLocale& locale,
                                            bool calculated = true) {
    designreport::ReportInputs in;
    in.screen.title = QStringLiteral("Tributary Theory");
    in.screen.design = design;
    if (calculated)
        in.screen.shown = ShownAfterCalculating(design, locale);
    in.screen.formulaData =
        evaluation::ScreenFormulaDataRange(evaluation::Evaluate(design, locale), locale);
    in.locale = locale;
    in.program = QStringLiteral("Vandrel Tessaron 1.2.0");
    in.fields.project = QStringLiteral("North Shaft, Level 12");
    in.fields.title = QStringLiteral("Panel 4 pillars");
    in.fields.revision = QStringLiteral("B");
    in.fields.preparedBy = QStringLiteral("Project engineer");
    return in;
}

// The PDF written to a file in `dir`, read back as text (layout kept).
inline QString WritePdf(const designreport::Report& report, const QTemporaryDir& dir,
                        const QString& name, const QPageSize& paper = QPageSize(QPageSize::A4)) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(designreport::ReportPdf(report, paper)) <= 0)
        return {};
    file.close();
    return path;
}

// A file of a zip archive, through unzip; empty when there is none.
inline QByteArray ZipMember(const QString& archive, const QString& member) {
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), archive, member});
    if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0)
        return {};
    return unzip.readAllStandardOutput();
}

inline bool HaveUnzip() {
    return !QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty();
}

// The text of the PDF between two section headings (to the end without a
// second), with runs of blanks made one.
inline QString SectionText(const QString& text, const QString& heading, const QString& next = {}) {
    const qsizetype from = text.indexOf(heading);
    if (from < 0)
        return {};
    const qsizetype to = next.isEmpty() ? -1 : text.indexOf(next, from);
    return text.mid(from, to < 0 ? -1 : to - from).simplified();
}

} // namespace vt::test
