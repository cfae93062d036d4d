// The interpolation screen: the average pillar stress is interpolated by pillar
// width and depth in a loaded modelling-results file, whose name, text and
// chart the screen shows beside its three tabs. The modelled layout has square
// pillars (the length follows the width) and 12 m bords.
#pragma once

#include "app/interfaces.h"
#include "screens/calculationscreen.h"

class QLabel;
class QPlainTextEdit;

namespace vt {

class ChartView;
class InterpolationTab;

class frmInterpolate : public CalculationScreen, public ModellingResultsScreen {
    Q_OBJECT
public:
    explicit frmInterpolate(QWidget* parent = nullptr);

    // ModellingResultsScreen
    bool LoadModellingResults() override;
    void ResetModellingResults() override;

    // The interpolation step: stress, guide lines and % extraction. True when
    // the run succeeded; a failed run changes no field and not the chart.
    bool interpolatePillarStress();

    evaluation::DesignTexts designTexts() const override;

    ChartView* chart() const { return chart_; }
    InterpolationTab* interpolationTab() const { return tab_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildWindowArea();
    void addOpenMenu();
    std::vector<InputRule> rules();

    void cboPillarWidth1_Change(const QString& text);
    void cboPillarWidth1_Click();
    void cboPillarLength_Click();
    void cmdCalculateAndContinue1_Click();
    void chkToggleGuideLines_Click();
    void mnuOpen_Click();

    // The width handling shared by Change and Click: effective width, the
    // width's copy on "Final &Results", results emptied.
    void pillarWidthTaken(const QString& text);
    void emptyResults();
    void fillWidthList(const QStringList& items);
    // The screen reset that precedes the file chooser.
    void resetScreen();

    InterpolationTab* tab_ = nullptr;
    QLabel* lblMainShowData_ = nullptr;
    QPlainTextEdit* txtMainShowData_ = nullptr;
    ChartView* chart_ = nullptr;
};

} // namespace vt
