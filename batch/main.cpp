// vt-evaluate: the batch evaluator's command line (batch/batch.h).
#include "batch/batch.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QFile in;
    QFile out;
    QFile err;
    if (!in.open(stdin, QIODevice::ReadOnly) || !out.open(stdout, QIODevice::WriteOnly) ||
        !err.open(stderr, QIODevice::WriteOnly))
        return 1;
    return vt::batch::Run(QCoreApplication::arguments().mid(1), in, out, err);
}
