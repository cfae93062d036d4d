// The evaluation-file items of the calculation screens' "&Design" menu:
// "&Save evaluation" (Ctrl+S: to the screen's file without asking, or asking
// when it has none), "Save evaluation &as..." (Ctrl+Shift+S), "&Open
// evaluation..." (Ctrl+O), "Open &recent" (the last eight files) and the name
// of the screen's file; the question whether changed inputs are to be saved
// before they are thrown away; and opening a file named on the command line.
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
inline const QString kUnsavedTitle = QStringLiteral("Unsaved changes");

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
// nothing that opening would refuse. True when the file was written; the
// file is then the screen's (evaluationFile) and the latest recent one.
bool SaveEvaluation(DesignSource& source, const EvaluationFileSeams& seams);
bool SaveEvaluationTo(DesignSource& source, const QString& path,
                      const EvaluationFileSeams& seams = {});
// Saves to the screen's file without asking, or as SaveEvaluation when the
// screen has none.
bool SaveEvaluationAgain(DesignSource& source, const EvaluationFileSeams& seams = {});

// Whether the screen's inputs differ from those of its file when it was
// last opened or saved (never for a screen without a file).
bool HasUnsavedChanges(const DesignSource& source);
// Before the screen's design is thrown away: when it has unsaved changes,
// asks whether to save them first (Save, Discard, Cancel). True to go on:
// nothing to ask, Discard, or Save that wrote the file.
bool ConfirmLeaving(DesignSource& source, const EvaluationFileSeams& seams = {});

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
// was chosen on is hidden when that is another one). True when opened; the
// file is then that screen's and the latest recent one.
bool OpenEvaluation(DesignSource& source, const EvaluationFileSeams& seams = {});
bool OpenEvaluationFrom(DesignSource& source, const QString& path);
// Opens a file when no screen is shown (the command line's file, after the
// start-up window's "ACCEPT"); a refused file says why and shows nothing.
bool OpenEvaluationFile(const QString& path);
// Opens one of the recent files; one that is gone is said and taken off the
// list.
bool OpenRecentEvaluation(DesignSource& source, const QString& path,
                          const EvaluationFileSeams& seams = {});

// The name of the screen's file ("panel 7.vte"), with " (changed)" while
// the screen's inputs differ from it; empty when the screen has none.
QString EvaluationFileName(const DesignSource& source);
// The Design menu's text naming the screen's file.
QString EvaluationFileText(const DesignSource& source);

// Adds the items to the "&Design" menu of the screens made from now on,
// unless items of their names are there already, and registers the
// unsaved-changes question.
void AddEvaluationFileItems(WindowRegistry& windows, const EvaluationFileSeams& seams = {});

} // namespace files
} // namespace vt
