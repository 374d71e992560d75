#pragma once
// A desktop for tests: it answers message boxes and file dialogs from a script,
// plays a scripted user on each modal form, and records everything shown. What
// the script did not foresee is recorded in failures() (a test checks that it is
// empty) and answered harmlessly, so nothing ever waits for a user.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/desktop.h"

namespace rg::ui {

class ScriptedDesktop : public Desktop {
 public:
  // The next message box must show exactly this text; it is answered with `a`.
  void expect_box(std::string text, Answer a = Answer::OK);
  // The next message box must show a text holding this fragment (an error's
  // description, whose wording is the platform's).
  void expect_box_containing(std::string fragment, Answer a = Answer::OK);
  // The next file dialog is answered with this path (nothing: Cancel).
  void expect_file(std::optional<std::string> path);
  // The next modal showing of this form runs the script (the user's actions),
  // which must leave the form unloaded.
  void expect_modal(std::string form_name, std::function<void(Form&)> script);

  // What happened, in order.
  const std::vector<MessageBox>& boxes() const { return boxes_; }
  const std::vector<FileDialogRequest>& file_dialogs() const { return file_dialogs_; }
  const std::vector<std::string>& modal_forms() const { return modal_forms_; }
  const std::vector<std::string>& shown_forms() const { return shown_forms_; }
  const std::vector<std::string>& opened_documents() const { return documents_; }
  const std::vector<std::string>& opened_urls() const { return urls_; }
  int beeps() const { return beeps_; }
  double waited_seconds() const { return waited_; }
  int refreshes() const { return refreshes_; }

  // Expectations not met and interactions not scripted. Pending expectations
  // count as failures too.
  std::vector<std::string> failures() const;
  // Forgets the record (not the expectations).
  void clear_record();

  // Desktop
  Answer message_box(const MessageBox& box) override;
  bool show_modal(Form& form) override;
  void show(Form& form) override;
  void refresh(Form& form) override;
  std::optional<std::string> choose_file(const FileDialogRequest& request) override;
  void beep() override { ++beeps_; }
  void wait(double seconds) override { waited_ += seconds; }
  // Recorded; they fail (as on a desktop without a viewer or browser) after
  // fail_opens(true).
  bool open_document(const std::filesystem::path& path) override {
    documents_.push_back(path.string());
    return !fail_opens_;
  }
  bool open_url(const std::string& url) override {
    urls_.push_back(url);
    return !fail_opens_;
  }
  void fail_opens(bool on) { fail_opens_ = on; }

 private:
  struct BoxExpectation {
    std::string text;
    Answer answer;
    bool fragment = false;
  };
  struct ModalExpectation {
    std::string form_name;
    std::function<void(Form&)> script;
  };
  std::deque<BoxExpectation> box_queue_;
  std::deque<std::optional<std::string>> file_queue_;
  std::deque<ModalExpectation> modal_queue_;

  std::vector<MessageBox> boxes_;
  std::vector<FileDialogRequest> file_dialogs_;
  std::vector<std::string> modal_forms_;
  std::vector<std::string> shown_forms_;
  std::vector<std::string> documents_;
  std::vector<std::string> urls_;
  int beeps_ = 0;
  double waited_ = 0;
  int refreshes_ = 0;
  bool fail_opens_ = false;
  std::vector<std::string> failures_;
};

}  // namespace rg::ui
