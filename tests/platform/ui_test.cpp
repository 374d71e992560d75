#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ui/form.h"
#include "platform/ui/scripted_desktop.h"

using namespace rg::ui;

namespace {

using Log = std::vector<std::string>;

// A small dialog with a menu entry, three boxes, a combo, a check box, two
// option buttons and a button, recording its events.
class Probe : public Form {
 public:
  Probe() : Form("frmProbe", "Probe") {
    frame = &add("Frame1", ControlKind::Frame);
    a = &add("txtA", ControlKind::TextBox, {frame, 0, 1});
    b = &add("txtB", ControlKind::TextBox, {frame, 1, 1});
    c = &add("txtC", ControlKind::TextBox, {frame, 2, 1});
    combo = &add("cboUnits", ControlKind::ComboBox, {frame, 3, 1});
    check = &add("chkKeep", ControlKind::CheckBox, {frame, 4, 1});
    opt1 = &add("optOne", ControlKind::OptionButton, {frame, 5, 0});
    opt2 = &add("optTwo", ControlKind::OptionButton, {frame, 5, 1});
    ok = &add("cmdOK", ControlKind::CommandButton, {nullptr, 1, 0});
    add_menu("mnuFile", "&File").add("mnuExit", "E&xit").Click = [this] { log.push_back("mnuExit.Click"); };
    for (Control* x : {a, b, c, combo}) {
      x->Change = [this, x] { log.push_back(x->name() + ".Change"); };
      x->GotFocus = [this, x] { log.push_back(x->name() + ".GotFocus"); };
      x->LostFocus = [this, x] { log.push_back(x->name() + ".LostFocus"); };
    }
    for (Control* x : {combo, check, opt1, opt2, ok}) {
      x->Click = [this, x] { log.push_back(x->name() + ".Click"); };
    }
    a->Validate = [this](bool& cancel) {
      log.push_back("txtA.Validate");
      if (a->text().empty()) cancel = true;
    };
  }
  void Form_Load() override { log.push_back("Load"); }
  void Form_QueryUnload(bool& cancel, UnloadMode) override {
    log.push_back("QueryUnload");
    cancel = refuse_unload;
  }
  void Form_Unload(bool&) override { log.push_back("Unload"); }

  Control *frame, *a, *b, *c, *combo, *check, *opt1, *opt2, *ok;
  Log log;
  bool refuse_unload = false;
};

}  // namespace

