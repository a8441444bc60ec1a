#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Beatwise");
    window.resize(400, 220);
    window.show();
    return app.exec();
}
