// The modelled-stress screen: the average pillar stress is typed, known from
// numerical stress modelling; the first tab works out the % extraction.
#pragma once

#include "screens/planscreen.h"

namespace vt {

class frmModelled : public PlanScreen {
    Q_OBJECT
public:
    explicit frmModelled(QWidget* parent = nullptr);

    // The extraction step: % extraction, and the typed stress kept for the
    // strength step.
    bool calculateStressStep() override;
    evaluation::DesignTexts designTexts() const override;
};

} // namespace vt
