// The adapters of the kinds that edit a text: text boxes, one line or several,
// and combo boxes.

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOption>
#include <QKeyEvent>
#include <QTextCursor>
#include <QWheelEvent>
#include <algorithm>
#include <functional>

#include "platform/qt/control_views_internal.h"
#include "platform/qt/convert.h"
#include "platform/qt/form_window.h"

namespace rg::qt {

using ui::Property;

namespace {

// Selection in a text, in the model's bytes, from Qt's offsets.
struct Caret {
  int start = 0;
  int length = 0;
};

Caret model_caret(const ui::Control& c) {
  const std::string& t = c.text();
  const int s = qt_offset(t, c.sel_start());
  return {s, qt_offset(t, c.sel_start() + c.sel_length()) - s};
}

// Where an edit of `before` into `after` put text in, and how much (in Qt's
// offsets of `after`). Where the selection was replaced, as a paste does, that
// is exact; otherwise the text between what stayed before and after it.
Caret put_in(const QString& before, Caret selection, const QString& after) {
  const auto n = before.size();
  const auto m = after.size();
  const QStringView head = QStringView(before).left(selection.start);
  const QStringView tail = QStringView(before).mid(selection.start + selection.length);
  if (m >= head.size() + tail.size() && after.startsWith(head) && after.endsWith(tail)) {
    return {selection.start, static_cast<int>(m - head.size() - tail.size())};
  }
  // A character made of two halves is never split.
  qsizetype same = 0;
  while (same < n && same < m && before[same] == after[same]) ++same;
  if (same > 0 && after[same - 1].isHighSurrogate()) --same;
  qsizetype end = 0;
  while (end < n - same && end < m - same && before[n - 1 - end] == after[m - 1 - end]) ++end;
  if (end > 0 && after[m - end].isLowSurrogate()) --end;
  return {static_cast<int>(same), static_cast<int>(m - end - same)};
}

// What the text editors have in common: the text and caret shown, the user's
// edits and caret moves passed to the model. The editor is a QLineEdit, a
// QPlainTextEdit or the edit part of a combo box.
class TextView : public ControlView {
 public:
  using ControlView::ControlView;

  void apply(Property p) override {
    switch (p) {
      case Property::Text:
        if (has_editor() && shown_text() != to_q(control_.text())) {
          FormWindow::Sync sync(window_);
          show_text(to_q(control_.text()));
        }
        apply(Property::Selection);
        break;
      case Property::Selection:
        if (has_editor() && shown_text() == to_q(control_.text())) {
          const Caret want = model_caret(control_);
          const Caret now = shown_caret();
          if (now.start == want.start && now.length == want.length) break;
          FormWindow::Sync sync(window_);
          show_caret(want);
        }
        break;
      case Property::Locked:
        if (has_editor()) set_read_only(control_.locked());
        break;
      default:
        ControlView::apply(p);
    }
  }
  void copy_selection_to_model() override {
    if (!has_editor()) return;
    const QString t = shown_text();
    const Caret c = shown_caret();
    const int start = byte_offset(t, c.start);
    window_.user_moved_caret(control_, start, byte_offset(t, c.start + c.length) - start);
  }
  bool edits_text() const override { return has_editor(); }

 protected:
  virtual bool has_editor() const { return true; }
  virtual QString shown_text() const = 0;
  virtual void show_text(const QString& text) = 0;
  virtual Caret shown_caret() const = 0;
  virtual void show_caret(Caret c) = 0;
  virtual void set_read_only(bool on) = 0;

