#include "ui/main_window.h"
#include "ui/qt_platform_services.h"

#include <QApplication>
#include <QCommandLineParser>

#include <string_view>

namespace {

void describeArguments(QCommandLineParser& arguments)
{
    arguments.setApplicationDescription(QCoreApplication::translate(
        "main", "Glass electrode calibration for low pH and adjustment of electrode readings"));
    arguments.addHelpOption();
    arguments.addVersionOption();
    arguments.addPositionalArgument("CALFILE", QCoreApplication::translate("main", "Data for calibration to load."),
                                    "[CALFILE");
    arguments.addPositionalArgument("ADJFILE", QCoreApplication::translate("main", "Data for adjustment to load."),
                                    "[ADJFILE]]");
}

// Options that only print need no display, which a QApplication cannot start without.
bool onlyPrints(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i)
        for (const std::string_view option : {"-h", "--help", "-?", "--help-all", "-v", "--version"})
            if (argv[i] == option) return true;
    return false;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName("Quorlin");
    QCoreApplication::setApplicationVersion(QUORLIN_VERSION);
    QGuiApplication::setDesktopFileName("io.github.quorlin.Quorlin");
    QCommandLineParser arguments;
    describeArguments(arguments);
    if (onlyPrints(argc, argv)) {
        QCoreApplication app(argc, argv);
        arguments.process(app);  // prints, and ends the program
    }

    QApplication app(argc, argv);
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