TEST(Controls, EventsFollowTheRulesOfCodeWritesUserActionsFocusMovesAndUnloads) {
  struct Case {
    const char* what;
    std::function<void(Probe&)> act;
    Log events;
  } cases[] = {
      {"a code write raises Change only when the text differs",
       [](Probe& f) { for (const char* t : {"1.5", "1.5", ""}) f.a->set_text(t); }, {"txtA.Change", "txtA.Change"}},
      {"filling from a record raises nothing", [](Probe& f) { f.a->fill_text("2.0"); }, {}},
      {"an item selected by code raises Click; its text, written, selects it with Change",
       [](Probe& f) {
         f.combo->set_items({"ENGLISH", "METRIC"});
         f.combo->set_list_index(1);
         f.combo->set_text("ENGLISH");
         EXPECT_EQ(f.combo->list_index(), 0);
         EXPECT_THROW(f.combo->set_list_index(2), std::out_of_range);
       },
       {"cboUnits.Click", "cboUnits.Change"}},
      {"check and option values set by code raise Click; an option clears the others",
       [](Probe& f) {
         for (Control* x : {f.check, f.check, f.opt1, f.opt2}) x->set_value(1);
         EXPECT_EQ(f.opt1->value(), 0);
       },
       {"chkKeep.Click", "optOne.Click", "optTwo.Click"}},
      {"a disabled control or menu entry ignores the user; an entry is found at any level",
       [](Probe& f) {
         f.check->set_enabled(false);
         f.check->user_click();
         f.menu("mnuExit").user_click();
         f.menu("mnuExit").set_enabled(false);
         f.menu("mnuExit").user_click();
         EXPECT_THROW(f.menu("mnuNone"), std::out_of_range);
       },
       {"mnuExit.Click"}},
      {"user moves run GotFocus, Validate, LostFocus in order; a refusing Validate keeps the focus",
       [](Probe& f) {
         for (Control* x : {f.a, f.b}) f.user_move_focus(*x);
         EXPECT_EQ(f.active_control(), f.a);
         f.a->fill_text("x");
         f.user_move_focus(*f.b);
       },
       {"txtA.GotFocus", "txtA.Validate", "txtA.Validate", "txtA.LostFocus", "txtB.GotFocus"}},
      {"code SetFocus runs no focus events", [](Probe& f) { f.set_focus(*f.b); }, {}},
      {"a LostFocus that sends the focus back itself has the last word",
       [](Probe& f) {
         f.user_move_focus(*f.b);
         f.b->LostFocus = [&f] {
           f.log.push_back("txtB.LostFocus");
           f.set_focus(*f.b);
         };
         EXPECT_FALSE(f.user_move_focus(*f.c));
         EXPECT_EQ(f.active_control(), f.b);
       },
       {"txtB.GotFocus", "txtB.LostFocus"}},
      {"the arrow keys' step runs a list's Click but not the focus move it asks for; a pick moves on",
       [](Probe& f) {
         f.combo->set_items({"ENGLISH", "METRIC"});
         f.combo->Click = [&f] {
           f.log.push_back("cboUnits.Click");
           f.send_tab();
         };
         f.user_move_focus(*f.combo);
         f.combo->user_step(1);
         EXPECT_EQ(f.active_control(), f.combo);
         f.combo->user_select(0);
         EXPECT_EQ(f.active_control(), f.check);
       },
       {"cboUnits.GotFocus", "cboUnits.Click", "cboUnits.Click", "cboUnits.LostFocus"}},
      {"a press on a cancel button acts where the focus is, unvalidated; another waits for the box",
       [](Probe& f) {
         f.user_move_focus(*f.a);
         f.user_press(*f.ok);
         f.ok->set_cancel(true);
         f.user_press(*f.ok);
         EXPECT_EQ(f.active_control(), f.a);
       },
       {"txtA.GotFocus", "txtA.Validate", "cmdOK.Click"}},
      {"an unload asks QueryUnload, which may refuse, then runs Unload; loading a loaded form does nothing",
       [](Probe& f) {
         f.load();
         f.load();
         f.refuse_unload = true;
         EXPECT_FALSE(f.unload() || !f.is_loaded());
         f.refuse_unload = false;
         EXPECT_TRUE(f.unload(UnloadMode::CloseBox) && f.was_unloaded());
       },
       {"Load", "QueryUnload", "QueryUnload", "Unload"}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.what);
    Probe f;
    k.act(f);
    EXPECT_EQ(f.log, k.events);
  }
}

TEST(Focus, SendTabSkipsDisabledHiddenLockedAndNonStopControlsInDeclarationOrder) {
  Probe f;
  f.a->set_text("x");
  f.user_move_focus(*f.a);
  f.b->set_enabled(false);
  f.c->set_visible(false);
  f.combo->set_locked(true);
  EXPECT_TRUE(f.send_tab());
  EXPECT_EQ(f.active_control(), f.check);
  f.opt1->set_tab_stop(false);
  f.send_tab();
  EXPECT_EQ(f.active_control(), f.opt2);
  f.send_tab(true);  // Shift+Tab
  EXPECT_EQ(f.active_control(), f.check);
  // A disabled frame disables what it holds.
  f.frame->set_enabled(false);
  f.send_tab();
  EXPECT_EQ(f.active_control(), f.ok);
  f.send_tab();
  EXPECT_EQ(f.active_control(), f.ok) << "the only control left that can take the focus";
}

