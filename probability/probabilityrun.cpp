// The run: the screen's design and the distributions read once at "Run",
// sampled on every core by a BackgroundRun that the window polls, and its
// result shown when it has finished (nothing of a cancelled run is shown).
#include "app/messages.h"
#include "app/programstate.h"
#include "probability/core/screendesign.h"
#include "probability/core/settings.h"
#include "probability/frmprobability.h"
#include "probability/resulttexts.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>

namespace vt {

using evaluation::Input;
using evaluation::NumberLocale;
using probability::DistributionKind;

std::optional<probability::Model> frmProbability::readModel(Pending& pending) {
    const NumberLocale locale = NumberLocale::Current();
    const evaluation::DesignTexts texts = source()->designTexts();
    const bool interpolation = texts.method == evaluation::Method::Interpolation;
    const auto design = probability::ReadScreenDesign(
        texts, locale, interpolation ? &State().ModellingResults : nullptr);
    if (!design) {
        ShowMessage(design.refusal().message, design.refusal().title);
        return std::nullopt;
    }
    probability::Model model;
    model.base = design->numbers;
    for (Input input : probability::SampledInputs(texts.method)) {
        const probability::InputRow& row = *rowOf(input);
        const double value = design->numbers.*probability::InputMember(input);
        evaluation::Step<probability::Distribution> d = probability::Distribution::Fixed(value);
        if (row.kind() == DistributionKind::FromReadings) {
            d = probability::FitReadings(CurrentUcsReadings(source()), locale);
        } else {
            d = probability::MakeDistribution(input, value, row.texts(), locale);
        }
        if (!d) {
            ShowMessage(d.refusal().message, d.refusal().title);
            return std::nullopt;
        }
        model.inputs.push_back({input, d.value()});
    }
    if (interpolation)
        model.table = std::make_shared<const results::ModellingResults>(State().ModellingResults);
    pending.texts = design->texts;
    pending.table = model.table;
    pending.description.screenTitle = sourceTitle();
    pending.description.screenFos = design->shown.factorOfSafety;
    pending.description.screenFosValue = design->shown.factorOfSafetyValue;
    pending.description.inputs = model.inputs;
    return model;
}

void frmProbability::cmdRun_Click() {
    if (run_)
        return;
    if (!source()) {
        ShowMessage(QStringLiteral("There is no calculation screen to take the design from"),
                    probability::kProbabilityTitle);
        return;
    }
    refreshFit(); // the UCS dialog's readings as they are now
    Pending pending;
    std::optional<probability::Model> model = readModel(pending);
    if (!model)
        return;
    const NumberLocale locale = NumberLocale::Current();
    const auto samples = probability::ReadSamples(txtSamples_->text(), locale);
    if (!samples) {
        ShowMessage(samples.refusal().message, samples.refusal().title);
        return;
    }
    const auto seed = probability::ReadSeed(txtSeed_->text(), locale);
    if (!seed) {
        ShowMessage(seed.refusal().message, seed.refusal().title);
        return;
    }
    probability::RunSettings settings;
    settings.samples = samples.value();
    settings.seed = seed.value();
    settings.threads = 0; // every core
    pending.description.settings = settings;
    pending.settings = settingsNow();
    startRun(std::move(*model), settings, std::move(pending));
}

void frmProbability::startRun(probability::Model model, probability::RunSettings settings,
                              Pending pending) {
    pending_ = std::move(pending);
    progressShown_ = false;
    prgRun_->setValue(0);
    cmdRun_->setEnabled(false);
    cmdCancel_->setEnabled(true);
    lblStatus_->setText(
        QStringLiteral("Running %1 samples...").arg(probability::ShowCount(settings.samples)));
    clock_.start();
    run_ = std::make_unique<probability::BackgroundRun>(std::move(model), settings);
    pollTimer_.start();
}

void frmProbability::cmdCancel_Click() {
    if (run_)
        run_->cancel();
}

void frmProbability::pollRun() {
    if (!run_)
        return;
    if (run_->finished()) {
        finishRun();
        return;
    }
    if (clock_.elapsed() >= progressDelay.count() && !prgRun_->isVisible()) {
        prgRun_->show();
        progressShown_ = true;
    }
    const auto share = static_cast<double>(run_->done()) / static_cast<double>(run_->samples());
    prgRun_->setValue(static_cast<int>(share * 1000));
}

void frmProbability::finishRun() {
    pollTimer_.stop();
    prgRun_->hide();
    cmdRun_->setEnabled(true);
    cmdCancel_->setEnabled(false);
    const std::unique_ptr<probability::BackgroundRun> run = std::move(run_);
    const double seconds = static_cast<double>(clock_.elapsed()) / 1000;
    if (run->result().cancelled || !pending_) {
        lblStatus_->setText(
            QStringLiteral("Cancelled after %1 of %2 samples; nothing of that run is shown")
                .arg(probability::ShowCount(run->done()), probability::ShowCount(run->samples())));
        pending_.reset();
        return;
    }
    shown_ = Shown{*pending_, run->result()};
    pending_.reset();
    showResults();
    lblStatus_->setText(QStringLiteral("%1 samples in %2 s")
                            .arg(probability::ShowCount(shown_->result.samples),
                                 evaluation::ShowResult(seconds, 2, NumberLocale::Current())));
}

void frmProbability::cmdNewSeed_Click() {
    txtSeed_->setText(QString::number(QRandomGenerator::global()->generate64()));
    settingEdited();
}

} // namespace vt
