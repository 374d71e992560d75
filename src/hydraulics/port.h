#pragma once
// The one way into the inlet design form's boxes from outside the form: the
// inlet computations and input set-ups reach boxes by name (controls.h), the
// hydrology procedures and dialogs read and write the flow data as typed
// values. The form implements it; they know nothing else of it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "hydraulics/coefficients.h"
#include "hydraulics/controls.h"

namespace rg::hyd {

// The two system colours an input box is shown in.
inline constexpr std::uint32_t color_window_background = 0x80000005u;
inline constexpr std::uint32_t color_button_face = 0x8000000Fu;

enum class MessageIcon { none, exclamation, information };

// How a computation ended. The form's Solve decides what to make of it.
enum class Outcome {
  done,     // every result written, then formatted
  refused,  // the inputs were turned down before anything was computed
  failed,   // a run-time failure ended it; what was written stays, unformatted
};

// The flow data of the form as the hydrology procedures and dialogs see it:
// the text of each box (index 0 of a pair is side 1, index 1 side 2).
struct FlowData {
  std::string storm_frequency{};
  std::string cf{};  // the frequency factor
  std::string tc{};  // the time of concentration
  // The Tc dialog's inputs and included segments as TcStr and Tcoptionstr keep
  // them, and whether the Tc is the dialog's (Check_ComputeTc).
  std::string tc_str{};
  std::string tc_option_str{};
  int tc_computed = 0;
  // The drainage-area dialog's rows as AREABUFSTR and CBUFSTR keep them, the
  // total area and the total C x A.
  std::array<std::string, 2> area_str{};
  std::array<std::string, 2> c_str{};
  std::array<std::string, 2> total_area{};
  std::array<std::string, 2> total_ca{};
  std::string intensity{};
  std::array<std::string, 2> carryover{};
  std::array<std::string, 2> discharge{};
  std::string qtotal{};
  bool sump = false;  // the inlet sits in a sag, so side 2 counts
  friend bool operator==(const FlowData&, const FlowData&) = default;
};

// What a procedure or dialog writes into the flow data: every value given is
// a code write of its box (the box's change handling runs), in the order
// declared; the boxes without one keep what they show.
struct FlowWrites {
  std::optional<std::string> tc{};
  std::optional<std::string> tc_str{};
  std::optional<std::string> tc_option_str{};
  std::optional<int> tc_computed{};
  std::array<std::optional<std::string>, 2> area_str{};
  std::array<std::optional<std::string>, 2> c_str{};
  std::array<std::optional<std::string>, 2> total_area{};
  std::array<std::optional<std::string>, 2> total_ca{};
  std::array<std::optional<std::string>, 2> carryover{};
  std::optional<std::string> intensity{};
  std::array<std::optional<std::string>, 2> discharge{};
  std::optional<std::string> qtotal{};
};

class InletFormPort {
 public:
  virtual ~InletFormPort() = default;

  // Boxes and lists by name ("QTotal", "txtS", "cboType", ...).
  virtual std::string text(Box box) = 0;
  virtual void set_text(Box box, std::string_view text) = 0;
  virtual void set_enabled(Box box, bool enabled) = 0;
  virtual void set_back_color(Box box, std::uint32_t color) = 0;

  // A modal box with an OK button; an empty title stands for the application's title.
  virtual void show_message(std::string_view text, MessageIcon icon, std::string_view title) = 0;

  // Empties every result box / formats every result box with its display pattern.
  virtual void clear_results() = 0;
  virtual void format_results() = 0;

  // The open project's unit system ("ENGLISH" or anything else for metric).
  virtual std::string unit_system() = 0;

  // The program's one set of unit coefficients; a computation overwrites only
  // those it uses, the rest keep what the last setter left.
  virtual UnitCoefficients& unit_coefficients() = 0;

  // The flow data, read and written as typed values.
  virtual FlowData flow_data() = 0;
  virtual void write_flow(const FlowWrites& writes) = 0;
};

}  // namespace rg::hyd
