#pragma once
// The start-up, the splash and the main window with its File, Design and Help
// menus, status bar and file dialog.

#include <string>

#include "app/product.h"
#include "platform/ui/desktop.h"
#include "platform/ui/form.h"

namespace rg::app {

class Session;

// The title of the main window's own boxes (Create, Open, Update, Design).
inline constexpr const char* kMainBoxTitle = "Quillmere";
inline constexpr const char* kProjectFilter = "Ravelgrit files (*.rvg)|*.rvg";
inline constexpr const char* kProjectExtension = ".rvg";

// Shows the splash for three seconds, then the main window.
void Main(Session& session);

class FrmQuillmereSplash : public ui::Form {
 public:
  explicit FrmQuillmereSplash(Session& session);

 protected:
  void design() override;
};

class FrmSoftwareMain : public ui::Form {
 public:
  explicit FrmSoftwareMain(Session& session);

  // Shared by Create, Open and the reports; keeps its settings between uses.
  ui::FileDialog printDlg;
  std::string box_title;

  void mnucreateProj_Click();
  void mnuopenProj_Click();
  void mnuupdateProj_Click();
  void mnucloseProj_Click();
  void mnuInlet_Click();
  void mnuexit_Click();

 protected:
  void design() override;
  void Form_Load() override;

 private:
  // Create, Open, Update, Close enabled as given.
  void set_project_menus(bool create_open, bool update, bool close);
  void set_panel(int panel, std::string text);
  // The error path of Create and Open: the description in a system-modal box.
  void show_error(const std::string& description);
  std::string initial_dir() const;

  Session& session_;
};

}  // namespace rg::app
