// What a screen reader hears for each of trivel's controls: their names read
// through Active Accessibility from this process, as a screen reader reads them.
#include <oleacc.h>

#include <string>

#include "trivel_window_fixture.h"
#include "window/feuille1_layout.h"

namespace {

class AccessibleNames : public gui::TrivelWindow {
 protected:
  static void SetUpTestSuite() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    TrivelWindow::SetUpTestSuite();
  }
  static void TearDownTestSuite() {
    TrivelWindow::TearDownTestSuite();
    CoUninitialize();
  }

  static std::wstring accessibleName(int id) {
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(trivel->control(id), static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible), reinterpret_cast<void**>(&accessible)))) {
      return L"(no accessible object)";
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    const HRESULT result = accessible->get_accName(self, &name);
    accessible->Release();
    std::wstring text = SUCCEEDED(result) && name != nullptr ? std::wstring(name, SysStringLen(name)) : L"";
    SysFreeString(name);
    return text;
  }
};

TEST_F(AccessibleNames, EachFieldIsNamedByItsOwnPromptAndTheListByWhatItHolds) {
  EXPECT_EQ(accessibleName(feuille1::Texte1_0), L"borne inférieure : a");
  EXPECT_EQ(accessibleName(feuille1::Texte1_1), L"borne supérieure : b");
  EXPECT_EQ(accessibleName(feuille1::Liste1), L"nombres trouvés");
}

}  // namespace
