#pragma once
// What `qeltra3k show` tells about a configuration image: built once as structured data, so
// the text and the JSON forms always say the same.
#include <nlohmann/json.hpp>

#include "config/ImageLayout.h"
#include "ui/text/LanguageTable.h"

namespace qeltra3k::cli {

// The decoded configuration of `image` as the editor would show it (damaged sections
// replaced by their built-in defaults), names in `language`.
nlohmann::ordered_json BuildImageReport(const config::DeviceImage& image, const text::LanguageTable& language);

// The report as text for a person.
std::string FormatImageReport(const nlohmann::ordered_json& report);

}  // namespace qeltra3k::cli
