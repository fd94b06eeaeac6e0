#include "runtime/qt/line_list.h"

#include <QClipboard>
#include <QGuiApplication>

#include <limits>
#include <new>
#include <string>

#include "runtime/qt/text.h"
#include "runtime/runtime_error.h"

namespace runtime::qt {

void LineListModel::append(std::string_view line) {
  // The view counts its rows in an int.
  if (lines_.size() >= static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    throw RuntimeError("La liste est pleine : impossible d'ajouter une ligne.");
  }
  try {
    lines_.append(line);
  } catch (const std::bad_alloc&) {
    throw RuntimeError("Mémoire insuffisante pour ajouter une ligne à la liste.");
  }
}

void LineListModel::clear() {
  beginResetModel();
  lines_.clear();
  shownCount_ = 0;
  endResetModel();
}

void LineListModel::syncCount() {
  lastSync_ = std::chrono::steady_clock::now();
  if (shownCount_ == lines_.size()) return;
  beginInsertRows(QModelIndex(), static_cast<int>(shownCount_), static_cast<int>(lines_.size() - 1));
  shownCount_ = lines_.size();
  endInsertRows();
}

void LineListModel::syncCountWhileBusy() {
  constexpr std::chrono::seconds kLongestWait{1};
  if (lines_.size() - shownCount_ >= shownCount_ / 2 ||
      std::chrono::steady_clock::now() - lastSync_ >= kLongestWait) {
    syncCount();
  }
}

// The view asks for the index of every row each time it lays the rows out:
// this answers without the base class's checks through virtual calls.
QModelIndex LineListModel::index(int row, int column, const QModelIndex& parent) const {
  const bool valid =
      !parent.isValid() && column == 0 && row >= 0 && static_cast<std::size_t>(row) < shownCount_;
  return valid ? createIndex(row, 0) : QModelIndex();
}

int LineListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(shownCount_);
}

QVariant LineListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || static_cast<std::size_t>(index.row()) >= shownCount_) {
    return {};
  }
  return toQString(lines_.line(static_cast<std::size_t>(index.row())));
}

void LineListModel::copyAllToClipboard() const {
  try {
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < lines_.size(); ++i) bytes += lines_.line(i).size() + 1;
    std::string all;
    all.reserve(bytes);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      all += lines_.line(i);
      all += '\n';
    }
    QGuiApplication::clipboard()->setText(toQString(all));
  } catch (const std::bad_alloc&) {
    throw RuntimeError("Mémoire insuffisante pour copier la liste.");
  }
}

void showLines(QListView& view, std::unique_ptr<LineListModel> model) {
  model->setParent(&view);
  // Rows of one height let the view place any row without asking for its size.
  view.setUniformItemSizes(true);
  view.setEditTriggers(QAbstractItemView::NoEditTriggers);
  view.setSelectionMode(QAbstractItemView::SingleSelection);
  view.setTextElideMode(Qt::ElideNone);
  view.setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  view.setModel(model.release());
}

}  // namespace runtime::qt
