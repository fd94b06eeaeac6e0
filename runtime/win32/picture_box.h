#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <vector>

#include "runtime/form.h"
#include "runtime/win32/handles.h"

namespace runtime::win32 {

inline constexpr const wchar_t* kPictureBoxClass = L"trivel.PictureBox";

// A picture box's image: a copy of the grey image the form's code gave, kept
// as an 8-bit DIB with a grey palette, painted one image pixel a screen pixel
// from the box's top-left corner, white where the image does not reach.
class PictureBox {
 public:
  // The window class of the picture boxes, registered once for every form.
  static WindowClass registerClass(HINSTANCE instance);
  // Takes over the painting of a window of that class.
  explicit PictureBox(HWND window);
  PictureBox(const PictureBox&) = delete;
  PictureBox& operator=(const PictureBox&) = delete;
  PictureBox(PictureBox&&) = delete;
  PictureBox& operator=(PictureBox&&) = delete;
  ~PictureBox();

  void show(const GreyImage& image);
  // The box's size on the screen now.
  [[nodiscard]] PixelSize size() const;

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void paint() const;
  void draw(HDC dc) const;

  struct GreyDib {
    BITMAPINFOHEADER header;
    std::array<RGBQUAD, 256> greys;
  };

  HWND window_;
  GreyDib format_{};
  std::vector<std::uint8_t> rows_;  // from the top, each padded to 4 bytes
};

}  // namespace runtime::win32
