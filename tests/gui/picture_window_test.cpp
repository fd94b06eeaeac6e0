// A second form beside the first, made in this process with stand-in forms'
// code: a picture box shows its image one pixel a pixel and white beyond,
// follows the window's size and tells the form; a form closed as the user
// would is unloaded and removed while the start-up form stays, whose close
// ends the message loop.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "resources/resource_ids.h"
#include "runtime/win32/form_registry.h"
#include "runtime/win32/form_window.h"

namespace {

using runtime::ControlId;
using runtime::ControlKind;
using runtime::ControlLayout;
using runtime::FormLayout;
using runtime::PixelSize;

constexpr ControlId kImage1 = 1;
// The picture box fills the window but for a margin of 10 pixels (150 twips) on each side.
constexpr std::array kPictureRows{ControlLayout{.id = kImage1,
                                                .name = "Image1",
                                                .kind = ControlKind::PictureBox,
                                                .left = 150,
                                                .top = 150,
                                                .width = 3000,
                                                .height = 1500,
                                                .accessibleName = "nuage de points"}};
constexpr FormLayout kPictureForm{.name = "EssaiNuage",
                                  .caption = "essai de nuage",
                                  .clientWidth = 3300,
                                  .clientHeight = 1800,
                                  .font = {.face = "MS Sans Serif", .hundredthsOfPoint = 825},
                                  .iconId = IDI_TRIVEL,
                                  .resizable = true,
                                  .controls = kPictureRows};
constexpr FormLayout kStartupForm{.name = "EssaiDepart",
                                  .caption = "essai de départ",
                                  .clientWidth = 3000,
                                  .clientHeight = 1500,
                                  .font = {.face = "MS Sans Serif", .hundredthsOfPoint = 825},
                                  .iconId = IDI_TRIVEL};

// A form's code that does what the test asks of it and notes what it sees.
class StandIn final : public runtime::FormEvents {
 public:
  struct Steps {
    std::function<void(runtime::Form&)> load = [](runtime::Form&) {};
    std::function<void(runtime::Form&)> resize = [](runtime::Form&) {};
    std::function<void(runtime::Form&)> unload = [](runtime::Form&) {};
    std::function<void()> gone = [] {};
  };
  StandIn(runtime::Form& form, Steps steps) : form_(form), steps_(std::move(steps)) {}
  StandIn(const StandIn&) = delete;
  StandIn& operator=(const StandIn&) = delete;
  StandIn(StandIn&&) = delete;
  StandIn& operator=(StandIn&&) = delete;
  ~StandIn() override { steps_.gone(); }

  void load() override { steps_.load(form_); }
  void change(ControlId /*textBox*/) override {}
  void keyPress(ControlId /*textBox*/, std::int16_t /*keyAscii*/) override {}
  void keyDown(std::int16_t /*keyCode*/) override {}
  void saveRequested(ControlId /*control*/) override {}
  void resize() override { steps_.resize(form_); }
  void unload() override { steps_.unload(form_); }

 private:
  runtime::Form& form_;
  Steps steps_;
};

runtime::CreateForm standIn(StandIn::Steps steps) {
  return [steps = std::move(steps)](runtime::Form& form) { return std::make_unique<StandIn>(form, steps); };
}

struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
struct ObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

// The box's pixels as it paints them for a capture, row by row from the top, as greys.
std::vector<std::vector<int>> capture(HWND box, int width, int height) {
  const std::unique_ptr<HDC__, DcDeleter> dc(CreateCompatibleDC(nullptr));
  const HDC screen = GetDC(nullptr);
  const std::unique_ptr<void, ObjectDeleter> bitmap(CreateCompatibleBitmap(screen, width, height));
  ReleaseDC(nullptr, screen);
  const HGDIOBJ previous = SelectObject(dc.get(), bitmap.get());
  RECT all{0, 0, width, height};
  FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SendMessageW(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
  std::vector<std::vector<int>> rows(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF colour = GetPixel(dc.get(), x, y);
      rows[static_cast<std::size_t>(y)].push_back(
          GetRValue(colour) == GetGValue(colour) && GetGValue(colour) == GetBValue(colour) ? GetRValue(colour)
                                                                                           : -1);
    }
  }
  SelectObject(dc.get(), previous);
  return rows;
}

TEST(PictureWindow, ShowsTheImageOnePixelAPixelWhiteBeyondAndFollowsTheWindowsSize) {
  const std::vector<std::uint8_t> pixels{0, 40, 80, 120, 160, 200};  // 3 across, 2 down
  std::vector<PixelSize> sizesSeen;
  runtime::win32::FormRegistry forms(GetModuleHandleW(nullptr));
  runtime::win32::FormWindow& window = forms.open(
      kPictureForm,
      standIn({.load =
                   [&](runtime::Form& form) {
                     form.showImage(kImage1, {3, 2, pixels});
                   },
               .resize = [&](runtime::Form& form) { sizesSeen.push_back(form.pixelSize(kImage1)); }}),
      SW_SHOWNOACTIVATE);
  const HWND box = GetDlgItem(window.window(), kImage1);
  ASSERT_NE(box, nullptr);

  const std::vector<std::vector<int>> shown = capture(box, 5, 3);
  EXPECT_EQ(shown, (std::vector<std::vector<int>>{
                       {0, 40, 80, 255, 255}, {120, 160, 200, 255, 255}, {255, 255, 255, 255, 255}}));

  // The user makes the window larger: the box keeps its 10-pixel margins
  // (at 96 DPI), and the form's code finds the new size when told.
  RECT frame{};
  GetWindowRect(window.window(), &frame);
  sizesSeen.clear();
  SetWindowPos(window.window(), nullptr, 0, 0, frame.right - frame.left + 100, frame.bottom - frame.top + 50,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client{};
  GetClientRect(window.window(), &client);
  const PixelSize expected{client.right - 20, client.bottom - 20};
  EXPECT_EQ(sizesSeen, std::vector<PixelSize>{expected});
  RECT boxRect{};
  GetWindowRect(box, &boxRect);
  EXPECT_EQ(boxRect.right - boxRect.left, expected.width);
  EXPECT_EQ(boxRect.bottom - boxRect.top, expected.height);
}

TEST(PictureWindow, AFormClosedAsTheUserWouldGoesAloneAndTheStartupFormsCloseEndsTheLoop) {
  std::vector<std::string> seen;
  HWND startup = nullptr;
  const StandIn::Steps picture{.load = [&](runtime::Form& form) { form.close(); },
                               .unload =
                                   [&](runtime::Form& /*form*/) {
                                     seen.emplace_back(IsWindowVisible(startup)
                                                           ? "picture unloaded, start-up shown"
                                                           : "picture unloaded, start-up gone");
                                     PostMessageW(startup, WM_CLOSE, 0, 0);  // the user's next close
                                   },
                               .gone = [&] { seen.emplace_back("picture gone"); }};
  const StandIn::Steps first{
      .load = [&](runtime::Form& form) { form.openForm(kPictureForm, standIn(picture)); },
      .unload = [&](runtime::Form& /*form*/) { seen.emplace_back("start-up unloaded"); }};
  runtime::win32::FormRegistry forms(GetModuleHandleW(nullptr));
  startup = forms.open(kStartupForm, standIn(first), SW_SHOWNOACTIVATE).window();
  EXPECT_EQ(forms.run(), 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"picture unloaded, start-up shown", "picture gone",
                                            "start-up unloaded"}));
}

}  // namespace
