#pragma once
// The two project-details dialogs over the single PROJECT row: frmProjectNOAA
// for a new project, a current (release "2.1") database and a database without
// details; frmProject, its twin without the NOAA station, for an older release.

#include <string>

#include "platform/db/record_set.h"
#include "platform/ui/form.h"

namespace rg::app {

class Session;

class FrmProjectDetails : public ui::Form {
 public:
  // Record load: the PROJECT row into the open-project globals.
  void get_project_records();
  void attach_project_datasource();
  void addnewproject();
  void mnuprojsave_Click();
  void mnuprojcancel_Click();

  bool dirty() const { return dirty_; }
  bool noaa() const { return noaa_; }

 protected:
  FrmProjectDetails(Session& session, std::string name, bool noaa);
  void design() override;
  void Form_Load() override;
  void Form_Unload(bool& cancel) override;

 private:
  // What one showing holds: the typed controls, the PROJECT row and the
  // binding of the boxes to it.
  struct Showing;
  Showing& shown() const;
  void quillmereprojrs_WillChangeRecord(db::Reason reason);
  // The record set, or Error when the load did not get as far as opening it.
  db::RecordSet& records();
  // Copies the boxes into the open-project globals.
  void copy_boxes_to_globals();

  Session& session_;
  const bool noaa_;
  bool dirty_ = false;
};

class FrmProjectNOAA : public FrmProjectDetails {
 public:
  explicit FrmProjectNOAA(Session& session) : FrmProjectDetails(session, "frmProjectNOAA", true) {}
};

class FrmProject : public FrmProjectDetails {
 public:
  explicit FrmProject(Session& session) : FrmProjectDetails(session, "frmProject", false) {}
};

}  // namespace rg::app
