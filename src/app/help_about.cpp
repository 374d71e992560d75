#include "app/help_about.h"

#include <system_error>

#include "app/artwork.h"
#include "app/session.h"

namespace rg::app {

namespace quillmere_libraries {

void show_help(Session& session) {
  const auto page = session.program_file(kHelpFile);
  std::error_code ec;
  const bool found = std::filesystem::exists(page, ec);
  if (found && session.desktop().open_document(page)) return;
  ui::show_box(session.desktop(),
               std::string(found ? "The help page could not be opened: no program to show it was found."
                                 : "The help page was not found beside the program.") +
                   "\n\n" + page.string(),
               ui::Buttons::OK, ui::Icon::Exclamation);
}

void open_noaa_pfds_page(Session& session) {
  if (session.desktop().open_url(kNoaaPfdsUrl)) return;
  ui::show_box(session.desktop(),
               std::string("The NOAA page could not be opened: no web browser was found. Its address is\n\n") +
                   kNoaaPfdsUrl,
               ui::Buttons::OK, ui::Icon::Exclamation);
}

}  // namespace quillmere_libraries

FrmAbout::FrmAbout(Session&) : ui::Form("frmAbout", "About Quillmere") {}

void FrmAbout::design() {
  using ui::ControlKind;
  auto& picture = add("picIcon", ControlKind::Picture, {nullptr, 0, 0, 5, 1});
  picture.set_drawing(inlet_logo());
  add("lblVersion", ControlKind::Label, {nullptr, 0, 1}).set_caption(kProductVersion);
  add("lblNotice1", ControlKind::Label, {nullptr, 1, 1})
      .set_caption("Hydraulic design of storm-drain inlets on roadways.");
  add("lblNotice2", ControlKind::Label, {nullptr, 2, 1})
      .set_caption("Spread, efficiency and depths by the methods of the drainage manual.");
  add("lblNotice3", ControlKind::Label, {nullptr, 3, 1})
      .set_caption("Check every result before it goes into a design.");
  auto& ok = add("cmdOK", ControlKind::CommandButton, {nullptr, 4, 1});
  ok.set_caption("OK");
  ok.set_default(true);
  ok.set_cancel(true);
  ok.Click = [this] { unload(); };
}

}  // namespace rg::app
