#include "testsupport.h"

#include <QLabel>

// The About window while it is loaded, found like any window of the program.
QWidget* aboutWindow()
{
    QWidget* found = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == "frmAbout")
            found = found ? (qFatal("two About windows"), nullptr) : widget;
    return found;
}
QString shown(const char* label) { return aboutWindow()->findChild<QLabel*>(label)->text(); }
void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class AboutTest : public QObject
{
    Q_OBJECT

private slots:
    // "Om" loads the window once and shows it again; "Stäng" hides it; a close through the
    // title bar unloads it; closing the main window ends it.
    void lifeCycle()
    {
        Window w;
        w.menu("övrigt");
        QWidget* dialog = aboutWindow();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QCOMPARE(dialog->windowTitle() + "|" + shown("lblTitle") + "|" + shown("lblVersion") + "|"
                     + shown("lblDescription") + "|" + shown("lblDisclaimer"),
                 "About Drevkalk|Drevkalk|Version 1.1.2|Ett nödvändigt ont för den som verkligen "
                 "inte tycker att det är nån ide' att ta fram miniräknaren när det är dags att dreva "
                 "om hojen.|Varning: Jag har inte den blekaste aning om ifall detta får "
                 "distrubueras hur som helst.");
        auto* stäng = dialog->findChild<QPushButton*>("bort");
        QVERIFY(stäng->text() == "Stäng" && stäng->font().underline() && !dialog->isModal());
        QVERIFY(dialog->size() == QSize(329, 215) && dialog->minimumSize() == dialog->maximumSize());
        QCOMPARE(dialog->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint), 0);
        QVERIFY(dialog->windowIcon().cacheKey() != w.windowIcon().cacheKey());
        QCOMPARE(dialog->windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
        QCOMPARE(stäng->geometry(), QRect(232, 152, 89, 57));
        QCOMPARE(dialog->findChild<QLabel*>("picIcon")->geometry(), QRect(16, 16, 36, 36));
        // The desktop colour behind everything, the separator white over grey to the right edge.
        const QImage picture = dialog->grab().toImage();
        for (auto [x, y, colour] : {std::tuple{320, 5, QColor(0, 128, 128)},
                 {200, 136, QColor(Qt::white)}, {328, 136, QColor(Qt::white)},
                 {51, 51, QColor(0, 128, 128)}})
            QCOMPARE(picture.pixelColor(x, y), colour);
        // Escape does nothing; Enter presses "Stäng" only while it has the focus.
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        stäng->clearFocus();
        QTest::keyClick(dialog, Qt::Key_Return);
        stäng->setFocus();
        QTest::keyClick(stäng, Qt::Key_Escape);
        QVERIFY(dialog->isVisible());
        QTest::keyClick(stäng, Qt::Key_Return);
        QVERIFY(!dialog->isVisible());
        w.menu("övrigt");
        w.menu("övrigt");
        QVERIFY(aboutWindow() == dialog && dialog->isVisible()); // the same window, not loaded anew
        QVERIFY(dialog->close());
        settle();
        QCOMPARE(aboutWindow(), nullptr);
        w.menu("övrigt");
        QCOMPARE(shown("lblVersion"), "Version 1.1.2");
        aboutWindow()->findChild<QPushButton*>("bort")->click();
        QVERIFY(w.close()); // with the window hidden
        settle();
        QCOMPARE(aboutWindow(), nullptr);
        Window open;
        open.menu("övrigt");
        QVERIFY(open.close());
        settle();
        for (QWidget* widget : QApplication::topLevelWidgets())
            QVERIFY(!widget->isVisible());
    }
};

DREVKALK_TEST_MAIN(AboutTest)
#include "about_test.moc"
