#pragma once
// A workbook made from an .xlsx template: open a copy, write cells, save.
//
// open_copy reads the template and writes nothing; save writes the filled
// workbook to the target in one step (see replace_file), so an existing file
// there is either kept whole or replaced whole. Cells keep the template's
// formatting. Formulas recalculate when the workbook is next opened: their
// stored results are dropped on opening, and the calculation chain with them.

#include <filesystem>
#include <memory>
#include <string_view>

#include "platform/workbook/sheet.h"

namespace rg::workbook {

class Workbook {
 public:
  // Errors: the template is missing or not a workbook, the target is the
  // template itself, the target's folder does not exist.
  static Workbook open_copy(const std::filesystem::path& template_file,
                            const std::filesystem::path& target);

  Workbook(Workbook&&) noexcept;
  Workbook& operator=(Workbook&&) noexcept;
  ~Workbook();

  // By the tab's name or by its place among the tabs (1-based). Errors: no such
  // sheet, or a chart sheet.
  Sheet& sheet(std::string_view name);
  Sheet& sheet(int index);
  // The sheet the workbook opens on, and the choice of it (1-based).
  Sheet& active_sheet();
  void activate(int index);

  // Writes the workbook to the target. Can be repeated.
  void save();

 private:
  struct Impl;
  explicit Workbook(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace rg::workbook
