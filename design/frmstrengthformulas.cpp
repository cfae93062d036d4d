#include "design/frmstrengthformulas.h"

#include "app/programstate.h"
#include "app/ucsreadings.h"
#include "app/ui.h"
#include "app/userguide.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vt {

using evaluation::FormulaComparison;
using evaluation::FormulaRow;
using evaluation::NumberLocale;

namespace {

const QString kTitle = QStringLiteral("Strength formulas");
const QColor kOutside(255, 200, 200);

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// What the name's tooltip tells of a preset: its form, what it was fitted
// to and its source.
QString Describe(const FormulaRow& row, const NumberLocale& locale) {
    QStringList lines{row.form};
    if (const engine::StrengthPreset* p = row.preset) {
        QString fitted = QStringLiteral("Fitted to: %1").arg(Text(p->rock));
        if (p->fittedUcs)
            fitted +=
                QStringLiteral(", UCS %1 MPa").arg(evaluation::ShowShortest(*p->fittedUcs, locale));
        if (p->cases)
            fitted += QStringLiteral(", %1 cases").arg(*p->cases);
        lines << fitted << QStringLiteral("Source: %1").arg(Text(p->source));
    }
    return lines.join(QLatin1Char('\n'));
}

QLineEdit* SmallEdit(QWidget* parent, const QString& name, const QString& text, int width = 64) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setMaximumWidth(width);
    return edit;
}

QString InUsersDecimal(const char* text) {
    return QString::fromLatin1(text).replace(QLatin1Char('.'), QLocale().decimalPoint());
}

} // namespace

frmStrengthFormulas::frmStrengthFormulas(QWidget* parent)
    : ToolWindow(guide::kStrengthFormulas, parent) {
    setWindowTitle(kTitle);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(4);
    lblDesign = new QLabel(this);
    lblDesign->setObjectName(QStringLiteral("lblDesign"));
    lblDesign->setWordWrap(true);
    layout->addWidget(lblDesign);
    layout->addWidget(buildInputs());
    layout->addWidget(buildUserFormula());
    lblMessage = new QLabel(this);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setWordWrap(true);
    lblMessage->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0)"));
    layout->addWidget(lblMessage);

    tblFormulas = new QTableWidget(0, kColumns, this);
    tblFormulas->setObjectName(QStringLiteral("tblFormulas"));
    tblFormulas->setHorizontalHeaderLabels(
        {QStringLiteral("Formula (tick to chart; its curve's colour)"),
         QStringLiteral("Strength (MPa)"), QStringLiteral("FOS"), QStringLiteral("Design FOS"),
         QStringLiteral("Meets"), QStringLiteral("W:H of its data"), QStringLiteral("Note")});
    tblFormulas->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblFormulas->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblFormulas->verticalHeader()->setVisible(false);
    tblFormulas->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    tblFormulas->horizontalHeader()->setStretchLastSection(true);
    tblFormulas->setColumnWidth(kName, 290);
    tblFormulas->setColumnWidth(kStrength, 95);
    tblFormulas->setColumnWidth(kFos, 45);
    tblFormulas->setColumnWidth(kDesignFos, 75);
    tblFormulas->setColumnWidth(kMeets, 50);
    tblFormulas->setColumnWidth(kDataRange, 110);
    tblFormulas->setMinimumHeight(120);
    tblFormulas->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(tblFormulas, 3);
    connect(tblFormulas, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() != kName || item->row() >= static_cast<int>(checked_.size()))
            return;
        checked_[static_cast<std::size_t>(item->row())] = item->checkState() == Qt::Checked;
        redrawCharts();
    });

    tabCharts = new QTabWidget(this);
    tabCharts->setObjectName(QStringLiteral("tabCharts"));
    chtStrength = new design::FormulaChart(design::FormulaChartKind::Strength,
                                           QStringLiteral("Strength"), tabCharts);
    chtStability = new design::FormulaChart(design::FormulaChartKind::Stability,
                                            QStringLiteral("Stability"), tabCharts);
    tabCharts->addTab(chtStrength, QStringLiteral("Strength against &W:H"));
    tabCharts->addTab(chtStability, QStringLiteral("Stability &graph"));
    layout->addWidget(tabCharts, 4);

    changed_.setSingleShot(true);
    changed_.setInterval(0);
    connect(&changed_, &QTimer::timeout, this, &frmStrengthFormulas::recompute);
    resize(980, 690);
}

