// Test entry point. Natively, every test starts from a fresh stand-in.
#include <gtest/gtest.h>

#include "platform_support.h"

namespace {
class FreshPlatform : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override { ResetTestPlatform(); }
};
}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new FreshPlatform);
  return RUN_ALL_TESTS();
}
