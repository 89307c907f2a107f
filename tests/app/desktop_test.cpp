#include "app/mainwindow.h"
#include "testsupport.h"

#include <QAccessible>
#include <QSignalSpy>

class DesktopTest : public QObject
{
    Q_OBJECT
    FakeMessages messages;
    app::MainWindow w{messages};
private slots:
    void init() { QApplication::setPalette(QPalette(QColor(49, 54, 59))), w.övrigt_Click(); }
    void table_data()
    {
        QTest::addColumn<QString>("seen"); // the row's name: a control, and what is done to it
        QTest::newRow("frmAbout") << "Dialog|About Drevkalk|";
        QTest::newRow("picIcon") << "Graphic|Drevkalks ikon, en hastighetsmätare|";
        QTest::newRow("File1") << "List|Sparade hojar|Här finns de hojar som är sparade";
        QTest::newRow("Text1 menu") << "&Ångra\tCtrl+Z|&Gör om\tCtrl+Y||Klipp &ut\tCtrl+X|"
            "&Kopiera\tCtrl+C|Klistra &in\tCtrl+V|Ta bort||Markera alla\tCtrl+A";
        for (const char* button : {"Beräkna", "ny1", "spara1", "tabort1", "bort"})
            for (const char* key : {"Return", "Num+Enter", "Space"})
                QTest::addRow("%s %s", button, key) << "pressed";
        for (const char* text : {"Drevkalk", "Text1", "primär", "File1", "TrFilnamn", "Beräkna"})
            QTest::addRow("%s contrast", text) << "";
    }
    void table()
    {
        QStringList shown, row = QString(QTest::currentDataTag()).split(' '); // control, act
        const QString act = row.value(1);
        const QWidgetList all = QApplication::allWidgets();
        QWidget* target = *std::ranges::find(all, row[0], &QObject::objectName);
        const auto lum = [&](QPalette::ColorRole role) { // relative luminance, gamma 2.2
            const QColor c = target->palette().color(role);
            return 0.05 + 0.2126 * std::pow(c.redF(), 2.2) + 0.7152 * std::pow(c.greenF(), 2.2) +
                   0.0722 * std::pow(c.blueF(), 2.2);
        };
        if (act == "menu") {
            QContextMenuEvent click(QContextMenuEvent::Keyboard, {}, target->mapToGlobal(QPoint()));
            QApplication::sendEvent(target, &click);
            for (QAction* action : QApplication::activePopupWidget()->actions())
                shown << action->text();
            QApplication::activePopupWidget()->close();
        } else if (act.isEmpty()) {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(target);
            shown << QMetaEnum::fromType<QAccessible::Role>().valueToKey(face->role())
                  << face->text(QAccessible::Name) << face->text(QAccessible::Description);
        } else if (act == "contrast") { // text, selected text, button text: 4.5:1 at least
            for (auto [text, back] : {std::pair{QPalette::Text, QPalette::Base},
                                      {QPalette::HighlightedText, QPalette::Highlight},
                                      {QPalette::ButtonText, QPalette::Button}})
                QVERIFY(std::max(lum(text), lum(back)) >= 4.5 * std::min(lum(text), lum(back)));
            const QImage dark = target->grab().toImage(); // and the same under the default palette
            QApplication::setPalette(QPalette());
            shown << (target->grab().toImage() == dark ? "" : "changed");
        } else {
            QSignalSpy pressed(target, SIGNAL(clicked()));
            QTest::keySequence(target, QKeySequence(act));
            shown << (pressed.count() == 1 ? "pressed" : "");
        }
        QTEST(shown.join('|'), "seen");
    }
};

DREVKALK_TEST_MAIN(DesktopTest)
#include "desktop_test.moc"
