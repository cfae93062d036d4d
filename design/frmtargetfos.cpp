#include "design/frmtargetfos.h"

#include "app/filedialogs.h"
#include "app/messages.h"
#include "app/programstate.h"
#include "app/userguide.h"
#include "evaluation/designfields.h"
#include "storage/qtstorage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vt {

using design::Question;

namespace {

const QString kTitle = QStringLiteral("Solve for a target FOS");

struct QuestionSpec {
    Question question;
    const char* caption;
    const char* name;
    const char* apply;
};

const QuestionSpec kSpecs[frmTargetFOS::kQuestions] = {
    {Question::SmallestWidth, "Smallest pillar width", "Width", "&Apply width"},
    {Question::GreatestDepth, "Greatest depth", "Depth", "A&pply depth"},
    {Question::WidestBords, "Widest bords (largest extraction)", "Bords", "Apply &bords"},
};

// A default limit as the user writes decimals ("1,6" in German), like every
// number the window shows.
QString InUsersDecimal(const char* text) {
    return QString::fromLatin1(text).replace(QLatin1Char('.'), QLocale().decimalPoint());
}

} // namespace

frmTargetFOS::frmTargetFOS(QWidget* parent)
    : ToolWindow(guide::kTargetFos, parent) {
    setWindowTitle(kTitle);
    auto* layout = new QVBoxLayout(this);
    lblDesign = new QLabel(this);
    lblDesign->setObjectName(QStringLiteral("lblDesign"));
    layout->addWidget(lblDesign);
    layout->addWidget(buildSettings());
    tabTarget = new QTabWidget(this);
    tabTarget->setObjectName(QStringLiteral("tabTarget"));
    auto* answers = new QWidget(tabTarget);
    auto* answersLayout = new QVBoxLayout(answers);
    for (int i = 0; i < kQuestions; ++i)
        answersLayout->addWidget(buildAnswer(i));
    answersLayout->addStretch(1);
    tabTarget->addTab(answers, QStringLiteral("A&nswers"));
    tabTarget->addTab(buildSchedule(), QStringLiteral("Schedule by de&pth"));
    layout->addWidget(tabTarget, 1);
    cmdUndoApply = new QPushButton(QStringLiteral("&Undo apply"), this);
    cmdUndoApply->setObjectName(QStringLiteral("cmdUndoApply"));
    cmdUndoApply->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    cmdUndoApply->setToolTip(QStringLiteral("Type back what the last Apply typed over (Ctrl+Z)"));
    cmdUndoApply->setEnabled(false);
    connect(cmdUndoApply, &QPushButton::clicked, this, &frmTargetFOS::cmdUndoApply_Click);
    layout->addWidget(cmdUndoApply, 0, Qt::AlignRight);
    settingsChanged_.setSingleShot(true);
    settingsChanged_.setInterval(0);
    connect(&settingsChanged_, &QTimer::timeout, this, &frmTargetFOS::solve);
    resize(600, 600);
}

QWidget* frmTargetFOS::buildSettings() {
    auto* box = new QGroupBox(QStringLiteral("Limits"), this);
    auto* grid = new QGridLayout(box);
    const auto field = [&](int column, const QString& caption, const QString& name,
                           const QString& text) {
        auto* edit = new QLineEdit(text, box);
        edit->setObjectName(name);
        edit->setMaximumWidth(90);
        auto* label = new QLabel(caption, box);
        label->setBuddy(edit);
        grid->addWidget(label, 0, column);
        grid->addWidget(edit, 1, column);
        connect(edit, &QLineEdit::textChanged, this, [this] { settingsChanged_.start(); });
        return edit;
    };
    txtTargetFOS = field(0, QStringLiteral("&Target FOS"), QStringLiteral("txtTargetFOS"),
                         InUsersDecimal("1.6"));
    txtMinimumWH = field(1, QStringLiteral("&Minimum W:H"), QStringLiteral("txtMinimumWH"),
                         InUsersDecimal("2.5"));
    txtPlanGrid = field(2, QStringLiteral("Plan &grid (m)"), QStringLiteral("txtPlanGrid"),
                        InUsersDecimal("0.1"));
    auto* depths =
        new QLabel(QStringLiteral("Widths and bords on the plan grid,\ndepths on 1 m"), box);
    grid->addWidget(depths, 0, 3, 2, 1);
    lblSettings = new QLabel(box);
    lblSettings->setObjectName(QStringLiteral("lblSettings"));
    lblSettings->setWordWrap(true);
    grid->addWidget(lblSettings, 2, 0, 1, 4);
    return box;
}