QWidget* frmStrengthFormulas::buildInputs() {
    auto* box = new QGroupBox(QStringLiteral("Rock"), this);
    box->setFlat(true);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(4, 0, 4, 0);
    auto* ucsLabel = new QLabel(QStringLiteral("&UCS (MPa)"), box);
    txtUCS = SmallEdit(box, QStringLiteral("txtUCS"), QString(), 80);
    ucsLabel->setBuddy(txtUCS);
    chkTypeUCS = new QCheckBox(QStringLiteral("T&yped"), box);
    chkTypeUCS->setObjectName(QStringLiteral("chkTypeUCS"));
    chkTypeUCS->setToolTip(
        QStringLiteral("Type the UCS instead of taking the median of the UCS readings"));
    lblUcsSource = new QLabel(box);
    lblUcsSource->setObjectName(QStringLiteral("lblUcsSource"));
    auto* ldfLabel = new QLabel(QStringLiteral("&LDF"), box);
    txtLDF = SmallEdit(box, QStringLiteral("txtLDF"), QStringLiteral("1"), 50);
    txtLDF->setToolTip(QStringLiteral("The large-discontinuity factor of Esterhuizen, Dolinar & "
                                      "Ellenberger (2011): above 0, at most 1 (1: none)"));
    ldfLabel->setBuddy(txtLDF);
    chkScaleToUCS =
        new QCheckBox(QStringLiteral("&Scale the published constants to this UCS"), box);
    chkScaleToUCS->setObjectName(QStringLiteral("chkScaleToUCS"));
    chkScaleToUCS->setToolTip(QStringLiteral(
        "Multiply each constant in MPa by the UCS over the UCS its formula was fitted to"));
    row->addWidget(ucsLabel);
    row->addWidget(txtUCS);
    row->addWidget(chkTypeUCS);
    row->addWidget(lblUcsSource, 1);
    row->addWidget(ldfLabel);
    row->addWidget(txtLDF);
    row->addWidget(chkScaleToUCS);
    connect(txtUCS, &QLineEdit::textChanged, this, &frmStrengthFormulas::inputChanged);
    connect(txtLDF, &QLineEdit::textChanged, this, &frmStrengthFormulas::inputChanged);
    connect(chkTypeUCS, &QCheckBox::toggled, this, &frmStrengthFormulas::inputChanged);
    connect(chkScaleToUCS, &QCheckBox::toggled, this, &frmStrengthFormulas::inputChanged);
    return box;
}

QWidget* frmStrengthFormulas::buildUserFormula() {
    auto* box = new QGroupBox(QStringLiteral("Your own formula"), this);
    box->setFlat(true);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(4, 0, 4, 0);
    chkUserFormula = new QCheckBox(QStringLiteral("&Add"), box);
    chkUserFormula->setObjectName(QStringLiteral("chkUserFormula"));
    cboUserForm = new QComboBox(box);
    cboUserForm->setObjectName(QStringLiteral("cboUserForm"));
    cboUserForm->addItems({QStringLiteral("K W^a / H^b"), QStringLiteral("C (a + b W/H)")});
    WheelOnlyWhenFocused(cboUserForm);
    row->addWidget(chkUserFormula);
    row->addWidget(cboUserForm);
    const auto field = [&](const QString& caption, const QString& name, const QString& text) {
        auto* label = new QLabel(caption, box);
        QLineEdit* edit = SmallEdit(box, name, text, 56);
        label->setBuddy(edit);
        row->addWidget(label);
        row->addWidget(edit);
        connect(edit, &QLineEdit::textChanged, this, &frmStrengthFormulas::inputChanged);
        return edit;
    };
    txtUserConstant =
        field(QStringLiteral("K or &C"), QStringLiteral("txtUserConstant"), QStringLiteral("100"));
    txtUserA = field(QStringLiteral("&a"), QStringLiteral("txtUserA"), InUsersDecimal("0.5"));
    txtUserB = field(QStringLiteral("&b"), QStringLiteral("txtUserB"), InUsersDecimal("0.75"));
    txtUserFOS =
        field(QStringLiteral("&Design FOS"), QStringLiteral("txtUserFOS"), InUsersDecimal("1.6"));
    txtUserFrom = field(QStringLiteral("Data W:H &from"), QStringLiteral("txtUserFrom"), QString());
    txtUserTo = field(QStringLiteral("t&o"), QStringLiteral("txtUserTo"), QString());
    row->addStretch(1);
    connect(chkUserFormula, &QCheckBox::toggled, this, &frmStrengthFormulas::inputChanged);
    connect(cboUserForm, &QComboBox::currentIndexChanged, this, &frmStrengthFormulas::inputChanged);
    return box;
}

evaluation::FormulaInputs frmStrengthFormulas::inputs() const {
    evaluation::FormulaInputs in;
    if (const DesignSource* screen = source())
        in.design = screen->designTexts();
    in.ucs = txtUCS->text();
    in.ldf = txtLDF->text();
    in.scaleToUcs = chkScaleToUCS->isChecked();
    if (chkUserFormula->isChecked())
        in.user = evaluation::UserFormulaTexts{cboUserForm->currentIndex() == 1,
                                               txtUserConstant->text(),
                                               txtUserA->text(),
                                               txtUserB->text(),
                                               txtUserFOS->text(),
                                               txtUserFrom->text(),
                                               txtUserTo->text()};
    return in;
}

std::vector<bool> frmStrengthFormulas::shownRows() const {
    return checked_;
}

void frmStrengthFormulas::ucsReadingsChanged() {
    changed_.start();
}

