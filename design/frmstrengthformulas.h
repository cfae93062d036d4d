// Strength formulas compared: for the design on the calculation screen it
// follows, the pillar's effective width, height, W:H and stress as the
// screen shows them; the UCS (the median of the UCS readings, not
// downgraded, or typed); per formula its strength and FOS, the design FOS
// its authors recommend, whether the pillar meets it and a mark where the
// pillar's W:H lies outside the formula's data; the user's own formula; and
// the strength chart and the stability graph of the formulas shown.
#pragma once

#include "app/interfaces.h"
#include "design/formulacharts.h"
#include "evaluation/strengthformulas.h"
#include "tools/toolwindow.h"

#include <QTimer>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;
class QTabWidget;

namespace vt {

class frmStrengthFormulas : public tools::ToolWindow, public UcsReadingsListener {
    Q_OBJECT
public:
    explicit frmStrengthFormulas(QWidget* parent = nullptr);

    // Reads the screen's design and the window's fields and shows everything
    // again.
    void recompute();

    // UcsReadingsListener: the median shown follows the readings.
    void ucsReadingsChanged() override;

    // The comparison shown (none while a refusal is shown).
    const std::optional<evaluation::FormulaComparison>& comparison() const { return shown_; }
    // The inputs as the window last read them.
    evaluation::FormulaInputs inputs() const;
    // Whether each row is shown in the charts (the table's check marks).
    std::vector<bool> shownRows() const;

    enum Column { kName, kStrength, kFos, kDesignFos, kMeets, kDataRange, kNote, kColumns };

    QLabel* lblDesign = nullptr;
    QLineEdit* txtUCS = nullptr;
    QCheckBox* chkTypeUCS = nullptr;
    QLabel* lblUcsSource = nullptr;
    QLineEdit* txtLDF = nullptr;
    QCheckBox* chkScaleToUCS = nullptr;
    QCheckBox* chkUserFormula = nullptr;
    QComboBox* cboUserForm = nullptr;
    QLineEdit* txtUserConstant = nullptr;
    QLineEdit* txtUserA = nullptr;
    QLineEdit* txtUserB = nullptr;
    QLineEdit* txtUserFOS = nullptr;
    QLineEdit* txtUserFrom = nullptr;
    QLineEdit* txtUserTo = nullptr;
    QTableWidget* tblFormulas = nullptr;
    QLabel* lblMessage = nullptr;
    QTabWidget* tabCharts = nullptr;
    design::FormulaChart* chtStrength = nullptr;
    design::FormulaChart* chtStability = nullptr;

private:
    void sourceChanged() override { recompute(); }
    QWidget* buildInputs();
    QWidget* buildUserFormula();
    void refreshUcs();
    void fillTable(const evaluation::FormulaComparison& comparison);
    void redrawCharts();
    void showRefusal(const QString& message);
    void inputChanged() { changed_.start(); }

    QTimer changed_;
    std::optional<evaluation::FormulaComparison> shown_;
    std::vector<bool> checked_; // by row, kept across redraws
};

} // namespace vt
