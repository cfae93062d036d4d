#include "screens/calculationscreen.h"

#include "app/messages.h"
#include "app/numbers.h"
#include "app/programstate.h"
#include "app/shellwindows.h"
#include "app/ui.h"
#include "dialogs/frmrazuziruridadimensions.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>

namespace vt {

namespace {

const QString kDimensionsDialog = QStringLiteral("frmRazuziRuridaDimensions");
const QString kContinueCaption = QStringLiteral("Continue");
const QString kCalculateAndContinueCaption = QStringLiteral("Calculate and Continue");

// The four plan dimensions that the graphical design toggle hands over.
const QStringList kPlanDimensions = {
    QStringLiteral("cboPillarWidth1"),
    QStringLiteral("cboPillarLength"),
    QStringLiteral("cboBordWidth"),
    QStringLiteral("cboBordWidth2"),
};

// The formula variables that "Pillar formula variables" unlocks.
const QStringList kFormulaVariables = {
    QStringLiteral("cboAlpha"),
    QStringLiteral("cboBeta"),
    QStringLiteral("cboSquatPillarEffect"),
    QStringLiteral("cboStrengthIncrease"),
};

// Field placement inside its 1905 x 615 frame.
constexpr int kInnerLeft = 105;
constexpr int kInnerTop = 255;
constexpr int kInnerHeight = 315;

// The caption of the frame a field sits in, for messages.
QString FieldCaption(const QWidget* field) {
    if (const auto* frame = qobject_cast<const QGroupBox*>(field->parentWidget()))
        return frame->title();
    return field->objectName();
}

} // namespace

const QString CalculationScreen::kInvalidDataTitle = QStringLiteral("Invalid data");
const QString CalculationScreen::kInsufficientDataTitle = QStringLiteral("Insufficient data");

// ---------------------------------------------------------------------------
// CaptionButton

CaptionButton::CaptionButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {}

void CaptionButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
    painter.setFont(font());
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    const QRect area = rect().adjusted(4, 2, -4, -2);
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, text());
}

// ---------------------------------------------------------------------------
// Construction

CalculationScreen::CalculationScreen(const ScreenLayout& layout, QWidget* parent)
    : QMainWindow(parent)
    , leftColumn_(layout.leftColumn)
    , rightColumn_(layout.rightColumn) {
    setWindowTitle(layout.title);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(ArialFont(8.25));

    // Menus.
    fileMenu_ = menuBar()->addMenu(QStringLiteral("&File"));
    fileMenu_->setObjectName(QStringLiteral("mnuFile"));
    newCalculation_ = fileMenu_->addAction(layout.newCalculationText);
    newCalculation_->setObjectName(QStringLiteral("mnuNewCalculation"));
    fileMenu_->addSeparator()->setObjectName(QStringLiteral("mnuFileBar0"));
    QAction* exitAction = fileMenu_->addAction(QStringLiteral("E&xit"));
    exitAction->setObjectName(QStringLiteral("mnuExit"));
    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    helpMenu->setObjectName(QStringLiteral("mnuHelp"));
    QAction* aboutAction = helpMenu->addAction(layout.aboutText);
    aboutAction->setObjectName(QStringLiteral("mnuAbout"));
    connect(newCalculation_, &QAction::triggered, this,
            &CalculationScreen::mnuNewCalculation_Click);
    connect(exitAction, &QAction::triggered, this, &CalculationScreen::mnuExit_Click);
    connect(aboutAction, &QAction::triggered, this, &CalculationScreen::mnuAbout_Click);

    // Client area and the tab control.
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(Twips(layout.clientTwips.width()), Twips(layout.clientTwips.height()));
    setCentralWidget(client);
    tabs_ = new QTabWidget(client);
    tabs_->setObjectName(QStringLiteral("SSTab1"));
    tabs_->setGeometry(TwipsRect(layout.tabTwips.x(), layout.tabTwips.y(), layout.tabTwips.width(),
                                 layout.tabTwips.height()));
    tabs_->setUsesScrollButtons(false);
    const QStringList tabCaptions = {QStringLiteral("&Pillar Stress"),
                                     QStringLiteral("Pillar &Strength"),
                                     QStringLiteral("Final &Results")};
    for (const QString& caption : tabCaptions)
        tabs_->addTab(new QWidget, caption);
    tabs_->setCurrentIndex(kPillarStressTab);

    this->layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = rect();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

QWidget* CalculationScreen::page(int index) const {
    return tabs_->widget(index);
}

QRect CalculationScreen::DesignRect(int left, int top, int width, int height) {
    return TwipsRect(left, top - kTabStripTwips, width, height);
}

QWidget* CalculationScreen::placeField(QWidget* parent, QWidget* fieldWidget,
                                       const QString& caption, int left, int top,
                                       bool designCoordinates) {
    const QRect place = designCoordinates ? DesignRect(left, top, kFieldWidth, kFieldHeight)
                                          : TwipsRect(left, top, kFieldWidth, kFieldHeight);
    QGroupBox* frame = MakeFrame(parent, caption, place, ArialFont(9, true));
    fieldWidget->setParent(frame);
    fieldWidget->setGeometry(
        TwipsRect(kInnerLeft, kInnerTop, kFieldWidth - 2 * kInnerLeft, kInnerHeight));
    return frame;
}

QComboBox* CalculationScreen::addCombo(QWidget* parent, const QString& name, const QString& caption,
                                       const QStringList& items, const QString& text,
                                       const QString& toolTip, int left, int top,
                                       bool designCoordinates) {
    QComboBox* combo = MakeCombo(nullptr, name, items, text, toolTip);
    // The list position is the item the field shows (none for an empty field),
    // so that the arrow keys step on from it: Down from "12" gives 16, and Down
    // from an empty field the first item.
    combo->setCurrentIndex(combo->findText(text));
    combo->setEditText(text);
    combo->setFont(ArialFont(9));
    placeField(parent, combo, caption, left, top, designCoordinates);
    return combo;
}

QLineEdit* CalculationScreen::addTextBox(QWidget* parent, const QString& name,
                                         const QString& caption, const QString& toolTip, int left,
                                         int top, bool designCoordinates) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setToolTip(toolTip);
    box->setFont(ArialFont(9));
    placeField(parent, box, caption, left, top, designCoordinates);
    return box;
}

