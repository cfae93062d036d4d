#include "app/userguide.h"

#include "app/frmsplash.h"
#include "app/programstate.h"
#include "app/windownames.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

// The guide lives in this static library: its resources must be pulled in by
// name.
static void InitUserGuide() {
    Q_INIT_RESOURCE(userguide);
}

namespace vt {

namespace {

const QString kGuidePath = QStringLiteral(":/guide/user-guide.html");

void EnsureGuide() {
    static const bool initialised = [] {
        InitUserGuide();
        return true;
    }();
    (void)initialised;
}

} // namespace

QUrl UserGuideUrl(const QString& anchor) {
    EnsureGuide();
    QUrl url(QStringLiteral("qrc") + kGuidePath);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    return url;
}

QByteArray UserGuideHtml() {
    EnsureGuide();
    // Compiled into the program: no file on a disk, so none of the checks of
    // storage's reading helper apply.
    QFile file(kGuidePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void ShowUserGuide(const QString& anchor) {
    auto* guide = Windows().window<frmUserGuide>(names::frmUserGuide);
    if (!guide)
        return;
    guide->showSection(anchor);
    Windows().show(names::frmUserGuide);
}

frmUserGuide::frmUserGuide(QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("User guide"));
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    const auto button = [this, buttons](const QString& name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    cmdBack = button(QStringLiteral("cmdBack"), QStringLiteral("&Back"));
    cmdForward = button(QStringLiteral("cmdForward"), QStringLiteral("&Forward"));
    cmdContents = button(QStringLiteral("cmdContents"), QStringLiteral("&Contents"));
    buttons->addStretch();
    layout->addLayout(buttons);

    txtGuide = new QTextBrowser(this);
    txtGuide->setObjectName(QStringLiteral("txtGuide"));
    txtGuide->setOpenExternalLinks(false);
    layout->addWidget(txtGuide, 1);

    cmdBack->setEnabled(false);
    cmdForward->setEnabled(false);
    connect(cmdBack, &QPushButton::clicked, txtGuide, &QTextBrowser::backward);
    connect(cmdForward, &QPushButton::clicked, txtGuide, &QTextBrowser::forward);
    connect(cmdContents, &QPushButton::clicked, this, &frmUserGuide::cmdContents_Click);
    connect(txtGuide, &QTextBrowser::backwardAvailable, cmdBack, &QPushButton::setEnabled);
    connect(txtGuide, &QTextBrowser::forwardAvailable, cmdForward, &QPushButton::setEnabled);

    // Room for the guide's widest pictures, whole on a 1024 x 768 display.
    resize(760, 620);
    CentreOnScreen(this);
}

void frmUserGuide::showSection(const QString& anchor) {
    const bool fresh = txtGuide->source().isEmpty();
    txtGuide->setSource(UserGuideUrl(anchor));
    // A guide just opened starts its history at the section it opened at.
    if (fresh)
        txtGuide->clearHistory();
}

void frmUserGuide::showEvent(QShowEvent* event) {
    if (txtGuide->source().isEmpty())
        showSection(guide::kContents);
    QWidget::showEvent(event);
}

void frmUserGuide::cmdContents_Click() {
    txtGuide->setSource(UserGuideUrl(guide::kContents));
}

} // namespace vt
