#include "app/application.h"
#include "app/mainwindow.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// Without a display the toolkit would abort with a long message of its own.
bool displayAvailable()
{
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char* argv[])
{
    if (!displayAvailable()) {
        std::fputs("drevkalk: ingen skärm att visa fönstret på (varken DISPLAY eller "
                   "WAYLAND_DISPLAY är satt).\n",
                   stderr);
        return 1;
    }
    QApplication application(argc, argv);
    app::setUpApplication();

    app::MainWindow window;
    QObject::connect(&window, &app::MainWindow::closed, &application, &QApplication::quit,
                     Qt::QueuedConnection);
    window.show();
    return application.exec();
}
