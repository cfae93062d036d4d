// vt-evaluate: the batch evaluator's command line (batch/batch.h).
#include "batch/batch.h"

#include <QCoreApplication>
#include <QFile>
#include <unistd.h>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QFile in;
    QFile out;
    QFile err;
    // The descriptors themselves, unbuffered: every write reaches the system
    // at once, so a failed one (a full disk, a closed output) is seen.
    if (!in.open(STDIN_FILENO, QIODevice::ReadOnly) ||
        !out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        !err.open(STDERR_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return 1;
    return vt::batch::Run(QCoreApplication::arguments().mid(1), in, out, err);
}
