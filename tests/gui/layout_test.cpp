// Where trivel's controls are and whether their texts fit, measured on the
// real window at the screen's DPI and, under Wine, at 144 DPI.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "runtime/win32/font.h"
#include "trivel_window_fixture.h"
#include "window/feuille1_layout.h"

namespace {

using feuille1::Dessin1;
using feuille1::Etiquette1_0;
using feuille1::Etiquette1_1;
using feuille1::Label1;
using feuille1::Liste1;
using feuille1::Texte1_0;
using feuille1::Texte1_1;

struct Placement {
  int id;
  RECT at96Dpi;  // left, top, right, bottom
};

constexpr Placement kPlacements[] = {
    {Dessin1, {8, 16, 8 + 122, 16 + 168}},      {Etiquette1_0, {136, 32, 136 + 109, 32 + 13}},
    {Texte1_0, {144, 56, 144 + 97, 56 + 19}},   {Etiquette1_1, {136, 104, 136 + 115, 104 + 13}},
    {Texte1_1, {144, 128, 144 + 97, 128 + 19}}, {Label1, {136, 160, 136 + 129, 160 + 25}},
    {Liste1, {264, 16, 264 + 185, 16 + 173}},
};

UINT screenDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return static_cast<UINT>(dpi);
}

// Each edge at dpi/96 times its place at 96 DPI; off by at most the one pixel
// that rounding half pixels can give.
void expectScaledLayout(const gui::TrivelProcess& trivel, UINT dpi) {
  const int tolerance = dpi == 96 ? 0 : 1;
  const auto expectNear = [&](LONG actual, LONG at96, const char* what, int id) {
    const double expected = at96 * static_cast<double>(dpi) / 96.0;
    EXPECT_LE(std::abs(actual - expected), tolerance + 0.5) << what << " of control " << id << " at " << dpi;
  };
  RECT client{};
  GetClientRect(trivel.window(), &client);
  expectNear(client.right, 466, "client width", 0);
  expectNear(client.bottom, 220, "client height", 0);
  const gui::RemoteControls window(trivel);
  for (const Placement& control : kPlacements) {
    const RECT rect = window.rectInParent(control.id);
    expectNear(rect.left, control.at96Dpi.left, "left", control.id);
    expectNear(rect.top, control.at96Dpi.top, "top", control.id);
    expectNear(rect.right, control.at96Dpi.right, "right", control.id);
    expectNear(rect.bottom, control.at96Dpi.bottom, "bottom", control.id);
  }
}

// Every label's text, in the font the window creates at that DPI, is no wider
// than the label.
void expectWholeTexts(const gui::TrivelProcess& trivel, UINT dpi) {
  const runtime::win32::UniqueFont font = runtime::win32::createFont(feuille1::layout().font, dpi);
  const HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ previous = SelectObject(dc, font.get());
  wchar_t face[LF_FACESIZE]{};
  GetTextFaceW(dc, LF_FACESIZE, face);
  const gui::RemoteControls window(trivel);
  for (const int label : {Etiquette1_0, Etiquette1_1, Label1}) {
    const std::wstring text = window.text(label);
    RECT needed{};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    RECT client{};
    GetClientRect(trivel.control(label), &client);
    EXPECT_LE(needed.right, client.right)
        << testing::PrintToString(text) << " in " << testing::PrintToString(std::wstring(face)) << " at "
        << dpi << " DPI is wider than its label";
  }
  SelectObject(dc, previous);
  DeleteDC(dc);
}

class Layout : public gui::TrivelWindow {};

TEST_F(Layout, PlacesEveryControlWhereTheLayoutSays) { expectScaledLayout(*trivel, screenDpi()); }

TEST_F(Layout, ShowsEveryTextWhole) {
  expectWholeTexts(*trivel, screenDpi());
  EXPECT_EQ(controls().text(Etiquette1_0), L"borne inf\u00E9rieure : a");
  EXPECT_EQ(controls().text(Etiquette1_1), L"borne sup\u00E9rieure : b");
  EXPECT_EQ(controls().text(Label1), L"calculs en cours ....");
  EXPECT_EQ(controls().caption(), gui::caption());
}

bool underWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Wine's DPI setting for the programs started while it is in force: the
// prefix's LogPixels, as its configuration dialog sets it.
class WineDpiSetting {
 public:
  explicit WineDpiSetting(DWORD dpi) {
    RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_,
                    nullptr);
    DWORD previous = 0;
    DWORD size = sizeof(previous);
    if (RegQueryValueExW(key_, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&previous), &size) ==
        ERROR_SUCCESS) {
      previous_ = previous;
    }
    RegSetValueExW(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi));
  }
  WineDpiSetting(const WineDpiSetting&) = delete;
  WineDpiSetting& operator=(const WineDpiSetting&) = delete;
  WineDpiSetting(WineDpiSetting&&) = delete;
  WineDpiSetting& operator=(WineDpiSetting&&) = delete;
  ~WineDpiSetting() {
    if (previous_) {
      RegSetValueExW(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*previous_), sizeof(DWORD));
    } else {
      RegDeleteValueW(key_, kValue);
    }
    RegCloseKey(key_);
  }

 private:
  static constexpr const wchar_t* kKey = L"Control Panel\\Desktop";
  static constexpr const wchar_t* kValue = L"LogPixels";
  HKEY key_ = nullptr;
  std::optional<DWORD> previous_;
};

class At144Dpi : public ::testing::Test {
 protected:
  static constexpr UINT kDpi = 144;

  static void SetUpTestSuite() {
    if (!underWine()) return;
    const WineDpiSetting setting(kDpi);  // read by trivel as it starts
    trivel = std::make_unique<gui::TrivelProcess>(gui::besideThisProgram(L"trivel.exe"));
  }
  static void TearDownTestSuite() { trivel.reset(); }

  void SetUp() override {
    if (!underWine()) GTEST_SKIP() << "the DPI is set through Wine's settings";
    ASSERT_TRUE(trivel) << "trivel did not start";
  }

  static inline std::unique_ptr<gui::TrivelProcess> trivel;
};

TEST_F(At144Dpi, ScalesTheWindowAndKeepsTheTextsWhole) {
  expectScaledLayout(*trivel, kDpi);
  expectWholeTexts(*trivel, kDpi);
}

}  // namespace
