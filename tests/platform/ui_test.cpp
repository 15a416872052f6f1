#include "platform/debug.h"
#include "platform/ui.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageBoxes, WithoutADriverEveryBoxAnswersItsDefaultButton) {
    struct Case {
        UINT type;
        int answer;
    };
    const Case cases[] = {
        {MB_OK, IDOK},
        {MB_OKCANCEL | MB_ICONQUESTION, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {MB_YESNO, IDYES},
        {MB_YESNO | MB_DEFBUTTON2, IDNO},
        {MB_RETRYCANCEL | MB_ICONEXCLAMATION, IDRETRY},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, IDIGNORE},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MessageBoxA(nullptr, "text", "caption", c.type), c.answer) << "type " << c.type;
    }
}

TEST(MessageBoxes, ScriptedDriverRecordsAndAnswers) {
    platform::ScriptedUiDriver driver;
    driver.AnswerNextMessageBox(IDCANCEL);
    EXPECT_EQ(MessageBoxA(nullptr, "first", "Target", MB_OKCANCEL | MB_ICONEXCLAMATION), IDCANCEL);
    EXPECT_EQ(MessageBoxA(nullptr, "second", nullptr, MB_RETRYCANCEL), IDRETRY);
    const auto boxes = driver.MessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "first");
    EXPECT_EQ(boxes[0].caption, "Target");
    EXPECT_EQ(boxes[0].type, MB_OKCANCEL | MB_ICONEXCLAMATION);
    EXPECT_EQ(boxes[1].caption, "Error");  // a null caption reads "Error", as on Windows
}

TEST(MessageBoxes, NestedDriversRestoreTheOuterOne) {
    platform::ScriptedUiDriver outer;
    {
        platform::ScriptedUiDriver inner;
        MessageBoxA(nullptr, "inner", "c", MB_OK);
        EXPECT_EQ(inner.MessageBoxes().size(), 1u);
    }
    MessageBoxA(nullptr, "outer", "c", MB_OK);
    ASSERT_EQ(outer.MessageBoxes().size(), 1u);
    EXPECT_EQ(outer.MessageBoxes()[0].text, "outer");
}

TEST(DebugOutput, CaptureKeepsEachCall) {
    platform::DebugOutputCapture capture;
    OutputDebugStringA("one ");
    OutputDebugStringA("two\n");
    OutputDebugStringA(nullptr);
    EXPECT_EQ(capture.Lines().size(), 3u);
    EXPECT_EQ(capture.Text(), "one two\n");
    capture.Clear();
    EXPECT_TRUE(capture.Lines().empty());
}

}  // namespace
