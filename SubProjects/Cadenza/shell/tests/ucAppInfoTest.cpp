#include "ucAppInfo.h"
#include "ucTest.h"

#include "ErrorNumber.h"
#include "Platform/Twips.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

Platform::VersionInfo version(int major, int minor, int revision)
{
    Platform::VersionInfo info;
    info.title = "Legato";
    info.description = "Legato ID3v1 tag editor";
    info.copyright = "Copyright (C) 2026 The Legato developers";
    info.major = major;
    info.minor = minor;
    info.revision = revision;
    return info;
}

QString labelText(QWidget& panel, const char* name)
{
    return panel.findChild<QLabel*>(name)->text();
}

} // namespace

TEST(ucAppInfo, ShowingFillsTheTextsFromTheVersionInformationAgainEachTime)
{
    Platform::VersionInfo current = version(1, 0, 5);
    ucAppInfo panel(nullptr, [&] { return current; });
    panel.show();
    EXPECT_EQ(labelText(panel, "lblTitle"), "Legato");
    EXPECT_EQ(labelText(panel, "lblProgramVersion"), "1.0.5");
    EXPECT_EQ(labelText(panel, "lblCopyright"), "Copyright (C) 2026 The Legato developers");
    const QString description = "Legato helps You to handle MP3-Tags. It supports ID3v1.0 and ID3v1.1 tags. "
                                "Select an Item to the left to access the features of the program.";
    EXPECT_EQ(labelText(panel, "lblDescription"), description);
    EXPECT_EQ(labelText(panel, "lblDisclaimer"), "");

    current = version(0, 8, 0);
    panel.hide();
    panel.show();
    EXPECT_EQ(labelText(panel, "lblProgramVersion"), "0.8.0");
    EXPECT_EQ(labelText(panel, "lblDescription"), description);
}

TEST(ucAppInfo, ContractValues)
{
    ucAppInfo panel(nullptr, [] { return version(1, 0, 0); });
    IFrame& frame = panel;
    EXPECT_EQ(frame.Key(), "ucAppInfo");
    EXPECT_EQ(frame.AppImageKey(), "ucAppInfo");
    EXPECT_EQ(frame.AppNodeText(), "Legato");
    EXPECT_EQ(frame.AppDescription(), "Legato ID3v1 tag editor");
    EXPECT_EQ(frame.AppImage(), panel.findChild<QLabel*>("imgAppImage"));
    EXPECT_FALSE(frame.AppImage()->pixmap().isNull());
    EXPECT_TRUE(frame.HasImage());
    EXPECT_TRUE(frame.SupportsResize());
    // The title is the label's current caption: empty until shown.
    EXPECT_EQ(frame.AppTitle(), "");
    panel.refresh();
    EXPECT_EQ(frame.AppTitle(), "Legato");
    EXPECT_EQ(errorNumber([&] { frame.ShowInMenu(); }), Platform::ErrNotImplemented);
    EXPECT_EQ(errorNumber([&] { frame.BaseNodeKey(); }), Platform::ErrNotImplemented);
    EXPECT_EQ(errorNumber([&] { frame.AppMenu(); }), Platform::ErrNotImplemented);
}

TEST(ucAppInfo, ResizingMovesOnlyTheExitButtonToTheInnerCorner)
{
    ucAppInfo panel(nullptr, [] { return version(1, 0, 0); });
    panel.show();
    auto* exit = panel.findChild<QPushButton*>("cmdExit");
    QLabel* title = panel.findChild<QLabel*>("lblTitle");
    const QSize buttonSize = exit->size();
    const QRect titleGeometry = title->geometry();
    const int gap = Platform::twipsToPixels(100);

    panel.resize(640, 420);
    EXPECT_EQ(exit->geometry(),
              QRect(QPoint(640 - buttonSize.width() - gap, 420 - buttonSize.height() - gap), buttonSize));
    EXPECT_EQ(title->geometry(), titleGeometry);

    panel.resize(buttonSize.width(), 420);
    EXPECT_LT(exit->x(), 0);
}

TEST(ucAppInfo, ExitButtonRaisesExitApplication)
{
    ucAppInfo panel(nullptr, [] { return version(1, 0, 0); });
    QSignalSpy exitRequests(&panel, &ucAppInfo::ExitApplication);
    panel.findChild<QPushButton*>("cmdExit")->click();
    EXPECT_EQ(exitRequests.count(), 1);
}

TEST(ucTest, ContractValues)
{
    ucTest panel;
    IFrame& frame = panel;
    EXPECT_EQ(frame.Key(), "ucTest");
    EXPECT_EQ(frame.AppImageKey(), "ucTest");
    EXPECT_EQ(frame.AppNodeText(), "Test application");
    EXPECT_EQ(frame.AppImage(), panel.findChild<QLabel*>("imgIcon"));
    EXPECT_TRUE(frame.HasImage());
    EXPECT_FALSE(frame.SupportsResize());
    EXPECT_EQ(panel.findChild<QPushButton*>("Command1")->text(), "Command1");
    EXPECT_EQ(errorNumber([&] { frame.AppTitle(); }), Platform::ErrNotImplemented);
    EXPECT_EQ(errorNumber([&] { frame.AppDescription(); }), Platform::ErrNotImplemented);
    EXPECT_EQ(errorNumber([&] { frame.ShowInMenu(); }), Platform::ErrNotImplemented);
}

TEST(ucAppInfo, ANarrowPanelWrapsItsTextsAndScrollsWhatDoesNotFit)
{
    Platform::VersionInfo info = version(1, 0, 5);
    info.copyright = "Copyright (C) 2026 The Legato developers. Free to use, change and pass on.";
    ucAppInfo panel(nullptr, [&] { return info; });
    panel.resize(512, 280);
    panel.show();
    auto* area = panel.findChild<QScrollArea*>("scrInfo");
    QWidget* body = area->widget();
    // The designed size has room for everything.
    EXPECT_EQ(area->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(area->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(area->focusPolicy(), Qt::NoFocus);

    for (const int width : {400, 250}) {
        panel.resize(width, 280);
        // Narrower: the texts wrap rather than run out sideways ...
        EXPECT_EQ(area->horizontalScrollBar()->maximum(), 0) << width;
        for (const char* name : {"lblTitle", "lblDescription", "lblProgramVersion", "lblCopyright"}) {
            const QLabel* text = panel.findChild<QLabel*>(name);
            EXPECT_TRUE(text->parentWidget()->rect().contains(text->geometry())) << name << width;
            EXPECT_TRUE(body->rect().contains(QRect(text->mapTo(body, QPoint(0, 0)), text->size())))
                << name << width;
            EXPECT_GE(text->height(), text->heightForWidth(text->width())) << name << width;
        }
    }
    // ... and what then does not fit below can be scrolled to.
    EXPECT_GT(area->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(area->focusPolicy(), Qt::StrongFocus);
    const QLabel* copyright = panel.findChild<QLabel*>("lblCopyright");
    EXPECT_LE(copyright->mapTo(body, QPoint(0, copyright->height())).y(), body->height());
    const QLabel* description = panel.findChild<QLabel*>("lblDescription");
    EXPECT_LE(description->mapTo(body, QPoint(0, description->height())).y(),
              panel.findChild<QWidget*>("fraVersions")->y());
}
