#include "runtime/win32/picture_box.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "runtime/runtime_error.h"

namespace runtime::win32 {

WindowClass PictureBox::registerClass(HINSTANCE instance) {
  return {{.cbSize = sizeof(WNDCLASSEXW),
           .lpfnWndProc = &windowProc,
           .hInstance = instance,
           .hCursor = LoadCursorW(nullptr, IDC_ARROW),
           .lpszClassName = kPictureBoxClass}};
}

PictureBox::PictureBox(HWND window) : window_(window) {
  format_.header = {.biSize = sizeof(BITMAPINFOHEADER),
                    .biPlanes = 1,
                    .biBitCount = 8,
                    .biCompression = BI_RGB,
                    .biClrUsed = 256};
  for (std::size_t grey = 0; grey < format_.greys.size(); ++grey) {
    const auto level = static_cast<BYTE>(grey);
    format_.greys[grey] = {.rgbBlue = level, .rgbGreen = level, .rgbRed = level};
  }
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

PictureBox::~PictureBox() {
  if (IsWindow(window_)) SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
}

void PictureBox::show(const GreyImage& image) {
  if (image.width < 0 || image.height < 0 ||
      image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)) {
    throw RuntimeError("Image incohérente : ses dimensions ne sont pas celles de ses pixels.");
  }
  const auto width = static_cast<std::size_t>(image.width);
  const std::size_t stride = (width + 3) / 4 * 4;
  std::vector<std::uint8_t> rows(stride * static_cast<std::size_t>(image.height), 0xFF);
  for (std::size_t row = 0; row < static_cast<std::size_t>(image.height); ++row) {
    std::copy_n(image.pixels.begin() + static_cast<std::ptrdiff_t>(row * width), width,
                rows.begin() + static_cast<std::ptrdiff_t>(row * stride));
  }
  rows_ = std::move(rows);
  format_.header.biWidth = image.width;
  format_.header.biHeight = -image.height;  // rows from the top
  InvalidateRect(window_, nullptr, FALSE);
}

PixelSize PictureBox::size() const {
  RECT client{};
  GetClientRect(window_, &client);
  return {client.right - client.left, client.bottom - client.top};
}

LRESULT CALLBACK PictureBox::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* self = reinterpret_cast<const PictureBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_PAINT:
      if (self == nullptr) break;
      self->paint();
      return 0;
    case WM_PRINTCLIENT:  // a copy of the box, for a magnifier or a capture
      if (self == nullptr) break;
      self->draw(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the painting covers every pixel
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void PictureBox::paint() const {
  PAINTSTRUCT painting{};
  draw(BeginPaint(window_, &painting));
  EndPaint(window_, &painting);
}

void PictureBox::draw(HDC dc) const {
  const int saved = SaveDC(dc);
  const RECT image{0, 0, format_.header.biWidth, -format_.header.biHeight};
  if (!IsRectEmpty(&image)) {
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(image.right), static_cast<DWORD>(image.bottom), 0, 0, 0,
                      static_cast<UINT>(image.bottom), rows_.data(),
                      reinterpret_cast<const BITMAPINFO*>(&format_), DIB_RGB_COLORS);
    ExcludeClipRect(dc, image.left, image.top, image.right, image.bottom);
  }
  RECT client{};
  GetClientRect(window_, &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  RestoreDC(dc, saved);
}

}  // namespace runtime::win32
