#pragma once
// The comma-joined texts an inlet keeps its dialogs' inputs in. Internal to this
// library: the codecs build on it.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rg::hydrology::detail {

// Joins the fields with ","; a "," inside a field is dropped, so no field can
// ever shift the ones after it.
std::string join_fields(std::span<const std::string> fields);

// Splits at ","; with a limit, the last part keeps the rest of the text,
// separators included. "" has no fields.
std::vector<std::string> split_fields(std::string_view text, std::size_t limit = 0);

}  // namespace rg::hydrology::detail
