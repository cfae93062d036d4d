#include "files/evaluationfile.h"

#include "app/windownames.h"
#include "evaluation/designfields.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <cmath>

namespace vt::files {

using evaluation::DesignTexts;
using evaluation::Method;
using evaluation::Refusal;

QString ProgramVersion() {
    return QStringLiteral(VT_PROGRAM_VERSION);
}

bool EvaluationFile::operator==(const EvaluationFile& other) const {
    if (design.method != other.design.method)
        return false;
    for (const evaluation::DesignField& field : evaluation::kDesignFields)
        if (design.*field.text != other.design.*field.text)
            return false;
    return version == other.version && programVersion == other.programVersion &&
           results == other.results && decimalPoint == other.decimalPoint &&
           kSource == other.kSource && modellingFile == other.modellingFile &&
           report == other.report && tools == other.tools && designReport == other.designReport;
}

QString ScreenName(Method method) {
    switch (method) {
    case Method::Tributary:
        return names::frmTributary;
    case Method::Modelled:
        return names::frmModelled;
    case Method::Interpolation:
        return names::frmInterpolate;
    }
    return {};
}

QByteArray Sha256Hex(QByteArrayView bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

namespace {

// The results by their keys and captions, in the order of the screens.
struct ResultField {
    const char* key;
    const char* caption;
    QString ShownResults::*text;
};
constexpr ResultField kResultFields[] = {
    {"extraction", "% Extraction", &ShownResults::extraction},
    {"pillar_stress", "Pillar stress (MPa)", &ShownResults::stress},
    {"effective_width", "Eff. pillar width (m)", &ShownResults::effectiveWidth},
    {"wh_ratio", "W:H-ratio", &ShownResults::widthHeightRatio},
    {"pillar_strength", "Pillar strength (MPa)", &ShownResults::strength},
    {"fos", "FOS", &ShownResults::factorOfSafety},
};

const QString kTyped = QStringLiteral("typed");
const QString kUcsReadings = QStringLiteral("ucs_readings");

QString Key(const char* key) {
    return QString::fromLatin1(key);
}

// --- writing ---

QJsonObject InputsObject(const DesignTexts& design) {
    QJsonObject inputs;
    for (const evaluation::DesignField& field : evaluation::kDesignFields)
        if (field.usedBy(design.method))
            inputs.insert(Key(field.name), design.*field.text);
    return inputs;
}

QJsonObject ResultsObject(const ShownResults& results) {
    QJsonObject object;
    for (const ResultField& field : kResultFields)
        object.insert(Key(field.key), results.*field.text);
    object.insert(QStringLiteral("formula"), results.formula);
    object.insert(QStringLiteral("wh_too_small"), results.widthHeightTooSmall);
    object.insert(QStringLiteral("fos_too_small"), results.factorOfSafetyTooSmall);
    return object;
}

QJsonObject KSourceObject(const StrengthConstantSource& source) {
    if (source.typed())
        return {{QStringLiteral("kind"), kTyped}};
    return {{QStringLiteral("kind"), kUcsReadings},
            {QStringLiteral("readings"), QJsonArray::fromStringList(source.readings)},
            {QStringLiteral("downgrade_percent"), source.downgrade},
            {QStringLiteral("median"), source.median}};
}

// The design report's text fields, in the order of the window, by their keys.
struct ReportField {
    const char* key;
    QString DesignReportFields::*text;
};
constexpr ReportField kReportFields[] = {
    {"project", &DesignReportFields::project},
    {"title", &DesignReportFields::title},
    {"revision", &DesignReportFields::revision},
    {"notes", &DesignReportFields::notes},
    {"preparedBy", &DesignReportFields::preparedBy},
    {"preparedOn", &DesignReportFields::preparedOn},
    {"checkedBy", &DesignReportFields::checkedBy},
    {"checkedOn", &DesignReportFields::checkedOn},
    {"approvedBy", &DesignReportFields::approvedBy},
    {"approvedOn", &DesignReportFields::approvedOn},
};

QJsonObject DesignReportObject(const DesignReportFields& report) {
    QJsonObject object;
    for (const ReportField& field : kReportFields)
        object.insert(QString::fromLatin1(field.key), report.*field.text);
    object.insert(QStringLiteral("sections"), QJsonArray::fromStringList(report.sections));
    object.insert(QStringLiteral("sectionsOffered"), QJsonArray::fromStringList(report.offered));
    return object;
}

} // namespace

QByteArray SerialiseEvaluation(const EvaluationFile& file) {
    QJsonObject root{
        {QStringLiteral("format"), kFormatName},
        {QStringLiteral("version"), file.version},
        {QStringLiteral("program_version"), file.programVersion},
        {QStringLiteral("method"), evaluation::MethodName(file.design.method)},
        {QStringLiteral("decimal_point"), file.decimalPoint},
        {QStringLiteral("inputs"), InputsObject(file.design)},
        {QStringLiteral("k_source"), KSourceObject(file.kSource)},
        {QStringLiteral("results"), ResultsObject(file.results)},
    };
    if (file.design.method == Method::Interpolation) {
        root.insert(QStringLiteral("modelling_file"),
                    file.modellingFile
                        ? QJsonValue(QJsonObject{{QStringLiteral("path"), file.modellingFile->path},
                                                 {QStringLiteral("sha256"),
                                                  QString::fromLatin1(file.modellingFile->sha256)}})
                        : QJsonValue(QJsonValue::Null));
    }
    root.insert(QStringLiteral("report"),
                file.report
                    ? QJsonValue(QJsonObject{
                          {QStringLiteral("title"), file.report->title},
                          {QStringLiteral("originator"), file.report->originator},
                          {QStringLiteral("date"), file.report->date.toString(Qt::ISODate)}})
                    : QJsonValue(QJsonValue::Null));
    root.insert(QStringLiteral("tools"), file.tools);
    root.insert(QStringLiteral("designReport"),
                file.designReport ? QJsonValue(DesignReportObject(*file.designReport))
                                  : QJsonValue(QJsonValue::Null));
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

// --- reading ---

namespace {

const QString kNotEvaluation = QStringLiteral("The file is not an evaluation.");
const QString kCutShort = QStringLiteral(
    "The file is incomplete: it ends before the evaluation does, as a copy or a save cut short "
    "would.");

Refusal Damaged(const QString& detail) {
    return {QStringLiteral("The evaluation in the file is damaged: %1.").arg(detail), {}};
}
Refusal Hostile(const QString& detail) {
    return {QStringLiteral("The evaluation holds text that an evaluation file does not keep: %1.")
                .arg(detail),
            {}};
}

// Control characters and lone surrogates have no place in a field.
bool IsPlainText(const QString& text) {
    for (const QChar c : text)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Surrogate)
            return false;
    return true;
}

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// A number as a result field shows it: an optional minus, digits, and the
// decimal point with digits after it.
bool IsShownNumber(const QString& text, const QString& point) {
    qsizetype i = text.startsWith(u'-') ? 1 : 0;
    const qsizetype start = i;
    while (i < text.size() && IsDigit(text.at(i)))
        ++i;
    if (i == start)
        return false;
    if (i == text.size())
        return true;
    if (QStringView(text).mid(i, point.size()) != point)
        return false;
    i += point.size();
    const qsizetype fraction = i;
    while (i < text.size() && IsDigit(text.at(i)))
        ++i;
    return i > fraction && i == text.size();
}

bool IsDecimalPoint(const QString& point) {
    if (point.isEmpty() || point.size() > 4 || !IsPlainText(point))
        return false;
    for (const QChar c : point)
        if (IsDigit(c) || c == u'-' || c == u'+' || c.isSpace())
            return false;
    return true;
}

// Reads the members of one JSON object, remembering the first problem.
class Reader {
public:
    Reader(QJsonObject object, QString where)
        : object_(std::move(object))
        , where_(std::move(where)) {}

    // A text member, at most `limit` characters of plain text.
    QString text(const char* key, qsizetype limit) {
        const QJsonValue value = object_.value(Key(key));
        if (!value.isString()) {
            fail(Damaged(QStringLiteral("%1 is %2")
                             .arg(name(key), value.isUndefined() ? QStringLiteral("missing")
                                                                 : QStringLiteral("not a text"))));
            return {};
        }
        QString text = value.toString();
        if (text.size() > limit)
            fail(Hostile(
                QStringLiteral("%1 is longer than %2 characters").arg(name(key)).arg(limit)));
        else if (!IsPlainText(text))
            fail(Hostile(QStringLiteral("%1 holds control characters").arg(name(key))));
        return text;
    }

    bool flag(const char* key) {
        const QJsonValue value = object_.value(Key(key));
        if (!value.isBool())
            fail(Damaged(QStringLiteral("%1 is not true or false").arg(name(key))));
        return value.toBool();
    }

    // An object member, or none when it is null (and `nullable`).
    std::optional<Reader> object(const char* key, bool nullable) {
        const QJsonValue value = object_.value(Key(key));
        if (nullable && value.isNull())
            return std::nullopt;
        if (!value.isObject()) {
            fail(Damaged(QStringLiteral("%1 is not a group of values").arg(name(key))));
            return std::nullopt;
        }
        return Reader(value.toObject(), name(key));
    }

    QJsonValue value(const char* key) const { return object_.value(Key(key)); }
    QString name(const char* key) const {
        return where_.isEmpty() ? QStringLiteral("\"%1\"").arg(Key(key))
                                : QStringLiteral("\"%1\" of %2").arg(Key(key), where_);
    }

    void fail(Refusal refusal) {
        if (!failure)
            failure = std::move(refusal);
    }
    // Takes over the first problem of a reader of a member.
    void take(const Reader& member) {
        if (member.failure)
            fail(*member.failure);
    }

    std::optional<Refusal> failure;

private:
    QJsonObject object_;
    QString where_;
};

// Why bytes that are no JSON document are no evaluation: cut short, damaged,
// or something else altogether.
Refusal NotJson(QByteArrayView bytes, const QJsonParseError& error) {
    const QByteArray trimmed = bytes.toByteArray().trimmed();
    if (!trimmed.startsWith('{'))
        return {kNotEvaluation, {}};
    const bool marked = bytes.toByteArray().contains(kFormatName.toLatin1());
    const bool atEnd = error.offset >= trimmed.size() - 1;
    if (marked && atEnd)
        return {kCutShort, {}};
    if (marked)
        return Damaged(QStringLiteral("it is not valid JSON (%1 at byte %2)")
                           .arg(error.errorString())
                           .arg(error.offset));
    return {kNotEvaluation, {}};
}

std::optional<Refusal> ReadVersion(Reader& root, EvaluationFile& file) {
    const QJsonValue version = root.value("version");
    const double v = version.toDouble(-1);
    if (!version.isDouble() || !std::isfinite(v) || v < 1 || v != std::floor(v) || v > 1e6)
        return Damaged(QStringLiteral("\"version\" is not a format version"));
    file.programVersion = root.text("program_version", kMaxVersionChars);
    if (v > kFormatVersion)
        return Refusal{QStringLiteral("The evaluation was saved by a newer version of the program "
                                      "(file format %1, program version %2); this version reads "
                                      "format %3 and older.")
                           .arg(static_cast<int>(v))
                           .arg(file.programVersion.left(kMaxVersionChars))
                           .arg(kFormatVersion),
                       {}};
    file.version = static_cast<int>(v);
    return std::nullopt;
}

void ReadInputs(Reader& root, EvaluationFile& file) {
    std::optional<Reader> inputs = root.object("inputs", false);
    if (!inputs)
        return;
    for (const evaluation::DesignField& field : evaluation::kDesignFields)
        if (field.usedBy(file.design.method))
            file.design.*field.text = inputs->text(field.name, kMaxInputChars);
    root.take(*inputs);
}

void ReadResults(Reader& root, EvaluationFile& file) {
    std::optional<Reader> results = root.object("results", false);
    if (!results)
        return;
    for (const ResultField& field : kResultFields) {
        QString& text = file.results.*field.text;
        // The modelled screen's stress is the typed one, an input.
        const bool typed =
            file.design.method == Method::Modelled && field.text == &ShownResults::stress;
        text = results->text(field.key, typed ? kMaxInputChars : kMaxResultChars);
        if (!typed && !text.isEmpty() && !IsShownNumber(text, file.decimalPoint))
            results->fail(Hostile(QStringLiteral("%1 is not a number as the screen shows it")
                                      .arg(results->name(field.key))));
    }
    file.results.formula = results->text("formula", kMaxSentenceChars);
    file.results.widthHeightTooSmall = results->flag("wh_too_small");
    file.results.factorOfSafetyTooSmall = results->flag("fos_too_small");
    root.take(*results);
}

void ReadKSource(Reader& root, EvaluationFile& file) {
    std::optional<Reader> source = root.object("k_source", false);
    if (!source)
        return;
    const QString kind = source->text("kind", kMaxInputChars);
    if (kind == kUcsReadings) {
        const QJsonValue readings = source->value("readings");
        const QJsonArray list = readings.toArray();
        if (!readings.isArray() || list.isEmpty())
            source->fail(Damaged(
                QStringLiteral("%1 is not a list of readings").arg(source->name("readings"))));
        else if (list.size() > kMaxReadings)
            source->fail(Hostile(QStringLiteral("%1 holds more than %2 readings")
                                     .arg(source->name("readings"))
                                     .arg(kMaxReadings)));
        for (qsizetype i = 0; i < list.size() && i < kMaxReadings && !source->failure; ++i) {
            const QString reading = list.at(i).toString();
            if (!list.at(i).isString() || reading.size() > kMaxInputChars || !IsPlainText(reading))
                source->fail(Hostile(QStringLiteral("reading %1 of %2 is not a typed reading")
                                         .arg(i + 1)
                                         .arg(source->name("readings"))));
            file.kSource.readings << reading;
        }
        file.kSource.downgrade = source->text("downgrade_percent", kMaxInputChars);
        file.kSource.median = source->text("median", kMaxResultChars);
        if (!IsShownNumber(file.kSource.median, file.decimalPoint))
            source->fail(Hostile(QStringLiteral("%1 is not a number as the UCS dialog shows it")
                                     .arg(source->name("median"))));
    } else if (kind != kTyped && !source->failure) {
        source->fail(Damaged(QStringLiteral("%1 is neither \"typed\" nor \"ucs_readings\"")
                                 .arg(source->name("kind"))));
    }
    root.take(*source);
}

bool IsSha256Hex(const QString& text) {
    if (text.size() != 64)
        return false;
    for (const QChar c : text)
        if (!IsDigit(c) && !(c >= u'a' && c <= u'f'))
            return false;
    return true;
}

void ReadModellingFile(Reader& root, EvaluationFile& file) {
    if (file.design.method != Method::Interpolation)
        return;
    std::optional<Reader> ref = root.object("modelling_file", true);
    if (!ref)
        return;
    ModellingFileRef m;
    m.path = ref->text("path", kMaxPathChars);
    const QString sum = ref->text("sha256", 64);
    if (m.path.isEmpty() && !ref->failure)
        ref->fail(Damaged(QStringLiteral("%1 is empty").arg(ref->name("path"))));
    if (!IsSha256Hex(sum) && !ref->failure)
        ref->fail(Damaged(QStringLiteral("%1 is not a SHA-256 checksum").arg(ref->name("sha256"))));
    m.sha256 = sum.toLatin1();
    file.modellingFile = m;
    root.take(*ref);
}

// A tool's settings: texts, in objects at most two below the tool's own, at
// most kMaxToolSettings texts in all; `count` counts them.
bool IsKeptSettings(const QJsonObject& object, int depth, qsizetype& count) {
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.key().size() > kMaxInputChars || !IsPlainText(it.key()))
            return false;
        if (it.value().isObject()) {
            if (depth >= 2 || !IsKeptSettings(it.value().toObject(), depth + 1, count))
                return false;
        } else {
            const QString text = it.value().toString();
            if (!it.value().isString() || text.size() > kMaxInputChars || !IsPlainText(text) ||
                ++count > kMaxToolSettings)
                return false;
        }
    }
    return true;
}

void ReadTools(Reader& root, EvaluationFile& file) {
    // Format 1 had no tools; a later format-2 file may leave them out.
    if (file.version < 2 || root.value("tools").isUndefined())
        return;
    std::optional<Reader> tools = root.object("tools", false);
    if (!tools)
        return;
    qsizetype count = 0;
    for (const KeptTool& tool : kKeptTools) {
        const QJsonValue value = tools->value(tool.key);
        if (value.isUndefined())
            continue;
        if (!value.isObject()) {
            tools->fail(
                Damaged(QStringLiteral("%1 is not a group of values").arg(tools->name(tool.key))));
            break;
        }
        if (!IsKeptSettings(value.toObject(), 0, count)) {
            tools->fail(Hostile(
                QStringLiteral("%1 holds more than settings as typed").arg(tools->name(tool.key))));
            break;
        }
        file.tools.insert(Key(tool.key), value);
    }
    root.take(*tools);
}

void ReadReport(Reader& root, EvaluationFile& file) {
    std::optional<Reader> report = root.object("report", true);
    if (!report)
        return;
    ReportHeading heading;
    heading.title = report->text("title", kMaxHeadingChars);
    heading.originator = report->text("originator", kMaxHeadingChars);
    const QString date = report->text("date", kMaxInputChars);
    heading.date = QDate::fromString(date, Qt::ISODate);
    if (!heading.date.isValid() && !report->failure)
        report->fail(Damaged(QStringLiteral("%1 is not a date").arg(report->name("date"))));
    file.report = heading;
    root.take(*report);
}

// The sections the design report offered before it listed them in files.
const QStringList kSectionsOfFirstReports{
    QStringLiteral("summary"),     QStringLiteral("inputs"),     QStringLiteral("method"),
    QStringLiteral("plan"),        QStringLiteral("charts"),     QStringLiteral("solve"),
    QStringLiteral("probability"), QStringLiteral("assumptions")};

// A list of the design report's sections by name.
QStringList SectionList(Reader& report, const char* key) {
    QStringList names;
    const QJsonValue sections = report.value(key);
    const QJsonArray list = sections.toArray();
    if (!sections.isArray() || list.size() > 100)
        report.fail(Damaged(QStringLiteral("%1 is not a list of sections").arg(report.name(key))));
    for (qsizetype i = 0; i < list.size() && i < 100 && !report.failure; ++i) {
        const QString name = list.at(i).toString();
        if (!list.at(i).isString() || name.size() > kMaxInputChars || !IsPlainText(name))
            report.fail(Hostile(
                QStringLiteral("section %1 of %2 is not a name").arg(i + 1).arg(report.name(key))));
        names << name;
    }
    return names;
}

void ReadDesignReport(Reader& root, EvaluationFile& file) {
    // Files of format 1 have none.
    if (root.value("designReport").isUndefined())
        return;
    std::optional<Reader> report = root.object("designReport", true);
    if (!report)
        return;
    DesignReportFields fields;
    for (const ReportField& field : kReportFields) {
        if (field.text == &DesignReportFields::notes) {
            // Lines of plain text.
            const QJsonValue notes = report->value(field.key);
            fields.notes = notes.toString();
            bool plain = notes.isString() && fields.notes.size() <= kMaxNotesChars;
            for (const QString& line : fields.notes.split(u'\n'))
                plain = plain && IsPlainText(line);
            if (!plain)
                report->fail(Hostile(QStringLiteral("%1 is not lines of text of at most %2 "
                                                    "characters")
                                         .arg(report->name(field.key))
                                         .arg(kMaxNotesChars)));
            continue;
        }
        fields.*field.text = report->text(field.key, kMaxHeadingChars);
    }
    fields.sections = SectionList(*report, "sections");
    // Files written before the report offered "formulas" do not say what
    // was offered: the sections of the report then.
    if (report->value("sectionsOffered").isUndefined())
        fields.offered = kSectionsOfFirstReports;
    else
        fields.offered = SectionList(*report, "sectionsOffered");
    file.designReport = fields;
    root.take(*report);
}

} // namespace

