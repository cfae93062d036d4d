#include "tests/support/programtest.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace vt::test {

void ProgramTest::flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void ProgramTest::SetUp() {
    State().AveragePillarStress = 0.0f;
    State().PictureCounter = 0;
    State().ModellingResults = results::ModellingResults{};
    State().endProgram = [this] { ++endRequests; };
    // The copy of the default modelling-results file that the build places
    // beside the program; test executables live one folder deeper.
    State().DataFolder = QStringLiteral(VT_BUILD_DATA_DIR);
}

void ProgramTest::TearDown() {
    CloseAllWindows();
    Windows().close(QStringLiteral("frmSplash"));
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName().startsWith(QLatin1String("frm")))
            w->close();
    flushDeletes();
    State().endProgram = nullptr;
    State().DataFolder.clear();
}

} // namespace vt::test
