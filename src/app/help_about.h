#pragma once
// Help, the NOAA precipitation-frequency page and the About box, offered by every
// window of the program.

#include "platform/ui/form.h"

namespace rg::app {

class Session;

// The help page that ships beside the program.
inline constexpr const char* kHelpFile = "Ravelgrit.html";
// NOAA's precipitation-frequency map page for Virginia, where a project's station
// is picked.
inline constexpr const char* kNoaaPfdsUrl = "https://hdsc.nws.noaa.gov/hdsc/pfds/pfds_map_cont.html?bkmrk=va";
inline constexpr const char* kProductVersion = "Ravelgrit - Version 2.1";

namespace quillmere_libraries {
// Open the help page with the desktop's viewer and the NOAA page with its
// browser; when that fails, a box says so and names the page (the NOAA page's
// address can be copied from it).
void show_help(Session& session);
void open_noaa_pfds_page(Session& session);
}  // namespace quillmere_libraries

class FrmAbout : public ui::Form {
 public:
  explicit FrmAbout(Session& session);

 protected:
  void design() override;
};

}  // namespace rg::app
