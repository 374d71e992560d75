#include "recording_form.h"

#include "hydraulics/controls.h"
#include "platform/text/number_text.h"

namespace rg::hyd::testing {

void RecordingForm::clear_results() {
  for (const auto box : controls::result_boxes) boxes_[std::string(box)].clear();
  events.push_back(make_event(Event::Kind::clear_results));
}

std::vector<std::string> RecordingForm::written() const {
  std::vector<std::string> out;
  for (const Event& e : events) {
    if (e.kind == Event::Kind::text) out.push_back(e.control);
  }
  return out;
}

std::vector<Event> RecordingForm::messages() const {
  std::vector<Event> out;
  for (const Event& e : events) {
    if (e.kind == Event::Kind::message) out.push_back(e);
  }
  return out;
}

int RecordingForm::count(Event::Kind kind) const {
  int n = 0;
  for (const Event& e : events) n += e.kind == kind ? 1 : 0;
  return n;
}

std::optional<double> RecordingForm::number(std::string_view control) {
  return rg::text::parse_number(text(control));
}

std::optional<bool> RecordingForm::enabled(std::string_view control) const {
  const auto it = enabled_.find(std::string(control));
  if (it == enabled_.end()) return std::nullopt;
  return it->second;
}

std::optional<std::uint32_t> RecordingForm::color(std::string_view control) const {
  const auto it = colors_.find(std::string(control));
  if (it == colors_.end()) return std::nullopt;
  return it->second;
}

}  // namespace rg::hyd::testing
