#include "screens/calculationscreen.h"

#include "app/messages.h"
#include "app/programstate.h"
#include "app/shellwindows.h"
#include "app/ui.h"
#include "app/userguide.h"
#include "app/windownames.h"
#include "screens/builders.h"
#include "screens/finalresultstab.h"
#include "screens/strengthtab.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTabWidget>

namespace vt {

namespace {

const QString kContinueCaption = QStringLiteral("Continue");
const QString kCalculateAndContinueCaption = QStringLiteral("Calculate and Continue");

} // namespace

CalculationScreen::CalculationScreen(ScreenSpec spec, QWidget* parent)
    : QMainWindow(parent)
    , spec_(std::move(spec)) {
    setWindowTitle(spec_.title);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(ArialFont(8.25));
    buildMenus();

    // Client area and the tab control; tab 0 comes with finishBuilding().
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(Twips(spec_.clientTwips.width()), Twips(spec_.clientTwips.height()));
    setCentralWidget(client);
    tabs_ = new QTabWidget(client);
    tabs_->setObjectName(QStringLiteral("SSTab1"));
    const QRect& t = spec_.tabTwips;
    tabs_->setGeometry(TwipsRect(t.x(), t.y(), t.width(), t.height()));
    tabs_->setUsesScrollButtons(false);
    strength_ =
        new StrengthTab({spec_.kItems, spec_.strengthCaption, spec_.leftColumn, spec_.rightColumn});
    results_ = new FinalResultsTab({spec_.bordCopyCaption, spec_.bordCopy2Caption,
                                    spec_.bordCopyBackground, spec_.leftColumn, spec_.rightColumn});
    tabs_->addTab(strength_, QStringLiteral("Pillar &Strength"));
    tabs_->addTab(results_, QStringLiteral("Final &Results"));

    connect(strength_->cmdDetermineK, &QPushButton::clicked, this,
            &CalculationScreen::cmdDetermineK_Click);
    connect(strength_->cmdCalculatePillarStrength, &QPushButton::clicked, this,
            &CalculationScreen::calculatePillarStrength);
    connect(strength_->cmdCalculateAndContinue2, &QPushButton::clicked, this,
            &CalculationScreen::continueToFinalResults);
    connect(results_->cmdPrint, &QPushButton::clicked, this, &CalculationScreen::cmdPrint_Click);
    // Any change of K makes it typed; the UCS dialog's hand-over says otherwise after it.
    connect(strength_->cboK, &QComboBox::currentTextChanged, this, [this] { kSource_ = {}; });

    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = rect();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void CalculationScreen::buildMenus() {
    fileMenu_ = menuBar()->addMenu(QStringLiteral("&File"));
    fileMenu_->setObjectName(QStringLiteral("mnuFile"));
    newCalculation_ = fileMenu_->addAction(spec_.newCalculationText);
    newCalculation_->setObjectName(QStringLiteral("mnuNewCalculation"));
    fileMenu_->addSeparator()->setObjectName(QStringLiteral("mnuFileBar0"));
    QAction* exitAction = fileMenu_->addAction(QStringLiteral("E&xit"));
    exitAction->setObjectName(QStringLiteral("mnuExit"));
    connect(newCalculation_, &QAction::triggered, this,
            &CalculationScreen::mnuNewCalculation_Click);
    connect(exitAction, &QAction::triggered, this, &CalculationScreen::mnuExit_Click);

    // The design tools, as the composition root registered them.
    designMenu_ = menuBar()->addMenu(QStringLiteral("&Design"));
    designMenu_->setObjectName(QStringLiteral("mnuDesign"));
    for (const DesignMenuItem& item : Windows().designMenu()) {
        QAction* action = nullptr;
        if (item.fill) {
            QMenu* submenu = designMenu_->addMenu(item.text);
            submenu->setObjectName(item.objectName);
            connect(submenu, &QMenu::aboutToShow, this, [this, submenu, fill = item.fill] {
                submenu->clear();
                fill(*submenu, *this);
            });
            action = submenu->menuAction();
        } else {
            action = designMenu_->addAction(item.text);
            action->setObjectName(item.objectName);
            if (item.run)
                connect(action, &QAction::triggered, this, [this, run = item.run] { run(*this); });
            else
                action->setEnabled(false);
        }
        if (!item.shortcut.isEmpty())
            action->setShortcut(item.shortcut);
        if (item.textFor)
            followingTexts_.emplace_back(action, item.textFor);
    }
    connect(designMenu_, &QMenu::aboutToShow, this, &CalculationScreen::refreshDesignMenu);
    refreshDesignMenu();

    // The guide before the about box, as desktop programs order them.
    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    helpMenu->setObjectName(QStringLiteral("mnuHelp"));
    QAction* guideAction = helpMenu->addAction(QStringLiteral("&User guide"));
    guideAction->setObjectName(QStringLiteral("mnuUserGuide"));
    guideAction->setShortcut(QKeySequence::HelpContents);
    connect(guideAction, &QAction::triggered, this, &CalculationScreen::mnuUserGuide_Click);
    QAction* aboutAction = helpMenu->addAction(spec_.aboutText);
    aboutAction->setObjectName(QStringLiteral("mnuAbout"));
    connect(aboutAction, &QAction::triggered, this, &CalculationScreen::mnuAbout_Click);
}

void CalculationScreen::refreshDesignMenu() {
    for (const auto& [action, text] : followingTexts_)
        action->setText(text(*this));
}

void CalculationScreen::setEvaluationFile(std::optional<EvaluationFileMark> mark) {
    file_ = std::move(mark);
    refreshDesignMenu();
}

QWidget* CalculationScreen::clientArea() const {
    return centralWidget();
}

void CalculationScreen::finishBuilding(PillarStressTab tab0) {
    tab0_ = std::move(tab0);
    tabs_->insertTab(kPillarStressTab, tab0_.page, tab0_.caption);
    tabs_->setCurrentIndex(kPillarStressTab);

    // The shared rows: the six strength inputs, each copied to its twin.
    const std::vector<QWidget*> empties = strengthResults();
    const auto inputs = strength_->inputs();
    QWidget* const copies[] = {
        results_->txtFRK,    results_->txtFRPillarHeight,      results_->txtFRAlpha,
        results_->txtFRBeta, results_->txtFRSquatPillarEffect, results_->txtFRStrengthIncrease};
    std::vector<InputRule> rules = std::move(tab0_.rules);
    for (std::size_t i = 0; i < inputs.size(); ++i)
        rules.push_back({inputs[i], copies[i], empties});
    installRules(std::move(rules));

    mirrors_ = {{tab0_.extraction, results_->lblFRExtraction},
                {strength_->lblWHratio, results_->txtFRWHratio},
                {strength_->lblPillarStrength, results_->lblFRPillarStrength},
                {strength_->lblFOS, results_->lblFRFOS}};
    if (tab0_.stress)
        mirrors_.push_back({tab0_.stress, results_->lblFRPillarStress, tab0_.stressCopiesOnClick});
    for (const ResultMirror& m : mirrors_)
        if (m.copyOnClick)
            m.result->installEventFilter(this);

    QList<QWidget*> order = tab0_.keyboardOrder + strength_->keyboardOrder();
    order << results_->cmdPrint;
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    // A new screen takes typing at once, in its first input.
    tab0_.firstInput->setFocus();
}

std::vector<QWidget*> CalculationScreen::strengthResults(std::vector<QWidget*> first) const {
    first.insert(first.end(),
                 {strength_->lblWHratio, strength_->lblPillarStrength, strength_->lblFOS});
    if (spec_.inputChangeEmptiesFormula)
        first.push_back(strength_->txtFormula);
    return first;
}

void CalculationScreen::installRules(std::vector<InputRule> rules) {
    rules_ = std::move(rules);
    for (std::size_t i = 0; i < rules_.size(); ++i) {
        QWidget* input = rules_[i].input;
        if (auto* combo = qobject_cast<QComboBox*>(input)) {
            connect(combo, &QComboBox::currentTextChanged, this,
                    [this, i](const QString& text) { inputChanged(rules_[i], text); });
        } else if (auto* box = qobject_cast<QLineEdit*>(input)) {
            connect(box, &QLineEdit::textChanged, this,
                    [this, i](const QString& text) { inputChanged(rules_[i], text); });
            box->installEventFilter(this); // a click repeats the copy
        }
    }
}

// ---------------------------------------------------------------------------
// Fields

void CalculationScreen::setText(QWidget* field, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(field)) {
        if (label->text() == text)
            return;
        label->setText(text);
        mirror(label);
        emit designChanged();
        return;
    }
    SetTextOf(field, text);
}

void CalculationScreen::emptyFields(const std::vector<QWidget*>& fields) {
    for (QWidget* field : fields)
        setText(field, QString());
}

void CalculationScreen::inputChanged(const InputRule& rule, const QString& text) {
    if (rule.copy)
        setText(rule.copy, text);
    emptyFields(rule.empties);
    if (rule.resetColours)
        resetWarningColours();
    if (rule.also)
        rule.also(text);
    emit designChanged();
}

void CalculationScreen::mirror(const QLabel* result) {
    for (const ResultMirror& m : mirrors_)
        if (m.result == result)
            setText(m.twin, result->text());
}

void CalculationScreen::resetWarningColours() {
    SetBackground(strength_->lblWHratio, kLightGrey);
    SetBackground(results_->txtFRWHratio, kWhite);
    SetBackground(strength_->lblFOS, kLightGrey);
    SetBackground(results_->lblFRFOS, kLightGrey);
}

bool CalculationScreen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        for (const ResultMirror& m : mirrors_)
            if (m.result == watched && m.copyOnClick)
                mirror(m.result);
        if (qobject_cast<QLineEdit*>(watched))
            for (const InputRule& rule : rules_)
                if (rule.input == watched && rule.copy)
                    setText(rule.copy, TextOf(rule.input));
    }
    return QMainWindow::eventFilter(watched, event);
}