evaluation::Step<EvaluationFile> ParseEvaluation(QByteArrayView bytes) {
    if (bytes.size() > kMaxFileBytes)
        return Refusal{
            QStringLiteral("The file is larger than %1 KiB: no evaluation is that large.")
                .arg(kMaxFileBytes / 1024),
            {}};
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError)
        return NotJson(bytes, error);
    if (!document.isObject() ||
        document.object().value(QStringLiteral("format")).toString() != kFormatName)
        return Refusal{kNotEvaluation, {}};

    Reader root(document.object(), QString());
    EvaluationFile file;
    if (auto refusal = ReadVersion(root, file))
        return *refusal;
    const auto method = evaluation::MethodFromName(root.text("method", kMaxInputChars));
    if (!method)
        return Damaged(QStringLiteral("\"method\" is not tributary, modelled or interpolation"));
    file.design.method = *method;
    file.decimalPoint = root.text("decimal_point", 4);
    if (!root.failure && !IsDecimalPoint(file.decimalPoint))
        return Damaged(QStringLiteral("\"decimal_point\" is not a decimal point"));
    ReadInputs(root, file);
    ReadResults(root, file);
    ReadKSource(root, file);
    ReadModellingFile(root, file);
    ReadReport(root, file);
    ReadTools(root, file);
    ReadDesignReport(root, file);
    if (root.failure)
        return *root.failure;
    return file;
}

