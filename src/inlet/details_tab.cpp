// The inlet-details tab: the gutter, the inlet's own dimensions and the
// clogging, each box checked and formatted when it is left.

#include <array>
#include <string>
#include <utility>

#include "app/session.h"
#include "inlet/tab_context.h"
#include "inlet/unit_settings.h"
#include "platform/text/number_text.h"

namespace rg::inlet {

struct FrmInletMain::DetailsTab : TabContext {
  void clogging_Validate(Control& clog, bool& cancel) {
    const std::string t = text::trim(clog.text());
    if (t == ".") {
      clog.set_text("0");
      clog.set_selection(0, 1);
      return;
    }
    if (t.empty()) {
      session.desktop().beep();
      clear_results();
      return;
    }
    const auto v = text::parse_number(t);
    if (!v) {
      app::quillmere_libraries::validate_number_box(session, clog, cancel);
      return;
    }
    const auto& kind = c("inlet_type").text();
    if (*v > 99 && (kind == "Grate Inlet" || kind == "Slotted Inlet" || kind == "Grate Inlet in a Ditch")) {
      // The clogging the list held stays, and so does what was worked out
      // from it; the next keys replace it.
      clog.show_held_text();
      show_box(session.desktop(),
               clog.label() + ": " + text::quoted(t) + " - Clogged cannot be 100%! Please enter new value.",
               Buttons::OK, Icon::Exclamation);
      cancel = true;
      return;
    }
    clog.set_text(text::format_number(*v, "#0"));
    if (*v == 0) session.desktop().beep();
    clear_results();
  }

  void throat_Click() {
    clear_results();
    auto& angle = c("txtAngle");
    const auto& throat = c("cboThroat").text();
    if (throat != "Vertical" && throat != "Horizontal" && throat != "Inclined") return;
    angle.set_enabled(throat == "Inclined");
    angle.set_text(throat == "Vertical" ? "0.00" : "90.00");
  }

  void wire() {
    // Boxes written with a fixed pattern when left.
    const std::array<std::pair<const char*, const char*>, 4> fixed = {
        {{"txtS", "0.0000"}, {"txtn", "0.000"}, {"txtSx", "0.0000"}, {"txtSw", "0.0000"}}};
    for (const auto& [name, pattern] : fixed) {
      auto& box = c(name);
      number_entry(box);
      box.LostFocus = [this, &box, p = pattern] { format(box, p); };
    }
    for (const char* name : {"TopElevation", "txtW", "allowable_spread", "txtAngle"}) number_entry(c(name));
    auto& top = c("TopElevation");
    top.LostFocus = [this, &top] { format(top, session.number_format); };
    auto& spread = c("allowable_spread");
    // Blanks alone count as empty: the box takes its default.
    spread.Validate = [this, &spread](bool& cancel) {
      if (text::trim(spread.text()).empty()) {
        spread.set_text("");
      } else {
        refuse_non_number(spread, cancel);
      }
    };
    spread.LostFocus = [this, &spread] {
      if (spread.text().empty()) spread.set_text(std::string(allowable_spread_default(f.unit_system())));
      format(spread, "0.0");
    };
    // The number boxes of the table are checked and formatted when left.
    for (const char* name : {"txtWa", "txta", "txtWg", "txtzl", "txtzr", "txthco", "txtPeri", "txtArea",
                             "txtslotw"}) {
      auto& box = c(name);
      box.LostFocus = [this, &box] { format(box, session.number_format); };
    }
    auto& length = c("cboLength");
    length.Change = [this] { clear_results(); };
    auto& upstream = c("cboLCOUG");
    for (Control* box : {&length, &upstream}) {
      box->LostFocus = [this, box] {
        format(*box, session.number_format);
        clear_results();
      };
    }

    auto& w = c("txtW");
    w.LostFocus = [this, &w] {
      const auto width = text::parse_number(w.text());
      if (!width) return;
      auto& sw = c("txtSw");
      const bool no_gutter = *width == 0;
      if (no_gutter) sw.set_text(c("txtSx").text());
      sw.set_locked(no_gutter);
      sw.set_back_color(no_gutter ? ui::kButtonFace : ui::kWindowBackground);
      format(w, session.number_format);
    };
    auto& sx = c("txtSx");
    sx.LostFocus = [this, &sx] {
      const auto width = text::parse_number(c("txtW").text());
      if (!width) {
        show_box(session.desktop(), "error in Pavement Cross slope Data!", Buttons::OK, Icon::Exclamation);
        return;
      }
      if (*width == 0) c("txtSw").set_text(sx.text());
      format(sx, "0.0000");
    };

    auto& angle = c("txtAngle");
    angle.GotFocus = [this, &angle] {
      const auto& throat = c("cboThroat").text();
      if (throat == "Vertical" || throat == "Horizontal") {
        angle.set_enabled(false);
      } else if (throat == "Inclined") {
        angle.set_enabled(true);
        app::quillmere_libraries::select_all_text(angle);
      }
    };

    auto& clog = c("cboClog");
    app::quillmere_libraries::filter_number_keys(session, clog);
    clog.Click = [this] { clear_results(); };
    clog.Validate = [this, &clog](bool& cancel) { clogging_Validate(clog, cancel); };
    choice_list(c("cboType"), [this] { clear_results(); });
    choice_list(c("cboCurb"), [this] { clear_results(); });
    choice_list(c("cboThroat"), [this] { throat_Click(); });
  }
};

void FrmInletMain::wire_details_tab() {
  auto& s = shown();
  s.details = std::make_shared<DetailsTab>(DetailsTab{{*this, session_, s}});
  s.details->wire();
}

}  // namespace rg::inlet
