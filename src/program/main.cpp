// The program: a Qt application whose windows are the program's forms.

#include <QApplication>
#include <filesystem>

#include "app/main_window.h"
#include "app/session.h"
#include "hydrology/procedures.h"
#include "inlet/inlet_form.h"
#include "platform/db/connection.h"
#include "platform/qt/qt_desktop.h"
#include "platform/ui/desktop.h"
#include "reports/inlet_list.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Ravelgrit");
  QApplication::setApplicationVersion(rg::app::kCurrentRelease);
  // Every file the program reads lies beside it.
  const std::filesystem::path program_dir = QCoreApplication::applicationDirPath().toStdString();

  rg::qt::QtDesktop desktop;
  if (const auto problem = rg::db::library_problem()) {
    rg::ui::show_box(desktop, *problem, rg::ui::Buttons::OK, rg::ui::Icon::Critical);
    return 1;
  }
  int status = 0;
  {
    rg::app::Session session(desktop, program_dir);
    rg::reports::wire_services(session);
    rg::hydrology::wire_services(session);
    rg::inlet::wire_services(session);
    rg::app::Main(session);
    // The program lives in its main window; closing that window quits.
    status = QApplication::exec();
  }
  return status;
}