QLabel* CalculationScreen::addResult(QWidget* parent, const QString& name, const QString& caption,
                                     int left, int top, bool designCoordinates) {
    QLabel* label = MakeResultLabel(nullptr, name);
    label->setFont(ArialFont(9, true));
    // A result may be a copy of typed text (the modelled stress): shown as
    // typed, never read as markup.
    label->setTextFormat(Qt::PlainText);
    placeField(parent, label, caption, left, top, designCoordinates);
    return label;
}

CaptionButton* CalculationScreen::addButton(QWidget* parent, const QString& name,
                                            const QString& caption, const QFont& font,
                                            const QRect& geometry, const QString& toolTip) {
    auto* button = new CaptionButton(caption, parent);
    button->setObjectName(name);
    button->setFont(font);
    button->setGeometry(geometry);
    // Enter presses the focused button, as Space does. A main window has no
    // default button, so this changes nothing else.
    button->setAutoDefault(true);
    if (!toolTip.isEmpty())
        button->setToolTip(toolTip);
    return button;
}

void CalculationScreen::buildStrengthTab(const StrengthTabOptions& options) {
    QWidget* tab = page(kPillarStrengthTab);
    const int left = leftColumn_;
    const int right = rightColumn_;
    constexpr int pitch = 720;
    auto row = [](int i) { return 480 + i * pitch; };

    addCombo(tab, QStringLiteral("cboK"), QStringLiteral("K (MPa)"), options.kItems, {},
             QStringLiteral("Fill in a value for the compressive strength of a cube of unit "
                            "length of pillar material   OR   Calculate K by using the "
                            "\"Determine K from UCS-values\" button"),
             left, row(0));
    auto* determineK = addButton(
        tab, QStringLiteral("cmdDetermineK"), QStringLiteral("Determine K from UCS-values"),
        ArialFont(8.25, true), DesignRect(right, row(0), kFieldWidth, kFieldHeight),
        QStringLiteral("Determine K from the median of UCS-values"));

    QComboBox* effective = addCombo(
        tab, QStringLiteral("cboPillarWidth"), QStringLiteral("Eff. pillar width (m)"), {}, {},
        QStringLiteral("The value is transferred from the previous label"), left, row(1));
    effective->lineEdit()->setReadOnly(true);
    effective->setFont(ArialFont(9, true));
    SetBackground(effective, kLightGrey);
    addCombo(tab, QStringLiteral("cboPillarHeight"), QStringLiteral("Pillar height (m)"),
             Counting(1, 8), {}, QStringLiteral("The stoping width in m"), right, row(1));

    addCombo(tab, QStringLiteral("cboAlpha"), QStringLiteral("α"),
             {QStringLiteral("0.5"), QStringLiteral("0.46")}, QStringLiteral("0.5"),
             QStringLiteral("Hedley/Grant value is 0.5"), left, row(2));
    addCombo(tab, QStringLiteral("cboBeta"), QStringLiteral("β"),
             {QStringLiteral("0.75"), QStringLiteral("0.66")}, QStringLiteral("0.75"),
             QStringLiteral("Hedley/Grant value is 0.75"), right, row(2));
    addCombo(tab, QStringLiteral("cboSquatPillarEffect"), QStringLiteral("Start squat pillar"),
             {QStringLiteral("4.5"), QStringLiteral("5.0")}, QStringLiteral("4.5"),
             QStringLiteral("The transition from the Hedley/Grant to the Squat Pillar formula, "
                            "typically at a W:H-ratio of 4.5 for hard rock"),
             left, row(3));
    addCombo(tab, QStringLiteral("cboStrengthIncrease"), QStringLiteral("Strength incr. rate"),
             {QStringLiteral("2.5"), QStringLiteral("4.5")}, QStringLiteral("4.5"),
             QStringLiteral("The rate of strength increase when using the Squat Pillar formula"),
             right, row(3));
    for (const QString& name : kFormulaVariables)
        field(name)->setEnabled(false);

    addResult(tab, QStringLiteral("lblWHratio"), QStringLiteral("W:H-ratio"), left, row(4));
    addResult(tab, QStringLiteral("lblPillarStrength"), options.strengthCaption, right, row(4));
    addResult(tab, QStringLiteral("lblFOS"), QStringLiteral("FOS"), left, row(5));
    auto* calculate =
        addButton(tab, QStringLiteral("cmdCalculatePillarStrength"),
                  QStringLiteral("Calculate the Pillar strength"), ArialFont(11.25, true),
                  DesignRect(right, row(5), kFieldWidth, kFieldHeight),
                  QStringLiteral("Calculate the pillar strength"));

    auto* check = new QCheckBox(QStringLiteral("Pillar formula variables"), tab);
    check->setObjectName(QStringLiteral("Check1"));
    check->setFont(ArialFont(8.25));
    check->setToolTip(QStringLiteral(
        "Checking this box will enable changes to be made to the empirically determined "
        "variables used in the calculation of the Pillar Strength (not recommended)"));
    // The caption runs from the tab's edge up to the right column.
    check->setGeometry(DesignRect(90, row(6), right - 150, kFieldHeight));
    auto* continue2 =
        addButton(tab, QStringLiteral("cmdCalculateAndContinue2"), kCalculateAndContinueCaption,
                  ArialFont(11.25, true), DesignRect(right, row(6), kFieldWidth, kFieldHeight),
                  QStringLiteral("Calculate the pillar strength"));

    QLineEdit* formula = MakeReadOnlyBox(tab, QStringLiteral("txtFormula"), {}, kLightGrey);
    formula->setFont(ArialFont(9, true));
    formula->setAlignment(Qt::AlignCenter);
    formula->setToolTip(
        QStringLiteral("Indicates the formula used in the determination of the Pillar Strength"));
    formula->setGeometry(DesignRect(left, row(7), rowWidth(), 375));

    connect(determineK, &QPushButton::clicked, this, &CalculationScreen::cmdDetermineK_Click);
    connect(calculate, &QPushButton::clicked, this,
            &CalculationScreen::cmdCalculatePillarStrength_Click);
    connect(continue2, &QPushButton::clicked, this,
            &CalculationScreen::cmdCalculateAndContinue2_Click);
    connect(check, &QCheckBox::toggled, this, &CalculationScreen::Check1_Click);
}

