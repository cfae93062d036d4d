// The design charts: for the design on the calculation screen it follows,
// the FOS against the pillar width, the depth and the pillar height, and the
// pillar strength and average pillar stress against the width, one tab each.
// The charts redraw whenever an input or a result of the screen changes.
#pragma once

#include "app/toolsettings.h"
#include "design/chartpane.h"
#include "tools/toolwindow.h"

#include <array>

class QLabel;
class QTabWidget;

namespace vt {

class frmDesignCharts : public tools::ToolWindow, public KeptToolSettings {
    Q_OBJECT
public:
    explicit frmDesignCharts(QWidget* parent = nullptr);

    // KeptToolSettings: the ranges typed on the charts ("width": {"from",
    // "to", "step"}, ...); a chart whose range is around the design has none.
    const DesignSource* settingsScreen() const override { return source(); }
    QJsonObject keptSettings() const override;
    void restoreSettings(const QJsonObject& settings) override;

    // Reads the screen's design and redraws every chart.
    void redraw();

    QTabWidget* tabs() const { return tabs_; }
    design::ChartPane* pane(int index) const { return panes_.at(static_cast<std::size_t>(index)); }
    static constexpr int kPanes = 4;
    QLabel* lblDesign = nullptr;

private:
    void aboutToFollow(DesignSource* next) override;
    void sourceChanged() override { redraw(); }

    QTabWidget* tabs_ = nullptr;
    std::array<design::ChartPane*, kPanes> panes_{};
    std::array<QString, kPanes> keys_{}; // of the panes' kept ranges
};

} // namespace vt
