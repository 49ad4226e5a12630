#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Low pH Glass Electode calibration and adjustment");
    window.show();
    return app.exec();
}
