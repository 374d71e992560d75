#pragma once
// The NOAA-station box of the project-details dialog and of the upgrade. The
// rainfall look-up finds a station by its exact name, so the box takes only a
// station of its list.

#include "platform/ui/control.h"

namespace rg::app {

class Session;

// LostFocus of the box: a text that begins a station of the list (letter case
// counts) becomes the first such station; any other text stays for Save to refuse.
void complete_station(ui::Control& box);

// Whether the box holds a station of its list.
bool holds_listed_station(const ui::Control& box);

// Save and Update: true when the box holds a station of its list; otherwise a
// box names the text and false is returned.
bool check_station(Session& session, const ui::Control& box);

}  // namespace rg::app
