// The tool's device commands end to end in the process: the controller's workflows against
// the virtual mouse (and its driver), its faults, and what the tool prints and exits with.
#include <nlohmann/json.hpp>

#include <condition_variable>
#include <mutex>

#include "DeviceCliFixture.h"
#include "macros/MacroRecord.h"

namespace qeltra3k::cli::testing {
namespace {

constexpr std::size_t kStretch = config::kSettingsStretchLength;
const std::string kNoDeviceText = "Please Connect the USB Device\n\nPlease check your device is attached to USB port";
const std::string kRefusedText = "The mouse manufacturer or product id error";
const std::string kNotReadyText = "Finding the specified device";

TEST_F(DeviceCliTest, ReadsTheMouseAfterPlugIn)
{
    const Bytes memory = Resource("Default_LED");
    SetMemory(memory);

    const Result settings = Run({"read", "-o", PathOf("settings.bin")});
    ASSERT_EQ(settings.code, kExitOk) << settings.err;
    EXPECT_EQ(ReadBytes(PathOf("settings.bin")), Bytes(memory.begin(), memory.begin() + kStretch));

    const Result full = Run({"read", "--full", "-o", PathOf("full.bin")});
    ASSERT_EQ(full.code, kExitOk) << full.err;
    EXPECT_EQ(ReadBytes(PathOf("full.bin")), memory);

    const Result shown = Run({"show", "--json"});
    ASSERT_EQ(shown.code, kExitOk) << shown.err;
    const auto report = nlohmann::json::parse(shown.out);
    EXPECT_EQ(report["key_modes"][0]["keys"][5]["name"], "Desktop");
    EXPECT_EQ(report["sections"]["profile"], true);
    // Reading changed nothing on the mouse.
    EXPECT_EQ(Memory(), memory);
}

TEST_F(DeviceCliTest, DeviceOptionsMayStandBeforeTheCommand)
{
    SetMemory(Resource("VOSKEN2Data_Cfg1"));
    const Result result =
        RunBare({"--virtual-mouse=" + mouseFile.string(), "--language", "3", "show", "--json"});
    ASSERT_EQ(result.code, kExitOk) << result.err;
    EXPECT_EQ(nlohmann::json::parse(result.out)["language"], 3);
}

TEST_F(DeviceCliTest, ApplyWritesTheImagesSectionsAndTheSlotsItsButtonsUse)
{
    const Bytes original = Resource("VOSKEN2Data_Cfg1");
    SetMemory(original);

    // Key 4 plays device slot 2, which the image holds; slot 3 holds a macro no button uses.
    Bytes image = WithKeyCode(original, 4, config::KeyCode::WithAddress(0x06, 0x0221));
    const Bytes reload = {0x00, 0x05, 0xA1, 0xFE, 0x0C, 0x21, 0x8B};
    macros::MacroRecord record;
    record.name = *macros::NameFromText("Reload");
    std::copy(reload.begin(), reload.end(), record.body.begin());
    std::copy(record.name.begin(), record.name.end(), image.begin() + 0x200);
    std::copy(record.body.begin(), record.body.end(), image.begin() + 0x220);
    record.name = *macros::NameFromText("Unused");
    std::copy(record.name.begin(), record.name.end(), image.begin() + 0x300);
    std::copy(record.body.begin(), record.body.end(), image.begin() + 0x320);
    // And other fire macros.
    const Bytes preset = Resource("fireMacro_2");
    std::copy(preset.begin(), preset.end(), image.begin() + 0x500);
    WriteBytes(PathOf("changed.bin"), image);

    const Result result = Run({"apply", PathOf("changed.bin")});
    ASSERT_EQ(result.code, kExitOk) << result.err;
    const Bytes memory = Memory();
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + kStretch, memory.begin()));
    EXPECT_TRUE(std::equal(image.begin() + 0x200, image.begin() + 0x300, memory.begin() + 0x200));
    EXPECT_TRUE(std::equal(original.begin() + 0x300, original.begin() + 0x400, memory.begin() + 0x300));
    EXPECT_TRUE(std::equal(preset.begin(), preset.end(), memory.begin() + 0x500));

