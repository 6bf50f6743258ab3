// A window with one Vellum showing a content pane larger than itself, to look
// at the control: vellum-demo [slider-appearance] [vertical-position].
#include "Vellum/Vellum.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Vellum"));
    auto* central = new QWidget(&window);
    window.setCentralWidget(central);
    window.resize(480, 360);

    auto* scrPanel = new VellumCtl::Vellum(central);
    scrPanel->setObjectName(QStringLiteral("scrPanel"));
    scrPanel->InitProperties();
    scrPanel->setAutoResize(true);
    if (argc > 1)
        scrPanel->setSliderAppereance(QString::fromLocal8Bit(argv[1]).toInt());

    auto* pane = new VellumCtl::PictureBox(central);
    pane->setAutoFillBackground(true);
    QPalette palette = pane->palette();
    palette.setColor(QPalette::Window, QColor(0xFF, 0xF8, 0xE7));
    pane->setPalette(palette);
    auto* grid = new QGridLayout(pane);
    for (int row = 0; row < 12; ++row) {
        for (int column = 0; column < 6; ++column)
            grid->addWidget(new QLabel(QStringLiteral("Cell %1, %2").arg(row + 1).arg(column + 1), pane), row,
                            column);
    }
    pane->resize(720, 520);
    scrPanel->setScrollContent(pane);

    window.show();
    if (argc > 2)
        scrPanel->setSliderVertValue(QString::fromLocal8Bit(argv[2]).toInt());
    return app.exec();
}
