// The baseline of the start-up benchmark: the least a Qt Widgets program of
// Drevkalk's kind does before its window is on the screen. One main window
// with a menu bar, thirty line edits and an empty list, nothing read from disk.
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("minimal"));
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("Arkiv"));
    file->addAction(QStringLiteral("Avsluta"), &application, &QApplication::quit);
    window.menuBar()->addMenu(QStringLiteral("Inställningar"))->addAction(QStringLiteral("Mode"));
    window.menuBar()->addAction(QStringLiteral("Om"));

    auto* client = new QWidget(&window);
    for (int i = 0; i < 30; ++i)
        (new QLineEdit(client))->setGeometry(8 + (i % 3) * 95, 8 + (i / 3) * 28, 90, 24);
    (new QListWidget(client))->setGeometry(4, 368, 289, 70);
    client->setFixedSize(297, 439);
    window.setCentralWidget(client);
    window.show();
    return application.exec();
}
