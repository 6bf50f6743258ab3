#include "Panels.h"
#include "QtMessageBox.h"
#include "frmFrame.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Legato");
    QApplication::setOrganizationName("Legato");
    QApplication::setWindowIcon(QIcon(":/legato/legato.png"));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName("legato");
    QtMessageBox::install();

    frmFrame window(createPanels());
    window.show();
    return app.exec();
}
