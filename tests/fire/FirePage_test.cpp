#include "fire/FirePage.h"

#include <gtest/gtest.h>

#include "FireTestSupport.h"

namespace qeltra3k::fire {
namespace {

using testing::Record;

struct CorrectionCase {
    std::string_view typed;
    std::string_view shown;
};

TEST(FireRowCorrections, CountXYAndTime)
{
    struct Field {
        std::string_view name;
        std::string (*correct)(std::string_view);
        std::vector<CorrectionCase> cases;
    };
    const Field fields[] = {
        {"count", CorrectFireCountText,
         {{"300", "256"}, {"", "1"}, {"0", "1"}, {"-4", "1"}, {"256", "256"}, {"257", "256"}, {"1", "1"},
          {"12", "12"}, {"99999999999", "256"}}},
        {"X", CorrectFireXText,
         {{"-", "-"}, {"", "0"}, {"-129", "-128"}, {"-128", "-128"}, {"128", "127"}, {"127", "127"}, {"-5", "-5"}}},
        {"Y", CorrectFireYText, {{"", "0"}, {"128", "127"}, {"127", "127"}, {"-3", "0"}, {"40", "40"}}},
        {"time", CorrectFireTimeText,
         {{"2047", "2040"}, {"2040", "2040"}, {"", "0"}, {"15", "15"}, {"-8", "0"}}},
    };
    for (const Field& field : fields) {
        for (const CorrectionCase& c : field.cases)
            EXPECT_EQ(field.correct(c.typed), c.shown) << field.name << " \"" << c.typed << "\"";
    }
}

TEST(FireRowCorrections, OffsetKeepsTheRecordsYWithinASignedByte)
{
    struct Case {
        std::string_view typed;
        int y;
        std::string_view shown;
    };
    const Case cases[] = {
        {"50", 100, "27"},   {"27", 100, "27"},  {"-200", 0, "-128"}, {"-", 50, "-"},    {"", 10, "0"},
        {"300", 0, "127"},   {"127", 1, "126"},  {"-128", 0, "-128"}, {"-100", -50, "-78"}, {"-20", 100, "-20"},
        {"10", 127, "0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CorrectFireYOffsetText(c.typed, c.y), c.shown) << "\"" << c.typed << "\" with Y " << c.y;
}

// A fire macro page over the PC-game preset, gun 1 shown.
class FirePageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LoadFireMacroPreset(macros, 1));
        for (std::size_t k = 0; k < kFireMacroCount; ++k) {
            dataBuf[config::field::FireMacroOffsetTable + 2 * k] = 0x00;
            dataBuf[config::field::FireMacroOffsetTable + 2 * k + 1] = 0xFF;
            form.edt_YOffset[k] = "0";
            form.edt_FireMacroColor[k] = {"1", "2", "3"};
        }
        ASSERT_TRUE(SelectGun(page, 1, macros, dataBuf, form));
    }

    const FireMacroRecord& RecordOf(std::size_t k) const { return macros.Records()[k - 1]; }
    std::uint8_t OffsetByte(std::size_t k) const { return dataBuf[config::field::FireMacroOffsetTable + 2 * (k - 1)]; }
    std::uint8_t OffsetComplement(std::size_t k) const
    {
        return dataBuf[config::field::FireMacroOffsetTable + 2 * (k - 1) + 1];
    }

