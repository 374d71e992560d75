#pragma once
// A session on the scripted desktop whose services reach a stand-in for the
// inlet design form.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/session.h"
#include "hydrology/procedures.h"
#include "platform/db/connection.h"
#include "platform/ui/scripted_desktop.h"
#include "support/fake_inlet_form.h"
#include "support/hands.h"

namespace rg::test {

// The hydrology reaches the design form through its flow data alone.
inline void wire_fake_boxes(app::Session& session, FakeInletForm& boxes) {
  hydrology::wire_services(session);
  session.services.inlet_boxes = [&boxes]() -> hyd::InletFormPort& { return boxes; };
}

struct HydrologyDialogTest : ::testing::Test {
  ui::ScriptedDesktop desktop;
  app::Session session{desktop, RG_PROGRAM_DIR};
  FakeInletForm boxes;

  void SetUp() override {
    wire_fake_boxes(session, boxes);
    session.project.unit_system = "ENGLISH";
    session.project.open_project_major_release = "2.1";
  }
  void TearDown() override {
    for (const auto& f : desktop.failures()) ADD_FAILURE() << f;
    EXPECT_EQ(boxes.log.size(), boxes.of("flow").size()) << "the design form reached other than by its flow data";
  }
  // The stations' rainfall file open, as for a current project at the station.
  void open_station_file(const std::string& station) {
    session.rainfall.rainfall_conn = std::make_unique<db::Connection>();
    session.rainfall.rainfall_conn->open(std::filesystem::path(RG_PROGRAM_DIR) / "VARMNOAA.rdb", db::Access::ReadOnly);
    session.project.open_project_noaa_station = station;
  }
  // Shows the dialog modally with the user's script.
  void run(ui::Form& dialog, std::function<void(ui::Form&)> script) {
    desktop.expect_modal(dialog.name(), std::move(script));
    desktop.show_modal(dialog);
  }
};

}  // namespace rg::test