void CalculationScreen::buildResultsTab(const ResultsTabOptions& options) {
    QWidget* tab = page(kFinalResultsTab);
    const int left = leftColumn_;
    const int right = rightColumn_;
    auto row = [](int i) { return 420 + i * kFieldHeight; };
    auto box = [&](const QString& name, const QString& caption, const QString& text, int x, int y,
                   const QColor& background) {
        QLineEdit* copy = MakeReadOnlyBox(nullptr, name, text, background);
        copy->setFont(ArialFont(9, true));
        copy->setAlignment(Qt::AlignCenter);
        placeField(tab, copy, caption, x, y);
    };
    box(QStringLiteral("txtFRPillarWidth"), QStringLiteral("Pillar width (m)"), {}, left, row(0),
        kWhite);
    box(QStringLiteral("txtFRPillarLength"), QStringLiteral("Pillar length (m)"), {}, right, row(0),
        kWhite);
    box(QStringLiteral("txtFRPillarHeight"), QStringLiteral("Pillar height (m)"), {}, left, row(1),
        kWhite);
    box(QStringLiteral("txtFRWHratio"), QStringLiteral("W:H-ratio"), {}, right, row(1), kWhite);
    box(QStringLiteral("txtFRBordWidth"), options.bordWidthCaption, QStringLiteral("12"), left,
        row(2), options.bordCopyBackground);
    box(QStringLiteral("txtFRBordWidth2"), options.bordWidth2Caption, QStringLiteral("12"), right,
        row(2), options.bordCopyBackground);
    box(QStringLiteral("txtFRDepth"), QStringLiteral("Depth (m)"), {}, left, row(3), kWhite);
    box(QStringLiteral("txtFRK"), QStringLiteral("K (MPa)"), {}, right, row(3), kWhite);
    box(QStringLiteral("txtFRAlpha"), QStringLiteral("α"), QStringLiteral("0.5"), left, row(4),
        kWhite);
    box(QStringLiteral("txtFRBeta"), QStringLiteral("β"), QStringLiteral("0.75"), right, row(4),
        kWhite);
    box(QStringLiteral("txtFRSquatPillarEffect"), QStringLiteral("Start squat pillar"),
        QStringLiteral("4.5"), left, row(5), kWhite);
    box(QStringLiteral("txtFRStrengthIncrease"), QStringLiteral("Strength incr. rate"),
        QStringLiteral("4.5"), right, row(5), kWhite);
    addResult(tab, QStringLiteral("lblFRPillarStress"), QStringLiteral("Pillar stress (MPa)"), left,
              row(6));
    addResult(tab, QStringLiteral("lblFRPillarStrength"), QStringLiteral("Pillar strength"), right,
              row(6));
    addResult(tab, QStringLiteral("lblFRExtraction"), QStringLiteral("% Extraction"), left, row(7));
    addResult(tab, QStringLiteral("lblFRFOS"), QStringLiteral("FOS"), right, row(7));

    QLineEdit* comment = MakeReadOnlyBox(tab, QStringLiteral("txtComment"), {}, kLightGrey);
    comment->setFont(ArialFont(9, true));
    comment->setAlignment(Qt::AlignCenter);
    comment->setGeometry(DesignRect(left, row(8) + 60, rowWidth(), 375));
    auto* print = addButton(
        tab, QStringLiteral("cmdPrint"), QStringLiteral("Print a hardcopy of the results"),
        ArialFont(11.25, true), DesignRect(left, row(8) + 495, rowWidth(), 615));
    connect(print, &QPushButton::clicked, this, &CalculationScreen::cmdPrint_Click);
}

