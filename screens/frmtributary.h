// The tributary-theory screen: the average pillar stress follows from the rock
// density, the depth and the percentage extraction.
#pragma once

#include "screens/planscreen.h"

namespace vt {

class frmTributary : public PlanScreen {
    Q_OBJECT
public:
    explicit frmTributary(QWidget* parent = nullptr);

    // The stress step: % extraction and tributary stress.
    bool calculateStressStep() override;
    evaluation::DesignTexts designTexts() const override;
};

} // namespace vt
