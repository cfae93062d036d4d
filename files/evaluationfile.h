// The evaluation file: one evaluation kept as small, human-readable JSON
// (docs/evaluation-file.md describes it key by key). It holds the method,
// every input as typed, the results as the screen showed them, where K came
// from, the modelling-results file and its SHA-256 checksum (interpolation),
// the report's title, originator and date when the report was filled, the
// settings of the tools open on the screen, the design report's fields when
// its window was open for the screen, and the versions of the format and of
// the program.
//
// Everything here is a pure function over bytes and values: serialising, and
// parsing with every check a file must pass before any screen is touched.
// The save and open actions (evaluationactions.h) use them.
#pragma once

#include "app/designreportkeeper.h"
#include "app/interfaces.h"
#include "app/windownames.h"
#include "dialogs/report.h"
#include "evaluation/design.h"
#include "evaluation/refusal.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonObject>
#include <QString>
#include <optional>
#include <vector>

namespace vt::files {

// The format this program writes and the newest it reads. Version 2 added
// the tools' settings ("tools") and the design report ("designReport");
// files of version 1 have neither.
inline constexpr int kFormatVersion = 2;
inline const QString kFormatName = QStringLiteral("vandrel-tessaron-evaluation");
inline const QString kFileSuffix = QStringLiteral("vte");
inline const QString kMimeType = QStringLiteral("application/vnd.vandreltessaron.evaluation+json");

// The limits of a file. An evaluation is about 1.5 kB; anything beyond these
// is no evaluation the program wrote and is refused whole.
inline constexpr qsizetype kMaxFileBytes = 256 * 1024;
inline constexpr qsizetype kMaxInputChars = 100;    // a typed input, a UCS reading
inline constexpr qsizetype kMaxResultChars = 64;    // a shown number
inline constexpr qsizetype kMaxSentenceChars = 200; // the formula sentence
inline constexpr qsizetype kMaxReadings = 1000;     // UCS readings
inline constexpr qsizetype kMaxHeadingChars = 1000; // the report's title, originator
inline constexpr qsizetype kMaxNotesChars = 20000;  // the design report's notes
inline constexpr qsizetype kMaxPathChars = 4096;
inline constexpr qsizetype kMaxVersionChars = 50;
inline constexpr qsizetype kMaxToolSettings = 200; // texts of all tools together

// The tools whose settings a file keeps: the key under "tools" and the
// window's name.
struct KeptTool {
    const char* key;
    QLatin1String window;
};
inline constexpr KeptTool kKeptTools[] = {
    {"design_charts", names::frmDesignCharts},
    {"target_fos", names::frmTargetFOS},
    {"probability", names::frmProbability},
};

// The version of the program that writes the files ("1.2.0").
QString ProgramVersion();

struct ModellingFileRef {
    QString path;
    QByteArray sha256; // 64 lower-case hexadecimal digits

    bool operator==(const ModellingFileRef&) const = default;
};

struct EvaluationFile {
    int version = kFormatVersion;
    QString programVersion;
    evaluation::DesignTexts design; // the method and every input as typed
    ShownResults results;
    QString decimalPoint = QStringLiteral(".");    // of the shown results
    StrengthConstantSource kSource;                // typed, or the UCS readings
    std::optional<ModellingFileRef> modellingFile; // interpolation
    std::optional<ReportHeading> report;
    // By the keys of kKeptTools: the settings of each tool that was open on
    // the screen (KeptToolSettings), every value a text.
    QJsonObject tools;
    std::optional<DesignReportFields> designReport; // from format 2 on

    // Equal in every member, the design in its method and all its texts.
    bool operator==(const EvaluationFile& other) const;
};

// The screen that evaluates a method ("frmTributary").
QString ScreenName(evaluation::Method method);

// Indented JSON, ending with a line feed. Inputs a method does not have are
// left out.
QByteArray SerialiseEvaluation(const EvaluationFile& file);

// The evaluation in the bytes, or why there is none: not an evaluation, cut
// short, of a newer format, damaged, or holding text an evaluation does not
// keep (longer than the limits above, control characters, a result that is
// not a number as shown). The refusal's title is empty; the caller adds its own.
evaluation::Step<EvaluationFile> ParseEvaluation(QByteArrayView bytes);

// SHA-256 of the bytes, as 64 lower-case hexadecimal digits.
QByteArray Sha256Hex(QByteArrayView bytes);

// How far the screen's buttons had taken the evaluation that the results
// show; none when no result is shown.
std::optional<CalculationStage> StageOf(const EvaluationFile& file);

// A result (or input) that is not what the file keeps.
struct Difference {
    QString what; // its caption ("FOS")
    QString saved;
    QString now;

    bool operator==(const Difference&) const = default;
};

// The saved results that the screen no longer shows, with the saved texts
// written with `nowPoint` as their decimal point. A result the file does not
// hold (its step had not run) is no difference; the formula is compared only
// with the strength results it belongs to.
std::vector<Difference> ResultDifferences(const EvaluationFile& saved, const ShownResults& now,
                                          const QString& nowPoint);

// The used inputs of the method whose texts differ.
std::vector<Difference> InputDifferences(const evaluation::DesignTexts& saved,
                                         const evaluation::DesignTexts& now);

} // namespace vt::files
