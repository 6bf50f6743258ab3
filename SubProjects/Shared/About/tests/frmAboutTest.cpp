#include "About/frmAbout.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace {

Platform::VersionInfo legato(const std::string& comments, const std::string& copyright)
{
    Platform::VersionInfo info;
    info.title = "Legato";
    info.major = 0;
    info.minor = 8;
    info.revision = 0;
    info.comments = comments;
    info.copyright = copyright;
    return info;
}

} // namespace

TEST(frmAbout, LibraryVariantShowsVersionCommentsAndCopyright)
{
    frmAbout box(frmAbout::Variant::Library, legato("Scrolls things.", "(C) Us"));
    EXPECT_EQ(box.windowTitle(), "About Legato");
    EXPECT_EQ(box.lblTitle()->text(), "Legato");
    EXPECT_EQ(box.lblVersion()->text(), "Version 0.8.0");
    EXPECT_EQ(box.lblDescription()->text(), "Scrolls things.");
    EXPECT_EQ(box.lblDisclaimer()->text(), "(C) Us");
    EXPECT_EQ(box.icon()->objectName(), "picAppIcon");
    EXPECT_EQ(box.findChildren<QFrame*>("Line1").size(), 2);
}

TEST(frmAbout, LibraryVariantWithoutCommentsOrCopyrightLeavesBothLinesEmpty)
{
    frmAbout box(frmAbout::Variant::Library, legato("", ""));
    EXPECT_EQ(box.lblDescription()->text(), "");
    EXPECT_EQ(box.lblDisclaimer()->text(), "");
}

TEST(frmAbout, ProgramVariantKeepsItsCreditLineAndEmptyDisclaimer)
{
    frmAbout box(frmAbout::Variant::Program, legato("ignored", "ignored too"));
    EXPECT_EQ(box.windowTitle(), "About Legato");
    EXPECT_EQ(box.lblVersion()->text(), "Version 0.8.0");
    EXPECT_EQ(box.lblDescription()->text(), QString::fromUtf8(frmAbout::ProgramCredit));
    EXPECT_EQ(box.lblDisclaimer()->text(), "");
    EXPECT_EQ(box.icon()->objectName(), "picIcon");
}

TEST(frmAbout, DescribesTheModuleAnAddressBelongsTo)
{
    // The about library's own block, read from its file.
    frmAbout box(frmAbout::Variant::Library, &frmAbout::staticMetaObject);
    EXPECT_EQ(box.windowTitle(), "About LegatoAbout");
    EXPECT_EQ(box.lblDisclaimer()->text(), "Copyright (C) 2026 The Legato developers");
    EXPECT_TRUE(box.lblVersion()->text().startsWith("Version "));

    frmAbout none(frmAbout::Variant::Library, std::nullopt, "fallback");
    EXPECT_EQ(none.windowTitle(), "About fallback");
    EXPECT_EQ(none.lblVersion()->text(), "Version 0.0.0");
}

TEST(frmAbout, OkEnterAndEscapeCloseTheModalBox)
{
    for (int way = 0; way < 3; ++way) {
        frmAbout box(frmAbout::Variant::Program, legato("", ""));
        QTimer::singleShot(0, [&box, way] {
            if (way == 0)
                box.cmdOK()->click();
            else
                QTest::keyClick(&box, way == 1 ? Qt::Key_Return : Qt::Key_Escape);
        });
        box.exec();
        EXPECT_FALSE(box.isVisible()) << way;
    }
}
