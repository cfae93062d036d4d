// The bundled Liberation Sans: every Arial of the program is drawn with it
// where the machine has no Arial, in all four styles, whatever the machine's
// own fonts; and a machine whose fontconfig knows no Arial at all (it would put
// a face of other widths in its place) shows the strength tab unclipped.
#include "app/startup.h"
#include "app/ui.h"
#include "screens/calculationscreen.h"
#include "tests/app/shelltestutil.h"
#include "tests/support/programtest.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QProcess>
#include <QPushButton>
#include <QRawFont>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTabWidget>
#include <QTemporaryDir>

namespace vt::test {
namespace {

struct Face {
    bool bold;
    bool italic;
    const char* file; // of the bundled face
    const char* style;
};

constexpr Face kFaces[] = {
    {false, false, ":/fonts/LiberationSans-Regular.ttf", "Regular"},
    {true, false, ":/fonts/LiberationSans-Bold.ttf", "Bold"},
    {false, true, ":/fonts/LiberationSans-Italic.ttf", "Italic"},
    {true, true, ":/fonts/LiberationSans-BoldItalic.ttf", "Bold Italic"},
};

// The font header of a face: differs between versions of a family.
QByteArray HeadTable(const QRawFont& font) {
    return font.fontTable("head");
}

QByteArray BundledHead(const char* file) {
    QFile face(QString::fromLatin1(file));
    if (!face.open(QIODevice::ReadOnly))
        return {};
    return HeadTable(QRawFont(face.readAll(), 12));
}

// Every style of ArialFont is drawn with the bundled file itself, not with a
// copy of the family the machine has (Debian's older Liberation Sans, say).
void ExpectBundledFaces() {
    for (const Face& f : kFaces) {
        const QFont font = ArialFont(9, f.bold, f.italic);
        const QFontInfo info(font);
        EXPECT_EQ(font.family(), QStringLiteral("Arial")) << f.style;
        EXPECT_EQ(info.family(), kBundledFamily) << f.style;
        EXPECT_EQ(info.styleName(), QString::fromLatin1(f.style));
        EXPECT_EQ(info.bold(), f.bold) << f.style;
        EXPECT_EQ(info.italic(), f.italic) << f.style;
        const QByteArray bundled = BundledHead(f.file);
        ASSERT_FALSE(bundled.isEmpty()) << f.file;
        EXPECT_TRUE(HeadTable(QRawFont::fromFont(font)) == bundled)
            << f.style << " is drawn with another copy of the family";
    }
}

TEST(BundledFonts, AllFourFacesAreRegisteredOnceAndCarryTheirLicence) {
    EXPECT_EQ(BundledFontFiles().size(), 4);
    EXPECT_EQ(RegisterFonts(), 4);
    EXPECT_EQ(RegisterFonts(), 4); // the second call registers nothing twice
    const QStringList styles = QFontDatabase::styles(kBundledFamily);
    for (const Face& f : kFaces)
        EXPECT_TRUE(styles.contains(QString::fromLatin1(f.style))) << f.style;
    QFile licence(QStringLiteral(":/fonts/OFL.txt"));
    ASSERT_TRUE(licence.open(QIODevice::ReadOnly));
    const QByteArray text = licence.readAll();
    EXPECT_TRUE(text.contains("SIL OPEN FONT LICENSE Version 1.1"));
    EXPECT_TRUE(text.contains("Copyright (c) 2012 Red Hat, Inc."));
}

TEST(BundledFonts, ArialIsTheBundledLiberationSansInEveryStyle) {
    if (QFontDatabase::hasFamily(QStringLiteral("Arial")))
        GTEST_SKIP() << "this machine has Arial itself";
    ExpectBundledFaces();
}

// The strength tab as laid out: every caption fits its control.
QStringList ClippedCaptions(QWidget* tab) {
    QStringList clipped;
    for (QGroupBox* frame : tab->findChildren<QGroupBox*>()) {
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = frame->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        const QRect label = frame->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                           QStyle::SC_GroupBoxLabel, frame);
        if (label.right() > frame->rect().right())
            clipped << frame->title();
    }
    for (QCheckBox* check : tab->findChildren<QCheckBox*>())
        if (check->sizeHint().width() > check->width())
            clipped << check->text();
    // The buttons' captions wrap inside the button, 4 px from the sides and
    // 2 px from top and bottom.
    for (QPushButton* button : tab->findChildren<QPushButton*>()) {
        const QRect area = button->rect().adjusted(4, 2, -4, -2);
        const QRect needed = button->fontMetrics().boundingRect(
            area, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, button->text());
        if (!area.contains(needed))
            clipped << button->text();
    }
    return clipped;
}

// Runs in a child process (below) whose fontconfig knows no Arial.
class FontChildTest : public ProgramTest {};

TEST_F(FontChildTest, WithoutArialOnTheMachineTheWindowsUseTheBundledFaces) {
    if (qEnvironmentVariableIsEmpty("VT_FONT_CHILD"))
        GTEST_SKIP() << "runs as a child of MachineWithoutArial";
    ASSERT_FALSE(QFontDatabase::hasFamily(QStringLiteral("Arial")));
    ExpectBundledFaces();
    auto* screen = dynamic_cast<CalculationScreen*>(ShowAndExpose(QStringLiteral("frmTributary")));
    ASSERT_NE(screen, nullptr);
    screen->tabs()->setCurrentIndex(1);
    const QStringList clipped = ClippedCaptions(screen->tabs()->widget(1));
    EXPECT_TRUE(clipped.isEmpty())
        << "clipped: " << clipped.join(QStringLiteral(" | ")).toStdString();
}

// fontconfig with the DejaVu faces only, no aliases: Arial is unknown, and
// fontconfig alone would answer it with a DejaVu face.
TEST(MachineWithoutArial, TheWindowsUseTheBundledFacesAndNoCaptionIsClipped) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile config(dir.filePath(QStringLiteral("fonts.conf")));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly | QIODevice::Text));
    config.write(QStringLiteral("<?xml version=\"1.0\"?>\n"
                                "<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
                                "<fontconfig>\n"
                                "  <dir>/usr/share/fonts/truetype/dejavu</dir>\n"
                                "  <cachedir>%1</cachedir>\n"
                                "</fontconfig>\n")
                     .arg(dir.filePath(QStringLiteral("cache")))
                     .toUtf8());
    config.close();

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("FONTCONFIG_FILE"), config.fileName());
    environment.insert(QStringLiteral("VT_FONT_CHILD"), QStringLiteral("1"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=FontChildTest."
                                "WithoutArialOnTheMachineTheWindowsUseTheBundledFaces")});
    ASSERT_TRUE(child.waitForFinished(120000)) << "the child run did not end";
    const QByteArray output = child.readAll();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}

} // namespace
} // namespace vt::test
