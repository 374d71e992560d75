#pragma once
// What the front end's tests need: one QApplication for the test program, and a
// way to act inside a modal window (a message box, a file dialog, a modal form)
// while the code under test waits for it.

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

namespace rg::qt::testing {

// The test program's application, made on first use and kept to the end.
inline QApplication& application() {
  static int argc = 1;
  static char name[] = "ravelgrit_qt_tests";
  static char* argv[] = {name, nullptr};
  static auto* app = new QApplication(argc, argv);
  return *app;
}

// Runs `act` on the next modal window of type W that appears (a new one, not
// the modal window shown when this is called), from inside its event loop.
template <class W>
void when_shown(std::function<void(W*)> act) {
  QPointer<QWidget> before = QApplication::activeModalWidget();
  auto* timer = new QTimer;
  timer->setInterval(0);
  QObject::connect(timer, &QTimer::timeout, [timer, before, act = std::move(act)] {
    QWidget* now = QApplication::activeModalWidget();
    auto* w = qobject_cast<W*>(now);
    if (w == nullptr || now == before.data() || !w->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    act(w);
  });
  timer->start();
}

// While the returned timer lives, every message box shown is counted, its
// text kept, and answered with its default button, so that an unforeseen box
// fails the test instead of waiting for a user.
inline std::unique_ptr<QTimer> answer_every_box(std::vector<QString>& texts) {
  auto timer = std::make_unique<QTimer>();
  timer->setInterval(0);
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
inline bool activate(QWidget* window) {
  window->activateWindow();
  return QTest::qWaitForWindowActive(window);
}

}  // namespace rg::qt::testing
