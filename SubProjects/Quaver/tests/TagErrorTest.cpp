#include "Quaver/TagError.h"
#include "Quaver/QuaverInfo.h"

#include "Platform/MessageBox.h"
#include "Platform/RuntimeError.h"

#include <gtest/gtest.h>

using namespace Quaver;
using Platform::MsgIcon;

TEST(TagErrorTest, NewRecordStreamsAndShowsItsInitialValues)
{
    const TagError error;
    EXPECT_EQ(error.Stream(), "-1, <unknown>, <unknown>");
    EXPECT_EQ(error.Mode(), Critical);

    Platform::MessageBoxRecorder recorder;
    error.Show();
    ASSERT_EQ(recorder.boxes().size(), 1u);
    const auto& box = recorder.boxes()[0];
    EXPECT_EQ(box.text, "-1\r\n<unknown>\r\n<unknown>");
    EXPECT_EQ(box.icon, MsgIcon::Critical);
    EXPECT_EQ(box.caption, "Quaver");
    EXPECT_EQ(box.buttons, Platform::MsgButtons::Ok);
}

TEST(TagErrorTest, ClearedRecordShowsTwoLinesAndTheTitledCaption)
{
    TagError error;
    error.Clear();
    EXPECT_EQ(error.Stream(), "0, , ");
    EXPECT_EQ(error.Mode(), Information);
    error.setSource("Read Tag");
    error.setDescription("The file contains no tag.");

    Platform::MessageBoxRecorder recorder;
    error.Show("Editor");
    ASSERT_EQ(recorder.boxes().size(), 1u);
    EXPECT_EQ(recorder.boxes()[0].text, "Read Tag\r\nThe file contains no tag.");
    EXPECT_EQ(recorder.boxes()[0].icon, MsgIcon::Information);
    EXPECT_EQ(recorder.boxes()[0].caption, "Quaver Reader Writer : Editor");
    EXPECT_EQ(std::string(LibraryDescription), "Quaver Reader Writer");
}

TEST(TagErrorTest, IconFollowsTheMode)
{
    TagError error;
    Platform::MessageBoxRecorder recorder;
    error.setMode(Exclamation);
    error.Show();
    error.setMode(static_cast<ErrorConstants>(7));
    error.Show();
    error.setMode(Critical);
    error.Show();
    ASSERT_EQ(recorder.boxes().size(), 3u);
    EXPECT_EQ(recorder.boxes()[0].icon, MsgIcon::Warning);
    EXPECT_EQ(recorder.boxes()[1].icon, MsgIcon::Information);
    EXPECT_EQ(recorder.boxes()[2].icon, MsgIcon::Critical);
}

TEST(TagErrorTest, CopyErrorTakesTheRuntimeErrorOrNothing)
{
    TagError error;
    error.setMode(Exclamation);
    error.setSource("kept");
    EXPECT_FALSE(error.CopyError(nullptr));
    EXPECT_EQ(error.Source(), "kept");
    EXPECT_EQ(error.Mode(), Exclamation);
    EXPECT_EQ(error.Number(), -1);

    const Platform::RuntimeError overflow = Platform::RuntimeError::overflow("Quaver");
    EXPECT_TRUE(error.CopyError(&overflow));
    EXPECT_EQ(error.Number(), 6);
    EXPECT_EQ(error.Source(), "Quaver");
    EXPECT_EQ(error.Description(), "Overflow");
    EXPECT_EQ(error.Mode(), Critical);
    EXPECT_EQ(error.Stream(), "6, Quaver, Overflow");
}
