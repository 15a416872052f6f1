// The scripted UI driver for tests, with its failures failing the running
// test: a dialog no script expected, a step that cannot be done, an answer
// that is no button of its box, a script left unused.
#pragma once

#include "platform/ui_script.h"

#include <gtest/gtest.h>

#include <string>

namespace testsupport {

class TestUi : public platform::ScriptedUiDriver {
public:
    TestUi() {
        SetFailureHandler([](const std::string& failure) { ADD_FAILURE() << "UI script: " << failure; });
    }
};

}  // namespace testsupport
