#include "platform/qt/qt_desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QHeaderView>
#include <QIcon>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <QWindow>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <stdexcept>

#include <sys/wait.h>

#include "platform/qt/convert.h"
#include "platform/qt/focus_style.h"
#include "platform/qt/form_window.h"

namespace rg::qt {

namespace {

// Keeps the user's input from reaching any window while the program waits.
class InputSwallower : public QObject {
 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::Shortcut:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::Wheel:
      case QEvent::ContextMenu:
      case QEvent::TouchBegin:
      case QEvent::TouchUpdate:
      case QEvent::TouchEnd:
      case QEvent::InputMethod:
        return true;
      case QEvent::Close:
        if (!event->spontaneous()) return false;
        event->ignore();
        return true;
      default:
        return false;
    }
  }
};

// Collects every child process of the program that has ended. The program
// keeps no child it waits for itself: its children are the openers the desktop
// starts for a document or an address, and what they leave to it. Returns
// whether children are left that have not ended yet.
bool reap_ended_children() {
  for (;;) {
    int status = 0;
    const pid_t pid = ::waitpid(-1, &status, WNOHANG);
    if (pid > 0) continue;
    if (pid == 0) return true;
    if (errno != EINTR) return false;
  }
}

QMessageBox::Icon qt_icon(ui::Icon icon) {
  switch (icon) {
    case ui::Icon::Exclamation:
      return QMessageBox::Warning;
    case ui::Icon::Information:
      return QMessageBox::Information;
    case ui::Icon::Question:
      return QMessageBox::Question;
    case ui::Icon::Critical:
      return QMessageBox::Critical;
    case ui::Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButton qt_button(ui::Answer a) {
  switch (a) {
    case ui::Answer::Cancel:
      return QMessageBox::Cancel;
    case ui::Answer::Yes:
      return QMessageBox::Yes;
    case ui::Answer::No:
      return QMessageBox::No;
    case ui::Answer::OK:
      break;
  }
  return QMessageBox::Ok;
}

}  // namespace

QStringList name_filters(const std::string& filter) {
  QStringList out;
  const QStringList parts = to_q(filter).split(QLatin1Char('|'));
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    QStringList patterns;
    for (const QString& p : parts[i + 1].split(QLatin1Char(';'))) {
      if (!p.trimmed().isEmpty()) patterns << p.trimmed();
    }
    if (patterns.isEmpty()) continue;
    // Descriptions usually name their patterns already; Qt takes the patterns
    // from the last parenthesis, so it must hold the real ones, once.
    if (description.endsWith(QLatin1Char(')'))) {
      const qsizetype open = description.lastIndexOf(QLatin1Char('('));
      const QString inside = description.mid(open + 1);
      if (open >= 0 && (inside.contains(QLatin1Char('*')) || inside.contains(QLatin1Char('?')))) {
        description = description.left(open).trimmed();
      }
    }
    const QString list = patterns.join(QLatin1Char(' '));
    out << (description.isEmpty() ? list : description + QStringLiteral(" (") + list + QLatin1Char(')'));
  }
  return out;
}

QtDesktop::QtDesktop() {
  // The program ends with its main window, not with whichever window is last.
  QGuiApplication::setQuitOnLastWindowClosed(false);
  mark_focus();
  reaper_.setInterval(250);
  QObject::connect(&reaper_, &QTimer::timeout, [this] {
    if (!reap_ended_children()) reaper_.stop();
  });
}

QtDesktop::~QtDesktop() {
  for (auto& [form, w] : windows_) delete w;
}

FormWindow* QtDesktop::window(const ui::Form& form) const {
  const auto it = windows_.find(&form);
  return it == windows_.end() ? nullptr : it->second;
}

QWidget* QtDesktop::top_window() const {
  for (auto it = modal_.rbegin(); it != modal_.rend(); ++it) {
    if (it->window->window() != nullptr && it->window->window()->isVisible()) return it->window->window();
  }
  // A window just closed may still count as active until the system says
  // otherwise; a box parented to it would go down with it.
  if (QWidget* active = QApplication::activeWindow(); active != nullptr && active->isVisible()) return active;
  for (const auto& [form, w] : windows_) {
    if (form->kind() == ui::FormKind::MainWindow && w->window()->isVisible()) return w->window();
  }
  return nullptr;
}

