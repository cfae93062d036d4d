#include "designreport/frmdesignreport.h"

#include "app/filedialogs.h"
#include "app/messages.h"
#include "app/programstate.h"
#include "app/userguide.h"
#include "app/windownames.h"
#include "designreport/toolsections.h"
#include "files/evaluationactions.h"
#include "files/evaluationfile.h"
#include "storage/qtstorage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vt {

using designreport::SectionId;

namespace {

const QString kReportTitle = QStringLiteral("Design report");

QLineEdit* Line(const QString& name, QWidget* parent) {
    auto* line = new QLineEdit(parent);
    line->setObjectName(name);
    return line;
}

QPushButton* Button(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

frmDesignReport::frmDesignReport(QWidget* parent)
    : tools::ToolWindow(guide::kDesignReport, parent) {
    setObjectName(names::frmDesignReport);
    setWindowTitle(kReportTitle);
    print = [](const QString& jobName, const PdfWriterFunction& write) {
        return PrintPdfOnPrinter(jobName, write, DefaultPrinterName());
    };
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildFields());
    layout->addWidget(buildPreview(), 1);
    editTimer_.setSingleShot(true);
    editTimer_.setInterval(400);
    connect(&editTimer_, &QTimer::timeout, this, &frmDesignReport::refresh);
    // Whole on a 1024 x 768 display, with room for the window's frame.
    resize(1000, 700);
}

frmDesignReport::~frmDesignReport() {
    delete picPreview; // before the printer it shows
    picPreview = nullptr;
}

QWidget* frmDesignReport::buildFields() {
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scrFields"));
    scroll->setWidgetResizable(true);
    scroll->setFixedWidth(330);
    auto* panel = new QWidget(scroll);
    auto* column = new QVBoxLayout(panel);

    auto* heading = new QGroupBox(QStringLiteral("Report"), panel);
    auto* form = new QFormLayout(heading);
    txtProject = Line(QStringLiteral("txtProject"), heading);
    txtProject->setPlaceholderText(QStringLiteral("Mine, section or area"));
    txtTitle = Line(QStringLiteral("txtTitle"), heading);
    txtRevision = Line(QStringLiteral("txtRevision"), heading);
    txtNotes = new QPlainTextEdit(heading);
    txtNotes->setObjectName(QStringLiteral("txtNotes"));
    txtNotes->setFixedHeight(70);
    form->addRow(QStringLiteral("&Project"), txtProject);
    form->addRow(QStringLiteral("&Title"), txtTitle);
    form->addRow(QStringLiteral("&Revision"), txtRevision);
    form->addRow(QStringLiteral("&Notes"), txtNotes);
    column->addWidget(heading);

    auto* signOff = new QGroupBox(QStringLiteral("Sign-off"), panel);
    auto* grid = new QGridLayout(signOff);
    grid->addWidget(new QLabel(QStringLiteral("Name"), signOff), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Date"), signOff), 0, 2);
    const std::pair<const char*, std::pair<QLineEdit**, QLineEdit**>> rows[] = {
        {"Prepared by", {&txtPreparedBy, &txtPreparedOn}},
        {"Checked by", {&txtCheckedBy, &txtCheckedOn}},
        {"Approved by", {&txtApprovedBy, &txtApprovedOn}},
    };
    const char* const names[][2] = {{"txtPreparedBy", "txtPreparedOn"},
                                    {"txtCheckedBy", "txtCheckedOn"},
                                    {"txtApprovedBy", "txtApprovedOn"}};
    int row = 1;
    for (const auto& [caption, edits] : rows) {
        grid->addWidget(new QLabel(QString::fromLatin1(caption), signOff), row, 0);
        *edits.first = Line(QString::fromLatin1(names[row - 1][0]), signOff);
        *edits.second = Line(QString::fromLatin1(names[row - 1][1]), signOff);
        (*edits.second)->setMaximumWidth(90);
        grid->addWidget(*edits.first, row, 1);
        grid->addWidget(*edits.second, row, 2);
        ++row;
    }
    txtPreparedOn->setText(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    column->addWidget(signOff);

    auto* sections = new QGroupBox(QStringLiteral("Sections"), panel);
    auto* ticks = new QVBoxLayout(sections);
    for (std::size_t i = 0; i < chkSection.size(); ++i) {
        const SectionId id = designreport::kSectionOrder[i];
        auto* tick = new QCheckBox(designreport::SectionTitle(id), sections);
        tick->setObjectName(QStringLiteral("chk%1").arg(designreport::SectionObjectSuffix(id)));
        chkSection[i] = tick;
        ticks->addWidget(tick);
        // clicked: only the user's ticks, not those set here.
        connect(tick, &QCheckBox::clicked, this,
                [this, i] { chkSection_Click(static_cast<int>(i)); });
    }
    column->addWidget(sections);

    lblMissing = new QLabel(panel);
    lblMissing->setObjectName(QStringLiteral("lblMissing"));
    lblMissing->setWordWrap(true);
    lblMissing->setStyleSheet(QStringLiteral("color: #ff0000"));
    cmdCalculate = Button(QStringLiteral("cmdCalculate"), QStringLiteral("&Calculate"), panel);
    column->addWidget(lblMissing);
    column->addWidget(cmdCalculate);
    column->addStretch();
    scroll->setWidget(panel);

    for (QLineEdit* edit : {txtProject, txtTitle, txtRevision, txtPreparedBy, txtPreparedOn,
                            txtCheckedBy, txtCheckedOn, txtApprovedBy, txtApprovedOn})
        connect(edit, &QLineEdit::textEdited, this, &frmDesignReport::edited);
    connect(txtNotes, &QPlainTextEdit::textChanged, this, &frmDesignReport::edited);
    connect(cmdCalculate, &QPushButton::clicked, this, &frmDesignReport::cmdCalculate_Click);
    return scroll;
}

QWidget* frmDesignReport::buildPreview() {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    printer_.setOutputFormat(QPrinter::PdfFormat);
    cboPaper = new QComboBox(box);
    cboPaper->setObjectName(QStringLiteral("cboPaper"));
    cboPaper->addItem(QStringLiteral("A4"), int(QPageSize::A4));
    cboPaper->addItem(QStringLiteral("Letter"), int(QPageSize::Letter));
    cboPaper->setCurrentIndex(designreport::PaperOf(QLocale()).id() == QPageSize::Letter ? 1 : 0);
    printer_.setPageLayout(designreport::ReportLayout(paper()));
    picPreview = new QPrintPreviewWidget(&printer_, box);
    picPreview->setObjectName(QStringLiteral("picPreview"));
    picPreview->setZoomMode(QPrintPreviewWidget::FitToWidth);
    connect(picPreview, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { designreport::PaintReport(report_, *printer); });
    connect(picPreview, &QPrintPreviewWidget::previewChanged, this, &frmDesignReport::showPage);

    cmdZoomIn = Button(QStringLiteral("cmdZoomIn"), QStringLiteral("Zoom &in"), box);
    cmdZoomOut = Button(QStringLiteral("cmdZoomOut"), QStringLiteral("Zoom &out"), box);
    cmdPreviousPage = Button(QStringLiteral("cmdPreviousPage"), QStringLiteral("◀"), box);
    cmdPreviousPage->setToolTip(QStringLiteral("Previous page"));
    cmdNextPage = Button(QStringLiteral("cmdNextPage"), QStringLiteral("▶"), box);
    cmdNextPage->setToolTip(QStringLiteral("Next page"));
    lblPage = new QLabel(box);
    lblPage->setObjectName(QStringLiteral("lblPage"));
    cmdSavePdf = Button(QStringLiteral("cmdSavePdf"), QStringLiteral("Save &PDF..."), box);
    cmdSaveOdt = Button(QStringLiteral("cmdSaveOdt"), QStringLiteral("Save O&DT..."), box);
    cmdPrint = Button(QStringLiteral("cmdPrint"), QStringLiteral("P&rint"), box);
    // The pages' controls above the preview, the outputs below it.
    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel(QStringLiteral("Paper"), box));
    bar->addWidget(cboPaper);
    bar->addStretch();
    for (QWidget* w : std::initializer_list<QWidget*>{cmdZoomIn, cmdZoomOut, cmdPreviousPage,
                                                      lblPage, cmdNextPage})
        bar->addWidget(w);
    auto* outputs = new QHBoxLayout;
    outputs->addStretch();
    for (QWidget* w : std::initializer_list<QWidget*>{cmdSavePdf, cmdSaveOdt, cmdPrint})
        outputs->addWidget(w);
    column->addLayout(bar);
    column->addWidget(picPreview, 1);
    column->addLayout(outputs);

    connect(cmdZoomIn, &QPushButton::clicked, picPreview, [this] { picPreview->zoomIn(); });
    connect(cmdZoomOut, &QPushButton::clicked, picPreview, [this] { picPreview->zoomOut(); });
    connect(cmdPreviousPage, &QPushButton::clicked, picPreview, [this] {
        picPreview->setCurrentPage(picPreview->currentPage() - 1);
        showPage();
    });
    connect(cmdNextPage, &QPushButton::clicked, picPreview, [this] {
        picPreview->setCurrentPage(picPreview->currentPage() + 1);
        showPage();
    });
    connect(cboPaper, &QComboBox::currentIndexChanged, this, [this] {
        printer_.setPageLayout(designreport::ReportLayout(paper()));
        picPreview->updatePreview();
    });
    connect(cmdSavePdf, &QPushButton::clicked, this, &frmDesignReport::cmdSavePdf_Click);
    connect(cmdSaveOdt, &QPushButton::clicked, this, &frmDesignReport::cmdSaveOdt_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmDesignReport::cmdPrint_Click);
    return box;
}

designreport::ReportFields frmDesignReport::fields() const {
    designreport::ReportFields f{txtProject->text(),
                                 txtTitle->text(),
                                 txtRevision->text(),
                                 txtNotes->toPlainText(),
                                 txtPreparedBy->text(),
                                 txtPreparedOn->text(),
                                 txtCheckedBy->text(),
                                 txtCheckedOn->text(),
                                 txtApprovedBy->text(),
                                 txtApprovedOn->text(),
                                 {},
                                 {}};
    for (std::size_t i = 0; i < chkSection.size(); ++i) {
        const QString key = designreport::SectionKey(designreport::kSectionOrder[i]);
        f.offered << key;
        if (chkSection[i]->isChecked())
            f.sections << key;
    }
    return f;
}

std::optional<DesignReportFields>
frmDesignReport::designReportFor(const DesignSource& screen) const {
    if (source() != &screen)
        return std::nullopt;
    return fields();
}

void frmDesignReport::setDesignReport(const DesignReportFields& f) {
    const QSignalBlocker blockNotes(txtNotes);
    txtProject->setText(f.project);
    txtTitle->setText(f.title);
    txtRevision->setText(f.revision);
    txtNotes->setPlainText(f.notes);
    txtPreparedBy->setText(f.preparedBy);
    txtPreparedOn->setText(f.preparedOn);
    txtCheckedBy->setText(f.checkedBy);
    txtCheckedOn->setText(f.checkedOn);
    txtApprovedBy->setText(f.approvedBy);
    txtApprovedOn->setText(f.approvedOn);
    // The ticks as kept, as if the user had set each; a section the file's
    // report did not offer is ticked by default (while it has content).
    for (std::size_t i = 0; i < chkSection.size(); ++i) {
        const QString key = designreport::SectionKey(designreport::kSectionOrder[i]);
        tickedByUser_[i] = f.offered.contains(key);
        if (tickedByUser_[i])
            chkSection[i]->setChecked(f.sections.contains(key));
    }
    refresh();
}

QPageSize frmDesignReport::paper() const {
    return QPageSize(static_cast<QPageSize::PageSizeId>(cboPaper->currentData().toInt()));
}

int frmDesignReport::pageCount() const {
    return picPreview->pageCount();
}

void frmDesignReport::sourceChanged() {
    // After the tools have followed the same change (their calls were
    // queued before this one).
    QTimer::singleShot(0, this, &frmDesignReport::refresh);
}

void frmDesignReport::changeEvent(QEvent* event) {
    ToolWindow::changeEvent(event);
    // What the screen does not announce (the evaluation saved under a name,
    // a tool opened or closed) is in the preview once the user is back here.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        refresh();
}

void frmDesignReport::edited() {
    editTimer_.start();
}

void frmDesignReport::chkSection_Click(int index) {
    tickedByUser_[static_cast<std::size_t>(index)] = true;
    refresh();
}

void frmDesignReport::refresh() {
    editTimer_.stop();
    DesignSource* screen = source();
    designreport::ReportInputs inputs;
    inputs.locale = evaluation::NumberLocale::Current();
    inputs.fields = fields();
    inputs.program = QStringLiteral("%1 %2").arg(kAppTitle, files::ProgramVersion());
    if (screen) {
        inputs.screen = designreport::ScreenStateOf(*screen, sourceTitle());
        inputs.tools = designreport::ToolContributions(*screen);
    }
    report_.fields = inputs.fields;
    report_.program = inputs.program;
    report_.evaluationFile = screen ? files::EvaluationFileName(*screen) : QString();
    report_.date = QLocale().toString(QDate::currentDate(), QLocale::LongFormat);
    report_.sections =
        screen ? designreport::BuildSections(inputs) : std::vector<designreport::Section>{};
    report_.ticked.clear();
    for (std::size_t i = 0; i < chkSection.size(); ++i) {
        const SectionId id = designreport::kSectionOrder[i];
        bool content = false;
        for (const designreport::Section& s : report_.sections)
            if (s.id == id)
                content = s.hasContent();
        if (!tickedByUser_[i])
            chkSection[i]->setChecked(content);
        if (chkSection[i]->isChecked())
            report_.ticked.push_back(id);
    }
    const QStringList missing = designreport::MissingResults(inputs.screen.shown);
    lblMissing->setText(
        screen && !missing.isEmpty()
            ? QStringLiteral("The screen shows no %1 yet.").arg(missing.join(QStringLiteral(", ")))
            : QString());
    cmdCalculate->setVisible(screen && !missing.isEmpty());
    picPreview->updatePreview();
}

void frmDesignReport::showPage() {
    const int pages = picPreview->pageCount();
    const int page = picPreview->currentPage();
    lblPage->setText(QStringLiteral("Page %1 of %2").arg(page).arg(pages));
    cmdPreviousPage->setEnabled(page > 1);
    cmdNextPage->setEnabled(page < pages);
}

void frmDesignReport::cmdCalculate_Click() {
    if (DesignSource* screen = source())
        screen->recalculate(CalculationStage::BothTabs);
}

void frmDesignReport::save(const QString& kind, const QString& suffix, const QByteArray& bytes) {
    const FileAnswer answer =
        AskForFile(this, {FileQuestion::Kind::Save,
                          QStringLiteral("Save the design report as %1").arg(kind),
                          QDir::home().filePath(QStringLiteral("design-report.%1").arg(suffix)),
                          {QStringLiteral("%1 files (*.%2)").arg(kind, suffix)},
                          suffix});
    if (!answer.chosen())
        return;
    QString reason;
    if (bytes.isEmpty())
        reason = QStringLiteral("the document could not be made");
    if (bytes.isEmpty() || !storage::Save(answer.path, bytes, &reason))
        ShowMessage(QStringLiteral("The design report could not be saved as \"%1\": %2.")
                        .arg(QDir::toNativeSeparators(answer.path), reason),
                    kReportTitle);
}

void frmDesignReport::cmdSavePdf_Click() {
    refresh();
    save(QStringLiteral("PDF"), QStringLiteral("pdf"), designreport::ReportPdf(report_, paper()));
}

void frmDesignReport::cmdSaveOdt_Click() {
    refresh();
    save(QStringLiteral("ODF text"), QStringLiteral("odt"), designreport::ReportOdt(report_));
}

void frmDesignReport::cmdPrint_Click() {
    refresh();
    const designreport::Report report = report_;
    const QString job = report.fields.title.simplified().isEmpty()
                            ? kReportTitle
                            : report.fields.title.simplified();
    const PrintResult result = print(job, [report](QIODevice& device, const QPageSize& paper) {
        return designreport::WriteReportPdf(report, device, paper);
    });
    if (!result.printed)
        ShowMessage(result.problem, kReportTitle);
    else if (!result.notice.isEmpty())
        ShowMessage(result.notice, kReportTitle);
}

} // namespace vt
