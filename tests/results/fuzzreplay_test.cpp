// Replays the fuzzer's seed corpus through its entry point, so that the
// ordinary build checks the same invariants (the entry point aborts on a
// broken one).
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

int Feed(const std::string& bytes) {
    return LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                  bytes.size());
}

TEST(FuzzCorpus, EverySeedRunsCleanly) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(VT_FUZZ_CORPUS_DIR)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(Feed(bytes), 0) << entry.path();
        ++files;
    }
    EXPECT_GE(files, 10);
}

TEST(FuzzCorpus, OddInputsRunCleanly) {
    const std::string inputs[] = {
        "",
        "\r",
        "\t\t\t\r\n\t\t\t",
        std::string(40000, '\r'),
        std::string(40000, '\t') + "\r\n1\r\n",
        "5\t0\t7\t0\r\n1e308\t1e308\t-1e308\t-1e308\r\n0\t0\t1\t1\r\n",
        "5\t0\t7\t0\r\n0\t0\t0\t0\r\n1e308\t1\t1\t32767\r\n",
        "&HFFFFFFFFFFFFFFFFFFFFFFFF\t0\t&O7\t0\r\n1\t2\t3\t4\r\n5\t6\t7\t8\r\n",
    };
    for (const std::string& input : inputs)
        EXPECT_EQ(Feed(input), 0) << input.substr(0, 40);
}

} // namespace
