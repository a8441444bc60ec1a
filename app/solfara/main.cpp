#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Solfara 2.5");
    window.resize(500, 500);
    window.show();
    return app.exec();
}
