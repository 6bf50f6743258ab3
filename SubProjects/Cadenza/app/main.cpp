#include "Panels.h"
#include "QtMessageBox.h"
#include "frmFrame.h"

#include "Platform/MessageBox.h"
#include "Platform/WindowMessages.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Legato");
    QApplication::setOrganizationName("Legato");
    QApplication::setWindowIcon(QIcon(":/legato/legato.png"));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName("legato");
    QtMessageBox::install();
    // The player cannot be driven without a private window folder: say why.
    if (const std::string problem = Platform::WindowFolderProblem(); !problem.empty()) {
        std::fprintf(stderr, "cadenza: %s\n", problem.c_str());
        Platform::MsgBox({problem, "", Platform::MsgIcon::Warning});
    }

    frmFrame window(createPanels());
    window.show();
    return app.exec();
}
