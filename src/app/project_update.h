#pragma once
// The upgrade of an older project database to release "2.1": the user picks the
// project's NOAA station; the missing PROJECT columns are added in place and the
// release and station stamped, then the connections are opened again.

#include "platform/ui/form.h"

namespace rg::app {

class Session;

class FrmProjectUpdate : public ui::Form {
 public:
  explicit FrmProjectUpdate(Session& session);

  void update_project_database();
  // Whether the last showing upgraded the file.
  bool updated() const { return updated_; }

 protected:
  void design() override;
  void Form_Load() override;

 private:
  Session& session_;
  bool updated_ = false;
};

}  // namespace rg::app
