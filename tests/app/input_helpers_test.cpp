#include "app/input_helpers.h"

#include <gtest/gtest.h>

#include "app/session.h"
#include "platform/ui/form.h"
#include "platform/ui/scripted_desktop.h"

using namespace rg;

namespace {

// A form declared from a table, as the program's big forms are: two number
// boxes in a frame, the first with its caption beside it, and a combo.
const ui::ControlSpec kNumbers[] = {
    {.name = "fraGutter", .kind = ui::ControlKind::Frame},
    {.container = "fraGutter", .caption = "LONG. SLOPE"},
    {.name = "txtS", .kind = ui::ControlKind::TextBox, .container = "fraGutter", .col = 1, .number_box = true},
    {.name = "txtn", .kind = ui::ControlKind::TextBox, .container = "fraGutter", .row = 1, .number_box = true},
    {.row = 1, .caption = "UNITS"},
    {.name = "units", .kind = ui::ControlKind::ComboBox, .row = 1, .col = 1, .items = {"ENGLISH", "METRIC"}},
    {.row = 2, .caption = "STORM FREQ."},
    {.name = "years", .kind = ui::ControlKind::ComboBox, .row = 2, .col = 1, .items = {"2", "10", "50"}},
};

class NumberForm : public ui::Form {
 public:
  explicit NumberForm(app::Session& session) : ui::Form("frmNumbers", "Numbers") {
    add_controls(kNumbers);
    rg::app::quillmere_libraries::wire_declared_controls(session, *this, kNumbers);
  }
};

class InputHelpers : public ::testing::Test {
 protected:
  void TearDown() override {
    for (const auto& f : desktop.failures()) ADD_FAILURE() << f;
  }
  ui::ScriptedDesktop desktop;
  app::Session session{desktop, "."};
  NumberForm form{session};
  ui::Control& s = form.control("txtS");
  ui::Control& n = form.control("txtn");
};

}  // namespace

TEST_F(InputHelpers, TheKeyFilterLetsDigitsControlKeysAndOneDecimalPointThrough) {
  struct Case { const char* before; int sel_start, sel_length; const char *typed, *after; } cases[] = {
      {"", 0, 0, "12.5", "12.5"},
      {"1.5", 3, 0, ".", "1.5"},   // a second decimal point is refused
      {"1.5", 1, 1, ".", "1.5"},   // accepted when it replaces the selected one
      {"1.5", 0, 3, "7", "7"},     // typing over the selection
      {"", 0, 0, "-+ aE,", ""},    // no sign, no letter, no blank, no comma
      {"2", 1, 0, "\b", ""},       // Backspace is a control key
      {"25", 0, 1, "3.", "3.5"},   // a first decimal point anywhere
  };
  for (const auto& c : cases) {
    s.fill_text(c.before);
    form.set_focus(s);
    s.set_selection(c.sel_start, c.sel_length);
    s.user_type(c.typed);
    EXPECT_EQ(s.text(), c.after) << "typing \"" << c.typed << "\" into \"" << c.before << '"';
  }
}

