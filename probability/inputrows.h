// The probability window's rows of inputs, one per design input the run may
// sample: its caption, the screen's value, the distribution and its
// parameters. Everything about a row is here, so that adding an input is a
// row of kDesignFields.
#pragma once

#include "evaluation/design.h"
#include "probability/core/distribution.h"

#include <QString>
#include <vector>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace vt::probability {

// The part of an input's object names: cboDistributionK, txtCVDepth, ...
QString InputKey(evaluation::Input input);

// The inputs the window offers to sample for a method: those that can change
// the FOS there. On the modelled screen the stress is typed, so the bord
// widths (which change only the extraction) are left out.
std::vector<evaluation::Input> SampledInputs(evaluation::Method method);

struct InputRow {
    evaluation::Input input{};
    QLabel* caption = nullptr;
    QLabel* value = nullptr;
    QComboBox* distribution = nullptr;
    QLineEdit* coefficient = nullptr;
    QLineEdit* lower = nullptr;
    QLineEdit* upper = nullptr;

    // The row's widgets, made in `grid`'s widget and laid out on `line`.
    static InputRow Make(QGridLayout* grid, int line, evaluation::Input input);
    // The column headers of the rows, laid out on line 0 of `grid`.
    static int AddHeaders(QGridLayout* grid);

    DistributionKind kind() const;
    DistributionTexts texts() const;
    void setVisible(bool shown) const;
    // Enables the parameters the kind takes and fills an empty one with a
    // value to start from: a CV of 10 %, or ten per cent either side of the
    // screen's value.
    void kindChanged() const;
};

} // namespace vt::probability
