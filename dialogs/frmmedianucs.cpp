#include "dialogs/frmmedianucs.h"

#include "app/messages.h"
#include "app/numbers.h"
#include "app/programstate.h"
#include "app/ui.h"
#include "engine/engine.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QPushButton>
#include <QToolButton>
#include <vector>

namespace vt {

namespace {

const QString kNoCalculation =
    QStringLiteral("Fill in at least one UCS before a calculation can be done");

// The screens that take K, in the order they are written.

QLineEdit* MakeCentredBox(QWidget* parent, const QString& name, const QString& text,
                          const QRect& geometry, const QFont& font) {
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(name);
    box->setAlignment(Qt::AlignCenter);
    box->setGeometry(geometry);
    box->setFont(font);
    return box;
}

// A bold arrow pointing right, or left when mirrored, drawn for the buttons.
QIcon ArrowIcon(bool pointsLeft) {
    const int size = Twips(360);
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (pointsLeft) {
        painter.translate(size, 0);
        painter.scale(-1, 1);
    }
    const double u = size / 24.0;
    const QPolygonF arrow({{2 * u, 9 * u},
                           {13 * u, 9 * u},
                           {13 * u, 3 * u},
                           {22 * u, 12 * u},
                           {13 * u, 21 * u},
                           {13 * u, 15 * u},
                           {2 * u, 15 * u}});
    painter.setPen(Qt::NoPen);
    painter.setBrush(kNavy);
    painter.drawPolygon(arrow);
    return QIcon(pixmap);
}

QToolButton* MakeArrowButton(QWidget* parent, const QString& name, bool pointsLeft,
                             const QRect& geometry, const QString& toolTip) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(ArrowIcon(pointsLeft));
    button->setIconSize(QSize(Twips(360), Twips(360)));
    button->setGeometry(geometry);
    button->setToolTip(toolTip);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

} // namespace

frmMedianUCS::frmMedianUCS(QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("UCS-data"));
    setFont(ArialFont(8.25));
    setGeometry(TwipsRect(105, 390, 3630, 6375));

    const QFont frameFont = ArialFont(11.25, true);
    const QFont boxFont = ArialFont(9);
    const QFont buttonFont = ArialFont(9, true, true);

    // Left column: input, percentage, median, K.
    auto* fraInput =
        MakeFrame(this, QStringLiteral("UCS input"), TwipsRect(120, 120, 1575, 795), frameFont);
    txtInputUCS_ = MakeCentredBox(fraInput, QStringLiteral("txtInputUCS"), QString(),
                                  TwipsRect(120, 360, 1335, 315), boxFont);
    txtInputUCS_->setToolTip(QStringLiteral("Key a UCS-value into the text box and press the "
                                            "right arrow to store in the list"));

    auto* fraDowngrade = MakeFrame(this, QStringLiteral("%Downgrade"),
                                   TwipsRect(120, 1320, 1575, 795), ArialFont(9, true));
    txtDowngradePercentage_ =
        MakeCentredBox(fraDowngrade, QStringLiteral("txtDowngradePercentage"),
                       QStringLiteral("66.67"), TwipsRect(120, 360, 1335, 315), ArialFont(8.25));
    txtDowngradePercentage_->setToolTip(QStringLiteral(
        "The amount by which the median UCS-value will be downgraded for the calculation "
        "of the K-value"));

    auto* fraMedian =
        MakeFrame(this, QStringLiteral("UCS (med)"), TwipsRect(120, 2520, 1575, 795), frameFont);
    txtMedianUCS_ =
        MakeReadOnlyBox(fraMedian, QStringLiteral("txtMedianUCS"), QString(), kLightGrey);
    txtMedianUCS_->setAlignment(Qt::AlignCenter);
    txtMedianUCS_->setGeometry(TwipsRect(120, 360, 1335, 315));
    txtMedianUCS_->setFont(boxFont);
    txtMedianUCS_->setToolTip(
        QStringLiteral("The median of the UCS-values in the \"UCS-data\" list"));

