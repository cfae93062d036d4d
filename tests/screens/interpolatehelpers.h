// Helpers for the interpolation screen: small modelling-results files in a
// temporary folder, loaded the way the program loads them, and a pick from a
// combo's drop-down list with the mouse.
#pragma once

#include "app/programstate.h"
#include "results/core/chartgeometry.h"
#include "results/core/modellingfile.h"
#include "screens/chartview.h"
#include "screens/frminterpolate.h"
#include "tests/support/modellingtables.h"
#include "tests/support/programtest.h"
#include "tests/support/screenhelpers.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <string_view>

namespace vt::test {

// A second file with other widths and ranges.
inline constexpr std::string_view kWidths8And10 = "8\t0\t10\t0\r\n"
                                                  "300\t40\t300\t30\r\n"
                                                  "500\t60\t500\t45\r\n";
// A width of 0 in the header.
inline constexpr std::string_view kWidths0And5 = "0\t0\t5\t0\r\n"
                                                 "100\t20\t100\t15\r\n"
                                                 "200\t35\t200\t28\r\n";

class InterpolateTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        screen = dynamic_cast<frmInterpolate*>(OpenScreen(QStringLiteral("frmInterpolate")));
        ASSERT_NE(screen, nullptr);
    }

    // Writes the file and loads it as the file chooser does.
    bool load(std::string_view bytes, const QString& name = QStringLiteral("results.int")) {
        const QString path = dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        file.close();
        auto& record = State().ModellingResults;
        if (!results::ReadModellingText(record, QFile::encodeName(path).toStdString()))
            return false;
        return screen->LoadModellingResults();
    }

    QString text(const char* name) const { return Text(screen, QString::fromLatin1(name)); }
    void type(const char* name, const QString& value) {
        Type(screen, QString::fromLatin1(name), value);
    }
    void press(const char* name) { Press(screen, QString::fromLatin1(name)); }
    QComboBox* combo(const char* name) const {
        return screen->findChild<QComboBox*>(QString::fromLatin1(name));
    }
    const QImage& chartImage() const { return screen->chart()->image(); }

    // W and D typed, then "Interpolate the Pillar stress & Calculate the % Extraction".
    void interpolate(const QString& width, const QString& depth) {
        type("cboPillarWidth1", width);
        type("txtDepth", depth);
        press("cmdInterpolate");
    }

    QTemporaryDir dir;
    frmInterpolate* screen = nullptr;
};

// Opens the drop-down list and clicks the item, as a user picks.
inline void PickFromList(QComboBox* combo, const QString& item) {
    const int row = combo->findText(item);
    ASSERT_GE(row, 0) << item.toStdString();
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    ASSERT_TRUE(QTest::qWaitFor([view] { return view->isVisible(); }));
    const QRect place = view->visualRect(view->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, place.center());
    ASSERT_TRUE(QTest::qWaitFor([view] { return !view->isVisible(); }));
}

// The caption as the user reads it: "&&" shows one ampersand, a single "&"
// marks the accelerator and is not shown.
inline QString ShownCaption(const QString& caption) {
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

inline bool IsBlack(QRgb pixel) {
    return qRed(pixel) == 0 && qGreen(pixel) == 0 && qBlue(pixel) == 0;
}
inline bool IsCurveBlue(QRgb pixel) {
    return qRed(pixel) == 0 && qGreen(pixel) == 0 && qBlue(pixel) == 255;
}

// The inside of the axes, away from the axis lines and ticks.
inline bool InsideAxes(int x, int y) {
    return x > results::kChartOriginX + 4 && x < results::kChartOriginX + 400 &&
           y < results::kChartOriginY - 4 && y > results::kChartOriginY - 400;
}

// Black pixels inside the axes: the guide lines (the axes are outside).
inline std::vector<QPoint> BlackInsideAxes(const QImage& image) {
    std::vector<QPoint> points;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (InsideAxes(x, y) && IsBlack(image.pixel(x, y)))
                points.emplace_back(x, y);
    return points;
}

} // namespace vt::test
