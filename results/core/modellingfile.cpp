// Reading the modelling-results file into the record and parsing its text.
#include "results/core/modellingfile.h"

#include "engine/engine.h"
#include "storage/readfile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace vt::results {

namespace {

constexpr double kAxisUnits = 400.0;

// Number of tab-separated fields of a line; an empty line has none.
std::size_t FieldsOf(std::string_view line) {
    if (line.empty())
        return 0;
    return static_cast<std::size_t>(std::count(line.begin(), line.end(), '\t')) + 1;
}

// Hands out the tab-separated fields of a line from the left.
class FieldReader {
public:
    explicit FieldReader(std::string_view line)
        : line_(line) {}
    std::string_view next() {
        const std::size_t tab = line_.find('\t', pos_);
        const std::size_t end = tab == std::string_view::npos ? line_.size() : tab;
        const std::string_view field = line_.substr(pos_, end - pos_);
        pos_ = end + 1;
        return field;
    }

private:
    std::string_view line_;
    std::size_t pos_ = 0;
};

// Splits FileText back into the lines it was built from; false when it does
// not hold exactly `count` lines each followed by the separator.
bool SplitKeptText(const std::string& text, int count, std::vector<std::string_view>& lines) {
    const std::string_view all(text);
    const std::string_view separator(ModellingResults::LineSeparator);
    lines.clear();
    lines.reserve(static_cast<std::size_t>(std::max(count, 0)));
    // The collector ends a line at every CR: a CR is always the start of a
    // separator, found with one byte search.
    std::size_t pos = 0;
    while (pos < all.size()) {
        const std::size_t end = all.find(separator.front(), pos);
        if (end == std::string_view::npos || all.substr(end, separator.size()) != separator)
            return false;
        lines.push_back(all.substr(pos, end - pos));
        pos = end + separator.size();
    }
    return static_cast<int>(lines.size()) == count;
}

// 400 / (maximum - minimum), with its sign; 0 when there is no usable range.
double ScaleFor(double maximum, double minimum, double units) {
    if (!(maximum > minimum))
        return 0;
    const double range = maximum - minimum;
    const double scale = units / range;
    if (!std::isfinite(range) || !std::isfinite(scale) || scale == 0)
        return 0;
    return scale;
}

// Whether the curve of depth column c, ending at row n, can be interpolated.
CurveDefect DefectOf(const ModellingResults& record, int c, int n) {
    if (n < 3)
        return CurveDefect::TooFewReadings;
    for (int r = 2; r <= n; ++r)
        if (!IsValidReading(record.Readings(r, c)) || !IsValidReading(record.Readings(r, c + 1)))
            return CurveDefect::MissingReading;
    for (int r = 2; r < n; ++r) {
        if (record.Readings(r + 1, c) == record.Readings(r, c))
            return CurveDefect::RepeatedDepth;
        if (record.Readings(r + 1, c) < record.Readings(r, c))
            return CurveDefect::FallingDepths;
    }
    return CurveDefect::None;
}

bool Fail(ModellingResults& record) {
    record.DepthScale = 0;
    record.StressScale = 0;
    return false;
}

} // namespace

namespace {

// Collects lines into the record as bytes arrive, chunk by chunk: a line ends
// at CR LF or at a lone CR (a CR LF split between two chunks still ends one
// line). Stops at the first line past kMaxLines.
class LineCollector {
public:
    explicit LineCollector(ModellingResults& record)
        : record_(record) {
        record_.FileText.clear();
        record_.LineCount = 0;
        record_.TextComplete = false;
    }

    // False once there are too many lines; the text up to there is kept.
    bool feed(std::string_view bytes) {
        std::size_t pos = 0;
        while (pos < bytes.size()) {
            if (afterCr_) {
                afterCr_ = false;
                if (bytes[pos] == '\n') {
                    ++pos; // CR LF ends a line as one
                    continue;
                }
            }
            const std::size_t cr = bytes.find('\r', pos);
            if (cr == std::string_view::npos) {
                record_.FileText.append(bytes.substr(pos));
                openLine_ = true;
                break;
            }
            record_.FileText.append(bytes.substr(pos, cr - pos));
            pos = cr + 1;
            afterCr_ = true;
            if (!endLine())
                return false;
        }
        return true;
    }

