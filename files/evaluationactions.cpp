#include "files/evaluationactions.h"

#include "app/filedialogs.h"
#include "app/messages.h"
#include "app/programstate.h"
#include "app/settings.h"
#include "app/toolsettings.h"
#include "app/windownames.h"
#include "dialogs/frmprint.h"
#include "evaluation/designfields.h"
#include "evaluation/numbers.h"
#include "results/core/modellingfile.h"
#include "storage/qtstorage.h"
#include "tools/toolwindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QWidget>
#include <algorithm>
#include <cerrno>
#include <string_view>

namespace vt::files {

using evaluation::Refusal;
using evaluation::Step;

namespace {

const QString kFilter = QStringLiteral("Evaluations (*.%1)").arg(kFileSuffix);
const QString kReport = names::frmPrint;
const QString kDesignReport = names::frmDesignReport;

QWidget* WidgetOf(DesignSource& source) {
    return dynamic_cast<QWidget*>(&source);
}

std::string NativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString Shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// The bytes of a regular file of at most `limit` bytes, or why there are none.
// A pipe or device, even one swapped in after a look at the name, is refused
// without waiting on it.
Step<QByteArray> ReadBounded(const QString& path, qint64 limit) {
    QByteArray bytes;
    const auto problem = storage::ReadBytes(path, storage::Accept::RegularFiles,
                                            static_cast<std::uint64_t>(limit), bytes);
    if (!problem)
        return bytes;
    switch (problem->kind) {
    case storage::ReadProblem::Kind::NotARegularFile:
        return Refusal{QStringLiteral("It is not a file but a folder or a device."), {}};
    case storage::ReadProblem::Kind::TooLarge:
        return Refusal{QStringLiteral("It is larger than %1 KiB.").arg(limit / 1024), {}};
    case storage::ReadProblem::Kind::CannotOpen:
        if (problem->failure.error == ENOENT)
            return Refusal{QStringLiteral("There is no such file."), {}};
        break;
    case storage::ReadProblem::Kind::CannotRead:
        break;
    }
    return Refusal{
        QStringLiteral("It cannot be read: %1.").arg(storage::ReasonText(problem->failure)), {}};
}

std::optional<results::ModellingResults> TableOf(const QString& path, const QByteArray& bytes) {
    results::ModellingResults record;
    record.FileName = NativePath(path);
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (!results::ModellingTextFromBytes(record, view) || !results::ParseModellingResults(record))
        return std::nullopt;
    return record;
}

// --- saving ---

// The loaded modelling-results file with the checksum of its bytes, if the
// file on disk still holds the text that was loaded.
Step<std::optional<ModellingFileRef>> LoadedModellingFile() {
    const results::ModellingResults& loaded = State().ModellingResults;
    if (loaded.FileName.empty())
        return std::optional<ModellingFileRef>();
    const QString path = QFile::decodeName(QByteArray::fromStdString(loaded.FileName));
    const auto bytes = ReadBounded(path, static_cast<qint64>(results::kMaxFileBytes));
    results::ModellingResults now;
    const bool same =
        bytes &&
        results::ModellingTextFromBytes(
            now, std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size()))) &&
        now.FileText == loaded.FileText;
    if (!same)
        return Refusal{QStringLiteral("The modelling-results file %1 has changed or gone since it "
                                      "was loaded, so the results on the screen no longer belong "
                                      "to it. Load the file again and recalculate, then save.")
                           .arg(Shown(path)),
                       kSaveTitle};
    return std::optional<ModellingFileRef>(ModellingFileRef{path, Sha256Hex(bytes.value())});
}

// The report's heading, when the report is open, filled by this screen and
// given a title or an originator.
std::optional<ReportHeading> OpenReportHeading(const DesignSource& source) {
    const auto* report = Windows().existing<frmPrint>(kReport);
    if (!report || !report->isVisible() || report->filledFrom() != source.screenName())
        return std::nullopt;
    ReportHeading heading = report->heading();
    if (heading.title.isEmpty() && heading.originator.isEmpty())
        return std::nullopt;
    return heading;
}

// The settings of the tools open on this screen.
QJsonObject OpenToolSettings(const DesignSource& source) {
    QJsonObject tools;
    for (const KeptTool& tool : kKeptTools) {
        const auto* kept = Windows().existing<KeptToolSettings>(QLatin1String(tool.window));
        if (kept && kept->settingsScreen() == &source)
            tools.insert(QLatin1String(tool.key), kept->keptSettings());
    }
    return tools;
}

