#include "platform/qt/control_views.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QAbstractItemView>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextCursor>
#include <algorithm>
#include <functional>

#include "platform/qt/convert.h"
#include "platform/qt/form_window.h"
#include "platform/qt/picture_widget.h"

namespace rg::qt {

using ui::Property;

// --- Shared ------------------------------------------------------------------

void ControlView::set_widget(QWidget* w) {
  widget_ = w;
  w->setObjectName(to_q(control_.name()));
}

void ControlView::add_child(ControlView& child) {
  if (grid_ == nullptr) return;
  const ui::Place& p = child.control().place();
  grid_->addWidget(child.widget(), p.row, p.col, p.row_span, p.col_span);
}

void ControlView::apply(Property p) {
  QWidget* w = widget();
  if (w == nullptr) return;
  switch (p) {
    case Property::Enabled:
      w->setEnabled(control_.enabled());
      break;
    case Property::Visible:
      w->setVisible(control_.visible());
      break;
    case Property::ToolTip:
      w->setToolTip(to_q(control_.tooltip()));
      break;
    case Property::BackColor: {
      const ui::Color c = control_.shown_back_color();
      QPalette pal = w->palette();
      if (edits_text() || control_.kind() == ui::ControlKind::ListBox ||
          control_.kind() == ui::ControlKind::ComboBox || control_.kind() == ui::ControlKind::Grid) {
        pal.setColor(QPalette::Base, to_qcolor(c));
      } else {
        const bool plain = c == ui::kButtonFace;
        pal.setColor(QPalette::Window, plain ? QApplication::palette().color(QPalette::Window) : to_qcolor(c));
        w->setAutoFillBackground(!plain);
      }
      w->setPalette(pal);
      break;
    }
    default:
      break;
  }
}

void ControlView::apply_all() {
  FormWindow::Sync sync(window_);
  for (Property p : {Property::Caption, Property::Items, Property::Text, Property::ListIndex, Property::Value,
                     Property::Selection, Property::Locked, Property::Enabled, Property::BackColor,
                     Property::ToolTip, Property::CurrentTab, Property::Drawing, Property::Cells,
                     Property::Visible}) {
    apply(p);
  }
  show_tab_stop();
}

void ControlView::show_tab_stop() {
  QWidget* w = widget();
  if (w == nullptr || !ui::can_have_focus(control_.kind())) return;
  if (!tab_policy_) tab_policy_ = w->focusPolicy();
  w->setFocusPolicy(control_.tab_stop() ? *tab_policy_ : Qt::ClickFocus);
}

namespace {

// The width of `chars` average characters of the widget's font.
int chars_width(const QWidget* w, int chars) {
  const QFontMetrics fm(w->font());
  return chars * std::max(fm.averageCharWidth(), fm.horizontalAdvance(QLatin1Char('x')));
}

// A widget whose preferred width follows the control's width hint.
template <class W>
class Hinted : public W {
 public:
  explicit Hinted(int chars, int extra = 0) : chars_(chars), extra_(extra) {}
  QSize sizeHint() const override {
    QSize s = W::sizeHint();
    if (chars_ > 0) {
      s.setWidth(chars_width(this, chars_) + 2 * this->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 8 +
                 extra_);
    }
    return s;
  }
  QSize minimumSizeHint() const override {
    QSize s = W::minimumSizeHint();
    if (chars_ > 0) s.setWidth(sizeHint().width());
    return s;
  }

 private:
  int chars_;
  int extra_;
};

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

// --- Labels, frames, pictures -----------------------------------------------------

class LabelView : public ControlView {
 public:
  LabelView(ui::Control& c, FormWindow& w) : ControlView(c, w) {
    label_ = new QLabel;
    label_->setTextFormat(Qt::PlainText);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    set_widget(label_);
  }
  void apply(Property p) override {
    if (p == Property::Caption) label_->setText(without_access_marks(to_q(control_.caption())));
    ControlView::apply(p);
  }

