#include "design/frmdesigncharts.h"

#include "app/programstate.h"
#include "app/userguide.h"

#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vt {

using design::ChartKind;
using design::ChartPane;
using design::Quantity;

frmDesignCharts::frmDesignCharts(QWidget* parent)
    : ToolWindow(guide::kDesignCharts, parent) {
    setWindowTitle(QStringLiteral("Design charts"));
    auto* layout = new QVBoxLayout(this);
    lblDesign = new QLabel(this);
    lblDesign->setObjectName(QStringLiteral("lblDesign"));
    layout->addWidget(lblDesign);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabCharts"));
    layout->addWidget(tabs_, 1);
    struct Tab {
        Quantity quantity;
        ChartKind kind;
        const char* prefix;
        const char* caption;
    };
    const Tab tabs[kPanes] = {
        {Quantity::PillarWidth, ChartKind::FactorOfSafety, "Width", "FOS against pillar &width"},
        {Quantity::Depth, ChartKind::FactorOfSafety, "Depth", "FOS against &depth"},
        {Quantity::PillarHeight, ChartKind::FactorOfSafety, "Height", "FOS against pillar &height"},
        {Quantity::PillarWidth, ChartKind::StrengthAndStress, "Strength",
         "&Strength and stress against width"},
    };
    for (std::size_t i = 0; i < panes_.size(); ++i) {
        panes_[i] = new ChartPane(tabs[i].quantity, tabs[i].kind,
                                  QString::fromLatin1(tabs[i].prefix), tabs_);
        tabs_->addTab(panes_[i], QString::fromLatin1(tabs[i].caption));
        keys_[i] = QString::fromLatin1(tabs[i].prefix).toLower();
    }
    resize(900, 640);
}

void frmDesignCharts::aboutToFollow(DesignSource*) {
    for (ChartPane* pane : panes_)
        pane->resetRange();
}

void frmDesignCharts::redraw() {
    DesignSource* source = this->source();
    if (!source) {
        lblDesign->setText(QStringLiteral("No calculation screen is followed"));
        for (ChartPane* pane : panes_)
            pane->showRefusal({QStringLiteral("Open the charts from a calculation screen's "
                                              "Design menu"),
                               windowTitle()});
        return;
    }
    const QWidget* screen = sourceWindow();
    lblDesign->setText(QStringLiteral("The design on \"%1\"")
                           .arg(screen ? screen->windowTitle() : source->screenName()));
    const auto base = design::ReadDesign(source->designTexts(), evaluation::NumberLocale::Current(),
                                         &State().ModellingResults);
    for (ChartPane* pane : panes_) {
        if (base)
            pane->showDesign(base.value());
        else
            pane->showRefusal(base.refusal());
    }
}

namespace {
const char* const kRangeKeys[] = {"from", "to", "step"};
} // namespace

QJsonObject frmDesignCharts::keptSettings() const {
    QJsonObject settings;
    for (std::size_t i = 0; i < panes_.size(); ++i)
        if (const auto range = panes_[i]->typedRange()) {
            QJsonObject kept;
            for (std::size_t r = 0; r < range->size(); ++r)
                kept.insert(QLatin1String(kRangeKeys[r]), (*range)[r]);
            settings.insert(keys_[i], kept);
        }
    return settings;
}

void frmDesignCharts::restoreSettings(const QJsonObject& settings) {
    for (std::size_t i = 0; i < panes_.size(); ++i) {
        const QJsonObject kept = settings.value(keys_[i]).toObject();
        std::array<QString, 3> range;
        bool whole = true;
        for (std::size_t r = 0; r < range.size(); ++r)
            whole = KeptText(kept, kRangeKeys[r], &range[r]) && whole;
        if (whole)
            panes_[i]->setTypedRange(range);
    }
}

} // namespace vt