TEST(Keys, KeyPressMayDropChangeOrTurnAKeyIntoAMoveAndEachKeyReplacesTheSelection) {
  Probe f;
  f.b->KeyPress = [&f](int& key) {
    if (key == 'x') key = 0;
    if (key == 'a') key = 'A';
    if (key == kKeyEnter) {
      f.send_tab();
      key = 0;
    }
  };
  f.user_move_focus(*f.b);
  f.b->user_type("1xa2\b");
  EXPECT_EQ(f.b->text(), "1A");
  f.b->set_selection(0, 1);
  f.c->fill_text("old");
  f.b->user_type("7\r");
  EXPECT_EQ(f.b->text(), "7A");
  EXPECT_EQ(f.active_control(), f.c);
  // A box reached by the keys (Enter made a Tab here, then Shift+Tab) has its
  // whole text selected, so a paste replaces it; a click leaves the caret
  // where it was put.
  f.c->user_paste("Route 9");
  EXPECT_EQ(f.c->text(), "Route 9");
  f.send_tab(true);
  EXPECT_EQ(f.b->sel_text(), "7A");
  f.c->set_selection(2, 0);
  f.user_move_focus(*f.c);
  EXPECT_EQ(f.c->sel_start() + 10 * f.c->sel_length(), 2);
  // A Tab that the box left refuses selects nothing where it did not go.
  f.b->set_selection(1, 0);
  f.c->Validate = [](bool& cancel) { cancel = true; };
  f.send_tab(true);
  EXPECT_EQ(f.b->sel_start() + 10 * f.b->sel_length(), 1);
  f.c->Validate = nullptr;

  // Tab into a list selects its whole text, and a Change handler that completes
  // a typed beginning to its item leaves the completed tail selected.
  f.combo->set_items({"ENGLISH", "METRIC"});
  f.combo->set_text("Grate Inlet");
  f.combo->Change = [&f] {
    for (const std::string& item : f.combo->items()) {
      if (item.rfind(f.combo->text(), 0) == 0) f.combo->set_text(item);
    }
  };
  f.send_tab();
  ASSERT_EQ(f.active_control(), f.combo);
  f.combo->user_type("MET");
  EXPECT_EQ(f.combo->text(), "METRIC");
  EXPECT_EQ(f.combo->sel_text(), "RIC");
}

// A paste loses the white space a copied cell carries around it, and in a
// one-line box its inner tabs and line ends become blanks, so the box holds
// what it shows; the key filter judges the paste whole where it lands.
TEST(Keys, APasteIsCleanedOfItsCellsWhiteSpaceAndJudgedWholeByTheKeyFilter) {
  Probe f;
  f.c->set_multiline(true);
  std::vector<std::string> refused;
  f.b->KeyPress = [&f](int& key) {
    if (key == 'x' || (key == '-' && f.b->sel_start() > 0)) key = 0;  // a sign only in front
  };
  f.b->PasteRefused = [&refused](const std::string& pasted) { refused.push_back(pasted); };
  struct Case { Control* box; const char* before; int caret; const char *pasted, *after; } cases[] = {
      {f.a, "", 0, "20+00\r\n", "20+00"},
      {f.a, "", 0, " Route 9\tnorth\r\nbound\n", "Route 9 north bound"},
      {f.combo, "", 0, "Albemarle\r\n", "Albemarle"},
      {f.c, "", 0, "\tfirst line\nsecond\r\n", "first line\nsecond"},  // a multi-line box keeps its lines
      {f.b, "7", 0, "-12\n", "-127"},  // in front of the 7 the sign passes
      {f.b, "7", 1, "-12", "7"},        // after it, the paste is refused and the box keeps its text
      {f.b, "7", 1, "x", "7"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pasted);
    c.box->fill_text(c.before);
    f.set_focus(*c.box);
    c.box->set_selection(c.caret, 0);
    c.box->user_paste(c.pasted);
    EXPECT_EQ(c.box->text(), c.after);
  }
  EXPECT_EQ(refused, (std::vector<std::string>{"-12", "x"}));
  // A box the user cannot type into takes no paste either.
  f.a->set_locked(true);
  f.a->user_paste("5");
  EXPECT_EQ(f.a->text(), "Route 9 north bound");
}

