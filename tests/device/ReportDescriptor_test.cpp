#include "device/ReportDescriptor.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "device/FeatureProtocol.h"

namespace qeltra3k::device {
namespace {

using Bytes = std::vector<std::uint8_t>;

const std::filesystem::path kDescriptorFolder = std::filesystem::path(QELTRA3K_FIXTURES_DIR) / "hid-descriptors";

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The descriptors are written as C array text: "0x05, 0x01, ...".
Bytes ParseHexBytes(const std::string& text)
{
    Bytes bytes;
    const std::regex byte("0x([0-9A-Fa-f]{2})");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), byte); it != std::sregex_iterator(); ++it)
        bytes.push_back(static_cast<std::uint8_t>(std::stoul((*it)[1].str(), nullptr, 16)));
    return bytes;
}

// "pp_data->Name = value" lines of the Windows dump, by name.
std::map<std::string, unsigned long> ParsePreparsedDump(const std::string& text)
{
    std::map<std::string, unsigned long> values;
    const std::regex line(R"(pp_data->(\S+)\s*=\s*(0x[0-9A-Fa-f]+|\d+))");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), line); it != std::sregex_iterator(); ++it)
        values[(*it)[1].str()] = std::stoul((*it)[2].str(), nullptr, 0);
    return values;
}

struct Fixture {
    std::string name;
    Bytes descriptor;
    std::map<std::string, unsigned long> windows;
};

std::vector<Fixture> LoadFixtures()
{
    std::vector<Fixture> fixtures;
    const std::string suffix = "_expected.rpt_desc";
    for (const auto& entry : std::filesystem::directory_iterator(kDescriptorFolder)) {
        const std::string file = entry.path().filename().string();
        if (!file.ends_with(suffix))
            continue;
        const std::string name = file.substr(0, file.size() - suffix.size());
        fixtures.push_back({name, ParseHexBytes(ReadText(entry.path())),
                            ParsePreparsedDump(ReadText(kDescriptorFolder / (name + ".pp_data")))});
    }
    std::sort(fixtures.begin(), fixtures.end(), [](const Fixture& a, const Fixture& b) { return a.name < b.name; });
    return fixtures;
}

// Every real descriptor must give the lengths Windows computed for it, and the collection's
// usage that Windows names it by.
TEST(ReportDescriptor, LengthsEqualWhatWindowsComputed)
{
    const std::vector<Fixture> fixtures = LoadFixtures();
    ASSERT_FALSE(fixtures.empty()) << "no descriptors in " << kDescriptorFolder;
    for (const Fixture& fixture : fixtures) {
        SCOPED_TRACE(fixture.name);
        ASSERT_FALSE(fixture.descriptor.empty());
        ASSERT_TRUE(fixture.windows.contains("caps_info[2]->ReportByteLength"));
        const ReportDescriptorLayout layout = ParseReportDescriptor(fixture.descriptor);
        ASSERT_TRUE(layout.Accepted()) << layout.problem;
        ASSERT_EQ(layout.collections.size(), 1u);
        const TopLevelCollection& collection = layout.collections[0];
        EXPECT_EQ(collection.inputReportLength, fixture.windows.at("caps_info[0]->ReportByteLength"));
        EXPECT_EQ(collection.outputReportLength, fixture.windows.at("caps_info[1]->ReportByteLength"));
        EXPECT_EQ(collection.featureReportLength, fixture.windows.at("caps_info[2]->ReportByteLength"));
        EXPECT_EQ(collection.usage, fixture.windows.at("Usage"));
        EXPECT_EQ(collection.usagePage, fixture.windows.at("UsagePage"));
    }
}

// Every strict prefix of a real descriptor ends inside an item or an open collection.
TEST(ReportDescriptor, EveryTruncationOfARealDescriptorIsRefused)
{
    const std::vector<Fixture> fixtures = LoadFixtures();
    ASSERT_FALSE(fixtures.empty());
    for (const Fixture& fixture : fixtures) {
        SCOPED_TRACE(fixture.name);
        for (std::size_t length = 0; length < fixture.descriptor.size(); ++length) {
            // A copy of exactly `length` bytes, so reading past it is a fault the tools see.
            const Bytes prefix(fixture.descriptor.begin(), fixture.descriptor.begin() + length);
            const ReportDescriptorLayout layout = ParseReportDescriptor(prefix);
            EXPECT_FALSE(layout.Accepted()) << "length " << length;
            EXPECT_TRUE(layout.collections.empty());
        }
    }
}

struct MalformedCase {
    const char* what;
    Bytes descriptor;
    const char* reason;  // a part of the problem text
};

