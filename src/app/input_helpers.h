#pragma once
// The behaviour every numeric box and list-bound combo box of the program shares:
// the key filter, select-all on entry, the check-and-format when a number box is
// left, and the check that a combo's text belongs to its list.

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/form.h"

namespace rg::app {
class Session;
}

namespace rg::app::quillmere_libraries {

// KeyPress of numeric boxes: Enter moves to the next control and types nothing;
// digits and control keys pass; a decimal point passes when the box has none
// (or the selection holds it); every other key is dropped.
void numeric_keypress(ui::Control& box, int& key_ascii);

// The key filter of a number box: numeric_keypress judges each typed key and
// each paste as a whole; a paste it refuses is said, naming the box, and the
// box keeps what it held.
void filter_number_keys(Session& session, ui::Control& box);

// GotFocus of text boxes: the whole text selected.
void select_all_text(ui::Control& box);

// Validate of a number box: formats a number with number_format. What it
// refuses keeps the focus, with a message naming the box: "." (which becomes 0
// formatted and selected), an empty box or one of white space, and a text that
// is not a number. White space around a number is dropped. The key filter is
// not asked: what the user typed or pasted passed it, and what the program or
// the record put in the box ("-12.000", an offset signed by its side) is the
// program's own.
void validate_number_box(Session& session, ui::Control& box, bool& cancel);

// Validate of a number box whose emptiness is its own rules' business: an
// empty box passes; any other text that validate_number_box would refuse is
// refused by it; a number loses the white space around it and is left for the
// box's own LostFocus to format.
void refuse_non_number(Session& session, ui::Control& box, bool& cancel);

// A combo's text must begin one of its items (letter case counts); a list of
// numbers (see ui::Control::completes) takes only a whole item. A non-empty
// beginning of a name is completed to the first item it begins (except in the
// Change of a deletion). Any other text is refused, taking nothing away: the
// list shows again the item it held (ui::Control::show_held_text: no choice
// is made, so what that item set up stays), then the refusal is said, naming
// the list and the refused text. Returns 0 when valid, -1 when not.
int validate_combo_entry(Session& session, ui::Control& combo);

// The refusal of a text that is none of the list's items, naming the list.
std::string not_in_list(const ui::Control& list, const std::string& refused);

// The bound controls of a form declared from a table, with their fields, in the
// table's order: what db::Binding::attach takes.
using BoundFields = std::vector<std::pair<ui::Control*, std::string>>;

// For the controls the form built from `table`: gives each number box the
// handlers above (the key filter, GotFocus, Validate) and returns the bound ones.
BoundFields wire_declared_controls(Session& session, ui::Form& form, std::span<const ui::ControlSpec> table);

}  // namespace rg::app::quillmere_libraries
