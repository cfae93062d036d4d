// Test helpers: modelling-results files written to a temporary folder and
// loaded the way the program loads them.
#pragma once

#include "results/core/modellingfile.h"

#include <QTemporaryDir>
#include <fstream>
#include <string>
#include <string_view>

namespace vt::test {

class ResultsFiles {
public:
    // Writes the bytes to a new file and returns its path.
    std::string write(std::string_view bytes, const std::string& name = "results.int") {
        const std::string path = dir_.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    std::string path(const std::string& name) const {
        return dir_.filePath(QString::fromStdString(name)).toStdString();
    }

private:
    QTemporaryDir dir_;
};

struct Loaded {
    bool read = false;
    bool parsed = false;
    results::ModellingResults record;
};

// ReadModellingText then ParseModellingResults, as a load does.
inline Loaded LoadFile(const std::string& path) {
    Loaded loaded;
    loaded.read = results::ReadModellingText(loaded.record, path);
    loaded.parsed = loaded.read && results::ParseModellingResults(loaded.record);
    return loaded;
}

inline Loaded LoadBytes(ResultsFiles& files, std::string_view bytes) {
    return LoadFile(files.write(bytes));
}

// The two-curve example: widths 5 and 7, depths 100 and 200.
inline constexpr std::string_view kTwoWidths = "5\t0\t7\t0\r\n"
                                               "100\t20\t100\t15\r\n"
                                               "200\t35\t200\t28\r\n";

// The same with the width-7 curve ending at (150, 21.5).
inline constexpr std::string_view kShortSecondCurve = "5\t0\t7\t0\r\n"
                                                      "100\t20\t100\t15\r\n"
                                                      "200\t35\t150\t21.5\r\n";

inline std::string DefaultFilePath() {
    return std::string(VT_DATA_DIR) + "/RazuziRurida - Do not delete.int";
}

} // namespace vt::test
