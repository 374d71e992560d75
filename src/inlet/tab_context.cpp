#include "inlet/tab_context.h"

#include "platform/text/number_text.h"

namespace rg::inlet {

int item_index(const ui::Control& list, const std::string& text) {
  for (int i = 0; i < list.list_count(); ++i) {
    if (list.item(i) == text) return i;
  }
  return -1;
}

void FrmInletMain::TabContext::format(ui::Control& box, std::string_view pattern) {
  box.set_text(text::format_text(box.text(), pattern));
}

void FrmInletMain::TabContext::refuse_non_number(ui::Control& box, bool& cancel) {
  app::quillmere_libraries::refuse_non_number(session, box, cancel);
}

void FrmInletMain::TabContext::number_entry(ui::Control& box) {
  box.GotFocus = [&box] { app::quillmere_libraries::select_all_text(box); };
  app::quillmere_libraries::filter_number_keys(session, box);
  box.Validate = [this, &box](bool& cancel) { refuse_non_number(box, cancel); };
}

void FrmInletMain::TabContext::choice_list(ui::Control& list, std::function<void()> on_choice) {
  list.Click = [this, &list, on_choice] {
    s.ruled_text[&list] = list.text();
    on_choice();
  };
  auto got = list.GotFocus;
  list.GotFocus = [this, &list, got] {
    // What the list shows has been acted on, unless a refusal since emptied it.
    const auto ruled = s.ruled_text.find(&list);
    if (ruled == s.ruled_text.end() || ruled->second) s.ruled_text[&list] = list.text();
    if (got) got();
  };
  list.Validate = [this, &list](bool& cancel) {
    // A refused text gives way to the item the list held, which its rules
    // have acted on already: the next Tab does nothing.
    if (app::quillmere_libraries::validate_combo_entry(session, list) != 0) {
      cancel = true;
      return;
    }
    const int index = item_index(list, list.text());
    const auto ruled = s.ruled_text.find(&list);
    if (index >= 0 && (ruled == s.ruled_text.end() || ruled->second != list.text())) {
      CodeScope scope(s.code_depth);
      list.set_list_index(index);
    }
  };
}

void FrmInletMain::TabContext::tab_after_user_choice(ui::Control& list) {
  if (!code() && f.active_control() == &list) f.send_tab();
}

}  // namespace rg::inlet