    // Ends a last line without a line end; false when it is one too many.
    bool finish() {
        if (openLine_ && !endLine())
            return false;
        record_.TextComplete = true;
        return true;
    }

private:
    bool endLine() {
        openLine_ = false;
        record_.FileText.append(ModellingResults::LineSeparator);
        if (count_ == kMaxLines)
            return false; // the counter would overflow: one line too many
        ++count_;
        record_.LineCount = static_cast<std::int16_t>(count_);
        return true;
    }

    ModellingResults& record_;
    int count_ = 0;
    bool afterCr_ = false;  // the last byte seen was a CR
    bool openLine_ = false; // bytes of a line not yet ended
};

// The reader's refusals as the loader names them.
ReadFailure FailureOf(const storage::ReadProblem& problem) {
    switch (problem.kind) {
    case storage::ReadProblem::Kind::NotARegularFile:
        return ReadFailure::NotARegularFile;
    case storage::ReadProblem::Kind::TooLarge:
        return ReadFailure::TooLarge;
    case storage::ReadProblem::Kind::CannotOpen:
    case storage::ReadProblem::Kind::CannotRead:
        break;
    }
    return ReadFailure::CannotOpen;
}

} // namespace

bool IsRegularFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

ReadFailure ReadModellingFile(ModellingResults& record, const std::string& path) {
    record.FileName = path;
    LineCollector lines(record);

    // Never opened when it is not a regular file, never waited on, and
    // refused past the bound without reading it.
    storage::InputFile file;
    if (const auto problem = file.open(path, storage::Accept::RegularFiles, kMaxFileBytes))
        return FailureOf(*problem);
    const std::uint64_t size = file.size();
    record.FileText.reserve(static_cast<std::size_t>(size + size / 16 + 2));

    std::vector<char> chunk(std::size_t{1} << 16);
    for (;;) {
        std::size_t n = 0;
        if (const auto problem = file.read(chunk.data(), chunk.size(), n))
            return FailureOf(*problem); // a read error, or it grew while being read
        if (n == 0)
            break;
        if (!lines.feed(std::string_view(chunk.data(), n)))
            return ReadFailure::TooManyLines;
    }
    return lines.finish() ? ReadFailure::None : ReadFailure::TooManyLines;
}

bool ReadModellingText(ModellingResults& record, const std::string& path) {
    return ReadModellingFile(record, path) == ReadFailure::None;
}

bool ModellingTextFromBytes(ModellingResults& record, std::string_view bytes) {
    LineCollector lines(record);
    record.FileText.reserve(bytes.size() + bytes.size() / 16 + 2);
    return lines.feed(bytes) && lines.finish();
}

