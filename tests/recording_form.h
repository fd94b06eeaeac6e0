#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/form.h"

// A headless runtime::Form for window-logic tests: it keeps texts, visibility,
// lists, the caption and the pointer in memory, runs a hook in each DoEvents
// so a test can play events that arrive meanwhile, and has a fake clock.
class RecordingForm final : public runtime::Form {
 public:
  [[nodiscard]] std::string text(runtime::ControlId textBox) const override;
  void setVisible(runtime::ControlId control, bool isVisible) override;
  void clear(runtime::ControlId list) override;
  void addItem(runtime::ControlId list, std::string_view line) override;
  void setMousePointer(runtime::MousePointer shape) override;
  void setCaption(std::string_view text) override;
  void doEvents() override;
  // Proposes fileName, then answers with chosenFile (none: cancelled).
  [[nodiscard]] std::optional<std::string> chooseListFile(std::string_view fileName) override;
  // Writes the list's lines to savedLines, one keepGoing call a line; fails
  // with a runtime error at line failWritingAt when it is set.
  bool writeList(runtime::ControlId list, const std::string& path,
                 const std::function<bool(double)>& keepGoing) override;
  [[nodiscard]] runtime::PixelSize pixelSize(runtime::ControlId /*pictureBox*/) const override {
    return boxSize;
  }
  // Keeps a copy of the image in images.
  void showImage(runtime::ControlId pictureBox, const runtime::GreyImage& image) override;
  void setDescription(runtime::ControlId control, std::string_view text) override {
    descriptions[control] = text;
  }
  // Proposes fileName, then answers with chosenFile, like chooseListFile.
  [[nodiscard]] std::optional<std::string> chooseImageFile(std::string_view fileName) override;
  // Keeps the image in savedImage and the path in savedPath.
  void writeImage(const std::string& path, const runtime::GreyImage& image) override;
  // Makes the form's code over a recording form of its own, kept in opened,
  // and runs its Load.
  void openForm(const runtime::FormLayout& layout, const runtime::CreateForm& createForm) override;
  void close() override { closed = true; }
  [[nodiscard]] std::string decimalSeparator() const override { return separator; }
  [[nodiscard]] std::chrono::steady_clock::time_point now() const override;

  std::map<runtime::ControlId, std::string> texts;
  std::map<runtime::ControlId, bool> visible;
  // The lines of each list, up to keepAtMost; itemCounts and lastLines count
  // and keep what goes beyond, so that huge lists stay cheap.
  std::map<runtime::ControlId, std::vector<std::string>> lists;
  std::map<runtime::ControlId, std::size_t> itemCounts;
  std::map<runtime::ControlId, std::string> lastLines;
  std::size_t keepAtMost = SIZE_MAX;
  runtime::MousePointer pointer = runtime::MousePointer::Default;
  std::vector<std::string> captions;  // every caption set, in order
  std::string separator = ",";
  std::vector<std::string> proposedFileNames;              // of every save, in order
  std::optional<std::string> chosenFile = "triplets.txt";  // the dialog's answer
  std::optional<std::size_t> failWritingAt;
  std::vector<std::string> savedLines;  // of the last save that was completed
  std::string savedPath;
  struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
    friend bool operator==(const Image&, const Image&) = default;
  };
  runtime::PixelSize boxSize{.width = 200, .height = 150};  // every picture box's size
  std::map<runtime::ControlId, Image> images;               // the last image shown in each picture box
  std::map<runtime::ControlId, std::string> descriptions;
  Image savedImage;
  // A form opened by this one: its layout's name, its window and its code.
  struct Opened {
    std::string_view name;
    std::unique_ptr<RecordingForm> form;
    std::unique_ptr<runtime::FormEvents> events;
  };
  std::vector<Opened> opened;
  bool closed = false;  // the form's code asked its window to close
  int doEventsCalls = 0;
  int clearCalls = 0;
  // Runs inside every DoEvents, with the number of that call (1 for the first).
  std::function<void(int call)> onDoEvents;
  // Makes the next AddItem fail as a control operation would.
  bool failNextAddItem = false;
  // The fake clock moves on by this much every time it is read.
  std::chrono::milliseconds tick{0};
  // Moves the fake clock on once, as when the machine wakes from sleep.
  void jump(std::chrono::milliseconds by) { clock_ += by; }

 private:
  mutable std::chrono::steady_clock::time_point clock_{};
};
