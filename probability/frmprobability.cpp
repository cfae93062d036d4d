// Following the screen: the design it shows, the fit of K to the UCS
// readings, and the results that no longer belong to what is shown.
#include "probability/frmprobability.h"

#include "app/programstate.h"
#include "app/ucsreadings.h"
#include "evaluation/designfields.h"
#include "probability/core/report.h"
#include "probability/core/screendesign.h"
#include "probability/resulttexts.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

namespace vt {

using evaluation::Input;
using evaluation::NumberLocale;
using probability::DistributionKind;

namespace {

// Whether two designs have the same inputs, those the sampling takes and the
// formula variables.
bool SameInputs(const evaluation::DesignTexts& a, const evaluation::DesignTexts& b) {
    if (a.method != b.method)
        return false;
    for (Input input : probability::UncertainInputs(a.method))
        if (probability::InputText(a, input) != probability::InputText(b, input))
            return false;
    return a.alpha == b.alpha && a.beta == b.beta && a.squatStart == b.squatStart &&
           a.increaseRate == b.increaseRate;
}

// Whether a run's modelling results are still the loaded ones (a run on
// another screen used none).
bool SameTable(const std::shared_ptr<const results::ModellingResults>& used) {
    if (!used)
        return true;
    const results::ModellingResults& now = State().ModellingResults;
    return used->FileName == now.FileName && used->FileText == now.FileText;
}

} // namespace

probability::UcsReadings CurrentUcsReadings(const DesignSource* source) {
    UcsReadingTexts ucs = UcsReadingsFor(source);
    return {std::move(ucs.readings), std::move(ucs.downgrade)};
}

frmProbability::~frmProbability() = default;

probability::InputRow* frmProbability::rowOf(Input input) {
    for (probability::InputRow& row : rows_)
        if (row.input == input)
            return &row;
    return nullptr;
}

void frmProbability::aboutToFollow(DesignSource* next) {
    if (next && next == source())
        return;
    // A run for the screen followed before is of no use any more.
    if (run_)
        run_->cancel();
    pending_.reset();
    clearResults(QString());
    const std::vector<Input> used =
        next ? probability::SampledInputs(next->designTexts().method) : std::vector<Input>{};
    for (const probability::InputRow& row : rows_)
        row.setVisible(std::find(used.begin(), used.end(), row.input) != used.end());
}

void frmProbability::sourceChanged() {
    setWindowTitle(QStringLiteral("Probability of failure - %1").arg(sourceTitle()));
    refreshDesign();
}

void frmProbability::ucsReadingsChanged() {
    designTimer_.start();
}

void frmProbability::refreshDesign() {
    DesignSource* screen = source();
    if (!screen) {
        lblDesign_->setText(QStringLiteral("No calculation screen"));
        return;
    }
    const evaluation::DesignTexts texts = evaluation::AsOnScreen(screen->designTexts());
    for (probability::InputRow& row : rows_)
        row.value->setText(probability::InputText(texts, row.input));
    const NumberLocale locale = NumberLocale::Current();
    const evaluation::Evaluation e = evaluation::Evaluate(texts, locale, &State().ModellingResults);
    if (e.complete())
        lblDesign_->setText(QStringLiteral("The design on the %1 screen: FOS %2")
                                .arg(sourceTitle(), e.factorOfSafety));
    else
        lblDesign_->setText(
            QStringLiteral("The design on the %1 screen has no FOS yet").arg(sourceTitle()));
    // Results and a run belong to the inputs they were drawn for and the
    // modelling results they used.
    auto differs = [&texts](const evaluation::DesignTexts& t) { return !SameInputs(t, texts); };
    if (run_ && pending_ && (differs(pending_->texts) || !SameTable(pending_->table))) {
        run_->cancel();
        pending_.reset();
    }
    if (shown_ && differs(shown_->texts))
        clearResults(QStringLiteral("The design on the screen has changed since the last run"));
    else if (shown_ && !SameTable(shown_->table))
        clearResults(QStringLiteral("The modelling results have changed since the last run"));
    refreshFit();
}

void frmProbability::refreshFit() {
    const probability::InputRow* k = rowOf(Input::K);
    const bool fromReadings = k->kind() == DistributionKind::FromReadings;
    lblFit_->setVisible(fromReadings);
    if (!fromReadings)
        return;
    const auto fit =
        probability::FitReadings(CurrentUcsReadings(source()), NumberLocale::Current());
    lblFit_->setText(fit ? QStringLiteral("K: %1; the K on the screen is not used.")
                               .arg(probability::DescribeFit(fit.value(), NumberLocale::Current()))
                         : fit.refusal().message);
    markEarlierSettings();
}

void frmProbability::settingEdited() {
    markEarlierSettings();
}

std::vector<const probability::InputRow*> frmProbability::sampledRows() const {
    DesignSource* screen = source();
    const std::vector<Input> sampled =
        screen ? probability::SampledInputs(screen->designTexts().method) : std::vector<Input>{};
    std::vector<const probability::InputRow*> rows;
    for (const probability::InputRow& row : rows_)
        if (std::find(sampled.begin(), sampled.end(), row.input) != sampled.end())
            rows.push_back(&row);
    return rows;
}

QJsonObject frmProbability::keptSettings() const {
    QJsonObject inputs;
    for (const probability::InputRow* sampledRow : sampledRows()) {
        const probability::InputRow& row = *sampledRow;
        const probability::DistributionTexts t = row.texts();
        inputs.insert(QLatin1String(evaluation::FieldOf(row.input)->name),
                      QJsonObject{{QStringLiteral("distribution"), probability::KindName(t.kind)},
                                  {QStringLiteral("cv"), t.coefficient},
                                  {QStringLiteral("lower"), t.lower},
                                  {QStringLiteral("upper"), t.upper}});
    }
    return {{QStringLiteral("samples"), txtSamples_->text()},
            {QStringLiteral("seed"), txtSeed_->text()},
            {QStringLiteral("inputs"), inputs}};
}

void frmProbability::restoreSettings(const QJsonObject& settings) {
    QString text;
    if (KeptText(settings, "samples", &text))
        txtSamples_->setText(text);
    if (KeptText(settings, "seed", &text))
        txtSeed_->setText(text);
    const QJsonObject inputs = settings.value(QStringLiteral("inputs")).toObject();
    for (probability::InputRow& row : rows_) {
        const QJsonObject kept =
            inputs.value(QLatin1String(evaluation::FieldOf(row.input)->name)).toObject();
        // The parameters first: a kind chosen fills only empty ones.
        if (KeptText(kept, "cv", &text))
            row.coefficient->setText(text);
        if (KeptText(kept, "lower", &text))
            row.lower->setText(text);
        if (KeptText(kept, "upper", &text))
            row.upper->setText(text);
        if (KeptText(kept, "distribution", &text))
            for (int i = 0; i < row.distribution->count(); ++i)
                if (row.distribution->itemText(i) == text)
                    row.distribution->setCurrentIndex(i);
        row.kindChanged();
    }
    settingEdited();
}

QStringList frmProbability::settingsNow() const {
    QStringList settings;
    for (const probability::InputRow* sampledRow : sampledRows()) {
        const probability::InputRow& row = *sampledRow;
        const probability::DistributionTexts t = row.texts();
        settings << probability::InputKey(row.input) << QString::number(static_cast<int>(t.kind));
        switch (t.kind) {
        case DistributionKind::Normal:
        case DistributionKind::Lognormal:
            settings << t.coefficient;
            break;
        case DistributionKind::Uniform:
            settings << t.lower << t.upper;
            break;
        case DistributionKind::FromReadings: {
            const probability::UcsReadings ucs = CurrentUcsReadings(source());
            settings << ucs.readings << ucs.downgrade;
            break;
        }
        case DistributionKind::Fixed:
            break;
        }
    }
    settings << txtSamples_->text() << txtSeed_->text();
    return settings;
}

void frmProbability::markEarlierSettings() {
    const bool earlier = shown_ && shown_->settings != settingsNow();
    lblEarlier_->setVisible(earlier);
    for (QWidget* w : fraResults_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (w != lblEarlier_ && !qobject_cast<QPushButton*>(w))
            w->setEnabled(!earlier);
}

// ---------------------------------------------------------------------------
// Results

void frmProbability::setResultTexts(const QStringList& texts) {
    QLabel* const labels[] = {lblFailure_,           lblBelowLimit_, lblMean_,
                              lblStandardDeviation_, lblQuantile5_,  lblMedian_,
                              lblWidthHeightShare_,  lblSquatShare_};
    for (int i = 0; i < 8; ++i)
        labels[i]->setText(i < texts.size() ? texts[i] : QString());
}

void frmProbability::showResults() {
    const NumberLocale locale = NumberLocale::Current();
    const probability::RunResult& r = shown_->result;
    const probability::ResultTexts texts =
        probability::ShowRunResult(r, shown_->description.settings.seed, locale);
    lblSamples_->setText(texts.samples);
    lblWithoutResult_->setText(texts.withoutResult);
    txtSentence_->setPlainText(probability::ReportSentence(shown_->description, r, locale));
    cmdExportSummary_->setEnabled(true);
    setResultTexts(texts.values);
    if (r.finite == 0) {
        picHistogram_->clear();
        cmdExportHistogram_->setEnabled(false);
        return;
    }
    probability::HistogramPicture picture;
    picture.histogram = r.histogram;
    picture.samples = r.finite;
    picture.screenFos = static_cast<double>(shown_->description.screenFosValue);
    picture.screenFosText = shown_->description.screenFos;
    picHistogram_->setPicture(picture);
    cmdExportHistogram_->setEnabled(true);
    markEarlierSettings();
}

std::optional<frmProbability::ShownRun> frmProbability::shownRun() const {
    if (!shown_)
        return std::nullopt;
    ShownRun run;
    run.current =
        source() && SameInputs(shown_->texts, source()->designTexts()) && SameTable(shown_->table);
    const NumberLocale locale = NumberLocale::Current();
    for (const probability::UncertainInput& input : shown_->description.inputs)
        run.inputs << probability::DescribeInput(input, locale);
    run.samples = lblSamples_->text();
    run.withoutResult = lblWithoutResult_->text();
    const QLabel* const labels[] = {lblFailure_,           lblBelowLimit_, lblMean_,
                                    lblStandardDeviation_, lblQuantile5_,  lblMedian_,
                                    lblWidthHeightShare_,  lblSquatShare_};
    for (std::size_t i = 0; i < std::size(labels); ++i)
        if (!labels[i]->text().isEmpty())
            run.figures.emplace_back(QString::fromUtf8(probability::kResultCaptions[i]),
                                     labels[i]->text());
    run.sentence = txtSentence_->toPlainText();
    if (picHistogram_->hasPicture())
        run.histogram = picHistogram_->picture();
    run.earlierSettings = !lblEarlier_->isHidden();
    return run;
}

void frmProbability::clearResults(const QString& status) {
    shown_.reset();
    setResultTexts({});
    lblSamples_->clear();
    lblWithoutResult_->clear();
    txtSentence_->clear();
    picHistogram_->clear();
    cmdExportHistogram_->setEnabled(false);
    cmdExportSummary_->setEnabled(false);
    markEarlierSettings();
    if (!run_)
        lblStatus_->setText(status);
}

} // namespace vt
