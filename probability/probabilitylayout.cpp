// The probability window's layout: the design and its inputs with the run on
// the left (scrolled when the display is low), the results on the right. It
// fits whole on a 1024 x 768 display.
#include "app/userguide.h"
#include "probability/core/screendesign.h"
#include "probability/frmprobability.h"
#include "probability/resulttexts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace vt {

using evaluation::Input;

namespace {

QLabel* ResultLabel(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(110);
    label->setWordWrap(true); // a narrow window puts the standard error on a line of its own
    return label;
}

QPushButton* Button(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

} // namespace

frmProbability::frmProbability(QWidget* parent)
    : ToolWindow(guide::kProbability, parent) {
    setWindowTitle(QStringLiteral("Probability of failure"));
    auto* settings = new QWidget;
    lblDesign_ = new QLabel(settings);
    lblDesign_->setObjectName(QStringLiteral("lblDesign"));
    lblDesign_->setWordWrap(true);
    auto* left = new QVBoxLayout(settings);
    left->setContentsMargins(0, 0, 0, 0);
    left->addWidget(lblDesign_);
    left->addWidget(buildInputs());
    left->addWidget(buildRunBox());
    left->addStretch();
    // The settings scroll up and down where the display is low; they are
    // never narrower than they need.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scrSettings"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(settings);
    scroll->setMinimumWidth(settings->minimumSizeHint().width() +
                            scroll->verticalScrollBar()->sizeHint().width());
    auto* top = new QHBoxLayout(this);
    top->addWidget(scroll);
    top->addWidget(buildResults(), 1);

    designTimer_.setSingleShot(true);
    designTimer_.setInterval(0);
    connect(&designTimer_, &QTimer::timeout, this, &frmProbability::refreshDesign);
    pollTimer_.setInterval(20);
    connect(&pollTimer_, &QTimer::timeout, this, &frmProbability::pollRun);
    clearResults(QString());
    // Room for the results beside the inputs, within a 1024 x 768 display.
    resize(QSize(980, 680).expandedTo(minimumSizeHint()));
}

QGroupBox* frmProbability::buildInputs() {
    fraInputs_ = new QGroupBox(QStringLiteral("Inputs"));
    fraInputs_->setObjectName(QStringLiteral("fraInputs"));
    auto* grid = new QGridLayout(fraInputs_);
    const int columns = probability::InputRow::AddHeaders(grid);
    int line = 1;
    for (Input input : probability::UncertainInputs()) {
        rows_.push_back(probability::InputRow::Make(grid, line++, input));
        const probability::InputRow& row = rows_.back();
        connect(row.distribution, &QComboBox::currentIndexChanged, this, [this, input] {
            rowOf(input)->kindChanged();
            if (input == Input::K)
                refreshFit();
            settingEdited();
        });
        for (QLineEdit* box : {row.coefficient, row.lower, row.upper})
            connect(box, &QLineEdit::textEdited, this, &frmProbability::settingEdited);
    }
    lblFit_ = new QLabel(fraInputs_);
    lblFit_->setObjectName(QStringLiteral("lblFit"));
    lblFit_->setWordWrap(true);
    lblFit_->hide();
    grid->addWidget(lblFit_, line, 0, 1, columns);
    return fraInputs_;
}

QGroupBox* frmProbability::buildRunBox() {
    auto* fraRun = new QGroupBox(QStringLiteral("Run"));
    fraRun->setObjectName(QStringLiteral("fraRun"));
    auto* grid = new QGridLayout(fraRun);
    txtSamples_ = new QLineEdit(QString::number(probability::kDefaultSamples), fraRun);
    txtSamples_->setObjectName(QStringLiteral("txtSamples"));
    txtSeed_ = new QLineEdit(QStringLiteral("1"), fraRun);
    txtSeed_->setObjectName(QStringLiteral("txtSeed"));
    for (QLineEdit* box : {txtSamples_, txtSeed_}) {
        box->setMaximumWidth(200);
        connect(box, &QLineEdit::textEdited, this, &frmProbability::settingEdited);
    }
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

QGroupBox* frmProbability::buildResults() {
    auto* fraResults = new QGroupBox(QStringLiteral("Results"), this);
    fraResults_ = fraResults;
    fraResults->setObjectName(QStringLiteral("fraResults"));
    auto* grid = new QGridLayout(fraResults);
    lblEarlier_ = new QLabel(QStringLiteral("These results are of the settings before the last "
                                            "edit: run again for those shown now."),
                             fraResults);
    lblEarlier_->setObjectName(QStringLiteral("lblEarlier"));
    lblEarlier_->setWordWrap(true);
    lblEarlier_->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold"));
    lblEarlier_->hide();
    QLabel** const labels[] = {&lblFailure_,           &lblBelowLimit_, &lblMean_,
                               &lblStandardDeviation_, &lblQuantile5_,  &lblMedian_,
                               &lblWidthHeightShare_,  &lblSquatShare_};
    const char* const names[] = {"lblFailure",           "lblBelowLimit", "lblMean",
                                 "lblStandardDeviation", "lblQuantile5",  "lblMedian",
                                 "lblWidthHeightShare",  "lblSquatShare"};
    grid->addWidget(lblEarlier_, 0, 0, 1, 2);
    // One figure a line, its caption before it.
    int line = 1;
    for (QLabel** label : labels) {
        grid->addWidget(
            new QLabel(QString::fromUtf8(probability::kResultCaptions[line - 1]), fraResults), line,
            0);
        *label = ResultLabel(QString::fromLatin1(names[line - 1]), fraResults);
        grid->addWidget(*label, line++, 1);
    }
    grid->setColumnStretch(1, 1);
    lblSamples_ = ResultLabel(QStringLiteral("lblSamples"), fraResults);
    lblSamples_->setWordWrap(true);
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
    txtSentence_->setFixedHeight(txtSentence_->fontMetrics().lineSpacing() * 4 + 12);
    cmdExportHistogram_ = Button(QStringLiteral("cmdExportHistogram"),
                                 QStringLiteral("Export &histogram..."), fraResults);
    cmdExportSummary_ = Button(QStringLiteral("cmdExportSummary"),
                               QStringLiteral("Export &summary (CSV)..."), fraResults);
    grid->addWidget(lblSamples_, line++, 0, 1, 2);
    grid->addWidget(lblWithoutResult_, line++, 0, 1, 2);
    grid->setRowStretch(line, 1);
    grid->addWidget(picHistogram_, line++, 0, 1, 2);
    grid->addWidget(txtSentence_, line++, 0, 1, 2);
    auto* exports = new QHBoxLayout;
    exports->addStretch();
    exports->addWidget(cmdExportHistogram_);
    exports->addWidget(cmdExportSummary_);
    grid->addLayout(exports, line, 0, 1, 2);
    connect(cmdExportHistogram_, &QPushButton::clicked, this,
            &frmProbability::cmdExportHistogram_Click);
    connect(cmdExportSummary_, &QPushButton::clicked, this,
            &frmProbability::cmdExportSummary_Click);
    return fraResults;
}

} // namespace vt