    auto* fraK = MakeFrame(this, QStringLiteral("K"), TwipsRect(120, 3720, 1575, 795), frameFont);
    txtCalculatedK_ =
        MakeReadOnlyBox(fraK, QStringLiteral("txtCalculatedK"), QString(), kLightGrey);
    txtCalculatedK_->setAlignment(Qt::AlignCenter);
    txtCalculatedK_->setGeometry(TwipsRect(120, 360, 1335, 315));
    txtCalculatedK_->setFont(boxFont);
    txtCalculatedK_->setToolTip(QStringLiteral(
        "The compressive strength of a cube of unit length of pillar material, calculated by "
        "downgrading the median UCS-value"));

    // The arrows between the input and the list: add above erase.
    cmdAddToList_ = MakeArrowButton(
        this, QStringLiteral("cmdAddToList"), false, TwipsRect(1800, 300, 480, 405),
        QStringLiteral("This arrow adds the value in the \"UCS iput\" box to the list on the "
                       "right"));
    cmdEraseFromList_ = MakeArrowButton(
        this, QStringLiteral("cmdEraseFromList"), true, TwipsRect(1800, 840, 480, 405),
        QStringLiteral("When a value in the list is selected, this arrow will remove the value "
                       "from the list"));

    // The list down the right-hand side.
    auto* fraList =
        MakeFrame(this, QStringLiteral("UCS-data"), TwipsRect(2385, 120, 1125, 4395), frameFont);
    lstUCS_ = new QListWidget(fraList);
    lstUCS_->setObjectName(QStringLiteral("lstUCS"));
    lstUCS_->setGeometry(TwipsRect(105, 360, 915, 3915));
    lstUCS_->setFont(boxFont);
    lstUCS_->setSelectionMode(QAbstractItemView::SingleSelection);
    lstUCS_->setToolTip(QStringLiteral("A list of UCS-values for the determination of the median "
                                       "UCS-value as well as the K-value"));

    // Across the bottom: calculate, and under it accept.
    cmdCalculateK_ = new QPushButton(QStringLiteral("Calculate UCS (median) and K"), this);
    cmdCalculateK_->setObjectName(QStringLiteral("cmdCalculateK"));
    cmdCalculateK_->setFont(buttonFont);
    cmdCalculateK_->setGeometry(TwipsRect(120, 4740, 3390, 555));
    cmdCalculateK_->setToolTip(
        QStringLiteral("Calculate the median UCS-value and downgrade to determine K"));

    cmdAccept_ = new QPushButton(QStringLiteral("Accept the values and continue"), this);
    cmdAccept_->setObjectName(QStringLiteral("cmdAccept"));
    cmdAccept_->setFont(buttonFont);
    cmdAccept_->setGeometry(TwipsRect(120, 5460, 3390, 555));
    cmdAccept_->setToolTip(QStringLiteral("Accept all values and return to the previous form"));
    cmdAccept_->setEnabled(false);

    // Tab order as the form gives it.
    QWidget* order[] = {txtInputUCS_,   cmdAddToList_,   txtDowngradePercentage_,
                        cmdCalculateK_, cmdAccept_,      lstUCS_,
                        txtMedianUCS_,  txtCalculatedK_, cmdEraseFromList_};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    // Enter on a focused button presses it, as Space does.
    for (QAbstractButton* button :
         {static_cast<QAbstractButton*>(cmdAddToList_),
          static_cast<QAbstractButton*>(cmdEraseFromList_),
          static_cast<QAbstractButton*>(cmdCalculateK_), static_cast<QAbstractButton*>(cmdAccept_)})
        PressOnEnter(button);

    connect(cmdAddToList_, &QToolButton::clicked, this, &frmMedianUCS::cmdAddToList_Click);
    connect(cmdEraseFromList_, &QToolButton::clicked, this, &frmMedianUCS::cmdEraseFromList_Click);
    connect(cmdCalculateK_, &QPushButton::clicked, this, &frmMedianUCS::cmdCalculateK_Click);
    connect(cmdAccept_, &QPushButton::clicked, this, &frmMedianUCS::cmdAccept_Click);
    connect(txtInputUCS_, &QLineEdit::textChanged, this, &frmMedianUCS::txtInputUCS_Change);
    QAbstractItemModel* list = lstUCS_->model();
    connect(list, &QAbstractItemModel::rowsInserted, this, &frmMedianUCS::readingsChanged);
    connect(list, &QAbstractItemModel::rowsRemoved, this, &frmMedianUCS::readingsChanged);
    connect(list, &QAbstractItemModel::dataChanged, this, &frmMedianUCS::readingsChanged);
    connect(txtDowngradePercentage_, &QLineEdit::textChanged, this, &frmMedianUCS::readingsChanged);
}