void CalculationScreen::setStrengthConstant(const QString& k) {
    strength_->cboK->setEditText(k);
}

QMetaObject::Connection CalculationScreen::onDesignChanged(QObject* context,
                                                           std::function<void()> changed) {
    return connect(this, &CalculationScreen::designChanged, context, std::move(changed));
}

QWidget* CalculationScreen::inputField(evaluation::Input input) const {
    using evaluation::Input;
    const std::pair<Input, QWidget*> strengthInputs[] = {
        {Input::K, strength_->cboK},
        {Input::PillarHeight, strength_->cboPillarHeight},
        {Input::Alpha, strength_->cboAlpha},
        {Input::Beta, strength_->cboBeta},
        {Input::SquatStart, strength_->cboSquatPillarEffect},
        {Input::IncreaseRate, strength_->cboStrengthIncrease},
    };
    QWidget* field = nullptr;
    for (const auto& [which, widget] : tab0_.inputs)
        if (which == input)
            field = widget;
    for (const auto& [which, widget] : strengthInputs)
        if (which == input)
            field = widget;
    return field;
}

bool CalculationScreen::applyInput(evaluation::Input input, const QString& text) {
    QWidget* field = inputField(input);
    if (!field)
        return false;
    SetTextOf(field, text);
    return true;
}

