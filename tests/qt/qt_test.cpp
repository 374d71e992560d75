// The Qt front end, offscreen: forms become windows with the widgets, menus and
// panels they declare, laid out without overlaps or cut-off texts; what the
// program changes shows at once; what the user does goes through the model.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QSpontaneKeyEvent>
#include <QtWidgets>
#include <cerrno>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "layout_check.h"
#include "platform/qt/form_window.h"
#include "platform/qt/picture_widget.h"
#include "platform/qt/qt_desktop.h"
#include "qt_test_support.h"
#include "sample_forms.h"

using namespace rg;
using qt::testing::activate;
using qt::testing::layout_problems;
using qt::testing::when_shown;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class QtFront : public ::testing::Test {
 protected:
  void TearDown() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  // Shows a form modeless, makes its window the active one and returns it.
  qt::FormWindow& shown(ui::Form& form) {
    desktop.show(form);
    qt::FormWindow* w = desktop.window(form);
    EXPECT_NE(w, nullptr);
    EXPECT_TRUE(activate(w->window()));
    return *w;
  }
  template <class W>
  W* widget(qt::FormWindow& w, const char* name) {
    auto* x = dynamic_cast<W*>(w.widget(name));
    EXPECT_NE(x, nullptr) << name;
    return x;
  }
  // A click in the middle of a widget; check boxes and option buttons are
  // clicked on their mark (their caption may end short of the middle).
  static void click(QWidget* w) {
    const bool marked = qobject_cast<QAbstractButton*>(w) != nullptr && qobject_cast<QPushButton*>(w) == nullptr;
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(marked ? 8 : w->width() / 2, w->height() / 2));
  }
  // A click near the right end of a widget: past a box's text, on a list's arrow.
  static void click_end(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() - 5, w->height() / 2)); }

  // A form of the test's own, kept like the probes until the desktop is gone.
  template <class F = ui::Form, class... A>
  F& make(A&&... args) {
    own_forms.push_back(std::make_unique<F>(std::forward<A>(args)...));
    return static_cast<F&>(*own_forms.back());
  }

  QApplication& app = qt::testing::application();
  // The forms outlive the desktop, which closes their windows.
  qt::testing::DialogProbe dialog;
  qt::testing::TabsProbe tabs;
  qt::testing::GridProbe list;
  std::vector<std::unique_ptr<ui::Form>> own_forms;
  qt::QtDesktop desktop;
};

// --- Windows and layout -------------------------------------------------------------

TEST_F(QtFront, FormsAreLaidOutWithoutOverlapsOrCutOffTexts) {
  for (ui::Form* form : std::vector<ui::Form*>{&dialog, &tabs, &list}) {
    EXPECT_THAT(layout_problems(shown(*form)), IsEmpty()) << form->name();
  }
  // Labels stand beside their box, on the same row; the longest item of a list fits in its box.
  qt::FormWindow& w = *desktop.window(dialog);
  const QRect label = w.widget("Label2_")->geometry();
  const QRect name = w.widget("project_name")->geometry();
  EXPECT_LT(label.right(), name.left());
  EXPECT_TRUE(label.intersects(QRect(0, name.top(), 10000, name.height())));
  auto* county = widget<QComboBox>(w, "county");
  EXPECT_GE(county->lineEdit()->width(), county->fontMetrics().horizontalAdvance("King and Queen"));
}

TEST_F(QtFront, StatusPanelsShortenLongTextsOnlyWhenTheyMustAndNeverOverlap) {
  ui::Form& main = make("frmMainProbe", "Ravelgrit", ui::FormKind::MainWindow);
  ui::StatusBar& bar = main.add_status_bar();
  for (int chars : {40, 16}) bar.add_panel(ui::StatusBar::PanelStyle::Text, chars);
  bar.add_panel(ui::StatusBar::PanelStyle::Time, 8);
  qt::FormWindow& w = shown(main);
  const std::string path = "Project Database - /home/designer/projects/route 29 widening/inlets/phase two/final.rvg";
  bar.set_panel_text(1, path);
  bar.set_panel_text(2, "UNITS: METRIC");
  EXPECT_TRUE(w.panel(1)->text().contains(QStringLiteral("…"))) << w.panel(1)->text().toStdString();
  EXPECT_TRUE(w.panel(1)->text().endsWith("final.rvg"));
  EXPECT_EQ(w.panel(1)->toolTip().toStdString(), path);
  EXPECT_EQ(w.panel(2)->text(), "UNITS: METRIC");
  // Where the bar has the room, a text longer than its panel's least width
  // shows whole.
  bar.set_panel_text(1, "Project Database - final.rvg");
  bar.set_panel_text(2, "Combination Curb and Grate Inlet");
  w.window()->resize(800, 200);
  QCoreApplication::processEvents();
  EXPECT_EQ(w.panel(2)->text().toStdString(), "Combination Curb and Grate Inlet");
  w.window()->resize(60, 60);
  QCoreApplication::processEvents();
  for (int n = 1; n < 3; ++n) {
    EXPECT_LT(w.panel(n)->geometry().right(), w.panel(n + 1)->geometry().left()) << "panels " << n << " and " << n + 1;
  }
  EXPECT_LE(w.panel(3)->geometry().right(), w.window()->width());
  main.unload();
}

TEST_F(QtFront, TheLayoutCheckFindsOverlapsCutOffTextsAndMissingWidgets) {
  ui::Form& form = make("frmCrowded", "Crowded");
  form.add_label("A caption that needs room", {nullptr, 0, 0});
  form.add("cmdFirst", ui::ControlKind::CommandButton, {nullptr, 1, 0}).set_caption("First");
  ui::Control& second = form.add("cmdSecond", ui::ControlKind::CommandButton, {nullptr, 1, 0});
  second.set_caption("Second");
  form.add("cmdHidden", ui::ControlKind::CommandButton, {nullptr, 2, 0}).set_visible(false);
  qt::FormWindow& w = shown(form);
  const auto problems = layout_problems(w);
  ASSERT_EQ(problems.size(), 1u) << ::testing::PrintToString(problems);
  EXPECT_THAT(problems[0], ::testing::HasSubstr("cmdFirst overlaps cmdSecond"));

  second.set_visible(false);
  EXPECT_THAT(layout_problems(w), IsEmpty()) << "hidden controls do not count";
  w.widget("Label1_")->setFixedWidth(20);
  EXPECT_THAT(layout_problems(w), ElementsAre(::testing::HasSubstr("Label1_: cut off")));
  w.widget("cmdFirst")->hide();
  EXPECT_THAT(layout_problems(w), ::testing::Contains(::testing::HasSubstr("cmdFirst: not visible")));
}

