#include "app/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace vt::settings {

namespace {

const QString kRecentKey = QStringLiteral("recent/evaluations");
const QString kFolderGroup = QStringLiteral("folders/");

QString Absolute(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// The value, or nothing when the file cannot be read.
QVariant Read(const QString& key) {
    QSettings file(SettingsPath(), QSettings::IniFormat);
    if (file.status() != QSettings::NoError)
        return {};
    return file.value(key);
}

void Write(const QString& key, const QVariant& value) {
    QSettings file(SettingsPath(), QSettings::IniFormat);
    // A damaged file is not written over: what it holds may still be
    // mended by hand.
    if (file.status() != QSettings::NoError)
        return;
    file.setValue(key, value);
    file.sync();
}

} // namespace

QString SettingsPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/vandrel-tessaron/settings.ini");
}

QStringList RecentEvaluations() {
    QStringList recent;
    for (const QString& path : Read(kRecentKey).toStringList())
        if (!path.isEmpty() && !recent.contains(path) && recent.size() < kMaxRecentEvaluations)
            recent << path;
    return recent;
}

void RememberEvaluation(const QString& path) {
    const QString absolute = Absolute(path);
    QStringList recent = RecentEvaluations();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    Write(kRecentKey, recent.mid(0, kMaxRecentEvaluations));
}

void ForgetEvaluation(const QString& path) {
    QStringList recent = RecentEvaluations();
    if (recent.removeAll(path) + recent.removeAll(Absolute(path)) > 0)
        Write(kRecentKey, recent);
}

QString LastFolder(const QString& kind) {
    return Read(kFolderGroup + kind).toString();
}

void RememberFolder(const QString& kind, const QString& folder) {
    Write(kFolderGroup + kind, Absolute(folder));
}

} // namespace vt::settings