QStringList CalculationScreen::inputItems(evaluation::Input input) const {
    QStringList items;
    if (const auto* combo = qobject_cast<const QComboBox*>(inputField(input)))
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
    return items;
}

// ---------------------------------------------------------------------------
// Steps

void CalculationScreen::ShowRefusal(const evaluation::Refusal& refusal) {
    if (!refusal.silent())
        ShowMessage(refusal.message, refusal.title);
}

void CalculationScreen::moveToTab(int index, QWidget* focus) {
    tabs_->setFocus();
    tabs_->setCurrentIndex(index);
    if (focus)
        focus->setFocus();
}

bool CalculationScreen::calculatePillarStrength() {
    QLabel* result =
        spec_.readiness == ReadinessResult::PillarStress ? tab0_.stress : tab0_.extraction;
    const evaluation::Readiness readiness{result ? result->text() : QString(),
                                          spec_.readinessMessage};
    const evaluation::NumberLocale locale = evaluation::NumberLocale::Current();
    const QString length =
        evaluation::StrengthLength(designTexts(), locale, &State().ModellingResults);
    const auto step = evaluation::Strength(strength_->texts(length), readiness,
                                           State().AveragePillarStress, locale);
    if (!step) {
        ShowRefusal(step.refusal());
        return false;
    }
    showStrength(step.value());
    return true;
}