// A control the program hides leaves no gap, even in a row that stretches, and
// the dialog's size follows what it shows, within the screen.
TEST_F(QtFront, HiddenControlsTakeNoRoomAndTheDialogFollowsWhatItShows) {
  ui::Form& form = make("frmHideProbe", "Hide");
  ui::Control* frames[3];
  for (int row = 0; row < 3; ++row) {
    frames[row] = &form.add("Frame" + std::to_string(row), ui::ControlKind::Frame, {nullptr, 2 * row, 0});
    form.add_label("Inside " + std::to_string(row), {frames[row], 0, 0});
  }
  ui::Control& list = form.add("lstRows", ui::ControlKind::ListBox, {nullptr, 1, 0});
  list.set_items({"a", "b"});
  list.set_visible(false);
  qt::FormWindow& w = shown(form);
  const QSize without_list = w.window()->size();
  auto* grid = qobject_cast<QGridLayout*>(w.widget("Frame0")->parentWidget()->layout());
  ASSERT_NE(grid, nullptr);
  auto settle = [] {
    for (int pass = 0; pass < 3; ++pass) QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  };
  auto gap_above_last = [&] {
    settle();
    return w.widget("Frame2")->y() - w.widget("Frame0")->geometry().bottom() - 1;
  };
  // Shown at the foot of the screen, the list gets the room it asks for and
  // the dialog moves up to stay on the screen.
  const QRect screen = w.window()->screen()->availableGeometry();
  w.window()->move(screen.left(), screen.bottom() + 1 - w.window()->frameGeometry().height());
  list.set_visible(true);
  EXPECT_GT(gap_above_last(), 3 * grid->verticalSpacing());
  EXPECT_GE(w.widget("lstRows")->height(), w.widget("lstRows")->sizeHint().height());
  EXPECT_TRUE(screen.contains(w.window()->frameGeometry()));
  // Hidden, it leaves no gap and the dialog shrinks back.
  list.set_visible(false);
  settle();
  EXPECT_EQ(w.window()->size(), without_list);
  frames[1]->set_visible(false);
  EXPECT_EQ(gap_above_last(), grid->verticalSpacing());
  EXPECT_LT(w.window()->height(), without_list.height());
  EXPECT_THAT(layout_problems(w), IsEmpty());
}

// Where text starts in a band of a picture: the left ends of the runs of dark
// pixels between x0 and x1, runs closer than a few pixels counting as one.
std::vector<int> ink_starts(const QImage& image, int top, int bottom, int x0, int x1) {
  std::vector<int> starts;
  int last_ink = -100;
  for (int x = x0; x < x1; ++x) {
    bool ink = false;
    for (int y = top; y <= bottom && !ink; ++y) ink = qGray(image.pixel(x, y)) < 110;
    if (!ink) continue;
    if (x - last_ink > 8) starts.push_back(x);
    last_ink = x;
  }
  return starts;
}

// A list whose items are tab-separated fields shows them in columns under the
// labels above it, whatever the width of a field, and all of its rows.
TEST_F(QtFront, TabSeparatedItemsShowInColumnsUnderTheirHeadings) {
  ui::Form& form = make("frmColumnsProbe", "Columns");
  const char* headings[] = {"Type", "Length", "Area"};
  for (int col = 0; col < 3; ++col) form.add_label(headings[col], {nullptr, 0, col});
  ui::Control& list = form.add("lstTypes", ui::ControlKind::ListBox, {nullptr, 1, 0, 1, 3});
  std::vector<std::string> items = {"Curb-Opening-Inlet-Grade\t14\t11.68"};
  for (int i = 1; i < 18; ++i) {
    items.push_back("DI-" + std::to_string(i) + "\t" + std::to_string(2 * i) + "\t0.3" + std::to_string(i));
  }
  list.set_items(items);
  qt::FormWindow& w = shown(form);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  auto* box = widget<QListWidget>(w, "lstTypes");
  EXPECT_FALSE(box->verticalScrollBar()->isVisible()) << "every row shows";
  const QImage shot = w.window()->grab().toImage();
  const QPoint view = box->viewport()->mapTo(w.window(), QPoint(0, 0));
  const int x1 = view.x() + box->viewport()->width();
  const QWidget* heading = w.widget("Label1_");
  const QPoint head = heading->mapTo(w.window(), QPoint(0, 0));
  const std::vector<int> columns = ink_starts(shot, head.y(), head.y() + heading->height() - 1, view.x(), x1);
  ASSERT_EQ(columns.size(), 3u);
  for (int row : {0, 1, 17}) {
    const QRect r = box->visualItemRect(box->item(row)).translated(view);
    const std::vector<int> fields = ink_starts(shot, r.top() + 2, r.bottom() - 2, view.x(), x1);
    ASSERT_EQ(fields.size(), 3u) << row;
    for (std::size_t i = 0; i < 3; ++i) EXPECT_NEAR(fields[i], columns[i], 2) << "row " << row << ", field " << i;
  }
}

// --- What the program changes shows at once -------------------------------------------

