#include "device/ReportDescriptor.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

namespace qeltra3k::device {

namespace {

enum class ItemType : std::uint8_t { Main = 0, Global = 1, Local = 2, Reserved = 3 };

// Short item tags (the high nibble of the prefix byte).
namespace main_tag {
constexpr std::uint8_t Input = 0x8;
constexpr std::uint8_t Output = 0x9;
constexpr std::uint8_t Collection = 0xA;
constexpr std::uint8_t Feature = 0xB;
constexpr std::uint8_t EndCollection = 0xC;
}  // namespace main_tag

namespace global_tag {
constexpr std::uint8_t UsagePage = 0x0;
constexpr std::uint8_t ReportSize = 0x7;
constexpr std::uint8_t ReportId = 0x8;
constexpr std::uint8_t ReportCount = 0x9;
constexpr std::uint8_t Push = 0xA;
constexpr std::uint8_t Pop = 0xB;
}  // namespace global_tag

namespace local_tag {
constexpr std::uint8_t Usage = 0x0;
constexpr std::uint8_t UsageMinimum = 0x1;
}  // namespace local_tag

constexpr std::uint8_t LongItemPrefix = 0xFE;
constexpr std::array<std::size_t, 4> kDataSizes = {0, 1, 2, 4};

enum Kind : std::size_t { KindInput, KindOutput, KindFeature, KindCount };

struct MainKind {
    std::uint8_t tag;
    Kind kind;
    const char* name;
};
constexpr std::array<MainKind, 3> kDataItems = {{
    {main_tag::Input, KindInput, "Input"},
    {main_tag::Output, KindOutput, "Output"},
    {main_tag::Feature, KindFeature, "Feature"},
}};

// The global items that decide report layout; the rest (logical and physical ranges,
// units) do not change a length.
struct GlobalState {
    std::uint16_t usagePage = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint8_t reportId = 0;
};

// A usage as written: with 4 data bytes it carries its own page in the high half.
struct PendingUsage {
    std::uint32_t value = 0;
    bool extended = false;
};

struct CollectionBuilder {
    TopLevelCollection collection;
    // Bits per report id, for each kind.
    std::array<std::map<std::uint8_t, std::uint64_t>, KindCount> bits;
};

std::string At(std::size_t offset)
{
    return " at byte " + std::to_string(offset);
}

class Parser {
public:
    explicit Parser(std::span<const std::uint8_t> descriptor) : bytes_(descriptor) {}

    ReportDescriptorLayout Run()
    {
        ReportDescriptorLayout layout;
        layout.problem = Walk();
        if (!layout.problem.empty())
            return layout;
        for (auto& builder : builders_)
            layout.collections.push_back(Finish(builder));
        return layout;
    }

private:
    // Empty when the whole descriptor was read.
    std::string Walk()
    {
        if (bytes_.empty())
            return "the descriptor is empty";
        std::size_t offset = 0;
        while (offset < bytes_.size()) {
            const std::uint8_t prefix = bytes_[offset];
            if (prefix == LongItemPrefix) {
                // Long items define no tag of their own in HID 1.11; skip them whole.
                if (bytes_.size() - offset < 3)
                    return "long item cut short" + At(offset);
                const std::size_t length = 3 + std::size_t{bytes_[offset + 1]};
                if (bytes_.size() - offset < length)
                    return "long item cut short" + At(offset);
                offset += length;
                continue;
            }
            const std::size_t dataSize = kDataSizes[prefix & 0x3];
            if (bytes_.size() - offset - 1 < dataSize)
                return "item cut short" + At(offset) + " (needs " + std::to_string(dataSize) +
                       " data bytes, " + std::to_string(bytes_.size() - offset - 1) + " left)";
            std::uint32_t value = 0;
            for (std::size_t i = 0; i < dataSize; ++i)
                value |= std::uint32_t{bytes_[offset + 1 + i]} << (8 * i);
            const auto type = static_cast<ItemType>((prefix >> 2) & 0x3);
            const std::uint8_t tag = prefix >> 4;
            std::string problem;
            switch (type) {
            case ItemType::Main:
                problem = MainItem(tag);
                locals_ = {};  // local items apply to the next main item only
                break;
            case ItemType::Global:
                problem = GlobalItem(tag, value);
                break;
            case ItemType::Local:
                LocalItem(tag, value, dataSize == 4);
                break;
            case ItemType::Reserved:
                break;  // no meaning yet; its data is skipped like any other
            }
            if (!problem.empty())
                return problem + At(offset);
            offset += 1 + dataSize;
        }
        if (depth_ != 0)
            return std::to_string(depth_) + " collection(s) still open at the end of the descriptor";
        if (builders_.empty())
            return "the descriptor declares no collection";
        return {};
    }

