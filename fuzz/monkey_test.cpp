// monkey_test [seed [events]] (1, 3000): the whole window under random use (any text, pastes up
// to 70,000 characters, keys, clicks, menus, answers) in a panel directory holding links to a file
// outside it and to nothing. Fails when anything outside that directory changed, or on a crash.
#include "testsupport.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QRandomGenerator>
#include <QTemporaryDir>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    app::setUpApplication();
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    const quint32 seed = argc > 1 ? QByteArray(argv[1]).toUInt() : 1;
    const int events = argc > 2 ? QByteArray(argv[2]).toInt() : 3000;
    QRandomGenerator r(seed);
    const QTemporaryDir root;
    const QDir panel(root.filePath("panel"));
    QFile target(root.filePath("mål.hoj"));
    if (!panel.mkpath(".") || !target.open(QIODevice::WriteOnly) || !target.write("\"1\"") ||
        !target.link(panel.filePath("länk.hoj")) ||
        !QFile::link("../borta", panel.filePath("b.hoj")) || !QDir::setCurrent(panel.path()))
        return 2;
    target.close();
    FakeMessages messages;
    app::MainWindow window(messages);
    window.show();
    auto* list = window.findChild<QAbstractItemView*>("File1");
    const QList<QAction*> actions = window.findChildren<QAction*>();
    const Qt::Key keys[] = {Qt::Key_Tab,  Qt::Key_Backtab,   Qt::Key_Up,
                            Qt::Key_Down, Qt::Key_Backspace, Qt::Key_Return};
    const char32_t common[] = {'1',  ',',  '.',  ' ',  '"',    '\n',
                               '\r', U'å', U'€', 0xA0, 0x2029, 0x1F3CD};
    for (int event = 0; event < events; ++event) {
        messages.answer = r.bounded(2);
        QWidget* focus = window.focusWidget() ? window.focusWidget() : &window;
        QString text;
        for (int n = r.bounded(200) ? r.bounded(12) : r.bounded(70000); n > 0; --n) {
            const char32_t c = r.bounded(16) ? common[r.bounded(12)] : r.bounded(0x110000);
            text += c >= 0xD800 && c < 0xE000 ? QString(u'?') : QString::fromUcs4(&c, 1);
        }
        if (const int what = r.bounded(8); what == 0) {
            QApplication::clipboard()->setText(text); // over the whole text, or at the cursor
            QTest::keyClick(focus, Qt::Key_A, r.bounded(2) ? Qt::ControlModifier : Qt::AltModifier);
            QTest::keyClick(focus, Qt::Key_V, Qt::ControlModifier);
        } else if (what == 1) {
            QTest::sendKeyEvent(QTest::Click, focus, Qt::Key_unknown, text, Qt::NoModifier);
        } else if (what == 2) {
            QTest::keyClick(focus, keys[r.bounded(6)]);
        } else if (const int rows = list->model()->rowCount(); what == 3 && rows > 0) {
            const QRect entry = list->visualRect(list->model()->index(r.bounded(rows), 0));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
        } else if (what == 4) {
            actions[r.bounded(actions.size())]->trigger();
        } else if (what == 5) {
            window.fields().setText(calc::Field::TrFilnamn, r.bounded(2) ? "länk" : "b");
        } else if (what == 6) {
            const char* buttons[] = {"Beräkna", "ny1", "tabort1"};
            QTest::mouseClick(window.findChild<QWidget*>(buttons[r.bounded(3)]), Qt::LeftButton);
        } else if (what == 7) {
            QTest::mouseClick(window.findChild<QWidget*>("spara1"), Qt::LeftButton);
        }
    }
    const QStringList outside =
        QDir(root.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    if (!target.open(QIODevice::ReadOnly) || target.readAll() != "\"1\"" ||
        outside != QStringList{"mål.hoj", "panel"}) {
        qCritical("seed %u: something outside the panel directory changed: %s", seed,
                  qPrintable(outside.join(' ')));
        return 1;
    }
    std::printf("monkey: seed %u, %d events\n", seed, events);
}
