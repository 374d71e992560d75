#include "platform/ui/scripted_desktop.h"

#include "platform/ui/form.h"

namespace rg::ui {

void ScriptedDesktop::expect_box(std::string text, Answer a) { box_queue_.push_back({std::move(text), a}); }

void ScriptedDesktop::expect_box_containing(std::string fragment, Answer a) {
  box_queue_.push_back({std::move(fragment), a, true});
}

void ScriptedDesktop::expect_file(std::optional<std::string> path) { file_queue_.push_back(std::move(path)); }

void ScriptedDesktop::expect_modal(std::string form_name, std::function<void(Form&)> script) {
  modal_queue_.push_back({std::move(form_name), std::move(script)});
}

std::vector<std::string> ScriptedDesktop::failures() const {
  std::vector<std::string> out = failures_;
  for (const auto& b : box_queue_) out.push_back("expected box not shown: \"" + b.text + "\"");
  if (!file_queue_.empty()) out.push_back("expected file dialog not shown");
  for (const auto& m : modal_queue_) out.push_back("expected modal form not shown: " + m.form_name);
  return out;
}

void ScriptedDesktop::clear_record() {
  boxes_.clear();
  file_dialogs_.clear();
  modal_forms_.clear();
  shown_forms_.clear();
  documents_.clear();
  urls_.clear();
  beeps_ = 0;
  waited_ = 0;
  refreshes_ = 0;
}

Answer ScriptedDesktop::message_box(const MessageBox& box) {
  boxes_.push_back(box);
  const Answer fallback = box.buttons == Buttons::YesNo ? Answer::No
                          : box.buttons == Buttons::OKCancel ? Answer::Cancel
                                                             : Answer::OK;
  if (box_queue_.empty()) {
    failures_.push_back("unexpected box: \"" + box.text + "\"");
    return fallback;
  }
  BoxExpectation e = box_queue_.front();
  box_queue_.pop_front();
  const bool matches = e.fragment ? box.text.find(e.text) != std::string::npos : e.text == box.text;
  if (!matches) {
    failures_.push_back("box \"" + box.text + "\" shown where \"" + e.text + "\" was expected");
    return fallback;
  }
  return e.answer;
}

bool ScriptedDesktop::show_modal(Form& form) {
  modal_forms_.push_back(form.name());
  const int unloads = form.unload_count();
  form.load();
  if (form.unload_count() != unloads) return false;  // it unloaded itself while loading
  if (modal_queue_.empty() || modal_queue_.front().form_name != form.name()) {
    failures_.push_back("unscripted modal form: " + form.name());
  } else {
    auto script = std::move(modal_queue_.front().script);
    modal_queue_.pop_front();
    if (script) script(form);
    if (form.unload_count() != unloads) return true;
    failures_.push_back("modal form left open by its script: " + form.name());
  }
  // Nobody will close it: take it down so the test goes on.
  if (!form.unload(UnloadMode::CloseBox)) {
    failures_.push_back("modal form refused to close: " + form.name());
  }
  return true;
}

void ScriptedDesktop::show(Form& form) {
  shown_forms_.push_back(form.name());
  form.load();
}

void ScriptedDesktop::refresh(Form&) { ++refreshes_; }

std::optional<std::string> ScriptedDesktop::choose_file(const FileDialogRequest& request) {
  file_dialogs_.push_back(request);
  if (file_queue_.empty()) {
    failures_.push_back("unexpected file dialog: " + request.title);
    return std::nullopt;
  }
  auto answer = file_queue_.front();
  file_queue_.pop_front();
  return answer;
}

}  // namespace rg::ui
