// The conversions between the program's UTF-8 texts and the wide-character
// Windows API, run as the Windows program runs them (32- and 64-bit).
#include "runtime/win32/text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

using runtime::win32::narrow;
using runtime::win32::wideLength;
using runtime::win32::widen;
using runtime::win32::widenInto;
using runtime::win32::widenTo;

constexpr std::string_view kCaption = "nombres  trivelliens : a\xC2\xB2 + b\xC2\xB2 = c\xC2\xB2";
constexpr std::wstring_view kWideCaption = L"nombres  trivelliens : a\u00B2 + b\u00B2 = c\u00B2";

TEST(WindowsText, WidensAndNarrowsTheWindowsTexts) {
  EXPECT_EQ(widen(kCaption), kWideCaption);
  EXPECT_EQ(widen("borne inf\xC3\xA9rieure : a"), L"borne inf\u00E9rieure : a");
  EXPECT_EQ(widen("MS Sans Serif"), L"MS Sans Serif");
  EXPECT_EQ(widen(""), L"");
  EXPECT_EQ(narrow(kWideCaption), kCaption);
  EXPECT_EQ(narrow(L""), "");
  EXPECT_EQ(wideLength(kCaption), kWideCaption.size());
}

TEST(WindowsText, WidensIntoABufferOfExactlyTheTextsLength) {
  std::vector<wchar_t> buffer(wideLength(kCaption));
  const wchar_t* end = widenTo(kCaption, buffer);
  EXPECT_EQ(end, buffer.data() + buffer.size());
  EXPECT_EQ(std::wstring_view(buffer.data(), buffer.size()), kWideCaption);
}

TEST(WindowsText, RefusesABufferTooShortInsteadOfWritingPastIt) {
  std::vector<wchar_t> buffer(wideLength(kCaption) + 1, L'#');
  EXPECT_ANY_THROW(widenTo(kCaption, std::span(buffer).first(buffer.size() - 2)));
  EXPECT_EQ(buffer.back(), L'#');
}

// The list's buffer of capacity characters ends before the one marked '#'.
TEST(WindowsText, CutsALineShortToFitTheListsBuffer) {
  for (const auto& [line, capacity, shown] :
       {std::tuple{" 12  16  20", 8, L" 12  16"}, std::tuple{" 3  4  5", 9, L" 3  4  5"},
        std::tuple{"", 8, L""}}) {
    std::vector<wchar_t> buffer(static_cast<std::size_t>(capacity) + 1, L'#');
    widenInto(line, buffer.data(), capacity);
    EXPECT_STREQ(buffer.data(), shown) << "capacity " << capacity;
    EXPECT_EQ(buffer.back(), L'#') << "written past a capacity of " << capacity;
  }
}

}  // namespace