// Each property the program sets shows in the widget at once.
TEST_F(QtFront, PropertiesShowInTheWidgetsAtOnce) {
  qt::FormWindow& w = shown(dialog);
  qt::FormWindow& t = shown(tabs);
  qt::FormWindow& g = shown(list);
  auto* name = widget<QLineEdit>(w, "project_name");
  auto* county = widget<QComboBox>(w, "county");
  auto* units = widget<QComboBox>(w, "units");
  auto* keep = widget<QCheckBox>(w, "chkKeep");
  auto* table = widget<QRadioButton>(w, "optTable");
  auto* tab_widget = widget<QTabWidget>(t, "SSTab1");
  auto* flex = widget<QTableView>(g, "inletflex");
  auto* grid = flex->model();
  const QPalette app_palette = QApplication::palette();
  const QColor face = app_palette.color(QPalette::Button);
  auto base = [&](const char* box) { return w.widget(box)->palette().color(QPalette::Base); };
  EXPECT_FALSE(units->isEditable()) << "a pick-only list takes no typed text";

  struct Case {
    const char* what;
    std::function<void()> change;
    std::function<bool()> shows;
  };
  const std::vector<Case> cases = {
      {"text", [&] { dialog.name->set_text("Main Street"); }, [&] { return name->text() == "Main Street"; }},
      {"text filled from a record", [&] { dialog.name->fill_text("Elm"); }, [&] { return name->text() == "Elm"; }},
      {"selection", [&] { dialog.name->set_selection(1, 2); }, [&] { return name->selectedText() == "lm"; }},
      {"label caption", [&] { dialog.control("Label1_").set_caption("PROJECT NO"); },
       [&] { return widget<QLabel>(w, "Label1_")->text() == "PROJECT NO"; }},
      {"disabled, with the look of a box that takes no typing", [&] { dialog.description->set_enabled(false); },
       [&] { return !w.widget("description")->isEnabled() && base("description") == face; }},
      {"hidden", [&] { dialog.keep->set_visible(false); }, [&] { return !keep->isVisible(); }},
      {"shown again", [&] { dialog.keep->set_visible(true); }, [&] { return keep->isVisible(); }},
      {"button face", [&] { dialog.name->set_back_color(ui::kButtonFace); },
       [&] { return base("project_name") == face; }},
      {"window background", [&] { dialog.name->set_back_color(ui::kWindowBackground); },
       [&] { return base("project_name") == app_palette.color(QPalette::Base); }},
      {"locked box", [&] { dialog.name->set_locked(true); },
       [&] { return name->isReadOnly() && base("project_name") == face; }},
      {"locked combo", [&] { dialog.county->set_locked(true); }, [&] { return county->lineEdit()->isReadOnly(); }},
      {"a box in a disabled frame", [&] { dialog.control("Frame1").set_enabled(false); },
       [&] { return base("project_id") == face; }},
      {"list items", [&] { dialog.county->set_items({"Bath", "Bland"}); },
       [&] { return county->count() == 2 && county->itemText(1) == "Bland"; }},
      {"added item", [&] { dialog.county->add_item("Botetourt"); },
       [&] { return county->count() == 3 && county->itemText(2) == "Botetourt"; }},
      {"list index", [&] { dialog.county->set_list_index(1); }, [&] { return county->currentText() == "Bland"; }},
      {"combo text", [&] { dialog.county->set_text("Floyd"); },
       [&] { return county->currentText() == "Floyd" && county->currentIndex() == -1; }},
      {"pick-only list text", [&] { dialog.units->set_text("METRIC"); }, [&] { return units->currentIndex() == 1; }},
      {"check box value", [&] { dialog.keep->set_value(1); }, [&] { return keep->isChecked(); }},
      {"option value", [&] { dialog.table->set_value(1); },
       [&] { return table->isChecked() && !widget<QRadioButton>(w, "optRational")->isChecked(); }},
      {"current tab", [&] { tabs.tabs->set_current_tab(2); }, [&] { return tab_widget->currentIndex() == 2; }},
      {"hidden tab", [&] { tabs.results->set_visible(false); }, [&] { return !tab_widget->isTabVisible(2); }},
      {"hourglass", [&] { dialog.set_pointer(ui::MousePointer::Hourglass); },
       [&] { return w.window()->cursor().shape() == Qt::WaitCursor; }},
      {"normal pointer", [&] { dialog.set_pointer(ui::MousePointer::Default); },
       [&] { return w.window()->cursor().shape() == Qt::ArrowCursor; }},
      {"current cell, in view", [&] { list.grid->set_current_cell(30, 1); },
       [&] {
         return flex->currentIndex() == grid->index(29, 1) && flex->selectionModel()->isRowSelected(29, {}) &&
                flex->viewport()->rect().contains(flex->visualRect(flex->currentIndex()));
       }},
      {"cell", [&] { list.grid->set_cell(30, 1, "99+00"); }, [&] { return grid->index(29, 1).data() == "99+00"; }},
      {"header", [&] { list.grid->set_cell(0, 1, "STA"); },
       [&] { return grid->headerData(1, Qt::Horizontal) == "STA"; }},
      {"column width", [&] { list.grid->set_col_width(2, 30); },
       [&] { return flex->columnWidth(2) >= 30 * flex->fontMetrics().averageCharWidth(); }},
      {"a header without rows", [&] { list.grid->set_grid({{"INLET_ID"}}); },
       [&] { return grid->rowCount() == 0 && grid->columnCount() == 1 && !flex->currentIndex().isValid(); }},
      {"menu disabled", [&] { dialog.save->set_enabled(false); }, [&] { return !w.action("mnuSave")->isEnabled(); }},
      {"menu hidden", [&] { dialog.save->set_visible(false); }, [&] { return !w.action("mnuSave")->isVisible(); }},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(c.shows()) << c.what << " shows before the change";
    c.change();
    EXPECT_TRUE(c.shows()) << c.what;
  }
}

TEST_F(QtFront, PicturesPaintTheirDrawingScaledIntoTheirRectangle) {
  ui::Shape left;  // a red square
  left.points = {{0, 0}, {50, 50}};
  left.pen = left.fill = 0xFF0000;
  left.filled = true;
  qt::PictureWidget picture;
  picture.set_drawing(ui::Drawing{100, 50, 0xFFFFFF, {left}});
  picture.resize(400, 100);  // proportions kept: scale 2, centred, so red spans x 100 to 200
  const QImage img = picture.grab().toImage();
  EXPECT_EQ(img.pixelColor(50, 50), QColor(255, 255, 255));
  EXPECT_EQ(img.pixelColor(150, 50), QColor(255, 0, 0));
  EXPECT_EQ(img.pixelColor(250, 50), QColor(255, 255, 255));
}

// --- What the user does goes through the model ---------------------------------------

