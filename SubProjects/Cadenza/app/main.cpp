#include "Panels.h"
#include "QtMessageBox.h"
#include "Translations.h"
#include "frmFrame.h"

#include "Platform/MessageBox.h"
#include "Platform/WindowMessages.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Legato");
    QApplication::setOrganizationName("Legato");
    QApplication::setWindowIcon(QIcon(":/legato/legato.png"));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName("legato");
    // The window speaks the user's language where a catalogue has it.
    Translations::Install(app, QLocale::system());
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
