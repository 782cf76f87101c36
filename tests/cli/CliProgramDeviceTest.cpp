// A few runs of the built qeltra3k program itself against the virtual mouse, with its real
// pauses: the data folder from the environment, and the exit codes a script sees.
#include <sys/wait.h>

#include <cstdio>

#include "DeviceCliFixture.h"

namespace qeltra3k::cli::testing {
namespace {

struct ProgramRun {
    int code;
    std::string out;
    std::string err;
};

class CliProgramDeviceTest : public ::testing::Test {
protected:
    // Runs the program with XDG_DATA_HOME pointing into the test's folder.
    ProgramRun RunProgram(const std::string& args)
    {
        const fs::path errFile = folder / "stderr.txt";
        const std::string command = "XDG_DATA_HOME='" + (folder / "xdg").string() + "' '" + QELTRA3K_CLI_PATH + "' " +
                                    args + " 2>'" + errFile.string() + "'";
        FILE* pipe = popen(command.c_str(), "r");
        EXPECT_NE(pipe, nullptr);
        if (pipe == nullptr)
            return {-1, "", ""};
        std::string out;
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe))
            out += buffer;
        const int status = pclose(pipe);
        const Bytes err = ReadBytes(errFile);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out, std::string(err.begin(), err.end())};
    }

    device::testing::TempFolder folder;
};

TEST_F(CliProgramDeviceTest, ShowReadsTheVirtualMouseKeptInTheDataFolder)
{
    const ProgramRun run = RunProgram("show --virtual-mouse");
    ASSERT_EQ(run.code, kExitOk) << run.err;
    EXPECT_TRUE(run.out.starts_with("Configuration read from the mouse\n")) << run.out;
    EXPECT_NE(run.out.find("Key9  Fire Key                0600F0"), std::string::npos) << run.out;
    // A new memory file starts as the first default configuration.
    EXPECT_EQ(ReadBytes(folder / "xdg" / "qeltra3k" / kVirtualMouseFileName), Resource("VOSKEN2Data_Cfg1"));
}

TEST_F(CliProgramDeviceTest, FailuresOfIdentificationExitWithTheirOwnCodes)
{
    Bytes foreign = Resource("VOSKEN2Data_Cfg1");
    foreign[0x36] = 0x12;
    foreign[0x37] = 0x34;
    WriteBytes(folder / "foreign.bin", foreign);
    WriteBytes(folder / "mouse.bin", Resource("VOSKEN2Data_Cfg1"));
    struct Case {
        std::string args;
        int code;
        std::string err;
    };
    const Case cases[] = {
        {"--virtual-mouse='" + (folder / "foreign.bin").string() + "' read --full -o '" +
             (folder / "out.bin").string() + "'",
         kExitRefused, "The mouse manufacturer or product id error\n"},
        {"show --virtual-mouse='" + (folder / "mouse.bin").string() + "' --vm-fault=not-ready", kExitNotReady,
         "Finding the specified device\n"},
    };
    for (const Case& c : cases) {
        const ProgramRun run = RunProgram(c.args);
        EXPECT_EQ(run.code, c.code) << c.args << ": " << run.err;
        EXPECT_EQ(run.err, c.err) << c.args;
        EXPECT_TRUE(run.out.empty()) << run.out;
    }
    EXPECT_FALSE(fs::exists(folder / "out.bin"));
}

}  // namespace
}  // namespace qeltra3k::cli::testing
