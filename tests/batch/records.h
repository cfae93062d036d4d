// Every record of a table, as the tests read the batch evaluator's tables.
#pragma once

#include "batch/csv.h"

#include <vector>

namespace vt::batch {

inline std::vector<Record> Records(QByteArrayView bytes) {
    CsvReader reader(bytes);
    std::vector<Record> records;
    Record record;
    while (reader.next(record))
        records.push_back(record);
    return records;
}

} // namespace vt::batch
