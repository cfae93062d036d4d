// Every record of a table, as the tests read the CSV the program writes:
// from bytes in memory, or from a source that gives them a few at a time.
#pragma once

#include "evaluation/csv.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vt::evaluation {

inline std::vector<Record> ReadAll(CsvReader& reader) {
    std::vector<Record> records;
    Record record;
    while (reader.next(record))
        records.push_back(record);
    return records;
}

inline std::vector<Record> Records(QByteArrayView bytes,
                                   CsvConvention convention = CsvConvention::CommaPoint) {
    CsvReader reader(bytes, convention);
    return ReadAll(reader);
}

// A source of `bytes` that gives at most `piece` of them at a time.
inline CsvSource PiecesOf(QByteArrayView bytes, qsizetype piece) {
    return [bytes, piece, at = qsizetype{0}](char* buffer, qsizetype capacity) mutable {
        const qsizetype n = std::min({piece, capacity, bytes.size() - at});
        std::memcpy(buffer, bytes.data() + at, static_cast<std::size_t>(n));
        at += n;
        return n;
    };
}

inline std::vector<Record> RecordsInPieces(QByteArrayView bytes, qsizetype piece,
                                           CsvConvention convention = CsvConvention::CommaPoint) {
    CsvReader reader(PiecesOf(bytes, piece), convention);
    return ReadAll(reader);
}

} // namespace vt::evaluation
