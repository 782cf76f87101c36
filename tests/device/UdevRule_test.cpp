#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "device/TargetMouse.h"

namespace qeltra3k::device {
namespace {

// The rule shipped beside the sources (the fixtures folder is tests/fixtures).
const std::filesystem::path kRuleFile =
    std::filesystem::path(QELTRA3K_FIXTURES_DIR) / ".." / ".." / "udev" / "60-qeltra3k.rules";

std::vector<std::string> RuleLines()
{
    std::vector<std::string> lines;
    std::ifstream file(kRuleFile);
    for (std::string line; std::getline(file, line);)
        if (!line.empty() && line[0] != '#')
            lines.push_back(line);
    return lines;
}

std::string Hex4(std::uint16_t value)
{
    char text[5];
    std::snprintf(text, sizeof text, "%04x", value);
    return text;
}

// The rule must name the same mouse the program looks for, or the editor finds a mouse it
// may not open; and access goes to the seat's user, never to everyone.
TEST(UdevRule, TagsTheTargetMousesHidrawNodesForTheSeatUserOnly)
{
    const std::regex mode(R"re(MODE\s*:?=\s*"0?[0-7]?[0-7]([0-7])")re");
    const std::vector<std::string> lines = RuleLines();
    ASSERT_FALSE(lines.empty()) << "no rule in " << kRuleFile;
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        EXPECT_NE(line.find("SUBSYSTEM==\"hidraw\""), std::string::npos);
        EXPECT_NE(line.find("ATTRS{idVendor}==\"" + Hex4(kTargetVendorId) + "\""), std::string::npos);
        EXPECT_NE(line.find("ATTRS{idProduct}==\"" + Hex4(kTargetProductId) + "\""), std::string::npos);
        EXPECT_NE(line.find("TAG+=\"uaccess\""), std::string::npos);
        std::smatch match;
        if (std::regex_search(line, match, mode)) {
            EXPECT_EQ((match[1].str()[0] - '0') & 2, 0) << "world-writable";
        }
    }
}

}  // namespace
}  // namespace qeltra3k::device
