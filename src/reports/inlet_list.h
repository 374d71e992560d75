#pragma once
// The inlet list, the hub of the Design loop. For now it shows the number of the
// project's inlets with Refresh and Exit; it keeps the loop's protocol: leaving it
// ends the Design loop, its own reload by Refresh does not.

#include "platform/ui/form.h"

namespace rg::app {
class Session;
}

namespace rg::reports {

// Offers the inlet list to the shell's Design loop.
void wire_services(app::Session& session);

class FrmInletFlex : public ui::Form {
 public:
  explicit FrmInletFlex(app::Session& session);

  void cmdflexrefreshinlet_Click();
  void cmdflexexit_Click();

  bool flex_reloading = false;

 protected:
  void design() override;
  void Form_Load() override;
  void Form_Unload(bool& cancel) override;

 private:
  // The number of inlets in the project, or -1 without a project connection;
  // db::Error when the inlets cannot be read.
  long long inlet_count();
  app::Session& session_;
};

}  // namespace rg::reports
