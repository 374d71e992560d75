#pragma once
// What one subsystem offers another. No subsystem includes the forms of another
// (the shell, the inlet design form, the hydrology dialogs and the inlet list
// stand side by side on the common core), so they reach each other through
// these, and main() wires the real forms in. An offer nobody wired is empty.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "hydraulics/port.h"

namespace rg::ui {
class Form;
class FileDialog;
}  // namespace rg::ui

namespace rg::app {

// An INLET row the user chose in the inlet list: the table's rowid, which
// tells apart rows the number cannot (one stored without a number, twins in a
// file without the unique index), and the number the list showed ("" for
// none). Whoever acts on it first checks that the row is still there, holding
// that number.
struct InletRow {
  std::int64_t row_id = 0;
  std::string number;
  // Whether the row's INLET_NUMBER, read as a text (Null as ""), is still the
  // number shown.
  bool held_by(std::string_view stored_number) const { return stored_number == number; }
  // How messages name the inlet.
  std::string called() const { return number.empty() ? "The inlet without a number" : "Inlet " + number; }
  // What a refusal says of a row that no longer holds the number shown, and
  // what did not happen ("nothing was deleted.").
  std::string gone(std::string_view outcome) const {
    return called() + " was changed or deleted by someone else since it was read: " + std::string(outcome);
  }
};

// What a search of the inlets answered.
struct InletSearch {
  enum class Outcome { Found, NotFound, Failed } outcome = Outcome::Failed;
  // The first inlet, in number order, that names the searched one as its
  // previous inlet (a PREINLET search that found one).
  std::string found;
  bool found_any() const { return outcome == Outcome::Found; }
  bool failed() const { return outcome == Outcome::Failed; }
};

struct Services {
  // --- The shell ---------------------------------------------------------------
  // The main window's file dialog, whose settings stay between uses.
  std::function<ui::FileDialog&()> file_dialog;

  // --- The inlet design form -----------------------------------------------------
  // The form, shown modally once handover.inlet_to_open and inlet_open_mode are set.
  std::function<ui::Form&()> inlet_design;
  // Its boxes.
  std::function<hyd::InletFormPort&()> inlet_boxes;
  // Whether an INLET row holds the value in the field ("INLET_NUMBER", or
  // "PREINLET1"/"PREINLET2", which search both sides and give the first
  // referring inlet). Failed when the search could not be carried out (the
  // reason has been shown): the caller refuses.
  std::function<InletSearch(std::string_view value, std::string_view field)> search_inlets;

  // --- Hydrology -----------------------------------------------------------------
  // Shows the time-of-concentration dialog modally: true when the user took
  // its Tc (SAVE Tc), false when the dialog was left without it (CANCEL,
  // Escape, the close box), which writes nothing.
  std::function<bool()> tc_dialog;
  // The drainage-area dialog of the open project (15 or 24 land-use rows).
  std::function<ui::Form&()> area_dialog;
  // The open project's rainfall coefficients for a storm return period, and
  // the intensity worked out from them; false after a box that says what was
  // not found.
  std::function<bool(int return_period)> compute_intensity;
  std::function<void()> compute_discharge;

  // --- The inlet list ------------------------------------------------------------
  // The list that the Design loop shows again and again.
  std::function<ui::Form&()> inlet_list;
  // Makes the list beneath the inlet design form show the rows as saved.
  std::function<void()> refresh_inlet_list;
};

}  // namespace rg::app
