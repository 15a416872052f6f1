// Switches the process's ANSI code page for one test and puts the 1252
// default back however the test ends, so later tests start from it.
#pragma once

#include "platform/codepage.h"

#include <gtest/gtest.h>

class AnsiCodePageScope {
public:
    explicit AnsiCodePageScope(UINT codePage) { EXPECT_TRUE(platform::SetAnsiCodePage(codePage)); }
    ~AnsiCodePageScope() { platform::SetAnsiCodePage(1252); }
    AnsiCodePageScope(const AnsiCodePageScope&) = delete;
    AnsiCodePageScope& operator=(const AnsiCodePageScope&) = delete;
};
