#include "platform/ui/desktop.h"

namespace rg::ui {

Answer show_box(Desktop& desktop, std::string text, Buttons buttons, Icon icon, std::string title,
                bool system_modal, std::optional<Answer> default_answer) {
  return desktop.message_box(
      MessageBox{std::move(text), buttons, icon, std::move(title), system_modal, default_answer});
}

void FileDialog::show(Desktop& desktop, FileDialogMode mode) {
  FileDialogRequest request;
  request.mode = mode;
  request.title = DialogTitle;
  request.filter = Filter;
  request.initial_dir = InitDir;
  request.file_name = FileName;
  request.file_must_exist = (Flags & kFileMustExist) != 0;
  const auto chosen = desktop.choose_file(request);
  if (!chosen) {
    if (CancelError) throw Error(kCancelDescription);
    return;
  }
  FileName = *chosen;
}

}  // namespace rg::ui
