#include "files/evaluationactions.h"

#include "app/filedialogs.h"
#include "app/messages.h"
#include "app/programstate.h"
#include "dialogs/frmprint.h"
#include "evaluation/designfields.h"
#include "evaluation/numbers.h"
#include "results/core/modellingfile.h"
#include "storage/qtstorage.h"
#include "tools/toolwindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWidget>
#include <algorithm>
#include <cerrno>
#include <string_view>

namespace vt::files {

using evaluation::Refusal;
using evaluation::Step;

namespace {

const QString kFilter = QStringLiteral("Evaluations (*.%1)").arg(kFileSuffix);
const QString kReport = QStringLiteral("frmPrint");
const QString kDesignReport = QStringLiteral("frmDesignReport");

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
    return AskForFile(parent,
                      {FileQuestion::Kind::Save, kSaveTitle, suggested, {kFilter}, kFileSuffix})
        .path;
}

QString ChooseOpenFile(QWidget* parent) {
    return AskForFile(parent, {FileQuestion::Kind::Open,
                               kOpenTitle,
                               QDir::homePath(),
                               {kFilter, QStringLiteral("All files (*)")},
                               QString()})
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

bool SaveEvaluationTo(DesignSource& source, const QString& path, const EvaluationFileSeams& seams) {
    const auto bytes = FileOf(source);
    return bytes && Write(path, *bytes, seams);
}

bool SaveEvaluation(DesignSource& source, const EvaluationFileSeams& seams) {
    // What cannot be kept is said before a name is asked for.
    const auto bytes = FileOf(source);
    if (!bytes)
        return false;
    const QString suggested = QDir::home().filePath(
        QStringLiteral("%1 evaluation.%2")
            .arg(evaluation::MethodName(source.designTexts().method), kFileSuffix));
    const QString path = ChooseSaveFile(WidgetOf(source), suggested);
    if (path.isEmpty())
        return false;
    return Write(path, *bytes, seams);
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

void ApplyOpening(DesignSource& from, DesignSource& target, const PreparedOpening& opening) {
    const EvaluationFile& file = opening.file;
    Windows().show(ScreenName(file.design.method));
    if (&from != &target)
        if (QWidget* old = WidgetOf(from))
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

bool OpenEvaluationFrom(DesignSource& source, const QString& path) {
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
    ApplyOpening(source, *target, opening.value());
    ReportDifferences(path, opening.value(), *target);
    return true;
}

bool OpenEvaluation(DesignSource& source) {
    const QString path = ChooseOpenFile(WidgetOf(source));
    if (path.isEmpty())
        return false;
    return OpenEvaluationFrom(source, path);
}

void AddEvaluationFileItems(WindowRegistry& windows, const EvaluationFileSeams& seams) {
    const DesignMenuItem items[] = {
        {QStringLiteral("&Save evaluation..."), QStringLiteral("mnuSaveEvaluation"),
         [seams](DesignSource& source) { SaveEvaluation(source, seams); }},
        {QStringLiteral("&Open evaluation..."), QStringLiteral("mnuOpenEvaluation"),
         [](DesignSource& source) { OpenEvaluation(source); }},
    };
    // Registering the windows again adds no second pair.
    for (const DesignMenuItem& item : items) {
        const auto& menu = windows.designMenu();
        if (std::none_of(menu.begin(), menu.end(), [&item](const DesignMenuItem& there) {
                return there.objectName == item.objectName;
            }))
            windows.addDesignMenuItem(item);
    }
}

} // namespace vt::files
