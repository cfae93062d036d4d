#include "app/frmabout.h"

#include "app/frmsplash.h"
#include "app/programstate.h"
#include "app/sysinfo.h"
#include "app/ui.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace vt {

namespace {

constexpr int kAboutIntervalMs = 1000;

QFont SansSerif() {
    // Where that face is missing, Arial's metrics keep the texts in their places.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, const QRect& rect,
                  const QFont& font, const QColor& colour, Qt::Alignment alignment) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(rect);
    label->setFont(font);
    label->setAlignment(alignment);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& text,
                        const QRect& rect) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(rect);
    button->setFont(ArialFont(9, true, true));
    return button;
}

} // namespace

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint)
    , system_(&sysinfo::RealSystem()) {
    setWindowTitle(QStringLiteral("Help About"));
    setFont(ArialFont(8.25));
    setFixedSize(Twips(7590), Twips(7680));

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(TwipsRect(120, 0, 7335, 7575));
    Frame1->setFont(SansSerif());

    // Everything below sits in Frame1, placed from its top-left corner.
    Label2 = MakeLabel(Frame1, QStringLiteral("Label2"), kAppTitle, TwipsRect(120, 240, 7095, 555),
                       ArialFont(20.25, true, true), kNavy, Qt::AlignCenter);

    // Pictures 0..3; 4 and 5 repeat pictures 2 and 1 and are never shown.
    static constexpr int kSource[] = {0, 1, 2, 3, 2, 1};
    for (int i = 0; i < 6; ++i) {
        auto* picture = new QLabel(Frame1);
        picture->setObjectName(QStringLiteral("Image1(%1)").arg(i));
        picture->setGeometry(TwipsRect(480, 840, 6375, 4695));
        picture->setFrameStyle(QFrame::Box | QFrame::Plain);
        picture->setScaledContents(true);
        picture->setPixmap(ShellPicture(kSource[i]));
        picture->hide();
        Image1 << picture;
    }

    Label1 = MakeLabel(Frame1, QStringLiteral("Label1"), QStringLiteral("VT project team"),
                       TwipsRect(360, 5760, 1935, 255), ArialFont(12, true), Qt::black,
                       Qt::AlignLeft | Qt::AlignVCenter);
    Label7 = MakeLabel(Frame1, QStringLiteral("Label7"), QStringLiteral("Tel: not published"),
                       TwipsRect(360, 6105, 3495, 255), ArialFont(9, true), Qt::black,
                       Qt::AlignLeft | Qt::AlignVCenter);
    Label5 = MakeLabel(Frame1, QStringLiteral("Label5"),
                       QStringLiteral("E-mail: project@vandrel.example.org"),
                       TwipsRect(360, 6360, 3855, 255), ArialFont(9, true), Qt::black,
                       Qt::AlignLeft | Qt::AlignVCenter);
    lblWarning =
        MakeLabel(Frame1, QStringLiteral("lblWarning"), kDisclaimer,
                  TwipsRect(3960, 5760, 3255, 1155), SansSerif(), kMaroon, Qt::AlignCenter);
    lblWarning->setWordWrap(true);
    lblPlatform = MakeLabel(Frame1, QStringLiteral("lblPlatform"),
                            QStringLiteral("Windows 95 - Vista"), TwipsRect(4560, 6840, 2595, 330),
                            ArialFont(14.25, true), kPurple, Qt::AlignRight | Qt::AlignVCenter);
    lblVersion = MakeLabel(Frame1, QStringLiteral("lblVersion"), QStringLiteral("Version 1.2 BETA"),
                           TwipsRect(5340, 7200, 1830, 270), ArialFont(11.25, true), kPurple,
                           Qt::AlignRight | Qt::AlignVCenter);

    for (QLabel* label : {Label1, Label7, Label5, lblPlatform, lblVersion})
        FitTextToWidth(label);

    cmdOK = MakeButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"),
                       TwipsRect(480, 6840, 1455, 465));
    cmdSysInfo = MakeButton(this, QStringLiteral("cmdSysInfo"), QStringLiteral("&System Info..."),
                            TwipsRect(2040, 6840, 1455, 465));
    cmdOK->raise();
    cmdSysInfo->raise();
    cmdOK->setDefault(true);
    cmdSysInfo->setAutoDefault(false);
    // Enter on a focused "&System Info..." presses it, as Space does.
    PressOnEnter(cmdSysInfo);
    setTabOrder(cmdOK, cmdSysInfo);

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    // Each opening starts the cycle at picture 1, shown at the first tick.
    State().PictureCounter = 1;
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kAboutIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &frmAbout::Timer1_Timer);
    Timer1->start();

    CentreOnScreen(this);
    cmdOK->setFocus();
}

void frmAbout::accept() {
    close();
}

void frmAbout::reject() {
    close();
}

void frmAbout::closeEvent(QCloseEvent* event) {
    event->accept();
}

void frmAbout::cmdOK_Click() {
    close();
}

void frmAbout::cmdSysInfo_Click() {
    sysinfo::StartSysInfo(*system_);
}

void frmAbout::Timer1_Timer() {
    ShowNextPicture(Image1);
}

} // namespace vt
