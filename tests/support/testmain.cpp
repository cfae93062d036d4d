// One main for every test executable: a QApplication on the offscreen
// platform, 96 dpi, English locale, the program prepared as its own main()
// prepares it (bundled fonts, no pixmap cache), the windows registered.
#include "app/startup.h"
#include "program/registerwindows.h"

#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication::setAttribute(Qt::AA_Use96Dpi);
    QApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    vt::PrepareApplication();
    vt::RegisterWindows();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
