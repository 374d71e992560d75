#pragma once
// Replaces a file so that it is never found half written: the new content goes
// to a temporary file in the same folder, which is renamed over the target only
// once it is complete and on disk. A failure leaves the target as it was and
// removes the temporary file.

#include <filesystem>
#include <functional>

namespace rg::workbook {

// `write` fills the temporary file named by its argument (which exists, empty).
// Errors: whatever `write` throws, or Error naming the target.
void replace_file(const std::filesystem::path& target,
                  const std::function<void(const std::filesystem::path& temporary)>& write);

}  // namespace rg::workbook
