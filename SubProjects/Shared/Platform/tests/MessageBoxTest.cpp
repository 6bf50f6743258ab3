#include "Platform/MessageBox.h"

#include <gtest/gtest.h>

using namespace Platform;

TEST(MessageBox, RecorderCapturesAndRestores)
{
    {
        MessageBoxRecorder outer(MsgResult::No);
        {
            MessageBoxRecorder inner(MsgResult::Yes);
            EXPECT_EQ(MsgBox({"a", "cap", MsgIcon::Warning, MsgButtons::YesNo}), MsgResult::Yes);
            ASSERT_EQ(inner.boxes().size(), 1u);
            EXPECT_EQ(inner.boxes()[0].caption, "cap");
            EXPECT_EQ(inner.boxes()[0].icon, MsgIcon::Warning);
        }
        // The inner recorder put the outer one back.
        EXPECT_EQ(MsgBox({"b", "", MsgIcon::None, MsgButtons::YesNo}), MsgResult::No);
        ASSERT_EQ(outer.boxes().size(), 1u);
        EXPECT_EQ(outer.boxes()[0].text, "b");
    }
    // Default handler: stderr, first button.
    EXPECT_EQ(MsgBox({"c", "", MsgIcon::None, MsgButtons::YesNo}), MsgResult::Yes);
    EXPECT_EQ(MsgBox({"c", "", MsgIcon::None, MsgButtons::OkCancel}), MsgResult::Ok);
}