void frmStrengthFormulas::refreshUcs() {
    const NumberLocale locale = NumberLocale::Current();
    const UcsReadingTexts ucs = UcsReadingsFor(source());
    std::vector<float> readings;
    bool all = !ucs.readings.isEmpty();
    for (const QString& text : ucs.readings) {
        const auto r = evaluation::ReadSingle(text, locale);
        all = all && r.ok();
        readings.push_back(r.value);
    }
    const std::optional<float> median = all ? engine::MedianUCS(readings) : std::nullopt;
    chkTypeUCS->setEnabled(median.has_value());
    if (median && !chkTypeUCS->isChecked()) {
        const QSignalBlocker blocker(txtUCS);
        txtUCS->setText(evaluation::ShowResult(*median, 2, locale));
        txtUCS->setReadOnly(true);
        lblUcsSource->setText(
            QStringLiteral("the median of %1 UCS readings, not downgraded").arg(readings.size()));
        return;
    }
    txtUCS->setReadOnly(false);
    lblUcsSource->setText(median ? QStringLiteral("typed (the readings' median is %1)")
                                       .arg(evaluation::ShowResult(*median, 2, locale))
                                 : QStringLiteral("typed: there are no UCS readings"));
}

void frmStrengthFormulas::recompute() {
    DesignSource* screen = source();
    if (!screen) {
        lblDesign->setText(QStringLiteral("No calculation screen is followed"));
        showRefusal(QStringLiteral("Open the strength formulas from a calculation screen's "
                                   "Design menu"));
        return;
    }
    setWindowTitle(QStringLiteral("%1 - %2").arg(kTitle, sourceTitle()));
    refreshUcs();
    const NumberLocale locale = NumberLocale::Current();
    const evaluation::FormulaInputs in = inputs();
    const auto c = evaluation::CompareFormulas(in, locale, &State().ModellingResults);
    if (!c) {
        lblDesign->setText(
            QStringLiteral("The design on \"%1\" has no strength yet").arg(sourceTitle()));
        showRefusal(c.refusal().message);
        return;
    }
    shown_ = c.value();
    const evaluation::Evaluation& e = shown_->screen;
    lblDesign->setText(
        QStringLiteral("The pillar on \"%1\": effective width %2 m, height %3 m, "
                       "W:H %4, pillar stress %5 MPa")
            .arg(sourceTitle(), e.effectiveWidth, in.design.height, e.widthHeightRatio, e.stress));
    lblMessage->clear();
    fillTable(*shown_);
    redrawCharts();
}

void frmStrengthFormulas::showRefusal(const QString& message) {
    shown_.reset();
    lblMessage->setText(message);
    const QSignalBlocker blocker(tblFormulas);
    tblFormulas->setRowCount(0);
    chtStrength->showMessage(message);
    chtStability->showMessage(message);
}

void frmStrengthFormulas::fillTable(const FormulaComparison& c) {
    const NumberLocale locale = NumberLocale::Current();
    const QSignalBlocker blocker(tblFormulas);
    const int rows = static_cast<int>(c.rows.size());
    if (checked_.size() < c.rows.size())
        checked_.resize(c.rows.size(), true);
    tblFormulas->setRowCount(rows);
    for (int i = 0; i < rows; ++i) {
        const FormulaRow& row = c.rows[static_cast<std::size_t>(i)];
        const bool shown = checked_[static_cast<std::size_t>(i)];
        const QString range =
            row.outsideData ? QStringLiteral("%1: outside").arg(row.dataRange) : row.dataRange;
        const QString texts[kColumns] = {
            row.name, row.strength, row.factorOfSafety, row.designFos, row.meets, range, row.note};
        for (int column = 0; column < kColumns; ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            if (column != kName && column != kNote)
                item->setTextAlignment(Qt::AlignCenter);
            tblFormulas->setItem(i, column, item);
        }
        QTableWidgetItem* name = tblFormulas->item(i, kName);
        name->setFlags(name->flags() | Qt::ItemIsUserCheckable);
        name->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
        name->setToolTip(Describe(row, locale));
        QPixmap swatch(12, 12);
        swatch.fill(design::FormulaColour(row.key));
        name->setIcon(QIcon(swatch));
        tblFormulas->item(i, kNote)->setToolTip(row.note);
        if (row.outsideData)
            tblFormulas->item(i, kDataRange)->setBackground(kOutside);
    }
}

void frmStrengthFormulas::redrawCharts() {
    if (!shown_)
        return;
    const NumberLocale locale = NumberLocale::Current();
    const evaluation::FormulaCharts charts =
        evaluation::ChartFormulas(*shown_, inputs(), checked_, locale, &State().ModellingResults);
    const QString caption = lblDesign->text();
    chtStrength->showCharts(charts, caption, locale);
    chtStability->showCharts(charts, caption, locale);
    // A row's grey follows its check mark; a design FOS not met is red.
    const QSignalBlocker blocker(tblFormulas);
    for (int i = 0; i < tblFormulas->rowCount(); ++i)
        for (int column = 0; column < kColumns; ++column)
            if (QTableWidgetItem* item = tblFormulas->item(i, column))
                item->setForeground(checked_[static_cast<std::size_t>(i)]
                                        ? (column == kMeets && item->text() == QLatin1String("no")
                                               ? QBrush(kWarningRed)
                                               : QBrush(Qt::black))
                                        : QBrush(QColor(128, 128, 128)));
}

} // namespace vt
