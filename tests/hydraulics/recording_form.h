#pragma once
// A stand-in for the inlet design form that keeps the boxes' texts and records
// everything a computation or set-up does to it, in order.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hydraulics/controls.h"
#include "hydraulics/port.h"
#include "platform/text/number_text.h"

namespace rg::hyd::testing {

struct Event {
  enum class Kind { text, enabled, back_color, message, clear_results, format_results };
  Kind kind = Kind::text;
  std::string control;  // text, enabled, back_color
  std::string text;     // text written, or the message
  std::string title;
  MessageIcon icon = MessageIcon::none;
};

class RecordingForm : public InletFormPort {
 public:
  explicit RecordingForm(std::string unit_system = "ENGLISH") : units_(std::move(unit_system)) {}

  // Sets a box without recording it, as the user's typing would.
  void type(std::string_view control, std::string_view text) { boxes_[std::string(control)] = text; }

  // What a box shows, by any name.
  std::string shown(std::string_view control) const {
    const auto it = boxes_.find(std::string(control));
    return it == boxes_.end() ? std::string() : it->second;
  }

  std::string text(Box box) override { return shown(box); }
  void set_text(Box box, std::string_view text) override {
    type(box, text);
    record(Event::Kind::text, box, text);
  }
  void set_enabled(Box box, bool enabled) override {
    enabled_[std::string(box)] = enabled;
    record(Event::Kind::enabled, box);
  }
  void set_back_color(Box box, std::uint32_t color) override {
    colors_[std::string(box)] = color;
    record(Event::Kind::back_color, box);
  }
  void show_message(std::string_view text, MessageIcon icon, std::string_view title) override {
    record(Event::Kind::message, {}, text, title, icon);
  }
  void clear_results() override {
    for (const auto box : controls::result_boxes) type(box, "");
    record(Event::Kind::clear_results);
  }
  void format_results() override { record(Event::Kind::format_results); }
  std::string unit_system() override { return units_; }
  UnitCoefficients& unit_coefficients() override { return coefficients; }
  // The computations leave the flow data alone.
  FlowData flow_data() override { return {}; }
  void write_flow(const FlowWrites&) override {}

  // The events of one kind, in order.
  std::vector<Event> of(Event::Kind kind) const {
    std::vector<Event> out;
    for (const Event& e : events) {
      if (e.kind == kind) out.push_back(e);
    }
    return out;
  }
  // Controls whose text was set, in order.
  std::vector<std::string> written() const {
    std::vector<std::string> out;
    for (const Event& e : of(Event::Kind::text)) out.push_back(e.control);
    return out;
  }
  std::optional<double> number(std::string_view control) const { return text::parse_number(shown(control)); }
  std::optional<bool> enabled(const std::string& control) const {
    return enabled_.count(control) ? std::optional(enabled_.at(control)) : std::nullopt;
  }
  std::optional<std::uint32_t> color(const std::string& control) const {
    return colors_.count(control) ? std::optional(colors_.at(control)) : std::nullopt;
  }

  std::vector<Event> events;
  UnitCoefficients coefficients;

 private:
  void record(Event::Kind kind, std::string_view control = {}, std::string_view text = {},
              std::string_view title = {}, MessageIcon icon = MessageIcon::none) {
    events.push_back(
        Event{kind, std::string(control), std::string(text), std::string(title), icon});
  }

  std::string units_;
  std::map<std::string, std::string> boxes_;
  std::map<std::string, bool> enabled_;
  std::map<std::string, std::uint32_t> colors_;
};

}  // namespace rg::hyd::testing