// Writes the file whole or not at all (a device or FIFO is written straight
// into), and says why not.
bool Write(const QString& path, const QByteArray& bytes, const EvaluationFileSeams& seams) {
    storage::SaveDevice file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        ShowMessage(QStringLiteral("The evaluation cannot be saved as %1: %2.\nNothing was "
                                   "written.")
                        .arg(Shown(path), storage::ReasonText(*file.failure())),
                    kSaveTitle);
        return false;
    }
    if (seams.write(file, bytes) && file.commit())
        return true;
    const std::optional<storage::Failure> failure = file.failure();
    file.close();
    const QString reason =
        failure ? storage::ReasonText(*failure) : QStringLiteral("the write was cut short");
    const bool full = !failure || failure->mayBeFull();
    ShowMessage(QStringLiteral("The evaluation could not be written to %1 completely (%2)%3.\n%4")
                    .arg(Shown(path), reason,
                         full ? QStringLiteral("; the disk may be full") : QString(),
                         file.direct() ? QStringLiteral("It is not a file: what was written "
                                                        "before the failure may have reached it.")
                                       : QStringLiteral("Nothing was written: a file that was "
                                                        "there is left as it was.")),
                kSaveTitle);
    return false;
}

} // namespace

QString ChooseSaveFile(QWidget* parent, const QString& suggested) {
    return AskForFile(parent, {FileQuestion::Kind::Save,
                               kSaveTitle,
                               suggested,
                               {kFilter},
                               kFileSuffix,
                               FileQuestion::Files::Evaluations})
        .path;
}

QString ChooseOpenFile(QWidget* parent) {
    return AskForFile(parent, {FileQuestion::Kind::Open,
                               kOpenTitle,
                               QDir::homePath(),
                               {kFilter, QStringLiteral("All files (*)")},
                               QString(),
                               FileQuestion::Files::Evaluations})
        .path;
}

bool WriteAll(QIODevice& file, const QByteArray& bytes) {
    return file.write(bytes) == bytes.size();
}

Step<EvaluationFile> EvaluationOf(const DesignSource& source) {
    EvaluationFile file;
    file.programVersion = ProgramVersion();
    file.design = source.designTexts();
    file.results = source.shownResults();
    file.decimalPoint = evaluation::NumberLocale::Current().decimalPoint();
    if (const auto* k = dynamic_cast<const StrengthConstantTarget*>(&source))
        file.kSource = k->strengthConstantSource();
    if (file.design.method == evaluation::Method::Interpolation) {
        const auto modelling = LoadedModellingFile();
        if (!modelling)
            return modelling.refusal();
        file.modellingFile = modelling.value();
    }
    file.report = OpenReportHeading(source);
    file.tools = OpenToolSettings(source);
    if (const auto* keeper =
            dynamic_cast<const DesignReportKeeper*>(Windows().existing(kDesignReport)))
        file.designReport = keeper->designReportFor(source);
    return file;
}

namespace {

// The file of the evaluation the screen shows, if opening would take it back:
// a file the program would refuse is not written (an input longer than an
// evaluation keeps, say), and the user is told why.
std::optional<QByteArray> FileOf(const DesignSource& source) {
    const auto evaluation = EvaluationOf(source);
    if (!evaluation) {
        ShowMessage(evaluation.refusal().message, kSaveTitle);
        return std::nullopt;
    }
    QByteArray bytes = SerialiseEvaluation(evaluation.value());
    if (const auto check = ParseEvaluation(bytes); !check) {
        ShowMessage(
            QStringLiteral("The evaluation cannot be saved. %1").arg(check.refusal().message),
            kSaveTitle);
        return std::nullopt;
    }
    return bytes;
}

} // namespace

namespace {

// The file is the screen's from now on, with the inputs it holds, and the
// latest of the recent ones.
void Keep(DesignSource& source, const QString& path) {
    source.setEvaluationFile(EvaluationFileMark{path, source.designTexts()});
    settings::RememberEvaluation(path);
}

bool WriteKept(DesignSource& source, const QString& path, const QByteArray& bytes,
               const EvaluationFileSeams& seams) {
    if (!Write(path, bytes, seams))
        return false;
    Keep(source, path);
    return true;
}

} // namespace