TEST_F(QtFront, TypedKeysGoThroughKeyPressWhichMayDropOrChangeThem) {
  qt::FormWindow& w = shown(dialog);
  auto* name = widget<QLineEdit>(w, "project_name");
  std::vector<int> keys;
  std::vector<std::string> seen_selection;
  int changes = 0;
  dialog.name->KeyPress = [&](int& key) {
    keys.push_back(key);
    seen_selection.push_back(dialog.name->sel_text());
    if (key == 'x') key = 0;
    if (key == 'a') key = 'A';
  };
  dialog.name->Change = [&] { ++changes; };
  click(name);
  ASSERT_EQ(dialog.active_control(), dialog.name);

  QTest::keyClicks(name, "1xa2");
  EXPECT_EQ(name->text(), "1A2");
  EXPECT_EQ(dialog.name->text(), "1A2");
  EXPECT_EQ(changes, 3);
  QTest::keyClick(name, Qt::Key_Backspace);
  QTest::keyClick(name, Qt::Key_Return);
  EXPECT_THAT(keys, ElementsAre('1', 'x', 'a', '2', ui::kKeyBackspace, ui::kKeyEnter));
  EXPECT_EQ(dialog.name->text(), "1A") << "Enter is only offered to the handler";

  // The handler sees the user's selection.
  name->setSelection(0, 1);
  QTest::keyClicks(name, "7");
  EXPECT_EQ(seen_selection.back(), "1");
  EXPECT_EQ(dialog.name->text(), "7A");

  // A handler that drops every key keeps the text as it is.
  dialog.name->KeyPress = [](int& key) { key = 0; };
  QTest::keyClicks(name, "z");
  QTest::keyClick(name, Qt::Key_Backspace);
  EXPECT_TRUE(name->text() == "7A" && dialog.name->text() == "7A");

  // Enter that survives breaks a line in a multi-line box.
  qt::FormWindow& t = shown(tabs);
  tabs.tabs->set_current_tab(2);
  auto* notes = widget<QPlainTextEdit>(t, "txtNotes");
  click(notes);
  QTest::keyClicks(notes, "a");
  QTest::keyClick(notes, Qt::Key_Return);
  QTest::keyClicks(notes, "b");
  EXPECT_EQ(tabs.notes->text(), "a\nb");
}

// Enter that no handler takes presses the default button, leaving the box as a
// click would; Escape presses the cancel button where the focus is.
TEST_F(QtFront, EnterPressesTheDefaultButtonAndEscapeTheCancelButton) {
  std::vector<std::string> log;
  dialog.ok->set_default(true);
  dialog.cancel->set_cancel(true);
  dialog.ok->Click = [&] { log.push_back("OK"); };
  dialog.cancel->Click = [&] { log.push_back("Cancel"); };
  dialog.name->LostFocus = [&] { log.push_back("left"); };
  dialog.id->KeyPress = [](int& key) { key = key == ui::kKeyEnter ? 0 : key; };
  qt::FormWindow& w = shown(dialog);
  auto* name = widget<QLineEdit>(w, "project_name");
  click(name);
  QTest::keyClick(name, Qt::Key_Escape);
  ASSERT_THAT(log, ElementsAre("Cancel"));
  QTest::keyClick(name, Qt::Key_Return);
  auto* id = widget<QLineEdit>(w, "project_id");
  click(id);
  QTest::keyClick(id, Qt::Key_Return);
  EXPECT_THAT(log, ElementsAre("Cancel", "left", "OK"));
}

TEST_F(QtFront, EditableCombosTakeTypedTextAndPicksThroughTheModelAndTypingGivesTheItem) {
  qt::FormWindow& w = shown(dialog);
  auto* county = widget<QComboBox>(w, "county");
  std::vector<std::string> log;
  int offered = 0;
  dialog.county->KeyPress = [&](int& key) {
    ++offered;
    if (key >= 'a' && key <= 'z') key -= 32;  // capitals only
  };
  dialog.county->Change = [&] { log.push_back("Change " + dialog.county->text()); };
  dialog.county->Click = [&] { log.push_back("Click " + dialog.county->text()); };
  click(county);
  ASSERT_EQ(dialog.active_control(), dialog.county);
  // Keys go where Qt sends them: to the focus widget.
  QTest::keyClicks(QApplication::focusWidget(), "ab");
  EXPECT_EQ(county->currentText(), "AB");
  EXPECT_EQ(dialog.county->text(), "AB");
  EXPECT_EQ(offered, 2) << "each key is offered once";
  EXPECT_EQ(county->count(), 6) << "typing adds no item";
  QTest::keyClick(county, Qt::Key_Return);
  EXPECT_EQ(county->count(), 6) << "nor does Enter";

  county->setEditText("");
  dialog.county->set_text("");
  log.clear();
  QTest::keyClick(county, Qt::Key_Down);
  EXPECT_EQ(dialog.county->list_index(), 0);
  EXPECT_THAT(log, ElementsAre("Click Accomack")) << "a pick raises Click, not Change";

  // A locked list keeps its choice and does not drop down.
  dialog.county->set_locked(true);
  QTest::keyClick(county, Qt::Key_Down);
  EXPECT_EQ(dialog.county->text(), "Accomack");
  EXPECT_EQ(county->currentText(), "Accomack");
  click_end(county);
  EXPECT_FALSE(county->view()->isVisible());
  dialog.county->set_locked(false);
  click_end(county);
  EXPECT_TRUE(county->view()->isVisible()) << "unlocked, the same click drops it down";
  county->hidePopup();

  // As the details dialog checks a typed unit in Change: a valid beginning is
  // completed to its item, anything else gets a box and the first item. Typing
  // on must replace the completed tail, never land inside it.
  dialog.county->KeyPress = nullptr;
  dialog.county->Click = nullptr;
  dialog.county->set_items({"ENGLISH", "METRIC"});
  dialog.county->Change = [&] {
    ui::Control& c = *dialog.county;
    for (const std::string& item : c.items()) {
      if (item.rfind(c.text(), 0) == 0) {
        if (!c.text().empty()) c.set_text(item);
        return;
      }
    }
    ui::show_box(desktop, "Value not present in the list... Please enter a valid value..");
    c.set_text(c.item(0));
  };
  struct Case {
    const char* typed;
    const char* result;
    int boxes;
  };
  for (const Case& c : {Case{"METRIC", "METRIC", 0}, Case{"ENG", "ENGLISH", 0}, Case{"Q", "ENGLISH", 1}}) {
    // Offscreen, the window must be made active again after a box.
    ASSERT_TRUE(activate(w.window()));
    click(county);
    county->lineEdit()->selectAll();
    std::vector<QString> boxes;
    const auto answering = qt::testing::answer_every_box(boxes);
    QTest::keyClicks(county->lineEdit(), c.typed);
    EXPECT_EQ(dialog.county->text(), c.result) << c.typed;
    EXPECT_EQ(county->currentText().toStdString(), c.result) << c.typed;
    EXPECT_EQ(static_cast<int>(boxes.size()), c.boxes) << c.typed;
    EXPECT_EQ(dialog.active_control(), dialog.county);
  }
}

