#include "testsupport.h"

#include <QLabel>

namespace {

// The About dialog while it is loaded; found like any window of the program.
QWidget* aboutDialog()
{
    QWidget* found = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == "frmAbout")
            found = found ? (qFatal("two About dialogs"), nullptr) : widget;
    return found;
}

void settle() // lets a window that a close scheduled for deletion go
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class AboutTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { failOnAnyWarning(); }

    // "Om" loads the dialog once and shows it again; "Stäng" hides it; a close through the
    // title bar unloads it; closing the main window ends it.
    void lifeCycle()
    {
        Window w;
        QAction* om = w.findChild<QAction*>("övrigt");
        om->trigger();
        QWidget* dialog = aboutDialog();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QStringList texts{dialog->windowTitle()};
        for (const char* name : {"lblTitle", "lblVersion", "lblDescription", "lblDisclaimer"})
            texts << dialog->findChild<QLabel*>(name)->text();
        QCOMPARE(texts.join('|'), "About Drevkalk|Drevkalk|Version 1.1.2|Ett nödvändigt ont för den som verkligen inte tycker att det är nån ide' att ta fram miniräknaren när det är dags att dreva om hojen.|Varning: Jag har inte den blekaste aning om ifall detta får distrubueras hur som helst.");
        auto* stäng = dialog->findChild<QPushButton*>("bort");
        QCOMPARE(stäng->text(), QStringLiteral("Stäng"));
        QVERIFY(stäng->font().underline() && !dialog->parentWidget() && !dialog->isModal());
        QCOMPARE(dialog->size(), QSize(329, 215));
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        QCOMPARE(dialog->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint), 0);
        QVERIFY(dialog->windowIcon().cacheKey() != w.windowIcon().cacheKey());
        QCOMPARE(dialog->windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
        QCOMPARE(stäng->geometry(), QRect(232, 152, 89, 57));
        QCOMPARE(dialog->findChild<QLabel*>("picIcon")->geometry(), QRect(16, 16, 36, 36));
        // The desktop colour behind everything, the separator white over grey to the right edge.
        const QImage picture = dialog->grab().toImage();
        QCOMPARE(picture.pixelColor(320, 5), QColor(0, 128, 128));
        QCOMPARE(picture.pixelColor(200, 136), QColor(255, 255, 255));
        QCOMPARE(picture.pixelColor(328, 136), QColor(255, 255, 255));
        QCOMPARE(dialog->findChild<QLabel*>("picIcon")->grab().toImage().pixelColor(35, 35), QColor(0, 128, 128));

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
        om->trigger();
        QCOMPARE(aboutDialog(), dialog); // the same dialog, not loaded anew
        QVERIFY(dialog->isVisible());
        om->trigger();
        QCOMPARE(aboutDialog(), dialog);

        QVERIFY(dialog->close());
        settle();
        QCOMPARE(aboutDialog(), nullptr);
        om->trigger();
        QCOMPARE(aboutDialog()->findChild<QLabel*>("lblVersion")->text(), "Version 1.1.2");
        aboutDialog()->findChild<QPushButton*>("bort")->click();
        QVERIFY(w.close()); // with the dialog hidden
        settle();
        QCOMPARE(aboutDialog(), nullptr);
        Window shown;
        shown.findChild<QAction*>("övrigt")->trigger();
        QVERIFY(shown.close());
        settle();
        for (QWidget* widget : QApplication::topLevelWidgets())
            QVERIFY(!widget->isVisible());
    }
};

DREVKALK_TEST_MAIN(AboutTest)
#include "about_test.moc"
