#pragma once
// The rainfall computations on the inlet design form's boxes: the coefficient
// look-up for a storm return period, the intensity from the time of
// concentration, and the rational-method discharges and total. They read and
// write the form's flow data only through session.services.inlet_boxes() and
// format with session.number_format; the look-up returns the coefficients that
// its caller hands to the intensity.
//
// A computation that cannot be carried out says why in a box and leaves what it
// would have written empty (never a "0.0" that looks like a result), so the
// form's Solve refuses instead of analysing a discharge that was never computed:
//  - a failed look-up empties the intensity, the computed discharges and QTotal
//    and gives no coefficients; the intensity and the discharge that follow
//    then stay empty without a second box;
//  - an empty Intensity leaves the discharges and QTotal empty;
//  - a Cf, C x A or carry-over that is no number (or negative) refuses the
//    discharge with a box naming it;
//  - a discharge or total too large to be a number is refused with a box
//    naming it.

#include <optional>
#include <string_view>

#include "hydrology/formulas.h"
#include "hydrology/rainfall_store.h"

namespace rg::app {
class Session;
}

namespace rg::hydrology {

// The coefficients of the open project's county or NOAA station for a storm
// frequency (the text of the storm-frequency box), or what was not found.
RainfallLookup look_up_coefficients(const app::Session& session, std::string_view storm_frequency);

// The same for a return period (years; 0 or less stands for a storm frequency
// not chosen); nothing, after a box that says what was not found, when there
// are none.
std::optional<RainfallCoefficients> get_rainfall_coefficients(app::Session& session, int return_period);

// Intensity := the curve of the coefficients at the time in Tc (an empty Tc
// becomes "5.0"), in mm/hr in a metric project; emptied when there are none.
void compute_intensity(app::Session& session, const std::optional<RainfallCoefficients>& coefficients);

// discharge1, discharge2 (in a sag) and QTotal from the C x A totals, the
// intensity as shown, Cf and the carry-overs. Empty totals and carry-overs
// become "0.0" first, as the form stores them.
void compute_discharge(app::Session& session);

// Offers the dialogs, the look-up, the look-up with the intensity from its
// coefficients, and the discharge in session.services: the Tc dialog, the
// drainage-area dialog of the project's kind (24 land-use rows in a shared
// project, 15 otherwise).
void wire_services(app::Session& session);

}  // namespace rg::hydrology