    // The settings stretch alone, as `read` writes it, changes the sections only.
    const Bytes stretch(original.begin(), original.begin() + kStretch);
    WriteBytes(PathOf("stretch.bin"), stretch);
    ASSERT_EQ(Run({"apply", PathOf("stretch.bin")}).code, kExitOk);
    const Bytes after = Memory();
    EXPECT_TRUE(std::equal(stretch.begin(), stretch.end(), after.begin()));
    EXPECT_TRUE(std::equal(memory.begin() + 0x100, memory.end(), after.begin() + 0x100));
}

TEST_F(DeviceCliTest, ApplyRefusesAnImageThatWouldPutDefaultsOnTheMouse)
{
    const Bytes original = Resource("VOSKEN2Data_Cfg1");
    SetMemory(original);
    Bytes broken = WithKeyCode(original, 3, {0x01, 0x04, 0x00});
    broken[0x40 + 54] ^= 0x01;  // the profile checksum
    WriteBytes(PathOf("broken.bin"), broken);
    WriteBytes(PathOf("short.bin"), Bytes(1000, 0));

    struct Case {
        std::string file;
        const char* message;
    };
    for (const Case& c : {Case{"broken.bin", "the button assignments section fails its check"},
                          Case{"short.bin", "holds 1000 bytes; apply takes a 2048-byte image"},
                          Case{"missing.bin", "cannot read"}}) {
        const Result result = Run({"apply", PathOf(c.file)});
        EXPECT_EQ(result.code, kExitBadFile) << c.file;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
    EXPECT_EQ(Memory(), original);
}

TEST_F(DeviceCliTest, ResetsWriteTheDefaultImageVerified)
{
    struct Case {
        const char* which;
        const char* image;
    };
    for (const Case& c : {Case{"1", "VOSKEN2Data_Cfg1"}, Case{"2", "VOSKEN2Data_Cfg2"}, Case{"3", "VOSKEN2Data_Cfg3"},
                          Case{"cpi", "Default_CPI"}, Case{"led", "Default_LED"}}) {
        // A mouse that differs from every default in a macro byte and the DPI levels.
        Bytes start = Resource("VOSKEN2Data_Cfg2");
        start[0x7F0] = 0x42;
        SetMemory(start);
        const Result result = Run({"reset", c.which});
        EXPECT_EQ(result.code, kExitOk) << c.which << ": " << result.err;
        EXPECT_EQ(Memory(), Resource(c.image)) << c.which;
    }
}

TEST_F(DeviceCliTest, AByteThatWillNotStickFailsTheVerifiedWrite)
{
    Bytes start = Resource("VOSKEN2Data_Cfg1");
    const std::uint8_t wanted = start[0x5F3];
    start[0x5F3] = static_cast<std::uint8_t>(~wanted);
    SetMemory(start);

    const Result result = Run({"reset", "1", "--vm-fault=stuck:0x5F3"});
    EXPECT_EQ(result.code, kExitVerifyFailed);
    EXPECT_NE(result.err.find("Fail"), std::string::npos) << result.err;
    // Everything else was written; the stuck byte kept its value.
    Bytes expected = Resource("VOSKEN2Data_Cfg1");
    expected[0x5F3] = static_cast<std::uint8_t>(~wanted);
    EXPECT_EQ(Memory(), expected);
}

TEST_F(DeviceCliTest, ALostChunkIsRepairedByTheSectionChecks)
{
    // Chunk 3 carries bytes 18 .. 23 of every block read: DPI levels of parameter A.
    SetMemory(Resource("VOSKEN2Data_Cfg2"));
    const Result result = Run({"show", "--json", "--vm-fault=lose-chunk:3"});
    ASSERT_EQ(result.code, kExitOk) << result.err;
    const auto report = nlohmann::json::parse(result.out);
    EXPECT_EQ(report["sections"]["parameter_a"], false);
    EXPECT_EQ(report["sections"]["profile"], true);
    // The built-in defaults stand in for the damaged section: four levels.
    EXPECT_EQ(report["dpi_levels"].size(), 4u);

    // The file holds the bytes as they came; the lost ones read as erased memory.
    ASSERT_EQ(Run({"read", "-o", PathOf("lost.bin"), "--vm-fault=lose-chunk:3"}).code, kExitOk);
    const Bytes read = ReadBytes(PathOf("lost.bin"));
    ASSERT_EQ(read.size(), kStretch);
    EXPECT_EQ(Bytes(read.begin() + 18, read.begin() + 24), Bytes(6, 0xFF));
}

TEST_F(DeviceCliTest, IdentificationFailuresEndWithTheirMessageAndCode)
{
    Bytes foreign = Resource("VOSKEN2Data_Cfg2");
    foreign[0x36] = 0x12;
    foreign[0x37] = 0x34;
    struct Case {
        const char* name;
        Bytes memory;
        std::vector<std::string> faults;
        int code;
        std::string message;
    };
    const Bytes normal = Resource("VOSKEN2Data_Cfg2");
    const Case cases[] = {
        {"ids of neither pair", foreign, {}, kExitRefused, kRefusedText},
        {"memory not ready", normal, {"--vm-fault=not-ready"}, kExitNotReady, kNotReadyText},
        {"unknown chip", normal, {"--vm-fault=chip:0x11"}, kExitNotReady, kNotReadyText},
        {"no answer", normal, {"--vm-fault", "no-answer"}, kExitNotReady, "the mouse did not answer"},
        {"slow but answering", normal, {"--vm-fault=slow:3"}, kExitOk, ""},
    };
    for (const Case& c : cases) {
        SetMemory(c.memory);
        std::vector<std::string> args{"read", "--full", "-o", PathOf("out.bin")};
        args.insert(args.end(), c.faults.begin(), c.faults.end());
        const Result result = Run(args);
        EXPECT_EQ(result.code, c.code) << c.name << ": " << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << c.name << ": " << result.err;
        // A refused or silent mouse is not read: no file.
        EXPECT_EQ(fs::exists(PathOf("out.bin")), c.code == kExitOk) << c.name;
        EXPECT_EQ(Memory(), c.memory) << c.name;
        fs::remove(PathOf("out.bin"));
    }
}

TEST_F(DeviceCliTest, WithoutAMouseEveryDeviceCommandSaysSo)
{
    // No virtual mouse and no interface of the machine.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"show"}, {"read", "-o", PathOf("x.bin")}, {"reset", "1"}, {"key-test"}}) {
        const Result result = RunBare(args);
        EXPECT_EQ(result.code, kExitNoDevice) << args[0];
        EXPECT_NE(result.err.find(kNoDeviceText), std::string::npos) << result.err;
        EXPECT_TRUE(result.out.empty()) << result.out;
    }
    EXPECT_FALSE(fs::exists(PathOf("x.bin")));
}

