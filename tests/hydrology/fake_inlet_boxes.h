#pragma once
// The inlet design form's flow data as a value, for the dialogs and
// computations that read and write it, and a session on the scripted desktop
// whose services reach it.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>

#include "app/session.h"
#include "hydraulics/port.h"
#include "hydrology/procedures.h"
#include "platform/ui/scripted_desktop.h"

namespace rg::test {

class FakeInletBoxes : public hyd::InletFormPort {
 public:
  hyd::FlowData flow;

  hyd::FlowData flow_data() override { return flow; }
  void write_flow(const hyd::FlowWrites& w) override {
    auto put = [](auto& box, const auto& value) {
      if (value) box = *value;
    };
    put(flow.tc, w.tc);
    put(flow.tc_str, w.tc_str);
    put(flow.tc_option_str, w.tc_option_str);
    put(flow.tc_computed, w.tc_computed);
    for (std::size_t side = 0; side < 2; ++side) {
      put(flow.area_str[side], w.area_str[side]);
      put(flow.c_str[side], w.c_str[side]);
      put(flow.total_area[side], w.total_area[side]);
      put(flow.total_ca[side], w.total_ca[side]);
      put(flow.carryover[side], w.carryover[side]);
      put(flow.discharge[side], w.discharge[side]);
    }
    put(flow.intensity, w.intensity);
    put(flow.qtotal, w.qtotal);
  }

  // The hydrology reaches the form through its flow data alone.
  std::string text(hyd::Box) override { return unexpected(), ""; }
  void set_text(hyd::Box, std::string_view) override { unexpected(); }
  void set_enabled(hyd::Box, bool) override { unexpected(); }
  void set_back_color(hyd::Box, std::uint32_t) override { unexpected(); }
  void show_message(std::string_view, hyd::MessageIcon, std::string_view) override { unexpected(); }
  void clear_results() override { unexpected(); }
  void format_results() override { unexpected(); }
  std::string unit_system() override { return unexpected(), ""; }
  hyd::UnitCoefficients& unit_coefficients() override { return unexpected(), coefficients_; }

 private:
  static void unexpected() { ADD_FAILURE() << "the hydrology reached the design form other than by its flow data"; }
  hyd::UnitCoefficients coefficients_;
};

inline void wire_fake_boxes(app::Session& session, FakeInletBoxes& boxes) {
  hydrology::wire_services(session);
  session.services.inlet_boxes = [&boxes]() -> hyd::InletFormPort& { return boxes; };
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
