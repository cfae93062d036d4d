// Modelling-results tables as their files hold them, and a table parsed from
// such bytes, for the tests of every folder.
#pragma once

#include "results/core/modellingfile.h"

#include <gtest/gtest.h>
#include <string_view>

namespace vt::test {

// Widths 5 and 7; depths 100 and 200; stresses 20 and 35 (width 5), 15 and 28
// (width 7): depths 100..200 and stresses 15..35 on the chart.
inline constexpr std::string_view kWidths5And7 = "5\t0\t7\t0\r\n"
                                                 "100\t20\t100\t15\r\n"
                                                 "200\t35\t200\t28\r\n";

// The same with the width-7 curve ending at (150, 21.5): deeper designs are
// extended, and some fail the plausibility test.
inline constexpr std::string_view kShortWidth7 = "5\t0\t7\t0\r\n"
                                                 "100\t20\t100\t15\r\n"
                                                 "200\t35\t150\t21.5\r\n";

// Widths 6 and 8: stresses 20 to 60 MPa and 15 to 45 MPa between 100 and
// 500 m, so that width 6 at 300 m interpolates to 40 MPa.
inline constexpr std::string_view kWidths6And8 = "6\t0\t8\t0\r\n"
                                                 "100\t20\t100\t15\r\n"
                                                 "500\t60\t500\t45\r\n";

// The table of those bytes, read and parsed as a loaded file is, under the
// file name given.
inline results::ModellingResults TableFromBytes(std::string_view bytes,
                                                const char* fileName = "results.int") {
    results::ModellingResults table;
    EXPECT_TRUE(results::ModellingTextFromBytes(table, bytes));
    table.FileName = fileName;
    EXPECT_TRUE(results::ParseModellingResults(table));
    return table;
}

} // namespace vt::test