FormWindow& QtDesktop::open_window(ui::Form& form) {
  if (FormWindow* w = window(form)) return *w;
  auto* w = new FormWindow(form, *this);
  w->on_unloaded = [this](FormWindow& closed) { window_unloaded(closed); };
  windows_[&form] = w;
  return *w;
}

void QtDesktop::place(FormWindow& w, QWidget* over) {
  QWidget* win = w.window();
  if (w.form().kind() == ui::FormKind::Dialog) {
    // As large as its contents ask, within the screen (Qt's own adjustment
    // would stop at two thirds of it).
    w.fit_to_contents();
  } else {
    win->adjustSize();
  }
  QRect area;
  if (over != nullptr && over != win && w.form().kind() != ui::FormKind::Splash) {
    // A window shown over another stays in front of it and opens centred on it.
    win->winId();
    if (win->windowHandle() != nullptr && over->windowHandle() != nullptr) {
      win->windowHandle()->setTransientParent(over->windowHandle());
    }
    area = over->frameGeometry();
  } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  }
  if (area.isValid()) {
    win->move(area.center() - QPoint(win->width() / 2, win->height() / 2));
    w.keep_on_screen();
  }
}

void QtDesktop::give_back_keys(QWidget* underneath) {
  // Without a window manager nobody else hands the keyboard back to the window
  // a modal one covered (F1 would do nothing until a click).
  QWidget* target = underneath != nullptr && underneath->isVisible() ? underneath : top_window();
  if (target != nullptr && target->isVisible() && !target->isActiveWindow()) target->activateWindow();
}

void QtDesktop::window_unloaded(FormWindow& w) {
  windows_.erase(&w.form());
  for (const Modal& m : modal_) {
    if (m.window == &w) m.loop->quit();
  }
  if (w.form().kind() == ui::FormKind::MainWindow) QCoreApplication::quit();
  w.deleteLater();
}

bool QtDesktop::show_modal(ui::Form& form) {
  const int unloads = form.unload_count();
  form.load();
  // It unloaded itself while loading: this showing is over.
  if (form.unload_count() != unloads || !form.is_loaded()) return false;
  FormWindow* shown = window(form);
  if (shown != nullptr) {
    for (const Modal& m : modal_) {
      if (m.window == shown) throw ui::Error("Form already displayed; can't show modally");
    }
  }
  QWidget* over = top_window();
  const QPointer<QWidget> underneath = over;
  FormWindow& w = open_window(form);
  if (w.window()->isVisible()) w.window()->hide();
  w.window()->setWindowModality(Qt::ApplicationModal);
  place(w, over);

  QEventLoop loop;
  modal_.push_back({&w, &loop});
  w.present();
  // A handler run while showing may have unloaded the form already.
  if (!w.closed()) loop.exec(QEventLoop::DialogExec);
  modal_.erase(std::remove_if(modal_.begin(), modal_.end(), [&loop](const Modal& m) { return m.loop == &loop; }),
               modal_.end());
  give_back_keys(underneath);
  return true;
}

void QtDesktop::show(ui::Form& form) {
  const int unloads = form.unload_count();
  form.load();
  if (form.unload_count() != unloads || !form.is_loaded()) return;
  const bool fresh = window(form) == nullptr;
  QWidget* over = form.kind() == ui::FormKind::Dialog ? top_window() : nullptr;
  FormWindow& w = open_window(form);
  if (fresh) place(w, over);
  w.present();
}

