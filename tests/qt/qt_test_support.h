#pragma once
// What the tests that render forms share: one QApplication for the test
// program, and a check of a shown window's layout as a user sees it.

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QSignalBlocker>
#include <QTabWidget>
#include <map>
#include <string>
#include <vector>

#include "platform/qt/form_window.h"

namespace rg::qt::testing {

// The test program's application, made on first use and kept to the end.
inline QApplication& application() {
  static int argc = 1;
  static char* argv[] = {const_cast<char*>("ravelgrit_qt_tests"), nullptr};
  static auto* app = new QApplication(argc, argv);
  return *app;
}

namespace detail {

inline std::string rect_text(const QRect& r) {
  return std::to_string(r.width()) + "x" + std::to_string(r.height()) + "+" + std::to_string(r.x()) + "+" +
         std::to_string(r.y());
}

// Whether the control shows now: it and its containers are visible in the
// model, and each tab page on the way is the current page of its tab control.
inline bool shown_now(FormWindow& w, const ui::Control& c) {
  for (const ui::Control* x = &c; x != nullptr; x = x->parent()) {
    if (!x->visible()) return false;
    if (x->kind() != ui::ControlKind::TabPage || x->parent() == nullptr) continue;
    auto* tabs = qobject_cast<QTabWidget*>(w.widget(*x->parent()));
    if (tabs == nullptr || tabs->currentWidget() != w.widget(*x)) return false;
  }
  return true;
}

inline void check_now(FormWindow& w, const std::string& when, std::vector<std::string>& problems) {
  QWidget* top = w.window();
  std::map<const ui::Control*, std::vector<std::pair<const ui::Control*, QRect>>> by_container;
  for (const auto& owned : w.form().controls()) {
    const ui::Control& c = *owned;
    if (!shown_now(w, c)) continue;
    const std::string name = c.name() + when;
    QWidget* x = w.widget(c);
    if (x == nullptr || !x->isVisible() || x->width() <= 0 || x->height() <= 0) {
      problems.push_back(name + ": not visible");
      continue;
    }
    const QRect r(x->mapTo(top, QPoint(0, 0)), x->size());
    const QWidget* in = c.parent() == nullptr ? top : w.widget(*c.parent());
    if (in != nullptr && !QRect(in->mapTo(top, QPoint(0, 0)), in->size()).contains(r)) {
      problems.push_back(name + ": " + rect_text(r) + " sticks out of " +
                         (in == top ? "the window" : c.parent()->name()));
    }
    // A caption (label, button, check box, option) is cut off below the size
    // its whole text asks; a box or list only below its least size.
    const bool caption = qobject_cast<QLabel*>(x) != nullptr || qobject_cast<QAbstractButton*>(x) != nullptr;
    const QSize need = caption ? x->sizeHint() : x->minimumSizeHint();
    if (x->width() < need.width() || x->height() < need.height()) {
      problems.push_back(name + ": cut off, " + rect_text(r) + " where " + rect_text(QRect({}, need)) + " is needed");
    }
    auto& neighbours = by_container[c.parent()];
    for (const auto& [other, at] : neighbours) {
      if (at.intersects(r)) problems.push_back(other->name() + " overlaps " + c.name() + when);
    }
    neighbours.push_back({&c, r});
  }
  const QSize least = top->minimumSizeHint();
  if (top->width() < least.width() || top->height() < least.height()) {
    problems.push_back(w.form().name() + ": window smaller than its contents" + when);
  }
}

}  // namespace detail

// What is wrong with the layout of a shown window, on each page of every tab
// control in turn; empty when nothing is. The pages are turned in the widgets
// only (the form hears nothing of it) and turned back afterwards.
inline std::vector<std::string> layout_problems(FormWindow& w) {
  if (w.window() == nullptr || !w.window()->isVisible()) return {w.form().name() + ": window not shown"};
  std::vector<std::string> problems;
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  detail::check_now(w, "", problems);
  for (const auto& owned : w.form().controls()) {
    auto* tabs = owned->kind() == ui::ControlKind::TabControl ? qobject_cast<QTabWidget*>(w.widget(*owned)) : nullptr;
    if (tabs == nullptr) continue;
    const QSignalBlocker quiet(tabs);
    const int current = tabs->currentIndex();
    for (int i = 0; i < tabs->count(); ++i) {
      if (i == current || !tabs->isTabVisible(i)) continue;
      tabs->setCurrentIndex(i);
      QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
      detail::check_now(w, " (on tab " + tabs->tabText(i).toStdString() + ")", problems);
    }
    tabs->setCurrentIndex(current);
  }
  return problems;
}

}  // namespace rg::qt::testing
