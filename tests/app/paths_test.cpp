// Where the default modelling-results file is looked for.
#include "app/shellwindows.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace vt::test {
namespace {

const QString kFileName = QStringLiteral("RazuziRurida - Do not delete.int");

TEST(DefaultModellingResultsPath, FallsBackToTheSourceTreeCopy) {
    const QString path = DefaultModellingResultsPath();
    const QFileInfo info(path);
    EXPECT_TRUE(info.isAbsolute()) << path.toStdString();
    EXPECT_EQ(info.fileName(), kFileName);
    EXPECT_EQ(info.dir().dirName(), "data");
    EXPECT_TRUE(info.exists()) << path.toStdString();
}

TEST(DefaultModellingResultsPath, PrefersTheInstalledCopy) {
    QDir prefix(QCoreApplication::applicationDirPath() + QStringLiteral("/.."));
    const QString dataDir = QStringLiteral("share/vandrel-tessaron");
    const bool madeShare = !prefix.exists(QStringLiteral("share"));
    ASSERT_TRUE(prefix.mkpath(dataDir));
    const QString installed = QDir::cleanPath(prefix.filePath(dataDir + u'/' + kFileName));
    ASSERT_FALSE(QFile::exists(installed)) << "left over from an earlier run";
    {
        QFile file(installed);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("1\t0\r\n");
    }
    const QString path = DefaultModellingResultsPath();
    QFile::remove(installed);
    prefix.rmpath(dataDir);
    if (madeShare)
        prefix.rmdir(QStringLiteral("share"));
    EXPECT_EQ(QDir::cleanPath(path), installed);
}

} // namespace
} // namespace vt::test
