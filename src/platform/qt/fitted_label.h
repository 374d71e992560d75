#pragma once
// A label whose text may be longer than the room it gets: a text from data (an
// inlet number, a path) must never push its window off the screen.

#include <QLabel>
#include <QString>

namespace rg::qt {

// A whole text as a tooltip: in lines the screen can show, broken at a space
// where the line has one.
QString tip_lines(const QString& text);

// Shows its whole text where it has the room, and otherwise the text
// shortened in the middle with "…" (a path keeps its start and its file name),
// with the whole text as its tooltip. While the whole text shows, the tooltip
// is the one the program gave, if any. How much room it asks for is the
// deriving class's rule.
class FittedLabel : public QLabel {
 public:
  void set_full_text(const QString& text);
  const QString& full_text() const { return full_; }
  void set_own_tooltip(const QString& tip);

 protected:
  // The width that shows the whole text, or a text so wide.
  int whole_width() const;
  int width_for(int text_width) const { return text_width + beside_text(); }
  // What the text keeps free beside it, within the label's edges.
  virtual int spare() const { return 0; }
  void resizeEvent(QResizeEvent* e) override;

 private:
  int beside_text() const;
  void fit();
  QString full_;
  QString own_tip_;
};

}  // namespace rg::qt