Bytes Repeat(std::uint8_t byte, std::size_t count)
{
    return Bytes(count, byte);
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(ReportDescriptor, MalformedDescriptorsAreRefusedWithAReason)
{
    const std::vector<MalformedCase> cases = {
        {"empty", {}, "empty"},
        {"no collection", {0x05, 0x01, 0x75, 0x08}, "no collection"},
        {"one-byte item cut", {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x75}, "cut short at byte 6"},
        {"four-byte item cut", {0xA1, 0x01, 0x27, 0xFF, 0xFF}, "cut short at byte 2"},
        {"long item header cut", {0xA1, 0x01, 0xFE, 0x05}, "long item cut short at byte 2"},
        {"long item data cut", {0xA1, 0x01, 0xFE, 0x05, 0x10, 0x01, 0x02}, "long item cut short at byte 2"},
        {"pop on an empty stack", {0x09, 0x01, 0xA1, 0x01, 0xB4, 0xC0}, "Pop without a Push at byte 4"},
        {"end collection first", {0xC0, 0xA1, 0x01}, "End Collection without a Collection at byte 0"},
        {"one end collection too many", {0xA1, 0x01, 0xC0, 0xC0}, "End Collection without a Collection at byte 3"},
        {"collection left open", {0x09, 0x01, 0xA1, 0x01, 0xA1, 0x00, 0xC0}, "still open"},
        {"report id 0", {0xA1, 0x01, 0x85, 0x00, 0xC0}, "Report ID 0"},
        {"report id past 255", {0xA1, 0x01, 0x86, 0x00, 0x01, 0xC0}, "Report ID 256"},
        {"report size absurd", {0xA1, 0x01, 0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0xC0}, "Report Size 4294967295"},
        {"report count absurd", {0xA1, 0x01, 0x96, 0x01, 0x30, 0xC0}, "Report Count 12289"},
        {"report grows too long",
         {0xA1, 0x01, 0x75, 0x08, 0x96, 0x00, 0x30, 0xB1, 0x02, 0xB1, 0x02, 0xC0},
         "Feature report 0 grows past"},
        {"input outside a collection", {0x75, 0x08, 0x95, 0x01, 0x81, 0x02}, "Input item outside any collection"},
        {"feature after the collection closed",
         {0xA1, 0x01, 0xC0, 0x75, 0x08, 0x95, 0x01, 0xB1, 0x02},
         "Feature item outside any collection"},
        {"push nested too deep", Concat({{0xA1, 0x01}, Repeat(0xA4, kMaxGlobalStackDepth + 1), {0xC0}}),
         "Push nested deeper"},
    };
    for (const MalformedCase& test : cases) {
        SCOPED_TRACE(test.what);
        const ReportDescriptorLayout layout = ParseReportDescriptor(test.descriptor);
        EXPECT_FALSE(layout.Accepted());
        EXPECT_NE(layout.problem.find(test.reason), std::string::npos) << layout.problem;
        EXPECT_TRUE(layout.collections.empty());
    }
}

struct LengthCase {
    const char* what;
    Bytes descriptor;
    std::size_t input;
    std::size_t output;
    std::size_t feature;
};

TEST(ReportDescriptor, LengthRules)
{
    const std::vector<LengthCase> cases = {
        // Without report ids the id byte is counted all the same.
        {"seven feature bytes, no ids", {0xA1, 0x01, 0x75, 0x08, 0x95, 0x07, 0xB1, 0x02, 0xC0}, 0, 0, 8},
        {"bits rounded up", {0xA1, 0x01, 0x75, 0x01, 0x95, 0x03, 0x81, 0x02, 0xC0}, 2, 0, 0},
        // Items of one id add up; the longest id decides.
        {"longest id wins",
         {0xA1, 0x01, 0x85, 0x01, 0x75, 0x08, 0x95, 0x02, 0xB1, 0x02, 0xB1, 0x02, 0x85, 0x02, 0x95, 0x03, 0xB1,
          0x02, 0xC0},
         0, 0, 5},
        // Nested collections belong to their top-level collection.
        {"nested collection counts",
         {0xA1, 0x01, 0xA1, 0x00, 0x75, 0x08, 0x95, 0x04, 0x91, 0x02, 0xC0, 0x95, 0x01, 0x91, 0x02, 0xC0}, 0, 6,
         0},
        // Push keeps the report size and id; Pop brings them back for the next item.
        {"push and pop restore size and id",
         {0xA1, 0x01, 0x85, 0x04, 0x75, 0x08, 0x95, 0x07, 0xA4, 0x85, 0x05, 0x75, 0x10, 0x95, 0x10, 0x81, 0x02,
          0xB4, 0xB1, 0x02, 0xC0},
         33, 0, 8},
        // Long items and reserved short items carry nothing that changes a length.
        {"long and reserved items skipped",
         {0xA1, 0x01, 0xFE, 0x02, 0x10, 0xAA, 0xBB, 0x0D, 0x01, 0x75, 0x08, 0x95, 0x02, 0x81, 0x02, 0xC0}, 3, 0,
         0},
    };
    for (const LengthCase& test : cases) {
        SCOPED_TRACE(test.what);
        const ReportDescriptorLayout layout = ParseReportDescriptor(test.descriptor);
        ASSERT_TRUE(layout.Accepted()) << layout.problem;
        ASSERT_EQ(layout.collections.size(), 1u);
        EXPECT_EQ(layout.collections[0].inputReportLength, test.input);
        EXPECT_EQ(layout.collections[0].outputReportLength, test.output);
        EXPECT_EQ(layout.collections[0].featureReportLength, test.feature);
    }
}

// A mouse as a hidraw node sees it: a pointer collection, a consumer collection with a
// feature report of its own, and the vendor collection that carries the protocol's report.
const Bytes kMouseWithVendorCollection = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,                    // Generic Desktop, Mouse
    0x85, 0x01, 0x75, 0x08, 0x95, 0x04, 0x81, 0x02, 0xC0,  //   input id 1, 4 bytes
    0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01,                    // Consumer Control
    0x85, 0x02, 0x75, 0x08, 0x95, 0x0F, 0xB1, 0x02, 0xC0,  //   feature id 2, 15 bytes
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01,              // vendor page 0xFF00
    0x85, 0x04, 0x75, 0x08, 0x95, 0x07, 0xB1, 0x02, 0xC0,  //   feature id 4, 7 bytes
};