TEST_F(QtFront, ClicksAndPicksRaiseTheModelsEvents) {
  qt::FormWindow& w = shown(dialog);
  qt::FormWindow& t = shown(tabs);
  std::vector<std::string> log;
  auto logs = [&](const std::string& what) { return [&log, what] { log.push_back(what); }; };
  dialog.ok->Click = logs("OK");
  dialog.cancel->Click = logs("Cancel");
  dialog.save->Click = logs("Save");
  dialog.menu("mnuHelpEntry").Click = logs("Help");
  tabs.tabs->TabClick = [&](int previous) { log.push_back("TabClick from " + std::to_string(previous)); };
  tabs.messages->Click = [&] { log.push_back("Click " + tabs.messages->text()); };

  ASSERT_TRUE(activate(w.window()));
  click(w.widget("cmdOK"));
  QTest::keyClick(w.widget("cmdOK"), Qt::Key_Return);  // Enter on the focused button presses it
  dialog.cancel->set_enabled(false);
  click(w.widget("cmdCancel"));
  w.action("mnuSave")->trigger();
  QTest::keyClick(w.window(), Qt::Key_F1);  // the shortcut chooses its entry
  click(w.widget("chkKeep"));
  EXPECT_EQ(dialog.keep->value(), 1);
  auto* rational = widget<QRadioButton>(w, "optRational");
  auto* table = widget<QRadioButton>(w, "optTable");
  click(rational);
  click(table);
  EXPECT_EQ(dialog.rational->value(), 0);
  EXPECT_EQ(dialog.table->value(), 1);
  EXPECT_FALSE(rational->isChecked());
  click(table);
  EXPECT_TRUE(table->isChecked()) << "clicking the chosen option keeps it chosen";

  auto* tab_bar = widget<QTabWidget>(t, "SSTab1")->tabBar();
  QTest::mouseClick(tab_bar, Qt::LeftButton, {}, tab_bar->tabRect(2).center());
  EXPECT_EQ(tabs.tabs->current_tab(), 2);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  auto* list = widget<QListWidget>(t, "lstMessages");
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
  EXPECT_EQ(tabs.messages->list_index(), 1);
  EXPECT_THAT(log, ElementsAre("OK", "OK", "Save", "Help", "TabClick from 0", "Click Bypass flow 0.12 cfs"));
}

TEST_F(QtFront, GridClicksAndKeysMoveTheModelsCurrentCellAndTheProgramsMovesShow) {
  qt::FormWindow& w = shown(list);
  auto* table = widget<QTableView>(w, "inletflex");
  std::vector<std::string> log;
  auto at = [&] { return std::to_string(list.grid->row()) + "," + std::to_string(list.grid->col()); };
  list.grid->EnterCell = [&] { log.push_back("EnterCell " + at()); };
  list.grid->Click = [&] { log.push_back("Click " + at()); };
  list.grid->DblClick = [&] { log.push_back("DblClick " + at()); };
  auto cell = [&](int row, int col) { return table->visualRect(table->model()->index(row - 1, col)).center(); };

  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell(3, 2));
  EXPECT_EQ(list.active_control(), list.grid);
  EXPECT_EQ(table->currentIndex().row(), 2);
  EXPECT_EQ(table->selectionModel()->selectedRows().size(), 1);
  EXPECT_TRUE(table->selectionModel()->isRowSelected(2, {})) << "the whole row";
  // A double click as the window system sends it: a press, then a double click.
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell(5, 0));
  QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell(5, 0));
  QTest::keyClick(table, Qt::Key_Down);
  QTest::mouseClick(table->horizontalHeader()->viewport(), Qt::LeftButton, {},
                    QPoint(table->columnViewportPosition(4) + 5, table->horizontalHeader()->height() / 2));
  QTest::keyClick(table, Qt::Key_Return);  // as a double click on the row
  EXPECT_EQ(log, (std::vector<std::string>{"EnterCell 3,2", "Click 3,2", "EnterCell 5,0", "Click 5,0",
                                           "DblClick 5,0", "EnterCell 6,0", "DblClick 6,0"}));
}

TEST_F(QtFront, AFocusMoveRefusedByValidateLeavesTheFocusAndSwallowsTheClick) {
  qt::FormWindow& w = shown(dialog);
  auto* name = widget<QLineEdit>(w, "project_name");
  std::vector<std::string> log;
  dialog.name->Validate = [&](bool& cancel) {
    log.push_back("Validate");
    cancel = dialog.name->text().empty();
  };
  dialog.description->GotFocus = [&] { log.push_back("description.GotFocus"); };
  int ok_clicks = 0;
  dialog.ok->Click = [&] { ++ok_clicks; };
  click(name);
  ASSERT_EQ(dialog.active_control(), dialog.name);

  click(w.widget("description"));
  EXPECT_EQ(dialog.active_control(), dialog.name);
  EXPECT_EQ(QApplication::focusWidget(), name);
  click(w.widget("cmdOK"));
  EXPECT_EQ(ok_clicks, 0) << "no click where the focus could not go";
  EXPECT_EQ(QApplication::focusWidget(), name);
  click(w.widget("chkKeep"));
  EXPECT_EQ(dialog.keep->value(), 0);
  EXPECT_FALSE(widget<QCheckBox>(w, "chkKeep")->isChecked());
  QTest::keyClick(name, Qt::Key_Tab);
  EXPECT_EQ(dialog.active_control(), dialog.name);

  QTest::keyClicks(name, "x");
  QTest::keyClick(name, Qt::Key_Tab);
  EXPECT_EQ(dialog.active_control(), dialog.description);
  EXPECT_EQ(QApplication::focusWidget(), w.widget("description"));
  // Four refused moves (description, OK, the check box, Tab), then the one that
  // passes.
  EXPECT_THAT(log, ElementsAre("Validate", "Validate", "Validate", "Validate", "Validate", "description.GotFocus"));

  // A box shown by Validate asks once, and the focus stays where it was.
  int boxes = 0;
  dialog.description->Validate = [&](bool& cancel) {
    ui::show_box(desktop, "Project Name is a Required Field!", ui::Buttons::OK, ui::Icon::Exclamation);
    cancel = true;
  };
  when_shown<QMessageBox>([&](QMessageBox* box) {
    ++boxes;
    box->button(QMessageBox::Ok)->click();
  });
  click(name);
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(dialog.active_control(), dialog.description);
  // The widget that gets the focus when the window is active again.
  EXPECT_EQ(w.window()->focusWidget(), w.widget("description"));
}

