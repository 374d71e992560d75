#pragma once
// The NOAA precipitation stations a project can be tied to, as the upgrade dialog
// offers them and as the shipped rainfall data names them. Some names end in
// blanks or hold a double blank; they are kept exactly, since the project file and
// the rainfall look-up compare them byte for byte.

#include <string>
#include <vector>

namespace rg::app {

// The 176 station names in list order (alphabetical without regard to letter case).
const std::vector<std::string>& noaa_station_names();

}  // namespace rg::app
