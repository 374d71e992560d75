#pragma once
// What the inlet computations and input set-ups need of the inlet design form.
// The form implements this; the computations know nothing else of it.

#include <cstdint>
#include <string>
#include <string_view>

#include "hydraulics/coefficients.h"

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

class InletFormPort {
 public:
  virtual ~InletFormPort() = default;

  // Boxes and lists are reached by their control names ("QTotal", "txtS", "cboType", ...).
  virtual std::string text(std::string_view control) = 0;
  virtual void set_text(std::string_view control, std::string_view text) = 0;
  virtual void set_enabled(std::string_view control, bool enabled) = 0;
  virtual void set_back_color(std::string_view control, std::uint32_t color) = 0;

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
};

}  // namespace rg::hyd
