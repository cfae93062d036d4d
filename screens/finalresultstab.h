// "Final &Results", the same on every calculation screen: read-only copies of
// every input and result, the formula sentence of the last strength step and
// the report button.
#pragma once

#include "dialogs/report.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;

namespace vt {

class CaptionButton;

struct FinalResultsTabOptions {
    QString bordWidthCaption;  // the copy of bord width 1
    QString bordWidth2Caption; // the copy of bord width 2
    QColor bordCopyBackground;
    int leftColumn = 240;
    int rightColumn = 2430;
};

class FinalResultsTab : public QWidget {
    Q_OBJECT
public:
    explicit FinalResultsTab(const FinalResultsTabOptions& options, QWidget* parent = nullptr);

    QLineEdit* txtFRPillarWidth = nullptr;
    QLineEdit* txtFRPillarLength = nullptr;
    QLineEdit* txtFRPillarHeight = nullptr;
    QLineEdit* txtFRWHratio = nullptr;
    QLineEdit* txtFRBordWidth = nullptr;
    QLineEdit* txtFRBordWidth2 = nullptr;
    QLineEdit* txtFRDepth = nullptr;
    QLineEdit* txtFRK = nullptr;
    QLineEdit* txtFRAlpha = nullptr;
    QLineEdit* txtFRBeta = nullptr;
    QLineEdit* txtFRSquatPillarEffect = nullptr;
    QLineEdit* txtFRStrengthIncrease = nullptr;
    QLabel* lblFRPillarStress = nullptr;
    QLabel* lblFRPillarStrength = nullptr;
    QLabel* lblFRExtraction = nullptr;
    QLabel* lblFRFOS = nullptr;
    QLineEdit* txtComment = nullptr;
    CaptionButton* cmdPrint = nullptr;

    // The report request: the sixteen values in the report's order, the
    // comment and the screen's stress-source sentence.
    ReportRequest report(const QString& stressSource) const;
};

} // namespace vt
