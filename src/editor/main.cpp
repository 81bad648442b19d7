#include <QApplication>

#include "editor/teditmain.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("QuendryEdit");
    TEditMain mainWindow;
    mainWindow.show();
    return app.exec();
}
