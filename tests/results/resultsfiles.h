// Test helpers: modelling-results files written to a temporary folder and
// loaded the way the program loads them.
#pragma once

#include "results/core/modellingfile.h"
#include "tests/support/modellingtables.h"

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

inline std::string DefaultFilePath() {
    return std::string(VT_DATA_DIR) + "/RazuziRurida - Do not delete.int";
}

} // namespace vt::test