bool SaveEvaluationTo(DesignSource& source, const QString& path, const EvaluationFileSeams& seams) {
    const auto bytes = FileOf(source);
    return bytes && WriteKept(source, path, *bytes, seams);
}

bool SaveEvaluation(DesignSource& source, const EvaluationFileSeams& seams) {
    // What cannot be kept is said before a name is asked for.
    const auto bytes = FileOf(source);
    if (!bytes)
        return false;
    const auto mark = source.evaluationFile();
    const QString suggested =
        mark ? mark->path
             : QDir::home().filePath(
                   QStringLiteral("%1 evaluation.%2")
                       .arg(evaluation::MethodName(source.designTexts().method), kFileSuffix));
    const QString path = ChooseSaveFile(WidgetOf(source), suggested);
    if (path.isEmpty())
        return false;
    return WriteKept(source, path, *bytes, seams);
}

bool SaveEvaluationAgain(DesignSource& source, const EvaluationFileSeams& seams) {
    const auto mark = source.evaluationFile();
    if (!mark)
        return SaveEvaluation(source, seams);
    return SaveEvaluationTo(source, mark->path, seams);
}

bool HasUnsavedChanges(const DesignSource& source) {
    const auto mark = source.evaluationFile();
    return mark && !InputDifferences(mark->inputs, source.designTexts()).empty();
}

bool ConfirmLeaving(DesignSource& source, const EvaluationFileSeams& seams) {
    if (!HasUnsavedChanges(source))
        return true;
    const QString name = QFileInfo(source.evaluationFile()->path).fileName();
    switch (Messages().askToSave(
        QStringLiteral("The inputs on the screen differ from the evaluation in %1.\nSave them "
                       "to %1 first?")
            .arg(name),
        kUnsavedTitle)) {
    case SaveChoice::Save:
        return SaveEvaluationAgain(source, seams);
    case SaveChoice::Discard:
        return true;
    case SaveChoice::Cancel:
        break;
    }
    return false;
}

QString EvaluationFileName(const DesignSource& source) {
    const auto mark = source.evaluationFile();
    if (!mark)
        return {};
    return QFileInfo(mark->path).fileName() +
           (HasUnsavedChanges(source) ? QStringLiteral(" (changed)") : QString());
}

QString EvaluationFileText(const DesignSource& source) {
    QString name = EvaluationFileName(source);
    if (name.isEmpty())
        return QStringLiteral("Evaluation file: none yet");
    name.replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("Evaluation file: %1").arg(name);
}

// --- opening ---

