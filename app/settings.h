// What the program keeps between runs, and nothing else: the evaluation
// files last opened or saved and the folder last used for each kind of file.
// They live in one INI file, settings.ini in the folder vandrel-tessaron of
// the user's configuration folder (~/.config/vandrel-tessaron/settings.ini;
// under QStandardPaths' test mode ~/.qttest/config/vandrel-tessaron/). Each
// call reads or writes that file afresh. A file that cannot be read reads as
// empty and one that cannot be written is left as it is: the program goes on
// without what it would have kept.
#pragma once

#include <QString>
#include <QStringList>

namespace vt::settings {

QString SettingsPath();

// The evaluation files last opened or saved, the latest first, at most
// kMaxRecentEvaluations, each once.
inline constexpr int kMaxRecentEvaluations = 8;
QStringList RecentEvaluations();
// Puts the file at the top of the list (as an absolute path).
void RememberEvaluation(const QString& path);
void ForgetEvaluation(const QString& path);

// The folder last used for a kind of file ("evaluations", "exports",
// "reports"); empty when none was kept.
QString LastFolder(const QString& kind);
void RememberFolder(const QString& kind, const QString& folder);

} // namespace vt::settings