// Every headless form test leans on this: a box, form or file dialog no script
// foresaw is a failure, never a silent pass. A file dialog keeps its settings
// and raises on Cancel only with CancelError.
TEST(ScriptedDesktop, RecordsWhatTheScriptDidNotForesee) {
  ScriptedDesktop desktop;
  FileDialog dlg;
  dlg.Flags = FileDialog::kFileMustExist;
  desktop.expect_file("/home/designer/a.rvg");
  dlg.ShowOpen(desktop);
  desktop.expect_file(std::nullopt);
  dlg.ShowSave(desktop);
  EXPECT_EQ(dlg.FileName, "/home/designer/a.rvg") << "Cancel without CancelError leaves the name";
  dlg.CancelError = true;
  desktop.expect_file(std::nullopt);
  EXPECT_THROW(dlg.ShowSave(desktop), Error);
  EXPECT_TRUE(desktop.file_dialogs().at(2).file_must_exist) << "the flags are kept";

  Probe f;
  desktop.expect_box("Saved!", Answer::OK);
  EXPECT_EQ(show_box(desktop, "Exit without saving? ", Buttons::YesNo, Icon::Exclamation), Answer::No);
  desktop.show_modal(f);  // no script: taken down
  EXPECT_TRUE(f.was_unloaded());
  const auto failures = desktop.failures();
  ASSERT_EQ(failures.size(), 2u);
  EXPECT_NE(failures[0].find("Exit without saving? "), std::string::npos);
  EXPECT_NE(failures[1].find("unscripted modal form"), std::string::npos);
}

// --- The life of a showing ----------------------------------------------------------

namespace {

// Tells when a showing's state is destroyed.
struct Watched : ShowingBase {
  explicit Watched(int& freed) : freed(freed) {}
  ~Watched() override { ++freed; }
  int& freed;
};

// A form designed at each load, whose design or Form_Load may throw (or the
// load unload it again), and whose members (module-level state) outlive its
// showings.
class Reloading : public Form {
 public:
  Reloading() : Form("frmReload", "Reload") {}
  enum class Fail { None, Design, Load, Unload } fail = Fail::None;
  int loads = 0;
  int freed = 0;
  void design() override {
    box = &add("txtBox", ControlKind::TextBox);
    box->set_text("design value");
    add_menu("mnuFile", "&File");
    add_status_bar().add_panel(StatusBar::PanelStyle::Text);
    emplace_showing<Watched>(freed);
    if (fail == Fail::Design) throw std::runtime_error("design failed");
  }
  void Form_Load() override {
    ++loads;
    if (fail == Fail::Load) throw std::runtime_error("no inlets");
    if (fail == Fail::Unload) unload();
  }
  Control* box = nullptr;
};

}  // namespace

