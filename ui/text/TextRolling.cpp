#include "ui/text/TextRolling.h"

namespace qeltra3k::text {

namespace {

// Length in bytes of the UTF-8 character that starts `text`; a broken lead byte counts as
// one byte, so a damaged caption still rolls instead of being cut in the middle of nowhere.
std::size_t FirstCharacterLength(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text.front());
    std::size_t length = 1;
    if (lead >= 0xF0)
        length = 4;
    else if (lead >= 0xE0)
        length = 3;
    else if (lead >= 0xC0)
        length = 2;
    return length <= text.size() ? length : 1;
}

}  // namespace

std::string RollOnce(std::string_view text, bool withGap)
{
    if (text.empty())
        return {};
    const std::size_t first = FirstCharacterLength(text);
    std::string rolled(text.substr(first));
    if (withGap)
        rolled += kRollingGap;
    rolled += text.substr(0, first);
    return rolled;
}

void TextRolling::Enter(std::string name, std::string caption)
{
    name_ = std::move(name);
    Restart(std::move(caption));
}

void TextRolling::Restart(std::string caption)
{
    remembered_ = caption;
    rolling_ = std::move(caption);
    counter_ = 0;
}

std::optional<std::string> TextRolling::Tick(bool enabled)
{
    if (!enabled || rolling_.empty())
        return std::nullopt;
    ++counter_;
    if (counter_ > kRollingCounterLimit)
        counter_ = kRollingRestart;
    rolling_ = RollOnce(rolling_, counter_ == 1);
    return rolling_;
}

}  // namespace qeltra3k::text
