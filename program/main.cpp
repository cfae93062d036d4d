#include "app/programstate.h"
#include "app/startup.h"
#include "app/ui.h"
#include "program/commandline.h"
#include "program/registerwindows.h"

#include <QApplication>
#include <cstdio>
#include <optional>

namespace {

QStringList Arguments(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Help and version go to standard output, a usage error to standard error.
// Nothing when the program is to start.
std::optional<int> Answer(const vt::CommandLine& line) {
    switch (line.action) {
    case vt::CommandLine::Action::Help:
        std::fputs(vt::HelpText().toLocal8Bit().constData(), stdout);
        return 0;
    case vt::CommandLine::Action::Version:
        std::fputs(vt::VersionText().toLocal8Bit().constData(), stdout);
        return 0;
    case vt::CommandLine::Action::Usage:
        std::fputs(vt::UsageText(line.error).toLocal8Bit().constData(), stderr);
        return vt::kUsageExitCode;
    case vt::CommandLine::Action::Start:
        break;
    }
    return std::nullopt;
}

// Qt's own options are single-dash words ("-platform", "-style").
bool HasQtOption(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--"))
            return false;
        if (argument.size() > 2 && argument.startsWith(u'-') && argument.at(1) != u'-')
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    // Answered without a display where Qt's options play no part.
    const QStringList arguments = Arguments(argc, argv);
    const vt::CommandLine raw = vt::ParseCommandLine(arguments);
    if (raw.action != vt::CommandLine::Action::Start &&
        (raw.action != vt::CommandLine::Action::Usage || !HasQtOption(arguments)))
        return *Answer(raw);
    QApplication application(argc, argv);
    // Read again once Qt has taken its own options ("-platform offscreen").
    const vt::CommandLine line = vt::ParseCommandLine(QApplication::arguments().mid(1));
    if (const auto code = Answer(line))
        return *code;
    QApplication::setApplicationName(vt::kAppTitle);
    QApplication::setApplicationVersion(QStringLiteral("1.2"));
    QApplication::setWindowIcon(vt::ProgramIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vandreltessaron.VandrelTessaron"));
    vt::PrepareApplication();
    vt::RegisterWindows();
    vt::ShowStartWindow(line.file);
    return QApplication::exec();
}