void frmMedianUCS::readingsChanged() {
    for (const QString& name : Windows().role(WindowRole::UcsReadingsListener))
        if (auto* listener = Windows().existing<UcsReadingsListener>(name))
            listener->ucsReadingsChanged();
}

void frmMedianUCS::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    readingsChanged(); // the readings go with the dialog
}

QStringList frmMedianUCS::ucsReadings() const {
    QStringList readings;
    for (int i = 0; i < lstUCS_->count(); ++i)
        readings << lstUCS_->item(i)->text();
    return readings;
}

QString frmMedianUCS::downgradePercentage() const {
    return txtDowngradePercentage_->text();
}

void frmMedianUCS::cmdAddToList_Click() {
    if (txtInputUCS_->text().isEmpty()) {
        ShowMessage(QStringLiteral("Fill in a UCS reading"), QStringLiteral("Missing reading"));
    } else {
        // Kept exactly as typed; Calculate judges it.
        lstUCS_->addItem(txtInputUCS_->text());
        txtInputUCS_->clear();
    }
    txtInputUCS_->setFocus();
}

void frmMedianUCS::cmdEraseFromList_Click() {
    QListWidgetItem* item = lstUCS_->currentItem();
    if (!item || !item->isSelected()) {
        ShowMessage(QStringLiteral("No selection was made for removal"),
                    QStringLiteral("No selection"));
        return;
    }
    delete lstUCS_->takeItem(lstUCS_->row(item));
    // After a removal nothing is selected, so a second press asks again.
    lstUCS_->clearSelection();
    lstUCS_->setCurrentRow(-1);
}

void frmMedianUCS::cmdCalculateK_Click() {
    std::vector<float> readings;
    readings.reserve(static_cast<std::size_t>(lstUCS_->count()));
    for (int i = 0; i < lstUCS_->count(); ++i) {
        const auto reading = ReadSingle(lstUCS_->item(i)->text());
        if (!reading) {
            ShowMessage(kNoCalculation, kAppTitle);
            return;
        }
        readings.push_back(*reading);
    }
    const auto median = engine::MedianUCS(readings);
    if (!median) {
        ShowMessage(kNoCalculation, kAppTitle);
        return;
    }
    txtMedianUCS_->setText(ShowResult(*median, 2));

    // A bad percentage leaves the new median shown and K as it was.
    const auto percentage = ReadSingle(txtDowngradePercentage_->text());
    const auto k = percentage ? engine::DowngradedK(*median, *percentage)
                              : engine::Outcome<float>(engine::Fault::NotANumber);
    const QString shownK = k ? ShowResult(k.value(), 2) : QString();
    const auto handedOn = ReadSingle(shownK);
    if (!handedOn) {
        ShowMessage(kNoCalculation, kAppTitle);
        return;
    }
    txtCalculatedK_->setText(shownK);
    acceptedK_ = *handedOn;
    derivedFrom_ = {{}, txtDowngradePercentage_->text(), txtMedianUCS_->text()};
    for (int i = 0; i < lstUCS_->count(); ++i)
        derivedFrom_.readings << lstUCS_->item(i)->text();
    cmdAccept_->setEnabled(true);
}

void frmMedianUCS::txtInputUCS_Change() {
    txtMedianUCS_->clear();
    cmdAccept_->setEnabled(false);
}

void frmMedianUCS::cmdAccept_Click() {
    // The K handed on is already rounded to two decimals.
    const QString text = ShowResult(acceptedK_, 2);
    // Each screen is created (not shown) if it does not exist, and takes K
    // through its own change handling.
    for (const QString& name : Windows().role(WindowRole::StrengthConstantTarget)) {
        if (!Windows().hasFactory(name))
            continue;
        if (auto* screen = Windows().window<StrengthConstantTarget>(name))
            screen->setStrengthConstantFromReadings(text, derivedFrom_);
    }
    close();
}

} // namespace vt
