// The adapters of the kinds that show rows: list boxes and grids.

#include <QAbstractItemView>
#include <QApplication>
#include <QGridLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolTip>
#include <algorithm>
#include <functional>

#include "platform/qt/control_views_internal.h"
#include "platform/qt/convert.h"
#include "platform/qt/fitted_label.h"
#include "platform/qt/form_window.h"

namespace rg::qt {

using ui::Property;

namespace {

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
  // True while a key moves the current row: a step, not a pick.
  bool stepping = false;
  QSize sizeHint() const override {
    QSize s = Hinted<QListWidget>::sizeHint();
    if (count() == 0) return s;
    int rows = count() * sizeHintForRow(0) + 2 * frameWidth();
    if (screen() != nullptr) rows = std::min(rows, screen()->availableGeometry().height() * 2 / 3);
    s.setHeight(std::max(s.height(), rows));
    return s;
  }

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    stepping = true;
    Hinted<QListWidget>::keyPressEvent(e);
    stepping = false;
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
      if (window_.syncing() || row < 0) return;
      if (list_->stepping) {
        window_.user_stepped(control_, row);
      } else {
        window_.user_picked(control_, row);
      }
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
  // Runs when the table shows, sized, before it scrolls its current cell
  // into view.
  std::function<void()> showing;

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
  bool event(QEvent* e) override {
    if (e->type() == QEvent::Show && showing) showing();
    return QTableView::event(e);
  }
  void mousePressEvent(QMouseEvent* e) override { click(e, false); }
  void mouseDoubleClickEvent(QMouseEvent* e) override { click(e, true); }
  void mouseMoveEvent(QMouseEvent*) override {}
  void mouseReleaseEvent(QMouseEvent*) override {}
  // A cell too narrow for its text shows the whole text as its tooltip.
  bool viewportEvent(QEvent* e) override {
    if (e->type() != QEvent::ToolTip) return QTableView::viewportEvent(e);
    const auto* help = static_cast<QHelpEvent*>(e);
    const QModelIndex i = indexAt(help->pos());
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const bool cut = i.isValid() && itemDelegateForIndex(i)->sizeHint(option, i).width() > columnWidth(i.column());
    if (cut) {
      QToolTip::showText(help->globalPos(), tip_lines(i.data().toString()), viewport(), visualRect(i));
    } else {
      QToolTip::hideText();
    }
    return true;
  }

 private:
  void click(QMouseEvent* e, bool twice) {
    const QModelIndex i = indexAt(e->position().toPoint());
    if (e->button() == Qt::LeftButton && i.isValid() && clicked_cell) clicked_cell(i, twice);
  }
};

class GridView : public ControlView {
 public:
  static constexpr int kLongestCell = 36;

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
    table_->setTextElideMode(Qt::ElideMiddle);
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
    table_->showing = [this] {
      if (top_row_waits_) show_top_row();
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
        apply(Property::TopRow);
        apply(Property::CurrentCell);
        break;
      case Property::CellText:
        model_.cells_changed();
        break;
      case Property::ColWidth:
        // A column is as wide as its widest text and its heading, with a
        // character's room before the next; a width the program gives is the
        // least it gets. A text from data longer than any name the program
        // shows is cut (its tooltip holds it), so that the grid scrolls rather
        // than widen its window.
        for (int c = 0; c < control_.cols(); ++c) {
          table_->resizeColumnToContents(c);
          const int least = chars_width(table_, control_.col_width(c)) + 8;
          const int most = std::max(least, chars_width(table_, kLongestCell));
          table_->setColumnWidth(c, std::clamp(table_->columnWidth(c) + chars_width(table_, 1), least, most));
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
      case Property::TopRow:
        // Which rows are in view is known only once the table has its size.
        top_row_waits_ = !table_->isVisible();
        if (!top_row_waits_) show_top_row();
        break;
      default:
        ControlView::apply(p);
    }
  }

 private:
  // The row the program asked for comes to the top when it is out of view.
  void show_top_row() {
    top_row_waits_ = false;
    const int row = control_.top_row();
    if (row < 1 || row >= control_.rows()) return;
    const QModelIndex i = model_.index(row - 1, std::max(0, table_->columnAt(0)));
    const QRect at = table_->visualRect(i);
    if (at.top() >= 0 && at.bottom() < table_->viewport()->height()) return;
    table_->scrollTo(i, QAbstractItemView::PositionAtTop);
  }

  GridModel model_;
  GridTable* table_;
  bool top_row_waits_ = false;
};

}  // namespace

std::unique_ptr<ControlView> make_list_view(ui::Control& control, FormWindow& window) {
  return std::make_unique<ListView>(control, window);
}

std::unique_ptr<ControlView> make_grid_view(ui::Control& control, FormWindow& window) {
  return std::make_unique<GridView>(control, window);
}

}  // namespace rg::qt
