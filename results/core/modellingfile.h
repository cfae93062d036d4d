// Reading and parsing the modelling-results file.
//
// The file is tab-separated text. Line 1 holds pairs (pillar width, unused
// number); every further line holds pairs (depth in m, average pillar stress in
// MPa), one pair of columns per modelled pillar width, -1 filling the end of a
// shorter curve. A line ends at CR LF or at a lone CR; a lone LF is part of the
// line.
//
// ReadModellingText reads the file once into the record's FileText;
// ParseModellingResults turns that text into the table, the ranges and the
// chart scales. Interpolation then works on the kept table, never on the disk.
#pragma once

#include "results/modellingresults.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vt::results {

// 16-bit signed counters bound the number of lines and of fields per line.
inline constexpr int kMaxLines = 32767;
inline constexpr int kMaxFields = 32767;

// The sentinels the ranges start from, so that the first valid reading
// replaces each.
inline constexpr double kRangeStartMax = -1.7e308;
inline constexpr double kRangeStartMin = 1.7e308;

// The leading number of a text: blanks, tabs and line feeds are ignored
// wherever they stand, "." is the decimal point in every locale, an exponent
// may follow (E or D, "1.5E3" is 1500), "&H"/"&O" lead a hexadecimal/octal
// integer, and reading stops at the first character that cannot continue the
// number. A text without a leading number reads as 0 ("12,5" reads as 12,
// "1 000" as 1000). A number too large for a double reads as +/-infinity, which
// callers reject; one too small reads as 0.
double ParseLeadingNumber(std::string_view text);

// The largest file ReadModellingText reads: 32 MiB (33 554 432 bytes). The
// format's 32 767 lines at 1 KiB each hold 32 modelled widths (64 fields) with
// every field written in 15 characters, four times the widths of the shipped
// file written with more digits than any modelling run gives. A larger file
// is refused before a byte of it is read, so that one click on a huge file
// costs neither minutes nor gigabytes.
inline constexpr std::uint64_t kMaxFileBytes = std::uint64_t{32} * 1024 * 1024;

// Why ReadModellingFile failed.
enum class ReadFailure : std::uint8_t {
    None,
    CannotOpen,      // missing, not permitted, or an error while reading
    NotARegularFile, // a folder, pipe, device or socket (links are followed)
    TooLarge,        // more than kMaxFileBytes
    TooManyLines,    // more than kMaxLines lines
};

// Whether the path names a regular file, after following links. Only such
// files are listed and read: a pipe would block the program and a device
// such as /dev/zero would never end.
bool IsRegularFile(const std::string& path);

// Sets FileName to path, empties FileText and LineCount, then appends every
// line of the file followed by "\r\n" and counts it. Only a regular file is
// opened, never waiting on it; it is read line by line and the reading stops
// at the first line past 32 767. Fails when the file cannot be opened or
// read, is not a regular file, is larger than kMaxFileBytes or has more than
// 32 767 lines; what was collected up to the failure stays in the record.
ReadFailure ReadModellingFile(ModellingResults& record, const std::string& path);

// ReadModellingFile as a yes or no.
bool ReadModellingText(ModellingResults& record, const std::string& path);

// The line splitting of ReadModellingText over bytes already read: empties
// FileText and LineCount and fills them from the bytes; FileName is left as it
// is. False, with the text collected so far, above 32 767 lines.
bool ModellingTextFromBytes(ModellingResults& record, std::string_view bytes);

// Parses the text left by the last successful ReadModellingText: FieldCount,
// Header, Readings (rows 2..LineCount), the ranges of the valid (not -1)
// depths and stresses, DepthScale, StressScale and ChartPoints. False when the
// text is incomplete, the header has an odd number of fields, a reading line has
// fewer fields than the header, a line has more than 32 767 fields, a field is a
// number too large to hold, there is no valid depth or stress, all valid
// depths or all valid stresses are equal, or the scales would not be finite.
// The record may then be partly filled, but its scales are never inf or NaN.
bool ParseModellingResults(ModellingResults& record);

// The width list of the interpolation screen: the header widths in file order,
// each as its shortest decimal text with the given decimal separator.
std::vector<std::string> WidthListTexts(const ModellingResults& record,
                                        const std::string& decimalSeparator = ".");

// Whether a table value is a reading (anything but -1).
inline bool IsValidReading(double value) {
    return value != kMissingReading;
}

} // namespace vt::results
