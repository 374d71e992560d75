#pragma once
// The user's hands on a form on the scripted desktop: focus a control (its
// GotFocus runs, and the control left runs its own rules), replace a box's
// text or paste over it, pick from a list, press a button as a mouse does (it
// takes the focus first, so the box being edited is left before the click
// acts).

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/ui/form.h"

namespace rg::test {

inline ui::Control& focus(ui::Form& f, const std::string& name) {
  ui::Control& c = f.control(name);
  EXPECT_TRUE(f.user_move_focus(c)) << f.name() << ": cannot focus " << name;
  return c;
}
inline void type(ui::Form& f, const std::string& name, const std::string& t) { focus(f, name).user_edit_text(t); }
// Pasted over the box's whole text, as a user who selected it all would.
inline void paste(ui::Form& f, const std::string& name, const std::string& t) {
  ui::Control& c = focus(f, name);
  c.set_selection(0, static_cast<int>(c.text().size()));
  c.user_paste(t);
}
inline void pick(ui::Form& f, const std::string& name, const std::string& item) { focus(f, name).user_select(item); }
inline void press(ui::Form& f, const std::string& name) { f.user_press(f.control(name)); }
inline void show_tab(ui::Form& f, int tab) { f.control("SSTab1").user_select_tab(tab); }

// The texts of the named controls, in order.
using Texts = std::vector<std::string>;
inline Texts texts(ui::Form& f, std::initializer_list<const char*> names) {
  Texts out;
  for (const char* name : names) out.push_back(f.control(name).text());
  return out;
}

}  // namespace rg::test
