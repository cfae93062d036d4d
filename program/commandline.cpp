#include "program/commandline.h"

#include "files/evaluationfile.h"

namespace vt {

namespace {
const QString kProgram = QStringLiteral("vandrel-tessaron");
} // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--"))
            break;
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help"))
            return {CommandLine::Action::Help, {}, {}};
        if (argument == QLatin1String("--version"))
            return {CommandLine::Action::Version, {}, {}};
    }
    CommandLine line;
    bool options = true;
    for (const QString& argument : arguments) {
        if (options && argument == QLatin1String("--")) {
            options = false;
            continue;
        }
        if (options && argument.startsWith(u'-') && argument.size() > 1)
            return {CommandLine::Action::Usage,
                    {},
                    QStringLiteral("unknown option '%1'").arg(argument)};
        if (argument.isEmpty())
            return {CommandLine::Action::Usage, {}, QStringLiteral("an empty file name")};
        if (!line.file.isEmpty())
            return {CommandLine::Action::Usage,
                    {},
                    QStringLiteral("one evaluation file at a time, not '%1' and '%2'")
                        .arg(line.file, argument)};
        line.file = argument;
    }
    return line;
}

QString HelpText() {
    return QStringLiteral("Usage: %1 [FILE.%2]\n"
                          "Design the pillars of bord-and-pillar mines in hard rock.\n"
                          "\n"
                          "With FILE, the evaluation it keeps opens on its screen once the\n"
                          "disclaimer of the start-up window is accepted.\n"
                          "\n"
                          "  -h, --help     show this help and exit\n"
                          "      --version  show the program's version and exit\n")
        .arg(kProgram, files::kFileSuffix);
}

QString VersionText() {
    return QStringLiteral("%1 %2\n").arg(kProgram, files::ProgramVersion());
}

QString UsageText(const QString& error) {
    return QStringLiteral("%1: %2\nUsage: %1 [FILE.%3]\nTry '%1 --help' for more.\n")
        .arg(kProgram, error, files::kFileSuffix);
}

} // namespace vt
