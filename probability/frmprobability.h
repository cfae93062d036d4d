// The probability of failure of the design on a calculation screen: a
// distribution for each of its inputs, the number of samples and the seed,
// a run on every core that can be followed and cancelled, and its results
// with the histogram, the report sentence and the exports.
//
// The window follows one screen at a time (the one whose "&Design" menu
// opened it). The run samples the design as the screen held it when "Run"
// was pressed; a change of the screen's inputs cancels a run and empties
// the results, which no longer belong to what the screen shows.
#pragma once

#include "app/interfaces.h"
#include "probability/core/montecarlo.h"
#include "probability/core/report.h"
#include "probability/histogramchart.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace vt {

class frmProbability : public QWidget, public DesignTool {
    Q_OBJECT
public:
    explicit frmProbability(QWidget* parent = nullptr);
    ~frmProbability() override;

    // DesignTool: works for this screen from now on.
    void follow(DesignSource* source) override;

    // How long a run goes before its progress bar shows.
    std::chrono::milliseconds progressDelay{300};

    // The results shown, if any.
    const probability::RunResult* shownResult() const { return shown_ ? &shown_->result : nullptr; }
    bool running() const { return run_ != nullptr; }
    // Whether the progress bar has shown during the last run.
    bool progressShown() const { return progressShown_; }

private:
    struct Row {
        evaluation::Input input;
        QLabel* caption = nullptr;
        QLabel* value = nullptr;
        QComboBox* distribution = nullptr;
        QLineEdit* coefficient = nullptr;
        QLineEdit* lower = nullptr;
        QLineEdit* upper = nullptr;
    };
    // A run and its results belong to the inputs they were drawn for and,
    // on the interpolation screen, to the modelling results they used.
    struct Pending {
        probability::RunDescription description;
        evaluation::DesignTexts texts;
        std::shared_ptr<const results::ModellingResults> table;
    };
    struct Shown : Pending {
        probability::RunResult result;
    };

    void buildInputs(QGridLayout* grid);
    QWidget* buildRunBox();
    QWidget* buildResults();
    void addRow(QGridLayout* grid, int line, evaluation::Input input);

    void cmdRun_Click();
    void cmdCancel_Click();
    void cmdNewSeed_Click();
    void cmdExportHistogram_Click();
    void cmdExportSummary_Click();
    void cboDistribution_Change(Row& row);

    void designChanged();
    void refreshDesign();
    void refreshFit();
    std::optional<probability::Model> readModel(Pending& pending);
    void startRun(probability::Model model, probability::RunSettings settings, Pending pending);
    void pollRun();
    void finishRun();
    void showResults();
    void clearResults(const QString& status);
    void setResultTexts(const QStringList& texts);
    QString sourceTitle() const;
    Row* rowOf(evaluation::Input input);

    DesignSource* source_ = nullptr;
    QPointer<QObject> sourceGuard_;
    QMetaObject::Connection sourceConnection_;
    QTimer designTimer_;

    std::vector<Row> rows_;
    QLabel* lblDesign_ = nullptr;
    QLabel* lblFit_ = nullptr;
    QLineEdit* txtSamples_ = nullptr;
    QLineEdit* txtSeed_ = nullptr;
    QPushButton* cmdNewSeed_ = nullptr;
    QPushButton* cmdRun_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QProgressBar* prgRun_ = nullptr;
    QLabel* lblStatus_ = nullptr;

    QLabel* lblFailure_ = nullptr;
    QLabel* lblBelowLimit_ = nullptr;
    QLabel* lblMean_ = nullptr;
    QLabel* lblStandardDeviation_ = nullptr;
    QLabel* lblQuantile5_ = nullptr;
    QLabel* lblMedian_ = nullptr;
    QLabel* lblWidthHeightShare_ = nullptr;
    QLabel* lblSquatShare_ = nullptr;
    QLabel* lblSamples_ = nullptr;
    QLabel* lblWithoutResult_ = nullptr;
    probability::HistogramView* picHistogram_ = nullptr;
    QPlainTextEdit* txtSentence_ = nullptr;
    QPushButton* cmdExportHistogram_ = nullptr;
    QPushButton* cmdExportSummary_ = nullptr;

    std::unique_ptr<probability::BackgroundRun> run_;
    std::optional<Pending> pending_;
    std::optional<Shown> shown_;
    QTimer pollTimer_;
    QElapsedTimer clock_;
    bool progressShown_ = false;
};

} // namespace vt
