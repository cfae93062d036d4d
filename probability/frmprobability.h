// The probability of failure of the design on a calculation screen: a
// distribution for each input that can change its FOS, the number of
// samples and the seed, a run on every core that can be followed and
// cancelled, and its results with the histogram, the report sentence and the
// exports.
//
// The window is a tool on the tool shell: it follows one screen at a time
// (the one whose "&Design" menu opened it), opens beside it and closes with
// it. The run samples the design as the screen held it when "Run" was
// pressed; a change of the screen's inputs cancels a run and empties the
// results, which no longer belong to what the screen shows, and so does an
// edit of the distributions, the samples or the seed. While a run goes, its
// inputs are locked.
//
// Its code is split by job: the input rows (inputrows.cpp), the layout
// (probabilitylayout.cpp), following the screen (here), the run
// (probabilityrun.cpp), the result texts (resulttexts.cpp) and the exports
// (probabilityexport.cpp).
#pragma once

#include "app/interfaces.h"
#include "app/toolsettings.h"
#include "probability/core/montecarlo.h"
#include "probability/core/report.h"
#include "probability/core/ucsfit.h"
#include "probability/histogramchart.h"
#include "probability/inputrows.h"
#include "tools/toolwindow.h"

#include <QElapsedTimer>
#include <QTimer>
#include <chrono>
#include <memory>
#include <optional>
#include <vector>

class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace vt {

// The UCS readings K is fitted to: those in the UCS dialog while it holds
// any; once "Accept" has closed it, those the screen's K was derived from.
probability::UcsReadings CurrentUcsReadings(const DesignSource* source);

class frmProbability : public tools::ToolWindow,
                       public UcsReadingsListener,
                       public KeptToolSettings {
    Q_OBJECT
public:
    explicit frmProbability(QWidget* parent = nullptr);
    ~frmProbability() override;

    // How long a run goes before its progress bar shows.
    std::chrono::milliseconds progressDelay{300};

    // The results shown, if any.
    const probability::RunResult* shownResult() const { return shown_ ? &shown_->result : nullptr; }
    bool running() const { return run_ != nullptr; }
    // Whether the progress bar has shown during the last run.
    bool progressShown() const { return progressShown_; }

    // UcsReadingsListener: the fit of K to the readings is shown again.
    void ucsReadingsChanged() override;

    // KeptToolSettings: "samples", "seed" and, under "inputs", each sampled
    // input's "distribution" (its kind's name) with its "cv", "lower" and
    // "upper" as typed: all a run depends on besides the screen's design.
    const DesignSource* settingsScreen() const override { return source(); }
    QJsonObject keptSettings() const override;
    void restoreSettings(const QJsonObject& settings) override;
    // The results shown, as the window shows them, and whether they belong
    // to the screen's design as it stands; none while no result is shown.
    struct ShownRun {
        // Drawn for the inputs the screen holds now (and, for the
        // interpolation, the modelling results loaded now).
        bool current = false;
        QStringList inputs; // each sampled input's distribution in words
        QString samples;    // "n of m samples gave a finite FOS (seed s)"
        QString withoutResult;
        std::vector<std::pair<QString, QString>> figures; // caption, shown text
        QString sentence;
        std::optional<probability::HistogramPicture> histogram;
        bool earlierSettings = false; // drawn with settings since edited
    };
    std::optional<ShownRun> shownRun() const;

private:
    // A run and its results belong to the inputs they were drawn for and,
    // on the interpolation screen, to the modelling results they used.
    struct Pending {
        probability::RunDescription description;
        evaluation::DesignTexts texts;
        std::shared_ptr<const results::ModellingResults> table;
        QStringList settings; // settingsNow() when the run was asked for
    };
    struct Shown : Pending {
        probability::RunResult result;
    };

    // Layout (probabilitylayout.cpp).
    QGroupBox* buildInputs();
    QGroupBox* buildRunBox();
    QGroupBox* buildResults();

    // Following the screen.
    void aboutToFollow(DesignSource* next) override;
    void sourceChanged() override;
    void refreshDesign();
    void refreshFit();
    void settingEdited();
    // The window's own settings as they stand: each sampled input's
    // distribution and parameters, the samples, the seed and, where K is
    // fitted to them, the UCS readings.
    QStringList settingsNow() const;
    // The rows of the inputs the screen's method samples, in order.
    std::vector<const probability::InputRow*> sampledRows() const;
    probability::InputRow* rowOf(evaluation::Input input);

    // The run (probabilityrun.cpp).
    void cmdRun_Click();
    void cmdCancel_Click();
    void cmdNewSeed_Click();
    std::optional<probability::Model> readModel(Pending& pending);
    void startRun(probability::Model model, probability::RunSettings settings, Pending pending);
    void pollRun();
    void finishRun();

    // Results.
    void showResults();
    void clearResults(const QString& status);
    void setResultTexts(const QStringList& texts);
    // Greys and marks results drawn with other settings than those shown.
    void markEarlierSettings();

    // Exports (probabilityexport.cpp).
    void cmdExportHistogram_Click();
    void cmdExportSummary_Click();

    QTimer designTimer_;

    std::vector<probability::InputRow> rows_;
    QGroupBox* fraResults_ = nullptr;
    QLabel* lblDesign_ = nullptr;
    QLabel* lblFit_ = nullptr;
    QGroupBox* fraInputs_ = nullptr;
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
    QLabel* lblEarlier_ = nullptr;
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
