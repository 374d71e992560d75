// Shows the hydrology dialogs one after the other in real windows, over a
// stand-in for the inlet design form, for a look by eye (under Xvfb with
// xdotool and import). Not a test: after each dialog closes it prints what the
// dialog wrote.
//   hydrology_show [METRIC]

#include <QApplication>

#include <iostream>

#include "app/session.h"
#include "fake_inlet_boxes.h"
#include "hydrology/area_dialog.h"
#include "hydrology/procedures.h"
#include "hydrology/tc_dialog.h"
#include "platform/qt/qt_desktop.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  rg::qt::QtDesktop desktop;
  rg::app::Session session(desktop, RG_PROGRAM_DIR);
  rg::test::FakeInletBoxes boxes;
  rg::test::wire_fake_boxes(session, boxes);
  session.project.unit_system = argc > 1 ? argv[1] : "ENGLISH";
  session.project.open_project_major_release = "2.1";
  session.rainfall.rain_coef_B = 50;
  session.rainfall.rain_coef_D = 10;
  session.rainfall.rain_coef_E = 0.75;
  boxes.texts = {{"Cf", "1.0"}, {"inlet_location", "SUMP"}};
  session.handover.area1_selected = true;
  auto report = [&boxes](const char* dialog) {
    std::cout << dialog << " closed:";
    for (const auto& [name, text] : boxes.texts) std::cout << " " << name << "=" << text;
    std::cout << std::endl;
  };
  desktop.show_modal(session.form<rg::hydrology::FrmTc>());
  report("frmTc");
  desktop.show_modal(session.form<rg::hydrology::FrmAreaV2>());
  report("frmareaV2");
  desktop.show_modal(session.form<rg::hydrology::FrmTc>());
  report("frmTc");
  session.handover.area1_selected = false;
  session.handover.area2_selected = true;
  desktop.show_modal(session.form<rg::hydrology::FrmArea>());
  report("frmarea");
  return 0;
}
