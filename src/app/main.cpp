#include <QApplication>

#include "shell/main_window.hpp"
#include "web/request_abort.hpp"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("delist"));
    delist::MainWindow window;
    // A Yes to the close question ends every request still in flight, so the program ends at once.
    QObject::connect(&window, &delist::MainWindow::close_confirmed,
                     [] { delist::set_requests_aborted(true); });
    window.show();
    window.start();
    return QApplication::exec();
}
