// The form window's menus and status bar: built from the form's, kept current
// as the model changes them, with the clock of the date and time panels.

#include <QAction>
#include <QDate>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QTimer>
#include <algorithm>

#include "platform/qt/convert.h"
#include "platform/qt/fitted_label.h"
#include "platform/qt/form_window.h"

namespace rg::qt {

namespace {

// A status-bar panel: it asks for the room of its whole text, which it gets
// where the bar has it to spare, and is shortened where it gets less. It never
// gets less than its least width, so a long path cannot push the other panels
// away.
class PanelLabel : public FittedLabel {
 public:
  QSize minimumSizeHint() const override { return {minimumWidth(), QLabel::minimumSizeHint().height()}; }
  QSize sizeHint() const override { return {std::max(minimumWidth(), whole_width()), QLabel::sizeHint().height()}; }

 protected:
  // The text never touches the panel's frame.
  int spare() const override { return fontMetrics().horizontalAdvance(QLatin1Char('x')) + 2; }
};

// The status bar, whose panels' texts never make the window wider.
class PanelBar : public QStatusBar {
 public:
  QSize sizeHint() const override { return {minimumSizeHint().width(), QStatusBar::sizeHint().height()}; }
};

}  // namespace

QStatusBar* FormWindow::new_status_bar() { return new PanelBar; }

void FormWindow::build_menus(QMenuBar* bar) {
  for (const auto& m : form_.menus()) {
    ui::Menu* menu = m.get();
    if (menu->entries().empty()) {
      bind(bar->addAction(to_q(menu->caption())), *menu);
    } else {
      QMenu* qmenu = bar->addMenu(to_q(menu->caption()));
      build_menu_entries(qmenu, *menu);
      bind(qmenu->menuAction(), *menu);
    }
  }
}

void FormWindow::build_menu_entries(QMenu* qmenu, ui::Menu& menu) {
  for (const auto& e : menu.entries()) {
    ui::Menu* entry = e.get();
    if (entry->separator()) {
      bind(qmenu->addSeparator(), *entry);
    } else if (!entry->entries().empty()) {
      QMenu* sub = qmenu->addMenu(to_q(entry->caption()));
      build_menu_entries(sub, *entry);
      bind(sub->menuAction(), *entry);
    } else {
      QAction* action = qmenu->addAction(to_q(entry->caption()));
      if (!entry->shortcut().empty()) {
        action->setShortcut(QKeySequence::fromString(to_q(entry->shortcut()), QKeySequence::PortableText));
      }
      bind(action, *entry);
    }
  }
}

void FormWindow::bind(QAction* action, ui::Menu& menu) {
  action->setObjectName(to_q(menu.name()));
  actions_[&menu] = action;
  if (action->menu() == nullptr && !menu.separator()) {
    connect(action, &QAction::triggered, this, [this, &menu] { run([&menu] { menu.user_click(); }); });
  }
  menu_changed(menu);
}

void FormWindow::build_status_bar(QStatusBar* bar) {
  ui::StatusBar* model = form_.status_bar();
  // The panels share the bar in a row of their own: a text panel gets the room
  // its text asks where the bar has that much, and what is left is shared out
  // among the text panels.
  auto* strip = new QWidget;
  auto* row = new QHBoxLayout(strip);
  row->setContentsMargins(0, 0, 0, 0);
  bar->addWidget(strip, 1);
  bool clock = false;
  for (int n = 1; n <= model->panel_count(); ++n) {
    const auto& panel = model->panel(n);
    auto* label = new PanelLabel;
    label->setObjectName(QStringLiteral("panel%1").arg(n));
    label->setTextFormat(Qt::PlainText);
    label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    const QFontMetrics fm(label->font());
    int chars = panel.min_chars * fm.averageCharWidth();
    // The date and the time always show whole: their panels are as wide as the
    // widest text the clock can write.
    const QLocale locale = QLocale::system();
    if (panel.style == ui::StatusBar::PanelStyle::Date) {
      for (int month = 1; month <= 12; ++month) {
        chars = std::max(chars, fm.horizontalAdvance(locale.toString(QDate(2000, month, 28), QLocale::ShortFormat)));
      }
    } else if (panel.style == ui::StatusBar::PanelStyle::Time) {
      chars = std::max(chars, fm.horizontalAdvance(locale.toString(QTime(20, 58, 58), QLocale::ShortFormat)));
    }
    label->setMinimumWidth(chars + 2 * label->frameWidth() + fm.horizontalAdvance(QLatin1Char('x')) + 8);
    const bool text_panel = panel.style == ui::StatusBar::PanelStyle::Text;
    clock = clock || !text_panel;
    label->setSizePolicy(text_panel ? QSizePolicy::Expanding : QSizePolicy::Fixed, QSizePolicy::Preferred);
    row->addWidget(label);
    panels_.push_back(label);
    status_changed(n);
  }
  // The window never gets so narrow that the panels would overlap.
  int width = 2 * bar->style()->pixelMetric(QStyle::PM_SizeGripSize);
  for (QLabel* label : panels_) width += label->minimumWidth() + 8;  // and the space between panels
  if (QWidget* window = bar->window(); window != nullptr && window != bar) window->setMinimumWidth(width);
  if (clock) {
    update_clock();
    clock_ = new QTimer(this);
    connect(clock_, &QTimer::timeout, this, &FormWindow::update_clock);
    clock_->start(1000);
  }
}

void FormWindow::update_clock() {
  ui::StatusBar* model = form_.status_bar();
  if (model == nullptr || closed_) return;
  const QLocale locale = QLocale::system();
  for (int n = 1; n <= model->panel_count() && n <= static_cast<int>(panels_.size()); ++n) {
    QString text;
    switch (model->panel(n).style) {
      case ui::StatusBar::PanelStyle::Date:
        text = locale.toString(QDate::currentDate(), QLocale::ShortFormat);
        break;
      case ui::StatusBar::PanelStyle::Time:
        text = locale.toString(QTime::currentTime(), QLocale::ShortFormat);
        break;
      case ui::StatusBar::PanelStyle::Text:
        continue;
    }
    auto* label = static_cast<PanelLabel*>(panels_[static_cast<std::size_t>(n - 1)]);
    label->set_full_text(text);
  }
}

QLabel* FormWindow::panel(int number) const {
  if (number < 1 || number > static_cast<int>(panels_.size())) return nullptr;
  return panels_[static_cast<std::size_t>(number - 1)];
}

void FormWindow::menu_changed(ui::Menu& menu) {
  const auto it = actions_.find(&menu);
  if (it == actions_.end()) return;
  it->second->setEnabled(menu.enabled());
  it->second->setVisible(menu.visible());
}

void FormWindow::status_changed(int number) {
  ui::StatusBar* model = form_.status_bar();
  QLabel* label = panel(number);
  if (model == nullptr || label == nullptr) return;
  if (model->panel(number).style == ui::StatusBar::PanelStyle::Text) {
    static_cast<PanelLabel*>(label)->set_full_text(to_q(model->panel(number).text));
  }
}

}  // namespace rg::qt
