#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroRecord.h"
#include "macros/MacroRows.h"
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
        {{"show", "x.bin", "--virtual-mouse"}, kExitUsage, "not both"},
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
                                 "Fire key: fires while held, interval 48 ms", "0         #FFFFFF  0E05D9",
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
    EXPECT_EQ(report["fire_macros"][0]["colour"], "#FF0000");
    EXPECT_EQ(report["fire_macros"][0]["key_code"], "0E0501");
    EXPECT_EQ(report["fire_macros"][0]["empty"], true);
    EXPECT_EQ(report["macro_slots"].size(), 6u);
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

// A click with a pause: left down, 96 ms, left up (a body that passes the slot check).
constexpr std::uint8_t kClickBody[] = {0x00, 0x05, 0xA1, 0xFE, 0x0C, 0x21, 0x8B};

macros::MacroRecord NamedRecord(const char* name, std::span<const std::uint8_t> body)
{
    macros::MacroRecord record;
    record.name = *macros::NameFromText(name);
    std::copy(body.begin(), body.end(), record.body.begin());
    return record;
}

TEST_F(CliTest, ShowListsTheDeviceMacroSlotsAndNamesTheButtonsThatPlayThem)
{
    auto image = Resource("Default_LED");
    const auto record = NamedRecord("Reload", kClickBody);
    std::copy(record.name.begin(), record.name.end(), image.begin() + 0x200);
    std::copy(record.body.begin(), record.body.end(), image.begin() + 0x220);
    // Key4 of key mode 1 plays slot 2 (body at 0x0221); the profile checksum follows.
    const std::size_t key4 = 0x40 + 3 * 3;
    image[key4] = 0x06;
    image[key4 + 1] = 0x02;
    image[key4 + 2] = 0x21;
    std::uint8_t sum = 0;
    for (std::size_t i = 0x40; i < 0x40 + 54; ++i)
        sum = static_cast<std::uint8_t>(sum + image[i]);
    image[0x40 + 54] = static_cast<std::uint8_t>(sum ^ 0x5A);
    const std::string path = WriteFile("macro.bin", image);

    const auto report = nlohmann::json::parse(RunCli({"show", path, "--json"}).out);
    EXPECT_EQ(report["sections"]["profile"], true);
    EXPECT_EQ(report["key_modes"][0]["keys"][3]["name"], "Reload");
    EXPECT_EQ(report["macro_slots"][1]["name"], "Reload");
    EXPECT_EQ(report["macro_slots"][1]["events"], nlohmann::json::array({"down LeftKey", "96 ms", "up   LeftKey"}));
    EXPECT_EQ(report["macro_slots"][0]["empty"], true);
    const Result text = RunCli({"show", path});
    EXPECT_NE(text.out.find("slot 2: Reload  [plays to its end, plays 1 time, real time]"), std::string::npos)
        << text.out;
}

TEST_F(CliTest, ShowDecodesTheFireMacros)
{
    auto image = Resource("VOSKEN2Data_Cfg1");
    const auto preset = Resource("fireMacro_2");
    std::copy(preset.begin(), preset.end(), image.begin() + 0x500);
    image[0x500 + 24 * 4] = 0xFF;  // record 5: a stop flag the page does not show
    const auto report = nlohmann::json::parse(RunCli({"show", WriteFile("fire.bin", image), "--json"}).out);
    const auto& first = report["fire_macros"][0];
    EXPECT_EQ(first["stop_on_release"], true);
    EXPECT_EQ(first["count"], 256);
    EXPECT_EQ(first["y"], 9);
    EXPECT_EQ(first["time_ms"], 32);
    EXPECT_EQ(report["fire_macros"][9]["y"], 30);
    EXPECT_TRUE(report["fire_macros"][4]["stop_on_release"].is_null());
}

TEST_F(CliTest, MacrosListsALibraryOfEitherLayout)
{
    macros::LibraryRecords library{};
    library[0] = NamedRecord("Click", kClickBody);
    library[1] = NamedRecord("Nothing yet", {});
    const std::string eeprom = WriteFile("Macro.bin", macros::LibraryBytes(library));
    const Result text = RunCli({"macros", eeprom});
    ASSERT_EQ(text.code, kExitOk) << text.err;
    EXPECT_NE(text.out.find("Macro library, 25600 bytes, 2 macros"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("1: Click  [plays to its end, plays 1 time, real time]\n      down LeftKey\n      96 ms"),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("2: Nothing yet  (no events)"), std::string::npos);

    macros::DriverMacroRecord driverRecord;
    driverRecord.name = *macros::NameFromText("Burst");
    macros::MacroOptions options;
    options.repeat = macros::RepeatMode::Count;
    options.loopCount = 3;
    const macros::Rows rows{macros::HeaderRow(macros::DelayMode::RealTime, 0), macros::ButtonRow(true, 0x01),
                            macros::DelayRow(40), macros::ButtonRow(false, 0x01)};
    ASSERT_EQ(macros::EncodeInto(rows, options, driverRecord).status, macros::EncodeStatus::Ok);
    std::vector<std::uint8_t> bytes(driverRecord.name.begin(), driverRecord.name.end());
    bytes.insert(bytes.end(), driverRecord.body.begin(), driverRecord.body.end());
    bytes.resize(bytes.size() + 100, 0xEE);  // trailing bytes beyond the last whole record
    const auto report = nlohmann::json::parse(RunCli({"macros", WriteFile("Driver_Macro.bin", bytes), "--json",
                                                      "--driver"})
                                                  .out);
    EXPECT_EQ(report["layout"], "driver");
    ASSERT_EQ(report["macros"].size(), 1u);
    EXPECT_EQ(report["macros"][0]["name"], "Burst");
    EXPECT_EQ(report["macros"][0]["repeat"], 3);
    // The repeat around the whole macro is the page's option, not a row.
    EXPECT_EQ(report["macros"][0]["events"], nlohmann::json::array({"down LeftKey", "40 ms", "up   LeftKey"}));
}

TEST_F(CliTest, MacrosReadsShortAndGarbageFilesAsFarAsTheyGo)
{
    std::vector<std::uint8_t> garbage(3000);
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<std::uint8_t>(i * 37 + 11);
    for (const auto& bytes : {std::vector<std::uint8_t>{}, std::vector<std::uint8_t>(100, 0x41), garbage}) {
        const Result result = RunCli({"macros", WriteFile("lib.bin", bytes)});
        EXPECT_EQ(result.code, kExitOk) << result.err;
        EXPECT_NE(result.out.find("Macro library, " + std::to_string(bytes.size()) + " bytes"), std::string::npos)
            << result.out;
        EXPECT_NE(result.out.find("read as far as it goes"), std::string::npos);
    }
    EXPECT_EQ(RunCli({"macros", (dir_ / "missing.bin").string()}).code, kExitBadFile);
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
