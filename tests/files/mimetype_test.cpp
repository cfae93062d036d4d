// The evaluation files' type as the desktop learns it from the packaging:
// the shared-mime-info file names them by extension and by content, and the
// desktop entry and the metainfo name the same type as the program.
#include "files/evaluationfile.h"

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vt::files {
namespace {

const QString kPackaging = QStringLiteral(VT_SOURCE_DIR "/packaging/");
const QString kAppId = QStringLiteral("org.vandreltessaron.VandrelTessaron");

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(MimeTypeTest, EvaluationFilesAreKnownByExtensionAndByContent) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (tool.isEmpty())
        GTEST_SKIP() << "update-mime-database (shared-mime-info) is not installed";
    QTemporaryDir data;
    const QString packages = data.filePath(QStringLiteral("mime/packages"));
    ASSERT_TRUE(QDir().mkpath(packages));
    ASSERT_TRUE(QFile::copy(kPackaging + kAppId + QStringLiteral(".mime.xml"),
                            packages + u'/' + kAppId + QStringLiteral(".xml")));
    // Searched by the desktop from here on, which also keeps the tool from
    // noting that it is not.
    const QByteArray dirs = (data.path() + QStringLiteral(":/usr/share")).toLocal8Bit();
    qputenv("XDG_DATA_DIRS", dirs);
    QProcess update;
    update.start(tool, {data.filePath(QStringLiteral("mime"))});
    ASSERT_TRUE(update.waitForFinished(60000));
    EXPECT_EQ(update.exitCode(), 0);
    EXPECT_TRUE(update.readAllStandardError().isEmpty()); // no complaint about the file
    EXPECT_TRUE(Read(data.filePath(QStringLiteral("mime/globs2")))
                    .contains((kMimeType + QStringLiteral(":*.") + kFileSuffix).toUtf8()));

    // The desktop's database, with this file among its sources.
    const QMimeDatabase mime;
    EXPECT_EQ(
        mime.mimeTypeForFile(QStringLiteral("panel 7.vte"), QMimeDatabase::MatchExtension).name(),
        kMimeType);
    EvaluationFile file;
    file.design.method = evaluation::Method::Modelled;
    EXPECT_EQ(mime.mimeTypeForData(SerialiseEvaluation(file)).name(), kMimeType);
    EXPECT_TRUE(mime.mimeTypeForName(kMimeType).inherits(QStringLiteral("application/json")));
}

TEST(MimeTypeTest, TheDesktopEntryAndTheMetainfoNameTheSameType) {
    const QByteArray desktop = Read(kPackaging + kAppId + QStringLiteral(".desktop"));
    EXPECT_TRUE(desktop.contains(("\nMimeType=" + kMimeType + ";\n").toUtf8()));
    // A double-clicked file is handed to the program, one at a time.
    EXPECT_TRUE(desktop.contains("\nExec=vandrel-tessaron %f\n"));
    const QByteArray metainfo = Read(kPackaging + kAppId + QStringLiteral(".metainfo.xml"));
    EXPECT_TRUE(metainfo.contains(("<mediatype>" + kMimeType + "</mediatype>").toUtf8()));
    EXPECT_TRUE(metainfo.contains("<binary>vt-evaluate</binary>"));
}

} // namespace
} // namespace vt::files
