// The evaluation file format without windows: writing and reading back,
// every refusal of a file that is not one the program wrote, the limits,
// and the comparison of saved and shown results.
#include "files/evaluationfile.h"
#include "tests/support/designs.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace vt::files {
namespace {

using evaluation::Method;

EvaluationFile Tributary() {
    EvaluationFile file;
    file.programVersion = QStringLiteral("1.2.0");
    file.design = test::TributaryDesign();
    file.results = {QStringLiteral("79.3"),
                    QStringLiteral("64.1"),
                    QStringLiteral("10"),
                    QStringLiteral("2"),
                    QStringLiteral("94.6"),
                    QStringLiteral("1.5"),
                    QStringLiteral("The Hedley/Grant formula was used"),
                    true,
                    true};
    return file;
}

EvaluationFile Modelled() {
    EvaluationFile file = Tributary();
    file.design.method = Method::Modelled;
    file.design.density.clear();
    file.design.stress = QStringLiteral("64,0985"); // typed in German, kept as typed
    file.results.stress = file.design.stress;
    file.decimalPoint = QStringLiteral(",");
    file.results.extraction = QStringLiteral("79,3");
    file.results.strength = QStringLiteral("94,6");
    file.results.factorOfSafety = QStringLiteral("1,5");
    file.kSource = {{QStringLiteral("120"), QStringLiteral("100"), QStringLiteral("140")},
                    QStringLiteral("66,67"),
                    QStringLiteral("120")};
    file.report = ReportHeading{QStringLiteral("Panel 7, \"north\" — ünder"),
                                QStringLiteral("Rock engineering"), QDate(2024, 2, 29)};
    file.tools = QJsonObject{
        {QStringLiteral("target_fos"), QJsonObject{{QStringLiteral("target_fos"), "1,8"}}},
        {QStringLiteral("probability"),
         QJsonObject{{QStringLiteral("seed"), "77"},
                     {QStringLiteral("inputs"),
                      QJsonObject{{QStringLiteral("depth"),
                                   QJsonObject{{QStringLiteral("distribution"), "normal"},
                                               {QStringLiteral("cv"), "7,5"}}}}}}}};
    file.designReport = DesignReportFields{
        QStringLiteral("North shaft"),
        QStringLiteral("Panel 7 pillars"),
        QStringLiteral("B"),
        QStringLiteral("Mapped in March.\nNo dyke — ünder."),
        QStringLiteral("Project engineer"),
        QStringLiteral("29.02.2024"),
        QStringLiteral("Rock engineer"),
        {},
        {},
        {},
        {QStringLiteral("summary"), QStringLiteral("solve")},
        {QStringLiteral("summary"), QStringLiteral("solve"), QStringLiteral("formulas")}};
    return file;
}

EvaluationFile Interpolation() {
    EvaluationFile file;
    file.programVersion = QStringLiteral("1.2.0");
    file.design.method = Method::Interpolation;
    file.design.width = QStringLiteral("6");
    file.design.depth = QStringLiteral("300");
    file.design.k = QStringLiteral("40");
    file.design.height = QStringLiteral("3");
    file.results.extraction = QStringLiteral("88.9");
    file.results.stress = QStringLiteral("65.4");
    file.results.effectiveWidth = QStringLiteral("6");
    file.modellingFile = ModellingFileRef{
        QStringLiteral("/data/RazuziRurida - Do not delete.int"),
        QByteArray("0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef")};
    return file;
}

// What reading gives back of a written design: the inputs of its method, the
// others as a new design has them.
evaluation::DesignTexts UsedInputs(const EvaluationFile& file) {
    evaluation::DesignTexts used;
    used.method = file.design.method;
    used.density = file.design.method == Method::Tributary ? file.design.density : QString();
    used.stress = file.design.method == Method::Modelled ? file.design.stress : QString();
    used.depth = file.design.depth;
    used.width = file.design.width;
    used.k = file.design.k;
    used.height = file.design.height;
    used.alpha = file.design.alpha;
    used.beta = file.design.beta;
    used.squatStart = file.design.squatStart;
    used.increaseRate = file.design.increaseRate;
    if (file.design.method != Method::Interpolation) {
        used.length = file.design.length;
        used.bord1 = file.design.bord1;
        used.bord2 = file.design.bord2;
    }
    return used;
}

TEST(EvaluationFileTest, WhatIsWrittenReadsBackTheSame) {
    EvaluationFile withoutFile = Interpolation();
    withoutFile.modellingFile.reset();
    withoutFile.results = {};
    for (const EvaluationFile& file : {Tributary(), Modelled(), Interpolation(), withoutFile}) {
        const auto read = ParseEvaluation(SerialiseEvaluation(file));
        ASSERT_TRUE(read) << read.refusal().message.toStdString();
        EvaluationFile expected = file;
        expected.design = UsedInputs(file);
        EXPECT_EQ(read.value(), expected)
            << evaluation::MethodName(file.design.method).toStdString();
    }
}

TEST(EvaluationFileTest, IsIndentedJsonNamingFormatVersionAndOnlyTheMethodsInputs) {
    const QByteArray interpolation = SerialiseEvaluation(Interpolation());
    EXPECT_TRUE(interpolation.endsWith("}\n"));
    EXPECT_TRUE(interpolation.contains("\n    \"format\": \"vandrel-tessaron-evaluation\",\n"));
    EXPECT_TRUE(interpolation.contains("\"version\": 2\n"));
    EXPECT_TRUE(interpolation.contains("\"tools\": {\n    }"));
    EXPECT_TRUE(interpolation.contains("\"program_version\": \"1.2.0\""));
    EXPECT_TRUE(interpolation.contains("\"pillar_width\": \"6\""));
    EXPECT_TRUE(interpolation.contains("\"sha256\": \"0123456789abcdef"));
    for (const char* absent : {"rock_density", "aps", "pillar_length", "bord_width_1"})
        EXPECT_FALSE(interpolation.contains(absent)) << absent;

    const QByteArray tributary = SerialiseEvaluation(Tributary());
    for (const char* present : {"rock_density", "pillar_length", "bord_width_1", "bord_width_2"})
        EXPECT_TRUE(tributary.contains(present)) << present;
    for (const char* absent : {"\"aps\"", "modelling_file"})
        EXPECT_FALSE(tributary.contains(absent)) << absent;
    EXPECT_TRUE(tributary.contains("\"kind\": \"typed\""));
    EXPECT_TRUE(tributary.contains("\"report\": null"));
    EXPECT_TRUE(tributary.contains("\"designReport\": null"));
    EXPECT_LT(tributary.size(), 2048);
}

// A file of the first format, before the design report was kept, opens as
// it did.
TEST(EvaluationFileTest, FilesOfTheFirstFormatStillOpen) {
    QJsonObject root = QJsonDocument::fromJson(SerialiseEvaluation(Modelled())).object();
    root.insert(QStringLiteral("version"), 1);
    root.remove(QStringLiteral("designReport"));
    const auto read = ParseEvaluation(QJsonDocument(root).toJson());
    ASSERT_TRUE(read) << read.refusal().message.toStdString();
    EXPECT_EQ(read.value().version, 1);
    EXPECT_FALSE(read.value().designReport);
    EXPECT_EQ(read.value().report, Modelled().report);
}

TEST(EvaluationFileTest, ChecksumIsTheStandardSha256) {
    // The test vectors of FIPS 180-2.
    EXPECT_EQ(Sha256Hex(QByteArrayView("abc")),
              QByteArray("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
    EXPECT_EQ(Sha256Hex(QByteArrayView("")),
              QByteArray("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"));
}

// --- refusals ---

QByteArray Edited(const EvaluationFile& file, const std::function<void(QJsonObject&)>& edit) {
    QJsonObject root = QJsonDocument::fromJson(SerialiseEvaluation(file)).object();
    edit(root);
    return QJsonDocument(root).toJson();
}

void SetMember(QJsonObject& root, const QString& group, const QString& key, const QJsonValue& v) {
    QJsonObject object = root.value(group).toObject();
    object.insert(key, v);
    root.insert(group, object);
}

struct RefusalCase {
    const char* name;
    std::function<QByteArray()> bytes;
    const char* says; // a part of the message
};

std::vector<RefusalCase> RefusalCases() {
    const auto edit = [](const EvaluationFile& file, std::function<void(QJsonObject&)> f) {
        return [file, f] { return Edited(file, f); };
    };
    const auto input = [&](const char* key, QJsonValue value) {
        return edit(Tributary(), [key, value](QJsonObject& r) {
            SetMember(r, QStringLiteral("inputs"), QString::fromLatin1(key), value);
        });
    };
    const auto result = [&](const char* key, QJsonValue value) {
        return edit(Tributary(), [key, value](QJsonObject& r) {
            SetMember(r, QStringLiteral("results"), QString::fromLatin1(key), value);
        });
    };
    const auto root = [&](const char* key, QJsonValue value) {
        return edit(Tributary(),
                    [key, value](QJsonObject& r) { r.insert(QString::fromLatin1(key), value); });
    };
    const QByteArray whole = SerialiseEvaluation(Tributary());
    QJsonArray tooMany;
    for (int i = 0; i <= kMaxReadings; ++i)
        tooMany.append(QStringLiteral("100"));
    return {
        {"empty", [] { return QByteArray(); }, "not an evaluation"},
        {"a modelling-results file",
         [] { return QByteArray("4\t0\t6\t0\r\n100\t35\t100\t19\r\n"); }, "not an evaluation"},
        {"binary junk", [] { return QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11); },
         "not an evaluation"},
        {"another JSON document", [] { return QByteArray("{\"name\": \"x\"}"); },
         "not an evaluation"},
        {"a JSON list", [] { return QByteArray("[1, 2]"); }, "not an evaluation"},
        {"cut in half", [whole] { return whole.left(whole.size() / 2); }, "incomplete"},
        {"damaged inside",
         [whole] { return QByteArray(whole).replace("\"inputs\": {", "\"inputs\" {"); },
         "not valid JSON"},
        {"newer format", root("version", 3),
         "newer version of the program (file format 3, program version 1.2.0); this version "
         "reads format 2 and older"},
        {"tools no group", root("tools", QStringLiteral("none")), "\"tools\" is not a group"},
        {"a tool no group",
         root("tools", QJsonObject{{QStringLiteral("target_fos"), QJsonArray{}}}),
         "\"target_fos\" of \"tools\" is not a group"},
        {"a tool's setting no text",
         root("tools", QJsonObject{{QStringLiteral("target_fos"),
                                    QJsonObject{{QStringLiteral("plan_grid"), 0.5}}}}),
         "\"target_fos\" of \"tools\" holds more than settings as typed"},
        {"a tool's settings too deep",
         root("tools", QJsonObject{{QStringLiteral("probability"),
                                    QJsonObject{{QStringLiteral("inputs"),
                                                 QJsonObject{{QStringLiteral("depth"),
                                                              QJsonObject{{QStringLiteral("cv"),
                                                                           QJsonObject{}}}}}}}}}),
         "\"probability\" of \"tools\" holds more than settings as typed"},
        {"version 0", root("version", 0), "not a format version"},
        {"version 1.5", root("version", 1.5), "not a format version"},
        {"version as text", root("version", QStringLiteral("1")), "not a format version"},
        {"version 1e300", root("version", 1e300), "not a format version"},
        {"unknown method", root("method", QStringLiteral("square")), "\"method\""},
        {"no inputs", edit(Tributary(), [](QJsonObject& r) { r.remove(QStringLiteral("inputs")); }),
         "\"inputs\" is not a group"},
        {"an input missing",
         edit(Tributary(),
              [](QJsonObject& r) {
                  QJsonObject inputs = r.value(QStringLiteral("inputs")).toObject();
                  inputs.remove(QStringLiteral("depth"));
                  r.insert(QStringLiteral("inputs"), inputs);
              }),
         "\"depth\" of \"inputs\" is missing"},
        {"an input as a number", input("depth", 500), "\"depth\" of \"inputs\" is not a text"},
        {"a huge input", input("k", QString(kMaxInputChars + 1, u'9')), "longer than 100"},
        {"a line break in an input", input("k", QStringLiteral("10\n0")), "control characters"},
        {"a NUL in an input", input("k", QString(QChar(u'\0'))), "control characters"},
        {"a result beyond numbers", result("fos", QStringLiteral("1e999")), "not a number as"},
        {"a result inf", result("fos", QStringLiteral("inf")), "not a number as"},
        {"a result with two points", result("extraction", QStringLiteral("7.9.3")),
         "not a number as"},
        {"a result with the other point", result("extraction", QStringLiteral("79,3")),
         "not a number as"},
        {"a lone minus", result("wh_ratio", QStringLiteral("-")), "not a number as"},
        {"a huge result", result("fos", QString(kMaxResultChars + 1, u'1')), "longer than 64"},
        {"a flag as text", result("wh_too_small", QStringLiteral("yes")), "not true or false"},
        {"a control character in the notes",
         edit(Modelled(),
              [](QJsonObject& r) {
                  SetMember(r, QStringLiteral("designReport"), QStringLiteral("notes"),
                            QStringLiteral("a\tb"));
              }),
         "\"notes\" of \"designReport\" is not lines of text"},
        {"report sections as text",
         edit(Modelled(),
              [](QJsonObject& r) {
                  SetMember(r, QStringLiteral("designReport"), QStringLiteral("sections"),
                            QStringLiteral("summary"));
              }),
         "not a list of sections"},
        {"report sections offered holding a number",
         edit(Modelled(),
              [](QJsonObject& r) {
                  SetMember(r, QStringLiteral("designReport"), QStringLiteral("sectionsOffered"),
                            QJsonArray{QStringLiteral("summary"), 7});
              }),
         "section 2 of \"sectionsOffered\" of \"designReport\" is not a name"},
        {"a digit as decimal point", root("decimal_point", QStringLiteral("5")),
         "\"decimal_point\""},
        {"too many readings",
         edit(Tributary(),
              [tooMany](QJsonObject& r) {
                  r.insert(
                      QStringLiteral("k_source"),
                      QJsonObject{{QStringLiteral("kind"), QStringLiteral("ucs_readings")},
                                  {QStringLiteral("readings"), tooMany},
                                  {QStringLiteral("downgrade_percent"), QStringLiteral("66.67")},
                                  {QStringLiteral("median"), QStringLiteral("100")}});
              }),
         "more than 1000 readings"},
        {"a median that is no shown number",
         edit(Modelled(),
              [](QJsonObject& r) {
                  SetMember(r, QStringLiteral("k_source"), QStringLiteral("median"),
                            QStringLiteral("1e400"));
              }),
         "not a number as the UCS dialog shows it"},
        {"an unknown K source",
         edit(Tributary(),
              [](QJsonObject& r) {
                  r.insert(QStringLiteral("k_source"),
                           QJsonObject{{QStringLiteral("kind"), QStringLiteral("guessed")}});
              }),
         "neither"},
        {"a checksum too short",
         edit(Interpolation(),
              [](QJsonObject& r) {
                  SetMember(r, QStringLiteral("modelling_file"), QStringLiteral("sha256"),
                            QStringLiteral("abc"));
              }),
         "not a SHA-256"},
        {"a checksum in capitals",
         edit(Interpolation(),
              [](QJsonObject& r) {
                  SetMember(r, QStringLiteral("modelling_file"), QStringLiteral("sha256"),
                            QString(64, u'A'));
              }),
         "not a SHA-256"},
        {"a huge path",
         edit(Interpolation(),
              [](QJsonObject& r) {
                  SetMember(r, QStringLiteral("modelling_file"), QStringLiteral("path"),
                            QString(kMaxPathChars + 1, u'a'));
              }),
         "longer than 4096"},
        {"no date",
         edit(Modelled(),
              [](QJsonObject& r) {
                  SetMember(r, QStringLiteral("report"), QStringLiteral("date"),
                            QStringLiteral("2023-02-29"));
              }),
         "not a date"},
        {"a huge title",
         edit(Modelled(),
              [](QJsonObject& r) {
                  SetMember(r, QStringLiteral("report"), QStringLiteral("title"),
                            QString(kMaxHeadingChars + 1, u'T'));
              }),
         "longer than 1000"},
        {"larger than an evaluation",
         [whole] { return QByteArray(whole).append(QByteArray(kMaxFileBytes, ' ')); },
         "larger than 256 KiB"},
    };
}

TEST(EvaluationFileTest, RefusesEveryFileThatIsNotOneItWrote) {
    for (const RefusalCase& c : RefusalCases()) {
        const auto read = ParseEvaluation(c.bytes());
        ASSERT_FALSE(read) << c.name;
        EXPECT_TRUE(read.refusal().message.contains(QString::fromUtf8(c.says)))
            << c.name << ": " << read.refusal().message.toStdString();
    }
}

TEST(EvaluationFileTest, TheLimitsThemselvesAreAccepted) {
    EvaluationFile file = Modelled();
    file.design.k = QString(kMaxInputChars, u'9');
    file.report->title = QString(kMaxHeadingChars, u'T');
    file.kSource.readings = QStringList(kMaxReadings, QString(kMaxInputChars, u'1'));
    const QByteArray bytes = SerialiseEvaluation(file);
    ASSERT_LE(bytes.size(), kMaxFileBytes);
    const auto read = ParseEvaluation(bytes);
    ASSERT_TRUE(read) << read.refusal().message.toStdString();
    EXPECT_EQ(read->design.k, file.design.k);
    EXPECT_EQ(read->kSource.readings.size(), kMaxReadings);
}

TEST(EvaluationFileTest, EveryCutShortCopyIsRefused) {
    // The last byte is the closing line feed; without it the file is whole.
    for (const EvaluationFile& file : {Tributary(), Modelled(), Interpolation()}) {
        const QByteArray whole = SerialiseEvaluation(file);
        for (qsizetype size = 0; size < whole.size() - 1; ++size)
            ASSERT_FALSE(ParseEvaluation(whole.left(size))) << size;
    }
}

TEST(EvaluationFileTest, AFileOfTheFirstFormatReadsWithoutToolsAndUnknownToolsAreLeftAlone) {
    EvaluationFile old = Modelled();
    const QByteArray first = Edited(old, [](QJsonObject& r) {
        r.insert(QStringLiteral("version"), 1);
        r.remove(QStringLiteral("tools"));
    });
    auto read = ParseEvaluation(first);
    ASSERT_TRUE(read) << read.refusal().message.toStdString();
    EXPECT_EQ(read->version, 1);
    EXPECT_TRUE(read->tools.isEmpty());
    old.tools.insert(QStringLiteral("a later tool"), QJsonObject{{"x", "1"}});
    read = ParseEvaluation(SerialiseEvaluation(old));
    ASSERT_TRUE(read) << read.refusal().message.toStdString();
    EXPECT_EQ(read->tools, Modelled().tools);
}

TEST(EvaluationFileTest, UnknownMembersOfTheSameFormatAreLeftAlone) {
    const QByteArray bytes = Edited(Tributary(), [](QJsonObject& r) {
        r.insert(QStringLiteral("comment"), QStringLiteral("added by hand"));
        SetMember(r, QStringLiteral("inputs"), QStringLiteral("aps"), QStringLiteral("99"));
    });
    const auto read = ParseEvaluation(bytes);
    ASSERT_TRUE(read) << read.refusal().message.toStdString();
    EXPECT_TRUE(read->design.stress.isEmpty()); // the tributary screen has no typed stress
}

// --- how far the buttons went, and what differs ---

TEST(EvaluationFileTest, StageFollowsTheResultsShown) {
    struct Case {
        Method method;
        ShownResults results;
        std::optional<CalculationStage> stage;
    };
    const QString x = QStringLiteral("1");
    const Case cases[] = {
        {Method::Tributary, {}, std::nullopt},
        {Method::Tributary, {x, x, {}, {}, {}, {}, {}, false, false}, CalculationStage::FirstStep},
        {Method::Tributary, {{}, x, {}, {}, {}, {}, {}, false, false}, CalculationStage::FirstStep},
        {Method::Tributary, {x, x, x, {}, {}, {}, {}, false, false}, CalculationStage::FirstTab},
        {Method::Tributary, {{}, {}, x, {}, {}, {}, {}, false, false}, CalculationStage::FirstTab},
        {Method::Tributary, {x, x, x, x, x, x, x, false, false}, CalculationStage::BothTabs},
        // The typed stress of the modelled screen is no result of a step.
        {Method::Modelled, {{}, x, {}, {}, {}, {}, {}, false, false}, std::nullopt},
        {Method::Modelled, {x, x, {}, {}, {}, {}, {}, false, false}, CalculationStage::FirstStep},
        // The width alone fills the interpolation screen's effective width.
        {Method::Interpolation, {{}, {}, x, {}, {}, {}, {}, false, false}, std::nullopt},
        {Method::Interpolation,
         {x, x, x, {}, {}, {}, {}, false, false},
         CalculationStage::FirstTab},
        {Method::Interpolation, {x, x, x, x, x, x, x, true, false}, CalculationStage::BothTabs},
    };
    for (const Case& c : cases) {
        EvaluationFile file;
        file.design.method = c.method;
        file.results = c.results;
        EXPECT_EQ(StageOf(file), c.stage) << evaluation::MethodName(c.method).toStdString();
    }
}

TEST(EvaluationFileTest, DifferencesNameTheResultsNoLongerShown) {
    const EvaluationFile saved = Tributary();
    EXPECT_TRUE(ResultDifferences(saved, saved.results, QStringLiteral(".")).empty());

    ShownResults now = saved.results;
    now.factorOfSafety = QStringLiteral("1.6");
    now.factorOfSafetyTooSmall = false;
    now.strength.clear();
    const std::vector<Difference> expected{
        {QStringLiteral("Pillar strength (MPa)"), QStringLiteral("94.6"), QString()},
        {QStringLiteral("FOS"), QStringLiteral("1.5"), QStringLiteral("1.6")},
        {QStringLiteral("FOS shown red"), QStringLiteral("yes"), QStringLiteral("no")},
    };
    EXPECT_EQ(ResultDifferences(saved, now, QStringLiteral(".")), expected);
}

TEST(EvaluationFileTest, SavedResultsAreComparedInTheDecimalPointShownNow) {
    const EvaluationFile saved = Modelled(); // saved with a comma
    ShownResults now = saved.results;
    now.extraction = QStringLiteral("79.3");
    now.strength = QStringLiteral("94.6");
    now.factorOfSafety = QStringLiteral("1.5");
    // The typed stress stays as typed; the shown numbers take the point.
    EXPECT_TRUE(ResultDifferences(saved, now, QStringLiteral(".")).empty());
    EXPECT_EQ(ResultDifferences(saved, now, QStringLiteral(",")).size(), 3u);
}

TEST(EvaluationFileTest, ResultsTheFileDoesNotHoldAreNoDifference) {
    EvaluationFile saved = Tributary();
    saved.results = {QStringLiteral("79.3"),
                     QStringLiteral("64.1"),
                     {},
                     {},
                     {},
                     {},
                     QStringLiteral("The squat pillar formula was used"),
                     false,
                     false};
    // The tributary screen keeps its formula sentence after an input
    // change; without strength results it belongs to no result.
    ShownResults now = Tributary().results;
    EXPECT_TRUE(ResultDifferences(saved, now, QStringLiteral(".")).empty());
    now.formula = QStringLiteral("The Hedley/Grant formula was used");
    saved.results = Tributary().results;
    saved.results.formula = QStringLiteral("The squat pillar formula was used");
    ASSERT_EQ(ResultDifferences(saved, now, QStringLiteral(".")).size(), 1u);
    EXPECT_EQ(ResultDifferences(saved, now, QStringLiteral("."))[0].what,
              QStringLiteral("Formula"));
}

TEST(EvaluationFileTest, InputDifferencesLookOnlyAtTheMethodsInputs) {
    const EvaluationFile saved = Interpolation();
    evaluation::DesignTexts now = saved.design;
    now.length = QStringLiteral("6"); // follows the width on that screen
    now.density = QStringLiteral("2.7");
    EXPECT_TRUE(InputDifferences(saved.design, now).empty());
    now.depth = QStringLiteral("301");
    const std::vector<Difference> expected{
        {QStringLiteral("Depth (m)"), QStringLiteral("300"), QStringLiteral("301")}};
    EXPECT_EQ(InputDifferences(saved.design, now), expected);
}

} // namespace
} // namespace vt::files