TEST_F(DeviceCliTest, AMousePulledOutDuringATransferLeavesEveryFileAsItWas)
{
    const Bytes original = Resource("Default_LED");
    WriteBytes(PathOf("profile.bin"), Resource("VOSKEN2Data_Cfg2"));
    WriteBytes(PathOf("image.bin"), WithKeyCode(original, 3, {0x01, 0x04, 0x00}));
    struct Case {
        std::vector<std::string> args;
        const char* unplugAfter;  // feature calls: connecting takes about a hundred
        const char* output;       // a file the command would make
    };
    const Case cases[] = {
        {{"show"}, "50", nullptr},
        {{"read", "-o", PathOf("settings.bin")}, "50", "settings.bin"},
        {{"read", "--full", "-o", PathOf("full.bin")}, "300", "full.bin"},
        {{"save-profile", PathOf("saved")}, "300", "saved.bin"},
        {{"load-profile", PathOf("profile.bin")}, "300", nullptr},
        {{"reset", "2"}, "300", nullptr},
        {{"apply", PathOf("image.bin")}, "250", nullptr},
    };
    for (const Case& c : cases) {
        SetMemory(original);
        std::vector<std::string> args = c.args;
        args.push_back(std::string("--vm-fault=unplug-after:") + c.unplugAfter);
        const Result result = Run(args);
        EXPECT_EQ(result.code, kExitNoDevice) << c.args[0] << ": " << result.err;
        EXPECT_NE(result.err.find(kNoDeviceText), std::string::npos) << c.args[0] << ": " << result.err;
        EXPECT_EQ(Memory(), original) << c.args[0];
        if (c.output != nullptr) {
            EXPECT_FALSE(fs::exists(PathOf(c.output))) << c.args[0];
        }
        if (c.args[0] == "show") {
            EXPECT_TRUE(result.out.empty()) << result.out;
        }
    }
}

