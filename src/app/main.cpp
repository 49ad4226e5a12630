#include "ui/main_window.h"
#include "ui/qt_platform_services.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quorlin");
    QApplication::setApplicationVersion(QUORLIN_VERSION);

    QCommandLineParser arguments;
    arguments.setApplicationDescription(
        QApplication::translate("main", "Glass electrode calibration for low pH and adjustment of electrode readings"));
    arguments.addHelpOption();
    arguments.addVersionOption();
    arguments.addPositionalArgument("CALFILE", QApplication::translate("main", "Data for calibration to load."),
                                    "[CALFILE");
    arguments.addPositionalArgument("ADJFILE", QApplication::translate("main", "Data for adjustment to load."),
                                    "[ADJFILE]]");
    arguments.process(app);
    const QStringList files = arguments.positionalArguments();
    if (files.size() > 2) arguments.showHelp(2);

    quorlin::QtPlatformServices platform;
    quorlin::MainWindow window(platform);
    platform.setParentWindow(&window);
    window.show();
    window.openFiles(files);
    return QApplication::exec();
}
