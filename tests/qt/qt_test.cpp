// The Qt front end, offscreen: forms become windows laid out without overlaps
// or cut-off texts, sized to what they show; what the user does goes through
// the model, whose refusals hold against every way the widgets offer; the
// desktop's boxes, dialogs, waits and openers.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QSpontaneKeyEvent>
#include <QTest>
#include <QtWidgets>
#include <cerrno>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/qt/form_window.h"
#include "platform/qt/picture_widget.h"
#include "platform/qt/qt_desktop.h"
#include "qt_test_support.h"

using namespace rg;
using qt::testing::layout_problems;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

using Kind = ui::ControlKind;

// Runs `act` on the next modal window of type W that appears (a new one, not
// the modal window shown when this is called), from inside its event loop.
template <class W>
void when_shown(std::function<void(W*)> act) {
  QPointer<QWidget> before = QApplication::activeModalWidget();
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, before, act = std::move(act)] {
    auto* w = qobject_cast<W*>(QApplication::activeModalWidget());
    if (w == nullptr || w == before.data() || !w->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    act(w);
  });
  timer->start();
}

// While the returned timer lives, every message box shown is counted, its
// text kept, and answered with its default button, so that an unforeseen box
// fails the test instead of waiting for a user.
std::unique_ptr<QTimer> answer_every_box(std::vector<QString>& texts) {
  auto timer = std::make_unique<QTimer>();
  QObject::connect(timer.get(), &QTimer::timeout, [&texts] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    texts.push_back(box->text());
    box->defaultButton() != nullptr ? box->defaultButton()->click() : box->reject();
  });
  timer->start();
  return timer;
}

// Makes a shown window the active one, so that it has the keyboard focus.
bool activate(QWidget* window) {
  window->activateWindow();
  return QTest::qWaitForWindowActive(window);
}

ui::Control* captioned(ui::Control& c, const std::string& caption) {
  c.set_caption(caption);
  return &c;
}

// A dialog built like the program's own: a menu entry with a shortcut, a frame
// of labelled boxes, option buttons, a check box, a tab control whose pages
// hold a box each, a list and a multi-line box, and a list of inlets in a grid
// with a header row and more rows than it shows at once; buttons at the foot.
class Probe : public ui::Form {
 public:
  Probe() : Form("frmProbe", "Project") {
    add_menu("mnuHelp", "&Help").add("mnuHelpEntry", "&Help", "F1");
    auto box = [&](ui::Control& in, int row, const std::string& label, const std::string& name,
                   Kind kind = Kind::TextBox) {
      add_label(label, {&in, row, 0});
      return &add(name, kind, {&in, row, 1});
    };
    ui::Control& details = add("Frame1", Kind::Frame, {nullptr, 0, 0, 1, 2});
    id = box(details, 0, "PROJECT ID", "project_id");
    name = box(details, 1, "PROJECT NAME", "project_name");
    description = box(details, 2, "DESCRIPTION", "description");
    county = box(details, 3, "COUNTY", "county", Kind::ComboBox);
    county->set_items({"Accomack", "Albemarle", "Isle of Wight", "King and Queen"});
    ui::Control* method = &add("Frame2", Kind::Frame, {nullptr, 1, 0});
    rational = captioned(add("optRational", Kind::OptionButton, {method, 0, 0}), "&Rational method");
    table = captioned(add("optTable", Kind::OptionButton, {method, 1, 0}), "&Table");
    keep = captioned(add("chkKeep", Kind::CheckBox, {nullptr, 1, 1}), "&Keep the values after saving");
    tabs = &add("SSTab1", Kind::TabControl, {nullptr, 2, 0, 1, 2});
    ui::Control* page[4];
    const char* pages[] = {"Geometry", "Flow Data", "Results", "Inlets"};
    for (int i = 0; i < 4; ++i) {
      page[i] = captioned(add("Page" + std::to_string(i), Kind::TabPage, {tabs, 0, i}), pages[i]);
    }
    length = box(*page[0], 0, "Inlet length (ft)", "txtLength");
    area = box(*page[1], 0, "Drainage area (ac)", "txtArea");
    messages = &add("lstMessages", Kind::ListBox, {page[2], 0, 0});
    messages->set_items({"Spread within the allowed width", "Bypass flow 0.12 cfs"});
    notes = &add("txtNotes", Kind::TextBox, {page[2], 1, 0});
    notes->set_multiline(true);
    grid = &add("inletflex", Kind::Grid, {page[3], 0, 0});
    std::vector<std::vector<std::string>> cells = {{"INLET_ID", "STATION", "TYPE"}};
    for (int i = 1; i <= 30; ++i) cells.push_back({"IN-" + std::to_string(i), std::to_string(i) + "+00", "GRATE"});
    grid->set_grid(std::move(cells));
    ok = captioned(add("cmdOK", Kind::CommandButton, {nullptr, 3, 0}), "OK");
    cancel = captioned(add("cmdCancel", Kind::CommandButton, {nullptr, 3, 1}), "Cancel");
  }
  ui::Control *id, *name, *description, *county, *rational, *table, *keep, *tabs, *length, *area, *messages, *notes,
      *grid, *ok, *cancel;
};

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
  static void click_end(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() - 5, w->height() / 2));
  }
  static void click_tab(QTabWidget* tabs, int i) {
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(i).center());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  }

  // A form of the test's own, kept like the probe until the desktop is gone.
  template <class F = ui::Form, class... A>
  F& make(A&&... args) {
    own_forms.push_back(std::make_unique<F>(std::forward<A>(args)...));
    return static_cast<F&>(*own_forms.back());
  }

  QApplication& app = qt::testing::application();
  // The forms outlive the desktop, which closes their windows.
  Probe p;
  std::vector<std::unique_ptr<ui::Form>> own_forms;
  qt::QtDesktop desktop;
};

