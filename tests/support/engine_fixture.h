#pragma once
// Base fixture for engine tests: fresh engine state, a fake user interface,
// and a private per-user directory.

#include <filesystem>
#include <gtest/gtest.h>

#include "tests/support/fake_ui_services.h"

namespace zk::test {

class EngineTest : public ::testing::Test {
protected:
    EngineTest();
    ~EngineTest() override;

    // A fresh directory removed after the test.
    const std::filesystem::path& TempDir() const { return m_tempDir; }

    FakeUiServices ui;

private:
    std::filesystem::path m_tempDir;
};

}  // namespace zk::test