 private:
  QLabel* label_;
};

class FrameView : public ControlView {
 public:
  FrameView(ui::Control& c, FormWindow& w) : ControlView(c, w) {
    box_ = new QGroupBox;
    grid_ = new QGridLayout(box_);
    set_widget(box_);
  }
  void apply(Property p) override {
    if (p == Property::Caption) box_->setTitle(to_q(control_.caption()));
    ControlView::apply(p);
  }

 private:
  QGroupBox* box_;
};

class PictureView : public ControlView {
 public:
  PictureView(ui::Control& c, FormWindow& w) : ControlView(c, w) {
    picture_ = new PictureWidget;
    set_widget(picture_);
  }
  void add_child(ControlView& child) override {
    if (grid_ == nullptr) grid_ = new QGridLayout(picture_);
    ControlView::add_child(child);
  }
  void apply(Property p) override {
    if (p == Property::Drawing) picture_->set_drawing(control_.drawing());
    ControlView::apply(p);
  }

 private:
  PictureWidget* picture_;
};

// --- Text boxes and combo boxes ---------------------------------------------------

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
    const Caret c = shown_caret();
    if (now != control_.text()) window_.user_edited(control_, now, byte_offset(shown, c.start + c.length));
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
// takes. Its dropped-down list is wide enough for the longest item, even when
// the box itself is kept narrower.
class WholeItemsCombo : public QComboBox {
 public:
  explicit WholeItemsCombo(int least_chars) : least_chars_(least_chars) {
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    setMinimumContentsLength(least_chars > 0 ? least_chars : 10);
  }
  QSize minimumSizeHint() const override {
    QSize s = QComboBox::minimumSizeHint();
    if (least_chars_ <= 0) return s;
    QStyleOptionComboBox option;
    initStyleOption(&option);
    // Measured as Qt measures a box of so many characters.
    const int text = least_chars_ * fontMetrics().horizontalAdvance(QLatin1Char('X'));
    const QSize least = style()->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(text, s.height()), this);
    s.setWidth(std::min(s.width(), least.width()));
    return s;
  }
  void showPopup() override {
    QAbstractItemView* list = view();
    const int frame = 2 * list->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    list->setMinimumWidth(list->sizeHintForColumn(0) + frame +
                          list->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    QComboBox::showPopup();
  }

 private:
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
  QComboBox* combo_;
};

// Items whose fields are separated by tabs show in columns, each as wide as
// its widest field. A label just above the list in a column the list spans is
// that column's heading: the column's fields start where its caption starts.
class ColumnsDelegate : public QStyledItemDelegate {
 public:
  // Where field i starts, from the left of an item.
  std::function<int(int)> stop;

  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QStringList fields = opt.text.split(QLatin1Char('\t'));
    if (fields.size() < 2 || !stop) {
      QStyledItemDelegate::paint(p, option, index);
      return;
    }
    opt.text.clear();
    const QWidget* w = opt.widget;
    QStyle* style = w != nullptr ? w->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, p, w);
    const QPalette::ColorGroup group = (opt.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    p->save();
    p->setFont(opt.font);
    p->setPen(opt.palette.color(group, (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText
                                                                             : QPalette::Text));
    for (int i = 0; i < fields.size(); ++i) {
      const int left = opt.rect.left() + stop(i);
      const int right = i + 1 < fields.size() ? opt.rect.left() + stop(i + 1) : opt.rect.right();
      p->drawText(QRect(left, opt.rect.top(), std::max(0, right - left), opt.rect.height()),
                  Qt::AlignLeft | Qt::AlignVCenter, fields[i]);
    }
    p->restore();
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    const QStringList fields = index.data().toString().split(QLatin1Char('\t'));
    if (fields.size() < 2 || !stop) return s;
    const QFontMetrics fm(option.font);
    s.setWidth(stop(static_cast<int>(fields.size()) - 1) + fm.horizontalAdvance(fields.last()) + fm.averageCharWidth());
    return s;
  }
};

// A list as tall as its items when the screen has the room.
class ItemList : public Hinted<QListWidget> {
 public:
  using Hinted<QListWidget>::Hinted;
  QSize sizeHint() const override {
    QSize s = Hinted<QListWidget>::sizeHint();
    if (count() == 0) return s;
    int rows = count() * sizeHintForRow(0) + 2 * frameWidth();
    if (screen() != nullptr) rows = std::min(rows, screen()->availableGeometry().height() * 2 / 3);
    s.setHeight(std::max(s.height(), rows));
    return s;
  }
};

class ListView : public ControlView {
 public:
  ListView(ui::Control& c, FormWindow& w) : ControlView(c, w) {
    list_ = new ItemList(c.width_chars(), QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    columns_ = new ColumnsDelegate;
    columns_->setParent(list_);
    columns_->stop = [this](int i) { return stop(i); };
    list_->setItemDelegate(columns_);
    set_widget(list_);
    QObject::connect(list_, &QListWidget::currentRowChanged, list_, [this](int row) {
      if (!window_.syncing() && row >= 0) window_.user_picked(control_, row);
    });
  }
  void apply(Property p) override {
    switch (p) {
      case Property::Items: {
        FormWindow::Sync sync(window_);
        list_->clear();
        for (const std::string& item : control_.items()) list_->addItem(to_q(item));
        set_columns();
        apply(Property::ListIndex);
        break;
      }
      case Property::ItemAdded: {
        FormWindow::Sync sync(window_);
        list_->addItem(to_q(control_.items().back()));
        set_columns();
        break;
      }
      case Property::ListIndex:
      case Property::Text:
        if (list_->currentRow() != control_.list_index()) {
          FormWindow::Sync sync(window_);
          list_->setCurrentRow(control_.list_index());
        }
        break;
      default:
        ControlView::apply(p);
    }
  }

 private:
  // Room between two columns, and from the list's edge to the first.
  int gap() const { return 2 * list_->fontMetrics().averageCharWidth(); }
  static constexpr int kMargin = 4;

  void set_columns() {
    widths_.clear();
    const QFontMetrics fm = list_->fontMetrics();
    for (int r = 0; r < list_->count(); ++r) {
      const QStringList fields = list_->item(r)->text().split(QLatin1Char('\t'));
      if (fields.size() < 2) continue;
      if (widths_.size() < static_cast<std::size_t>(fields.size())) widths_.resize(fields.size(), 0);
      for (int i = 0; i < fields.size(); ++i) {
        widths_[i] = std::max(widths_[i], fm.horizontalAdvance(fields[i]));
      }
    }
    headings_.assign(widths_.size(), nullptr);
    auto* grid = list_->parentWidget() == nullptr ? nullptr
                                                  : qobject_cast<QGridLayout*>(list_->parentWidget()->layout());
    const ui::Place& at = control_.place();
    if (grid == nullptr || widths_.empty()) return;
    for (const auto& c : control_.form().controls()) {
      const ui::Place& p = c->place();
      const int column = p.col - at.col;
      if (c->kind() != ui::ControlKind::Label || c->parent() != control_.parent() || p.row + p.row_span != at.row ||
          p.col_span != 1 || column < 0 || column >= at.col_span || column >= static_cast<int>(widths_.size())) {
        continue;
      }
      auto* label = qobject_cast<QLabel*>(window_.widget(*c));
      if (label == nullptr) continue;
      headings_[column] = label;
      // The caption starts where the fields do, inside the list's frame.
      label->setIndent(list_->frameWidth() + kMargin);
    }
    // Each column of the grid has room for its widest field; the last one
    // also for the list's frame and scroll bar.
    for (std::size_t i = 0; i < widths_.size(); ++i) {
      if (headings_[i] == nullptr) continue;
      const bool last = i + 1 == widths_.size();
      const int room = last ? list_->frameWidth() * 2 + kMargin + widths_[i] +
                                  list_->style()->pixelMetric(QStyle::PM_ScrollBarExtent)
                            : widths_[i] + gap();
      grid->setColumnMinimumWidth(at.col + static_cast<int>(i), room);
    }
  }
  int stop(int i) const {
    if (i < static_cast<int>(headings_.size()) && headings_[i] != nullptr) {
      const QWidget* top = list_->window();
      return headings_[i]->mapTo(top, QPoint(headings_[i]->indent(), 0)).x() -
             list_->viewport()->mapTo(top, QPoint(0, 0)).x();
    }
    if (i == 0) return kMargin;
    const int before = i - 1 < static_cast<int>(widths_.size()) ? widths_[i - 1] : 0;
    return stop(i - 1) + before + gap();
  }

  ItemList* list_;
  ColumnsDelegate* columns_;
  std::vector<int> widths_;
  std::vector<QLabel*> headings_;
};

// --- Buttons ---------------------------------------------------------------------------

// A push button whose caption keeps a character's room from either edge, as
// dialog buttons do; the style's own hint may let it touch them.
class CaptionButton : public QPushButton {
 public:
  QSize sizeHint() const override {
    QSize s = QPushButton::sizeHint();
    const QFontMetrics fm(font());
    const int caption = fm.size(Qt::TextShowMnemonic, text()).width();
    const int edge = fm.averageCharWidth() + style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 2;
    s.setWidth(std::max(s.width(), caption + 2 * edge));
    return s;
  }
  QSize minimumSizeHint() const override { return sizeHint(); }
};

// Command buttons, check boxes and option buttons: a caption, a click, and for
// the latter two a value.
class ButtonView : public ControlView {
 public:
  ButtonView(ui::Control& c, FormWindow& w) : ControlView(c, w) {
    switch (c.kind()) {
      case ui::ControlKind::CheckBox:
        button_ = new QCheckBox;
        break;
      case ui::ControlKind::OptionButton: {
        auto* option = new QRadioButton;
        // The model keeps the option buttons of a container exclusive.
        option->setAutoExclusive(false);
        button_ = option;
        break;
      }
      default: {
        auto* push = new CaptionButton;
        // Enter belongs to the program's key handlers; the form window presses
        // the default button for an Enter they leave, and the button shows it.
        push->setAutoDefault(false);
        push->setDefault(c.is_default());
        // A button keeps the width its caption needs, as dialog buttons do.
        QSizePolicy sp = push->sizePolicy();
        sp.setHorizontalPolicy(QSizePolicy::Fixed);
        push->setSizePolicy(sp);
        button_ = push;
        break;
      }
    }
    set_widget(button_);
    QObject::connect(button_, &QAbstractButton::clicked, button_, [this] {
      if (!window_.syncing()) window_.user_clicked(control_);
    });
  }
  void apply(Property p) override {
    switch (p) {
      case Property::Caption:
        button_->setText(to_q(control_.caption()));
        break;
      case Property::Value: {
        FormWindow::Sync sync(window_);
        const int v = control_.value();
        if (auto* check = qobject_cast<QCheckBox*>(button_)) {
          if (v == 2) check->setTristate(true);
          check->setCheckState(v == 1 ? Qt::Checked : v == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
        } else if (button_->isCheckable()) {
          button_->setChecked(v == 1);
        }
        break;
      }
      default:
        ControlView::apply(p);
    }
  }

 private:
  QAbstractButton* button_ = nullptr;
};

// --- Tabs ---------------------------------------------------------------------------------

class TabControlView : public ControlView {
 public:
  TabControlView(ui::Control& c, FormWindow& w) : ControlView(c, w) {
    tabs_ = new QTabWidget;
    set_widget(tabs_);
    QObject::connect(tabs_, &QTabWidget::currentChanged, tabs_, [this](int index) {
      if (!window_.syncing() && index >= 0) window_.user_chose_tab(control_, index);
    });
  }
  std::vector<QWidget*> input_widgets() const override { return {tabs_, tabs_->tabBar()}; }
  bool turns_tab(const QObject* watched, const QEvent* event) const override {
    const QTabBar* bar = tabs_->tabBar();
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick: {
        if (watched != bar) return false;
        const int tab = bar->tabAt(static_cast<const QMouseEvent*>(event)->position().toPoint());
        return tab >= 0 && tab != bar->currentIndex();
      }
      case QEvent::Wheel:
        return watched == bar;
      case QEvent::KeyPress: {
        // The keys that turn the tabs from anywhere inside the control.
        const auto* key = static_cast<const QKeyEvent*>(event);
        const int k = key->key();
        return (key->modifiers() & Qt::ControlModifier) != 0 &&
               (k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_PageUp || k == Qt::Key_PageDown);
      }
      default:
        return false;
    }
  }
  void add_child(ControlView& child) override {
    if (child.control().kind() != ui::ControlKind::TabPage) return;
    FormWindow::Sync sync(window_);
    tabs_->addTab(child.widget(), to_q(child.control().caption()));
  }
  void apply(Property p) override {
    if (p == Property::CurrentTab && tabs_->currentIndex() != control_.current_tab()) {
      FormWindow::Sync sync(window_);
      tabs_->setCurrentIndex(control_.current_tab());
    }
    ControlView::apply(p);
  }