// --- Windows and layout -------------------------------------------------------------

TEST_F(QtFront, FormsAreLaidOutWithoutOverlapsOrCutOffTexts) {
  qt::FormWindow& w = shown(p);
  EXPECT_THAT(layout_problems(w), IsEmpty());
  // Labels stand beside their box, on the same row; the longest item of a list fits in its box.
  const QRect label = w.widget("Label2_")->geometry();
  const QRect name = w.widget("project_name")->geometry();
  EXPECT_LT(label.right(), name.left());
  EXPECT_TRUE(label.intersects(QRect(0, name.top(), 10000, name.height())));
  auto* county = widget<QComboBox>(w, "county");
  EXPECT_GE(county->lineEdit()->width(), county->fontMetrics().horizontalAdvance("King and Queen"));
}

// A long text is shortened in the middle (the file name stays) with the whole
// text as its tooltip; where the bar has the room it shows whole; panels never
// overlap, however narrow the window. The main window's unload ends the program.
TEST_F(QtFront, TheMainWindowsPanelsShortenLongTextsOnlyWhenTheyMustAndItsUnloadEndsTheProgram) {
  ui::Form& main = make("frmMainProbe", "Ravelgrit", ui::FormKind::MainWindow);
  ui::StatusBar& bar = main.add_status_bar();
  for (int chars : {40, 16}) bar.add_panel(ui::StatusBar::PanelStyle::Text, chars);
  bar.add_panel(ui::StatusBar::PanelStyle::Time, 8);
  qt::FormWindow& w = shown(main);
  const std::string path = "Project Database - /home/designer/projects/route 29 widening/inlets/phase two/final.rvg";
  bar.set_panel_text(1, path);
  EXPECT_TRUE(w.panel(1)->text().contains(QStringLiteral("…")) && w.panel(1)->text().endsWith("final.rvg"))
      << w.panel(1)->text().toStdString();
  EXPECT_EQ(w.panel(1)->toolTip().toStdString(), path);
  bar.set_panel_text(1, "Project Database - final.rvg");
  bar.set_panel_text(2, "Combination Curb and Grate Inlet");
  w.window()->resize(800, 200);
  QCoreApplication::processEvents();
  EXPECT_EQ(w.panel(2)->text().toStdString(), "Combination Curb and Grate Inlet");
  w.window()->resize(60, 60);
  QCoreApplication::processEvents();
  for (int n = 1; n < 3; ++n) EXPECT_LT(w.panel(n)->geometry().right(), w.panel(n + 1)->geometry().left()) << n;
  EXPECT_LE(w.panel(3)->geometry().right(), w.window()->width());
  EXPECT_FALSE(w.panel(3)->text().isEmpty()) << "the clock shows";
  QTimer::singleShot(0, [&] { main.unload(); });
  EXPECT_EQ(app.exec(), 0);  // returns only once the program ends
}

