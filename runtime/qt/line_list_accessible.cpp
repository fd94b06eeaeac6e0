#include "runtime/qt/line_list_accessible.h"

#include <QAccessibleWidget>
#include <QPointer>

#include <map>

#include "runtime/qt/line_list.h"

namespace runtime::qt {
namespace {

// One line of a list, made when an assistive technology asks for it. It reads
// the list when asked, and is no longer valid once the list is shorter.
class LineAccessible final : public QAccessibleInterface {
 public:
  LineAccessible(LineList& list, int row) : list_(&list), row_(row) {}

  [[nodiscard]] bool isValid() const override { return list_ != nullptr && row_ < list_->count(); }
  [[nodiscard]] QObject* object() const override { return nullptr; }
  [[nodiscard]] QWindow* window() const override {
    return list_ != nullptr ? list_->window()->windowHandle() : nullptr;
  }
  [[nodiscard]] QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(list_.data());
  }
  [[nodiscard]] QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
  [[nodiscard]] int childCount() const override { return 0; }
  [[nodiscard]] int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
  [[nodiscard]] QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
  [[nodiscard]] QAccessible::Role role() const override { return QAccessible::ListItem; }
  [[nodiscard]] int row() const { return row_; }

  [[nodiscard]] QString text(QAccessible::Text kind) const override {
    return isValid() && kind == QAccessible::Name ? list_->line(row_) : QString();
  }
  void setText(QAccessible::Text /*kind*/, const QString& /*text*/) override {}

  [[nodiscard]] QRect rect() const override {
    if (!isValid()) return {};
    const QRect place = list_->lineRect(row_);
    return {list_->viewport()->mapToGlobal(place.topLeft()), place.size()};
  }

  [[nodiscard]] QAccessible::State state() const override {
    QAccessible::State state;
    state.selectable = true;
    state.focusable = true;
    if (!isValid()) return state;
    const bool current = list_->currentRow() == row_;
    state.selected = current;
    state.focused = current && list_->hasFocus();
    state.invisible = !list_->viewport()->rect().intersects(list_->lineRect(row_));
    state.offscreen = state.invisible;
    return state;
  }

 private:
  QPointer<LineList> list_;
  int row_;
};

// The list itself; it keeps the lines it has been asked for, which Qt's
// registry owns, and removes them from the registry with itself.
class LineListAccessible final : public QAccessibleWidget {
 public:
  explicit LineListAccessible(LineList& list) : QAccessibleWidget(&list, QAccessible::List) {}
  LineListAccessible(const LineListAccessible&) = delete;
  LineListAccessible& operator=(const LineListAccessible&) = delete;
  LineListAccessible(LineListAccessible&&) = delete;
  LineListAccessible& operator=(LineListAccessible&&) = delete;
  ~LineListAccessible() override {
    for (const auto& [row, id] : lines_) QAccessible::deleteAccessibleInterface(id);
  }

  [[nodiscard]] int childCount() const override { return list().count(); }

  [[nodiscard]] QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= list().count()) return nullptr;
    const auto known = lines_.find(index);
    if (known != lines_.end()) return QAccessible::accessibleInterface(known->second);
    auto* line = new LineAccessible(list(), index);
    lines_.emplace(index, QAccessible::registerAccessibleInterface(line));
    return line;
  }

  [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* line = dynamic_cast<const LineAccessible*>(child);
    return line != nullptr && line->isValid() ? line->row() : -1;
  }

  [[nodiscard]] QAccessibleInterface* childAt(int x, int y) const override {
    return child(list().rowAt(list().viewport()->mapFromGlobal(QPoint(x, y))));
  }

  [[nodiscard]] QAccessibleInterface* focusChild() const override {
    return list().hasFocus() ? child(list().currentRow()) : nullptr;
  }

 private:
  [[nodiscard]] LineList& list() const { return dynamic_cast<LineList&>(*widget()); }

  mutable std::map<int, QAccessible::Id> lines_;
};

}  // namespace

QAccessibleInterface* createLineListAccessible(const QString& /*className*/, QObject* object) {
  auto* list = dynamic_cast<LineList*>(object);
  return list != nullptr ? new LineListAccessible(*list) : nullptr;
}

}  // namespace runtime::qt
