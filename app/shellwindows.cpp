#include "app/shellwindows.h"

#include "app/frmabout.h"
#include "app/frmpopup.h"
#include "app/frmsplash.h"
#include "app/programstate.h"
#include "app/windownames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace vt {

void RegisterShellWindows() {
    Windows().registerFactory(names::frmSplash, [] { return new frmSplash; });
    Windows().registerFactory(names::frmAbout, [] { return new frmAbout; });
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

QString InstalledDataFolder(const QString& programFolder) {
    // The data folder relative to the prefix, as installed (an absolute one,
    // configured so, is used as it is).
    const QString dataFolder = QStringLiteral(VT_INSTALL_DATA_DIR);
    if (QDir::isAbsolutePath(dataFolder))
        return QDir::cleanPath(dataFolder);
    const QString prefix =
        QDir::cleanPath(QDir(programFolder).absolutePath() + QStringLiteral("/.."));
    return QDir::cleanPath(prefix + u'/' + dataFolder);
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
