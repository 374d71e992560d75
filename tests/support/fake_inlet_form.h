#pragma once
// A stand-in for the inlet design form behind its port, for the computations,
// the input set-ups and the hydrology: boxes by name, the flow data as one
// value, the boxes read, and a log of the writes, messages, clearings and
// formattings in order.

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hydraulics/port.h"

namespace rg::test {

class FakeInletForm : public hyd::InletFormPort {
 public:
  explicit FakeInletForm(std::string units = "ENGLISH") : units_(std::move(units)) {}

  // "text" (box and text), "message" (text, title and icon), "clear", "format" or "flow".
  struct Event {
    std::string what{}, box{}, text{}, title{};
    hyd::MessageIcon icon = hyd::MessageIcon::none;
  };
  std::vector<Event> log;
  std::map<std::string, std::string, std::less<>> boxes;
  std::map<std::string, bool, std::less<>> enabled;
  std::map<std::string, std::uint32_t, std::less<>> colors;
  std::set<std::string, std::less<>> read;
  hyd::FlowData flow;
  hyd::UnitCoefficients coefficients;

  std::vector<Event> of(std::string_view what) const {
    std::vector<Event> out;
    for (const Event& e : log) {
      if (e.what == what) out.push_back(e);
    }
    return out;
  }
  // The boxes whose text the code set, in order.
  std::vector<std::string> written() const {
    std::vector<std::string> out;
    for (const Event& e : of("text")) out.push_back(e.box);
    return out;
  }

  // What a box shows, by any name.
  std::string shown(std::string_view name) const {
    const auto it = boxes.find(name);
    return it == boxes.end() ? std::string() : it->second;
  }

  std::string text(hyd::Box box) override {
    read.emplace(box);
    return shown(box);
  }
  void set_text(hyd::Box box, std::string_view text) override {
    boxes[std::string(box)] = text;
    log.push_back({"text", std::string(box), std::string(text)});
  }
  void set_enabled(hyd::Box box, bool on) override { enabled[std::string(box)] = on; }
  void set_back_color(hyd::Box box, std::uint32_t color) override { colors[std::string(box)] = color; }
  void show_message(std::string_view text, hyd::MessageIcon icon, std::string_view title) override {
    log.push_back({"message", "", std::string(text), std::string(title), icon});
  }
  void clear_results() override {
    for (const auto box : hyd::controls::result_boxes) boxes[std::string(box)] = "";
    log.push_back({"clear"});
  }
  void format_results() override { log.push_back({"format"}); }
  std::string unit_system() override { return units_; }
  hyd::UnitCoefficients& unit_coefficients() override { return coefficients; }
  hyd::FlowData flow_data() override { return flow; }
  void write_flow(const hyd::FlowWrites& w) override {
    auto put = [](auto& box, const auto& value) {
      if (value) box = *value;
    };
    put(flow.tc, w.tc);
    put(flow.tc_str, w.tc_str);
    put(flow.tc_option_str, w.tc_option_str);
    put(flow.tc_computed, w.tc_computed);
    for (std::size_t side = 0; side < 2; ++side) {
      put(flow.area_str[side], w.area_str[side]);
      put(flow.c_str[side], w.c_str[side]);
      put(flow.total_area[side], w.total_area[side]);
      put(flow.total_ca[side], w.total_ca[side]);
      put(flow.carryover[side], w.carryover[side]);
      put(flow.discharge[side], w.discharge[side]);
    }
    put(flow.intensity, w.intensity);
    put(flow.qtotal, w.qtotal);
    log.push_back({"flow"});
  }

 private:
  std::string units_;
};

}  // namespace rg::test
