#include "toolbox/lookup_pattern.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace quorrin {
namespace {

std::string hex(std::string_view bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

// The code page 936 bytes, written out independently of the compiler's
// execution character set.
TEST(LookupPattern, IsTheCodePage936BytesOfThePattern) {
    const std::string_view pattern(lookup_pattern);
    EXPECT_EQ(pattern.size(), 106u);
    EXPECT_EQ(hex(pattern),
              "3c703ebfa8bac5b9e9caf4b5d8a3ba3c656d3e282e2a3f293c2f656d3e202020c0e0d0cda3ba3c656d3e282e2a3f293c2f656d3e"
              "20c7f8bac5a3ba3c656d3e282e2a3f293c2f656d3e2020202020d3cad5feb1e0c2eba3ba3c656d3e282e2a3f293c2f656d3e3c2f"
              "703e");
}

}  // namespace
}  // namespace quorrin
