#include "ui/main_window.h"
#include "ui/qt_platform_services.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quorlin");

    quorlin::QtPlatformServices platform;
    quorlin::MainWindow window(platform);
    platform.setParentWindow(&window);
    window.show();
    return QApplication::exec();
}
