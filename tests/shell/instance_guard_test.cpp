#include "shell/instance_guard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorrin {
namespace {

struct GuardCase {
    const char* name;
    std::vector<Text> processes;
    const char* own;
    bool refused;
    friend void PrintTo(const GuardCase& c, std::ostream* os) { *os << c.name; }
};

class InstanceGuard : public testing::TestWithParam<GuardCase> {};

TEST_P(InstanceGuard, RefusesOnlyASecondProcessOfTheSameFileName) {
    EXPECT_EQ(another_copy_running(GetParam().processes, GetParam().own), GetParam().refused);
}

INSTANTIATE_TEST_SUITE_P(
    Shell, InstanceGuard,
    testing::Values(GuardCase{"alone", {"explorer.exe", "tool.exe", "services.exe"}, "tool.exe", false},
                    GuardCase{"second_copy", {"tool.exe", "explorer.exe", "tool.exe"}, "tool.exe", true},
                    GuardCase{"other_case_counts", {"TOOL.EXE", "tool.exe"}, "tool.exe", true},
                    // Names that merely contain the program's name are other programs.
                    GuardCase{"longer_name_containing_it", {"mytool.exe", "tool.exe"}, "tool.exe", false},
                    GuardCase{"names_joined_across_entries", {"xa", "b.exe", "ab.exe"}, "ab.exe", false},
                    GuardCase{"copy_under_other_name", {"tool.exe", "other.exe"}, "other.exe", false},
                    GuardCase{"empty_snapshot", {}, "tool.exe", false},
                    GuardCase{"own_name_missing", {"a.exe", "b.exe"}, "tool.exe", false},
                    GuardCase{"empty_names_and_empty_own", {"", ""}, "", false},
                    GuardCase{"only_ascii_letters_fold", {"\xB0\x41.exe", "\xB0\x61.exe"}, "\xB0\x61.exe", true},
                    GuardCase{"three_copies", {"q.exe", "q.exe", "Q.exe"}, "q.exe", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FileNameFromPath, TakesThePartAfterTheLastBackslashOfACharacter) {
    EXPECT_EQ(file_name_from_path("C:\\Tools\\tool.exe"), Text("tool.exe"));
    EXPECT_EQ(file_name_from_path("tool.exe"), Text("tool.exe"));
    EXPECT_EQ(file_name_from_path("C:\\dir\\"), Text());
    EXPECT_EQ(file_name_from_path(""), Text());
    // 0x5C is the trail byte of this two-byte character (GBK 0x815C), not a
    // backslash.
    EXPECT_EQ(file_name_from_path("C:\\\x81\x5C" "a.exe"), Text("\x81\x5C" "a.exe"));
    EXPECT_EQ(file_name_from_path("C:\\\xD6\xD0\\b.exe"), Text("b.exe"));
}

}  // namespace
}  // namespace quorrin
