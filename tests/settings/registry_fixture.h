// A test fixture whose registry is a fresh scratch tree: HKCU, HKLM and
// HKCR of the test process point into it for the test's life.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "settings/registry_override.h"

namespace lumeko::test {

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    override_ = std::make_unique<TRegistryOverride>();
    ASSERT_TRUE(override_->Active()) << "cannot redirect the registry";
  }
  void TearDown() override { override_.reset(); }

 private:
  std::unique_ptr<TRegistryOverride> override_;
};

}  // namespace lumeko::test