// --- comparing ---

std::optional<CalculationStage> StageOf(const EvaluationFile& file) {
    const ShownResults& r = file.results;
    if (!r.widthHeightRatio.isEmpty() || !r.strength.isEmpty() || !r.factorOfSafety.isEmpty())
        return CalculationStage::BothTabs;
    switch (file.design.method) {
    case Method::Interpolation:
        // The width alone gives the effective width there.
        if (!r.stress.isEmpty() || !r.extraction.isEmpty())
            return CalculationStage::FirstTab;
        return std::nullopt;
    case Method::Tributary:
    case Method::Modelled:
        if (!r.effectiveWidth.isEmpty())
            return CalculationStage::FirstTab;
        if (!r.extraction.isEmpty() ||
            (file.design.method == Method::Tributary && !r.stress.isEmpty()))
            return CalculationStage::FirstStep;
        return std::nullopt;
    }
    return std::nullopt;
}

namespace {

QString WithPoint(QString text, const QString& from, const QString& to) {
    if (from != to)
        text.replace(from, to);
    return text;
}

QString YesNo(bool value) {
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

} // namespace

std::vector<Difference> ResultDifferences(const EvaluationFile& saved, const ShownResults& now,
                                          const QString& nowPoint) {
    std::vector<Difference> differences;
    const ShownResults& s = saved.results;
    for (const ResultField& field : kResultFields) {
        const QString& savedText = s.*field.text;
        if (savedText.isEmpty())
            continue;
        const bool typed =
            saved.design.method == Method::Modelled && field.text == &ShownResults::stress;
        const QString expected =
            typed ? savedText : WithPoint(savedText, saved.decimalPoint, nowPoint);
        if (expected != now.*field.text)
            differences.push_back({Key(field.caption), expected, now.*field.text});
    }
    const bool strengthSaved = !s.widthHeightRatio.isEmpty();
    if (strengthSaved && s.formula != now.formula)
        differences.push_back({QStringLiteral("Formula"), s.formula, now.formula});
    if (strengthSaved && s.widthHeightTooSmall != now.widthHeightTooSmall)
        differences.push_back({QStringLiteral("W:H-ratio shown red"), YesNo(s.widthHeightTooSmall),
                               YesNo(now.widthHeightTooSmall)});
    if (!s.factorOfSafety.isEmpty() && s.factorOfSafetyTooSmall != now.factorOfSafetyTooSmall)
        differences.push_back({QStringLiteral("FOS shown red"), YesNo(s.factorOfSafetyTooSmall),
                               YesNo(now.factorOfSafetyTooSmall)});
    return differences;
}

std::vector<Difference> InputDifferences(const DesignTexts& saved, const DesignTexts& now) {
    std::vector<Difference> differences;
    for (const evaluation::DesignField& field : evaluation::kDesignFields)
        if (field.usedBy(saved.method) && saved.*field.text != now.*field.text)
            differences.push_back(
                {evaluation::Caption(field.input), saved.*field.text, now.*field.text});
    return differences;
}

} // namespace vt::files
