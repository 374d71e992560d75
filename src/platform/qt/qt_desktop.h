#pragma once
// The desktop the program runs on: Qt message boxes, file dialogs and windows
// for the program's forms. A QApplication must exist before it is made.

#include <QStringList>
#include <QTimer>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/desktop.h"
#include "platform/ui/form.h"

class QEventLoop;
class QUrl;
class QWidget;

namespace rg::qt {

class FormWindow;

class QtDesktop : public ui::Desktop {
 public:
  QtDesktop();
  // Closes the windows still shown; the forms they show must still exist.
  ~QtDesktop() override;
  QtDesktop(const QtDesktop&) = delete;
  QtDesktop& operator=(const QtDesktop&) = delete;

  ui::Answer message_box(const ui::MessageBox& box) override;
  bool show_modal(ui::Form& form) override;
  void show(ui::Form& form) override;
  void refresh(ui::Form& form) override;
  std::optional<std::string> choose_file(const ui::FileDialogRequest& request) override;
  void beep() override;
  void wait(double seconds) override;
  bool open_document(const std::filesystem::path& path) override;
  bool open_url(const std::string& url) override;

  // The window that shows a form, or null when the form is not shown.
  FormWindow* window(const ui::Form& form) const;

 private:
  FormWindow& open_window(ui::Form& form);
  // Asks the desktop to open a file or an address with its default program.
  bool hand_over(const QUrl& url);
  void place(FormWindow& w, QWidget* over);
  void window_unloaded(FormWindow& w);
  // Makes the window a modal window or a box covered the active one again.
  void give_back_keys(QWidget* underneath);
  // The window new boxes and dialogs belong to: the innermost modal one, else
  // the active one.
  QWidget* top_window() const;

  std::map<const ui::Form*, FormWindow*> windows_;
  struct Modal {
    FormWindow* window;
    QEventLoop* loop;
  };
  std::vector<Modal> modal_;
  // Reaps what the desktop's openers leave, while any child is left.
  QTimer reaper_;
};

// A filter in the program's notation ("Ravelgrit files (*.rvg)|*.rvg|...") as
// Qt's name filters ("Ravelgrit files (*.rvg)", ...).
QStringList name_filters(const std::string& filter);

}  // namespace rg::qt