std::vector<ResultMirror> CalculationScreen::StandardResultMirrors() {
    return {
        {QStringLiteral("lblPercentageExtraction"), QStringLiteral("lblFRExtraction")},
        {QStringLiteral("lblWHratio"), QStringLiteral("txtFRWHratio")},
        {QStringLiteral("lblPillarStrength"), QStringLiteral("lblFRPillarStrength")},
        {QStringLiteral("lblFOS"), QStringLiteral("lblFRFOS")},
    };
}

std::vector<InputRule> CalculationScreen::StrengthInputRules(const QStringList& empties) {
    return {
        {QStringLiteral("cboK"), QStringLiteral("txtFRK"), empties},
        {QStringLiteral("cboPillarHeight"), QStringLiteral("txtFRPillarHeight"), empties},
        {QStringLiteral("cboAlpha"), QStringLiteral("txtFRAlpha"), empties},
        {QStringLiteral("cboBeta"), QStringLiteral("txtFRBeta"), empties},
        {QStringLiteral("cboSquatPillarEffect"), QStringLiteral("txtFRSquatPillarEffect"), empties},
        {QStringLiteral("cboStrengthIncrease"), QStringLiteral("txtFRStrengthIncrease"), empties},
    };
}

QStringList CalculationScreen::StrengthAndResultsKeyboardOrder() {
    return {
        QStringLiteral("cboK"),
        QStringLiteral("cmdDetermineK"),
        QStringLiteral("cboPillarHeight"),
        QStringLiteral("cmdCalculatePillarStrength"),
        QStringLiteral("cmdCalculateAndContinue2"),
        QStringLiteral("cboAlpha"),
        QStringLiteral("cboBeta"),
        QStringLiteral("cboSquatPillarEffect"),
        QStringLiteral("cboStrengthIncrease"),
        QStringLiteral("cboPillarWidth"),
        QStringLiteral("Check1"),
        QStringLiteral("cmdPrint"),
    };
}

