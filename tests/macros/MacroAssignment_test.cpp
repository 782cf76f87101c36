#include "macros/MacroAssignment.h"

#include <initializer_list>
#include <vector>

#include <gtest/gtest.h>

#include "MacroTestBytes.h"
#include "config/Conversion.h"

namespace qeltra3k::macros {
namespace {

using config::Profile;
using testing::Body;

constexpr std::string_view kLeft = "Left Click";
constexpr std::string_view kLeftCode = "010100";
constexpr std::string_view kOffCode = "000000";

UsedSlots Slots(std::initializer_list<int> numbers)
{
    UsedSlots used;
    for (const int number : numbers)
        used.set(static_cast<std::size_t>(number - 1));
    return used;
}

MacroName Name(const char* text) { return NameFromText(text).value(); }

// A library macro: a click (LeftDown, 96 ms, LeftUp) with the given stop flag.
MacroRecord Macro(const char* name, std::uint8_t stopFlag = kStopAfterMacro, std::uint8_t delay = 0x0C)
{
    MacroRecord record;
    record.name = Name(name);
    const auto body = Body({stopFlag, 0x05, 0xA1, 0xFE, delay, 0x21, 0x00}, BodyLayout::Eeprom);
    std::copy(body.begin(), body.end(), record.body.begin());
    record.body[6] = static_cast<std::uint8_t>((0x05 + 0xA1 + 0xFE + delay + 0x21) % 256 ^ 0x5A);
    return record;
}

DriverMacroRecord DriverMacro(const char* name, std::uint8_t stopFlag = kStopAfterMacro, std::uint8_t fill = 0x11)
{
    DriverMacroRecord record;
    record.name = Name(name);
    record.body.fill(fill);
    record.body[StopFlagOffset] = stopFlag;
    return record;
}

std::string CodeText(std::optional<config::KeyCode> code) { return code ? config::KeyCodeText(*code) : "none"; }

// ------------------------------------------------------------------------------ key codes

TEST(MacroAssignmentCodes, StopFlagAndAddressMakeTheCode)
{
    struct Case {
        std::optional<config::KeyCode> code;
        const char* expected;
    };
    const Case cases[] = {
        {SlotMacroKeyCode(kStopAfterMacro, 0), "060121"},
        {SlotMacroKeyCode(kStopOnRelease, 4), "0E0621"},
        {SlotMacroKeyCode(kStopAfterMacro, 5), "060721"},
        {SlotMacroKeyCode(kStopAfterMacro, 6), "none"},  // there is no seventh slot
        {SlotMacroKeyCode(2, 0), "none"},                // neither stop flag
        {SlotMacroKeyCode(0xFF, 0), "none"},
        {DriverMacroKeyCode(kStopAfterMacro, 2), "061120"},
        {DriverMacroKeyCode(kStopOnRelease, 0), "0E0120"},
        {DriverMacroKeyCode(kStopAfterMacro, kDriverMacroListCapacity - 1), "069120"},
        {DriverMacroKeyCode(kStopAfterMacro, kDriverMacroListCapacity), "none"},  // not in the driver image
        {DriverMacroKeyCode(3, 1), "none"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CodeText(c.code), c.expected) << c.expected;
    EXPECT_EQ(kDriverMacroListCapacity, 19u);
}

TEST(MacroAssignmentCodes, UsedSlotsComeFromTheEighteenCodeTexts)
{
    KeyCodeTexts texts;
    for (auto& profile : texts)
        profile.fill(std::string(kOffCode));
    texts[0][0] = kLeftCode;
    texts[0][1] = "0600F0";  // the fire key: no slot
    texts[0][2] = "0E0221";  // slot 2, stop on release
    texts[1][8] = "060721";  // slot 6 from profile 2
    texts[1][3] = "061120";  // a driver address, no slot
    texts[1][4] = "020421";  // a keyboard code whose data look like slot 4
    texts[1][5] = "not a code";
    EXPECT_EQ(FindUsedSlots(texts), Slots({2, 6}));
}

// ------------------------------------------------------------------------------ slot searches

struct SearchCase {
    UsedSlots used;
    std::vector<int> namedSlots;  // slots holding a macro of the picked name
    int sixSlots;
    int fourSlots;
};

class MacroAssignmentSearch : public ::testing::Test {
protected:
    std::array<MacroRecord, kSlotCount> slots{};
    const MacroName picked = Name("Picked");

    void NameSlots(const std::vector<int>& numbers)
    {
        for (std::size_t i = 0; i < kSlotCount; ++i)
            slots[i].name = Name(("Other" + std::to_string(i)).c_str());
        for (const int number : numbers)
            slots[static_cast<std::size_t>(number - 1)].name = picked;
    }
};

TEST_F(MacroAssignmentSearch, WorkedExamples)
{
    const SearchCase cases[] = {
        {Slots({}), {}, 1, 1},
        {Slots({1, 2}), {}, 3, 3},
        {Slots({2}), {}, 1, 1},
        {Slots({1, 3}), {}, 2, 2},
        {Slots({1, 4}), {}, 2, 2},  // the fallback n, which is free
        {Slots({1, 2, 4, 5}), {}, 3, 3},
        {Slots({1, 2, 3, 4, 5, 6}), {}, 7, 5},
        {Slots({1, 2}), {1}, 1, 1},           // the macro is in slot 1 already
        {Slots({1, 4, 5, 6}), {}, 2, 2},      // the fallback n = 4 is used: lowest free
        {Slots({1, 2, 3, 4}), {}, 5, 5},
        {Slots({1, 2, 3, 4}), {2}, 2, 2},
        {Slots({1, 2, 3, 4, 5}), {6}, 6, 5},  // a named slot beyond the packed ones
        {Slots({1, 2, 3, 4, 5, 6}), {3}, 3, 3},
        {Slots({1, 2, 3}), {2, 5}, 4, 2},     // two slots share the name: ambiguous for six
        {Slots({1, 3}), {1}, 2, 2},           // with a gap the names are not looked at
        {Slots({3}), {}, 1, 4},               // four slots: "3 used, 4 free" wins
        {Slots({5, 6}), {}, 2, 1},            // the engineering view sees no used slot
        {Slots({1}), {5}, 5, 2},
    };
    for (const SearchCase& c : cases) {
        NameSlots(c.namedSlots);
        EXPECT_EQ(FindBaseMacroCount(c.used, picked, slots), c.sixSlots) << c.used;
        EXPECT_EQ(FindBaseMacroIndex(c.used, picked, slots), c.fourSlots) << c.used;
    }
}

// Every set of used slots, with the name nowhere, in one slot or in two: a result is never a
// slot another macro uses, unless it holds this macro's name, and whenever the six-slot
// search stays within slots 1 to 4 the four-slot search finds a slot too.
TEST_F(MacroAssignmentSearch, NeverTakesAnotherMacrosSlot)
{
    const std::vector<int> placements[] = {{}, {1}, {2}, {4}, {5}, {6}, {1, 3}, {2, 6}};
    for (unsigned bits = 0; bits < (1u << kSlotCount); ++bits) {
        const UsedSlots used(bits);
        for (const auto& named : placements) {
            NameSlots(named);
            const int six = FindBaseMacroCount(used, picked, slots);
            const int four = FindBaseMacroIndex(used, picked, slots);
            ASSERT_GE(six, 1);
            ASSERT_LE(six, kNoFreeSlotOfSix);
            ASSERT_GE(four, 1);
            ASSERT_LE(four, kNoFreeSlotOfFour);
            if (six <= 6 && used.test(static_cast<std::size_t>(six - 1))) {
                EXPECT_EQ(slots[static_cast<std::size_t>(six - 1)].name, picked) << used << " six " << six;
            }
            if (four <= 4 && used.test(static_cast<std::size_t>(four - 1))) {
                EXPECT_EQ(slots[static_cast<std::size_t>(four - 1)].name, picked) << used << " four " << four;
            }
            if (six <= 4) {
                EXPECT_LE(four, 4) << used;
            }
        }
    }
}

// ------------------------------------------------------------------------------ EEPROM mode

class MacroAssignmentEeprom : public ::testing::Test {
protected:
    MacroAssignmentEeprom()
    {
        for (std::size_t p = 0; p < config::kProfileCount; ++p) {
            for (std::size_t key = 1; key <= config::kKeysPerProfile; ++key)
                Store(static_cast<Profile>(p), key, kOffCode, "Key Off");
            Store(static_cast<Profile>(p), 1, kLeftCode, kLeft);
        }
        const char* names[] = {"A", "B", "C", "D", "E"};
        for (std::size_t i = 0; i < std::size(names); ++i)
            library[i] = Macro(names[i], i == 2 || i == 4 ? kStopOnRelease : kStopAfterMacro);
        library[5] = Macro("Odd", 2);
    }

    void Store(Profile profile, std::size_t key, std::string_view code, std::string_view caption)
    {
        ASSERT_TRUE(config::StoreKeyCode(form, dataBuf, profile, key, code));
        form.keyCaptions[static_cast<std::size_t>(profile)][key - 1] = caption;
    }

    AssignmentResult Pick(std::size_t macro, std::size_t key, PickView view = PickView::MainPage,
                          Profile profile = Profile::One)
    {
        return AssignMacroToSlot(state, library, {macro, profile, key, view}, kLeft);
    }

    std::string CodeOf(std::size_t key, Profile profile = Profile::One) const
    {
        return form.keyCodeTexts[static_cast<std::size_t>(profile)][key - 1];
    }
    std::string BytesOf(std::size_t key, Profile profile = Profile::One) const
    {
        return CodeText(config::ReadKeyCode(dataBuf, *config::KeyCodeOffset(profile, key)));
    }

    config::FormModel form;
    config::DataBuf dataBuf{};
    DeviceMacroSlots slots;
    config::DeviceImage image{};
    std::array<std::string, kSlotCount> slotNameList{};
    std::array<std::string, kSlotCount> namesFromMouse{};
    EepromAssignmentState state{form, dataBuf, slots, image, slotNameList, namesFromMouse};
    LibraryRecords library{};
};

TEST_F(MacroAssignmentEeprom, FirstMacrosFillTheSlotsInOrder)
{
    const AssignmentResult first = Pick(0, 4);
    ASSERT_EQ(first.outcome, AssignmentOutcome::Assigned);
    EXPECT_EQ(first.place, 0u);
    EXPECT_EQ(first.codeText, "060121");
    EXPECT_EQ(CodeOf(4), "060121");
    EXPECT_EQ(BytesOf(4), "060121");
    EXPECT_EQ(form.keyCaptions[0][3], "A");
    EXPECT_EQ(slots.Slots()[0], library[0]);
    EXPECT_EQ(slotNameList[0], "A");
    // The copy is in macro block A of the image too: name at 0x100, body at 0x120.
    EXPECT_TRUE(std::equal(library[0].name.begin(), library[0].name.end(), image.begin() + 0x100));
    EXPECT_TRUE(std::equal(library[0].body.begin(), library[0].body.end(), image.begin() + 0x120));

    EXPECT_EQ(Pick(1, 5).codeText, "060221");
    EXPECT_EQ(slots.Slots()[1], library[1]);
    EXPECT_EQ(slotNameList[1], "B");
}

TEST_F(MacroAssignmentEeprom, TheSameMacroSharesItsSlot)
{
    ASSERT_TRUE(Pick(0, 4));
    const AssignmentResult second = Pick(0, 5);
    ASSERT_TRUE(second);
    EXPECT_EQ(second.codeText, "060121");
    EXPECT_EQ(slots.Slots()[1], MacroRecord{});
}

TEST_F(MacroAssignmentEeprom, AButtonsOwnOldMacroFreesItsSlotForTheNewPick)
{
    ASSERT_TRUE(Pick(0, 4));  // A in slot 1
    ASSERT_TRUE(Pick(1, 5));  // B in slot 2
    const AssignmentResult repick = Pick(2, 5);  // C, stop on release, replaces B
    ASSERT_TRUE(repick);
    EXPECT_EQ(repick.codeText, "0E0221");
    EXPECT_EQ(slots.Slots()[1], library[2]);
    EXPECT_EQ(slotNameList[1], "C");
    EXPECT_EQ(slots.Slots()[0], library[0]);
}

TEST_F(MacroAssignmentEeprom, EngineeringViewStopsAtFourSlotsTheMainPageGoesOn)
{
    for (std::size_t i = 0; i < 4; ++i)
        ASSERT_TRUE(Pick(i, i + 2));
    const config::DataBuf dataBefore = dataBuf;
    const config::FormModel formBefore = form;
    const config::DeviceImage imageBefore = image;

    const AssignmentResult ignored = Pick(4, 6, PickView::Engineering);
    EXPECT_EQ(ignored.outcome, AssignmentOutcome::NoFreeSlot);
    EXPECT_TRUE(AssignmentMessageKey(ignored.outcome).empty());
    EXPECT_EQ(dataBuf, dataBefore);
    EXPECT_EQ(form.keyCodeTexts, formBefore.keyCodeTexts);
    EXPECT_EQ(form.keyCaptions, formBefore.keyCaptions);
    EXPECT_EQ(image, imageBefore);

    const AssignmentResult mainPage = Pick(4, 6);
    ASSERT_TRUE(mainPage);
    EXPECT_EQ(mainPage.codeText, "0E0621");
    EXPECT_EQ(slots.Slots()[4], library[4]);
    // Slots 5 and 6 live in macro block B.
    EXPECT_TRUE(std::equal(library[4].name.begin(), library[4].name.end(), image.begin() + 0x600));
}

TEST_F(MacroAssignmentEeprom, EngineeringViewChoosesAmongFourSlotsOfTheClickedProfile)
{
    for (std::size_t i = 0; i < 3; ++i)
        ASSERT_TRUE(Pick(i, i + 2));  // A, B, C in slots 1 to 3
    // A second copy of B's name in slot 5 makes the name ambiguous for six slots only.
    ASSERT_TRUE(slots.SetSlot(4, library[1]));

    const AssignmentResult engineering = Pick(1, 7, PickView::Engineering, Profile::Two);
    ASSERT_TRUE(engineering);
    EXPECT_EQ(engineering.codeText, "060221");
    EXPECT_EQ(CodeOf(7, Profile::Two), "060221");
    EXPECT_EQ(BytesOf(7, Profile::Two), "060221");
    EXPECT_EQ(form.keyCaptions[1][6], "B");
    EXPECT_EQ(CodeOf(7, Profile::One), kOffCode);

    EXPECT_EQ(Pick(1, 8).codeText, "060421");
}

TEST_F(MacroAssignmentEeprom, RefusalsChangeNothing)
{
    ASSERT_TRUE(Pick(0, 4));
    namesFromMouse[0] = "A";
    struct Case {
        const char* what;
        MacroPick pick;
        AssignmentOutcome outcome;
        std::string_view messageKey;
    };
    const Case cases[] = {
        {"the only left click", {1, Profile::One, 1, PickView::MainPage}, AssignmentOutcome::KeepLeftKey, "Str108"},
        {"the only left click, engineering view", {1, Profile::Two, 1, PickView::Engineering},
         AssignmentOutcome::KeepLeftKey, "Str108"},
        {"stop flag 2", {5, Profile::One, 6, PickView::MainPage}, AssignmentOutcome::BadStopFlag, "Str102"},
        {"no such macro", {6, Profile::One, 6, PickView::MainPage}, AssignmentOutcome::InvalidPick, ""},
        {"key 0", {1, Profile::One, 0, PickView::MainPage}, AssignmentOutcome::InvalidPick, ""},
        {"key 10", {1, Profile::One, 10, PickView::MainPage}, AssignmentOutcome::InvalidPick, ""},
    };
    for (const Case& c : cases) {
        const config::DataBuf dataBefore = dataBuf;
        const config::FormModel formBefore = form;
        const config::DeviceImage imageBefore = image;
        const auto slotsBefore = slots.Slots();
        const auto listBefore = slotNameList;
        const auto fromMouseBefore = namesFromMouse;

        const AssignmentResult result = AssignMacroToSlot(state, library, c.pick, kLeft);
        EXPECT_EQ(result.outcome, c.outcome) << c.what;
        EXPECT_EQ(AssignmentMessageKey(result.outcome), c.messageKey) << c.what;
        EXPECT_EQ(dataBuf, dataBefore) << c.what;
        EXPECT_EQ(form.keyCodeTexts, formBefore.keyCodeTexts) << c.what;
        EXPECT_EQ(form.keyCaptions, formBefore.keyCaptions) << c.what;
        EXPECT_EQ(image, imageBefore) << c.what;
        EXPECT_EQ(slots.Slots(), slotsBefore) << c.what;
        EXPECT_EQ(slotNameList, listBefore) << c.what;
        EXPECT_EQ(namesFromMouse, fromMouseBefore) << c.what;
    }
    // With a second left click the same pick for key 1 goes through.
    Store(Profile::One, 8, kLeftCode, kLeft);
    EXPECT_TRUE(Pick(1, 1));
}

// ------------------------------------------------------------------------------ Apply

TEST(MacroAssignmentApply, WritesTheUsedSlotsTheMouseDoesNotHold)
{
    KeyCodeTexts texts;
    for (auto& profile : texts)
        profile.fill(std::string(kOffCode));
    const std::array<std::string, kSlotCount> noNames{};

    EXPECT_TRUE(SlotsToWrite(texts, noNames, noNames).empty());

    // Key 3 of key mode 2 plays slot 3; nothing was read from the mouse.
    texts[1][2] = "060321";
    const std::vector<SlotWrite> expected{{2, 0x300, 0x320}};
    std::array<std::string, kSlotCount> list{"A", "B", "C", "", "", ""};
    EXPECT_EQ(SlotsToWrite(texts, list, noNames), expected);

    texts[0][4] = "0E0121";  // slot 1, which the mouse holds
    texts[0][5] = "060621";  // slot 5, never read and unnamed
    texts[0][6] = "0600F0";  // the fire key
    std::array<std::string, kSlotCount> fromMouse{"A", "", "A", "", "", ""};
    // Slot 3's name read from the mouse is A, which is slot 1's name, not slot 3's.
    const std::vector<SlotWrite> writes{{2, 0x300, 0x320}, {4, 0x600, 0x620}};
    EXPECT_EQ(SlotsToWrite(texts, list, fromMouse), writes);

    fromMouse[2] = "C";
    EXPECT_EQ(SlotsToWrite(texts, list, fromMouse), (std::vector<SlotWrite>{{4, 0x600, 0x620}}));
}

TEST_F(MacroAssignmentEeprom, AMacroPickedAgainIsWrittenAgain)
{
    ASSERT_TRUE(Pick(0, 4));
    // As after a read of the mouse: it holds A in slot 1.
    namesFromMouse[0] = "A";
    ASSERT_TRUE(SlotsToWrite(form.keyCodeTexts, slotNameList, namesFromMouse).empty());

    // A is edited in the library and picked again: same name, new body.
    library[0] = Macro("A", kStopAfterMacro, 0x20);
    ASSERT_EQ(Pick(0, 5).codeText, "060121");
    EXPECT_EQ(slots.Slots()[0], library[0]);
    EXPECT_EQ(SlotsToWrite(form.keyCodeTexts, slotNameList, namesFromMouse),
              (std::vector<SlotWrite>{{0, 0x100, 0x120}}));
}

// ------------------------------------------------------------------------------ driver mode

class MacroAssignmentDriver : public ::testing::Test {
protected:
    MacroAssignmentDriver()
    {
        for (std::size_t p = 0; p < config::kProfileCount; ++p) {
            for (std::size_t key = 1; key <= config::kKeysPerProfile; ++key) {
                config::StoreKeyCode(form, dataBuf, static_cast<Profile>(p), key, kOffCode);
                form.keyCaptions[p][key - 1] = "Key Off";
            }
            config::StoreKeyCode(form, dataBuf, static_cast<Profile>(p), 1, kLeftCode);
            form.keyCaptions[p][0] = kLeft;
        }
        library = {DriverMacro("A", kStopAfterMacro, 0x11), DriverMacro("B", kStopOnRelease, 0x22),
                   DriverMacro("C", kStopAfterMacro, 0x33), DriverMacro("Odd", 7, 0x44)};
    }

    AssignmentResult Pick(std::size_t macro, std::size_t key, Profile profile = Profile::One,
                          PickView view = PickView::MainPage)
    {
        return ChangeProfile1StringForDriverMode(state, library, {macro, profile, key, view}, kLeft);
    }

    config::FormModel form;
    config::DataBuf dataBuf{};
    DriverMacroList driverList;
    DriverAssignmentState state{form, dataBuf, driverList};
    std::vector<DriverMacroRecord> library;
};

TEST_F(MacroAssignmentDriver, SameMacroSameCodeNewMacroAppended)
{
    driverList.Append(DriverMacro("X"));
    driverList.Append(DriverMacro("Y"));

    const AssignmentResult first = Pick(2, 4);
    ASSERT_TRUE(first);
    EXPECT_EQ(first.place, 2u);
    EXPECT_EQ(first.codeText, "061120");
    EXPECT_EQ(form.keyCodeTexts[0][3], "061120");
    EXPECT_EQ(CodeText(config::ReadKeyCode(dataBuf, *config::KeyCodeOffset(Profile::One, 4))), "061120");
    EXPECT_EQ(form.keyCaptions[0][3], "C");
    ASSERT_EQ(driverList.Records().size(), 3u);
    EXPECT_EQ(driverList.Records()[2], library[2]);
    EXPECT_EQ(driverList.Names()[2], "C");

    EXPECT_EQ(Pick(2, 5).codeText, "061120");
    EXPECT_EQ(driverList.Records().size(), 3u);
}

TEST_F(MacroAssignmentDriver, AnExistingRecordKeepsItsBodyAndGivesItsStopFlag)
{
    DriverMacroRecord older = DriverMacro("A", kStopOnRelease, 0x99);
    driverList.Append(older);
    const AssignmentResult result = Pick(0, 3);
    ASSERT_TRUE(result);
    EXPECT_EQ(result.codeText, "0E0120");
    ASSERT_EQ(driverList.Records().size(), 1u);
    EXPECT_EQ(driverList.Records()[0], older);
}

TEST_F(MacroAssignmentDriver, EngineeringViewAssignsTheClickedButtonInItsProfile)
{
    const AssignmentResult result = Pick(1, 6, Profile::Two, PickView::Engineering);
    ASSERT_TRUE(result);
    EXPECT_EQ(result.codeText, "0E0120");
    EXPECT_EQ(form.keyCodeTexts[1][5], "0E0120");
    EXPECT_EQ(form.keyCaptions[1][5], "B");
    EXPECT_EQ(form.keyCodeTexts[0][5], kOffCode);
}

TEST_F(MacroAssignmentDriver, RefusalsChangeNothing)
{
    struct Case {
        const char* what;
        MacroPick pick;
        std::size_t listSize;  // records in the driver list before the pick
        AssignmentOutcome outcome;
        std::string_view messageKey;
    };
    const Case cases[] = {
        {"the only left click", {0, Profile::One, 1, PickView::MainPage}, 0, AssignmentOutcome::KeepLeftKey, "Str108"},
        {"stop flag 7", {3, Profile::One, 4, PickView::MainPage}, 0, AssignmentOutcome::BadStopFlag, "Str102"},
        {"no such macro", {4, Profile::One, 4, PickView::MainPage}, 0, AssignmentOutcome::InvalidPick, ""},
        {"driver list full", {0, Profile::One, 4, PickView::MainPage}, kDriverMacroListCapacity,
         AssignmentOutcome::DriverListFull, "Str104"},
    };
    for (const Case& c : cases) {
        DriverMacroList fresh;
        for (std::size_t i = 0; i < c.listSize; ++i)
            fresh.Append(DriverMacro(("Z" + std::to_string(i)).c_str()));
        driverList = fresh;
        const config::DataBuf dataBefore = dataBuf;
        const config::FormModel formBefore = form;

        const AssignmentResult result = ChangeProfile1StringForDriverMode(state, library, c.pick, kLeft);
        EXPECT_EQ(result.outcome, c.outcome) << c.what;
        EXPECT_EQ(AssignmentMessageKey(result.outcome), c.messageKey) << c.what;
        EXPECT_EQ(dataBuf, dataBefore) << c.what;
        EXPECT_EQ(form.keyCodeTexts, formBefore.keyCodeTexts) << c.what;
        EXPECT_EQ(form.keyCaptions, formBefore.keyCaptions) << c.what;
        EXPECT_EQ(driverList.Records(), fresh.Records()) << c.what;
    }
}

TEST_F(MacroAssignmentDriver, AFullListStillServesTheMacrosItHolds)
{
    for (std::size_t i = 0; i + 1 < kDriverMacroListCapacity; ++i)
        driverList.Append(DriverMacro(("Z" + std::to_string(i)).c_str()));
    driverList.Append(library[0]);  // A is the last record the driver image holds
    const AssignmentResult result = Pick(0, 4);
    ASSERT_TRUE(result);
    EXPECT_EQ(result.codeText, "069120");
    EXPECT_EQ(driverList.Records().size(), kDriverMacroListCapacity);
}

}  // namespace
}  // namespace qeltra3k::macros
