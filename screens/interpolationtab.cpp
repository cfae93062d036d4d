#include "screens/interpolationtab.h"

#include "app/ui.h"
#include "screens/builders.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vt {

namespace {

const QString kSquarePillars = QStringLiteral("The modelling was done for squar pillars only");
const QString kModelledBords = QStringLiteral("All the modelling was done on a 12m bord width");

QLineEdit* LockedBord(QWidget* tab, const QString& name, const QString& caption, int left) {
    QLineEdit* bord = MakeReadOnlyBox(nullptr, name, QStringLiteral("12"), kLightGrey);
    bord->setFont(ArialFont(9));
    bord->setToolTip(kModelledBords);
    bord->setFocusPolicy(Qt::NoFocus);
    PlaceField(tab, bord, caption, {left, 2640});
    return bord;
}

} // namespace

InterpolationTab::InterpolationTab(QWidget* parent)
    : QWidget(parent) {
    cboPillarWidth1 =
        AddCombo(this, QStringLiteral("cboPillarWidth1"), QStringLiteral("Pillar width (m)"), {},
                 {}, kSquarePillars, {120, 840});

    // Locked: shows the width, but the user can neither type nor pick.
    cboPillarLength =
        AddCombo(this, QStringLiteral("cboPillarLength"), QStringLiteral("Pillar length (m)"),
                 Counting(1, 10), {}, kSquarePillars, {2160, 840});
    cboPillarLength->lineEdit()->setReadOnly(true);
    cboPillarLength->setFocusPolicy(Qt::NoFocus);
    cboPillarLength->lineEdit()->setFocusPolicy(Qt::NoFocus);
    cboPillarLength->installEventFilter(this);
    cboPillarLength->lineEdit()->installEventFilter(this);
    SetBackground(cboPillarLength, kLightGrey);

    txtDepth = AddTextBox(this, QStringLiteral("txtDepth"), QStringLiteral("Depth (m)"),
                          QStringLiteral("Pillar depth below surface in m"), {1080, 1680});
    txtBordWidth = LockedBord(this, QStringLiteral("txtBordWidth"),
                              QStringLiteral("Bord width (smaller)"), 120);
    txtBordWidth2 = LockedBord(this, QStringLiteral("txtBordWidth2"),
                               QStringLiteral("Bord width (bigger)"), 2160);

    lblPillarStress = AddResult(this, QStringLiteral("lblPillarStress"),
                                QStringLiteral("Pillar stress (MPa)"), {120, 4080});
    lblPercentageExtraction = AddResult(this, QStringLiteral("lblPercentageExtraction"),
                                        QStringLiteral("% Extraction"), {2160, 4080});

    // "&&" shows one ampersand and makes no keyboard accelerator.
    const QFont buttonFont = ArialFont(11.25, true, true);
    cmdInterpolate =
        AddButton(this, QStringLiteral("cmdInterpolate"),
                  QStringLiteral("Interpolate the Pillar stress && Calculate the % Extraction"),
                  buttonFont, DesignRect(120, 4800, 3975, 615));
    cmdCalculateAndContinue1 = AddButton(this, QStringLiteral("cmdCalculateAndContinue1"),
                                         QStringLiteral("Calculate and Continue"), buttonFont,
                                         DesignRect(120, 5400, 3975, 615));

    chkToggleGuideLines = new QPushButton(QStringLiteral("Toggle Guide Lines"), this);
    chkToggleGuideLines->setObjectName(QStringLiteral("chkToggleGuideLines"));
    chkToggleGuideLines->setCheckable(true);
    chkToggleGuideLines->setAutoDefault(false);
    chkToggleGuideLines->setFont(ArialFont(8.25, true));
    chkToggleGuideLines->setGeometry(DesignRect(120, 6120, 3975, 375));
}

QList<QWidget*> InterpolationTab::keyboardOrder() const {
    return {cboPillarWidth1, txtDepth, cmdInterpolate, cmdCalculateAndContinue1,
            chkToggleGuideLines};
}

bool InterpolationTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cboPillarLength || watched == cboPillarLength->lineEdit()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
        case QEvent::Wheel:
        case QEvent::KeyPress:
            return true; // locked
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vt
