// The interpolation screen: the average pillar stress is interpolated by pillar
// width and depth in a loaded modelling-results file, whose name, text and
// chart the screen shows beside its three tabs. The modelled layout has square
// pillars (the length follows the width) and 12 m bords.
#pragma once

#include "app/interfaces.h"
#include "results/core/chartgeometry.h"
#include "screens/calculationscreen.h"

#include <optional>

class QLabel;
class QPlainTextEdit;

namespace vt {

class ChartView;

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

    ChartView* chart() const { return chart_; }

protected:
    QString strengthReadinessResult() const override;
    QString strengthReadinessMessage() const override;
    QString firstInputName() const override;
    QString stressSourceSentence() const override;
    // The strength step runs first, then the tab changes whatever its outcome.
    void continueToFinalResults() override;

    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindowArea();
    void buildPillarStressTab();

    void cboPillarWidth1_Change(const QString& text);
    void cboPillarWidth1_Click();
    void cboPillarLength_Click();
    void cmdInterpolate_Click();
    void cmdCalculateAndContinue1_Click();
    void chkToggleGuideLines_Click();
    void mnuOpen_Click();

    // The width handling shared by Change and Click: effective width, the
    // width's copy on "Final &Results", results emptied.
    void pillarWidthTaken(const QString& text);
    void emptyResults();
    // The screen reset that precedes the file chooser.
    void resetScreen();
    // The chart point of the depth and stress texts read in the user's locale
    // (depth 0 and stress 0 when the depth is empty); none when a text is not
    // a number.
    std::optional<results::ChartPoint> guidePoint(const QString& depthText,
                                                  const QString& stressText) const;
    void drawGuideLines(const QString& depthText, const QString& stressText);
    void toggleGuideLines(const QString& depthText, const QString& stressText);

    QLabel* lblMainShowData_ = nullptr;
    QPlainTextEdit* txtMainShowData_ = nullptr;
    ChartView* chart_ = nullptr;
    QWidget* lockedLength_ = nullptr;
};

} // namespace vt