 private:
  QTabWidget* tabs_;
};

class TabPageView : public ControlView {
 public:
  TabPageView(ui::Control& c, FormWindow& w) : ControlView(c, w) {
    page_ = new QWidget;
    grid_ = new QGridLayout(page_);
    set_widget(page_);
  }
  void apply(Property p) override {
    QTabWidget* tabs = control_.parent() == nullptr
                           ? nullptr
                           : qobject_cast<QTabWidget*>(window_.widget(*control_.parent()));
    const int index = tabs == nullptr ? -1 : tabs->indexOf(page_);
    if (index < 0) {
      if (p == Property::BackColor) ControlView::apply(p);
      return;
    }
    FormWindow::Sync sync(window_);
    switch (p) {
      case Property::Caption:
        tabs->setTabText(index, to_q(control_.caption()));
        break;
      case Property::Visible:
        tabs->setTabVisible(index, control_.visible());
        break;
      case Property::Enabled:
        tabs->setTabEnabled(index, control_.enabled());
        break;
      case Property::ToolTip:
        tabs->setTabToolTip(index, to_q(control_.tooltip()));
        break;
      case Property::BackColor:
        ControlView::apply(p);
        break;
      default:
        break;
    }
  }

 private:
  QWidget* page_;
};


// --- Grids ------------------------------------------------------------------------------

// The control's table as Qt's item model: the control's row 0 is the header,
// its row r the model's row r - 1.
class GridModel : public QAbstractTableModel {
 public:
  explicit GridModel(const ui::Control& c) : c_(c) {}
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : std::max(0, c_.rows() - 1);
  }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : c_.cols(); }
  QVariant data(const QModelIndex& i, int role) const override {
    if (role != Qt::DisplayRole || !i.isValid()) return {};
    return to_q(c_.cell(i.row() + 1, i.column()));
  }
  QVariant headerData(int section, Qt::Orientation o, int role) const override {
    if (role != Qt::DisplayRole || o != Qt::Horizontal || section < 0 || section >= c_.cols()) return {};
    return to_q(c_.cell(0, section));
  }
  // The control has already changed: every view asks again.
  void reset() {
    beginResetModel();
    endResetModel();
  }
  void cells_changed() {
    if (columnCount() == 0) return;
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
  }

