#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tarrowind Version 2"));
    window.resize(815, 599);
    window.show();
    return app.exec();
}
