#include "screens/finalresultstab.h"

#include "app/ui.h"
#include "screens/builders.h"

#include <QLabel>
#include <QLineEdit>

namespace vt {

FinalResultsTab::FinalResultsTab(const FinalResultsTabOptions& options, QWidget* parent)
    : QWidget(parent) {
    const int left = options.leftColumn;
    const int right = options.rightColumn;
    const int rowWidth = right + kFieldWidth - left;
    const auto at = [](int x, int i) { return FieldPlace{x, 420 + i * kFieldHeight}; };
    const auto copy = [this](const QString& name, const QString& caption, const QString& text,
                             FieldPlace place, const QColor& background = kWhite) {
        return AddCopy(this, name, caption, text, background, place);
    };

    txtFRPillarWidth = copy(QStringLiteral("txtFRPillarWidth"), QStringLiteral("Pillar width (m)"),
                            {}, at(left, 0));
    txtFRPillarLength = copy(QStringLiteral("txtFRPillarLength"),
                             QStringLiteral("Pillar length (m)"), {}, at(right, 0));
    txtFRPillarHeight = copy(QStringLiteral("txtFRPillarHeight"),
                             QStringLiteral("Pillar height (m)"), {}, at(left, 1));
    txtFRWHratio =
        copy(QStringLiteral("txtFRWHratio"), QStringLiteral("W:H-ratio"), {}, at(right, 1));
    txtFRBordWidth = copy(QStringLiteral("txtFRBordWidth"), options.bordWidthCaption,
                          QStringLiteral("12"), at(left, 2), options.bordCopyBackground);
    txtFRBordWidth2 = copy(QStringLiteral("txtFRBordWidth2"), options.bordWidth2Caption,
                           QStringLiteral("12"), at(right, 2), options.bordCopyBackground);
    txtFRDepth = copy(QStringLiteral("txtFRDepth"), QStringLiteral("Depth (m)"), {}, at(left, 3));
    txtFRK = copy(QStringLiteral("txtFRK"), QStringLiteral("K (MPa)"), {}, at(right, 3));
    txtFRAlpha =
        copy(QStringLiteral("txtFRAlpha"), QStringLiteral("α"), QStringLiteral("0.5"), at(left, 4));
    txtFRBeta = copy(QStringLiteral("txtFRBeta"), QStringLiteral("β"), QStringLiteral("0.75"),
                     at(right, 4));
    txtFRSquatPillarEffect =
        copy(QStringLiteral("txtFRSquatPillarEffect"), QStringLiteral("Start squat pillar"),
             QStringLiteral("4.5"), at(left, 5));
    txtFRStrengthIncrease =
        copy(QStringLiteral("txtFRStrengthIncrease"), QStringLiteral("Strength incr. rate"),
             QStringLiteral("4.5"), at(right, 5));
    lblFRPillarStress = AddResult(this, QStringLiteral("lblFRPillarStress"),
                                  QStringLiteral("Pillar stress (MPa)"), at(left, 6));
    lblFRPillarStrength = AddResult(this, QStringLiteral("lblFRPillarStrength"),
                                    QStringLiteral("Pillar strength"), at(right, 6));
    lblFRExtraction = AddResult(this, QStringLiteral("lblFRExtraction"),
                                QStringLiteral("% Extraction"), at(left, 7));
    lblFRFOS = AddResult(this, QStringLiteral("lblFRFOS"), QStringLiteral("FOS"), at(right, 7));

    const int bottom = 420 + 8 * kFieldHeight;
    txtComment = MakeReadOnlyBox(this, QStringLiteral("txtComment"), {}, kLightGrey);
    txtComment->setFont(ArialFont(9, true));
    txtComment->setAlignment(Qt::AlignCenter);
    txtComment->setGeometry(DesignRect(left, bottom + 60, rowWidth, 375));
    cmdPrint = AddButton(this, QStringLiteral("cmdPrint"),
                         QStringLiteral("Print a hardcopy of the results"), ArialFont(11.25, true),
                         DesignRect(left, bottom + 495, rowWidth, 615));
}

ReportRequest FinalResultsTab::report(const QString& stressSource) const {
    ReportRequest request;
    for (const QLineEdit* box :
         {txtFRPillarWidth, txtFRPillarLength, txtFRPillarHeight, txtFRBordWidth, txtFRBordWidth2,
          txtFRDepth, txtFRK, txtFRAlpha, txtFRBeta, txtFRSquatPillarEffect, txtFRStrengthIncrease})
        request.values << box->text();
    request.values << lblFRExtraction->text() << txtFRWHratio->text() << lblFRPillarStress->text()
                   << lblFRPillarStrength->text() << lblFRFOS->text();
    request.comment = txtComment->text();
    request.stressSource = stressSource;
    return request;
}

} // namespace vt