TEST(ReportDescriptor, EachTopLevelCollectionHasItsOwnLengthsAndUsage)
{
    const ReportDescriptorLayout layout = ParseReportDescriptor(kMouseWithVendorCollection);
    ASSERT_TRUE(layout.Accepted()) << layout.problem;
    ASSERT_EQ(layout.collections.size(), 3u);
    EXPECT_EQ(layout.collections[0].usagePage, 0x01);
    EXPECT_EQ(layout.collections[0].usage, 0x02);
    EXPECT_EQ(layout.collections[0].inputReportLength, 5u);
    EXPECT_EQ(layout.collections[0].featureReportLength, 0u);
    EXPECT_EQ(layout.collections[1].featureReportLength, 16u);
    EXPECT_EQ(layout.collections[1].featureReportIds, std::vector<std::uint8_t>{2});
    EXPECT_EQ(layout.collections[2].usagePage, 0xFF00);
    EXPECT_EQ(layout.collections[2].featureReportLength, 8u);
    EXPECT_EQ(layout.collections[2].featureReportIds, std::vector<std::uint8_t>{4});
}

TEST(ReportDescriptor, ExtendedUsageNamesItsOwnPage)
{
    const ReportDescriptorLayout layout =
        ParseReportDescriptor(Bytes{0x05, 0x01, 0x0B, 0x01, 0x00, 0x0C, 0x00, 0xA1, 0x01, 0xC0});
    ASSERT_TRUE(layout.Accepted()) << layout.problem;
    ASSERT_EQ(layout.collections.size(), 1u);
    EXPECT_EQ(layout.collections[0].usagePage, 0x0C);
    EXPECT_EQ(layout.collections[0].usage, 0x01);
}

TEST(ReportDescriptor, NodeTakesTheLengthOfTheCollectionThatCarriesTheReport)
{
    const ReportDescriptorLayout layout = ParseReportDescriptor(kMouseWithVendorCollection);
    ASSERT_TRUE(layout.Accepted()) << layout.problem;
    EXPECT_EQ(NodeFeatureReportLength(layout.collections, ReportId), 8u);
    // No collection declares report 9: the first one with feature reports speaks for the node.
    EXPECT_EQ(NodeFeatureReportLength(layout.collections, 9), 16u);
    // Without feature reports at all the node has none.
    const std::vector<TopLevelCollection> pointerOnly = {layout.collections[0]};
    EXPECT_EQ(NodeFeatureReportLength(pointerOnly, ReportId), 0u);
    EXPECT_EQ(NodeFeatureReportLength({}, ReportId), 0u);
}

}  // namespace
}  // namespace qeltra3k::device
