// The report request that every calculation screen makes from its Final
// Results tab.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace vt {

struct ReportRequest {
    // Sixteen texts, in this order: pillar width, pillar length, pillar height,
    // bord width 1, bord width 2, depth, K, alpha, beta, start squat pillar,
    // strength increase rate, % extraction, W:H ratio, pillar stress, pillar
    // strength, factor of safety.
    QStringList values;
    QString comment;      // the screen's txtComment
    QString stressSource; // the screen's stress-source sentence
    QString screen;       // the screen that asks (its window name)
};

// What the user types on the report: the title, the originator and the date
// of assessment.
struct ReportHeading {
    QString title;
    QString originator;
    QDate date;

    bool operator==(const ReportHeading&) const = default;
};

// Loads frmPrint if needed (title and originator empty, date today), fills it
// and shows it without modality. An open report keeps title, originator, date.
void RequestReport(const ReportRequest& request);

} // namespace vt
