#include "evaluation/installeddata.h"

#include <QDir>

namespace vt::evaluation {

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

} // namespace vt::evaluation