// A control the program hides leaves no gap, even in a row that stretches, and
// the dialog's size follows what it shows, within the screen.
TEST_F(QtFront, HiddenControlsTakeNoRoomAndTheDialogFollowsWhatItShows) {
  ui::Form& form = make("frmHideProbe", "Hide");
  for (int row = 0; row < 3; ++row) {
    form.add_label("Inside", {&form.add("Frame" + std::to_string(row), Kind::Frame, {nullptr, 2 * row, 0}), 0, 0});
  }
  ui::Control& rows = form.add("lstRows", Kind::ListBox, {nullptr, 1, 0});
  rows.set_items({"a", "b"});
  rows.set_visible(false);
  qt::FormWindow& w = shown(form);
  const QSize without_list = w.window()->size();
  const int spacing = qobject_cast<QGridLayout*>(w.widget("Frame0")->parentWidget()->layout())->verticalSpacing();
  auto settle = [] {
    for (int pass = 0; pass < 3; ++pass) QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  };
  // Shown at the foot of the screen, the list gets the room it asks for and
  // the dialog moves up to stay on the screen.
  const QRect screen = w.window()->screen()->availableGeometry();
  w.window()->move(screen.left(), screen.bottom() + 1 - w.window()->frameGeometry().height());
  rows.set_visible(true);
  settle();
  EXPECT_GE(w.widget("lstRows")->height(), w.widget("lstRows")->sizeHint().height());
  EXPECT_TRUE(screen.contains(w.window()->frameGeometry()));
  EXPECT_THAT(layout_problems(w), IsEmpty());
  // Hidden, it leaves no gap and the dialog shrinks back.
  rows.set_visible(false);
  settle();
  EXPECT_EQ(w.window()->size(), without_list);
  form.control("Frame1").set_visible(false);
  settle();
  EXPECT_EQ(w.widget("Frame2")->y() - w.widget("Frame0")->geometry().bottom() - 1, spacing);
  EXPECT_LT(w.window()->height(), without_list.height());
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

// A text from data never widens its window past the screen: a caption longer
// than any the program writes is shortened, its whole text the tooltip (the
// program's own tooltip while it shows whole); a list and a grid column ask
// for no more, and a cut cell's tooltip holds the whole text.
TEST_F(QtFront, LongTextsFromDataKeepTheWindowOnTheScreen) {
  ui::Form& form = make("frmLongProbe", "Long");
  ui::Control& number = form.add("lblNumber", Kind::Label, {nullptr, 0, 0});
  number.set_tooltip("The inlet shown");
  ui::Control& inlets = form.add("cboInlets", Kind::ComboBox, {nullptr, 1, 0});
  ui::Control& grid = form.add("grdInlets", Kind::Grid, {nullptr, 2, 0});
  qt::FormWindow& w = shown(form);
  const std::string long_text(300, '7');
  number.set_caption(long_text);
  inlets.set_items({"IN-1", long_text});
  grid.set_grid({{"INLET_ID", "TYPE"}, {long_text, "Combination Curb and Grate Inlet"}});
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  const int screen = w.window()->screen()->availableGeometry().width();
  for (const char* name : {"lblNumber", "cboInlets", "grdInlets"}) {
    EXPECT_LE(w.widget(name)->sizeHint().width(), screen) << name;
  }
  EXPECT_LE(w.window()->frameGeometry().width(), screen);
  auto* label = widget<QLabel>(w, "lblNumber");
  EXPECT_TRUE(label->text().contains(QChar(0x2026))) << label->text().toStdString();
  EXPECT_EQ(label->toolTip().remove('\n').toStdString(), long_text);
  auto* table = widget<QTableView>(w, "grdInlets");
  auto tip = [table](int col) {
    const QPoint at = table->visualRect(table->model()->index(0, col)).center();
    QHelpEvent help(QEvent::ToolTip, at, table->viewport()->mapToGlobal(at));
    QApplication::sendEvent(table->viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text().remove('\n').toStdString() : std::string();
  };
  EXPECT_EQ(tip(1), "") << "a name the program lists shows whole";
  EXPECT_EQ(tip(0), long_text);
  number.set_caption("IN-1");
  EXPECT_EQ(label->text(), "IN-1");
  EXPECT_EQ(label->toolTip(), "The inlet shown");
}

// Wherever the keys or the program put the focus, it shows: a box of several
// lines, a list, a check box, an option button, a tab and a button each look
// otherwise with the focus than without.
TEST_F(QtFront, TheControlWithTheFocusShowsIt) {
  qt::FormWindow& w = shown(p);
  p.tabs->set_current_tab(2);
  p.set_focus(*p.id);
  for (ui::Control* c : {p.notes, p.messages, p.keep, p.rational, p.tabs, p.cancel}) {
    QWidget* x = w.widget(*c);
    const QImage without = x->grab().toImage();
    p.set_focus(*c);
    ASSERT_TRUE(x->hasFocus() || x->focusProxy()->hasFocus()) << c->name();
    EXPECT_NE(x->grab().toImage(), without) << c->name();
  }
}

// A box that takes no typing (locked, or in a disabled frame) shows the button
// face; Tab passes over a locked box, but a click still reaches it (to select
// and copy its text) and typing there changes nothing. When the box with the
// focus becomes disabled, the model follows the focus.
TEST_F(QtFront, ALockedBoxLooksSoTabPassesOverItAndTypingChangesNothing) {
  qt::FormWindow& w = shown(p);
  const QColor face = QApplication::palette().color(QPalette::Button);
  auto base = [&](const char* box) { return w.widget(box)->palette().color(QPalette::Base); };
  p.name->set_text("Elm");
  p.name->set_locked(true);
  EXPECT_EQ(base("project_name"), face);
  EXPECT_NE(base("project_id"), face);
  click(w.widget("project_id"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), w.widget("description"));
  click(w.widget("project_name"));
  ASSERT_EQ(QApplication::focusWidget(), w.widget("project_name"));
  QTest::keyClicks(QApplication::focusWidget(), "x");
  EXPECT_EQ(widget<QLineEdit>(w, "project_name")->text(), "Elm");
  p.name->set_enabled(false);
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  EXPECT_EQ(w.widget(*p.active_control()), QApplication::focusWidget());
  p.control("Frame1").set_enabled(false);
  EXPECT_EQ(base("project_id"), face);
}

// --- What the user does goes through the model ---------------------------------------

// Enter that no handler takes presses the default button, leaving the box as a
// click would, except in a multi-line box, where it breaks the line; Escape
// presses the cancel button where the focus is.
TEST_F(QtFront, EnterPressesTheDefaultButtonAndEscapeTheCancelButton) {
  std::vector<std::string> log;
  p.ok->set_default(true);
  p.cancel->set_cancel(true);
  p.ok->Click = [&] { log.push_back("OK"); };
  p.cancel->Click = [&] { log.push_back("Cancel"); };
  p.name->LostFocus = [&] { log.push_back("left"); };
  p.id->KeyPress = [](int& key) { key = key == ui::kKeyEnter ? 0 : key; };
  qt::FormWindow& w = shown(p);
  click(w.widget("project_name"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  click(w.widget("project_id"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  p.tabs->set_current_tab(2);
  click(w.widget("txtNotes"));
  QTest::keyClicks(QApplication::focusWidget(), "a\rb");
  EXPECT_EQ(p.notes->text(), "a\nb");
  EXPECT_THAT(log, ElementsAre("Cancel", "left", "OK"));
}

TEST_F(QtFront, EditableCombosTakeTypedTextAndPicksThroughTheModelAndTypingGivesTheItem) {
  qt::FormWindow& w = shown(p);
  auto* county = widget<QComboBox>(w, "county");
  std::vector<std::string> log, selections;
  p.county->KeyPress = [&](int& key) {
    selections.push_back(p.county->sel_text());
    if (key >= 'a' && key <= 'z') key -= 32;  // capitals only
  };
  p.county->Change = [&] { log.push_back("Change " + p.county->text()); };
  p.county->Click = [&] { log.push_back("Click " + p.county->text()); };
  click(county);
  ASSERT_EQ(p.active_control(), p.county);
  // Keys go where Qt sends them: to the focus widget.
  QTest::keyClicks(QApplication::focusWidget(), "ab");
  county->lineEdit()->setSelection(0, 1);
  QTest::keyClicks(county->lineEdit(), "c");
  EXPECT_EQ(county->currentText(), "CB");
  EXPECT_EQ(p.county->text(), "CB");
  EXPECT_THAT(selections, ElementsAre("", "", "A")) << "each key offered once, with the user's selection";
  QTest::keyClick(county, Qt::Key_Return);
  EXPECT_EQ(county->count(), 4) << "neither typing nor Enter adds an item";

  // An item the program adds can be picked; a pick raises Click, not Change.
  // The arrow keys step the closed list: Click runs, but the Tab it sends after
  // a choice waits for a pick from the open list.
  p.county->add_item("Bath");
  p.county->set_list_index(3);
  p.county->Click = [&] {
    log.push_back("Click " + p.county->text());
    p.send_tab();
  };
  log.clear();
  QTest::keyClick(county, Qt::Key_Down);
  EXPECT_EQ(p.county->list_index(), 4);
  EXPECT_EQ(p.active_control(), p.county);
  county->showPopup();
  QTest::keyClick(county->view(), Qt::Key_Up);
  QTest::keyClick(county->view(), Qt::Key_Return);
  EXPECT_THAT(log, ElementsAre("Click Bath", "Click King and Queen"));
  EXPECT_EQ(p.active_control(), p.rational);
  p.county->Click = [&] { log.push_back("Click " + p.county->text()); };
  p.county->set_list_index(4);

  // A locked list keeps its choice and does not drop down.
  p.county->set_locked(true);
  QTest::keyClick(county, Qt::Key_Up);
  EXPECT_EQ(county->currentText(), "Bath");
  click_end(county);
  EXPECT_FALSE(county->view()->isVisible());
  p.county->set_locked(false);
  click_end(county);
  EXPECT_TRUE(county->view()->isVisible()) << "unlocked, the same click drops it down";
  county->hidePopup();

  // A Change that completes a typed beginning to its item, as the details
  // dialog does with a unit: typing on replaces the completed tail.
  p.county->set_items({"ENGLISH", "METRIC"});
  p.county->Change = [&] {
    for (const std::string& item : p.county->items()) {
      if (item.rfind(p.county->text(), 0) == 0) p.county->set_text(item);
    }
  };
  county->lineEdit()->selectAll();
  QTest::keyClicks(county->lineEdit(), "ENG");
  EXPECT_EQ(county->currentText(), "ENGLISH");
}

// A paste goes through the model, by the keys or as the menu does it: the
// copied cell's line end is dropped, inner line ends become blanks, and what
// the key filter refuses leaves the box as it was, in the model and on the
// screen. Typed blanks stay.
TEST_F(QtFront, APasteIsTakenAsTheModelTakesItHoweverItComes) {
  std::vector<std::string> refused;
  p.length->KeyPress = [](int& key) {
    if (key >= 32 && (key < '0' || key > '9') && key != '.') key = 0;
  };
  qt::FormWindow& w = shown(p);
  auto* length = widget<QLineEdit>(w, "txtLength");
  // While the refusal is said, the box already shows what it kept.
  p.length->PasteRefused = [&](const std::string& pasted) {
    refused.push_back(pasted + " over " + length->text().toStdString());
  };
  auto paste_keys = [](const QString& copied, QKeyCombination keys = Qt::ControlModifier | Qt::Key_V) {
    QApplication::clipboard()->setText(copied);
    QTest::keyClick(QApplication::focusWidget(), keys.key(), keys.keyboardModifiers());
  };
  auto* id = widget<QLineEdit>(w, "project_id");
  click(id);
  paste_keys("20+00\r\n");
  QTest::keyClicks(id, " a");
  QApplication::clipboard()->setText("\tb\r\nc\n");
  id->paste();
  EXPECT_EQ(p.id->text(), "20+00 ab c");
  EXPECT_EQ(id->text(), "20+00 ab c");

  auto* county = widget<QComboBox>(w, "county");
  click(county->lineEdit());
  paste_keys("Albemarle\r\n");
  EXPECT_EQ(p.county->text(), "Albemarle");
  EXPECT_EQ(p.county->list_index(), 1);
  county->lineEdit()->selectAll();
  QTest::keyClicks(QApplication::focusWidget(), "Isle of");
  EXPECT_EQ(p.county->text(), "Isle of");

  click(length);
  QTest::keyClicks(length, "12");
  length->selectAll();
  paste_keys("-5\n");
  EXPECT_EQ(p.length->text(), "12");
  length->end(false);
  paste_keys(".5", Qt::ShiftModifier | Qt::Key_Insert);
  QTest::keyClicks(length, "0");
  EXPECT_EQ(p.length->text(), "12.50");
  EXPECT_EQ(length->text(), "12.50");
  EXPECT_THAT(refused, ElementsAre("-5 over 12"));
}

TEST_F(QtFront, ClicksPicksAndKeysRaiseTheModelsEvents) {
  qt::FormWindow& w = shown(p);
  std::vector<std::string> log;
  auto cell = [&] { return std::to_string(p.grid->row()) + "," + std::to_string(p.grid->col()); };
  p.ok->Click = [&] { log.push_back("OK"); };
  p.menu("mnuHelpEntry").Click = [&] { log.push_back("Help"); };
  p.tabs->TabClick = [&](int previous) { log.push_back("TabClick from " + std::to_string(previous)); };
  p.messages->Click = [&] { log.push_back("Click " + p.messages->text()); };
  p.grid->Click = [&] { log.push_back("Click " + cell()); };
  p.grid->DblClick = [&] { log.push_back("DblClick " + cell()); };

  click(w.widget("cmdOK"));
  QTest::keyClick(w.widget("cmdOK"), Qt::Key_Return);  // Enter on the focused button presses it
  QTest::keyClick(w.window(), Qt::Key_F1);             // the shortcut chooses its entry
  click(w.widget("chkKeep"));
  EXPECT_EQ(p.keep->value(), 1);
  auto* rational = widget<QRadioButton>(w, "optRational");
  auto* table = widget<QRadioButton>(w, "optTable");
  for (QRadioButton* option : {rational, table, table}) click(option);
  EXPECT_FALSE(rational->isChecked());
  EXPECT_TRUE(table->isChecked()) << "clicking the chosen option keeps it chosen";

  auto* tabs = widget<QTabWidget>(w, "SSTab1");
  click_tab(tabs, 2);
  auto* messages = widget<QListWidget>(w, "lstMessages");
  QTest::mouseClick(messages->viewport(), Qt::LeftButton, {}, messages->visualItemRect(messages->item(1)).center());

  // The grid's first row is its header: the widget's row 2 is the model's 3.
  click_tab(tabs, 3);
  auto* flex = widget<QTableView>(w, "inletflex");
  auto at = [&](int row, int col) { return flex->visualRect(flex->model()->index(row - 1, col)).center(); };
  QTest::mouseClick(flex->viewport(), Qt::LeftButton, {}, at(3, 2));
  QTest::mouseDClick(flex->viewport(), Qt::LeftButton, {}, at(5, 0));
  QTest::keyClick(flex, Qt::Key_Down);
  QTest::keyClick(flex, Qt::Key_Return);  // as a double click on the row
  EXPECT_THAT(log, ElementsAre("OK", "OK", "Help", "TabClick from 0", "Click Bypass flow 0.12 cfs", "TabClick from 2",
                               "Click 3,2", "DblClick 5,0", "DblClick 6,0"));
  // The program's move shows, scrolled into view.
  p.grid->set_current_cell(30, 1);
  EXPECT_EQ(flex->currentIndex(), flex->model()->index(29, 1));
  EXPECT_TRUE(flex->viewport()->rect().contains(flex->visualRect(flex->currentIndex())));
}

// A row the program asks to show at the top comes there when it is out of
// view, also in a window built after the request (a list reloading itself),
// where the current row would otherwise come into view at the foot; a row in
// view stays where it is; asked again after the user scrolled away, it comes back.
TEST_F(QtFront, ARowAskedAtTheTopShowsThereOnlyWhenItWasOutOfView) {
  auto& form = make("frmList", "Inlets");
  ui::Control& grid = form.add("inletflex", Kind::Grid);
  std::vector<std::vector<std::string>> cells = {{"INLET_ID", "STATION"}};
  for (int i = 1; i <= 60; ++i) cells.push_back({"IN-" + std::to_string(i), std::to_string(i) + "+00"});
  grid.set_grid(std::move(cells));
  grid.set_top_row(31);
  grid.set_current_cell(31, 0);
  qt::FormWindow& w = shown(form);
  auto* flex = widget<QTableView>(w, "inletflex");
  // The grid's row at the top of the view (its row 0 is the header).
  auto top = [flex] { return flex->rowAt(0) + 1; };
  ASSERT_LT(flex->viewport()->height(), 20 * flex->rowHeight(0)) << "the test wants row 31 out of view at first";
  EXPECT_EQ(top(), 31);
  const struct { int asked; bool scrolled_away; int shows; } asks[] = {{35, false, 31}, {3, false, 3}, {3, true, 3}};
  for (const auto& a : asks) {
    if (a.scrolled_away) flex->verticalScrollBar()->setValue(flex->verticalScrollBar()->maximum());
    grid.set_top_row(a.asked);
    EXPECT_EQ(top(), a.shows) << a.asked;
  }
}

// A box that refuses its text keeps the focus whatever the user tries: Tab, a
// click on another tab, the keys that turn the tabs, a click on a check box or
// a button (which then does nothing); each try asks once. A cancel button
// acts where the focus is, asking nothing. What is typed next lands in the box
// that shows the caret, never in one on a hidden tab.
TEST_F(QtFront, ARefusingBoxKeepsTheFocusAndTheTypedKeysAgainstEveryMove) {
  p.cancel->set_cancel(true);
  int cancels = 0;
  p.cancel->Click = [&] { ++cancels; };
  qt::FormWindow& w = shown(p);
  p.length->Validate = [&](bool& cancel) {
    cancel = p.length->text().find_first_not_of("0123456789.") != std::string::npos;
    if (cancel) ui::show_box(desktop, "Inlet length (ft): not a number");
  };
  int oks = 0;
  p.ok->Click = [&] { ++oks; };
  std::vector<QString> boxes;
  const auto answering = answer_every_box(boxes);
  auto* edit = widget<QLineEdit>(w, "txtLength");
  auto* tab_widget = widget<QTabWidget>(w, "SSTab1");
  click(edit);
  QApplication::clipboard()->setText("12.5 ft");
  QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(p.length->text(), "12.5 ft");

  QTest::keyClick(edit, Qt::Key_Tab);
  click_tab(tab_widget, 1);
  QTest::keyClick(w.window()->focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
  for (const char* other : {"chkKeep", "cmdOK"}) {
    ASSERT_TRUE(activate(w.window()));
    click(w.widget(other));
  }
  EXPECT_EQ(boxes.size(), 5u);
  EXPECT_EQ(tab_widget->currentIndex(), 0);
  EXPECT_EQ(oks, 0);
  EXPECT_FALSE(p.keep->value() == 1 || widget<QCheckBox>(w, "chkKeep")->isChecked());
  ASSERT_TRUE(activate(w.window()));
  click(w.widget("cmdCancel"));
  EXPECT_EQ(cancels, 1);
  EXPECT_EQ(boxes.size(), 5u);
  ASSERT_EQ(QApplication::focusWidget(), edit);
  QTest::keyClicks(QApplication::focusWidget(), "9");
  EXPECT_EQ(p.length->text(), "12.5 ft9");
}

// The click that focuses a box whose GotFocus selects its text keeps the
// selection, so typing replaces the text; a click into a focused box, or into
// one whose GotFocus selects nothing, places the caret. Shift+Tab selects, and
// so does the focus a window gives its first box as it opens.
TEST_F(QtFront, TheClickThatFocusesKeepsTheSelectionGotFocusMade) {
  p.id->set_text("P-0");
  qt::FormWindow& w = shown(p);
  ASSERT_EQ(p.active_control(), p.id);
  EXPECT_EQ(p.id->sel_text(), "P-0");
  p.name->set_text("0.0");
  p.description->set_text("0.0");
  p.name->GotFocus = [&] { p.name->set_selection(0, 3); };
  p.description->GotFocus = [] {};
  click(w.widget("project_id"));
  auto* name = widget<QLineEdit>(w, "project_name");
  click_end(name);
  ASSERT_EQ(p.active_control(), p.name);
  EXPECT_EQ(name->selectedText(), "0.0");
  QTest::keyClicks(name, "8");
  EXPECT_EQ(p.name->text(), "8");
  p.name->set_selection(0, 1);
  click_end(name);
  EXPECT_EQ(p.name->sel_length(), 0);
  EXPECT_EQ(p.name->sel_start(), 1);

  click_end(w.widget("description"));
  ASSERT_EQ(p.active_control(), p.description);
  EXPECT_EQ(p.description->sel_start(), 3);
  EXPECT_EQ(p.description->sel_length(), 0);

  // Reached by the keys, a box shows its whole text selected, and a paste replaces it.
  p.id->set_text("P-1");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
  auto* id = widget<QLineEdit>(w, "project_id");
  ASSERT_EQ(QApplication::focusWidget(), id);
  EXPECT_EQ(id->selectedText(), "P-1");
  QApplication::clipboard()->setText("Route 9");
  QTest::keyClick(id, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(p.id->text(), "Route 9");
}

// Whatever a handler lets through is shown in a plain box, and the program goes on.
TEST_F(QtFront, WhatEscapesAHandlerIsShownNotThrownThroughQt) {
  struct Fault {};  // not a std::exception, as the hydraulics' own
  qt::FormWindow& w = shown(p);
  std::vector<QString> boxes;
  const auto answering = answer_every_box(boxes);
  p.ok->Click = [] { throw std::runtime_error("Disk full"); };
  click(w.widget("cmdOK"));
  p.ok->Click = [] { throw Fault{}; };
  click(w.widget("cmdOK"));
  EXPECT_THAT(boxes, ElementsAre("Disk full", "An unexpected error occurred."));
  EXPECT_TRUE(w.window()->isVisible());
}

// --- Life cycle ---------------------------------------------------------------------------------

// With no window manager to do it, the window a modal window or a box covered
// gets the keys back when it closes. A box shown just after a dialog closed,
// while the system may still count that dialog as active, does not go down
// with it.
TEST_F(QtFront, ModalWindowsNestAndTheWindowUnderneathGetsTheKeysBack) {
  Probe& inner = make<Probe>();
  auto outer_active = [&] {
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), desktop.window(p)->window());
  };
  p.ok->Click = [&] {
    desktop.show_modal(inner);
    outer_active();
    when_shown<QMessageBox>([](QMessageBox* box) { box->defaultButton()->click(); });
    ui::show_box(desktop, "Saved");
    outer_active();
    p.unload();
  };
  inner.ok->Click = [&] { inner.unload(); };
  QPointer<QDialog> outer_window;
  when_shown<QDialog>([&](QDialog* outer) {
    outer_window = outer;
    when_shown<QDialog>([&](QDialog*) { click(desktop.window(inner)->widget("cmdOK")); });
    activate(outer);
    click(desktop.window(p)->widget("cmdOK"));
  });
  EXPECT_TRUE(desktop.show_modal(p));
  EXPECT_TRUE(p.was_unloaded() && inner.was_unloaded());

  ASSERT_TRUE(outer_window);
  QApplication::setActiveWindow(outer_window);
  bool answered = false;
  when_shown<QMessageBox>([&](QMessageBox* box) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the closed dialog goes
    answered = true;
    box->accept();
  });
  ui::show_box(desktop, "Project Name: Old Project");
  EXPECT_TRUE(answered);
}

struct Guarded : Probe {
  bool refuse = true;
  std::vector<ui::UnloadMode> asked;
  void Form_QueryUnload(bool& cancel, ui::UnloadMode mode) override {
    asked.push_back(mode);
    cancel = refuse;
  }
};

// Escape in a dialog without a cancel button acts as its close box.
TEST_F(QtFront, TheCloseBoxAndEscapeAskTheFormAndARefusalKeepsTheWindow) {
  const std::vector<std::pair<const char*, std::function<void(QWidget*)>>> ways = {
      {"close box", [](QWidget* window) { window->close(); }},
      {"Escape", [](QWidget* window) { QTest::keyClick(window->focusWidget(), Qt::Key_Escape); }},
  };
  for (const auto& [how, close] : ways) {
    Guarded& form = make<Guarded>();
    QWidget* window = shown(form).window();
    close(window);
    EXPECT_TRUE(window->isVisible() && form.is_loaded()) << how;
    form.refuse = false;
    close(window);
    EXPECT_TRUE(form.was_unloaded()) << how;
    EXPECT_FALSE(window->isVisible()) << how;
    EXPECT_EQ(desktop.window(form), nullptr) << how;
    EXPECT_THAT(form.asked, ElementsAre(ui::UnloadMode::CloseBox, ui::UnloadMode::CloseBox)) << how;
  }
}

// --- Desktop services --------------------------------------------------------------------------

// The answer Enter gives is the box's default (No where Yes destroys data);
// Escape gives No or Cancel.
TEST_F(QtFront, MessageBoxesShowTheirTextAndAnswerEnterAndEscape) {
  using B = ui::Buttons;
  using A = ui::Answer;
  const std::tuple<B, std::optional<A>, Qt::Key, A> cases[] = {
      {B::YesNo, {}, Qt::Key_Return, A::Yes},
      {B::YesNo, {}, Qt::Key_Escape, A::No},
      {B::YesNo, A::No, Qt::Key_Return, A::No},
      {B::OKCancel, {}, Qt::Key_Escape, A::Cancel},
  };
  const std::string text = "File Already Exists!   Overwrite?";
  for (const auto& [buttons, enter, key, answer] : cases) {
    when_shown<QMessageBox>([&, key = key](QMessageBox* box) {
      EXPECT_EQ(box->text().toStdString(), text);
      QTest::keyClick(box, key);
    });
    EXPECT_EQ(desktop.message_box({text, buttons, ui::Icon::Exclamation, "", false, enter}), answer) << int(answer);
  }
}

TEST(QtFileFilters, TheProgramsFilterBecomesQtsNameFilters) {
  const std::pair<std::string, QStringList> cases[] = {
      {"Excel Files (*.xls)|*.xls|All Files (*.*)|*.*", {"Excel Files (*.xls)", "All Files (*.*)"}},
      {"Workbooks|*.xlsx;*.xls", {"Workbooks (*.xlsx *.xls)"}},
      {"Old (*.mdb)|*.rvg", {"Old (*.rvg)"}},
      {"Report (2007)|*.xlsx", {"Report (2007) (*.xlsx)"}},
      {"Only a description", {}},
  };
  for (const auto& [filter, expected] : cases) EXPECT_EQ(qt::name_filters(filter), expected) << filter;
}

TEST_F(QtFront, FileDialogsAreQtsOwnWithTheRequestedSettings) {
  QTemporaryDir dir;
  const QString existing = dir.filePath("old.rvg");
  ASSERT_TRUE(QFile(existing).open(QIODevice::WriteOnly));
  const std::string filter = "Ravelgrit files (*.rvg)|*.rvg";
  const ui::FileDialogRequest open{ui::FileDialogMode::Open, "Open", filter, dir.path().toStdString(), "", true};
  when_shown<QFileDialog>([&](QFileDialog* d) {
    EXPECT_EQ(QDir(d->directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
    d->selectFile(existing);
    static_cast<QDialog*>(d)->accept();
  });
  const QString chosen = QString::fromStdString(desktop.choose_file(open).value_or(""));
  EXPECT_EQ(QDir(chosen).canonicalPath(), QDir(existing).canonicalPath());

  when_shown<QFileDialog>([](QFileDialog* d) { static_cast<QDialog*>(d)->accept(); });
  const auto saved =
      desktop.choose_file({ui::FileDialogMode::Save, "Save", filter, dir.path().toStdString(), "new", false});
  EXPECT_EQ(QFileInfo(QString::fromStdString(saved.value_or(""))).fileName(), "new") << "no suffix is added";

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

// While the splash waits, keys, clicks and the window manager's close reach
// nothing; after the wait the same input reaches the form.
TEST_F(QtFront, WaitingLetsTimePassAndSwallowsTheUsersInput) {
  ui::Form& splash = make("frmSplashProbe", "", ui::FormKind::Splash);
  int heard = 0;
  splash.KeyPress = [&](int&) { ++heard; };
  splash.add("Frame1", Kind::Frame).Click = [&] { ++heard; };
  splash.add_label("Ravelgrit - Version 2.1", {&splash.control("Frame1"), 0, 0});
  qt::FormWindow& w = shown(splash);
  QWidget* window = w.window();
  auto act = [&] {
    QTest::keyClick(window, Qt::Key_A);
    click(w.widget("Frame1"));
  };
  QTimer::singleShot(0, [&] {
    act();
    QCloseEvent close_box;  // as the window manager sends it
    QSpontaneKeyEvent::setSpontaneous(&close_box);
    qApp->notify(window, &close_box);  // sendEvent would clear the mark
  });
  desktop.wait(0.3);
  EXPECT_EQ(heard, 0);
  EXPECT_TRUE(splash.is_loaded() && window->isVisible());
  act();
  EXPECT_EQ(heard, 2);
}

}  // namespace
