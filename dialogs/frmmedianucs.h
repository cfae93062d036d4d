// The UCS list: readings keyed in one by one, their median and the strength
// constant K downgraded from it, and the hand-over of K to the three
// calculation screens.
#pragma once

#include "app/interfaces.h"

#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace vt {

class frmMedianUCS : public QWidget, public UcsReadingsSource {
    Q_OBJECT
public:
    explicit frmMedianUCS(QWidget* parent = nullptr);

    // UcsReadingsSource: the list's entries and the percentage, as typed.
    QStringList ucsReadings() const override;
    QString downgradePercentage() const override;

    // The K that Accept hands on: the shown K read back as a number.
    float acceptedK() const { return acceptedK_; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    // Tells the windows that show the readings.
    void readingsChanged();
    void cmdAddToList_Click();
    void cmdEraseFromList_Click();
    void cmdCalculateK_Click();
    void cmdAccept_Click();
    void txtInputUCS_Change();

    QLineEdit* txtInputUCS_ = nullptr;
    QToolButton* cmdAddToList_ = nullptr;
    QToolButton* cmdEraseFromList_ = nullptr;
    QLineEdit* txtDowngradePercentage_ = nullptr;
    QPushButton* cmdCalculateK_ = nullptr;
    QPushButton* cmdAccept_ = nullptr;
    QListWidget* lstUCS_ = nullptr;
    QLineEdit* txtMedianUCS_ = nullptr;
    QLineEdit* txtCalculatedK_ = nullptr;
    float acceptedK_ = 0.0f;
    // What the K of the last calculation came from: the readings and the
    // percentage as they then stood, and the median shown.
    StrengthConstantSource derivedFrom_;
};

} // namespace vt
