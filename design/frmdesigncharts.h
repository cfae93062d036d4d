// The design charts: for the design on the calculation screen it follows,
// the FOS against the pillar width, the depth and the pillar height, and the
// pillar strength and average pillar stress against the width, one tab each.
// The charts redraw whenever an input or a result of the screen changes.
#pragma once

#include "app/interfaces.h"
#include "design/chartpane.h"
#include "design/follower.h"

#include <QWidget>
#include <array>

class QLabel;
class QTabWidget;

namespace vt {

class frmDesignCharts : public QWidget, public DesignTool {
    Q_OBJECT
public:
    explicit frmDesignCharts(QWidget* parent = nullptr);

    void follow(DesignSource* source) override;
    // Where the exports go (a file dialog unless replaced).

    // Reads the screen's design and redraws every chart.
    void redraw();

    QTabWidget* tabs() const { return tabs_; }
    design::ChartPane* pane(int index) const { return panes_.at(static_cast<std::size_t>(index)); }
    static constexpr int kPanes = 4;
    QLabel* lblDesign = nullptr;

private:
    design::SourceFollower follower_;
    QTabWidget* tabs_ = nullptr;
    std::array<design::ChartPane*, kPanes> panes_{};
};

} // namespace vt