// What a number box refuses keeps the focus and says why, naming the box.
TEST_F(InputHelpers, LeavingANumberBoxFormatsOrKeepsTheFocusAndSaysWhy) {
  struct Case { const char *format, *typed, *shown; std::string selected; const char* says; } cases[] = {  // says nullptr: the focus leaves
      {"0.000", " 2 ", "2.000", "", nullptr},
      {"0.000", "12\r\n", "12.000", "", nullptr},  // a spreadsheet cell's line end is white space
      {"#0.0000", "0.01", "0.0100", "", nullptr},  // metric projects show four decimals
      {"0.000", ".", "0.000", "0.000", "\".\" alone is not a number; it is taken as 0.000."},
      {"0.000", "", "", "", "a number is required."},
      {"0.000", "   ", "   ", "   ", "a number is required."},  // pasted blanks count as empty
      // The refused text is selected, so typing replaces it.
      {"0.000", "1,5", "1,5", "1,5", "\"1,5\" is not a number. Please enter a number."},
      {"0.000", "1\n2", "1\n2", "1\n2", "\"1 2\" is not a number. Please enter a number."},  // quoted on one line
      // The program's own text is not held to the key filter: an offset signed
      // by its side, a value from the file.
      {"0.000", "-12.000", "-12.000", "", nullptr},
      {"0.000", "1e3", "1000.000", "", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    session.number_format = c.format;
    form.set_focus(s);
    s.fill_text(c.typed);
    s.set_selection(0, 0);
    if (c.says != nullptr) desktop.expect_box(std::string("LONG. SLOPE: ") + c.says);
    EXPECT_EQ(form.user_move_focus(n), c.says == nullptr);
    EXPECT_EQ(s.text(), c.shown);
    EXPECT_EQ(form.active_control(), c.says == nullptr ? &n : &s);
    EXPECT_EQ(s.sel_text(), c.selected);
  }
}

// The key filter judges a paste whole, where it lands; a refused paste is
// said, naming the box, and the box keeps what it held.
TEST_F(InputHelpers, APasteTheKeyFilterCouldNotHaveTypedIsRefusedWhereItLands) {
  struct Case { const char* before; int sel_start, sel_length; const char *pasted, *after, *refused; } cases[] = {
      {"", 0, 0, "12.5\r\n", "12.5", nullptr},  // a copied cell's line end is dropped
      {"2", 1, 0, " 5\t", "25", nullptr},
      {"1.5", 1, 2, ".7", "1.7", nullptr},       // the selected point is replaced
      {"1.5", 3, 0, ".2", "1.5", "\".2\""},      // a second point
      {"3.000", 0, 5, "-1.5", "3.000", "\"-1.5\""},
      {"3.000", 0, 5, "1e308", "3.000", "\"1e308\""},
      {"", 0, 0, "1\r\n2", "", "\"1 2\""},      // quoted as the box would have shown it
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pasted);
    s.fill_text(c.before);
    form.set_focus(s);
    s.set_selection(c.sel_start, c.sel_length);
    if (c.refused != nullptr) {
      desktop.expect_box(std::string("LONG. SLOPE: ") + c.refused +
                         " cannot be entered here. Please enter digits with at most one decimal point.");
    }
    s.user_paste(c.pasted);
    EXPECT_EQ(s.text(), c.after);
    EXPECT_EQ(form.active_control(), &s);
  }
}

// A text that is none of the items gives way to the item the list held,
// which the user's typing or paste did not change, selected so that the next
// keys replace it; the refusal names the list.
TEST_F(InputHelpers, AComboTextMustBeginAnItemOfItsList) {
  struct Case { const char *list, *held, *typed; bool pasted; const char* shown; const char* refused; } cases[] = {
      {"units", "METRIC", "", false, "", nullptr},  // the empty text begins every item
      {"units", "METRIC", "E", false, "ENGLISH", nullptr},  // a beginning is completed
      {"units", "ENGLISH", "METRIC", false, "METRIC", nullptr},
      {"units", "METRIC", "eng", false, "METRIC", "UNITS: \"eng\""},  // letter case counts
      {"units", "METRIC", "Albemarle\r\n", true, "METRIC", "UNITS: \"Albemarle\""},
      // A list of numbers takes only a whole item.
      {"years", "10", "5", false, "10", "STORM FREQ.: \"5\""},
      {"years", "2", "10", false, "10", nullptr},
      {"years", "50", "", false, "", nullptr},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.typed);
    auto& c = form.control(k.list);
    c.set_text(k.held);
    form.set_focus(c);
    c.set_selection(0, static_cast<int>(c.text().size()));
    k.pasted ? c.user_paste(k.typed) : c.user_edit_text(k.typed);
    if (k.refused) {
      desktop.expect_box(std::string(k.refused) + " - Value not present in the list... Please enter a valid value..");
    }
    EXPECT_EQ(rg::app::quillmere_libraries::validate_combo_entry(session, c), k.refused ? -1 : 0);
    EXPECT_EQ(c.text(), k.shown);
    if (k.refused) {
      EXPECT_EQ(c.sel_text(), k.shown);
    }
  }
}

TEST_F(InputHelpers, SelectAllOnADisabledBoxDoesNothing) {
  s.fill_text("1.250");
  s.set_enabled(false);
  rg::app::quillmere_libraries::select_all_text(s);
  EXPECT_EQ(form.active_control(), nullptr);
  EXPECT_EQ(s.sel_length(), 0);
}

TEST_F(InputHelpers, EnterInANumberBoxMovesOnAndTheNextBoxSelectsItsText) {
  session.number_format = "0.000";
  n.fill_text("0.016");
  form.user_move_focus(s);
  s.user_type(".5\r");  // Enter moves on, typing nothing
  EXPECT_EQ(s.text(), "0.500");
  EXPECT_EQ(form.active_control(), &n);
  EXPECT_EQ(n.sel_length(), 5);
}