// Each showing is built afresh at load and released whole at unload, or when
// its load throws; the form's own members outlive it. A form that unloads
// while loading is not shown.
TEST(Forms, EachLoadBuildsTheShowingAfreshAndAFailedLoadLeavesNothing) {
  using Fail = Reloading::Fail;
  for (const auto fail : {Fail::None, Fail::Design, Fail::Load, Fail::Unload}) {
    ScriptedDesktop desktop;
    Reloading f;
    f.fail = fail;
    if (fail == Fail::None) {
      f.load();
      f.box->set_text("typed");
      f.set_caption("changed");
      ASSERT_TRUE(f.unload());
    } else if (fail == Fail::Unload) {
      EXPECT_FALSE(desktop.show_modal(f));
    } else {
      EXPECT_THROW(desktop.show_modal(f), std::runtime_error);
    }
    EXPECT_FALSE(f.is_loaded());
    EXPECT_EQ(f.freed, 1) << "the state of the showing is released";
    EXPECT_TRUE(f.controls().empty() && f.menus().empty() && f.status_bar() == nullptr);
    f.fail = Fail::None;
    desktop.expect_modal("frmReload", [](Form& shown) {
      EXPECT_EQ(shown.control("txtBox").text(), "design value");
      EXPECT_TRUE(shown.controls().size() == 1 && shown.menus().size() == 1) << "nothing of the last showing";
      EXPECT_EQ(shown.caption(), "Reload");
      shown.unload();
    });
    EXPECT_TRUE(desktop.show_modal(f));
    EXPECT_EQ(f.loads, fail == Fail::Design ? 1 : 2);
    EXPECT_TRUE(desktop.failures().empty());
  }
}

// Each entry point that runs handlers, with a handler that unloads the form and
// then still uses what its control holds (its captures): the showing stays
// until the outermost event returns, and is released then. Run under
// AddressSanitizer, this finds a control freed under its own handler.
TEST(Forms, AHandlerMayUnloadAndReloadItsFormAndTheOldShowingGoesWhenItReturns) {
  struct Case {
    const char* what;
    std::function<void(Reloading&, const std::function<void()>&)> attach;
    std::function<void(Reloading&)> act;
  } cases[] = {
      {"a button's Click", [](Reloading& f, const auto& h) { f.add("cmd", ControlKind::CommandButton).Click = h; },
       [](Reloading& f) { f.control("cmd").user_click(); }},
      {"a menu's Click", [](Reloading& f, const auto& h) { f.menu("mnuFile").add("mnuRefresh", "&Refresh").Click = h; },
       [](Reloading& f) { f.menu("mnuRefresh").user_click(); }},
      {"a key", [](Reloading& f, const auto& h) { f.box->KeyPress = [h](int&) { h(); }; },
       [](Reloading& f) { f.set_focus(*f.box), f.box->user_type("12"); }},
      {"a Change of a code write", [](Reloading& f, const auto& h) { f.box->Change = h; },
       [](Reloading& f) { f.box->set_text("changed"); }},
      {"a Validate of a Tab",
       [](Reloading& f, const auto& h) {
         f.add("txtOther", ControlKind::TextBox);
         f.box->Validate = [h](bool&) { h(); };
       },
       [](Reloading& f) {
         f.set_focus(*f.box);
         EXPECT_FALSE(f.send_tab()) << "the move ends with the showing";
       }},
  };
  for (const bool reload : {false, true}) {
    for (const auto& k : cases) {
      SCOPED_TRACE(std::string(k.what) + (reload ? ", unload and load" : ", unload"));
      Reloading f;
      f.load();
      int runs = 0;
      std::string seen;
      const std::string name = "handler of the first showing";
      k.attach(f, [&f, &runs, &seen, name, reload] {
        ++runs;
        f.unload();
        if (reload) f.load();
        EXPECT_EQ(f.freed, 0) << "released under its own handler";
        seen = name;  // reads the handler's own capture after the unload
      });
      k.act(f);
      EXPECT_EQ(runs, 1);
      EXPECT_EQ(seen, name);
      EXPECT_EQ(f.freed, 1);
      EXPECT_EQ(f.is_loaded(), reload);
      EXPECT_TRUE(!reload || f.control("txtBox").text() == "design value") << "designed afresh";
    }
  }
}

