// "&Save evaluation..." and "&Open evaluation..." of the calculation screens'
// "&Design" menu.
//
// Saving keeps the evaluation the screen shows in a file the user names; the
// file is written whole or not at all (a failed save leaves an older file as
// it was). Opening reads and checks the whole file, and the modelling-results
// file it names, before it touches any screen; then it types every input into
// the screen of the file's method through that screen's own change handling,
// presses the buttons the saved results came from, and tells the user which
// results now differ from the saved ones. The file is never rewritten.
#pragma once

#include "app/interfaces.h"
#include "evaluation/refusal.h"
#include "files/evaluationfile.h"
#include "results/modellingresults.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class QIODevice;
class QWidget;

namespace vt {

class WindowRegistry;

namespace files {

inline const QString kSaveTitle = QStringLiteral("Save evaluation");
inline const QString kOpenTitle = QStringLiteral("Open evaluation");

// The file dialogs of evaluation files; an empty name when the user cancels.
QString ChooseSaveFile(QWidget* parent, const QString& suggested);
QString ChooseOpenFile(QWidget* parent);
// Writes every byte; false on a write error (a full disk).
bool WriteAll(QIODevice& file, const QByteArray& bytes);

// How the actions write; tests replace it.
struct EvaluationFileSeams {
    std::function<bool(QIODevice& file, const QByteArray& bytes)> write = WriteAll;
};

// The evaluation the screen shows, as a file keeps it; refused when it cannot
// be kept truthfully: the modelling-results file it was interpolated in has
// changed on disk or gone since it was loaded.
evaluation::Step<EvaluationFile> EvaluationOf(const DesignSource& source);

// Asks for a file name and saves; tells the user when it fails, and saves
// nothing that opening would refuse. True when the file was written.
bool SaveEvaluation(DesignSource& source, const EvaluationFileSeams& seams);
bool SaveEvaluationTo(DesignSource& source, const QString& path,
                      const EvaluationFileSeams& seams = {});

// An evaluation file read and checked whole, with the modelling-results
// table it needs: everything opening needs before it touches a screen.
struct PreparedOpening {
    EvaluationFile file;
    std::optional<results::ModellingResults> table; // interpolation with a file
    QString modellingPath;                          // the file the table was read from
    bool modellingChanged = false;                  // its checksum is not the saved one
};
evaluation::Step<PreparedOpening> PrepareOpening(const QString& path);

// Asks for a file and opens it into the screen of its method (the screen it
// was chosen on is hidden when that is another one). True when opened.
bool OpenEvaluation(DesignSource& source);
bool OpenEvaluationFrom(DesignSource& source, const QString& path);

// Adds the two items to the "&Design" menu of the screens made from now on,
// unless items of their names are there already.
void AddEvaluationFileItems(WindowRegistry& windows, const EvaluationFileSeams& seams = {});

} // namespace files
} // namespace vt