TEST_F(DeviceCliTest, SavedProfileLoadsBackIntoTheMouse)
{
    const Bytes original = Resource("Default_LED");
    SetMemory(original);
    // The dialog adds ".bin"; a name that has it already is the file meant.
    for (const auto& [given, written] : {std::pair{"first", "first.bin"}, std::pair{"second.bin", "second.bin"}}) {
        const Result saved = Run({"save-profile", PathOf(given)});
        ASSERT_EQ(saved.code, kExitOk) << saved.err;
        EXPECT_NE(saved.out.find(PathOf(written)), std::string::npos) << saved.out;
        EXPECT_EQ(ReadBytes(PathOf(written)), original);
    }

    ASSERT_EQ(Run({"reset", "1"}).code, kExitOk);
    ASSERT_EQ(Memory(), Resource("VOSKEN2Data_Cfg1"));
    const Result loaded = Run({"load-profile", PathOf("first.bin")});
    ASSERT_EQ(loaded.code, kExitOk) << loaded.err;
    EXPECT_EQ(Memory(), original);
}

TEST_F(DeviceCliTest, AShortProfileChangesOnlyItsOwnLengthOfTheMouse)
{
    // The mouse holds macros and fire macros beyond the settings; a 100-byte profile must
    // not take them away.
    Bytes start = Resource("VOSKEN2Data_Cfg1");
    const Bytes preset = Resource("fireMacro_1");
    std::copy(preset.begin(), preset.end(), start.begin() + 0x500);
    std::fill(start.begin() + 0x220, start.begin() + 0x230, 0x5A);
    SetMemory(start);
    const Bytes other = Resource("VOSKEN2Data_Cfg3");
    WriteBytes(PathOf("short.bin"), Bytes(other.begin(), other.begin() + 100));

    const Result result = Run({"load-profile", PathOf("short.bin")});
    ASSERT_EQ(result.code, kExitOk) << result.err;
    Bytes expected = start;
    std::copy(other.begin(), other.begin() + 100, expected.begin());
    EXPECT_EQ(Memory(), expected);
}

// Driver-mode sections of a driver image: parameter A and B, the profile, the fire key.
Bytes DriverSections(const Bytes& image)
{
    Bytes sections(image.begin(), image.begin() + 56);
    sections.insert(sections.end(), image.begin() + 64, image.begin() + 119);
    sections.insert(sections.end(), image.begin() + 242, image.begin() + 253);
    return sections;
}

// A driver image with key 3 of key mode 1 made Middle Click (profile at 64, checksum last).
Bytes WithMiddleClickOnKey3(Bytes image)
{
    const std::size_t key3 = 64 + 2 * 3;
    image[key3] = 0x01;
    image[key3 + 1] = 0x04;
    image[key3 + 2] = 0x00;
    std::uint8_t sum = 0;
    for (std::size_t i = 64; i < 64 + 54; ++i)
        sum = static_cast<std::uint8_t>(sum + image[i]);
    image[64 + 54] = static_cast<std::uint8_t>(sum ^ 0x5A);
    return image;
}

TEST_F(DeviceCliTest, DriverModeAppliesImagesAndSavesAndLoadsProfilesThroughTheDriver)
{
    SetMemory(Resource("VOSKEN2Data_Cfg1"));
    const Result saved = Run({"save-profile", PathOf("driver"), "--driver-mode"});
    ASSERT_EQ(saved.code, kExitOk) << saved.err;
    const Bytes profile = ReadBytes(PathOf("driver.bin"));
    ASSERT_EQ(profile.size(), config::kDriverImageSize);
    EXPECT_EQ(DriverSections(profile), DriverSections(ReadBytes(DriverFile())));

    const Bytes changed = WithMiddleClickOnKey3(profile);
    WriteBytes(PathOf("changed.bin"), changed);
    const Result applied = Run({"apply", PathOf("changed.bin"), "--driver-mode"});
    ASSERT_EQ(applied.code, kExitOk) << applied.err;
    Bytes driver = ReadBytes(DriverFile());
    EXPECT_EQ(Bytes(driver.begin() + 64, driver.begin() + 119), Bytes(changed.begin() + 64, changed.begin() + 119));

    const Result loaded = Run({"load-profile", PathOf("driver.bin"), "--driver-mode"});
    ASSERT_EQ(loaded.code, kExitOk) << loaded.err;
    EXPECT_EQ(DriverSections(ReadBytes(DriverFile())), DriverSections(profile));
    // The state record went to the mouse and into its file.
    const Bytes state(profile.begin() + 160, profile.begin() + 164);
    EXPECT_EQ(ReadBytes(environment.dataFolder / "DriverTempCPIAndLedData.bin"), state);
    // The mouse's own memory is not driver mode's business.
    EXPECT_EQ(Memory(), Resource("VOSKEN2Data_Cfg1"));
}

