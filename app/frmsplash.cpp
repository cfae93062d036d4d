#include "app/frmsplash.h"

#include "app/interfaces.h"
#include "app/messages.h"
#include "app/programstate.h"
#include "app/shellwindows.h"
#include "app/ui.h"
#include "app/windownames.h"
#include "results/core/modellingfile.h"

#include <QCloseEvent>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <utility>

// The pictures live in this static library: their resources must be pulled in
// by name.
static void InitShellPictures() {
    Q_INIT_RESOURCE(pictures);
}

namespace vt {

const QString kDisclaimer = QStringLiteral(
    "This program is an aid to pillar design only. The design remains the "
    "responsibility of the engineer; all results must be checked by a competent person.");

namespace {

const QColor kButtonGrey(192, 192, 192);
constexpr int kSplashIntervalMs = 1200;

// The icons of the two graphical buttons, drawn here: a tick and a cross.
QIcon MarkIcon(bool tick) {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(tick ? QColor(0, 128, 0) : QColor(176, 0, 0), 4, Qt::SolidLine,
                        Qt::RoundCap, Qt::RoundJoin));
    if (tick) {
        QPainterPath path;
        path.moveTo(4, 13);
        path.lineTo(10, 19);
        path.lineTo(20, 5);
        painter.drawPath(path);
    } else {
        painter.drawLine(5, 5, 19, 19);
        painter.drawLine(19, 5, 5, 19);
    }
    return QIcon(pixmap);
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, const QRect& rect,
                  const QFont& font, Qt::Alignment alignment) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(rect);
    label->setFont(font);
    label->setAlignment(alignment);
    label->setWordWrap(true);
    return label;
}

void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& text,
                        const QRect& rect, const QFont& font, const QString& toolTip = {}) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(rect);
    button->setFont(font);
    button->setAutoDefault(false);
    PressOnEnter(button);
    if (!toolTip.isEmpty())
        button->setToolTip(toolTip);
    return button;
}

} // namespace

QPixmap ShellPicture(int index) {
    static const bool initialised = (InitShellPictures(), true);
    Q_UNUSED(initialised);
    // Decoded once and then shared by every window that shows it.
    const QString key = QStringLiteral(":/pictures/picture%1.png").arg(index);
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture.load(key);
        QPixmapCache::insert(key, picture);
    }
    return picture;
}

void FitTextToWidth(QLabel* label) {
    QFont font = label->font();
    const int room = label->contentsRect().width();
    for (double spacing = -0.1; spacing >= -0.5; spacing -= 0.1) {
        if (QFontMetrics(font).horizontalAdvance(label->text()) <= room)
            break;
        font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    }
    label->setFont(font);
}

void CentreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect rect = window->geometry();
    rect.moveCenter(screen->availableGeometry().center());
    window->move(rect.topLeft());
}

void ShowNextPicture(const QList<QLabel*>& pictures) {
    std::int16_t& n = State().PictureCounter;
    if (n < 0 || n > 3) // only 0..3 name a picture
        n = 0;
    pictures[n]->show();
    pictures[n == 0 ? 3 : n - 1]->hide();
    n = n == 3 ? 0 : static_cast<std::int16_t>(n + 1);
}

