#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace runtime {

// Identifies a control of a form; the form's layout gives each control its id.
using ControlId = int;

// The window's mouse pointer, with the codes forms use for it.
enum class MousePointer : std::int16_t { Default = 0, Hourglass = 11 };

struct FormLayout;
class Form;
class FormEvents;

// A grey image: one byte a pixel, 0 black to 255 white, rows from the top.
struct GreyImage {
  int width = 0;
  int height = 0;
  std::span<const std::uint8_t> pixels;  // width * height bytes
};

// A size on the screen, in the screen's pixels.
struct PixelSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// Makes a form's code once its window exists.
using CreateForm = std::function<std::unique_ptr<FormEvents>(Form&)>;

// What a form's code may ask of the window it runs in. Every operation is
// synchronous; one that fails throws RuntimeError. Texts are UTF-8.
class Form {
 public:
  Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  virtual ~Form() = default;

  [[nodiscard]] virtual std::string text(ControlId textBox) const = 0;
  virtual void setVisible(ControlId control, bool visible) = 0;
  virtual void clear(ControlId list) = 0;
  // Appends a line after the last one of the list.
  virtual void addItem(ControlId list, std::string_view line) = 0;
  virtual void setMousePointer(MousePointer pointer) = 0;
  virtual void setCaption(std::string_view caption) = 0;
  // Handles the events that are waiting, once, then returns.
  virtual void doEvents() = 0;
  // Asks the user where to save a list's lines, with the system's save
  // dialog proposing fileName: the path chosen (UTF-8), none when the user
  // cancelled. A failure of the dialog throws RuntimeError.
  [[nodiscard]] virtual std::optional<std::string> chooseListFile(std::string_view fileName) = 0;
  // Writes every line of the list into the file at path, one a line, in UTF-8
  // with the system's line ends. While it writes, keepGoing(share written, 0
  // to 1) is called now and then; when it returns false the save stops. The
  // lines go to a temporary file that replaces the one at path only when
  // complete, so a save that stops or fails leaves an earlier file as it was.
  // True when the file was written, false when the save was stopped; a
  // failure throws RuntimeError.
  virtual bool writeList(ControlId list, const std::string& path,
                         const std::function<bool(double progress)>& keepGoing) = 0;
  // The size of a picture box on the screen now.
  [[nodiscard]] virtual PixelSize pixelSize(ControlId pictureBox) const = 0;
  // Shows the image in a picture box, one image pixel a screen pixel from its
  // top-left corner, white where the image does not reach. The box keeps a
  // copy and repaints it by itself.
  virtual void showImage(ControlId pictureBox, const GreyImage& image) = 0;
  // What a screen reader says of a control after its name.
  virtual void setDescription(ControlId control, std::string_view description) = 0;
  // Like chooseListFile, for a PNG image.
  [[nodiscard]] virtual std::optional<std::string> chooseImageFile(std::string_view fileName) = 0;
  // Writes the image as a PNG file at path, through a temporary file that
  // replaces the one at path only when complete, like writeList; a failure
  // throws RuntimeError with writeList's messages and leaves an earlier file
  // as it was.
  virtual void writeImage(const std::string& path, const GreyImage& image) = 0;
  // Opens another window of the program for a form of this layout, made by
  // createForm; returns once its Load has run and it shows. Each window lives
  // on by itself: closing it, or an error in it, leaves the others as they
  // are. Closing the start-up form's window ends the program.
  virtual void openForm(const FormLayout& layout, const CreateForm& createForm) = 0;
  // Closes this form's window as the user would: its Unload runs, once the
  // event procedure that is running has returned.
  virtual void close() = 0;
  // The decimal separator of the user's locale, for reading numbers typed by the user.
  [[nodiscard]] virtual std::string decimalSeparator() const = 0;
  // A monotonic clock, for pacing long work.
  [[nodiscard]] virtual std::chrono::steady_clock::time_point now() const {
    return std::chrono::steady_clock::now();
  }

 protected:
  Form(Form&&) = default;
  Form& operator=(Form&&) = default;
};

// The event procedures of a form, as the runtime calls them, one at a time on
// the window's thread. An exception that leaves one goes to the runtime.
class FormEvents {
 public:
  FormEvents() = default;
  FormEvents(const FormEvents&) = delete;
  FormEvents& operator=(const FormEvents&) = delete;
  virtual ~FormEvents() = default;

  // Once, after the controls exist and before the window is shown.
  virtual void load() = 0;
  // After every change of a text box's text.
  virtual void change(ControlId textBox) = 0;
  // For every character typed into a text box, 13 for Enter; the text box
  // handles the character afterwards as usual.
  virtual void keyPress(ControlId textBox, std::int16_t keyAscii) = 0;
  // For every key pressed while the window or one of its controls has the
  // focus (a virtual-key code, 27 for Escape), before the control sees it.
  virtual void keyDown(std::int16_t keyCode) = 0;
  // The user asks to save a list or a picture box's image: from its context
  // menu, or with Ctrl+S anywhere in the window (the form's first list, or
  // else its first picture box). The runtime asks only while no event
  // procedure runs, and for a list only while it has lines.
  virtual void saveRequested(ControlId control) = 0;
  // The user asks for the picture of a list's lines: from its context menu,
  // or with Ctrl+G anywhere in the window, on the same terms as saving.
  virtual void pictureRequested(ControlId /*list*/) {}
  // After the window's size changed, the user's resizing or a change of DPI.
  virtual void resize() {}
  // The user closes the window. It closes as soon as the event procedure
  // that is running, if any, has returned.
  virtual void unload() = 0;

 protected:
  FormEvents(FormEvents&&) = default;
  FormEvents& operator=(FormEvents&&) = default;
};

}  // namespace runtime
