#include "app/file_choice.h"

#include <string>

namespace rg::app {

std::optional<std::filesystem::path> chosen_file(std::string_view file_name, std::string_view extension) {
  std::filesystem::path file(file_name);
  if (file_name.empty() || file.filename() == "*" + std::string(extension)) return std::nullopt;
  if (!file.has_extension()) file += extension;
  return file;
}

}  // namespace rg::app