  // The editor's signals.
  void text_changed_by_user() {
    if (window_.syncing()) return;
    const QString shown = shown_text();
    const std::string now = to_std(shown);
    if (now == control_.text()) return;
    const QString before = to_q(control_.text());
    const Caret put = put_in(before, model_caret(control_), shown);
    if (put.length == 0 || window_.typing(control_)) {
      const Caret c = shown_caret();
      window_.user_edited(control_, now, byte_offset(shown, c.start + c.length));
      return;
    }
    // Not from a typed key: what went in is pasted through the model, which
    // cleans and judges it; the editor then shows what the model took.
    const int start = byte_offset(before, put.start);
    const int replaced = static_cast<int>(before.size()) - (static_cast<int>(shown.size()) - put.length);
    window_.user_pasted(control_, start, byte_offset(before, put.start + replaced) - start,
                        to_std(shown.mid(put.start, put.length)));
  }
  void caret_moved_by_user() {
    if (!window_.syncing()) copy_selection_to_model();
  }
  void watch(QLineEdit* e) {
    QObject::connect(e, &QLineEdit::textEdited, e, [this] { text_changed_by_user(); });
    QObject::connect(e, &QLineEdit::cursorPositionChanged, e, [this] { caret_moved_by_user(); });
    QObject::connect(e, &QLineEdit::selectionChanged, e, [this] { caret_moved_by_user(); });
  }
  static Caret caret_of(const QLineEdit* e) {
    if (e->hasSelectedText()) return {e->selectionStart(), static_cast<int>(e->selectedText().size())};
    return {e->cursorPosition(), 0};
  }
  static void set_caret(QLineEdit* e, Caret c) {
    if (c.length > 0) {
      e->setSelection(c.start, c.length);
    } else {
      e->setCursorPosition(c.start);
    }
  }
};

class LineView : public TextView {
 public:
  LineView(ui::Control& c, FormWindow& w) : TextView(c, w) {
    edit_ = new Hinted<QLineEdit>(c.width_chars());
    set_widget(edit_);
    watch(edit_);
  }

 protected:
  QString shown_text() const override { return edit_->text(); }
  void show_text(const QString& text) override { edit_->setText(text); }
  Caret shown_caret() const override { return caret_of(edit_); }
  void show_caret(Caret c) override { set_caret(edit_, c); }
  void set_read_only(bool on) override { edit_->setReadOnly(on); }
  QWidget* text_editor() const override { return edit_; }

 private:
  QLineEdit* edit_;
};

class PlainView : public TextView {
 public:
  PlainView(ui::Control& c, FormWindow& w) : TextView(c, w) {
    edit_ = new Hinted<QPlainTextEdit>(c.width_chars(), QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    edit_->setTabChangesFocus(true);
    set_widget(edit_);
    QObject::connect(edit_, &QPlainTextEdit::textChanged, edit_, [this] { text_changed_by_user(); });
    QObject::connect(edit_, &QPlainTextEdit::cursorPositionChanged, edit_, [this] { caret_moved_by_user(); });
    QObject::connect(edit_, &QPlainTextEdit::selectionChanged, edit_, [this] { caret_moved_by_user(); });
  }
  bool takes_enter() const override { return true; }
  // The mouse's pastes and drops land on the viewport.
  std::vector<QWidget*> input_widgets() const override { return {edit_, edit_->viewport()}; }

 protected:
  QString shown_text() const override { return edit_->toPlainText(); }
  void show_text(const QString& text) override { edit_->setPlainText(text); }
  Caret shown_caret() const override {
    const QTextCursor cur = edit_->textCursor();
    return {cur.selectionStart(), cur.selectionEnd() - cur.selectionStart()};
  }
  void show_caret(Caret c) override {
    QTextCursor cur = edit_->textCursor();
    cur.setPosition(c.start);
    cur.setPosition(c.start + c.length, QTextCursor::KeepAnchor);
    edit_->setTextCursor(cur);
  }
  void set_read_only(bool on) override { edit_->setReadOnly(on); }

 private:
  QPlainTextEdit* edit_;
};

// A combo box that asks for the room of its longest item, so that an item
// shows whole where the window has the room; a width hint is the least it
// takes. An item from data longer than any the program lists (an inlet
// number) does not widen the window. Its dropped-down list is wide enough for
// the longest item, even when the box itself is kept narrower.
class WholeItemsCombo : public QComboBox {
 public:
  // The item the keys or the wheel step the closed list to: the model, not
  // the widget, makes it current (a step is no pick).
  std::function<void(int index)> stepped;

  explicit WholeItemsCombo(int least_chars) : least_chars_(least_chars) {
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    setMinimumContentsLength(least_chars > 0 ? least_chars : 10);
  }
  QSize sizeHint() const override { return at_most_longest(QComboBox::sizeHint()); }
  QSize minimumSizeHint() const override {
    QSize s = at_most_longest(QComboBox::minimumSizeHint());
    // Measured as Qt measures a box of so many characters.
    if (least_chars_ > 0) s.setWidth(std::min(s.width(), box_for(least_chars_ * fontMetrics().horizontalAdvance('X'))));
    return s;
  }
  void showPopup() override {
    QAbstractItemView* list = view();
    const int frame = 2 * list->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    list->setMinimumWidth(list->sizeHintForColumn(0) + frame +
                          list->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    QComboBox::showPopup();
  }

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    const int to = step_target(e);
    if (to < 0) {
      QComboBox::keyPressEvent(e);
      return;
    }
    e->accept();
    if (to != currentIndex() && stepped) stepped(to);
  }
  void wheelEvent(QWheelEvent* e) override {
    if (!style()->styleHint(QStyle::SH_ComboBox_AllowWheelScrolling, nullptr, this)) {
      QComboBox::wheelEvent(e);
      return;
    }
    e->accept();
    const int delta = e->angleDelta().y();
    if (delta == 0 || count() == 0 || !stepped) return;
    const int to = std::clamp(currentIndex() + (delta > 0 ? -1 : 1), 0, count() - 1);
    if (to != currentIndex()) stepped(to);
  }