QStringList CalculationScreen::KItems(int largest) {
    QStringList items{QStringLiteral("4.5"), QStringLiteral("7.2")};
    for (int k = 10; k <= largest; k += 10)
        items << QString::number(k);
    return items;
}

void CalculationScreen::installRules(std::vector<InputRule> rules,
                                     std::vector<ResultMirror> mirrors) {
    rules_ = std::move(rules);
    mirrors_ = std::move(mirrors);
    for (std::size_t i = 0; i < rules_.size(); ++i) {
        QWidget* input = field(rules_[i].input);
        if (auto* combo = qobject_cast<QComboBox*>(input)) {
            connect(combo, &QComboBox::currentTextChanged, this,
                    [this, i](const QString& text) { inputChanged(rules_[i], text); });
        } else if (auto* box = qobject_cast<QLineEdit*>(input)) {
            connect(box, &QLineEdit::textChanged, this,
                    [this, i](const QString& text) { inputChanged(rules_[i], text); });
            box->installEventFilter(this); // a click repeats the copy
        }
    }
    for (const ResultMirror& mirror : mirrors_)
        if (mirror.copyOnClick)
            field(mirror.result)->installEventFilter(this);
}

void CalculationScreen::setKeyboardOrder(const QStringList& names) {
    for (qsizetype i = 1; i < names.size(); ++i)
        QWidget::setTabOrder(field(names[i - 1]), field(names[i]));
}

QPushButton* CalculationScreen::addGraphicToggle() {
    graphicToggle_ = new QPushButton(QStringLiteral("Toggle switch for graphical pillar design"),
                                     page(kPillarStressTab));
    graphicToggle_->setObjectName(QStringLiteral("chkGraphicToggle"));
    graphicToggle_->setCheckable(true);
    graphicToggle_->setAutoDefault(false);
    graphicToggle_->setFont(ArialFont(8.25, true));
    SetBackground(graphicToggle_, kLightGrey);
    graphicToggle_->setGeometry(DesignRect(480, 1560, 3615, 375));
    graphicToggle_->installEventFilter(this);
    connect(graphicToggle_, &QPushButton::toggled, this,
            &CalculationScreen::chkGraphicToggle_Click);
    return graphicToggle_;
}

void CalculationScreen::addDirectionGroups(int top) {
    QWidget* tab = page(kPillarStressTab);
    constexpr int inset = 75;
    constexpr int gap = 45;
    const int height = kInnerTop + 2 * kFieldHeight + gap + inset;
    auto group = [&](const QString& caption, int fieldLeft) {
        QGroupBox* box = MakeFrame(
            tab, caption, DesignRect(fieldLeft - inset, top, kFieldWidth + 2 * inset, height),
            ArialFont(9.75, true, true));
        return box;
    };
    QGroupBox* direction1 = group(QStringLiteral("Direction 1"), leftColumn_);
    QGroupBox* direction2 = group(QStringLiteral("Direction 2"), rightColumn_);
    const QStringList bords = {QStringLiteral("4"), QStringLiteral("8"), QStringLiteral("12"),
                               QStringLiteral("16"), QStringLiteral("20")};
    addCombo(direction1, QStringLiteral("cboPillarWidth1"), QStringLiteral("Pillar width (m)"),
             Counting(1, 10), {}, QStringLiteral("The smallest dimension of the pillar"), inset,
             kInnerTop, false);
    addCombo(direction1, QStringLiteral("cboBordWidth"), QStringLiteral("Bord width 1 (m)"), bords,
             QStringLiteral("12"),
             QStringLiteral("The bord width in the same direction as the pillar width"), inset,
             kInnerTop + kFieldHeight + gap, false);
    addCombo(direction2, QStringLiteral("cboPillarLength"), QStringLiteral("Pillar length (m)"),
             Counting(1, 10), {}, QStringLiteral("The biggest dimension of the pillar"), inset,
             kInnerTop, false);
    addCombo(direction2, QStringLiteral("cboBordWidth2"), QStringLiteral("Bord width 2 (m)"), bords,
             QStringLiteral("12"),
             QStringLiteral("The bord width in the same direction as the pillar length"), inset,
             kInnerTop + kFieldHeight + gap, false);
}

// ---------------------------------------------------------------------------
// Fields

QWidget* CalculationScreen::field(const QString& name) const {
    return findChild<QWidget*>(name);
}

