#pragma once
// The whole program on the scripted desktop: the shell with every subsystem
// wired as main() wires it (the inlet list, the hydrology dialogs and
// procedures, the inlet design form), and a user's hands on any of its windows.

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/shell_fixture.h"
#include "hydrology/procedures.h"
#include "platform/workbook/workbook.h"
#include "reports/inlet_list.h"

namespace rg::test {

class ScenarioTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    // The shell's fixture wires the list and the design form; the program also
    // offers the hydrology.
    hydrology::wire_services(*session);
  }

  // The user's hands on a window: focus a box (its GotFocus runs, the box left
  // runs its own rules), replace its text, pick from a list, press a button the
  // way a mouse does (the button takes the focus first).
  static void focus(ui::Form& f, const std::string& name) {
    ASSERT_TRUE(f.user_move_focus(f.control(name))) << f.name() << ": cannot focus " << name;
  }
  static void type(ui::Form& f, const std::string& name, const std::string& text) {
    focus(f, name);
    f.control(name).user_edit_text(text);
  }
  static void pick(ui::Form& f, const std::string& name, const std::string& item) {
    focus(f, name);
    f.control(name).user_select(item);
  }
  static void press(ui::Form& f, const std::string& name) {
    auto& c = f.control(name);
    ASSERT_TRUE(c.can_take_focus()) << f.name() << ": " << name << " cannot be pressed";
    f.user_move_focus(c);
    c.user_click();
  }
  static void show_tab(ui::Form& f, int tab) { f.control("SSTab1").user_select_tab(tab); }
  static std::string text(ui::Form& f, const std::string& name) { return f.control(name).text(); }
  // The texts of the named boxes, in order.
  using Texts = std::vector<std::string>;
  static Texts texts(ui::Form& f, std::initializer_list<const char*> names) {
    Texts out;
    for (const char* name : names) out.push_back(text(f, name));
    return out;
  }

  // Cells of a written workbook as a spreadsheet reads them back: row, column,
  // the value (a number in its shortest form).
  struct Cell {
    int row;
    int col;
    std::string value;
  };
  static void expect_cells(const fs::path& file, const std::vector<Cell>& cells) {
    auto copy = workbook::Workbook::open_copy(file, file.parent_path() / "readback.xlsx");
    for (const Cell& c : cells) {
      EXPECT_EQ(copy.sheet(1).text(c.row, c.col), c.value) << file.filename() << " row " << c.row << " col " << c.col;
    }
  }
};

}  // namespace rg::test
