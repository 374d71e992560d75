#pragma once
// What the inlet design form keeps for one showing: its record sets, the
// binding of its boxes, and the texts its handlers remember between a box's
// getting and losing the focus.

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/input_helpers.h"
#include "inlet/inlet_form.h"
#include "platform/db/binding.h"
#include "platform/db/record_set.h"

namespace rg::inlet {

// The binding goes before the record sets it listens to, and the controls it
// points at outlive it.
struct FrmInletMain::Showing : ui::ShowingBase {
  app::quillmere_libraries::BoundFields fields;
  // The bound controls whose texts are the inputs of a computation.
  std::vector<ui::Control*> inputs;
  db::RecordSet adoInletRS;
  db::RecordSet carryoverRS;
  // The row shown: the one the list chose, or the one a Save stored. The
  // form's Edit opens it again, and a Save writes it only while it holds this
  // number.
  app::InletRow opened;
  db::Binding binding;
  db::RecordSet::ListenerId move_listener = 0;
  std::array<bool, 15> pressed{};
  // Above zero while code (not the user) selects list items.
  int code_depth = 0;
  // The text of inlet_type or inlet_location when it got the focus.
  std::string remembered_kind;
  // The text each list last ran its choice rules for; none after a refusal
  // emptied what they had worked out, so that the next choice is acted on,
  // whichever it is.
  std::map<const ui::Control*, std::optional<std::string>> ruled_text;
  std::string itc_text;
  bool itc_edited = false;
  std::array<std::string, 3> preinlet_text;  // by side, 1 and 2
  // The handlers of the boxes, a tab each.
  std::shared_ptr<IdentificationTab> identification;
  std::shared_ptr<FlowDataTab> flow_data;
  std::shared_ptr<DetailsTab> details;
};

// Runs what code selects in the lists as code: Click handlers that would move
// the focus after a user's choice leave it where it is.
class CodeScope {
 public:
  explicit CodeScope(int& depth) : depth_(depth) { ++depth_; }
  ~CodeScope() { --depth_; }
  CodeScope(const CodeScope&) = delete;
  CodeScope& operator=(const CodeScope&) = delete;

 private:
  int& depth_;
};

}  // namespace rg::inlet
