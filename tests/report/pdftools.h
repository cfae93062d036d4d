// Reading a PDF file back with the poppler tools: its information, its text
// and where each word stands on the page.
#pragma once

#include <QList>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace vt::test {

inline bool HavePdfTools() {
    for (const char* tool : {"pdfinfo", "pdftotext"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return false;
    return true;
}

inline QString PdfTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// One line of pdfinfo ("Title", "Creator", "Pages", ...), trimmed.
inline QString PdfInfoField(const QString& file, const QString& field) {
    const auto match = QRegularExpression(QStringLiteral("^%1:\\s*(.*)$").arg(field),
                                          QRegularExpression::MultilineOption)
                           .match(PdfTool(QStringLiteral("pdfinfo"), {file}));
    return match.hasMatch() ? match.captured(1).trimmed() : QString();
}

inline QString PdfText(const QString& file) {
    return PdfTool(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), file, QStringLiteral("-")});
}

struct PdfWord {
    QString text;
    QRectF box; // points, from the page's top-left corner
};

inline QList<PdfWord> PdfWords(const QString& file) {
    QList<PdfWord> words;
    const QString xml =
        PdfTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (auto it = word.globalMatch(xml); it.hasNext();) {
        const auto m = it.next();
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        QString text = m.captured(5);
        text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
        text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
        text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
        words.push_back({text, QRectF(topLeft, bottomRight)});
    }
    return words;
}

} // namespace vt::test
