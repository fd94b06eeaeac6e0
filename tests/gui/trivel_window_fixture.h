#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "beside_this_program.h"
#include "remote_controls.h"
#include "trivel_process.h"

namespace gui {

// One trivel for all the tests of a suite; each suite starts its own.
class TrivelWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { trivel = std::make_unique<TrivelProcess>(besideThisProgram(L"trivel.exe")); }
  static void TearDownTestSuite() {
    EXPECT_TRUE(trivel->close()) << "trivel did not close on WM_CLOSE";
    trivel.reset();
  }

  void SetUp() override { ASSERT_TRUE(trivel) << "trivel did not start"; }

  [[nodiscard]] static RemoteControls controls() { return RemoteControls(*trivel); }

  static inline std::unique_ptr<TrivelProcess> trivel;
};

}  // namespace gui