// A box that refuses its text keeps the focus whatever the user tries: Tab, a
// click on another tab, the keys that turn the tabs. What is typed next lands
// in the box that shows the caret, never in one on a hidden tab.
TEST_F(QtFront, ARefusingBoxKeepsTheFocusAndTheTypedKeysAgainstTabSwitches) {
  qt::FormWindow& t = shown(tabs);
  ui::Control& length = tabs.control("txtLength");
  ui::Control& area = tabs.control("txtArea");
  length.Validate = [&](bool& cancel) {
    cancel = length.text().find_first_not_of("0123456789.") != std::string::npos;
    if (cancel) ui::show_box(desktop, "Inlet length (ft): not a number");
  };
  std::vector<QString> boxes;
  const auto answering = qt::testing::answer_every_box(boxes);
  auto* edit = widget<QLineEdit>(t, "txtLength");
  auto* tab_widget = widget<QTabWidget>(t, "SSTab1");
  click(edit);
  QApplication::clipboard()->setText("12.5 ft");
  QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(length.text(), "12.5 ft");

  QTest::keyClick(edit, Qt::Key_Tab);
  QTest::mouseClick(tab_widget->tabBar(), Qt::LeftButton, {}, tab_widget->tabBar()->tabRect(1).center());
  QTest::keyClick(t.window()->focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(boxes.size(), 3u);
  EXPECT_EQ(tab_widget->currentIndex(), 0);
  ASSERT_TRUE(activate(t.window()));
  ASSERT_EQ(QApplication::focusWidget(), edit);
  QTest::keyClicks(QApplication::focusWidget(), "9");
  EXPECT_EQ(length.text(), "12.5 ft9");
  EXPECT_EQ(area.text(), "");

  // Mended, the box lets the focus go to the tab, and the next tab shows.
  length.set_text("12.5");
  QTest::mouseClick(tab_widget->tabBar(), Qt::LeftButton, {}, tab_widget->tabBar()->tabRect(1).center());
  EXPECT_EQ(tabs.tabs->current_tab(), 1);
  EXPECT_EQ(tabs.active_control(), tabs.tabs);
  EXPECT_EQ(boxes.size(), 3u);
}

// The click that focuses a box whose GotFocus selects its text keeps the
// selection, so typing replaces the text; a click into a focused box, or into
// one whose GotFocus selects nothing, places the caret.
TEST_F(QtFront, TheClickThatFocusesKeepsTheSelectionGotFocusMade) {
  qt::FormWindow& w = shown(dialog);
  dialog.name->set_text("0.0");
  dialog.description->set_text("0.0");
  dialog.name->GotFocus = [&] { dialog.name->set_selection(0, 3); };
  dialog.description->GotFocus = [] {};
  click(w.widget("project_id"));
  auto* name = widget<QLineEdit>(w, "project_name");
  click_end(name);
  ASSERT_EQ(dialog.active_control(), dialog.name);
  EXPECT_EQ(name->selectedText(), "0.0");
  EXPECT_EQ(dialog.name->sel_length(), 3);
  QTest::keyClicks(name, "8");
  EXPECT_EQ(dialog.name->text(), "8");
  dialog.name->set_selection(0, 1);
  click_end(name);
  EXPECT_EQ(dialog.name->sel_length(), 0);
  EXPECT_EQ(dialog.name->sel_start(), 1);

  click_end(w.widget("description"));
  ASSERT_EQ(dialog.active_control(), dialog.description);
  EXPECT_EQ(dialog.description->sel_start(), 3);
  EXPECT_EQ(dialog.description->sel_length(), 0);
}

TEST_F(QtFront, FocusMovedByTheProgramMovesTheWidgetFocus) {
  qt::FormWindow& w = shown(dialog);
  int got_focus = 0;
  dialog.description->GotFocus = [&] { ++got_focus; };
  dialog.set_focus(*dialog.description);
  EXPECT_EQ(QApplication::focusWidget(), w.widget("description"));
  EXPECT_EQ(got_focus, 0) << "a move by code runs no focus events";
  // Enter-to-next-field: a key handler sends Tab.
  dialog.description->KeyPress = [&](int& key) {
    if (key == ui::kKeyEnter) {
      dialog.send_tab();
      key = 0;
    }
  };
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_TRUE(w.widget("county")->hasFocus());
  EXPECT_EQ(dialog.active_control(), dialog.county);
  // When the box with the focus becomes disabled, the model follows the focus.
  dialog.county->set_enabled(false);
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  EXPECT_EQ(w.widget(*dialog.active_control()), QApplication::focusWidget());
}

// Whatever a handler lets through is shown in a plain box, and the program goes on.
TEST_F(QtFront, WhatEscapesAHandlerIsShownNotThrownThroughQt) {
  struct Fault {};  // not a std::exception, as the hydraulics' own
  qt::FormWindow& w = shown(dialog);
  std::vector<QString> boxes;
  const auto answering = qt::testing::answer_every_box(boxes);
  dialog.ok->Click = [] { throw std::runtime_error("Disk full"); };
  click(w.widget("cmdOK"));
  dialog.ok->Click = [] { throw Fault{}; };
  click(w.widget("cmdOK"));
  EXPECT_THAT(boxes, ElementsAre("Disk full", "An unexpected error occurred."));
  EXPECT_TRUE(w.window()->isVisible());
}

// --- Life cycle ---------------------------------------------------------------------------------

TEST_F(QtFront, ShowModalReturnsWhenTheFormUnloadsAndNests) {
  std::vector<std::string> steps;
  dialog.load();
  tabs.load();
  dialog.ok->Click = [&] {
    steps.push_back("outer OK");
    // With no window manager to do it, the window underneath gets the keys
    // back when a modal window or a box closes.
    auto outer_active = [&] {
      QApplication::processEvents();
      return QApplication::activeWindow() == desktop.window(dialog)->window() ? "outer active" : "outer inactive";
    };
    desktop.show_modal(tabs);
    steps.push_back("after inner");
    steps.push_back(outer_active());
    when_shown<QMessageBox>([](QMessageBox* box) { box->defaultButton()->click(); });
    ui::show_box(desktop, "Saved");
    steps.push_back(outer_active());
    dialog.unload();
  };
  tabs.close_button->Click = [&] {
    steps.push_back("inner Close");
    tabs.unload();
  };
  when_shown<QDialog>([&](QDialog* outer) {
    steps.push_back(outer->isModal() ? "outer modal" : "outer modeless");
    when_shown<QDialog>([&](QDialog* inner) {
      steps.push_back(inner->isModal() ? "inner modal" : "inner modeless");
      click(desktop.window(tabs)->widget("cmdClose"));
    });
    activate(outer);
    click(desktop.window(dialog)->widget("cmdOK"));
  });
  desktop.show_modal(dialog);
  steps.push_back("returned");
  EXPECT_THAT(steps, ElementsAre("outer modal", "outer OK", "inner modal", "inner Close", "after inner", "outer active",
                                 "outer active", "returned"));
  EXPECT_TRUE(dialog.was_unloaded());
  EXPECT_TRUE(tabs.was_unloaded());
  EXPECT_EQ(desktop.window(dialog), nullptr);
  EXPECT_EQ(desktop.window(tabs), nullptr);
}

class Guarded : public qt::testing::DialogProbe {
 public:
  bool refuse = true;
  std::vector<ui::UnloadMode> asked;

 protected:
  void Form_QueryUnload(bool& cancel, ui::UnloadMode mode) override {
    asked.push_back(mode);
    cancel = refuse;
  }
};

// Escape in a dialog acts as its close box.
TEST_F(QtFront, TheCloseBoxAndEscapeAskTheFormAndARefusalKeepsTheWindow) {
  const std::vector<std::pair<const char*, std::function<void(QWidget*)>>> ways = {
      {"close box", [](QWidget* window) { window->close(); }},
      {"Escape", [](QWidget* window) {
         activate(window);
         QTest::keyClick(window->focusWidget() != nullptr ? window->focusWidget() : window, Qt::Key_Escape);
       }},
  };
  for (const auto& [how, close] : ways) {
    Guarded& form = make<Guarded>();
    QWidget* window = shown(form).window();
    close(window);
    EXPECT_TRUE(window->isVisible()) << how;
    EXPECT_TRUE(form.is_loaded()) << how;
    form.refuse = false;
    close(window);
    EXPECT_TRUE(form.was_unloaded()) << how;
    EXPECT_FALSE(window->isVisible()) << how;
    EXPECT_EQ(desktop.window(form), nullptr) << how;
    EXPECT_THAT(form.asked, ElementsAre(ui::UnloadMode::CloseBox, ui::UnloadMode::CloseBox)) << how;

    // The same for a modal window: show_modal returns once the form unloads.
    form.refuse = true;
    when_shown<QDialog>([&](QDialog* d) {
      close(d);
      EXPECT_TRUE(d->isVisible()) << how;
      form.refuse = false;
      close(d);
    });
    desktop.show_modal(form);
    EXPECT_TRUE(form.was_unloaded()) << how;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

TEST_F(QtFront, TheMainWindowsUnloadEndsTheProgram) {
  ui::Form& main = make("frmMain", "Ravelgrit", ui::FormKind::MainWindow);
  desktop.show(main);
  bool quit = false;
  QObject::connect(&app, &QCoreApplication::aboutToQuit, [&] { quit = true; });
  QTimer::singleShot(0, [&] { main.unload(); });
  EXPECT_EQ(app.exec(), 0);
  EXPECT_TRUE(quit);
  EXPECT_TRUE(main.was_unloaded());
}

// --- Desktop services --------------------------------------------------------------------------

TEST_F(QtFront, MessageBoxesShowTextIconButtonsAndTitleAndAnswer) {
  using Act = std::function<void(QMessageBox*)>;
  auto press = [](QMessageBox::StandardButton b) -> Act { return [b](QMessageBox* box) { box->button(b)->click(); }; };
  auto key = [](Qt::Key k) -> Act { return [k](QMessageBox* box) { QTest::keyClick(box, k); }; };
  const auto yes_no = QMessageBox::Yes | QMessageBox::No;
  auto box = [](std::string text, ui::Buttons b, ui::Icon i = ui::Icon::None, std::string title = {}, bool top = false,
                std::optional<ui::Answer> enter = {}) {
    return ui::MessageBox{std::move(text), b, i, std::move(title), top, enter};
  };
  struct Case {
    ui::MessageBox box;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    Act act;
    ui::Answer answer;
  };
  const std::vector<Case> cases = {
      {box("Project Details are Saved!", ui::Buttons::OK, ui::Icon::Information), QMessageBox::Information,
       QMessageBox::Ok, key(Qt::Key_Return), ui::Answer::OK},
      {box("Exit without saving? ", ui::Buttons::YesNo, ui::Icon::Exclamation), QMessageBox::Warning, yes_no,
       press(QMessageBox::No), ui::Answer::No},
      {box("Add NOAA stations?", ui::Buttons::YesNo, ui::Icon::Question), QMessageBox::Question, yes_no,
       key(Qt::Key_Return), ui::Answer::Yes},
      {box("Add NOAA stations?", ui::Buttons::YesNo), QMessageBox::NoIcon, yes_no, key(Qt::Key_Escape), ui::Answer::No},
      {box("File Already Exists!   Overwrite?", ui::Buttons::YesNo, ui::Icon::Exclamation, "", false, ui::Answer::No),
       QMessageBox::Warning, yes_no, key(Qt::Key_Return), ui::Answer::No},
      {box("Replace the table?", ui::Buttons::OKCancel, ui::Icon::Question, "Tables"), QMessageBox::Question,
       QMessageBox::Ok | QMessageBox::Cancel, key(Qt::Key_Escape), ui::Answer::Cancel},
      {box("Cancel was selected.", ui::Buttons::OK, ui::Icon::Critical, "Shell", true), QMessageBox::Critical,
       QMessageBox::Ok, press(QMessageBox::Ok), ui::Answer::OK},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box.text);
    int shown = 0;
    when_shown<QMessageBox>([&](QMessageBox* box) {
      ++shown;
      EXPECT_EQ(box->text().toStdString(), c.box.text);
      EXPECT_EQ(box->windowTitle().toStdString(), c.box.title.empty() ? "Ravelgrit" : c.box.title);
      EXPECT_EQ(box->icon(), c.icon);
      EXPECT_EQ(box->standardButtons(), c.buttons);
      EXPECT_EQ(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint), c.box.system_modal);
      c.act(box);
    });
    EXPECT_EQ(desktop.message_box(c.box), c.answer);
    EXPECT_EQ(shown, 1);
  }
}

TEST(QtFileFilters, TheProgramsFilterBecomesQtsNameFilters) {
  struct Case {
    std::string filter;
    QStringList expected;
  };
  const std::vector<Case> cases = {
      {"Ravelgrit files (*.rvg)|*.rvg", {"Ravelgrit files (*.rvg)"}},
      {"Excel Files (*.xls)|*.xls|All Files (*.*)|*.*", {"Excel Files (*.xls)", "All Files (*.*)"}},
      {"Workbooks|*.xlsx;*.xls", {"Workbooks (*.xlsx *.xls)"}},
      {"Old (*.mdb)|*.rvg", {"Old (*.rvg)"}},
      {"Report (2007)|*.xlsx", {"Report (2007) (*.xlsx)"}},
      {"", {}},
      {"Only a description", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(qt::name_filters(c.filter), c.expected) << c.filter;
}

TEST_F(QtFront, FileDialogsAreQtsOwnWithTheRequestedSettings) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString existing = dir.filePath("old.rvg");
  ASSERT_TRUE(QFile(existing).open(QIODevice::WriteOnly));

  ui::FileDialogRequest open{ui::FileDialogMode::Open, "Open", "Ravelgrit files (*.rvg)|*.rvg",
                             dir.path().toStdString(), "", true};
  when_shown<QFileDialog>([&](QFileDialog* d) {
    EXPECT_EQ(d->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(d->nameFilters(), QStringList{"Ravelgrit files (*.rvg)"});
    EXPECT_EQ(QDir(d->directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
    d->selectFile(existing);
    static_cast<QDialog*>(d)->accept();
  });
  const QString chosen = QString::fromStdString(desktop.choose_file(open).value_or(""));
  EXPECT_EQ(QDir(chosen).canonicalPath(), QDir(existing).canonicalPath());

  ui::FileDialogRequest save{ui::FileDialogMode::Save, "Enter New Project Database File Name",
                             "Ravelgrit files (*.rvg)|*.rvg", dir.path().toStdString(), "new", false};
  when_shown<QFileDialog>([&](QFileDialog* d) {
    EXPECT_EQ(d->fileMode(), QFileDialog::AnyFile);
    EXPECT_TRUE(d->testOption(QFileDialog::DontConfirmOverwrite)) << "the program asks about overwriting";
    static_cast<QDialog*>(d)->accept();
  });
  const QString saved = QString::fromStdString(desktop.choose_file(save).value_or(""));
  EXPECT_EQ(QFileInfo(saved).fileName(), "new") << "no suffix is added";

  when_shown<QFileDialog>([](QFileDialog* d) { d->reject(); });
  EXPECT_FALSE(desktop.choose_file(open).has_value());
}

// The opener the desktop starts for a document may end as a child of the
// program (where the program takes in orphans): once it ends it is reaped,
// not left defunct.
TEST_F(QtFront, WhatTheDesktopsOpenerLeavesIsReaped) {
  const pid_t opener = ::fork();
  ASSERT_GE(opener, 0);
  if (opener == 0) {
    ::usleep(100'000);
    ::_exit(0);
  }
  desktop.open_document("report.xlsx");
  const auto no_child_left = [] {
    siginfo_t info{};
    return ::waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) == -1 && errno == ECHILD;
  };
  EXPECT_TRUE(QTest::qWaitFor(no_child_left, 5000));
}

TEST_F(QtFront, WaitingLetsTimePassAndSwallowsTheUsersInput) {
  ui::Form& splash = make("frmSplashProbe", "", ui::FormKind::Splash);
  int keys = 0;
  int clicks = 0;
  splash.KeyPress = [&](int&) { ++keys; };
  ui::Control& frame_control = splash.add("Frame1", ui::ControlKind::Frame);
  splash.add_label("Ravelgrit - Version 2.1", {&frame_control, 0, 0});
  frame_control.Click = [&] { ++clicks; };
  desktop.show(splash);
  desktop.refresh(splash);
  QWidget* window = desktop.window(splash)->window();
  QWidget* frame = desktop.window(splash)->widget("Frame1");
  QTimer::singleShot(0, [&] {
    QTest::keyClick(window, Qt::Key_A);
    click(frame);
    QCloseEvent close_box;  // as the window manager sends it
    QSpontaneKeyEvent::setSpontaneous(&close_box);
    qApp->notify(window, &close_box);  // sendEvent would clear the mark
  });
  desktop.wait(0.3);
  EXPECT_EQ(keys, 0);
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(splash.is_loaded());
  EXPECT_TRUE(window->isVisible());

  // After the wait the same input reaches the form.
  QTest::keyClick(window, Qt::Key_A);
  click(frame);
  EXPECT_EQ(keys, 1);
  EXPECT_EQ(clicks, 1);
  splash.unload();
}

}  // namespace