namespace {

// The modelling-results file an evaluation names: at its saved place, or,
// when the evaluation travelled with it, the file of that name beside the
// evaluation if it holds the very bytes that were saved.
Step<PreparedOpening> WithModellingFile(PreparedOpening opening, const QString& evaluationPath) {
    const ModellingFileRef& ref = *opening.file.modellingFile;
    QString path = ref.path;
    auto bytes = ReadBounded(path, static_cast<qint64>(results::kMaxFileBytes));
    if (!bytes && !QFileInfo::exists(path)) {
        const QString beside =
            QFileInfo(evaluationPath).dir().filePath(QFileInfo(ref.path).fileName());
        auto besideBytes = ReadBounded(beside, static_cast<qint64>(results::kMaxFileBytes));
        if (besideBytes && Sha256Hex(besideBytes.value()) == ref.sha256) {
            path = beside;
            bytes = besideBytes;
        }
    }
    if (!bytes)
        return Refusal{QStringLiteral("Its modelling-results file %1 is missing or cannot be "
                                      "read. %2")
                           .arg(Shown(ref.path), bytes.refusal().message),
                       {}};
    opening.table = TableOf(path, bytes.value());
    if (!opening.table)
        return Refusal{QStringLiteral("Its modelling-results file %1 is no longer a valid "
                                      "modelling-results file.")
                           .arg(Shown(path)),
                       {}};
    opening.modellingPath = path;
    opening.modellingChanged = Sha256Hex(bytes.value()) != ref.sha256;
    return opening;
}

QString DifferenceLine(const Difference& d) {
    const auto shown = [](const QString& text) {
        return text.isEmpty() ? QStringLiteral("(empty)") : text;
    };
    return QStringLiteral("  %1: saved %2, now %3").arg(d.what, shown(d.saved), shown(d.now));
}

// Tells the user what is not as the file keeps it: a changed modelling file,
// and every input and result that differs.
void ReportDifferences(const QString& path, const PreparedOpening& opening, DesignSource& target) {
    std::vector<Difference> differences =
        InputDifferences(opening.file.design, target.designTexts());
    const auto results = ResultDifferences(opening.file, target.shownResults(),
                                           evaluation::NumberLocale::Current().decimalPoint());
    differences.insert(differences.end(), results.begin(), results.end());
    if (differences.empty() && !opening.modellingChanged)
        return;
    QStringList lines{QStringLiteral("The evaluation in %1 was calculated again. The file is left "
                                     "as it was and keeps its saved values.")
                          .arg(Shown(QFileInfo(path).fileName()))};
    if (opening.modellingChanged)
        lines << QStringLiteral("Its modelling-results file %1 has changed since the evaluation "
                                "was saved: its SHA-256 checksum is not the saved one.")
                     .arg(Shown(opening.modellingPath));
    if (!differences.empty()) {
        lines << QStringLiteral("These differ from the file:");
        for (const Difference& d : differences)
            lines << DifferenceLine(d);
    }
    if (opening.file.programVersion != ProgramVersion())
        lines << QStringLiteral("The file was saved by version %1 of the program; this is "
                                "version %2.")
                     .arg(opening.file.programVersion, ProgramVersion());
    ShowMessage(lines.join(u'\n'), kOpenTitle);
}

// Types the file's inputs into the screen: each emptied first, so that its
// change handling runs and empties what depends on it even where the text
// is already there.
void TypeInputs(DesignSource& target, const EvaluationFile& file) {
    if (auto* plan = dynamic_cast<PlanDimensionsTarget*>(&target))
        plan->switchGraphicToggleOff(); // the dialog would hand its dimensions back later
    for (const evaluation::DesignField& field : evaluation::kDesignFields) {
        if (!field.usedBy(file.design.method))
            continue;
        target.applyInput(field.input, QString());
        target.applyInput(field.input, file.design.*field.text);
    }
    if (!file.kSource.typed())
        if (auto* k = dynamic_cast<StrengthConstantTarget*>(&target))
            k->setStrengthConstantFromReadings(file.design.k, file.kSource);
}

void ApplyOpening(DesignSource* from, DesignSource& target, const PreparedOpening& opening) {
    const EvaluationFile& file = opening.file;
    Windows().show(ScreenName(file.design.method));
    if (from && from != &target)
        if (QWidget* old = WidgetOf(*from))
            old->hide();
    if (opening.table) {
        State().ModellingResults = *opening.table;
        if (auto* loader = dynamic_cast<ModellingResultsScreen*>(&target))
            loader->LoadModellingResults();
    }
    TypeInputs(target, file);
    if (file.report)
        if (auto* report = Windows().window<frmPrint>(kReport))
            report->setHeading(*file.report);
    if (const auto stage = StageOf(file))
        target.recalculate(*stage);
    // The tools the evaluation was saved with, open beside it as they were.
    for (const KeptTool& tool : kKeptTools) {
        const QJsonValue settings = file.tools.value(QLatin1String(tool.key));
        if (!settings.isObject())
            continue;
        const QString name = QLatin1String(tool.window);
        if (!Windows().hasFactory(name))
            continue;
        tools::OpenTool(name, target);
        if (auto* kept = Windows().existing<KeptToolSettings>(name))
            kept->restoreSettings(settings.toObject());
    }
    // The design report as it was kept, in its window for the screen.
    if (file.designReport && Windows().hasFactory(kDesignReport)) {
        tools::OpenTool(kDesignReport, target);
        if (auto* keeper = dynamic_cast<DesignReportKeeper*>(Windows().existing(kDesignReport)))
            keeper->setDesignReport(*file.designReport);
    }
}

} // namespace

Step<PreparedOpening> PrepareOpening(const QString& path) {
    const auto bytes = ReadBounded(path, kMaxFileBytes);
    if (!bytes)
        return bytes.refusal();
    auto parsed = ParseEvaluation(bytes.value());
    if (!parsed)
        return parsed.refusal();
    PreparedOpening opening{parsed.value(), std::nullopt, {}, false};
    if (!opening.file.modellingFile)
        return opening;
    return WithModellingFile(std::move(opening), path);
}