QString CalculationScreen::fieldText(const QString& name) const {
    QWidget* w = field(name);
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentText();
    if (auto* box = qobject_cast<QLineEdit*>(w))
        return box->text();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text();
    return {};
}

void CalculationScreen::setFieldText(const QString& name, const QString& text) {
    QWidget* w = field(name);
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->setEditText(text);
    } else if (auto* box = qobject_cast<QLineEdit*>(w)) {
        box->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        if (label->text() == text)
            return;
        label->setText(text);
        mirrorResult(name);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(text);
    }
}

void CalculationScreen::inputChanged(const InputRule& rule, const QString& text) {
    if (!rule.copy.isEmpty())
        setFieldText(rule.copy, text);
    for (const QString& result : rule.empties)
        setFieldText(result, QString());
    if (rule.resetColours)
        resetWarningColours();
    if (rule.also)
        rule.also(text);
}

void CalculationScreen::mirrorResult(const QString& result) {
    for (const ResultMirror& mirror : mirrors_)
        if (mirror.result == result)
            setFieldText(mirror.twin, fieldText(result));
}

void CalculationScreen::resetWarningColours() {
    SetBackground(field(QStringLiteral("lblWHratio")), kLightGrey);
    SetBackground(field(QStringLiteral("txtFRWHratio")), kWhite);
    SetBackground(field(QStringLiteral("lblFOS")), kLightGrey);
    SetBackground(field(QStringLiteral("lblFRFOS")), kLightGrey);
}

