#include "app/shellwindows.h"

#include "app/frmabout.h"
#include "app/frmpopup.h"
#include "app/frmsplash.h"
#include "app/programstate.h"
#include "app/userguide.h"
#include "app/windownames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace vt {

void RegisterShellWindows() {
    Windows().registerFactory(names::frmSplash, [] { return new frmSplash; });
    Windows().registerFactory(names::frmAbout, [] { return new frmAbout; });
    Windows().registerFactory(names::frmUserGuide, [] { return new frmUserGuide; });
    Windows().registerFactory(kPopUpWH, [] { return new frmPopUp(frmPopUp::Kind::WidthHeight); });
    Windows().registerFactory(kPopUpFOS,
                              [] { return new frmPopUp(frmPopUp::Kind::FactorOfSafety); });
}

void RaisePopUp(const QString& name, const QString& text) {
    auto* popUp = Windows().window<frmPopUp>(name);
    if (!popUp)
        return;
    popUp->setMessage(text);
    popUp->show();
    popUp->raise();
}

QString DefaultModellingResultsPath() {
    if (!State().DataFolder.isEmpty())
        return QDir::cleanPath(QDir(State().DataFolder).absoluteFilePath(kDefaultResultsFileName));
#ifdef Q_OS_WIN
    // The file's historical place; an absolute path on this platform only.
    const QString literal = QStringLiteral("c:\\Program Files\\") + kDefaultResultsFileName;
    if (QFile::exists(literal))
        return literal;
#endif
    return InstalledDataFolder(QCoreApplication::applicationDirPath()) + u'/' +
           kDefaultResultsFileName;
}

} // namespace vt