frmSplash::frmSplash(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QString());
    setFont(ArialFont(8.25));
    setFixedSize(Twips(8985), Twips(6225));

    Label2 = MakeLabel(this, QStringLiteral("Label2"), kAppTitle, TwipsRect(120, 120, 8745, 615),
                       ArialFont(21.75, true, true), Qt::AlignCenter);
    SetTextColour(Label2, kNavy);

    for (int i = 0; i < 4; ++i) {
        auto* picture = new QLabel(this);
        picture->setObjectName(QStringLiteral("Image1(%1)").arg(i));
        picture->setGeometry(TwipsRect(240, 840, 4815, 3615));
        picture->setScaledContents(true);
        picture->setPixmap(ShellPicture(i));
        picture->hide();
        Image1 << picture;
    }

    cmdCancel = MakeButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"),
                           TwipsRect(7410, 840, 1335, 435), ArialFont(9, true),
                           QStringLiteral("Exit the program"));

    lblWarning = MakeLabel(this, QStringLiteral("lblWarning"), kDisclaimer,
                           TwipsRect(5280, 1440, 3465, 1935), ArialFont(9), Qt::AlignCenter);
    SetTextColour(lblWarning, kMaroon);
    lblPlatform =
        MakeLabel(this, QStringLiteral("lblPlatform"), QStringLiteral("Windows 95 - Vista"),
                  TwipsRect(5280, 3480, 3465, 375), ArialFont(14.25, true), Qt::AlignCenter);
    SetTextColour(lblPlatform, kPurple);
    lblVersion =
        MakeLabel(this, QStringLiteral("lblVersion"), QStringLiteral("Version 1.2 BETA"),
                  TwipsRect(5280, 3900, 3465, 315), ArialFont(11.25, true), Qt::AlignCenter);
    SetTextColour(lblVersion, kPurple);

    lblMessage1 =
        MakeLabel(this, QStringLiteral("lblMessage1"),
                  QStringLiteral("By pressing 'Accept' the user acknowledge the fact that this is "
                                 "a BETA-version of the software."),
                  TwipsRect(240, 4560, 8505, 555), ArialFont(9, true), Qt::AlignCenter);

    cmdAccept = MakeButton(this, QStringLiteral("cmdAccept"), QStringLiteral("ACCEPT"),
                           TwipsRect(1560, 5220, 2415, 705), ArialFont(9.75, true));
    cmdDecline = MakeButton(this, QStringLiteral("cmdDecline"), QStringLiteral("DECLINE"),
                            TwipsRect(5010, 5220, 2415, 705), ArialFont(9.75, true));
    cmdAccept->setIcon(MarkIcon(true));
    cmdDecline->setIcon(MarkIcon(false));
    for (QPushButton* button : {cmdAccept, cmdDecline}) {
        button->setIconSize(QSize(24, 24));
        SetBackground(button, kButtonGrey);
    }

    frmChoices = new QGroupBox(this);
    frmChoices->setObjectName(names::frmChoices);
    frmChoices->setGeometry(TwipsRect(240, 5100, 8505, 975));
    const QFont choiceFont = ArialFont(11.25, true, true);
    cmdTributaryTheory = MakeButton(
        frmChoices, QStringLiteral("cmdTributaryTheory"), QStringLiteral("Tributary theory"),
        TwipsRect(150, 195, 2595, 585), choiceFont,
        QStringLiteral("Calculate pillar strength and FOS according to the tributary theory"));
    cmdModelledStress = MakeButton(
        frmChoices, QStringLiteral("cmdModelledStress"), QStringLiteral("Modelled stress"),
        TwipsRect(2955, 195, 2595, 585), choiceFont,
        QStringLiteral("Calculate pillar strength and FOS according to stress modelling results"));
    cmdInterpolation = MakeButton(
        frmChoices, QStringLiteral("cmdInterpolation"), QStringLiteral("Interpolation"),
        TwipsRect(5760, 195, 2595, 585), choiceFont,
        QStringLiteral(
            "Interpolate pillar strength and FOS-values from modelling results in a text file"));
    setTabOrder(cmdTributaryTheory, cmdModelledStress);
    setTabOrder(cmdModelledStress, cmdInterpolation);
    frmChoices->hide();

    connect(cmdAccept, &QPushButton::clicked, this, &frmSplash::cmdAccept_Click);
    connect(cmdDecline, &QPushButton::clicked, this, &frmSplash::cmdDecline_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSplash::cmdCancel_Click);
    connect(cmdTributaryTheory, &QPushButton::clicked, this, &frmSplash::cmdTributaryTheory_Click);
    connect(cmdModelledStress, &QPushButton::clicked, this, &frmSplash::cmdModelledStress_Click);
    connect(cmdInterpolation, &QPushButton::clicked, this, &frmSplash::cmdInterpolation_Click);

    // The slideshow runs from the start; no picture shows before its first tick.
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kSplashIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
    Timer1->start();

    CentreOnScreen(this);
    cmdAccept->setFocus();
}

void frmSplash::reject() {
    close();
}

void frmSplash::closeEvent(QCloseEvent* event) {
    event->accept();
}

void frmSplash::showEvent(QShowEvent* event) {
    // The native window exists now and is not yet on the screen. The widget's
    // own title stays empty.
    if (QWindow* window = windowHandle())
        window->setTitle(kBlankWindowTitle);
    QDialog::showEvent(event);
}

void frmSplash::openOnAccept(const QString& path, std::function<bool(const QString&)> open) {
    evaluationToOpen_ = path;
    openEvaluation_ = std::move(open);
}

void frmSplash::cmdAccept_Click() {
    cmdAccept->hide();
    cmdDecline->hide();
    frmChoices->show();
    lblMessage1->clear();
    cmdTributaryTheory->setFocus();
    if (!openEvaluation_)
        return;
    const auto open = std::exchange(openEvaluation_, nullptr);
    // Its screen is shown before this window closes: some window is always open.
    if (open(std::exchange(evaluationToOpen_, QString())))
        close();
}

void frmSplash::cmdDecline_Click() {
    close();
    EndProgram();
}

void frmSplash::cmdCancel_Click() {
    close();
    EndProgram();
}

QWidget* frmSplash::OpenScreen(const QString& name) {
    QWidget* screen = Windows().show(name);
    // Without a screen to go to, the start-up window stays: some window must
    // always be open.
    if (screen)
        close();
    return screen;
}

void frmSplash::cmdTributaryTheory_Click() {
    OpenScreen(names::frmTributary);
}

void frmSplash::cmdModelledStress_Click() {
    OpenScreen(names::frmModelled);
}

void frmSplash::cmdInterpolation_Click() {
    // This window is closing (its deletion waits for the event loop); nothing
    // below touches it.
    if (QWidget* screen = OpenScreen(names::frmInterpolate))
        LoadDefaultModellingResults(screen);
}

void frmSplash::Timer1_Timer() {
    ShowNextPicture(Image1);
}

bool LoadDefaultModellingResults(QWidget* screen) {
    auto& record = State().ModellingResults;
    const QString path = DefaultModellingResultsPath();
    const std::string file = QFile::encodeName(path).toStdString();
    record.FileName = file;
    auto* target = dynamic_cast<ModellingResultsScreen*>(screen);
    if (results::ReadModellingText(record, file) && target && target->LoadModellingResults())
        return true;

    ShowMessage(QStringLiteral("File with data not properly installed"),
                QStringLiteral("Installation Error"));
    Windows().show(names::frmSplash);
    record.LineCount = 0;
    record.FieldCount = 0;
    CloseAllWindows();
    return false;
}

} // namespace vt
