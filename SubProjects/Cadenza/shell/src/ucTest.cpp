#include "ucTest.h"

#include "Platform/Twips.h"
#include "TwipsLayout.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

ucTest::ucTest(QWidget* parent) : QWidget(parent)
{
    setObjectName("ucTest");
    imgIcon = new QLabel(this);
    imgIcon->setObjectName("imgIcon");
    imgIcon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 32));
    imgIcon->setGeometry(Platform::twipsToPixels(120), Platform::twipsToPixels(120), 32, 32);
    Command1 = new QPushButton("Command1", this);
    Command1->setObjectName("Command1");
    placeTwips(Command1, 120, 840, 1215, 375);
    resize(Platform::twipsToPixels(4800), Platform::twipsToPixels(3600));
}
