#include "frmInfo.h"
#include "RegistryFixture.h"

#include "Platform/Twips.h"
#include "Platform/VersionInfo.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTreeWidget>

namespace {

using frmInfoTest = RegistryFixture;

QStringList column(QTreeWidget* list, int index)
{
    QStringList texts;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        texts << list->topLevelItem(row)->text(index);
    return texts;
}

std::string ownFile()
{
    return Platform::ModuleFileName(reinterpret_cast<const void*>(&ownFile));
}

} // namespace

TEST_F(frmInfoTest, LoadListsTheSystemAndProgramRowsInOrder)
{
    frmInfo info;
    EXPECT_EQ(info.windowTitle(), "Information");
    auto* list = info.findChild<QTreeWidget*>("lvwInfo");
    ASSERT_EQ(list->columnCount(), 3);
    EXPECT_EQ(list->headerItem()->text(0), "Property");
    EXPECT_EQ(list->headerItem()->text(2), "Location");
    EXPECT_EQ(column(list, 0),
              (QStringList{"- General ---", "OS", "OS Version", "OS Major Version", "OS Minor Version",
                           "OS Build Number", "OS CSDVersion", "Computer Name", "User Name",
                           "- Applikation 'Information tests'---", "File Version"}));
    EXPECT_EQ(list->topLevelItem(0)->text(1), "-");
    EXPECT_TRUE(list->topLevelItem(0)->font(0).bold());
    EXPECT_FALSE(list->topLevelItem(1)->font(0).bold());
    EXPECT_TRUE(list->topLevelItem(1)->text(1).startsWith("Linux version: "));
    EXPECT_EQ(list->topLevelItem(2)->text(1), "Linux");
    EXPECT_TRUE(list->topLevelItem(9)->font(0).bold());
    EXPECT_EQ(list->topLevelItem(10)->text(1), "1.2.3");
    EXPECT_EQ(list->topLevelItem(10)->text(2), QString::fromStdString(ownFile()));
}

TEST_F(frmInfoTest, ComponentRowsShowRegistrationAndFileVersion)
{
    const std::string clsid = "{3C0F7C0A-1111-4E5E-8A44-2B1D0C9E7F01}";
    registerComponent("Quaver.FileHandler", clsid + "x", clsid, ownFile());
    frmInfo info;
    auto* list = info.findChild<QTreeWidget*>("lvwInfo");
    const int first = list->topLevelItemCount();
    for (const char* progId : {"Quaver.FileHandler", "Jukebox.API"}) {
        info.Add(progId, info.IsAppPresent(progId, "") ? "True" : "False", true, "");
        info.AddItem(progId);
    }
    ASSERT_EQ(list->topLevelItemCount(), first + 4);
    EXPECT_EQ(list->topLevelItem(first)->text(1), "True");
    EXPECT_EQ(list->topLevelItem(first + 1)->text(0), "File Version");
    EXPECT_EQ(list->topLevelItem(first + 1)->text(1), "1.2.3");
    EXPECT_EQ(list->topLevelItem(first + 1)->text(2), QString::fromStdString(ownFile()));
    EXPECT_EQ(list->topLevelItem(first + 2)->text(1), "False");
    EXPECT_EQ(list->topLevelItem(first + 3)->text(0), "File Version");
    EXPECT_EQ(list->topLevelItem(first + 3)->text(1), "");
    EXPECT_EQ(list->topLevelItem(first + 3)->text(2), "");
}

TEST_F(frmInfoTest, CopyPutsTheWholeListOnTheClipboardAsTabbedLines)
{
    frmInfo info;
    info.findChild<QPushButton*>("cmdCopyToClipboard")->click();
    const QString text = QApplication::clipboard()->text();
    EXPECT_EQ(text, info.clipboardText());
    const QStringList lines = text.split("\r\n");
    ASSERT_EQ(lines.size(), 1 + 11 + 1); // header, rows, empty text after the last break
    EXPECT_EQ(lines[0], "Property\tValue\tLocation\t");
    EXPECT_EQ(lines[1], "- General ---\t-\t\t");
    EXPECT_TRUE(lines[11].startsWith("File Version\t1.2.3\t/"));
    EXPECT_TRUE(lines[11].endsWith("\t"));
    EXPECT_EQ(lines[12], "");
}

TEST_F(frmInfoTest, ResizeKeepsButtonsAtTheBottomAndTheListAboveThem)
{
    frmInfo info;
    info.show();
    info.resize(640, 480);
    auto* list = info.findChild<QTreeWidget*>("lvwInfo");
    auto* ok = info.findChild<QPushButton*>("cmdOK");
    auto* copy = info.findChild<QPushButton*>("cmdCopyToClipboard");
    const int copyLeft = copy->x();
    EXPECT_EQ(list->x(), 0);
    EXPECT_EQ(list->width(), 640);
    EXPECT_EQ(ok->y(), 480 - ok->height() - Platform::twipsToPixels(50));
    EXPECT_EQ(copy->y(), 480 - copy->height() - Platform::twipsToPixels(50));
    EXPECT_EQ(list->height(), ok->y() - Platform::twipsToPixels(100));
    info.resize(500, 300);
    EXPECT_EQ(copy->x(), copyLeft);
    EXPECT_EQ(list->height(), ok->y() - Platform::twipsToPixels(100));

    // Its minimum keeps both buttons whole and some rows of the list in view.
    info.resize(10, 10);
    EXPECT_TRUE(info.rect().contains(ok->geometry())) << info.width() << "x" << info.height();
    EXPECT_TRUE(info.rect().contains(copy->geometry()));
    EXPECT_GE(list->height(), Platform::twipsToPixels(1500));
}
