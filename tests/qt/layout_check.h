#pragma once
// Checks the layout of a shown form window the way a user would see it: every
// control the form shows has a visible widget, inside the window and inside its
// container; no two shown controls of one container overlap; no caption is cut
// off (labels, buttons, check boxes and option buttons are at least as large as
// their contents ask) and no box or list is smaller than its minimum. Each page
// of every tab control is looked at in turn.
//
//   rg::qt::QtDesktop desktop;
//   desktop.show(form);                       // or inside show_modal, from a timer
//   auto* w = desktop.window(form);
//   EXPECT_THAT(rg::qt::testing::layout_problems(*w), ::testing::IsEmpty());

#include <QApplication>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QWidget>
#include <map>
#include <string>
#include <vector>

#include "platform/qt/form_window.h"

namespace rg::qt::testing {

namespace detail {

inline std::string rect_text(const QRect& r) {
  return std::to_string(r.width()) + "x" + std::to_string(r.height()) + "+" + std::to_string(r.x()) + "+" +
         std::to_string(r.y());
}

// Whether the control shows now: it and its containers are visible in the
// model, and each tab page on the way is the current page of its tab control
// in the window.
inline bool shown_now(FormWindow& w, const ui::Control& c) {
  for (const ui::Control* x = &c; x != nullptr; x = x->parent()) {
    if (!x->visible()) return false;
    if (x->kind() != ui::ControlKind::TabPage || x->parent() == nullptr) continue;
    auto* tabs = qobject_cast<QTabWidget*>(w.widget(*x->parent()));
    if (tabs == nullptr || tabs->currentWidget() != w.widget(*x)) return false;
  }
  return true;
}

// A list's least size already holds its items, or the width the program gave it
// where the screen cannot give its longest item.
inline bool shows_caption(ui::ControlKind k) {
  return k == ui::ControlKind::Label || k == ui::ControlKind::CommandButton || k == ui::ControlKind::CheckBox ||
         k == ui::ControlKind::OptionButton;
}

inline void check_now(FormWindow& w, const std::string& when, std::vector<std::string>& problems) {
  QWidget* top = w.window();
  const QRect window_rect = top->rect();
  std::map<const ui::Control*, std::vector<std::pair<const ui::Control*, QRect>>> by_container;
  for (const auto& owned : w.form().controls()) {
    const ui::Control& c = *owned;
    if (!shown_now(w, c)) continue;
    const std::string name = c.name() + when;
    QWidget* x = w.widget(c);
    if (x == nullptr) {
      problems.push_back(name + ": no widget");
      continue;
    }
    if (!x->isVisible() || x->width() <= 0 || x->height() <= 0) {
      problems.push_back(name + ": not visible");
      continue;
    }
    const QRect r(x->mapTo(top, QPoint(0, 0)), x->size());
    if (!window_rect.contains(r)) {
      problems.push_back(name + ": " + rect_text(r) + " outside the window " + rect_text(window_rect));
    }
    if (c.parent() != nullptr) {
      if (QWidget* p = w.widget(*c.parent())) {
        const QRect pr(p->mapTo(top, QPoint(0, 0)), p->size());
        if (!pr.contains(r)) problems.push_back(name + ": sticks out of " + c.parent()->name());
      }
    }
    const QSize need = shows_caption(c.kind()) ? x->sizeHint() : x->minimumSizeHint();
    if (x->width() < need.width() || x->height() < need.height()) {
      problems.push_back(name + ": cut off, " + rect_text(r) + " where " + rect_text(QRect({}, need)) + " is needed");
    }
    by_container[c.parent()].push_back({&c, r});
  }
  for (const auto& [container, list] : by_container) {
    for (std::size_t i = 0; i < list.size(); ++i) {
      for (std::size_t j = i + 1; j < list.size(); ++j) {
        if (list[i].second.intersects(list[j].second)) {
          problems.push_back(list[i].first->name() + " overlaps " + list[j].first->name() + when);
        }
      }
    }
  }
  if (top->width() < top->minimumSizeHint().width() || top->height() < top->minimumSizeHint().height()) {
    problems.push_back(w.form().name() + ": window smaller than its contents" + when);
  }
}

}  // namespace detail

// What is wrong with the layout of a shown window; empty when nothing is. The
// tab pages are turned in the widgets only (the form hears nothing of it) and
// turned back afterwards.
inline std::vector<std::string> layout_problems(FormWindow& w) {
  std::vector<std::string> problems;
  if (w.window() == nullptr || !w.window()->isVisible()) return {w.form().name() + ": window not shown"};
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  detail::check_now(w, "", problems);
  for (const auto& owned : w.form().controls()) {
    if (owned->kind() != ui::ControlKind::TabControl) continue;
    auto* tabs = qobject_cast<QTabWidget*>(w.widget(*owned));
    if (tabs == nullptr) continue;
    const int current = tabs->currentIndex();
    for (int i = 0; i < tabs->count(); ++i) {
      if (i == current || !tabs->isTabVisible(i)) continue;
      {
        const QSignalBlocker quiet(tabs);
        tabs->setCurrentIndex(i);
      }
      QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
      detail::check_now(w, " (on tab " + tabs->tabText(i).toStdString() + ")", problems);
    }
    const QSignalBlocker quiet(tabs);
    tabs->setCurrentIndex(current);
  }
  return problems;
}

}  // namespace rg::qt::testing
