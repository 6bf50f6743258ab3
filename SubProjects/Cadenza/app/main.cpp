#include "Panels.h"
#include "QtMessageBox.h"
#include "frmFrame.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Legato");
    QApplication::setOrganizationName("Legato");
    QtMessageBox::install();

    frmFrame window(createPanels());
    window.show();
    return app.exec();
}
