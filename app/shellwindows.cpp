#include "app/shellwindows.h"

#include "app/frmabout.h"
#include "app/frmpopup.h"
#include "app/frmsplash.h"
#include "app/programstate.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace vt {

namespace {
const QString kResultsFileName = QStringLiteral("RazuziRurida - Do not delete.int");
}

void RegisterShellWindows() {
    Windows().registerFactory(QStringLiteral("frmSplash"), [] { return new frmSplash; });
    Windows().registerFactory(QStringLiteral("frmAbout"), [] { return new frmAbout; });
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
    const QString literal = QStringLiteral("c:\\Program Files\\") + kResultsFileName;
    if (QFile::exists(literal))
        return literal;
    // The installed copy: <prefix>/share/vandrel-tessaron beside <prefix>/bin.
    const QString dataDir = QStringLiteral(VT_INSTALL_DATA_DIR);
    const QString installed =
        QDir::cleanPath((QDir::isAbsolutePath(dataDir) ? dataDir
                                                       : QCoreApplication::applicationDirPath() +
                                                             QStringLiteral("/../") + dataDir) +
                        u'/' + kResultsFileName);
    if (QFile::exists(installed))
        return installed;
    return QStringLiteral(VT_SOURCE_DATA_DIR "/") + kResultsFileName;
}

} // namespace vt
