#include <QApplication>

#include "editor/qt_prompts.h"
#include "editor/quendry_app.h"
#include "editor/teditmain.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("QuendryEdit");
    // Secondary windows may still be open when the main window closes; the program ends anyway.
    QApplication::setQuitOnLastWindowClosed(false);

    QtPrompts prompts;
    QtFileChooser files;
    QuendryApp quendry(prompts, files);
    quendry.createWindows(argc > 1 ? std::string(argv[1]) : std::string());
    QObject::connect(quendry.mainWindow.get(), &TEditMain::programEnding, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    return app.exec();
}
