#pragma once
// A stand-in for the inlet design form that keeps the boxes' texts and records
// everything a computation or set-up does to it, in order.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hydraulics/port.h"

namespace rg::hyd::testing {

struct Event {
  enum class Kind { text, enabled, back_color, message, clear_results, format_results };
  Kind kind = Kind::text;
  std::string control;  // text, enabled, back_color
  std::string text;     // text written, or the message
  bool enabled = false;
  std::uint32_t color = 0;
  MessageIcon icon = MessageIcon::none;
  std::string title;
};

inline Event make_event(Event::Kind kind, std::string_view control = {}, std::string_view text = {}) {
  Event e;
  e.kind = kind;
  e.control = std::string(control);
  e.text = std::string(text);
  return e;
}

class RecordingForm : public InletFormPort {
 public:
  explicit RecordingForm(std::string unit_system = "ENGLISH") : units_(std::move(unit_system)) {}

  // Sets a box without recording it, as the user's typing would.
  void type(std::string_view control, std::string_view text) {
    boxes_[std::string(control)] = std::string(text);
  }
  void type_all(const std::map<std::string, std::string>& texts) {
    for (const auto& [control, text] : texts) type(control, text);
  }

  std::string text(std::string_view control) override {
    const auto it = boxes_.find(std::string(control));
    return it == boxes_.end() ? std::string() : it->second;
  }
  void set_text(std::string_view control, std::string_view text) override {
    boxes_[std::string(control)] = std::string(text);
    events.push_back(make_event(Event::Kind::text, control, text));
  }
  void set_enabled(std::string_view control, bool enabled) override {
    enabled_[std::string(control)] = enabled;
    Event e = make_event(Event::Kind::enabled, control);
    e.enabled = enabled;
    events.push_back(e);
  }
  void set_back_color(std::string_view control, std::uint32_t color) override {
    colors_[std::string(control)] = color;
    Event e = make_event(Event::Kind::back_color, control);
    e.color = color;
    events.push_back(e);
  }
  void show_message(std::string_view text, MessageIcon icon, std::string_view title) override {
    Event e = make_event(Event::Kind::message, {}, text);
    e.icon = icon;
    e.title = std::string(title);
    events.push_back(e);
  }
  void clear_results() override;
  void format_results() override { events.push_back(make_event(Event::Kind::format_results)); }
  std::string unit_system() override { return units_; }
  UnitCoefficients& unit_coefficients() override { return coefficients; }

  // What the record shows.
  std::vector<std::string> written() const;  // controls whose text was set, in order
  std::vector<Event> messages() const;
  int count(Event::Kind kind) const;
  std::optional<double> number(std::string_view control);  // a box's text as a number
  std::optional<bool> enabled(std::string_view control) const;
  std::optional<std::uint32_t> color(std::string_view control) const;

  std::vector<Event> events;
  UnitCoefficients coefficients;

 private:
  std::string units_;
  std::map<std::string, std::string> boxes_;
  std::map<std::string, bool> enabled_;
  std::map<std::string, std::uint32_t> colors_;
};

}  // namespace rg::hyd::testing
