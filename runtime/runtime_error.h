#pragma once

#include <stdexcept>
#include <string>

namespace runtime {

// The one error type of the runtime. Its message is French and names what
// failed; the back end shows it to the user when it leaves an event procedure.
class RuntimeError : public std::runtime_error {
 public:
  explicit RuntimeError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace runtime
