#include <QApplication>

#include "editor/qt_prompts.h"
#include "editor/quendry_app.h"
#include "editor/teditmain.h"
#include "world/platform_files.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("QuendryEdit");
    // Secondary windows may still be open when the main window closes; the program ends anyway.
    QApplication::setQuitOnLastWindowClosed(false);

    QtPrompts prompts;
    QtFileChooser files;
    QuendryApp quendry(prompts, files);
    const std::vector<std::string> arguments = platform::commandLineArguments(argc, argv);
    quendry.createWindows(arguments.size() > 1 ? arguments[1] : std::string());
    QObject::connect(quendry.mainWindow.get(), &TEditMain::programEnding, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    return app.exec();
}
