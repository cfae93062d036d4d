// The program's command line: nothing (the start-up window), one evaluation
// file to open once the disclaimer is accepted, or --help / --version.
// Anything else is a usage error: a short usage text on standard error and
// exit code 2.
#pragma once

#include <QString>
#include <QStringList>

namespace vt {

struct CommandLine {
    enum class Action { Start, Help, Version, Usage };
    Action action = Action::Start;
    QString file;  // Start: the evaluation to open after "ACCEPT"; may be empty
    QString error; // Usage: what was wrong ("unknown option '--x'")
};

// Reads the arguments after the program's name. "-h"/"--help" and
// "--version" win wherever they stand; "--" ends the options, so that a file
// whose name begins with "-" can be given.
CommandLine ParseCommandLine(const QStringList& arguments);

// The texts printed for --help and --version, and for a usage error.
QString HelpText();
QString VersionText();
QString UsageText(const QString& error);

// The exit code of a usage error.
inline constexpr int kUsageExitCode = 2;

} // namespace vt
