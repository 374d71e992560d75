#pragma once
// The file a save dialog chose, as Create and the reports take it.

#include <filesystem>
#include <optional>
#include <string_view>

namespace rg::app {

// Nothing when no file was chosen: an empty name, or the filter's own pattern
// ("*" and the extension) typed as the name, in whatever folder. A name without
// an extension gets `extension` (".rvg", ".xlsx"), so that the dialog's filter
// lists the file next time.
std::optional<std::filesystem::path> chosen_file(std::string_view file_name, std::string_view extension);

}  // namespace rg::app
