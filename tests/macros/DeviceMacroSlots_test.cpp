#include "macros/DeviceMacroSlots.h"

#include <algorithm>
#include <numeric>

#include <gtest/gtest.h>

#include "MacroTestBytes.h"
#include "device/AtomicFile.h"
#include "device/DeviceFakes.h"
#include "device/FeatureProtocol.h"
#include "device/VirtualMouse.h"

namespace qeltra3k::macros {
namespace {

using config::DeviceImage;
using testing::Body;
using testing::Bytes;

const Bytes kClickBody = Body({0x00, 0x05, 0xA1, 0xFE, 0x0C, 0x21, 0x8B}, BodyLayout::Eeprom);

void PutSlot(DeviceImage& image, std::size_t slot, std::initializer_list<std::uint8_t> nameHead, const Bytes& body)
{
    const std::size_t address = kSlotRecordAddresses[slot];
    std::fill_n(image.begin() + address, 32, 0x00);
    std::copy(nameHead.begin(), nameHead.end(), image.begin() + address);
    std::copy(body.begin(), body.end(), image.begin() + address + 32);
}

Bytes BodyOf(const MacroRecord& record) { return Bytes(record.body.begin(), record.body.end()); }

DeviceImage Patterned()
{
    DeviceImage image;
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 13 + 5);
    return image;
}

TEST(DeviceMacroSlots, ReadCheckAndName)
{
    DeviceImage image = Patterned();
    Bytes badChecksum = kClickBody;
    badChecksum[6] = 0x8C;
    Bytes lengthPastEnd = kClickBody;
    lengthPastEnd[1] = 0xDF;  // L = 223: the checksum would lie outside the body
    PutSlot(image, 0, {0x00, 0x4D, 0x00, 0x31}, kClickBody);     // "M1", valid
    PutSlot(image, 1, {0x00, 0x41}, badChecksum);                // "A", fails
    PutSlot(image, 2, {0xFF, 0xFF, 0x00, 0x41}, kClickBody);     // erased name
    PutSlot(image, 3, {0x00, 0x42}, lengthPastEnd);              // "B", fails
    PutSlot(image, 4, {0x00, 0x43}, badChecksum);                // slot 5: not checked
    PutSlot(image, 5, {0x00, 0x00, 0x00, 0x44}, Body({}, BodyLayout::Eeprom));

    DeviceMacroSlots slots;
    slots.ReadAndRefreshMacro(image);

    const Bytes empty(224, 0x00);
    EXPECT_EQ(BodyOf(slots.Slots()[0]), kClickBody);
    EXPECT_EQ(BodyOf(slots.Slots()[1]), empty);
    EXPECT_EQ(BodyOf(slots.Slots()[2]), kClickBody);
    EXPECT_EQ(BodyOf(slots.Slots()[3]), empty);
    EXPECT_EQ(BodyOf(slots.Slots()[4]), badChecksum);
    EXPECT_EQ(slots.Names(), (std::array<std::string, kSlotCount>{"M1", "A", "", "B", "C", ""}));
    EXPECT_EQ(slots.Slots()[1].name, NameFromText("A").value());  // the name stays
}

TEST(DeviceMacroSlots, SlotCheck)
{
    struct Case {
        const char* what;
        Bytes body;
        bool valid;
    };
    const Case cases[]{
        {"example", kClickBody, true},
        {"all zero", Bytes(224, 0x00), false},
        {"erased", Bytes(224, 0xFF), false},
        {"largest length", BuildBody(0, Bytes(221, 0xA1), BodyLayout::Eeprom).value(), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(SlotBodyIsValid(c.body), c.valid);
    }
}

TEST(DeviceMacroSlots, WritingBackTouchesOnlyTheMacroBlocks)
{
    const DeviceImage original = Patterned();
    DeviceMacroSlots slots;
    slots.ReadAndRefreshMacro(original);

    MacroRecord record;
    record.name = NameFromText("Fifth").value();
    std::copy(kClickBody.begin(), kClickBody.end(), record.body.begin());
    ASSERT_TRUE(slots.SetSlot(4, record));
    EXPECT_FALSE(slots.SetSlot(6, record));
    EXPECT_EQ(slots.Names()[4], "Fifth");

    DeviceImage image = original;
    slots.RefreshBaseMacroBuf(image);
    for (std::size_t i = 0; i < image.size(); ++i) {
        const bool inBlocks = (i >= 0x100 && i < 0x500) || i >= 0x600;
        if (!inBlocks) {
            ASSERT_EQ(image[i], original[i]) << i;
        }
    }
    EXPECT_EQ(Bytes(image.begin() + 0x620, image.begin() + 0x700), kClickBody);
    EXPECT_EQ(image[0x601], 'F');

    // Reading the written image back gives the same table.
    DeviceMacroSlots again;
    again.ReadAndRefreshMacro(image);
    EXPECT_EQ(again.Slots(), slots.Slots());
    EXPECT_EQ(again.Names(), slots.Names());
}

// --- Base macro block ---------------------------------------------------------------------

class BaseMacroTest : public ::testing::Test {
protected:
    Bytes Block(std::size_t size)
    {
        DeviceImage source = Patterned();
        PutSlot(source, 0, {0x00, 0x58}, kClickBody);
        Bytes block(source.begin() + 0x100, source.begin() + 0x500);
        block.resize(size, 0xEE);
        return block;
    }
    std::filesystem::path Write(const Bytes& bytes)
    {
        const auto path = folder / "base.bin";
        std::string error;
        EXPECT_TRUE(device::WriteFileAtomically(path, bytes, error)) << error;
        return path;
    }

    device::testing::TempFolder folder;
    DeviceImage image{};
    DeviceMacroSlots slots;
};

TEST_F(BaseMacroTest, ImportReplacesBlockAAndRefreshesTheSlots)
{
    for (std::size_t size : {1024u, 1500u}) {
        SCOPED_TRACE(size);
        image.fill(0x00);
        const Bytes block = Block(size);
        ASSERT_TRUE(ImportBaseMacroFile(Write(block), image, slots));
        EXPECT_TRUE(std::equal(image.begin() + 0x100, image.begin() + 0x500, block.begin()));
        EXPECT_EQ(image[0x500], 0x00);
        EXPECT_EQ(slots.Names()[0], "X");
        EXPECT_EQ(BodyOf(slots.Slots()[0]), kClickBody);
    }
}

TEST_F(BaseMacroTest, ShortOrMissingFilesChangeNothing)
{
    image.fill(0x33);
    const FileResult shortFile = ImportBaseMacroFile(Write(Block(1000)), image, slots);
    EXPECT_FALSE(shortFile);
    EXPECT_NE(shortFile.error.find("1000"), std::string::npos) << shortFile.error;
    EXPECT_FALSE(ImportBaseMacroFile(folder / "absent.bin", image, slots));
    EXPECT_TRUE(std::all_of(image.begin(), image.end(), [](std::uint8_t b) { return b == 0x33; }));
    EXPECT_EQ(slots.Names()[0], "");
}

TEST_F(BaseMacroTest, TransferToTheMouse)
{
    struct Case {
        const char* what;
        device::FaultSwitches faults;
        device::WriteFrameOutcome result;
        bool written;
    };
    device::FaultSwitches notReady;
    notReady.notReady = true;
    device::FaultSwitches unknownChip;
    unknownChip.chipSource = 0x00;
    device::FaultSwitches silent;
    silent.noAnswer = true;
    const Case cases[]{
        {"ready", {}, device::WriteFrameOutcome::Written, true},
        {"memory not ready", notReady, device::WriteFrameOutcome::MemoryNotReady, false},
        {"unknown chip", unknownChip, device::WriteFrameOutcome::MemoryNotReady, false},
        {"no answer", silent, device::WriteFrameOutcome::Stopped, false},
    };
    const DeviceImage before = Patterned();
    image = before;
    const Bytes block = Block(1024);
    std::copy(block.begin(), block.end(), image.begin() + 0x100);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        device::VirtualMouseOptions options;
        options.faults = c.faults;
        device::VirtualMouse mouse(before, options);
        device::RecordingWaiting waiting;
        device::FeatureProtocol protocol(waiting);
        ASSERT_TRUE(protocol.SetDevice(&mouse));

        EXPECT_EQ(WriteBaseMacroBlock(protocol, image).outcome, c.result);
        const DeviceImage memory = mouse.Memory();
        EXPECT_EQ(memory == image, c.written);
        if (!c.written) {
            EXPECT_EQ(memory, before);
        }
    }
}

}  // namespace
}  // namespace qeltra3k::macros
