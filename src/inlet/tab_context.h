#pragma once
// What the handlers of the design form's tabs share: the form, the session,
// what the form keeps for this showing, and the rules the boxes of every tab
// follow. Each tab's handlers are a struct on this context, made when the form
// is designed and kept for the showing.

#include <functional>
#include <string>
#include <string_view>

#include "app/input_helpers.h"
#include "inlet/inlet_form.h"
#include "inlet/inlet_form_showing.h"
#include "platform/ui/desktop.h"

namespace rg::inlet {

using ui::Buttons;
using ui::Control;
using ui::Icon;
using ui::show_box;

struct FrmInletMain::TabContext {
  FrmInletMain& f;
  app::Session& session;
  Showing& s;

  Control& c(std::string_view name) { return f.control(name); }
  // Code, not the user, is selecting list items.
  bool code() const { return s.code_depth > 0; }
  void format(Control& box, std::string_view pattern);
  void clear_results() { f.clear_results(); }

  // A number box refuses a text that is not a number when it is left, blanks
  // alone included; an empty box is the box's own rules' business.
  void refuse_non_number(Control& box, bool& cancel);
  void number_entry(Control& box);
  // A list whose text must begin one of its items. A typed text is completed
  // to its item and then runs the rules a choice from the list runs.
  void choice_list(Control& list, std::function<void()> on_choice);
  // After a refusal that emptied what the list's item had worked out: the
  // list acts on the next item chosen, the same one too.
  void forget_choice(const Control& list) { s.ruled_text[&list] = std::nullopt; }
  // A Click handler's Tab: the focus moves on only after the user's own choice.
  void tab_after_user_choice(Control& list);
};

// The index of the list's item that is `text`; -1 when none is.
int item_index(const Control& list, const std::string& text);

}  // namespace rg::inlet
