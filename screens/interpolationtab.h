// "&Pillar Stress" of the interpolation screen: the pillar width (the widths of
// the loaded file), the locked pillar length that follows it, the depth, the
// locked 12 m bords of the modelling, the stress and extraction results, the
// interpolate and continue buttons and "Toggle Guide Lines".
#pragma once

#include <QList>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vt {

class CaptionButton;

class InterpolationTab : public QWidget {
    Q_OBJECT
public:
    explicit InterpolationTab(QWidget* parent = nullptr);

    QComboBox* cboPillarWidth1 = nullptr;
    QComboBox* cboPillarLength = nullptr; // locked: shows the width
    QLineEdit* txtDepth = nullptr;
    QLineEdit* txtBordWidth = nullptr;  // "12", locked
    QLineEdit* txtBordWidth2 = nullptr; // "12", locked
    QLabel* lblPillarStress = nullptr;
    QLabel* lblPercentageExtraction = nullptr;
    CaptionButton* cmdInterpolate = nullptr;
    CaptionButton* cmdCalculateAndContinue1 = nullptr;
    QPushButton* chkToggleGuideLines = nullptr;

    QList<QWidget*> keyboardOrder() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace vt
