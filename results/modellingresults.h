// The modelling-results record: one loaded modelling-results file, its table of
// (depth, stress) readings, ranges and chart scales. Plain data, no widgets.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vt::results {

// A table addressed like the file: rows from 1, columns from 0. Out-of-range
// access is a programming error (asserted in debug builds).
class Table {
public:
    Table() = default;
    Table(int rows, int columns) { resize(rows, columns); }

    void resize(int rows, int columns) {
        rows_ = rows;
        columns_ = columns;
        cells_.assign(static_cast<std::size_t>(rows + 1) * static_cast<std::size_t>(columns + 1),
                      0.0);
    }
    int rows() const { return rows_; }
    int columns() const { return columns_; }
    double& operator()(int row, int column) { return cells_[index(row, column)]; }
    double operator()(int row, int column) const { return cells_[index(row, column)]; }
    friend bool operator==(const Table&, const Table&) = default;

private:
    std::size_t index(int row, int column) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_ + 1) +
               static_cast<std::size_t>(column);
    }
    int rows_ = 0;
    int columns_ = 0;
    std::vector<double> cells_;
};

inline constexpr double kMissingReading = -1.0;

// What makes a curve unusable for interpolation, worked out at load time.
enum class CurveDefect : std::uint8_t {
    None,
    TooFewReadings, // fewer than two valid readings
    MissingReading, // a -1 before its last valid reading
    RepeatedDepth,  // two consecutive equal depths
    FallingDepths,  // a depth below the one before it
};

struct ModellingResults {
    std::string FileName;
    std::string FileText;
    static constexpr const char* LineSeparator = "\r\n";
    std::int16_t LineCount = 0;
    // True once ReadModellingText has read the whole file into FileText; a
    // text cut short by a failed read is never parsed.
    bool TextComplete = false;
    std::int16_t FieldCount = 0;
    std::vector<double> Header; // positions 0..FieldCount; 0 unused
    Table Readings;             // rows 1..LineCount, columns 0..FieldCount
    Table ChartPoints;          // rows 1..LineCount, columns 1..FieldCount
    // Per column 0..FieldCount, filled by a successful load: the number of
    // values other than -1 in rows 1..LineCount (header included), which is
    // the row of a curve's last reading; and, per depth column, the curve's
    // defect. An interpolation reads these instead of scanning the table.
    std::vector<int> ValidCounts;
    std::vector<CurveDefect> CurveDefects;
    double MaxDepth = 0;
    double MinDepth = 0;
    double MaxStress = 0;
    double MinStress = 0;
    double DepthScale = 0;
    double StressScale = 0;
};

} // namespace vt::results
