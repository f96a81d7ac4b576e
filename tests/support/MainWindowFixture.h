// The fixture of the user-interface tests that work with the program's real main window.
#pragma once
#include <gtest/gtest.h>

// Each test starts with the main window shown and in the foreground, and leaves nothing behind:
// whatever a test left unanswered must not leak into the next one.
class ShownMainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};
