#pragma once
// HID report descriptors, read far enough to know the report lengths of each top-level
// collection the way Windows' HID capabilities state them. Linux hands us only the raw
// descriptor of a hidraw node; computing the lengths exactly as Windows does keeps the
// device search's acceptance test ("feature report length 8") the same on both systems.
//
// Windows' rule, per top-level collection and per kind (input, output, feature): for each
// report id, the bits of that kind's main items (Report Size x Report Count) summed and
// rounded up to bytes, plus one byte for the id even when the descriptor uses no ids; the
// largest of these; 0 when the collection has no item of that kind.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qeltra3k::device {

struct TopLevelCollection {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    std::size_t inputReportLength = 0;
    std::size_t outputReportLength = 0;
    std::size_t featureReportLength = 0;
    // The ids of the collection's feature reports, ascending; 0 stands for "no id".
    std::vector<std::uint8_t> featureReportIds;
};

struct ReportDescriptorLayout {
    std::vector<TopLevelCollection> collections;  // in descriptor order; empty when refused
    std::string problem;                          // why the descriptor is not accepted
    bool Accepted() const { return problem.empty(); }
};

// Limits beyond which a descriptor is refused as absurd rather than followed. They are the
// Linux HID core's own, so nothing refused here is a device the kernel would bind.
constexpr std::uint32_t kMaxReportSizeBits = 256;
constexpr std::uint32_t kMaxReportCount = 12288;
constexpr std::size_t kMaxReportBytes = 16383;  // id byte not counted
constexpr std::size_t kMaxGlobalStackDepth = 32;

// Never reads outside `descriptor`; a malformed one (an item cut short, Pop with nothing
// pushed, End Collection without a Collection, an open collection at the end, a report id
// of 0, a size or count past the limits, a data item outside every collection) is refused
// with the reason and the byte offset where it was found.
ReportDescriptorLayout ParseReportDescriptor(std::span<const std::uint8_t> descriptor);

// A hidraw node stands for one USB interface, which may hold several top-level collections;
// Windows lists each collection as an interface of its own. The node takes the feature
// report length of the collection through which Windows would exchange feature report
// `reportId` (the one that declares it); when none declares it, that of the first collection
// with feature reports; 0 when there are none.
std::size_t NodeFeatureReportLength(std::span<const TopLevelCollection> collections, std::uint8_t reportId);

}  // namespace qeltra3k::device
