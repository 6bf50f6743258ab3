#include "Frames.h"
#include "IFrame.h"

#include "ErrorNumber.h"

#include <QLabel>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A panel that provides only what every panel must provide.
class MinimalPanel : public QWidget, public IFrame
{
public:
    QLabel* AppImage() override { return nullptr; }
    QString AppImageKey() override { return Key(); }
    QString AppNodeText() override { return "Minimal"; }
    QString Key() override { return objectName(); }
    bool HasImage() override { return false; }
    bool SupportsResize() override { return true; }
};

Frames::Entry memberFor(QWidget* control)
{
    auto member = std::make_shared<FrameMember>();
    member->setFrame(control);
    return member;
}

} // namespace

TEST(Frames, KeysMatchInAnyLetterCase)
{
    QWidget batch;
    Frames frames;
    EXPECT_FALSE(frames.HasFrame("ucBatch"));
    frames.Add(memberFor(&batch), "ucBatch");
    EXPECT_TRUE(frames.HasFrame("ucBatch"));
    EXPECT_TRUE(frames.HasFrame("UCBATCH"));
    EXPECT_TRUE(frames.HasFrame("ucbatch"));
    EXPECT_FALSE(frames.HasFrame("ucBatc"));
    EXPECT_FALSE(frames.HasFrame(""));
    EXPECT_EQ(frames.Item("UcBaTcH")->Frame(), &batch);
}

TEST(Frames, AddStoresANewEntryForTheSameControl)
{
    QWidget control;
    Frames frames;
    auto argument = memberFor(&control);
    auto added = frames.Add(argument, "a");
    EXPECT_NE(added, argument);
    EXPECT_EQ(added->Frame(), &control);
    EXPECT_EQ(frames.Item(1), added);

    // Without an object the entry refers to no control.
    EXPECT_EQ(frames.Add(nullptr, "b")->Frame(), nullptr);
}

TEST(Frames, EmptyKeyIsReachableOnlyByPositionAndEnumeration)
{
    QWidget a, b;
    Frames frames;
    frames.Add(memberFor(&a), "");
    frames.Add(memberFor(&b), "");
    EXPECT_EQ(frames.Count(), 2);
    EXPECT_FALSE(frames.HasFrame(""));
    EXPECT_EQ(frames.Item(2)->Frame(), &b);
    EXPECT_EQ(errorNumber([&] { frames.Item(""); }), Frames::ErrInvalidCall);
}

TEST(Frames, EnumerationKeepsInsertionOrderAcrossRemoval)
{
    QWidget a, b, c;
    Frames frames;
    frames.Add(memberFor(&c), "C");
    frames.Add(memberFor(&a), "A");
    frames.Add(memberFor(&b), "B");
    std::vector<QWidget*> seen;
    for (const auto& member : frames)
        seen.push_back(member->Frame());
    EXPECT_EQ(seen, (std::vector<QWidget*>{&c, &a, &b}));

    frames.Remove("a");
    frames.Remove(1);
    ASSERT_EQ(frames.Count(), 1);
    EXPECT_EQ(frames.Item(1)->Frame(), &b);
    EXPECT_FALSE(frames.HasFrame("A"));
}

TEST(Frames, FailedLookupsPassTheCollectionErrorToTheCaller)
{
    QWidget a;
    Frames frames;
    frames.Add(memberFor(&a), "ucAppInfo");
    EXPECT_EQ(errorNumber([&] { frames.Add(memberFor(&a), "UCAPPINFO"); }), Frames::ErrDuplicateKey);
    EXPECT_EQ(frames.Count(), 1);
    EXPECT_EQ(errorNumber([&] { frames.Item("missing"); }), Frames::ErrInvalidCall);
    EXPECT_EQ(errorNumber([&] { frames.Item(0); }), Frames::ErrSubscript);
    EXPECT_EQ(errorNumber([&] { frames.Item(2); }), Frames::ErrSubscript);
    EXPECT_EQ(errorNumber([&] { frames.Remove("missing"); }), Frames::ErrInvalidCall);
    EXPECT_EQ(errorNumber([&] { frames.Remove(5); }), Frames::ErrSubscript);
    EXPECT_EQ(frames.Count(), 1);
}

TEST(FrameMember, LetsGoOfADestroyedControlAndFindsTheContract)
{
    FrameMember member;
    {
        MinimalPanel panel;
        member.setFrame(&panel);
        ASSERT_NE(member.object(), nullptr);
        EXPECT_EQ(member.object()->AppNodeText(), "Minimal");
    }
    EXPECT_EQ(member.Frame(), nullptr);
    EXPECT_EQ(member.object(), nullptr);

    QWidget plain;
    member.setFrame(&plain);
    EXPECT_EQ(member.object(), nullptr);
}

TEST(IFrame, MembersAPanelDoesNotProvideFailWithNotImplemented)
{
    MinimalPanel panel;
    IFrame& frame = panel;
    const std::vector<std::function<void()>> members = {
        [&] { frame.AppDescription(); },     [&] { frame.AppTitle(); },
        [&] { frame.ShowInMenu(); },         [&] { frame.AppMenu(); },
        [&] { frame.AppIconText(); },        [&] { frame.BaseNodeKey(); },
        [&] { frame.setBaseNodeKey("k"); },  [&] { frame.BaseNodeText(); },
        [&] { frame.setBaseNodeText("t"); },
    };
    for (const auto& member : members)
        EXPECT_EQ(errorNumber(member), Platform::ErrNotImplemented);
}