TEST_F(DeviceCliTest, KeyTestCountsDownAndEnds)
{
    SetMemory(Resource("VOSKEN2Data_Cfg1"));
    const Result result = Run({"key-test"});
    ASSERT_EQ(result.code, kExitOk) << result.err;
    EXPECT_NE(result.out.find("5...\n4...\n3...\n2...\n1...\n0...\n"), std::string::npos) << result.out;
}

TEST_F(DeviceCliTest, KeyTestTellsThePressedButton)
{
    SetMemory(Resource("VOSKEN2Data_Cfg1"));
    device::VirtualMouse* mouse = nullptr;
    environment.onVirtualMouse = [&](device::VirtualMouse& attached) {
        mouse = &attached;
        attached.SetKeys(0x0004);  // Key3 held down
    };
    // The button is let go during its flash (the flash's 500 ms pauses); the first countdown
    // tick waits for that, so the poller has had its chance before the test can end.
    std::mutex mutex;
    std::condition_variable released;
    bool flashed = false;
    bool firstTick = true;
    waiting.onPause = [&](std::chrono::milliseconds duration) {
        std::unique_lock lock(mutex);
        if (duration == std::chrono::milliseconds(500) && !flashed) {
            mouse->SetKeys(0);
            flashed = true;
            released.notify_all();
        } else if (duration == std::chrono::milliseconds(1000) && firstTick) {
            firstTick = false;
            released.wait_for(lock, std::chrono::seconds(10), [&] { return flashed; });
        }
    };
    const Result result = Run({"key-test"});
    ASSERT_EQ(result.code, kExitOk) << result.err;
    EXPECT_NE(result.out.find("Key3 pressed\n"), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("Key3 pressed", result.out.find("Key3 pressed") + 1), std::string::npos)
        << "one press, one line: " << result.out;
    EXPECT_TRUE(result.out.ends_with("0...\n")) << result.out;
}

TEST_F(DeviceCliTest, WrongUseOfTheDeviceCommandsIsRefused)
{
    SetMemory(Resource("VOSKEN2Data_Cfg1"));
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* message;
    };
    const Case cases[] = {
        {{"read"}, kExitUsage, "usage: qeltra3k read"},
        {{"read", "-o"}, kExitUsage, "usage: qeltra3k read"},
        {{"reset", "4"}, kExitUsage, "usage: qeltra3k reset"},
        {{"reset"}, kExitUsage, "usage: qeltra3k reset"},
        {{"apply"}, kExitUsage, "usage: qeltra3k apply"},
        {{"save-profile", "a", "b"}, kExitUsage, "usage: qeltra3k save-profile"},
        {{"key-test", "now"}, kExitUsage, "usage: qeltra3k key-test"},
        {{"show", "x.bin", "--virtual-mouse"}, kExitUsage, "not both"},
        {{"show", "--language", "5", "--virtual-mouse"}, kExitUsage, "--language takes 1"},
        {{"show", "--vm-fault=stuck:0x36"}, kExitUsage, "needs --virtual-mouse"},
        {{"show", "--virtual-mouse", "--vm-fault=sideways"}, kExitUsage, "--vm-fault=sideways"},
        {{"show", "--virtual-mouse=" + PathOf("no/such/folder/mouse.bin")}, kExitBadFile, "virtual mouse:"},
        {{"load-profile", PathOf("missing.bin"), "--virtual-mouse"}, kExitBadFile, "cannot read"},
    };
    for (const Case& c : cases) {
        const Result result = RunBare(c.args);
        EXPECT_EQ(result.code, c.code) << c.message;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << c.message << ": " << result.err;
    }
    // A mouse memory file that is not an image is left as it is.
    WriteBytes(PathOf("odd.bin"), Bytes(100, 7));
    const Result odd = RunBare({"show", "--virtual-mouse=" + PathOf("odd.bin")});
    EXPECT_EQ(odd.code, kExitBadFile);
    EXPECT_EQ(ReadBytes(PathOf("odd.bin")), Bytes(100, 7));
}

}  // namespace
}  // namespace qeltra3k::cli::testing
