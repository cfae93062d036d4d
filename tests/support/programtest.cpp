#include "tests/support/programtest.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QStandardPaths>
#include <QWidget>

namespace vt::test {

void ProgramTest::flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void ProgramTest::freshSettings() {
    home_ = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(home_->isValid());
    qputenv("HOME", QFile::encodeName(home_->path()));
}

void ProgramTest::SetUp() {
    QStandardPaths::setTestModeEnabled(true);
    savedHome_ = qgetenv("HOME");
    freshSettings();
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
    qputenv("HOME", savedHome_);
    home_.reset();
}

} // namespace vt::test