namespace {

// Opens the file into the screen of its method; `from`, the screen the user
// chose it on, is hidden when that is another screen.
bool OpenInto(DesignSource* from, const QString& path) {
    const auto refuse = [&path](const QString& why) {
        ShowMessage(QStringLiteral("%1 cannot be opened.\n%2\nNo screen was changed.")
                        .arg(Shown(path), why),
                    kOpenTitle);
        return false;
    };
    const auto opening = PrepareOpening(path);
    if (!opening)
        return refuse(opening.refusal().message);
    const QString name = ScreenName(opening->file.design.method);
    auto* target = Windows().hasFactory(name) ? Windows().window<DesignSource>(name) : nullptr;
    if (!target)
        return refuse(QStringLiteral("The screen of its method is not available."));
    ApplyOpening(from, *target, opening.value());
    Keep(*target, path);
    ReportDifferences(path, opening.value(), *target);
    return true;
}

} // namespace

bool OpenEvaluationFrom(DesignSource& source, const QString& path) {
    return OpenInto(&source, path);
}

bool OpenEvaluationFile(const QString& path) {
    return OpenInto(nullptr, QFileInfo(path).absoluteFilePath());
}

bool OpenEvaluation(DesignSource& source, const EvaluationFileSeams& seams) {
    if (!ConfirmLeaving(source, seams))
        return false;
    const QString path = ChooseOpenFile(WidgetOf(source));
    if (path.isEmpty())
        return false;
    return OpenEvaluationFrom(source, path);
}

bool OpenRecentEvaluation(DesignSource& source, const QString& path,
                          const EvaluationFileSeams& seams) {
    if (!QFileInfo::exists(path)) {
        settings::ForgetEvaluation(path);
        ShowMessage(QStringLiteral("%1 is no longer there; it is taken off the recent "
                                   "evaluations.")
                        .arg(Shown(path)),
                    kOpenTitle);
        return false;
    }
    if (!ConfirmLeaving(source, seams))
        return false;
    return OpenEvaluationFrom(source, path);
}

namespace {

// "Open recent": the recent files, numbered, the latest first.
void FillRecent(QMenu& menu, DesignSource& source, const EvaluationFileSeams& seams) {
    const QStringList recent = settings::RecentEvaluations();
    for (qsizetype i = 0; i < recent.size(); ++i) {
        QString name = QFileInfo(recent[i]).fileName();
        name.replace(u'&', QStringLiteral("&&"));
        QAction* action = menu.addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        action->setObjectName(QStringLiteral("mnuRecent%1").arg(i + 1));
        action->setToolTip(Shown(recent[i]));
        action->setStatusTip(Shown(recent[i]));
        QObject::connect(action, &QAction::triggered, &menu, [&source, path = recent[i], seams] {
            OpenRecentEvaluation(source, path, seams);
        });
    }
    if (recent.isEmpty())
        menu.addAction(QStringLiteral("No recent evaluations"))->setEnabled(false);
}

} // namespace

void AddEvaluationFileItems(WindowRegistry& windows, const EvaluationFileSeams& seams) {
    const DesignMenuItem items[] = {
        {QStringLiteral("&Save evaluation"), QStringLiteral("mnuSaveEvaluation"),
         [seams](DesignSource& source) { SaveEvaluationAgain(source, seams); },
         QKeySequence(Qt::CTRL | Qt::Key_S)},
        {QStringLiteral("Save evaluation &as..."), QStringLiteral("mnuSaveEvaluationAs"),
         [seams](DesignSource& source) { SaveEvaluation(source, seams); },
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {QStringLiteral("&Open evaluation..."), QStringLiteral("mnuOpenEvaluation"),
         [seams](DesignSource& source) { OpenEvaluation(source, seams); },
         QKeySequence(Qt::CTRL | Qt::Key_O)},
        {QStringLiteral("Open &recent"),
         QStringLiteral("mnuRecentEvaluations"),
         nullptr,
         {},
         {},
         [seams](QMenu& menu, DesignSource& source) { FillRecent(menu, source, seams); }},
        {QString(), QStringLiteral("mnuEvaluationFile"), nullptr, {}, EvaluationFileText, {}},
    };
    // Registering the windows again adds no second pair.
    for (const DesignMenuItem& item : items) {
        const auto& menu = windows.designMenu();
        if (std::none_of(menu.begin(), menu.end(), [&item](const DesignMenuItem& there) {
                return there.objectName == item.objectName;
            }))
            windows.addDesignMenuItem(item);
    }
    windows.setLeaveGuard([seams](DesignSource& source) { return ConfirmLeaving(source, seams); });
}

} // namespace vt::files
