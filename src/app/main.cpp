#include "app/application.h"
#include "app/mainwindow.h"

#include <QApplication>
#include <QByteArray>
#include <QList>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <utility>

namespace {

// While the toolkit opens the display its messages are held back. When no
// display can be opened (DISPLAY names no server, Wayland without its plugin
// and without XWayland) Qt ends in a fatal message, a list of plugins and an
// abort; Drevkalk says instead, in one line, why it cannot show its window.
struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};
std::mutex heldLock;
QList<HeldMessage> held;

const char* valueOf(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value ? value : "inte satt";
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr,
                     "drevkalk: ingen skärm gick att öppna för fönstret (DISPLAY: %s, "
                     "WAYLAND_DISPLAY: %s).\n",
                     valueOf("DISPLAY"), valueOf("WAYLAND_DISPLAY"));
        std::_Exit(1);
    }
    const std::lock_guard lock(heldLock);
    held.append({type, context.category, text});
}

} // namespace

int main(int argc, char* argv[])
{
    const QtMessageHandler previous = qInstallMessageHandler(holdMessage);
    QApplication application(argc, argv);
    qInstallMessageHandler(previous);
    // The display is open: what Qt said on the way is passed on as it was.
    for (const HeldMessage& m : std::exchange(held, {})) {
        const char* category = m.category.isNull() ? nullptr : m.category.constData();
        previous(m.type, QMessageLogContext(nullptr, 0, nullptr, category), m.text);
    }
    app::setUpApplication();

    app::MainWindow window;
    QObject::connect(&window, &app::MainWindow::closed, &application, &QApplication::quit,
                     Qt::QueuedConnection);
    window.show();
    return application.exec();
}
