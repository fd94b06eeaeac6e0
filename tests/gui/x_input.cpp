#include "x_input.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

namespace gui {
namespace {

constexpr std::chrono::seconds kCommandTimeout(60);

// Wine hands a Linux program no process handle to wait on, so each command
// leaves its output and, last, its exit status in a folder of its own under
// /tmp, which Wine's drive Z: shows to this program.
class CommandFolder {
 public:
  CommandFolder() {
    static std::atomic<unsigned> count{0};
    name_ = "trivel-x-input-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count);
    std::filesystem::create_directories(windowsPath());
  }
  CommandFolder(const CommandFolder&) = delete;
  CommandFolder& operator=(const CommandFolder&) = delete;
  CommandFolder(CommandFolder&&) = delete;
  CommandFolder& operator=(CommandFolder&&) = delete;
  ~CommandFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(windowsPath(), ignored);
  }

  [[nodiscard]] std::string unixPath(std::string_view file) const {
    return "/tmp/" + name_ + "/" + std::string(file);
  }
  [[nodiscard]] std::filesystem::path windowsPath(std::string_view file = {}) const {
    return std::filesystem::path("Z:\\tmp") / name_ / file;
  }

 private:
  std::string name_;
};

std::string readFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Keeps the command inside the one pair of double quotes that Wine turns into
// the shell's single argument.
void requirePlain(std::string_view text) {
  if (text.find_first_of("\"'\\$`") != std::string_view::npos) {
    throw std::invalid_argument("no quotes or shell characters in X input: " + std::string(text));
  }
}

// Runs a shell command line, waits for its end and returns its output.
std::string run(const std::string& command) {
  const CommandFolder folder;
  const std::string script = "(" + command + ") >" + folder.unixPath("out") + " 2>" + folder.unixPath("err") +
                             "; echo $? >" + folder.unixPath("status.part") + " && mv " +
                             folder.unixPath("status.part") + " " + folder.unixPath("status");
  std::wstring commandLine = L"/bin/sh -c \"" + std::wstring(script.begin(), script.end()) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(L"/bin/sh", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &started)) {
    throw std::runtime_error("cannot start /bin/sh for: " + command);
  }
  if (started.hThread != nullptr) CloseHandle(started.hThread);
  if (started.hProcess != nullptr) CloseHandle(started.hProcess);

  const auto deadline = std::chrono::steady_clock::now() + kCommandTimeout;
  while (!std::filesystem::exists(folder.windowsPath("status"))) {
    if (std::chrono::steady_clock::now() > deadline) throw std::runtime_error("no end of: " + command);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (const std::string status = readFile(folder.windowsPath("status")); status != "0\n") {
    throw std::runtime_error(command + " failed (" + status + "): " + readFile(folder.windowsPath("err")));
  }
  return readFile(folder.windowsPath("out"));
}

}  // namespace

namespace x_input {

void type(std::string_view text) {
  requirePlain(text);
  run("xdotool type --delay 30 -- '" + std::string(text) + "'");
}

void keys(std::string_view combinations) {
  requirePlain(combinations);
  run("xdotool key --delay 30 " + std::string(combinations));
}

void click(POINT screen) {
  run("xdotool mousemove " + std::to_string(screen.x) + " " + std::to_string(screen.y) +
      " sleep 0.1 click 1");
}

std::string clipboard() { return run("xclip -out -selection clipboard || true"); }

}  // namespace x_input

}  // namespace gui
