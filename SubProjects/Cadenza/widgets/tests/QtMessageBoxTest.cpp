#include "QtMessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>
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

TEST(QtMessageBox, ShowsTheTagLibrarysLinesTranslated)
{
    QTranslator german;
    ASSERT_TRUE(german.load(QStringLiteral(":/i18n/legato_de.qm")));
    QCoreApplication::installTranslator(&german);
    // Number, source and description of a failed write, as the library puts them.
    EXPECT_EQ(QtMessageBox::boxText("0\r\nWrite Tag\r\nTag unknown."), "0\nTag schreiben\nTag unbekannt.");
    QCoreApplication::removeTranslator(&german);
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
