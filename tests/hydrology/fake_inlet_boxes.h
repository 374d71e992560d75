#pragma once
// The inlet design form's boxes as a map of texts and values, for the dialogs
// and computations that write into it, and a session on the scripted desktop
// whose services reach it.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "app/services.h"
#include "app/session.h"
#include "hydrology/procedures.h"
#include "platform/ui/scripted_desktop.h"

namespace rg::test {

class FakeInletBoxes : public app::InletBoxes {
 public:
  std::map<std::string, std::string, std::less<>> texts;
  std::map<std::string, int, std::less<>> values;

  // Reading adds nothing, so that a test can compare the maps before and after.
  std::string text(std::string_view control) override {
    const auto it = texts.find(control);
    return it == texts.end() ? std::string() : it->second;
  }
  void set_text(std::string_view control, std::string_view text) override { texts[std::string(control)] = text; }
  int value(std::string_view control) override { return values.contains(control) ? values.find(control)->second : 0; }
  void set_value(std::string_view control, int value) override { values[std::string(control)] = value; }
};

inline void wire_fake_boxes(app::Session& session, FakeInletBoxes& boxes) {
  hydrology::wire_services(session);
  session.services.inlet_boxes = [&boxes]() -> app::InletBoxes& { return boxes; };
}

// The user's actions on a dialog: a box left after typing, a click that takes
// the focus first (so the box being edited is left before the click acts).
inline void enter(ui::Form& form, const std::string& name, const std::string& text) {
  ui::Control& box = form.control(name);
  form.user_move_focus(box);
  box.user_edit_text(text);
}
inline void click(ui::Form& form, const std::string& name) {
  ui::Control& c = form.control(name);
  form.user_move_focus(c);
  c.user_click();
}

struct HydrologyDialogTest : ::testing::Test {
  ui::ScriptedDesktop desktop;
  app::Session session{desktop, RG_PROGRAM_DIR};
  FakeInletBoxes boxes;

  void SetUp() override {
    wire_fake_boxes(session, boxes);
    session.project.unit_system = "ENGLISH";
    session.project.open_project_major_release = "2.1";
  }
  void TearDown() override { for (const auto& f : desktop.failures()) ADD_FAILURE() << f; }
  // Shows the dialog modally with the user's script.
  void run(ui::Form& dialog, std::function<void(ui::Form&)> script) {
    desktop.expect_modal(dialog.name(), std::move(script));
    desktop.show_modal(dialog);
  }
};

}  // namespace rg::test
