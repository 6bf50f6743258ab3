#include "QtMessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

TEST(QtMessageBox, ShowsTheRequestWithLineBreaksIconButtonsAndCaption)
{
    Platform::MessageBoxRequest request;
    request.text = "First line\r\nSecond line\rThird";
    request.caption = "Tag Error";
    request.icon = Platform::MsgIcon::Critical;
    request.buttons = Platform::MsgButtons::YesNo;
    const auto box = QtMessageBox::create(request);
    EXPECT_EQ(box->text(), "First line\nSecond line\nThird");
    EXPECT_EQ(box->windowTitle(), "Tag Error");
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    // Texts from files are shown as they are, never as markup.
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
}

TEST(QtMessageBox, EmptyCaptionNamesTheApplication)
{
    QApplication::setApplicationDisplayName("Legato");
    Platform::MessageBoxRequest request;
    request.text = "x";
    EXPECT_EQ(QtMessageBox::create(request)->windowTitle(), "Legato");
}

TEST(QtMessageBox, InstalledHandlerAnswersWithThePressedButton)
{
    QtMessageBox::install();
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        box->button(QMessageBox::No)->click();
    });
    Platform::MessageBoxRequest request;
    request.text = "Overwrite?";
    request.buttons = Platform::MsgButtons::YesNo;
    EXPECT_EQ(Platform::MsgBox(request), Platform::MsgResult::No);
    Platform::setMessageBoxHandler({});
}
