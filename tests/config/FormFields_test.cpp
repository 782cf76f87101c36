#include "config/FormTestSupport.h"

namespace qeltra3k::config {
namespace {

using namespace formtest;

// --- Field corrections ---------------------------------------------------------------------------

TEST(FormModelFields, CorrectionsOfEachField)
{
    struct Row {
        const char* field;
        std::string (*correct)(std::string_view);
        const char* typed;
        const char* shown;
    };
    const Row rows[] = {
        {"id", CorrectIdText, "300", "255"},          {"id", CorrectIdText, "", "255"},
        {"id", CorrectIdText, "0", "0"},              {"id", CorrectIdText, "255", "255"},
        {"repeat", CorrectRepeatText, "", "2"},       {"repeat", CorrectRepeatText, "0", "1"},
        {"repeat", CorrectRepeatText, "256", "255"},  {"repeat", CorrectRepeatText, "255", "255"},
        {"delay", CorrectDelayTimeText, "", "0"},     {"delay", CorrectDelayTimeText, "-1", "0"},
        {"delay", CorrectDelayTimeText, "256", "255"},
        {"fire time", CorrectFireTimeText, "", "100"}, {"fire time", CorrectFireTimeText, "256", "255"},
        {"fire time", CorrectFireTimeText, "0", "0"},
        {"colour", CorrectColourText, "300", "255"},  {"colour", CorrectColourText, "", "0"},
        {"LED count", CorrectLedCountTyping, "2", "4"}, {"LED count", CorrectLedCountTyping, "3", "4"},
        {"LED count", CorrectLedCountTyping, "0", "4"}, {"LED count", CorrectLedCountTyping, "50", "13"},
        {"LED count", CorrectLedCountTyping, "", "13"}, {"LED count", CorrectLedCountTyping, "1", "1"},
        {"LED count", CorrectLedCountTyping, "12", "12"},
        {"LED count leave", CorrectLedCountOnLeave, "1", "4"}, {"LED count leave", CorrectLedCountOnLeave, "11", "11"},
        {"step", CorrectStepText, "8", "7"},          {"step", CorrectStepText, "", "0"},
        {"Y offset", CorrectYOffsetText, "-", "-"},   {"Y offset", CorrectYOffsetText, "", "0"},
        {"Y offset", CorrectYOffsetText, "255", "-1"}, {"Y offset", CorrectYOffsetText, "128", "-128"},
        {"Y offset", CorrectYOffsetText, "127", "127"}, {"Y offset", CorrectYOffsetText, "-129", "-128"},
        {"Y offset", CorrectYOffsetText, "300", "127"},
        // The edits accept digits only; anything else counts as an empty field.
        {"id", CorrectIdText, "12a", "255"},          {"colour", CorrectColourText, "-5", "0"},
        {"colour", CorrectColourText, "99999999999999999999", "255"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.correct(row.typed), row.shown) << row.field << " typed \"" << row.typed << "\"";
}

TEST(FormModelFields, ValuesReadThroughTheCorrections)
{
    EXPECT_EQ(IdValue("300"), 255);
    EXPECT_EQ(IdValue("007"), 7);
    EXPECT_EQ(FireTimeValue(""), 100);
    EXPECT_EQ(ColourValue("256"), 255);
    EXPECT_EQ(LedCountValue("1"), 4);
    EXPECT_EQ(StepValue("9"), 7);
    EXPECT_EQ(RepeatValue("0"), 1);
    EXPECT_EQ(YOffsetByte("-1"), 0xFF);
    EXPECT_EQ(YOffsetByte("-128"), 0x80);
    EXPECT_EQ(YOffsetByte("-"), std::nullopt);
    EXPECT_EQ(YOffsetText(0xFF), "-1");
    EXPECT_EQ(YOffsetText(0x7F), "127");
}

}  // namespace
}  // namespace qeltra3k::config