    FireMacros macros;
    config::DataBuf dataBuf{};
    config::FormModel form;
    FirePage page;
};

TEST_F(FirePageTest, EditsStoreTheCorrectedValueAndRenewTheChecksum)
{
    struct Case {
        std::string_view name;
        bool (*edit)(FirePage&, int, std::string_view, FireMacros&);
        std::string FireRow::*field;
        std::string_view typed;
        std::string_view shown;
        std::size_t position;
        std::uint8_t stored;
    };
    const Case cases[] = {
        {"count 300", EditFireCount, &FireRow::count, "300", "256", 3, 0xFF},
        {"count cleared", EditFireCount, &FireRow::count, "", "1", 3, 0x00},
        {"count 5", EditFireCount, &FireRow::count, "5", "5", 3, 0x04},
        {"X -129", EditFireX, &FireRow::x, "-129", "-128", 7, 0x80},
        {"X -1", EditFireX, &FireRow::x, "-1", "-1", 7, 0xFF},
        {"time 2047", EditFireTime, &FireRow::time, "2047", "2040", 11, 0xFF},
        {"time 15", EditFireTime, &FireRow::time, "15", "15", 11, 0x01},
        {"time 7", EditFireTime, &FireRow::time, "7", "7", 11, 0x00},
    };
    for (const Case& c : cases) {
        SetUp();
        EXPECT_TRUE(c.edit(page, 1, c.typed, macros)) << c.name;
        EXPECT_EQ(page.rows[0].*c.field, c.shown) << c.name;
        EXPECT_EQ(RecordOf(1)[c.position], c.stored) << c.name;
        EXPECT_EQ(FireMacroRecordChecksum(RecordOf(1)), RecordOf(1)[13]) << c.name;
        // Nothing but the operand and the checksum moved.
        FireMacroRecord expected{};
        std::copy_n(FireMacroPreset(1)->begin(), expected.size(), expected.begin());
        expected[c.position] = c.stored;
        WriteFireMacroRecordChecksum(expected);
        EXPECT_EQ(RecordOf(1), expected) << c.name;
    }
}

TEST_F(FirePageTest, ALoneMinusIsLeftForTypingAndStoresNothing)
{
    const FireMacroRecord before = RecordOf(1);
    EXPECT_FALSE(EditFireX(page, 1, "-", macros));
    EXPECT_EQ(page.rows[0].x, "-");
    EXPECT_FALSE(EditFireYOffset(page, 1, "-", dataBuf, form));
    EXPECT_EQ(page.rows[0].yOffset, "-");
    EXPECT_EQ(RecordOf(1), before);
    EXPECT_EQ(OffsetByte(1), 0x00);
    EXPECT_EQ(form.edt_YOffset[0], "0");
}

TEST_F(FirePageTest, YResetsTheOffsetAndTheOffsetIsHeldAgainstY)
{
    ASSERT_TRUE(EditFireYOffset(page, 1, "-20", dataBuf, form));
    EXPECT_EQ(OffsetByte(1), 0xEC);
    EXPECT_EQ(OffsetComplement(1), 0x13);
    EXPECT_EQ(form.edt_YOffset[0], "-20");

    EXPECT_TRUE(EditFireY(page, 1, "100", macros, dataBuf, form));
    EXPECT_EQ(RecordOf(1)[9], 100);
    EXPECT_EQ(page.rows[0].yOffset, "0");
    EXPECT_EQ(OffsetByte(1), 0x00);
    EXPECT_EQ(OffsetComplement(1), 0xFF);
    EXPECT_EQ(form.edt_YOffset[0], "0");

    EXPECT_TRUE(EditFireYOffset(page, 1, "50", dataBuf, form));
    EXPECT_EQ(page.rows[0].yOffset, "27");
    EXPECT_EQ(OffsetByte(1), 27);
    EXPECT_EQ(OffsetComplement(1), 255 - 27);
    EXPECT_EQ(form.edt_YOffset[0], "27");
    // The offset lives apart from the record, which keeps its checksum.
    EXPECT_EQ(FireMacroRecordChecksum(RecordOf(1)), RecordOf(1)[13]);

    EXPECT_TRUE(EditFireY(page, 1, "0", macros, dataBuf, form));
    EXPECT_TRUE(EditFireYOffset(page, 1, "-200", dataBuf, form));
    EXPECT_EQ(page.rows[0].yOffset, "-128");
    EXPECT_EQ(OffsetByte(1), 0x80);
}

// The engineer field mirrors the page's offset, so the next form store keeps the page's value
// instead of writing an old one back.
TEST_F(FirePageTest, OffsetSurvivesTheNextFormStore)
{
    ASSERT_TRUE(EditFireYOffset(page, 1, "-7", dataBuf, form));
    config::DataBuf stored = dataBuf;
    config::UIToDataBuf(form, stored);
    EXPECT_EQ(stored[config::field::FireMacroOffsetTable], 0xF9);
    EXPECT_EQ(stored[config::field::FireMacroOffsetTable + 1], 0x06);

    ASSERT_TRUE(EditFireY(page, 1, "30", macros, dataBuf, form));
    config::UIToDataBuf(form, stored);
    EXPECT_EQ(stored[config::field::FireMacroOffsetTable], 0x00);
}

TEST_F(FirePageTest, RecordsWithoutTheEventAreLeftAlone)
{
    // Record 2 is empty; record 3 has a move but no repeat and no delay after the move.
    FireMacroBlock block = macros.Block();
    std::fill_n(block.begin() + 24, 24, 0);
    const FireMacroRecord third = [] {
        FireMacroRecord r = Record("01 06 A1 FE 03 FA 04");
        WriteFireMacroRecordChecksum(r);
        return r;
    }();
    std::copy(third.begin(), third.end(), block.begin() + 48);
    macros.LoadBlock(block);

    for (int gun : {2, 3}) {
        ASSERT_TRUE(SelectGun(page, gun, macros, dataBuf, form));
        const std::size_t k = static_cast<std::size_t>(gun);
        const FireMacroRecord before = RecordOf(k);
        EXPECT_FALSE(EditFireCount(page, 1, "7", macros)) << gun;
        EXPECT_FALSE(EditFireX(page, 1, "7", macros)) << gun;
        EXPECT_FALSE(EditFireTime(page, 1, "80", macros)) << gun;
        EXPECT_EQ(page.rows[0].count, "7") << "the field still shows what was typed";
        EXPECT_EQ(RecordOf(k), before) << gun;
    }
    // Record 3's move can be edited; the lead-in delay stays as it was.
    EXPECT_TRUE(EditFireY(page, 1, "9", macros, dataBuf, form));
    FireMacroRecord expected = Record("01 06 A1 FE 03 FA 09");
    WriteFireMacroRecordChecksum(expected);
    EXPECT_EQ(RecordOf(3), expected);
}

TEST_F(FirePageTest, SelectingAGunShowsItsRowsWhateverTheLayoutCounts)
{
    ASSERT_TRUE(SelectGun(page, 6, macros, dataBuf, form));
    EXPECT_EQ(page.gun, 6);
    EXPECT_EQ(RowFireMacro(6, 1), 6u);
    EXPECT_EQ(RowFireMacro(6, 2), 7u);
    EXPECT_FALSE(RowFireMacro(6, 3));
    EXPECT_EQ(page.rows[0].y, "3");  // fire macro 6
    EXPECT_EQ(page.rows[1].y, "4");  // fire macro 7
    EXPECT_EQ(page.rows[2].y, "0");  // not shown
    EXPECT_EQ(page.rows[0].count, "256");
    EXPECT_EQ(page.rows[0].time, "8");
    EXPECT_TRUE(page.rows[1].stopOnRelease);
    EXPECT_EQ(page.rows[1].colour, FireColourValue(1, 2, 3));

    EXPECT_TRUE(EditFireY(page, 2, "11", macros, dataBuf, form));
    EXPECT_EQ(RecordOf(7)[9], 11);
    EXPECT_FALSE(EditFireY(page, 3, "11", macros, dataBuf, form)) << "gun 6 has no third row";
    EXPECT_FALSE(SelectGun(page, 8, macros, dataBuf, form));
    EXPECT_EQ(page.gun, 6);
}

TEST_F(FirePageTest, OffsetsComeFromTheTableAndColoursFromTheEngineerFields)
{
    dataBuf[config::field::FireMacroOffsetTable + 2 * 8] = 0xFB;  // fire macro 9: -5
    form.edt_FireMacroColor[9] = {"255", "128", "0"};            // fire macro 10
    ASSERT_TRUE(SelectGun(page, 7, macros, dataBuf, form));
    EXPECT_EQ(page.rows[1].yOffset, "-5");
    EXPECT_EQ(page.rows[2].colour, 255u + 256u * 128u);
}

TEST_F(FirePageTest, ErasedRecordsShowZerosAndKeepTheirStopBox)
{
    // Record 8 erased: no row of gun 7 is decoded.
    FireMacroBlock block = macros.Block();
    std::fill_n(block.begin() + 7 * 24, 24, 0xFF);
    macros.LoadBlock(block);
    page.rows[1].stopOnRelease = false;
    ASSERT_TRUE(SelectGun(page, 7, macros, dataBuf, form));
    for (const FireRow& row : page.rows) {
        EXPECT_EQ(row.count, "0");
        EXPECT_EQ(row.x, "0");
        EXPECT_EQ(row.y, "0");
        EXPECT_EQ(row.time, "0");
    }
    EXPECT_FALSE(page.rows[1].stopOnRelease) << "left as it was";
    EXPECT_FALSE(EditFireY(page, 1, "9", macros, dataBuf, form));

    // Record 9 erased instead: rows 1 and 3 are decoded, row 2 shows zeros.
    ASSERT_TRUE(LoadFireMacroPreset(macros, 1));
    block = macros.Block();
    std::fill_n(block.begin() + 8 * 24, 24, 0xFF);
    macros.LoadBlock(block);
    ASSERT_TRUE(SelectGun(page, 7, macros, dataBuf, form));
    EXPECT_EQ(page.rows[0].y, "4");
    EXPECT_EQ(page.rows[1].y, "0");
    EXPECT_EQ(page.rows[1].count, "0");
    EXPECT_EQ(page.rows[2].y, "12");
    EXPECT_EQ(page.rows[2].count, "256");
}

TEST_F(FirePageTest, StopBoxTogglesFlagAndTypeByte)
{
    const std::size_t typeByte = config::field::FireMacroKeyTable;
    EXPECT_EQ(dataBuf[typeByte], 0x0E) << "decoding matched it to the record";
    ASSERT_TRUE(page.rows[0].stopOnRelease);
    const std::uint8_t checksum = RecordOf(1)[13];

    EXPECT_TRUE(ToggleFireStop(page, 1, macros, dataBuf));
    EXPECT_FALSE(page.rows[0].stopOnRelease);
    EXPECT_EQ(RecordOf(1)[0], 0);
    EXPECT_EQ(dataBuf[typeByte], 0x0B);
    EXPECT_EQ(RecordOf(1)[13], checksum);

    EXPECT_TRUE(ToggleFireStop(page, 1, macros, dataBuf));
    EXPECT_EQ(RecordOf(1)[0], 1);
    EXPECT_EQ(dataBuf[typeByte], 0x0E);
    EXPECT_FALSE(ToggleFireStop(page, 2, macros, dataBuf)) << "gun 1 has one row";
}

TEST_F(FirePageTest, ColourGoesToSquareEngineerFieldsAndTable)
{
    ASSERT_TRUE(SelectGun(page, 7, macros, dataBuf, form));
    EXPECT_TRUE(SetFireColour(page, 3, 10, 20, 30, dataBuf, form));
    EXPECT_EQ(page.rows[2].colour, 10u + 256u * 20u + 65536u * 30u);
    EXPECT_EQ(form.edt_FireMacroColor[9].R, "10");
    EXPECT_EQ(form.edt_FireMacroColor[9].G, "20");
    EXPECT_EQ(form.edt_FireMacroColor[9].B, "30");
    const std::size_t entry = config::field::FireMacroColourTable + 3 * 9;
    EXPECT_EQ(dataBuf[entry], 10);
    EXPECT_EQ(dataBuf[entry + 1], 20);
    EXPECT_EQ(dataBuf[entry + 2], 30);
    EXPECT_FALSE(SetFireColour(page, 0, 1, 1, 1, dataBuf, form));
}

TEST(FirePage, InitSetsEveryRowEditToZero)
{
    FirePage page;
    for (FireRow& row : page.rows)
        row = {true, "9", "9", "9", "9", "9", 7};
    InitFireParameter(page);
    for (const FireRow& row : page.rows) {
        EXPECT_EQ(row.count, "0");
        EXPECT_EQ(row.x, "0");
        EXPECT_EQ(row.y, "0");
        EXPECT_EQ(row.yOffset, "0");
        EXPECT_EQ(row.time, "0");
        EXPECT_TRUE(row.stopOnRelease) << "the stop box is not an edit";
    }
}

}  // namespace
}  // namespace qeltra3k::fire