void QtDesktop::refresh(ui::Form& form) {
  FormWindow* w = window(form);
  if (w == nullptr || !w->window()->isVisible()) return;
  w->window()->repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

ui::Answer QtDesktop::message_box(const ui::MessageBox& box) {
  const QPointer<QWidget> underneath = top_window();
  QMessageBox mb(underneath);
  mb.setWindowTitle(to_q(box.title.empty() ? std::string(ui::kApplicationTitle) : box.title));
  mb.setTextFormat(Qt::PlainText);
  mb.setText(to_q(box.text));
  // What a box says can be copied: an address to paste, a path, an error.
  mb.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  mb.setIcon(qt_icon(box.icon));
  const ui::Answer enter = box.default_answer.value_or(box.buttons == ui::Buttons::YesNo ? ui::Answer::Yes
                                                                                      : ui::Answer::OK);
  switch (box.buttons) {
    case ui::Buttons::OK:
      mb.setStandardButtons(QMessageBox::Ok);
      mb.setEscapeButton(QMessageBox::Ok);
      break;
    case ui::Buttons::OKCancel:
      mb.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      mb.setEscapeButton(QMessageBox::Cancel);
      break;
    case ui::Buttons::YesNo:
      mb.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      mb.setEscapeButton(QMessageBox::No);
      break;
  }
  mb.setDefaultButton(qt_button(enter));
  // Plain buttons: the answer is in the word, not in a picture beside it.
  for (QAbstractButton* b : mb.buttons()) b->setIcon(QIcon());
  mb.setWindowModality(Qt::ApplicationModal);
  if (box.system_modal) mb.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  mb.exec();
  give_back_keys(underneath);
  switch (mb.standardButton(mb.clickedButton())) {
    case QMessageBox::Cancel:
      return ui::Answer::Cancel;
    case QMessageBox::Yes:
      return ui::Answer::Yes;
    case QMessageBox::No:
      return ui::Answer::No;
    default:
      return box.buttons == ui::Buttons::YesNo ? ui::Answer::No : ui::Answer::OK;
  }
}

std::optional<std::string> QtDesktop::choose_file(const ui::FileDialogRequest& request) {
  const QPointer<QWidget> underneath = top_window();
  QFileDialog dialog(underneath, to_q(request.title));
  // Qt's own dialog, so it looks and behaves the same on every desktop.
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  // Whether to overwrite is the program's question, not the dialog's.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  const bool save = request.mode == ui::FileDialogMode::Save;
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(!save && request.file_must_exist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  const QStringList filters = name_filters(request.filter);
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  if (!request.initial_dir.empty()) dialog.setDirectory(to_q(request.initial_dir));
  if (!request.file_name.empty()) dialog.selectFile(to_q(request.file_name));
  // Wide enough for the name, size, type and date columns.
  int width = 800;
  if (QScreen* screen = QGuiApplication::primaryScreen()) width = std::min(width, screen->availableGeometry().width());
  dialog.resize(std::max(width, dialog.sizeHint().width()), dialog.sizeHint().height());
  // The size, type and date columns show whole; the name takes the rest.
  if (auto* files = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
    QHeaderView* header = files->header();
    header->setStretchLastSection(false);
    for (int c = 0; c < header->count(); ++c) {
      header->setSectionResizeMode(c, c == 0 ? QHeaderView::Stretch : QHeaderView::ResizeToContents);
    }
  }
  const int result = dialog.exec();
  give_back_keys(underneath);
  if (result != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return to_std(chosen.first());
}

void QtDesktop::beep() { QApplication::beep(); }

void QtDesktop::wait(double seconds) {
  InputSwallower swallower;
  qApp->installEventFilter(&swallower);
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  timer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  timer.start(std::max(0, static_cast<int>(std::lround(seconds * 1000.0))));
  loop.exec();
  qApp->removeEventFilter(&swallower);
}

bool QtDesktop::open_document(const std::filesystem::path& path) {
  return hand_over(QUrl::fromLocalFile(to_q(path.string())));
}

bool QtDesktop::open_url(const std::string& url) { return hand_over(QUrl(to_q(url))); }

bool QtDesktop::hand_over(const QUrl& url) {
  const bool opened = QDesktopServices::openUrl(url);
  // The opener the desktop starts may end as a child of this program (where
  // the program is the one that takes in orphans): it is reaped once it ends.
  if (reap_ended_children()) reaper_.start();
  return opened;
}

}  // namespace rg::qt
