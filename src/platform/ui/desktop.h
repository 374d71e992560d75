#pragma once
// Everything a form asks of the outside world: message boxes, modal and modeless
// windows, file dialogs, the beep, waiting, opening documents and web pages. The
// program runs on the Qt desktop; tests run on the scripted one.

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

namespace rg::ui {

class Form;

// An error of the platform (a cancelled dialog, a file that cannot be copied...)
// carrying the description the program shows.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  const char* description() const { return what(); }
};

enum class Buttons { OK, OKCancel, YesNo };
enum class Icon { None, Exclamation, Information, Question, Critical };
enum class Answer { OK, Cancel, Yes, No };

struct MessageBox {
  std::string text;
  Buttons buttons = Buttons::OK;
  Icon icon = Icon::None;
  // Empty: the application's title.
  std::string title;
  // Stays above every window of the desktop.
  bool system_modal = false;
  // The answer Enter gives; empty: the first button (OK or Yes). A question
  // whose Yes destroys data says No here.
  std::optional<Answer> default_answer;
};

// The title a box shows when none is given.
inline constexpr const char* kApplicationTitle = "Ravelgrit";

enum class FileDialogMode { Open, Save };

// What a file dialog is asked to show.
struct FileDialogRequest {
  FileDialogMode mode = FileDialogMode::Open;
  std::string title;
  // In the program's notation: "Ravelgrit files (*.rvg)|*.rvg", description and
  // pattern pairs separated by "|".
  std::string filter;
  std::string initial_dir;
  std::string file_name;
  bool file_must_exist = false;
};

class Desktop {
 public:
  virtual ~Desktop() = default;

  virtual Answer message_box(const MessageBox& box) = 0;
  // Loads the form if needed, shows it modally and returns when it has
  // unloaded: true, or false when its load unloaded it at once (nothing was
  // shown). A load that throws reaches the caller, the form left unloaded.
  virtual bool show_modal(Form& form) = 0;
  // Loads the form if needed and shows it; returns at once.
  virtual void show(Form& form) = 0;
  // Paints a shown form at once (a splash shown before a wait).
  virtual void refresh(Form& form) = 0;
  // The chosen path, or nothing when the user cancels.
  virtual std::optional<std::string> choose_file(const FileDialogRequest& request) = 0;
  virtual void beep() = 0;
  // Lets the given time pass; the user's input meanwhile has no effect on the
  // program.
  virtual void wait(double seconds) = 0;
  // Opens a file with the desktop's default application, or a web address with
  // the default browser; false when nothing could open it.
  virtual bool open_document(const std::filesystem::path& path) = 0;
  virtual bool open_url(const std::string& url) = 0;
};

// Shorthand for the boxes the forms show.
Answer show_box(Desktop& desktop, std::string text, Buttons buttons = Buttons::OK, Icon icon = Icon::None,
                std::string title = {}, bool system_modal = false, std::optional<Answer> default_answer = {});

// The common file dialog object of a window: its settings stay between uses.
class FileDialog {
 public:
  std::string FileName;
  std::string Filter;
  std::string InitDir;
  std::string DialogTitle;
  long Flags = 0;
  bool CancelError = false;

  static constexpr long kFileMustExist = 4096;
  // The description of the error raised by Cancel when CancelError is on.
  static constexpr const char* kCancelDescription = "Cancel was selected.";

  // Show the dialog. On a choice FileName becomes the chosen path. On Cancel the
  // dialog raises ui::Error when CancelError is on and otherwise leaves FileName
  // as it was.
  void ShowOpen(Desktop& desktop) { show(desktop, FileDialogMode::Open); }
  void ShowSave(Desktop& desktop) { show(desktop, FileDialogMode::Save); }

 private:
  void show(Desktop& desktop, FileDialogMode mode);
};

}  // namespace rg::ui
