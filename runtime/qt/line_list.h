#pragma once

#include <QAbstractScrollArea>
#include <QString>

#include <string_view>

#include "runtime/line_store.h"

namespace runtime::qt {

// A list control for millions of lines: a scroll area that paints the lines it
// shows straight from a compact line store and keeps nothing per line, so that
// a line costs what the store takes for it. One line at a time is current and
// selected. Appending only touches the store; the view learns the new count at
// syncCount(), which the form calls when control goes back to the event loop.
class LineList final : public QAbstractScrollArea {
 public:
  LineList();

  void append(std::string_view line);
  void clear();
  void syncCount();
  [[nodiscard]] const LineStore& lines() const { return lines_; }

  // The lines shown, and their texts.
  [[nodiscard]] int count() const { return shownCount_; }
  [[nodiscard]] QString line(int row) const;
  // The current line, or -1 when there is none.
  [[nodiscard]] int currentRow() const { return currentRow_; }
  // Makes a line current and scrolls it into view.
  void setCurrentRow(int row);
  // The place of a line in the viewport, which may lie outside it.
  [[nodiscard]] QRect lineRect(int row) const;
  // The line under a point of the viewport, or -1.
  [[nodiscard]] int rowAt(QPoint point) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  [[nodiscard]] int lineHeight() const;
  [[nodiscard]] int firstShownRow() const;
  [[nodiscard]] int wholeRowsShown() const;
  void updateScrollRange();
  void scrollToRow(int row);
  // What assistive technologies are told: the lines changed, or which is current.
  void tellLinesChanged();
  void tellCurrentLine(int row);

  LineStore lines_;
  int shownCount_ = 0;
  int currentRow_ = -1;
};

}  // namespace runtime::qt
