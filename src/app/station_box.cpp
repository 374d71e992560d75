#include "app/station_box.h"

#include <algorithm>

#include "app/noaa_stations.h"
#include "app/session.h"

namespace rg::app {

namespace {
// With no list (the rainfall file could not be read, as was said then), the
// program's own stations, which the shipped rainfall data names.
const std::vector<std::string>& stations(const ui::Control& box) {
  return box.list_count() > 0 ? box.items() : noaa_station_names();
}
}  // namespace

void complete_station(ui::Control& box) {
  const std::string& typed = box.text();
  if (typed.empty() || holds_listed_station(box)) return;
  const auto& list = stations(box);
  const auto first = std::find_if(list.begin(), list.end(), [&](const std::string& s) { return s.starts_with(typed); });
  if (first != list.end()) box.set_text(*first);
}

bool holds_listed_station(const ui::Control& box) {
  const auto& list = stations(box);
  return std::find(list.begin(), list.end(), box.text()) != list.end();
}

bool check_station(Session& session, const ui::Control& box) {
  if (holds_listed_station(box)) return true;
  ui::show_box(session.desktop(),
               "The NOAA station \"" + box.text() +
                   "\" is not one of the station list. Choose the project's station from the list, or type the "
                   "beginning of its name and leave the box.",
               ui::Buttons::OK, ui::Icon::Exclamation);
  return false;
}

}  // namespace rg::app
