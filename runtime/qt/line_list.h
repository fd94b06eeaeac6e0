#pragma once

#include <QAbstractListModel>
#include <QListView>

#include <chrono>
#include <cstddef>
#include <memory>
#include <string_view>

#include "runtime/line_store.h"

namespace runtime::qt {

// The lines of a list control, for millions of lines: a list model over a
// compact line store, from which the view asks for the text of the lines it
// shows. Appending only touches the store; the view learns the new count at
// syncCount(), which the form calls when control goes back to the event loop.
// The view lays every row out again whenever it learns of new ones, so while
// an event procedure runs, syncCountWhileBusy() tells it only once that is
// worth it: when the new lines are at least half as many as those it shows,
// or a second after it last learned of any.
class LineListModel final : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;

  void append(std::string_view line);
  void clear();
  void syncCount();
  void syncCountWhileBusy();
  // Every line, one per line, on the clipboard.
  void copyAllToClipboard() const;

  [[nodiscard]] QModelIndex index(int row, int column,
                                  const QModelIndex& parent = QModelIndex()) const override;
  [[nodiscard]] int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  LineStore lines_;
  std::size_t shownCount_ = 0;
  std::chrono::steady_clock::time_point lastSync_;
};

// Sets a list view up to show a long list of lines; the view owns the model.
void showLines(QListView& view, std::unique_ptr<LineListModel> model);

}  // namespace runtime::qt
