#include "runtime/list_file.h"

#include <string>

namespace runtime {

bool writeListLines(const LineStore& lines, std::string_view lineEnd,
                    const std::function<void(std::string_view block)>& write,
                    const std::function<bool(double progress)>& keepGoing) {
  constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
  std::string block;
  block.reserve(kBlockBytes);
  const std::size_t count = lines.size();
  for (std::size_t i = 0; i < count; ++i) {
    block += lines.line(i);
    block += lineEnd;
    if (block.size() >= kBlockBytes || i + 1 == count) {
      write(block);
      block.clear();
      if (!keepGoing(static_cast<double>(i + 1) / static_cast<double>(count))) return false;
    }
  }
  return true;
}

}  // namespace runtime
