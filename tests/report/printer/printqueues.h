// Print queues of the tests' own on the local print server: each writes PDF
// files (cups-pdf), is named after the test process and is removed again.
// The program's default-printer lookup is pointed at a queue through the
// LPDEST variable of this process only; the machine's default stays as it is.
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QThread>
#include <gtest/gtest.h>
#include <optional>
#include <pwd.h>
#include <unistd.h>

namespace vt::test {

inline bool PrinterRequired() {
    return qEnvironmentVariable("VT_REQUIRE_PRINTER") == QLatin1String("1");
}

// Skips the test where the print server cannot be used, or fails it when a
// printer is required (CI).
#define SKIP_OR_FAIL(why)                                                                          \
    do {                                                                                           \
        if (PrinterRequired())                                                                     \
            FAIL() << (why);                                                                       \
        GTEST_SKIP() << (why);                                                                     \
    } while (false)

struct ToolRun {
    int exitCode = -1;
    QString output; // standard output and error
};

inline ToolRun RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished(1000);
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAll())};
}

// The cups-pdf printer model, or why there is none to use.
inline std::optional<QString> CupsPdfModel(QString& why) {
    for (const char* tool : {"lpadmin", "lpstat", "lpinfo", "cupsreject", "cupsdisable"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty() &&
            !QFile::exists(QStringLiteral("/usr/sbin/") + QString::fromLatin1(tool))) {
            why = QStringLiteral("%1 (cups) is not installed").arg(QString::fromLatin1(tool));
            return std::nullopt;
        }
    if (!RunTool(QStringLiteral("lpstat"), {QStringLiteral("-r")})
             .output.contains(QLatin1String("is running"))) {
        why = QStringLiteral("the print server (cupsd) is not running; scripts/printer-setup.sh "
                             "starts it");
        return std::nullopt;
    }
    const QString models = RunTool(QStringLiteral("lpinfo"), {QStringLiteral("-m")}).output;
    for (const QString& line : models.split(QLatin1Char('\n')))
        if (line.contains(QLatin1String("CUPS-PDF")))
            return line.section(QLatin1Char(' '), 0, 0);
    why = QStringLiteral("the cups-pdf printer driver (printer-driver-cups-pdf) is not installed");
    return std::nullopt;
}

inline QString SbinTool(const char* name) {
    const QString tool = QString::fromLatin1(name);
    const QString found = QStandardPaths::findExecutable(tool);
    return found.isEmpty() ? QStringLiteral("/usr/sbin/") + tool : found;
}

// One queue of the test's own; removed with its jobs when the object goes.
class TestQueue {
public:
    enum Kind { Accepting, Rejecting, Stopped };

    // The reasons the rejecting and the stopped queue give.
    static inline const QString kRejectReason = QStringLiteral("Refusing jobs for a test");
    static inline const QString kStopReason = QStringLiteral("Stopped for a test");

    TestQueue(Kind kind, const QString& model) {
        static const char* const kinds[] = {"accepting", "rejecting", "stopped"};
        name_ = QStringLiteral("vt-test-%1-%2")
                    .arg(QString::fromLatin1(kinds[kind]))
                    .arg(QCoreApplication::applicationPid());
        const ToolRun added =
            RunTool(SbinTool("lpadmin"),
                    {QStringLiteral("-p"), name_, QStringLiteral("-E"), QStringLiteral("-v"),
                     QStringLiteral("cups-pdf:/"), QStringLiteral("-m"), model});
        if (added.exitCode != 0) {
            problem_ = QStringLiteral("lpadmin could not add a queue (no right to?): ") +
                       added.output.trimmed();
            return;
        }
        created_ = true;
        ToolRun changed{0, {}};
        if (kind == Rejecting)
            changed = RunTool(SbinTool("cupsreject"), {QStringLiteral("-r"), kRejectReason, name_});
        if (kind == Stopped)
            changed = RunTool(SbinTool("cupsdisable"), {QStringLiteral("-r"), kStopReason, name_});
        if (changed.exitCode != 0)
            problem_ = QStringLiteral("the queue could not be set up: ") + changed.output.trimmed();
    }
    ~TestQueue() {
        if (!created_)
            return;
        RunTool(QStringLiteral("cancel"), {QStringLiteral("-a"), name_});
        RunTool(SbinTool("lpadmin"), {QStringLiteral("-x"), name_});
    }
    TestQueue(const TestQueue&) = delete;
    TestQueue& operator=(const TestQueue&) = delete;

    const QString& name() const { return name_; }
    // Empty when the queue is ready.
    const QString& problem() const { return problem_; }

    // Jobs not yet finished.
    QStringList openJobs() const {
        QStringList jobs;
        const QString listed =
            RunTool(QStringLiteral("lpstat"), {QStringLiteral("-o"), name_}).output;
        for (const QString& line : listed.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            if (line.startsWith(name_ + QLatin1Char('-')))
                jobs << line.section(QLatin1Char(' '), 0, 0);
        return jobs;
    }

private:
    QString name_;
    QString problem_;
    bool created_ = false;
};

// Points this process's default-printer lookup at a queue.
class DefaultPrinterScope {
public:
    explicit DefaultPrinterScope(const QString& queue)
        : hadLpdest_(qEnvironmentVariableIsSet("LPDEST"))
        , lpdest_(qgetenv("LPDEST")) {
        qputenv("LPDEST", queue.toUtf8());
    }
    ~DefaultPrinterScope() {
        if (hadLpdest_)
            qputenv("LPDEST", lpdest_);
        else
            qunsetenv("LPDEST");
    }
    DefaultPrinterScope(const DefaultPrinterScope&) = delete;
    DefaultPrinterScope& operator=(const DefaultPrinterScope&) = delete;

private:
    bool hadLpdest_;
    QByteArray lpdest_;
};

// The machine's default printer as the print server's tools name it.
inline QString MachineDefault() {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("LPDEST"));
    environment.remove(QStringLiteral("PRINTER"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("lpstat"), {QStringLiteral("-d")});
    process.waitForFinished(30000);
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

// The folder where cups-pdf puts the pages of the user running the tests: the
// "Out" setting of the queue's or the general cups-pdf.conf, ${HOME} being the
// user's home directory; VT_CUPS_PDF_OUT overrides.
inline QString CupsPdfFolder(const QString& queue) {
    if (const QString set = qEnvironmentVariable("VT_CUPS_PDF_OUT"); !set.isEmpty())
        return set;
    const passwd* user = getpwuid(getuid());
    const QString home = user ? QString::fromLocal8Bit(user->pw_dir) : QDir::homePath();
    QString out = QStringLiteral("${HOME}/PDF");
    for (const QString& name : {QStringLiteral("/etc/cups/cups-pdf-%1.conf").arg(queue),
                                QStringLiteral("/etc/cups/cups-pdf.conf")}) {
        QFile conf(name);
        if (!conf.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        const auto match = QRegularExpression(QStringLiteral("^Out\\s+(\\S.*)$"),
                                              QRegularExpression::MultilineOption)
                               .match(QString::fromLocal8Bit(conf.readAll()));
        if (match.hasMatch()) {
            out = match.captured(1).trimmed();
            break;
        }
    }
    out.replace(QStringLiteral("${HOME}"), home);
    out.replace(QStringLiteral("${USER}"),
                user ? QString::fromLocal8Bit(user->pw_name) : QString());
    return out;
}

} // namespace vt::test
