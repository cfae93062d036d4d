// Solve for a target FOS: for the design on the calculation screen it
// follows, the smallest pillar width, the greatest depth and the widest bords
// for which the screen would flag neither the FOS nor the W:H, each with what
// the screen shows there and at the neighbouring grid value, or why there is
// no answer; Apply types an answer into the screen. On the tributary and
// interpolation screens a schedule by depth gives the smallest width for each
// depth of a range. "Undo apply" (Ctrl+Z in this window) types back the texts
// the fields held before, one Apply at a time, latest first.
#pragma once

#include "app/toolsettings.h"
#include "design/schedule.h"
#include "design/solve.h"
#include "tools/toolwindow.h"

#include <QTimer>
#include <array>
#include <utility>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTabWidget;

namespace vt {

class frmTargetFOS : public tools::ToolWindow, public KeptToolSettings {
    Q_OBJECT
public:
    explicit frmTargetFOS(QWidget* parent = nullptr);

    // KeptToolSettings: the target FOS, the minimum W:H and the plan grid.
    const DesignSource* settingsScreen() const override { return source(); }
    QJsonObject keptSettings() const override;
    void restoreSettings(const QJsonObject& settings) override;

    // Reads the screen's design and the settings and solves again.
    void solve();

    static constexpr int kQuestions = 3;
    const design::Answer& answer(int index) const {
        return answers_.at(static_cast<std::size_t>(index));
    }

    QLabel* lblDesign = nullptr;
    QLineEdit* txtTargetFOS = nullptr;
    QLineEdit* txtMinimumWH = nullptr;
    QLineEdit* txtPlanGrid = nullptr;
    QLabel* lblSettings = nullptr;
    std::array<QLabel*, kQuestions> lblAnswer{};
    std::array<QPushButton*, kQuestions> cmdApply{};
    QTabWidget* tabTarget = nullptr;
    QLineEdit* txtScheduleFrom = nullptr;
    QLineEdit* txtScheduleTo = nullptr;
    QLineEdit* txtScheduleStep = nullptr;
    QPushButton* cmdMakeSchedule = nullptr;
    QTableWidget* tblSchedule = nullptr;
    QPushButton* cmdApplySchedule = nullptr;
    QPushButton* cmdScheduleCSV = nullptr;
    QLabel* lblSchedule = nullptr;
    const std::vector<design::ScheduleRow>& schedule() const { return schedule_; }
    // Whether the user made a schedule (it is then made again with every
    // change, for the design as it stands).
    bool scheduleMade() const { return scheduleWanted_; }
    // Makes the schedule for the depths typed (and again whenever the
    // screen or the settings change).
    void makeSchedule();
    QPushButton* cmdUndoApply = nullptr;

private:
    // The texts an Apply typed over, as the fields held them.
    using Typed = std::vector<std::pair<evaluation::Input, QString>>;

    void sourceChanged() override { solve(); }
    // The answers to the three questions for the screen's design.
    void solveAnswers();
    void aboutToFollow(DesignSource* next) override;
    void cmdUndoApply_Click();
    QWidget* buildSettings();
    QWidget* buildAnswer(int index);
    void cmdApply_Click(int index);
    void showNoAnswers(const QString& why);
    QWidget* buildSchedule();
    void showSchedule(const QString& why);
    void cmdApplySchedule_Click();
    void cmdScheduleCSV_Click();

    QTimer settingsChanged_;
    std::array<design::Answer, kQuestions> answers_{};
    std::vector<design::ScheduleRow> schedule_;
    bool scheduleWanted_ = false;
    std::vector<Typed> undo_; // the latest last
    // Types `inputs` into the screen (an answer, a schedule's row), keeping
    // what they type over for "Undo apply".
    void applyTyped(DesignSource& source, const Typed& inputs);
};

} // namespace vt
