#include "runtime/qt/line_list.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

#include "runtime/qt/line_list_accessible.h"
#include "runtime/qt/text.h"

namespace runtime::qt {
namespace {

// Room left of a line's text, and above and below it, in pixels.
constexpr int kTextMargin = 2;
constexpr int kLinePadding = 1;

}  // namespace

LineList::LineList() {
  QAccessible::installFactory(createLineListAccessible);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  verticalScrollBar()->setSingleStep(1);
  updateScrollRange();
}

void LineList::append(std::string_view line) { appendListLine(lines_, line); }

void LineList::clear() {
  lines_.clear();
  shownCount_ = 0;
  currentRow_ = -1;
  updateScrollRange();
  viewport()->update();
  tellLinesChanged();
}

void LineList::syncCount() {
  if (static_cast<std::size_t>(shownCount_) == lines_.size()) return;
  const int firstNew = shownCount_;
  shownCount_ = static_cast<int>(lines_.size());
  updateScrollRange();
  // Only new lines that fall in the viewport need painting.
  if (firstNew < firstShownRow() + wholeRowsShown() + 1) viewport()->update();
  tellLinesChanged();
}

QString LineList::line(int row) const {
  if (row < 0 || row >= shownCount_) return {};
  return toQString(lines_.line(static_cast<std::size_t>(row)));
}

void LineList::setCurrentRow(int row) {
  if (shownCount_ == 0) return;
  row = std::clamp(row, 0, shownCount_ - 1);
  scrollToRow(row);
  if (row == currentRow_) return;
  currentRow_ = row;
  viewport()->update();
  tellCurrentLine(row);
}

QRect LineList::lineRect(int row) const {
  return {0, (row - firstShownRow()) * lineHeight(), viewport()->width(), lineHeight()};
}

int LineList::rowAt(QPoint point) const {
  if (point.y() < 0) return -1;
  const int row = firstShownRow() + point.y() / lineHeight();
  return row < shownCount_ ? row : -1;
}

int LineList::lineHeight() const { return fontMetrics().height() + 2 * kLinePadding; }

int LineList::firstShownRow() const { return verticalScrollBar()->value(); }

int LineList::wholeRowsShown() const { return std::max(1, viewport()->height() / lineHeight()); }

// The scroll bar counts lines: its value is the first line shown.
void LineList::updateScrollRange() {
  const int rows = wholeRowsShown();
  verticalScrollBar()->setPageStep(rows);
  verticalScrollBar()->setRange(0, std::max(0, shownCount_ - rows));
}

void LineList::scrollToRow(int row) {
  const int first = firstShownRow();
  if (row < first) {
    verticalScrollBar()->setValue(row);
  } else if (row >= first + wholeRowsShown()) {
    verticalScrollBar()->setValue(row - wholeRowsShown() + 1);
  }
}

void LineList::tellLinesChanged() {
  if (!QAccessible::isActive()) return;
  QAccessibleEvent reordered(this, QAccessible::ObjectReorder);
  QAccessible::updateAccessibility(&reordered);
}

void LineList::tellCurrentLine(int row) {
  if (!QAccessible::isActive()) return;
  QAccessibleEvent selected(this, QAccessible::Selection);
  selected.setChild(row);
  QAccessible::updateAccessibility(&selected);
  if (!hasFocus()) return;
  QAccessibleEvent focused(this, QAccessible::Focus);
  focused.setChild(row);
  QAccessible::updateAccessibility(&focused);
}

void LineList::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(viewport());
  const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
  const int last = std::min(shownCount_, firstShownRow() + wholeRowsShown() + 1);
  for (int row = firstShownRow(); row < last; ++row) {
    const QRect place = lineRect(row);
    const bool current = row == currentRow_;
    if (current) painter.fillRect(place, palette().brush(group, QPalette::Highlight));
    painter.setPen(palette().color(group, current ? QPalette::HighlightedText : QPalette::Text));
    painter.drawText(place.adjusted(kTextMargin, 0, 0, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, line(row));
  }
}

void LineList::keyPressEvent(QKeyEvent* event) {
  const int rows = wholeRowsShown();
  switch (event->key()) {
    case Qt::Key_Up:
      setCurrentRow(currentRow_ - 1);
      break;
    case Qt::Key_Down:
      setCurrentRow(currentRow_ + 1);
      break;
    case Qt::Key_PageUp:
      setCurrentRow(currentRow_ - rows + 1);
      break;
    case Qt::Key_PageDown:
      setCurrentRow(std::max(currentRow_, 0) + rows - 1);
      break;
    case Qt::Key_Home:
      setCurrentRow(0);
      break;
    case Qt::Key_End:
      setCurrentRow(shownCount_ - 1);
      break;
    default:
      event->ignore();
      return;
  }
  event->accept();
}

void LineList::mousePressEvent(QMouseEvent* event) {
  const int row = rowAt(event->position().toPoint());
  if (row >= 0) setCurrentRow(row);
  event->accept();
}

void LineList::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateScrollRange();
}

void LineList::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) updateScrollRange();
}

void LineList::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
  if (currentRow_ >= 0) tellCurrentLine(currentRow_);
}

void LineList::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
}

void LineList::scrollContentsBy(int /*dx*/, int /*dy*/) { viewport()->update(); }

}  // namespace runtime::qt
