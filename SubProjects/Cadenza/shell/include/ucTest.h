#pragma once

#include "IFrame.h"

#include <QWidget>

class QLabel;
class QPushButton;

// A placeholder panel: an icon and a button without function. It implements
// the panel contract but is never placed on the main window.
class ucTest : public QWidget, public IFrame
{
    Q_OBJECT

public:
    explicit ucTest(QWidget* parent = nullptr);

    QLabel* AppImage() override { return imgIcon; }
    QString AppImageKey() override { return Key(); }
    QString AppNodeText() override { return "Test application"; }
    QString Key() override { return objectName(); }
    bool HasImage() override { return true; }
    bool SupportsResize() override { return false; }

private:
    QLabel* imgIcon;
    QPushButton* Command1;
};