 private:
  const ui::Control& c_;
};

// A table whose clicks go to the model, which moves the current cell; the view
// only shows where it went.
class GridTable : public QTableView {
 public:
  std::function<void(const QModelIndex&, bool twice)> clicked_cell;

  QSize sizeHint() const override {
    QSize s = QTableView::sizeHint();
    const int frame = 2 * frameWidth();
    s.setWidth(std::max(s.width(), horizontalHeader()->length() + frame +
                                       style()->pixelMetric(QStyle::PM_ScrollBarExtent)));
    s.setHeight(std::max(s.height(), horizontalHeader()->height() + 10 * verticalHeader()->defaultSectionSize() +
                                         frame));
    return s;
  }

 protected:
  void mousePressEvent(QMouseEvent* e) override { click(e, false); }
  void mouseDoubleClickEvent(QMouseEvent* e) override { click(e, true); }
  void mouseMoveEvent(QMouseEvent*) override {}
  void mouseReleaseEvent(QMouseEvent*) override {}

 private:
  void click(QMouseEvent* e, bool twice) {
    const QModelIndex i = indexAt(e->position().toPoint());
    if (e->button() == Qt::LeftButton && i.isValid() && clicked_cell) clicked_cell(i, twice);
  }
};

class GridView : public ControlView {
 public:
  GridView(ui::Control& c, FormWindow& w) : ControlView(c, w), model_(c) {
    table_ = new GridTable;
    table_->setModel(&model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the grid as it leaves any control.
    table_->setTabKeyNavigation(false);
    table_->setSortingEnabled(false);
    table_->setWordWrap(false);
    table_->setAlternatingRowColors(true);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setStretchLastSection(false);
    set_widget(table_);
    table_->clicked_cell = [this](const QModelIndex& i, bool twice) {
      if (!window_.syncing()) window_.user_clicked_cell(control_, i.row() + 1, i.column(), twice);
    };
    // Keys (arrows, Page Down...) move Qt's current cell; the model follows.
    QObject::connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, table_,
                     [this](const QModelIndex& now) {
                       if (!window_.syncing() && now.isValid()) {
                         window_.user_moved_cell(control_, now.row() + 1, now.column());
                       }
                     });
  }
  std::vector<QWidget*> input_widgets() const override { return {table_, table_->viewport()}; }
  void apply(Property p) override {
    FormWindow::Sync sync(window_);
    switch (p) {
      case Property::Cells:
        model_.reset();
        apply(Property::ColWidth);
        apply(Property::CurrentCell);
        break;
      case Property::CellText:
        model_.cells_changed();
        break;
      case Property::ColWidth:
        // A column is as wide as its widest text and its heading, with a
        // character's room before the next; a width the program gives is the
        // least it gets.
        for (int c = 0; c < control_.cols(); ++c) {
          table_->resizeColumnToContents(c);
          const int least = chars_width(table_, control_.col_width(c)) + 8;
          table_->setColumnWidth(c, std::max(table_->columnWidth(c) + chars_width(table_, 1), least));
        }
        table_->updateGeometry();
        break;
      case Property::CurrentCell: {
        QItemSelectionModel* sel = table_->selectionModel();
        if (control_.row() < 1) {
          sel->clear();
          break;
        }
        const QModelIndex i = model_.index(control_.row() - 1, control_.col());
        if (sel->currentIndex() != i || !sel->isRowSelected(i.row(), {})) {
          sel->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
        table_->scrollTo(i);
        break;
      }
      default:
        ControlView::apply(p);
    }
  }

 private:
  GridModel model_;
  GridTable* table_;
};

}  // namespace

std::unique_ptr<ControlView> make_view(ui::Control& control, FormWindow& window) {
  switch (control.kind()) {
    case ui::ControlKind::Label:
      return std::make_unique<LabelView>(control, window);
    case ui::ControlKind::TextBox:
      if (control.multiline()) return std::make_unique<PlainView>(control, window);
      return std::make_unique<LineView>(control, window);
    case ui::ControlKind::ComboBox:
      return std::make_unique<ComboView>(control, window);
    case ui::ControlKind::ListBox:
      return std::make_unique<ListView>(control, window);
    case ui::ControlKind::CheckBox:
    case ui::ControlKind::OptionButton:
    case ui::ControlKind::CommandButton:
      return std::make_unique<ButtonView>(control, window);
    case ui::ControlKind::Frame:
      return std::make_unique<FrameView>(control, window);
    case ui::ControlKind::Picture:
      return std::make_unique<PictureView>(control, window);
    case ui::ControlKind::TabControl:
      return std::make_unique<TabControlView>(control, window);
    case ui::ControlKind::TabPage:
      return std::make_unique<TabPageView>(control, window);
    case ui::ControlKind::Grid:
      return std::make_unique<GridView>(control, window);
  }
  return nullptr;
}

}  // namespace rg::qt