void CalculationScreen::showStrength(const evaluation::StrengthShown& s) {
    SetBackground(strength_->lblWHratio, s.widthHeightTooSmall ? kWarningRed : kLightGrey);
    SetBackground(results_->txtFRWHratio, s.widthHeightTooSmall ? kWarningRed : kWhite);
    if (s.widthHeightTooSmall)
        RaisePopUp(kPopUpWH, kWidthHeightWarning);
    setText(strength_->lblWHratio, s.widthHeightRatio);
    setText(strength_->lblPillarStrength, s.strength);
    setText(strength_->txtFormula, s.formula);
    setText(results_->txtComment, s.formula);
    const QColor fosColour = s.factorOfSafetyTooSmall ? kWarningRed : kLightGrey;
    SetBackground(strength_->lblFOS, fosColour);
    SetBackground(results_->lblFRFOS, fosColour);
    if (s.factorOfSafetyTooSmall)
        RaisePopUp(kPopUpFOS, kSafetyWarning);
    setText(strength_->lblFOS, s.factorOfSafety);
    setText(strength_->cmdCalculateAndContinue2, kContinueCaption);
}

void CalculationScreen::continueToFinalResults() {
    // A refused step shows its message over the tab it ran on.
    if (spec_.strengthBeforeFinalTab) {
        calculatePillarStrength();
        moveToTab(kFinalResultsTab, results_->cmdPrint);
    } else {
        moveToTab(kFinalResultsTab, results_->cmdPrint);
        calculatePillarStrength();
    }
    setText(strength_->cmdCalculateAndContinue2, kCalculateAndContinueCaption);
}

ReportRequest CalculationScreen::buildReportRequest() const {
    ReportRequest request = results_->report(spec_.reportSentence);
    request.screen = objectName();
    return request;
}

// ---------------------------------------------------------------------------
// Handlers

void CalculationScreen::mnuNewCalculation_Click() {
    if (!Windows().mayLeave(*this))
        return;
    Windows().show(names::frmSplash);
    CloseAllWindows();
}

void CalculationScreen::mnuExit_Click() {
    if (!Windows().mayLeave(*this))
        return;
    EndProgram();
}

void CalculationScreen::mnuUserGuide_Click() {
    ShowUserGuide(spec_.guideAnchor);
}

void CalculationScreen::mnuAbout_Click() {
    Windows().show(names::frmAbout);
}

void CalculationScreen::closeEvent(QCloseEvent* event) {
    // The user closing the screen may keep it; a close by the program (after
    // its own question, or with every window) goes on.
    if (!WindowRegistry::closedByProgram(this) && isVisible() && !Windows().mayLeave(*this)) {
        event->ignore();
        WindowRegistry::markOpen(this);
        return;
    }
    CloseAllWindows();
    QMainWindow::closeEvent(event);
}

void CalculationScreen::cmdDetermineK_Click() {
    Windows().show(names::frmMedianUCS);
}

void CalculationScreen::cmdPrint_Click() {
    moveToTab(kPillarStressTab, tab0_.firstInput);
    RequestReport(buildReportRequest());
}

// ---------------------------------------------------------------------------
// What the evaluation files read and do

void CalculationScreen::setStrengthConstantFromReadings(const QString& k,
                                                        const StrengthConstantSource& source) {
    setStrengthConstant(k);
    kSource_ = source;
}

ShownResults CalculationScreen::shownResults() const {
    ShownResults shown;
    shown.extraction = tab0_.extraction->text();
    shown.stress = results_->lblFRPillarStress->text();
    shown.effectiveWidth = strength_->cboPillarWidth->currentText();
    shown.widthHeightRatio = strength_->lblWHratio->text();
    shown.strength = strength_->lblPillarStrength->text();
    shown.factorOfSafety = strength_->lblFOS->text();
    shown.formula = strength_->txtFormula->text();
    shown.widthHeightTooSmall = Background(strength_->lblWHratio) == kWarningRed;
    shown.factorOfSafetyTooSmall = Background(strength_->lblFOS) == kWarningRed;
    return shown;
}

void CalculationScreen::recalculate(CalculationStage stage) {
    // As a user presses them: on their own tab, each click taking the focus
    // first, which ends the editing of the field that had it.
    const auto press = [](QAbstractButton* button) {
        button->setFocus(Qt::MouseFocusReason);
        button->click();
    };
    tabs_->setCurrentIndex(kPillarStressTab);
    press(stage == CalculationStage::FirstStep ? tab0_.calculate : tab0_.calculateAndContinue);
    // The second tab's button is pressed only where the first one led.
    if (stage == CalculationStage::BothTabs && tabs_->currentIndex() == kPillarStrengthTab)
        press(strength_->cmdCalculateAndContinue2);
}

} // namespace vt
