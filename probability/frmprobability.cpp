#include "probability/frmprobability.h"

#include "app/filedialogs.h"
#include "app/messages.h"
#include "app/programstate.h"
#include "app/ui.h"
#include "evaluation/designfields.h"
#include "probability/core/screendesign.h"
#include "probability/core/settings.h"
#include "probability/core/ucsfit.h"
#include "storage/qtstorage.h"
#include "storage/qtstorage.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

namespace vt {

using evaluation::Input;
using evaluation::NumberLocale;
using probability::DistributionKind;

namespace {

// The part of an input's object names: cboDistributionK, txtCVDepth, ...
QString InputKey(Input input) {
    const evaluation::DesignField* field = evaluation::FieldOf(input);
    return field ? field->objectSuffix.toString() : QString();
}

QLineEdit* ParameterBox(const QString& name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setMaximumWidth(80);
    box->setEnabled(false);
    return box;
}

QLabel* ResultLabel(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(110);
    return label;
}

QPushButton* Button(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QString Count(std::uint64_t n) {
    return QLocale().toString(static_cast<qulonglong>(n));
}

QString WithError(const probability::Estimate& e, const NumberLocale& locale) {
    return QStringLiteral("%1 % (standard error %2 %)")
        .arg(probability::ShowPercent(e.value, locale),
             probability::ShowPercent(e.standardError, locale));
}

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

// The UCS readings K is fitted to: those in the UCS dialog while it holds
// any; once "Accept" has closed it, those the screen's K was derived from.
probability::UcsReadings CurrentUcsReadings(const DesignSource* source) {
    probability::UcsReadings ucs;
    if (auto* dialog = Windows().existing<UcsReadingsSource>(QStringLiteral("frmMedianUCS"))) {
        ucs.readings = dialog->ucsReadings();
        ucs.downgrade = dialog->downgradePercentage();
    }
    if (!ucs.readings.isEmpty())
        return ucs;
    if (const auto* screen = dynamic_cast<const StrengthConstantTarget*>(source)) {
        const StrengthConstantSource k = screen->strengthConstantSource();
        if (!k.typed())
            return {k.readings, k.downgrade};
    }
    return ucs;
}

} // namespace

frmProbability::frmProbability(QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Probability of failure"));
    lblDesign_ = new QLabel(this);
    lblDesign_->setObjectName(QStringLiteral("lblDesign"));
    lblDesign_->setWordWrap(true);

    auto* fraInputs = new QGroupBox(QStringLiteral("Inputs"), this);
    fraInputs->setObjectName(QStringLiteral("fraInputs"));
    auto* grid = new QGridLayout(fraInputs);
    buildInputs(grid);

    auto* left = new QVBoxLayout;
    left->addWidget(lblDesign_);
    left->addWidget(fraInputs);
    left->addWidget(buildRunBox());
    left->addStretch();
    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addWidget(buildResults(), 1);

    designTimer_.setSingleShot(true);
    designTimer_.setInterval(0);
    connect(&designTimer_, &QTimer::timeout, this, &frmProbability::refreshDesign);
    pollTimer_.setInterval(20);
    connect(&pollTimer_, &QTimer::timeout, this, &frmProbability::pollRun);
    clearResults(QString());
}

frmProbability::~frmProbability() = default;

void frmProbability::buildInputs(QGridLayout* grid) {
    const QStringList headers = {QStringLiteral("Input"),        QStringLiteral("On the screen"),
                                 QStringLiteral("Distribution"), QStringLiteral("CV (%)"),
                                 QStringLiteral("Lower bound"),  QStringLiteral("Upper bound")};
    for (int c = 0; c < headers.size(); ++c) {
        auto* header =
            new QLabel(QStringLiteral("<b>%1</b>").arg(headers[c]), grid->parentWidget());
        grid->addWidget(header, 0, c);
    }
    int line = 1;
    for (Input input : probability::UncertainInputs())
        addRow(grid, line++, input);
    lblFit_ = new QLabel(grid->parentWidget());
    lblFit_->setObjectName(QStringLiteral("lblFit"));
    lblFit_->setWordWrap(true);
    lblFit_->hide();
    grid->addWidget(lblFit_, line, 0, 1, static_cast<int>(headers.size()));
}

void frmProbability::addRow(QGridLayout* grid, int line, Input input) {
    QWidget* parent = grid->parentWidget();
    const QString key = InputKey(input);
    Row row{input};
    row.caption = new QLabel(evaluation::Caption(input), parent);
    row.value = new QLabel(parent);
    row.value->setObjectName(QStringLiteral("lblValue") + key);
    row.distribution = new QComboBox(parent);
    row.distribution->setObjectName(QStringLiteral("cboDistribution") + key);
    WheelOnlyWhenFocused(row.distribution);
    std::vector<DistributionKind> kinds = {DistributionKind::Fixed, DistributionKind::Normal,
                                           DistributionKind::Lognormal, DistributionKind::Uniform};
    if (input == Input::K)
        kinds.push_back(DistributionKind::FromReadings);
    for (DistributionKind kind : kinds)
        row.distribution->addItem(probability::KindName(kind), static_cast<int>(kind));
    row.coefficient = ParameterBox(QStringLiteral("txtCV") + key, parent);
    row.lower = ParameterBox(QStringLiteral("txtLower") + key, parent);
    row.upper = ParameterBox(QStringLiteral("txtUpper") + key, parent);
    QWidget* const cells[] = {row.caption,     row.value, row.distribution,
                              row.coefficient, row.lower, row.upper};
    for (int c = 0; c < 6; ++c)
        grid->addWidget(cells[c], line, c);
    rows_.push_back(row);
    connect(row.distribution, &QComboBox::currentIndexChanged, this,
            [this, input] { cboDistribution_Change(*rowOf(input)); });
}

QWidget* frmProbability::buildRunBox() {
    auto* fraRun = new QGroupBox(QStringLiteral("Run"), this);
    fraRun->setObjectName(QStringLiteral("fraRun"));
    auto* grid = new QGridLayout(fraRun);
    txtSamples_ = new QLineEdit(QString::number(probability::kDefaultSamples), fraRun);
    txtSamples_->setObjectName(QStringLiteral("txtSamples"));
    txtSeed_ = new QLineEdit(QStringLiteral("1"), fraRun);
    txtSeed_->setObjectName(QStringLiteral("txtSeed"));
    for (QLineEdit* box : {txtSamples_, txtSeed_})
        box->setMaximumWidth(200);
    cmdNewSeed_ = Button(QStringLiteral("cmdNewSeed"), QStringLiteral("New seed"), fraRun);
    cmdRun_ = Button(QStringLiteral("cmdRun"), QStringLiteral("&Run"), fraRun);
    cmdCancel_ = Button(QStringLiteral("cmdCancel"), QStringLiteral("&Cancel"), fraRun);
    cmdCancel_->setEnabled(false);
    prgRun_ = new QProgressBar(fraRun);
    prgRun_->setObjectName(QStringLiteral("prgRun"));
    prgRun_->setRange(0, 1000);
    prgRun_->setTextVisible(false);
    prgRun_->hide();
    lblStatus_ = new QLabel(fraRun);
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    lblStatus_->setWordWrap(true);
    grid->addWidget(new QLabel(QStringLiteral("Samples"), fraRun), 0, 0);
    grid->addWidget(txtSamples_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Seed"), fraRun), 1, 0);
    grid->addWidget(txtSeed_, 1, 1);
    grid->addWidget(cmdNewSeed_, 1, 2);
    grid->addWidget(cmdRun_, 0, 3);
    grid->addWidget(cmdCancel_, 1, 3);
    grid->addWidget(prgRun_, 2, 0, 1, 4);
    grid->addWidget(lblStatus_, 3, 0, 1, 4);
    connect(cmdRun_, &QPushButton::clicked, this, &frmProbability::cmdRun_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmProbability::cmdCancel_Click);
    connect(cmdNewSeed_, &QPushButton::clicked, this, &frmProbability::cmdNewSeed_Click);
    return fraRun;
}

QWidget* frmProbability::buildResults() {
    auto* fraResults = new QGroupBox(QStringLiteral("Results"), this);
    fraResults->setObjectName(QStringLiteral("fraResults"));
    auto* grid = new QGridLayout(fraResults);
    const std::pair<QLabel**, const char*> labels[] = {
        {&lblFailure_, "P(FOS < 1)"},
        {&lblBelowLimit_, "P(FOS < 1.6)"},
        {&lblMean_, "Mean FOS"},
        {&lblStandardDeviation_, "Standard deviation"},
        {&lblQuantile5_, "5 % quantile"},
        {&lblMedian_, "Median (50 %)"},
        {&lblWidthHeightShare_, "Share with W:H < 2.5"},
        {&lblSquatShare_, "Share on the squat pillar formula"},
    };
    const char* const names[] = {"lblFailure",           "lblBelowLimit", "lblMean",
                                 "lblStandardDeviation", "lblQuantile5",  "lblMedian",
                                 "lblWidthHeightShare",  "lblSquatShare"};
    // The two probabilities on lines of their own, the rest in pairs.
    const int places[8][3] = {{0, 0, 3}, {1, 0, 3}, {2, 0, 1}, {2, 2, 1},
                              {3, 0, 1}, {3, 2, 1}, {4, 0, 1}, {4, 2, 1}};
    for (int i = 0; i < 8; ++i) {
        const auto [line, column, span] = places[i];
        grid->addWidget(new QLabel(QString::fromUtf8(labels[i].second), fraResults), line, column);
        *labels[i].first = ResultLabel(QString::fromLatin1(names[i]), fraResults);
        grid->addWidget(*labels[i].first, line, column + 1, 1, span);
    }
    lblSamples_ = ResultLabel(QStringLiteral("lblSamples"), fraResults);
    lblWithoutResult_ = ResultLabel(QStringLiteral("lblWithoutResult"), fraResults);
    lblWithoutResult_->setWordWrap(true);
    // Room for two lines from the start, so that a run's reasons do not
    // squeeze the histogram.
    lblWithoutResult_->setMinimumHeight(lblWithoutResult_->fontMetrics().lineSpacing() * 2);
    lblWithoutResult_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picHistogram_ = new probability::HistogramView(fraResults);
    picHistogram_->setObjectName(QStringLiteral("picHistogram"));
    txtSentence_ = new QPlainTextEdit(fraResults);
    txtSentence_->setObjectName(QStringLiteral("txtSentence"));
    txtSentence_->setReadOnly(true);
    txtSentence_->setFixedHeight(txtSentence_->fontMetrics().lineSpacing() * 6 + 12);
    cmdExportHistogram_ = Button(QStringLiteral("cmdExportHistogram"),
                                 QStringLiteral("Export &histogram..."), fraResults);
    cmdExportSummary_ = Button(QStringLiteral("cmdExportSummary"),
                               QStringLiteral("Export &summary (CSV)..."), fraResults);
    grid->addWidget(lblSamples_, 5, 0, 1, 4);
    grid->addWidget(lblWithoutResult_, 6, 0, 1, 4);
    grid->addWidget(picHistogram_, 7, 0, 1, 4);
    grid->addWidget(txtSentence_, 8, 0, 1, 4);
    auto* exports = new QHBoxLayout;
    exports->addStretch();
    exports->addWidget(cmdExportHistogram_);
    exports->addWidget(cmdExportSummary_);
    grid->addLayout(exports, 9, 0, 1, 4);
    grid->setRowStretch(7, 1);
    connect(cmdExportHistogram_, &QPushButton::clicked, this,
            &frmProbability::cmdExportHistogram_Click);
    connect(cmdExportSummary_, &QPushButton::clicked, this,
            &frmProbability::cmdExportSummary_Click);
    return fraResults;
}

frmProbability::Row* frmProbability::rowOf(Input input) {
    for (Row& row : rows_)
        if (row.input == input)
            return &row;
    return nullptr;
}

// ---------------------------------------------------------------------------
// Following the screen

void frmProbability::follow(DesignSource* source) {
    if (source == source_ && sourceGuard_)
        return;
    disconnect(sourceConnection_);
    source_ = source;
    sourceGuard_ = dynamic_cast<QObject*>(source);
    // A run for the screen followed before is of no use any more.
    if (run_)
        run_->cancel();
    pending_.reset();
    clearResults(QString());
    if (source_)
        sourceConnection_ = source_->onDesignChanged(this, [this] { designChanged(); });
    const std::vector<Input> used =
        source_ ? probability::UncertainInputs(source_->designTexts().method)
                : std::vector<Input>{};
    for (Row& row : rows_) {
        const bool shown = std::find(used.begin(), used.end(), row.input) != used.end();
        for (QWidget* w :
             {static_cast<QWidget*>(row.caption), static_cast<QWidget*>(row.value),
              static_cast<QWidget*>(row.distribution), static_cast<QWidget*>(row.coefficient),
              static_cast<QWidget*>(row.lower), static_cast<QWidget*>(row.upper)})
            w->setVisible(shown);
    }
    setWindowTitle(QStringLiteral("Probability of failure - %1").arg(sourceTitle()));
    refreshDesign();
}

QString frmProbability::sourceTitle() const {
    if (auto* window = dynamic_cast<const QWidget*>(source_); window && sourceGuard_)
        return window->windowTitle();
    return {};
}

void frmProbability::designChanged() {
    designTimer_.start();
}

void frmProbability::refreshDesign() {
    if (!source_ || !sourceGuard_) {
        lblDesign_->setText(QStringLiteral("No calculation screen"));
        return;
    }
    const evaluation::DesignTexts texts = evaluation::AsOnScreen(source_->designTexts());
    for (Row& row : rows_)
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
    Row* k = rowOf(Input::K);
    const bool fromReadings =
        k->distribution->currentData().toInt() == static_cast<int>(DistributionKind::FromReadings);
    lblFit_->setVisible(fromReadings);
    if (!fromReadings)
        return;
    const auto fit = probability::FitReadings(CurrentUcsReadings(sourceGuard_ ? source_ : nullptr),
                                              NumberLocale::Current());
    lblFit_->setText(fit ? QStringLiteral("K: %1; the K on the screen is not used.")
                               .arg(probability::DescribeFit(fit.value(), NumberLocale::Current()))
                         : fit.refusal().message);
}

void frmProbability::cboDistribution_Change(Row& row) {
    const auto kind = static_cast<DistributionKind>(row.distribution->currentData().toInt());
    const bool byCoefficient =
        kind == DistributionKind::Normal || kind == DistributionKind::Lognormal;
    const bool uniform = kind == DistributionKind::Uniform;
    row.coefficient->setEnabled(byCoefficient);
    row.lower->setEnabled(uniform);
    row.upper->setEnabled(uniform);
    if (byCoefficient && row.coefficient->text().isEmpty())
        row.coefficient->setText(QStringLiteral("10"));
    const NumberLocale locale = NumberLocale::Current();
    const auto value = evaluation::ReadDouble(row.value->text(), locale);
    if (uniform && value && row.lower->text().isEmpty() && row.upper->text().isEmpty()) {
        // Ten per cent either side of the screen's value, to start from.
        const double a = value.value * 0.9;
        const double b = value.value * 1.1;
        row.lower->setText(evaluation::ShowResult(std::min(a, b), 3, locale));
        row.upper->setText(evaluation::ShowResult(std::max(a, b), 3, locale));
    }
    if (row.input == Input::K)
        refreshFit();
}

// ---------------------------------------------------------------------------
// Running

std::optional<probability::Model> frmProbability::readModel(Pending& pending) {
    const NumberLocale locale = NumberLocale::Current();
    const evaluation::DesignTexts texts = source_->designTexts();
    const bool interpolation = texts.method == evaluation::Method::Interpolation;
    const auto design = probability::ReadScreenDesign(
        texts, locale, interpolation ? &State().ModellingResults : nullptr);
    if (!design) {
        ShowMessage(design.refusal().message, design.refusal().title);
        return std::nullopt;
    }
    probability::Model model;
    model.base = design->numbers;
    for (Input input : probability::UncertainInputs(texts.method)) {
        Row& row = *rowOf(input);
        const auto kind = static_cast<DistributionKind>(row.distribution->currentData().toInt());
        const double value = design->numbers.*probability::InputMember(input);
        evaluation::Step<probability::Distribution> d = probability::Distribution::Fixed(value);
        if (kind == DistributionKind::FromReadings) {
            d = probability::FitReadings(CurrentUcsReadings(source_), locale);
        } else {
            d = probability::MakeDistribution(
                input, value, {kind, row.coefficient->text(), row.lower->text(), row.upper->text()},
                locale);
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
    if (!source_ || !sourceGuard_) {
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
    startRun(std::move(*model), settings, std::move(pending));
}

void frmProbability::startRun(probability::Model model, probability::RunSettings settings,
                              Pending pending) {
    pending_ = std::move(pending);
    progressShown_ = false;
    prgRun_->setValue(0);
    cmdRun_->setEnabled(false);
    cmdCancel_->setEnabled(true);
    lblStatus_->setText(QStringLiteral("Running %1 samples...").arg(Count(settings.samples)));
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
                .arg(Count(run->done()), Count(run->samples())));
        pending_.reset();
        return;
    }
    shown_ = Shown{*pending_, run->result()};
    pending_.reset();
    showResults();
    lblStatus_->setText(QStringLiteral("%1 samples in %2 s")
                            .arg(Count(shown_->result.samples),
                                 evaluation::ShowResult(seconds, 2, NumberLocale::Current())));
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
    lblSamples_->setText(QStringLiteral("%1 of %2 samples gave a finite FOS (seed %3)")
                             .arg(Count(r.finite), Count(r.samples),
                                  QString::number(shown_->description.settings.seed)));
    QStringList without;
    for (const probability::StopCount& c : r.withoutResult)
        without << QStringLiteral("%1 without an FOS: %2")
                       .arg(Count(c.count), probability::StopReason(c));
    lblWithoutResult_->setText(without.join(QLatin1Char('\n')));
    txtSentence_->setPlainText(probability::ReportSentence(shown_->description, r, locale));
    cmdExportSummary_->setEnabled(true);
    if (r.finite == 0) {
        setResultTexts({});
        picHistogram_->clear();
        cmdExportHistogram_->setEnabled(false);
        return;
    }
    auto fos = [&locale](double v) { return evaluation::ShowResult(v, 2, locale); };
    setResultTexts(
        {WithError(r.failure, locale), WithError(r.belowSafetyLimit, locale), fos(r.mean),
         evaluation::ShowResult(r.standardDeviation, 3, locale),
         fos(static_cast<double>(r.quantile5)), fos(static_cast<double>(r.median)),
         probability::ShowPercent(r.shareWidthHeightTooSmall, locale) + QStringLiteral(" %"),
         probability::ShowPercent(r.shareSquat, locale) + QStringLiteral(" %")});
    probability::HistogramPicture picture;
    picture.histogram = r.histogram;
    picture.samples = r.finite;
    picture.screenFos = static_cast<double>(shown_->description.screenFosValue);
    picture.screenFosText = shown_->description.screenFos;
    picHistogram_->setPicture(picture);
    cmdExportHistogram_->setEnabled(true);
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
    if (!run_)
        lblStatus_->setText(status);
}

void frmProbability::cmdNewSeed_Click() {
    txtSeed_->setText(QString::number(QRandomGenerator::global()->generate64()));
}

void frmProbability::cmdExportHistogram_Click() {
    if (!shown_ || !picHistogram_->hasPicture())
        return;
    const QString svgFilter = QStringLiteral("SVG drawing (*.svg)");
    const FileAnswer answer = AskForFile(this, {FileQuestion::Kind::Save,
                                                QStringLiteral("Export the histogram"),
                                                QString(),
                                                {QStringLiteral("PNG image (*.png)"), svgFilter},
                                                QString()});
    QString path = answer.path;
    if (path.isEmpty())
        return;
    const QString suffix = QFileInfo(path).suffix();
    const bool svg = suffix.compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0 ||
                     (suffix.isEmpty() && answer.filter == svgFilter);
    if (svg && suffix.isEmpty())
        path += QStringLiteral(".svg");
    else if (!svg && suffix.compare(QLatin1String("png"), Qt::CaseInsensitive) != 0)
        path += QStringLiteral(".png");
    QString error;
    const NumberLocale locale = NumberLocale::Current();
    const bool saved =
        svg ? probability::SaveHistogramSvg(path, picHistogram_->picture(), locale, &error)
            : probability::SaveHistogramPng(path, picHistogram_->picture(), locale, &error);
    if (!saved)
        ShowMessage(
            QStringLiteral("The histogram could not be saved as \"%1\": %2").arg(path, error),
            probability::kProbabilityTitle);
}

void frmProbability::cmdExportSummary_Click() {
    if (!shown_)
        return;
    const QString path = AskForFile(this, {FileQuestion::Kind::Save,
                                           QStringLiteral("Export the summary"),
                                           QString(),
                                           {QStringLiteral("CSV file (*.csv)")},
                                           QStringLiteral("csv")})
                             .path;
    if (path.isEmpty())
        return;
    QString error;
    if (!storage::Save(path, probability::SummaryCsv(shown_->description, shown_->result).toUtf8(),
                       &error))
        ShowMessage(QStringLiteral("The summary could not be saved as \"%1\": %2").arg(path, error),
                    probability::kProbabilityTitle);
}

} // namespace vt
