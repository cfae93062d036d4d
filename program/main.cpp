#include "app/programstate.h"
#include "app/startup.h"
#include "app/ui.h"
#include "app/windownames.h"
#include "program/registerwindows.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(vt::kAppTitle);
    QApplication::setApplicationVersion(QStringLiteral("1.2"));
    QApplication::setWindowIcon(vt::ProgramIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vandreltessaron.VandrelTessaron"));
    vt::PrepareApplication();
    vt::RegisterWindows();
    vt::Windows().show(vt::names::frmSplash);
    return QApplication::exec();
}