QWidget* frmTargetFOS::buildAnswer(int index) {
    const QuestionSpec& spec = kSpecs[index];
    const QString name = QString::fromLatin1(spec.name);
    auto* box = new QGroupBox(QString::fromLatin1(spec.caption), this);
    box->setObjectName(QStringLiteral("fra%1").arg(name));
    auto* layout = new QHBoxLayout(box);
    QLabel*& label = lblAnswer[static_cast<std::size_t>(index)];
    label = new QLabel(box);
    label->setObjectName(QStringLiteral("lbl%1Answer").arg(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumHeight(4 * fontMetrics().height());
    layout->addWidget(label, 1);
    QPushButton*& button = cmdApply[static_cast<std::size_t>(index)];
    button = new QPushButton(QString::fromLatin1(spec.apply), box);
    button->setObjectName(QStringLiteral("cmdApply%1").arg(name));
    button->setEnabled(false);
    layout->addWidget(button, 0, Qt::AlignTop);
    connect(button, &QPushButton::clicked, this, [this, index] { cmdApply_Click(index); });
    return box;
}

void frmTargetFOS::showNoAnswers(const QString& why) {
    for (int i = 0; i < kQuestions; ++i) {
        design::Answer none;
        none.question = kSpecs[i].question;
        answers_[static_cast<std::size_t>(i)] = none;
        lblAnswer[static_cast<std::size_t>(i)]->setText(why);
        cmdApply[static_cast<std::size_t>(i)]->setEnabled(false);
    }
}

void frmTargetFOS::solve() {
    settingsChanged_.stop();
    solveAnswers();
    // A schedule made is made again for the design as it stands, or says why
    // there is none now.
    if (scheduleWanted_)
        makeSchedule();
}

void frmTargetFOS::solveAnswers() {
    DesignSource* source = this->source();
    if (!source) {
        lblDesign->setText(QStringLiteral("No calculation screen is followed"));
        showNoAnswers(QString());
        return;
    }
    const QWidget* screen = sourceWindow();
    lblDesign->setText(QStringLiteral("The design on \"%1\"")
                           .arg(screen ? screen->windowTitle() : source->screenName()));
    const evaluation::NumberLocale locale = evaluation::NumberLocale::Current();
    const auto settings = design::ReadSolveSettings(txtTargetFOS->text(), txtMinimumWH->text(),
                                                    txtPlanGrid->text(), locale);
    lblSettings->setText(settings ? QString() : settings.refusal().message);
    if (!settings) {
        showNoAnswers(QString());
        return;
    }
    const auto base = design::ReadDesign(source->designTexts(), locale, &State().ModellingResults);
    if (!base) {
        showNoAnswers(base.refusal().message);
        return;
    }
    for (int i = 0; i < kQuestions; ++i) {
        const auto at = static_cast<std::size_t>(i);
        answers_[at] = design::Solve(base.value(), kSpecs[i].question, settings.value());
        lblAnswer[at]->setText(answers_[at].text);
        cmdApply[at]->setEnabled(!answers_[at].apply.empty());
    }
}

QWidget* frmTargetFOS::buildSchedule() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* range = new QHBoxLayout;
    const auto field = [&](const QString& caption, const QString& name, const char* text) {
        auto* label = new QLabel(caption, page);
        auto* edit = new QLineEdit(InUsersDecimal(text), page);
        edit->setObjectName(name);
        edit->setMaximumWidth(70);
        label->setBuddy(edit);
        range->addWidget(label);
        range->addWidget(edit);
        return edit;
    };
    txtScheduleFrom =
        field(QStringLiteral("Depths (m) &from"), QStringLiteral("txtScheduleFrom"), "200");
    txtScheduleTo = field(QStringLiteral("t&o"), QStringLiteral("txtScheduleTo"), "2000");
    txtScheduleStep = field(QStringLiteral("st&ep"), QStringLiteral("txtScheduleStep"), "100");
    cmdMakeSchedule = new QPushButton(QStringLiteral("&Make the schedule"), page);
    cmdMakeSchedule->setObjectName(QStringLiteral("cmdMakeSchedule"));
    range->addWidget(cmdMakeSchedule);
    range->addStretch(1);
    layout->addLayout(range);
    tblSchedule = new QTableWidget(0, 6, page);
    tblSchedule->setObjectName(QStringLiteral("tblSchedule"));
    tblSchedule->setHorizontalHeaderLabels(
        {QStringLiteral("Depth (m)"), QStringLiteral("Width (m)"), QStringLiteral("% Extraction"),
         QStringLiteral("FOS"), QStringLiteral("W:H"), QStringLiteral("No width because")});
    tblSchedule->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblSchedule->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblSchedule->setSelectionMode(QAbstractItemView::SingleSelection);
    tblSchedule->verticalHeader()->setVisible(false);
    tblSchedule->horizontalHeader()->setStretchLastSection(true);
    tblSchedule->setMinimumHeight(120);
    layout->addWidget(tblSchedule, 1);
    auto* buttons = new QHBoxLayout;
    lblSchedule = new QLabel(page);
    lblSchedule->setObjectName(QStringLiteral("lblSchedule"));
    lblSchedule->setWordWrap(true);
    buttons->addWidget(lblSchedule, 1);
    cmdApplySchedule = new QPushButton(QStringLiteral("Appl&y the row"), page);
    cmdApplySchedule->setObjectName(QStringLiteral("cmdApplySchedule"));
    cmdApplySchedule->setEnabled(false);
    cmdScheduleCSV = new QPushButton(QStringLiteral("Export &CSV..."), page);
    cmdScheduleCSV->setObjectName(QStringLiteral("cmdScheduleCSV"));
    cmdScheduleCSV->setEnabled(false);
    buttons->addWidget(cmdApplySchedule);
    buttons->addWidget(cmdScheduleCSV);
    layout->addLayout(buttons);
    connect(cmdMakeSchedule, &QPushButton::clicked, this, [this] {
        scheduleWanted_ = true;
        makeSchedule();
    });
    connect(cmdApplySchedule, &QPushButton::clicked, this, &frmTargetFOS::cmdApplySchedule_Click);
    connect(cmdScheduleCSV, &QPushButton::clicked, this, &frmTargetFOS::cmdScheduleCSV_Click);
    connect(tblSchedule, &QTableWidget::itemSelectionChanged, this, [this] {
        const int row = tblSchedule->currentRow();
        cmdApplySchedule->setEnabled(
            row >= 0 && row < static_cast<int>(schedule_.size()) &&
            !schedule_[static_cast<std::size_t>(row)].answer.apply.empty());
    });
    return page;
}

void frmTargetFOS::showSchedule(const QString& why) {
    tblSchedule->setRowCount(0);
    lblSchedule->setText(why);
    cmdApplySchedule->setEnabled(false);
    cmdScheduleCSV->setEnabled(!schedule_.empty());
    if (schedule_.empty())
        return;
    const evaluation::NumberLocale locale = evaluation::NumberLocale::Current();
    tblSchedule->setRowCount(static_cast<int>(schedule_.size()));
    for (int i = 0; i < tblSchedule->rowCount(); ++i) {
        const design::ScheduleRow& row = schedule_[static_cast<std::size_t>(i)];
        QStringList texts{row.depth.text(locale)};
        if (const auto& a = row.answer.answer)
            texts << a->texts.width << a->shown.extraction << a->shown.factorOfSafety
                  << a->shown.widthHeightRatio << QString();
        else
            texts << QString() << QString() << QString() << QString() << row.answer.text;
        for (int column = 0; column < texts.size(); ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            if (column < 5)
                item->setTextAlignment(Qt::AlignCenter);
            if (column == 5)
                item->setToolTip(texts[column]);
            tblSchedule->setItem(i, column, item);
        }
    }
}

void frmTargetFOS::makeSchedule() {
    schedule_.clear();
    DesignSource* source = this->source();
    if (!source) {
        showSchedule(QString());
        return;
    }
    const evaluation::NumberLocale locale = evaluation::NumberLocale::Current();
    const auto settings = design::ReadSolveSettings(txtTargetFOS->text(), txtMinimumWH->text(),
                                                    txtPlanGrid->text(), locale);
    if (!settings) {
        showSchedule(settings.refusal().message);
        return;
    }
    const auto depths = design::ReadRange(txtScheduleFrom->text(), txtScheduleTo->text(),
                                          txtScheduleStep->text(), locale);
    if (!depths) {
        showSchedule(depths.refusal().message);
        return;
    }
    const auto base = design::ReadDesign(source->designTexts(), locale, &State().ModellingResults);
    if (!base) {
        showSchedule(base.refusal().message);
        return;
    }
    const auto schedule = design::DepthSchedule(base.value(), depths.value(), settings.value());
    if (!schedule) {
        showSchedule(schedule.refusal().message);
        return;
    }
    schedule_ = schedule.value();
    showSchedule(QStringLiteral("The smallest width for FOS %1 and W:H %2 at each depth; every "
                                "wider pillar passes too")
                     .arg(settings->targetText, settings->ratioText));
}

void frmTargetFOS::cmdApplySchedule_Click() {
    DesignSource* source = this->source();
    const int row = tblSchedule->currentRow();
    if (!source || row < 0 || row >= static_cast<int>(schedule_.size()))
        return;
    // A copy: typing into the screen makes the schedule again.
    const design::ScheduleRow chosen = schedule_[static_cast<std::size_t>(row)];
    Typed inputs{
        {evaluation::Input::Depth, chosen.depth.text(evaluation::NumberLocale::Current())}};
    inputs.insert(inputs.end(), chosen.answer.apply.begin(), chosen.answer.apply.end());
    applyTyped(*source, inputs);
}

void frmTargetFOS::cmdScheduleCSV_Click() {
    const FileAnswer answer =
        AskForFile(this, {FileQuestion::Kind::Save, QStringLiteral("Export the schedule as CSV"),
                          QStringLiteral("pillar-schedule.csv"), evaluation::CsvFilters(),
                          QStringLiteral("csv"), FileQuestion::Files::Exports});
    if (!answer.chosen())
        return;
    QString reason;
    if (!storage::Save(answer.path,
                       design::ScheduleCsv(schedule_, evaluation::NumberLocale::Current(),
                                           evaluation::CsvConventionOfFilter(answer.filter))
                           .toUtf8(),
                       &reason))
        ShowMessage(
            QStringLiteral("The file \"%1\" could not be written: %2.").arg(answer.path, reason),
            kTitle);
}

void frmTargetFOS::cmdApply_Click(int index) {
    DesignSource* source = this->source();
    const design::Answer& answer = answers_.at(static_cast<std::size_t>(index));
    if (!source || answer.apply.empty())
        return;
    // A copy: typing into the screen solves again.
    const Typed inputs = answer.apply;
    applyTyped(*source, inputs);
}

void frmTargetFOS::applyTyped(DesignSource& source, const Typed& inputs) {
    const evaluation::DesignTexts before = source.designTexts();
    Typed typedOver;
    for (const auto& [input, text] : inputs)
        if (const evaluation::DesignField* field = evaluation::FieldOf(input))
            typedOver.emplace_back(input, before.*field->text);
    undo_.push_back(std::move(typedOver));
    cmdUndoApply->setEnabled(true);
    for (const auto& [input, text] : inputs)
        if (!source.applyInput(input, text)) {
            ShowMessage(QStringLiteral("The screen does not take a typed \"%1\" now")
                            .arg(evaluation::Caption(input)),
                        kTitle);
            return;
        }
}

void frmTargetFOS::aboutToFollow(DesignSource* next) {
    // What was typed into another screen is not this one's to undo.
    if (next != source()) {
        undo_.clear();
        cmdUndoApply->setEnabled(false);
    }
}

void frmTargetFOS::cmdUndoApply_Click() {
    DesignSource* source = this->source();
    if (!source || undo_.empty())
        return;
    const Typed typedOver = std::move(undo_.back());
    undo_.pop_back();
    cmdUndoApply->setEnabled(!undo_.empty());
    for (const auto& [input, text] : typedOver)
        if (!source->applyInput(input, text)) {
            ShowMessage(QStringLiteral("The screen does not take a typed \"%1\" now")
                            .arg(evaluation::Caption(input)),
                        kTitle);
            return;
        }
}

namespace {
struct KeptField {
    const char* key;
    QLineEdit* frmTargetFOS::*box;
};
constexpr KeptField kKeptFields[] = {
    {"target_fos", &frmTargetFOS::txtTargetFOS},
    {"minimum_wh", &frmTargetFOS::txtMinimumWH},
    {"plan_grid", &frmTargetFOS::txtPlanGrid},
};
} // namespace

QJsonObject frmTargetFOS::keptSettings() const {
    QJsonObject settings;
    for (const KeptField& field : kKeptFields)
        settings.insert(QLatin1String(field.key), (this->*field.box)->text());
    return settings;
}

void frmTargetFOS::restoreSettings(const QJsonObject& settings) {
    QString text;
    for (const KeptField& field : kKeptFields)
        if (KeptText(settings, field.key, &text))
            (this->*field.box)->setText(text); // solves again, as typing does
}

} // namespace vt