// A table declares controls inside their containers; a box on a tab that is
// not shown cannot take the focus, and a change of tab raises TabClick with the
// tab left.
TEST(Forms, ATableDeclaresControlsInTheirContainersAndATabChangeRaisesTabClickWithThePreviousTab) {
  const ControlSpec table[] = {
      {.name = "fraGutter", .kind = ControlKind::Frame},
      {.container = "fraGutter", .caption = "Slope"},
      {.name = "cboType", .kind = ControlKind::ComboBox, .container = "fraGutter", .col = 1},
      {.name = "SSTab1", .kind = ControlKind::TabControl},
      {.name = "Page0", .kind = ControlKind::TabPage, .container = "SSTab1"},
      {.name = "Page1", .kind = ControlKind::TabPage, .container = "SSTab1", .col = 1},
      {.name = "box0", .kind = ControlKind::TextBox, .container = "Page0"},
      {.name = "box1", .kind = ControlKind::TextBox, .container = "Page1"},
  };
  Form f("frmTable", "Table");
  f.add_controls(table);
  EXPECT_EQ(f.control("cboType").parent(), &f.control("fraGutter"));
  EXPECT_EQ(f.control("cboType").label(), "Slope") << "the label before it on its row in the frame";
  // A label that shows a value of its row names no box.
  const ControlSpec row[] = {
      {.container = "fraGutter", .row = 1, .caption = "Lawns"},
      {.name = "lblRange", .container = "fraGutter", .row = 1, .col = 1, .caption = "0.25 - 0.35", .shows_value = true},
      {.name = "txtC", .kind = ControlKind::TextBox, .container = "fraGutter", .row = 1, .col = 2},
  };
  f.add_controls(row);
  EXPECT_EQ(f.control("txtC").label(), "Lawns");
  const ControlSpec orphan[] = {{.name = "txtX", .kind = ControlKind::TextBox, .container = "fraNone"}};
  EXPECT_THROW(f.add_controls(orphan), std::out_of_range);

  Control& tabs = f.control("SSTab1");
  std::vector<int> seen;
  tabs.TabClick = [&](int previous) { seen.push_back(previous); };
  EXPECT_TRUE(f.control("box0").can_take_focus());
  EXPECT_FALSE(f.control("box1").can_take_focus());
  tabs.set_current_tab(1);
  tabs.set_current_tab(1);
  tabs.user_select_tab(0);
  EXPECT_EQ(seen, (std::vector<int>{0, 1}));
}

TEST(Grids, AClickMovesTheCurrentCellThenClicksAndTheHeaderRowTakesNone) {
  Form f("frmList", "List");
  Control& grid = f.add("inletflex", ControlKind::Grid);
  std::vector<std::string> log;
  auto at = [&] { return std::to_string(grid.row()) + "," + std::to_string(grid.col()); };
  grid.EnterCell = [&] { log.push_back("EnterCell " + at()); };
  grid.Click = [&] { log.push_back("Click " + at()); };
  grid.DblClick = [&] { log.push_back("DblClick " + at()); };

  // Only the header row: the current cell is on it.
  grid.set_grid({{"INLET_ID", "STATION"}});
  EXPECT_EQ(at(), "0,0");
  grid.set_col_width(1, 12);
  grid.set_grid({{"INLET_ID", "STATION"}, {"1", "10+00"}, {"2"}, {"3", "12+50"}});
  EXPECT_EQ(at(), "1,0") << "a new table starts at the first data row";
  EXPECT_EQ(grid.cell(2, 1), "") << "short rows are filled up";
  EXPECT_EQ(grid.col_width(1), 12) << "widths outlive the table";
  EXPECT_THROW(grid.cell(4, 0), std::out_of_range);
  EXPECT_THROW(grid.set_current_cell(1, 2), std::out_of_range);

  grid.user_click_cell(3, 1);
  grid.user_click_cell(3, 1);
  grid.user_click_cell(0, 1);  // the header row
  grid.user_double_click_cell(2, 0);
  grid.set_current_cell(2, 0);  // unchanged: no event
  grid.set_current_cell(1, 1);
  grid.set_enabled(false);
  grid.user_click_cell(3, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"EnterCell 3,1", "Click 3,1", "Click 3,1", "EnterCell 2,0", "DblClick 2,0",
                                           "EnterCell 1,1"}));
}