bool ParseModellingResults(ModellingResults& record) {
    record.MaxDepth = kRangeStartMax;
    record.MaxStress = kRangeStartMax;
    record.MinDepth = kRangeStartMin;
    record.MinStress = kRangeStartMin;
    record.DepthScale = 0;
    record.StressScale = 0;
    record.FieldCount = 0;
    record.Header.assign(1, 0.0);
    record.Readings = Table();
    record.ChartPoints = Table();
    record.ValidCounts.clear();
    record.CurveDefects.clear();

    if (!record.TextComplete || record.LineCount < 1)
        return Fail(record);
    const int lineCount = record.LineCount;
    std::vector<std::string_view> lines;
    if (!SplitKeptText(record.FileText, lineCount, lines))
        return Fail(record);

    // Every line is checked before the table is sized, so that the table can
    // never outgrow the text it comes from.
    const std::size_t headerFields = FieldsOf(lines[0]);
    if (headerFields > static_cast<std::size_t>(kMaxFields) || headerFields % 2 != 0)
        return Fail(record);
    const int fieldCount = static_cast<int>(headerFields);
    for (int r = 2; r <= lineCount; ++r) {
        const std::size_t fields = FieldsOf(lines[static_cast<std::size_t>(r - 1)]);
        if (fields < headerFields || fields > static_cast<std::size_t>(kMaxFields))
            return Fail(record);
    }
    record.FieldCount = static_cast<std::int16_t>(fieldCount);

    record.Header.assign(static_cast<std::size_t>(fieldCount) + 1, 0.0);
    FieldReader header(lines[0]);
    for (int p = 1; p <= fieldCount; ++p) {
        const double value = ParseLeadingNumber(header.next());
        if (!std::isfinite(value))
            return Fail(record);
        record.Header[static_cast<std::size_t>(p)] = value;
    }

    // The row of a column's last reading is the count of its valid values in
    // rows 1..LineCount (row 1 being the header), counted as the rows are read.
    std::vector<int> valid(static_cast<std::size_t>(fieldCount) + 1, 0);
    for (int p = 1; p <= fieldCount; ++p)
        valid[static_cast<std::size_t>(p)] =
            IsValidReading(record.Header[static_cast<std::size_t>(p)]) ? 1 : 0;
    record.Readings.resize(lineCount, fieldCount);
    for (int r = 2; r <= lineCount; ++r) {
        FieldReader fields(lines[static_cast<std::size_t>(r - 1)]);
        double* row = &record.Readings(r, 0);
        for (int p = 1; p + 1 <= fieldCount; p += 2) {
            const double depth = ParseLeadingNumber(fields.next());
            const double stress = ParseLeadingNumber(fields.next());
            if (!std::isfinite(depth) || !std::isfinite(stress))
                return Fail(record);
            row[p] = depth;
            row[p + 1] = stress;
            const bool depthValid = IsValidReading(depth);
            const bool stressValid = IsValidReading(stress);
            valid[static_cast<std::size_t>(p)] += depthValid ? 1 : 0;
            valid[static_cast<std::size_t>(p + 1)] += stressValid ? 1 : 0;
            if (depthValid) {
                record.MaxDepth = std::max(record.MaxDepth, depth);
                record.MinDepth = std::min(record.MinDepth, depth);
            }
            if (stressValid) {
                record.MaxStress = std::max(record.MaxStress, stress);
                record.MinStress = std::min(record.MinStress, stress);
            }
        }
    }

    const double depthScale = ScaleFor(record.MaxDepth, record.MinDepth, kAxisUnits);
    const double stressScale = ScaleFor(record.MaxStress, record.MinStress, -kAxisUnits);
    if (depthScale == 0 || stressScale == 0)
        return Fail(record);

    record.ChartPoints.resize(lineCount, fieldCount);
    for (int r = 2; r <= lineCount; ++r) {
        for (int p = 1; p + 1 <= fieldCount; p += 2) {
            const double x = (record.Readings(r, p) - record.MinDepth) * depthScale;
            const double y = (record.Readings(r, p + 1) - record.MinStress) * stressScale;
            if (!std::isfinite(x) || !std::isfinite(y))
                return Fail(record);
            record.ChartPoints(r, p) = x;
            record.ChartPoints(r, p + 1) = y;
        }
    }

    record.ValidCounts = std::move(valid);
    record.CurveDefects.assign(static_cast<std::size_t>(fieldCount) + 1, CurveDefect::None);
    for (int p = 1; p + 1 <= fieldCount; p += 2)
        record.CurveDefects[static_cast<std::size_t>(p)] =
            DefectOf(record, p, record.ValidCounts[static_cast<std::size_t>(p)]);

    record.DepthScale = depthScale;
    record.StressScale = stressScale;
    return true;
}

std::vector<std::string> WidthListTexts(const ModellingResults& record,
                                        const std::string& decimalSeparator) {
    std::vector<std::string> texts;
    const int last = std::min<int>(record.FieldCount, static_cast<int>(record.Header.size()) - 1);
    for (int p = 1; p <= last; p += 2) {
        // Up to 15 significant digits, then the shortest text of that value.
        const double width = record.Header[static_cast<std::size_t>(p)];
        char buffer[64];
        double rounded = width;
        const auto [end, ec] =
            std::to_chars(buffer, buffer + sizeof buffer, width, std::chars_format::scientific, 14);
        if (ec == std::errc())
            std::from_chars(buffer, end, rounded);
        texts.push_back(engine::ShortestText(rounded, decimalSeparator));
    }
    return texts;
}

} // namespace vt::results
