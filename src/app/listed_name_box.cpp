#include "app/listed_name_box.h"

#include <algorithm>

#include "app/noaa_stations.h"
#include "app/session.h"
#include "platform/text/number_text.h"

namespace rg::app {

const ListedNames kStationNames{.what = "NOAA station", .word = "station", .own_names = noaa_station_names};
const ListedNames kCountyNames{.what = "county", .word = "county"};

namespace {
const std::vector<std::string>& listed(const ui::Control& box, const ListedNames& names) {
  static const std::vector<std::string> none;
  if (box.list_count() > 0) return box.items();
  return names.own_names != nullptr ? names.own_names() : none;
}
}  // namespace

void complete_listed_name(ui::Control& box, const ListedNames& names) {
  const std::string& typed = box.text();
  if (typed.empty() || holds_listed_name(box, names)) return;
  const auto& list = listed(box, names);
  const auto first = std::find_if(list.begin(), list.end(), [&](const std::string& s) { return s.starts_with(typed); });
  if (first != list.end()) box.set_text(*first);
}

bool holds_listed_name(const ui::Control& box, const ListedNames& names) {
  const auto& list = listed(box, names);
  return list.empty() || std::find(list.begin(), list.end(), box.text()) != list.end();
}

bool check_listed_name(Session& session, const ui::Control& box, const ListedNames& names) {
  if (holds_listed_name(box, names)) return true;
  const std::string word = names.word;
  ui::show_box(session.desktop(),
               "The " + std::string(names.what) + " " + text::quoted(box.text()) + " is not one of the " + word +
                   " list. Choose the project's " + word + " from the list, or type the beginning of its name and "
                   "leave the box.",
               ui::Buttons::OK, ui::Icon::Exclamation);
  return false;
}

}  // namespace rg::app