 private:
  // Where Up, Down, Page Up, Page Down, Home and End take the closed list;
  // -1 for other keys (Alt+Down and F4 drop the list down as usual).
  int step_target(const QKeyEvent* e) const {
    if (count() == 0 || (e->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) != 0) return -1;
    const int last = count() - 1;
    const int at = currentIndex();
    switch (e->key()) {
      case Qt::Key_Up: return std::max(0, at - 1);
      case Qt::Key_Down: return at < 0 ? 0 : std::min(last, at + 1);
      case Qt::Key_PageUp:
      case Qt::Key_Home: return 0;
      case Qt::Key_PageDown:
      case Qt::Key_End: return last;
      default: return -1;
    }
  }

  // The width of the box around a text so wide.
  int box_for(int text) const {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(text, height()), this).width();
  }
  QSize at_most_longest(QSize s) const {
    s.setWidth(std::min(s.width(), box_for(chars_width(this, kLongestText))));
    return s;
  }

  int least_chars_;
};

class ComboView : public TextView {
 public:
  ComboView(ui::Control& c, FormWindow& w) : TextView(c, w) {
    combo_ = new WholeItemsCombo(c.width_chars());
    set_widget(combo_);
    combo_->setEditable(!c.pick_only());
    combo_->setMaxVisibleItems(12);
    QObject::connect(combo_, &QComboBox::activated, combo_, [this](int index) {
      if (!window_.syncing()) window_.user_picked(control_, index);
    });
    combo_->stepped = [this](int index) {
      if (!window_.syncing()) window_.user_stepped(control_, index);
    };
    if (QLineEdit* e = combo_->lineEdit()) {
      // The program's lists take what is typed as it is: no completion, and Enter
      // never adds an item.
      combo_->setCompleter(nullptr);
      combo_->setInsertPolicy(QComboBox::NoInsert);
      watch(e);
    }
  }
  std::vector<QWidget*> input_widgets() const override {
    std::vector<QWidget*> out{combo_};
    if (combo_->lineEdit() != nullptr) out.push_back(combo_->lineEdit());
    return out;
  }
  void apply(Property p) override {
    switch (p) {
      case Property::Items: {
        FormWindow::Sync sync(window_);
        combo_->clear();
        QStringList items;
        for (const std::string& item : control_.items()) items << to_q(item);
        combo_->addItems(items);
        apply(Property::ListIndex);
        break;
      }
      case Property::ItemAdded: {
        FormWindow::Sync sync(window_);
        combo_->addItem(to_q(control_.items().back()));
        break;
      }
      case Property::ListIndex:
      case Property::Text:
        if (combo_->currentIndex() != control_.list_index()) {
          FormWindow::Sync sync(window_);
          combo_->setCurrentIndex(control_.list_index());
        }
        TextView::apply(Property::Text);
        break;
      default:
        TextView::apply(p);
    }
  }
  bool accepts_pointer_input() const override { return !control_.locked(); }

 protected:
  bool has_editor() const override { return combo_->lineEdit() != nullptr; }
  QString shown_text() const override { return combo_->lineEdit()->text(); }
  void show_text(const QString& text) override { combo_->setEditText(text); }
  Caret shown_caret() const override { return caret_of(combo_->lineEdit()); }
  void show_caret(Caret c) override { set_caret(combo_->lineEdit(), c); }
  void set_read_only(bool on) override { combo_->lineEdit()->setReadOnly(on); }
  QWidget* text_editor() const override { return combo_->lineEdit(); }

 private:
  WholeItemsCombo* combo_;
};

}  // namespace

std::unique_ptr<ControlView> make_text_box_view(ui::Control& control, FormWindow& window) {
  if (control.multiline()) return std::make_unique<PlainView>(control, window);
  return std::make_unique<LineView>(control, window);
}

std::unique_ptr<ControlView> make_combo_view(ui::Control& control, FormWindow& window) {
  return std::make_unique<ComboView>(control, window);
}

}  // namespace rg::qt