    std::string MainItem(std::uint8_t tag)
    {
        if (tag == main_tag::Collection) {
            if (depth_ == 0) {
                CollectionBuilder builder;
                if (locals_.first) {
                    const PendingUsage& usage = *locals_.first;
                    builder.collection.usagePage =
                        usage.extended ? static_cast<std::uint16_t>(usage.value >> 16) : global_.usagePage;
                    builder.collection.usage = static_cast<std::uint16_t>(usage.value & 0xFFFF);
                } else {
                    builder.collection.usagePage = global_.usagePage;
                }
                builders_.push_back(std::move(builder));
            }
            ++depth_;
            return {};
        }
        if (tag == main_tag::EndCollection) {
            if (depth_ == 0)
                return "End Collection without a Collection";
            --depth_;
            return {};
        }
        const auto item = std::find_if(kDataItems.begin(), kDataItems.end(),
                                       [tag](const MainKind& entry) { return entry.tag == tag; });
        if (item == kDataItems.end())
            return {};  // a reserved main tag carries no report data
        if (depth_ == 0)
            return std::string(item->name) + " item outside any collection";
        std::uint64_t& bits = builders_.back().bits[item->kind][global_.reportId];
        bits += std::uint64_t{global_.reportSize} * global_.reportCount;
        if (bits > std::uint64_t{kMaxReportBytes} * 8)
            return std::string(item->name) + " report " + std::to_string(global_.reportId) +
                   " grows past " + std::to_string(kMaxReportBytes) + " bytes";
        return {};
    }

    std::string GlobalItem(std::uint8_t tag, std::uint32_t value)
    {
        switch (tag) {
        case global_tag::UsagePage:
            global_.usagePage = static_cast<std::uint16_t>(value);
            return {};
        case global_tag::ReportSize:
            if (value > kMaxReportSizeBits)
                return "Report Size " + std::to_string(value) + " is absurd (more than " +
                       std::to_string(kMaxReportSizeBits) + " bits)";
            global_.reportSize = value;
            return {};
        case global_tag::ReportCount:
            if (value > kMaxReportCount)
                return "Report Count " + std::to_string(value) + " is absurd (more than " +
                       std::to_string(kMaxReportCount) + ")";
            global_.reportCount = value;
            return {};
        case global_tag::ReportId:
            if (value == 0 || value > 0xFF)
                return "Report ID " + std::to_string(value) + " is out of range (1 .. 255)";
            global_.reportId = static_cast<std::uint8_t>(value);
            return {};
        case global_tag::Push:
            if (stack_.size() >= kMaxGlobalStackDepth)
                return "Push nested deeper than " + std::to_string(kMaxGlobalStackDepth);
            stack_.push_back(global_);
            return {};
        case global_tag::Pop:
            if (stack_.empty())
                return "Pop without a Push";
            global_ = stack_.back();
            stack_.pop_back();
            return {};
        default:
            return {};
        }
    }

    void LocalItem(std::uint8_t tag, std::uint32_t value, bool extended)
    {
        // A collection is named by its first usage (or the start of its usage range).
        if ((tag == local_tag::Usage || tag == local_tag::UsageMinimum) && !locals_.first)
            locals_.first = PendingUsage{value, extended};
    }

    static TopLevelCollection Finish(const CollectionBuilder& builder)
    {
        TopLevelCollection collection = builder.collection;
        const auto longest = [](const std::map<std::uint8_t, std::uint64_t>& reports) {
            std::size_t length = 0;
            for (const auto& [id, bits] : reports)
                length = std::max(length, static_cast<std::size_t>((bits + 7) / 8 + 1));
            return length;
        };
        collection.inputReportLength = longest(builder.bits[KindInput]);
        collection.outputReportLength = longest(builder.bits[KindOutput]);
        collection.featureReportLength = longest(builder.bits[KindFeature]);
        for (const auto& [id, bits] : builder.bits[KindFeature])
            collection.featureReportIds.push_back(id);
        return collection;
    }

    struct Locals {
        std::optional<PendingUsage> first;
    };

    std::span<const std::uint8_t> bytes_;
    GlobalState global_;
    std::vector<GlobalState> stack_;
    Locals locals_;
    std::size_t depth_ = 0;
    std::vector<CollectionBuilder> builders_;
};

}  // namespace

ReportDescriptorLayout ParseReportDescriptor(std::span<const std::uint8_t> descriptor)
{
    return Parser(descriptor).Run();
}

std::size_t NodeFeatureReportLength(std::span<const TopLevelCollection> collections, std::uint8_t reportId)
{
    const auto declares = [reportId](const TopLevelCollection& collection) {
        return std::binary_search(collection.featureReportIds.begin(), collection.featureReportIds.end(),
                                  reportId);
    };
    if (const auto owner = std::find_if(collections.begin(), collections.end(), declares);
        owner != collections.end())
        return owner->featureReportLength;
    for (const auto& collection : collections)
        if (collection.featureReportLength != 0)
            return collection.featureReportLength;
    return 0;
}

}  // namespace qeltra3k::device
