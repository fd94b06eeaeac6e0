#include "runtime/qt/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include <new>
#include <string>

#include "runtime/qt/text.h"
#include "runtime/runtime_error.h"

namespace runtime::qt {

void copyToClipboard(const LineStore& lines) {
  try {
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) bytes += lines.line(i).size() + 1;
    std::string all;
    all.reserve(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      all += lines.line(i);
      all += '\n';
    }
    QGuiApplication::clipboard()->setText(toQString(all));
  } catch (const std::bad_alloc&) {
    throw noMemoryToCopyTheList();
  }
}

}  // namespace runtime::qt
