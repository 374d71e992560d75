#include "app/input_helpers.h"

#include "app/session.h"
#include "platform/text/number_text.h"
#include "platform/ui/form.h"

namespace rg::app::quillmere_libraries {

void numeric_keypress(ui::Control& box, int& key_ascii) {
  if (key_ascii == ui::kKeyEnter) {
    box.form().send_tab();
    key_ascii = 0;
    return;
  }
  if ((key_ascii >= '0' && key_ascii <= '9') || key_ascii < 32) return;
  if (key_ascii == '.') {
    if (box.sel_text().find('.') != std::string::npos) return;
    if (box.text().find('.') == std::string::npos) return;
  }
  key_ascii = 0;
}

void filter_number_keys(Session& session, ui::Control& box) {
  box.KeyPress = [&box](int& key) { numeric_keypress(box, key); };
  box.PasteRefused = [&session, &box](const std::string& pasted) {
    ui::show_box(session.desktop(),
                 box.label() + ": " + text::quoted(pasted) +
                     " cannot be entered here. Please enter digits with at most one decimal point.",
                 ui::Buttons::OK, ui::Icon::Exclamation);
  };
}

void select_all_text(ui::Control& box) {
  if (!box.can_take_focus()) return;
  box.form().set_focus(box);
  box.set_selection(0, static_cast<int>(box.text().size()));
}

void validate_number_box(Session& session, ui::Control& box, bool& cancel) {
  const std::string t = text::trim(box.text());
  // Refused: the box keeps the focus and says why, naming itself; its text is
  // selected, so what the user types next replaces it.
  auto refuse = [&](const std::string& why) {
    ui::show_box(session.desktop(), box.label() + ": " + why, ui::Buttons::OK, ui::Icon::Exclamation);
    box.set_selection(0, static_cast<int>(box.text().size()));
    cancel = true;
  };
  if (t == ".") {
    box.set_text(text::format_number(0.0, session.number_format));
    refuse("\".\" alone is not a number; it is taken as " + box.text() + ".");
    return;
  }
  // Blanks alone, pasted, count as an empty box.
  if (t.empty()) {
    refuse("a number is required.");
    return;
  }
  const auto value = text::parse_number(t);
  if (!value) {
    // Pasted text: refused like an empty box, so no computation meets it.
    refuse(text::quoted(t) + " is not a number. Please enter a number.");
    return;
  }
  box.set_text(text::format_number(*value, session.number_format));
}

void refuse_non_number(Session& session, ui::Control& box, bool& cancel) {
  if (box.text().empty()) return;
  const std::string t = text::trim(box.text());
  if (!text::is_number(t)) {
    validate_number_box(session, box, cancel);
  } else if (t != box.text()) {
    box.set_text(t);
  }
}

int validate_combo_entry(Session& session, ui::Control& combo) {
  const std::string& t = combo.text();
  const bool completes = combo.completes();
  for (const auto& item : combo.items()) {
    if (completes ? item.compare(0, t.size(), t) == 0 : t.empty() || item == t) {
      // Completed, so a partial word is never taken for the item; not while
      // the user deletes, or the deleted tail would come back at once.
      if (!t.empty() && item != t && !combo.deleting()) combo.set_text(item);
      return 0;
    }
  }
  // Nothing is taken away: the list shows again the item it held.
  const std::string refused = combo.text();
  combo.show_held_text();
  ui::show_box(session.desktop(), not_in_list(combo, refused));
  return -1;
}

std::string not_in_list(const ui::Control& list, const std::string& refused) {
  return list.label() + ": " + text::quoted(refused) + " - Value not present in the list... Please enter a valid value..";
}

BoundFields wire_declared_controls(Session& session, ui::Form& form, std::span<const ui::ControlSpec> table) {
  BoundFields bound;
  for (const ui::ControlSpec& spec : table) {
    if (spec.name.empty()) continue;
    ui::Control& c = form.control(spec.name);
    if (spec.number_box) {
      filter_number_keys(session, c);
      c.GotFocus = [&c] { select_all_text(c); };
      c.Validate = [&session, &c](bool& cancel) { validate_number_box(session, c, cancel); };
    }
    if (!spec.field.empty()) bound.emplace_back(&c, spec.field);
  }
  return bound;
}

}  // namespace rg::app::quillmere_libraries