bool CalculationScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == graphicToggle_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            chkGraphicToggle_Enter();
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonPress) {
        const QString name = watched->objectName();
        for (const ResultMirror& mirror : mirrors_)
            if (mirror.result == name && mirror.copyOnClick)
                mirrorResult(name);
        if (qobject_cast<QLineEdit*>(watched))
            for (const InputRule& rule : rules_)
                if (rule.input == name && !rule.copy.isEmpty())
                    setFieldText(rule.copy, fieldText(name));
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// Checks and conversions

bool CalculationScreen::requireFilled(const QStringList& names, const QString& message) const {
    for (const QString& name : names)
        if (fieldText(name).isEmpty()) {
            ShowMessage(message, kInsufficientDataTitle);
            return false;
        }
    return true;
}

std::optional<float> CalculationScreen::readSingle(const QString& name) const {
    const auto value = ReadSingle(fieldText(name));
    if (!value)
        ShowMessage(
            QStringLiteral("The value in \"%1\" is not a number").arg(FieldCaption(field(name))),
            kInvalidDataTitle);
    return value;
}

std::optional<double> CalculationScreen::readDouble(const QString& name) const {
    const auto value = ReadDouble(fieldText(name));
    if (!value)
        ShowMessage(
            QStringLiteral("The value in \"%1\" is not a number").arg(FieldCaption(field(name))),
            kInvalidDataTitle);
    return value;
}

void CalculationScreen::ReportFault(engine::Fault fault) {
    using engine::Fault;
    QString text;
    switch (fault) {
    case Fault::None:
        return;
    case Fault::NotANumber:
        text = QStringLiteral("A value is not a finite number");
        break;
    case Fault::ZeroTributaryArea:
        text = QStringLiteral("The pillar width plus the bord width must not be 0 in either "
                              "direction");
        break;
    case Fault::FullExtraction:
        text = QStringLiteral("The pillar width and the pillar length must not be 0");
        break;
    case Fault::ZeroPerimeter:
        text = QStringLiteral("The pillar width plus the pillar length must not be 0");
        break;
    case Fault::ZeroHeight:
        text = QStringLiteral("The pillar height must not be 0");
        break;
    case Fault::ZeroSquatStart:
        text = QStringLiteral("The start squat pillar value must not be 0");
        break;
    case Fault::ZeroIncreaseRate:
        text = QStringLiteral("The strength increase rate must not be 0");
        break;
    case Fault::ZeroStress:
        text = QStringLiteral("The average pillar stress must not be 0");
        break;
    case Fault::NegativeBase:
        text = QStringLiteral("The pillar width, length and height and the start squat pillar "
                              "value must not be negative");
        break;
    case Fault::Overflow:
        text = QStringLiteral("The result is too large: check the values");
        break;
    }
    ShowMessage(text, kInvalidDataTitle);
}

// ---------------------------------------------------------------------------
// Steps

void CalculationScreen::moveToTab(int index, const QString& focusName) {
    tabs_->setFocus();
    tabs_->setCurrentIndex(index);
    if (QWidget* target = field(focusName))
        target->setFocus();
}

bool CalculationScreen::calculateEffectiveWidth(bool report) {
    const QString widthName = QStringLiteral("cboPillarWidth1");
    const QString lengthName = QStringLiteral("cboPillarLength");
    if (fieldText(widthName).isEmpty() || fieldText(lengthName).isEmpty())
        return false;
    const auto w = ReadDouble(fieldText(widthName));
    const auto l = ReadDouble(fieldText(lengthName));
    if (!w || !l) {
        if (report)
            (void)(w ? readDouble(lengthName) : readDouble(widthName));
        return false;
    }
    const auto weff = engine::CalculateEffectivePillarWidth(*w, *l);
    if (!weff) {
        if (report)
            ReportFault(weff.fault());
        return false;
    }
    setFieldText(QStringLiteral("cboPillarWidth"), ShowResult(weff.value(), 1));
    return true;
}

std::optional<float> CalculationScreen::calculatePlanExtraction() {
    const auto w = readSingle(QStringLiteral("cboPillarWidth1"));
    if (!w)
        return std::nullopt;
    const auto l = readSingle(QStringLiteral("cboPillarLength"));
    if (!l)
        return std::nullopt;
    const auto b1 = readSingle(QStringLiteral("cboBordWidth"));
    if (!b1)
        return std::nullopt;
    const auto b2 = readSingle(QStringLiteral("cboBordWidth2"));
    if (!b2)
        return std::nullopt;
    const auto extraction = engine::CalculatePercentageExtraction(*w, *l, *b1, *b2);
    if (!extraction) {
        ReportFault(extraction.fault());
        return std::nullopt;
    }
    return extraction.value();
}

void CalculationScreen::continueToStrengthTab(bool stepSucceeded) {
    if (!calculateEffectiveWidth(stepSucceeded))
        return;
    moveToTab(kPillarStrengthTab, QStringLiteral("cboK"));
    setFieldText(QStringLiteral("cmdCalculateAndContinue1"),
                 QStringLiteral("Calculate and Continue"));
}

bool CalculationScreen::calculatePillarStrength() {
    const QStringList required = {
        QStringLiteral("cboK"),
        QStringLiteral("cboPillarWidth"),
        QStringLiteral("cboPillarHeight"),
        QStringLiteral("cboAlpha"),
        QStringLiteral("cboBeta"),
        QStringLiteral("cboSquatPillarEffect"),
        QStringLiteral("cboStrengthIncrease"),
        strengthReadinessResult(),
    };
    if (!requireFilled(required, strengthReadinessMessage()))
        return false;

    // Read every input before anything changes; the first bad one is named.
    const QStringList inputs = {
        QStringLiteral("cboPillarWidth"),
        QStringLiteral("cboPillarLength"),
        QStringLiteral("cboPillarHeight"),
        QStringLiteral("cboK"),
        QStringLiteral("cboAlpha"),
        QStringLiteral("cboBeta"),
        QStringLiteral("cboSquatPillarEffect"),
        QStringLiteral("cboStrengthIncrease"),
    };
    std::vector<float> values;
    for (const QString& name : inputs) {
        const auto value = readSingle(name);
        if (!value)
            return false;
        values.push_back(*value);
    }
    const engine::StrengthInputs in{values[0], values[1], values[2], values[3],
                                    values[4], values[5], values[6], values[7]};
    const auto strength = engine::CalculatePillarStrength(in);
    if (!strength) {
        ReportFault(strength.fault());
        return false;
    }
    const auto safety =
        engine::CalculateFactorOfSafety(strength.value().strength, State().AveragePillarStress);
    if (!safety) {
        ReportFault(safety.fault());
        return false;
    }

    const engine::StrengthResult& s = strength.value();
    if (s.widthHeightTooSmall) {
        SetBackground(field(QStringLiteral("lblWHratio")), kWarningRed);
        SetBackground(field(QStringLiteral("txtFRWHratio")), kWarningRed);
        RaisePopUp(kPopUpWH, kWidthHeightWarning);
    } else {
        SetBackground(field(QStringLiteral("lblWHratio")), kLightGrey);
        SetBackground(field(QStringLiteral("txtFRWHratio")), kWhite);
    }
    setFieldText(QStringLiteral("lblWHratio"), ShowResult(s.widthHeightRatio, 1));
    setFieldText(QStringLiteral("lblPillarStrength"), ShowResult(s.strength, 1));
    const QString sentence = QString::fromUtf8(engine::FormulaMessage(s.formula));
    setFieldText(QStringLiteral("txtFormula"), sentence);
    setFieldText(QStringLiteral("txtComment"), sentence);
    const QColor fosColour = safety.value().tooSmall ? kWarningRed : kLightGrey;
    SetBackground(field(QStringLiteral("lblFOS")), fosColour);
    SetBackground(field(QStringLiteral("lblFRFOS")), fosColour);
    if (safety.value().tooSmall)
        RaisePopUp(kPopUpFOS, kSafetyWarning);
    setFieldText(QStringLiteral("lblFOS"), ShowResult(safety.value().factorOfSafety, 1));
    setFieldText(QStringLiteral("cmdCalculateAndContinue2"), kContinueCaption);
    return true;
}

void CalculationScreen::continueToFinalResults() {
    moveToTab(kFinalResultsTab, QStringLiteral("cmdPrint"));
    calculatePillarStrength();
    setFieldText(QStringLiteral("cmdCalculateAndContinue2"), kCalculateAndContinueCaption);
}

ReportRequest CalculationScreen::buildReportRequest() const {
    static const char* const sources[] = {
        "txtFRPillarWidth",
        "txtFRPillarLength",
        "txtFRPillarHeight",
        "txtFRBordWidth",
        "txtFRBordWidth2",
        "txtFRDepth",
        "txtFRK",
        "txtFRAlpha",
        "txtFRBeta",
        "txtFRSquatPillarEffect",
        "txtFRStrengthIncrease",
        "lblFRExtraction",
        "txtFRWHratio",
        "lblFRPillarStress",
        "lblFRPillarStrength",
        "lblFRFOS",
    };
    ReportRequest request;
    for (const char* name : sources)
        request.values << fieldText(QString::fromLatin1(name));
    request.comment = fieldText(QStringLiteral("txtComment"));
    request.stressSource = stressSourceSentence();
    return request;
}

// ---------------------------------------------------------------------------
// Handlers

void CalculationScreen::mnuNewCalculation_Click() {
    Windows().show(QStringLiteral("frmSplash"));
    CloseAllWindows();
}

void CalculationScreen::mnuExit_Click() {
    EndProgram();
}

void CalculationScreen::mnuAbout_Click() {
    Windows().show(QStringLiteral("frmAbout"));
}

void CalculationScreen::closeEvent(QCloseEvent* event) {
    CloseAllWindows();
    QMainWindow::closeEvent(event);
}

void CalculationScreen::cmdDetermineK_Click() {
    Windows().show(QStringLiteral("frmMedianUCS"));
}

void CalculationScreen::cmdCalculatePillarStrength_Click() {
    calculatePillarStrength();
}

void CalculationScreen::cmdCalculateAndContinue2_Click() {
    continueToFinalResults();
}

void CalculationScreen::Check1_Click(bool checked) {
    for (const QString& name : kFormulaVariables)
        field(name)->setEnabled(checked);
}

void CalculationScreen::cmdPrint_Click() {
    moveToTab(kPillarStressTab, firstInputName());
    RequestReport(buildReportRequest());
}

void CalculationScreen::chkGraphicToggle_Click(bool on) {
    if (on)
        graphicSwitchOn();
    else
        graphicSwitchOff();
}

void CalculationScreen::chkGraphicToggle_Enter() {
    if (!graphicToggle_->isChecked())
        graphicToggle_->setChecked(true); // runs the switch-on steps
    graphicSwitchOn();
}

void CalculationScreen::graphicSwitchOn() {
    for (const QString& name : kPlanDimensions)
        field(name)->setEnabled(false);
    QWidget* dialog = Windows().window(kDimensionsDialog);
    dimensionsDialog_ = dialog;
    if (!dialog)
        return;
    for (const QString& name : kPlanDimensions)
        if (auto* combo = dialog->findChild<QComboBox*>(name))
            combo->setEditText(fieldText(name));
    ShowBesideCaller(dialog, this); // beside this screen, whole on the display
    dialog->raise();
}

void CalculationScreen::graphicSwitchOff() {
    for (const QString& name : kPlanDimensions)
        field(name)->setEnabled(true);
    // The dialog that was shown, even while it is closing itself (its close box
    // switches the toggles off from inside the close).
    QWidget* dialog =
        dimensionsDialog_ ? dimensionsDialog_.data() : Windows().existing(kDimensionsDialog);
    if (!dialog)
        return;
    for (const QString& name : kPlanDimensions)
        if (auto* combo = dialog->findChild<QComboBox*>(name))
            setFieldText(name, combo->currentText());
    dialog->hide();
}

} // namespace vt
