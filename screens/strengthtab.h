// "Pillar &Strength", the same on every calculation screen: K and the way to
// it from UCS readings, the effective width, the pillar height, the formula
// variables behind "Pillar formula variables", the W:H ratio, strength and
// FOS with their warning colours, and the formula sentence.
#pragma once

#include "evaluation/steps.h"

#include <QList>
#include <QStringList>
#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace vt {

class CaptionButton;

struct StrengthTabOptions {
    QStringList kItems;
    QString strengthCaption = QStringLiteral("Pillar strength (MPa)");
    int leftColumn = 240; // design twips from SSTab1's left
    int rightColumn = 2430;
};

class StrengthTab : public QWidget {
    Q_OBJECT
public:
    explicit StrengthTab(const StrengthTabOptions& options, QWidget* parent = nullptr);

    QComboBox* cboK = nullptr;
    CaptionButton* cmdDetermineK = nullptr;
    QComboBox* cboPillarWidth = nullptr; // the effective width, filled by the program
    QComboBox* cboPillarHeight = nullptr;
    QComboBox* cboAlpha = nullptr;
    QComboBox* cboBeta = nullptr;
    QComboBox* cboSquatPillarEffect = nullptr;
    QComboBox* cboStrengthIncrease = nullptr;
    QLabel* lblWHratio = nullptr;
    QLabel* lblPillarStrength = nullptr;
    QLabel* lblFOS = nullptr;
    CaptionButton* cmdCalculatePillarStrength = nullptr;
    QCheckBox* Check1 = nullptr;
    CaptionButton* cmdCalculateAndContinue2 = nullptr;
    QLineEdit* txtFormula = nullptr;

    // The six inputs a user changes, in the order of the screens' rules: K,
    // pillar height, alpha, beta, start squat pillar, strength increase rate.
    std::array<QComboBox*, 6> inputs() const;
    // The formula variables that "Pillar formula variables" unlocks.
    std::array<QComboBox*, 4> formulaVariables() const;
    // The texts of the strength step, with the pillar length of tab 0.
    evaluation::StrengthTexts texts(const QString& length) const;
    // The keyboard order of this tab.
    QList<QWidget*> keyboardOrder() const;

private:
    void buildInputs(const StrengthTabOptions& options);
    void buildResults(const StrengthTabOptions& options);
    void Check1_Click(bool checked);
};

} // namespace vt
