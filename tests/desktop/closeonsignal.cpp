// Preloaded into the real program by check.sh. SIGUSR1 closes every window, as a user closing the
// main window does, so the program ends through its own code and returns from main: only then do
// the leak checker and the other exit checks of a sanitizer build run (a program killed by a
// signal is never checked). With DREVKALK_PLANT_LEAK set it also loses 128 bytes on the way out,
// which the leak checker must report: the proof that it still watches the program on Wayland.
#include <QApplication>
#include <QTimer>

#include <csignal>
#include <cstdlib>

namespace {

volatile std::sig_atomic_t closeRequested = 0;

void* volatile planted = nullptr;

[[gnu::noinline]] void plantLeak()
{
    planted = std::realloc(nullptr, 128);
    planted = nullptr;
}

// Caught from the moment the library is loaded: a signal that comes before the window is kept.
[[gnu::constructor]] void catchSignal()
{
    std::signal(SIGUSR1, [](int) { closeRequested = 1; });
}

// A signal handler may not call Qt: the event loop looks at the flag instead, from its start,
// when the program has shown its window.
void closeOnSignal()
{
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [] {
        if (!closeRequested)
            return;
        closeRequested = 0;
        if (qEnvironmentVariableIsSet("DREVKALK_PLANT_LEAK"))
            plantLeak();
        QApplication::closeAllWindows();
    });
    poll->start(50);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(closeOnSignal)
