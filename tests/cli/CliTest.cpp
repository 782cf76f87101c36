#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "resources/Resources.h"

namespace qeltra3k::cli {
namespace {

namespace fs = std::filesystem;

struct Result {
    int code;
    std::string out;
    std::string err;
};

Result RunCli(std::vector<std::string> args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int code = Run(args, out, err);
    return {code, out.str(), err.str()};
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() /
               ("qeltra3k-cli-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return path.string();
    }

    static std::vector<std::uint8_t> Resource(std::string_view name)
    {
        const auto bytes = resources::Find(name);
        EXPECT_TRUE(bytes.has_value()) << name;
        return bytes ? std::vector<std::uint8_t>(bytes->begin(), bytes->end()) : std::vector<std::uint8_t>{};
    }

    static std::vector<std::uint8_t> ReadBack(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path dir_;
};

TEST_F(CliTest, ResourceWritesEveryResourceByteForByte)
{
    for (std::string_view name : resources::Names()) {
        const std::string path = (dir_ / (std::string(name) + ".out")).string();
        const Result result = RunCli({"resource", std::string(name), "-o", path});
        ASSERT_EQ(result.code, kExitOk) << name << ": " << result.err;
        EXPECT_EQ(ReadBack(path), Resource(name)) << name;
    }
}

TEST_F(CliTest, ResourceListNamesEveryResourceWithItsSize)
{
    const Result result = RunCli({"resource", "--list"});
    ASSERT_EQ(result.code, kExitOk);
    for (const char* line : {"VOSKEN2Data_Cfg1\t2048\n", "Driver_VOSKEN2Data_Cfg3\t40960\n", "PCMacroData\t27200\n",
                             "fireMacro_2\t256\n", "lang3\t", "org\t"})
        EXPECT_NE(result.out.find(line), std::string::npos) << line;
}

TEST_F(CliTest, WrongUseIsRefusedWithAClearMessage)
{
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* message;
    };
    const Case cases[] = {
        {{}, kExitUsage, "usage: qeltra3k"},
        {{"frobnicate"}, kExitUsage, "unknown command 'frobnicate'"},
        {{"resource"}, kExitUsage, "usage: qeltra3k resource"},
        {{"resource", "NoSuchThing"}, kExitFailure, "no resource named 'NoSuchThing'"},
        {{"show"}, kExitUsage, "usage: qeltra3k show"},
        {{"show", "x.bin", "--language", "4"}, kExitUsage, "--language takes 1"},
        {{"show", "/nonexistent/image.bin"}, kExitBadFile, "cannot read '/nonexistent/image.bin'"},
    };
    for (const Case& c : cases) {
        const Result result = RunCli(c.args);
        EXPECT_EQ(result.code, c.code) << c.message;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
}

TEST_F(CliTest, ShowRefusesAFileThatIsNotAnImage)
{
    for (std::size_t size : {0u, 255u, 2047u, 2049u, 40960u}) {
        const std::string path = WriteFile("image.bin", std::vector<std::uint8_t>(size, 0));
        const Result result = RunCli({"show", path});
        EXPECT_EQ(result.code, kExitBadFile) << size;
        EXPECT_NE(result.err.find("holds " + std::to_string(size) + " bytes"), std::string::npos) << result.err;
        EXPECT_TRUE(result.out.empty());
    }
}

TEST_F(CliTest, ShowDecodesTheDefaultImage)
{
    const std::string path = WriteFile("default.bin", Resource("VOSKEN2Data_Cfg1"));
    const Result result = RunCli({"show", path});
    ASSERT_EQ(result.code, kExitOk) << result.err;
    for (const char* expected : {"* level 2   1600 DPI  #FF00FF", "level 6   8000 DPI  #FFFF00",
                                 "Key mode 1 (office)  [active]", "Key3  Right Click             010200",
                                 "Key9  Fire Key                0600F0", "Lighting: MCU flowing LED, on",
                                 "current mode: 2 (Multicolor)", "LEDs: 10, step 1, brightness full",
                                 "Fire key: fires while held, interval 48 ms", "10  0E05D9           0  #FFFFFF",
                                 "Sensor orientation: 180°", "Identity: vendor 255, product 255"})
        EXPECT_NE(result.out.find(expected), std::string::npos) << expected << "\n" << result.out;
    EXPECT_EQ(result.out.find("failed its check"), std::string::npos);
}

TEST_F(CliTest, ShowNamesButtonsInTheChosenLanguage)
{
    const std::string path = WriteFile("led.bin", Resource("Default_LED"));
    const Result english = RunCli({"show", path, "--json"});
    const Result chinese = RunCli({"show", path, "--json", "--language", "3"});
    ASSERT_EQ(english.code, kExitOk);
    ASSERT_EQ(chinese.code, kExitOk);
    const auto en = nlohmann::json::parse(english.out);
    const auto zh = nlohmann::json::parse(chinese.out);
    EXPECT_EQ(en["key_modes"][0]["keys"][5]["name"], "Desktop");
    EXPECT_EQ(en["key_modes"][0]["keys"][7]["name"], "LED Mode");
    EXPECT_EQ(zh["language"], 3);
    EXPECT_EQ(zh["key_modes"][0]["keys"][5]["code"], "020807");
    EXPECT_NE(zh["key_modes"][0]["keys"][5]["name"], "Desktop");
    EXPECT_FALSE(zh["key_modes"][0]["keys"][5]["name"].get<std::string>().empty());
}

TEST_F(CliTest, ShowJsonCarriesTheSameValuesAsTheText)
{
    const std::string path = WriteFile("default.bin", Resource("VOSKEN2Data_Cfg1"));
    const Result result = RunCli({"show", path, "--json"});
    ASSERT_EQ(result.code, kExitOk);
    const auto report = nlohmann::json::parse(result.out);
    ASSERT_EQ(report["dpi_levels"].size(), 6u);
    EXPECT_EQ(report["dpi_levels"][1]["dpi"], 1600);
    EXPECT_EQ(report["dpi_levels"][1]["active"], true);
    EXPECT_EQ(report["key_modes"][1]["keys"][0]["code"], "010100");
    EXPECT_EQ(report["lighting"]["family"], "MCULED");
    EXPECT_EQ(report["fire_key"]["continuous"], true);
    EXPECT_EQ(report["fire_key"]["interval_ms"], 48);
    EXPECT_EQ(report["fire_macro_tables"][0]["colour"], "#FF0000");
    EXPECT_EQ(report["identity"]["vendor"], 255);
}

TEST_F(CliTest, ShowReplacesDamagedSectionsAndSaysSo)
{
    const std::string path = WriteFile("erased.bin", std::vector<std::uint8_t>(2048, 0xFF));
    const Result result = RunCli({"show", path, "--json"});
    ASSERT_EQ(result.code, kExitOk);
    const auto report = nlohmann::json::parse(result.out);
    EXPECT_EQ(report["sections"]["parameter_a"], false);
    EXPECT_EQ(report["sections"]["profile"], false);
    // The built-in defaults: four levels, key 9 the LED switch; the replaced level pair 01 FE
    // makes level 2 active.
    EXPECT_EQ(report["dpi_levels"].size(), 4u);
    EXPECT_EQ(report["dpi_levels"][1]["active"], true);
    EXPECT_EQ(report["key_modes"][0]["keys"][8]["name"], "LED ON/OFF");
    const Result text = RunCli({"show", path});
    EXPECT_NE(text.out.find("button assignments section failed its check"), std::string::npos);
}

TEST(CliProgramTest, TheInstalledProgramRunsTheSameCommands)
{
    const std::string command = std::string(QELTRA3K_CLI_PATH) + " resource --list";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_NE(output.find("VOSKEN2Data_Cfg1\t2048"), std::string::npos);
}

}  // namespace
}  // namespace qeltra3k::cli
