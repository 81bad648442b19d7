#include <QApplication>
#include <QIcon>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "editor/editor_command_line.h"
#include "editor/quendry_app.h"
#include "editor/script_driver.h"
#include "recovery/recovery_keeper.h"
#include "recovery/recovery_offer.h"
#include "editor/teditmain.h"
#include "map/tfrmmap.h"
#include "quendry_version.h"
#include "uibase/qt_prompts.h"
#include "world/platform_files.h"

namespace {

// Start-up timing (bench/startup_bench.cpp): with QUENDRY_REPORT_READY set in the
// environment the program prints "ready: N rooms" on stdout and ends as soon as the main window
// is on screen (exposed), the command-line file has been read and the events queued
// until then have been handled. It is not an option, so --help does not show it.
void reportWhenReady(TEditMain* main) {
    QTimer::singleShot(1, main, [main] {
        const QWindow* window = main->windowHandle();
        // Not from inside a message box's loop either: the window is not usable then.
        if (!window || !window->isExposed() || !main->startupFileHandled() ||
            QThread::currentThread()->loopLevel() > 1) {
            reportWhenReady(main);
            return;
        }
        QCoreApplication::processEvents();
        std::printf("ready: %zu rooms\n", main->store().size());
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
}

}  // namespace

int main(int argc, char** argv) {
    // Read before QApplication exists: --help and --version need no display.
    const EditorCommandLine command = parseEditorCommandLine(platform::commandLineArguments(argc, argv));
    switch (command.action) {
    case EditorCommandLine::Action::Help:
        std::fputs(editorHelpText(), stdout);
        return EXIT_SUCCESS;
    case EditorCommandLine::Action::Version:
        std::printf("quendryedit %s (Qt %s)\n", QUENDRY_VERSION, qVersion());
        return EXIT_SUCCESS;
    case EditorCommandLine::Action::UsageError:
        std::fputs(editorUsageErrorText(command.error).c_str(), stderr);
        return 2;
    case EditorCommandLine::Action::ListRecovery:
        // The data directory is the application's: its name is all that is needed.
        QCoreApplication::setApplicationName("QuendryEdit");
        std::fputs(recoveryListText(recoveryDirectory()).c_str(), stdout);
        return EXIT_SUCCESS;
    case EditorCommandLine::Action::Run:
        break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("QuendryEdit");
    QApplication::setApplicationVersion(QUENDRY_VERSION);
    // Ties the windows to the installed desktop entry (its icon in a task bar).
    QGuiApplication::setDesktopFileName("quendryedit");
    // The icon the package installs in the hicolor theme; none when run from the build.
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("quendryedit")));
    // Secondary windows may still be open when the main window closes; the program ends anyway.
    QApplication::setQuitOnLastWindowClosed(false);

    QtPrompts qtPrompts;
    QtFileChooser qtFiles;
    QtRecoveryQuestion qtQuestion;
    // The tests' driver of a whole program (script_driver.h); nothing without its variable.
    std::unique_ptr<ScriptDriver> driver = ScriptDriver::fromEnvironment();
    Prompts& prompts = driver ? driver->prompts() : static_cast<Prompts&>(qtPrompts);
    FileChooser& files = driver ? driver->files() : static_cast<FileChooser&>(qtFiles);
    RecoveryQuestion& question = driver ? driver->question() : static_cast<RecoveryQuestion&>(qtQuestion);
    QuendryApp quendry(prompts, files);
    quendry.enableRecovery(recoveryDirectory(), question);
    quendry.createWindows(command.worldFile);
    // The map's zoom and view options, remembered between runs with the other windows' settings.
    quendry.mapWindow->setViewSettings(quendry.settings.get());
    if (driver) driver->start(quendry);
    QObject::connect(quendry.mainWindow.get(), &TEditMain::programEnding, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    if (std::getenv("QUENDRY_REPORT_READY")) reportWhenReady(quendry.mainWindow.get());
    const int status = app.exec();
    // A normal end: the unsaved work was given up with "Quit: Are you sure?".
    quendry.recovery->finish();
    return status;
}
