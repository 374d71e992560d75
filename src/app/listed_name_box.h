#pragma once
// A box that takes only a name of its list: the NOAA station of the
// project-details dialog and of the upgrade, and the county of the details
// dialogs. The rainfall look-up finds a station, and for a project of an older
// release a county, by its exact name.

#include <string>
#include <vector>

#include "platform/ui/control.h"

namespace rg::app {

class Session;

// What a listed name box holds and where its names come from when the box has
// no items (its list could not be read).
struct ListedNames {
  // The name as a refusal says it ("NOAA station"), and the one word for the
  // list and the pick ("station").
  const char* what;
  const char* word;
  // The program's own names, or null when it has none.
  const std::vector<std::string>& (*own_names)() = nullptr;
};

// Stations fall back on the program's own list, which the shipped rainfall data
// names. Counties come only from the rainfall file: without it there is no list,
// and the box keeps what it holds (the unread file was said as it was read).
extern const ListedNames kStationNames;
extern const ListedNames kCountyNames;

// LostFocus of the box: a text that begins a name of the list (letter case
// counts) becomes the first such name; any other text stays for Save to refuse.
void complete_listed_name(ui::Control& box, const ListedNames& names);

// Whether the box holds a name of its list; true when there is no list to tell.
bool holds_listed_name(const ui::Control& box, const ListedNames& names);

// Save and Update: true when the box holds a name of its list; otherwise a box
// names the text and false is returned.
bool check_listed_name(Session& session, const ui::Control& box, const ListedNames& names);

}  // namespace rg::app
