// moc cannot read identifiers with å, ä or ö, and need not see these headers.
#ifndef Q_MOC_RUN
#include "about/frmabout.h"
#include "app/mainwindow.h"
#endif
#include "testsupport.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

using about::AboutWindow;
using app::MainWindow;

namespace {

int shownTopLevels()
{
    int shown = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        shown += widget->isVisible();
    return shown;
}

// The About windows that exist, shown or hidden.
QList<AboutWindow*> aboutWindows()
{
    QList<AboutWindow*> found;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* about = qobject_cast<AboutWindow*>(widget))
            found << about;
    return found;
}

// Lets the window that a close has scheduled for deletion go.
void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class AboutTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { failOnAnyWarning(); }

    void opensWithTitleAndVersion()
    {
        FakeMessages messages;
        MainWindow w(messages);
        w.show();
        w.findChild<QAction*>("övrigt")->trigger();
        QCOMPARE(aboutWindows().size(), 1);
        AboutWindow* dialog = aboutWindows()[0];
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("About Drevkalk"));
        QCOMPARE(dialog->lblTitle->text(), QStringLiteral("Drevkalk"));
        QCOMPARE(dialog->lblVersion->text(), QStringLiteral("Version 1.1.2"));
        QVERIFY(dialog->lblDescription->text().contains(QStringLiteral("nån ide' att")));
        QVERIFY(dialog->lblDisclaimer->text().contains(QStringLiteral("distrubueras")));
        QCOMPARE(dialog->bort->text(), QStringLiteral("Stäng"));
        QVERIFY(dialog->bort->font().underline());
        QCOMPARE(dialog->parentWidget(), nullptr); // no owner window: modeless
        QVERIFY(!dialog->isModal());
        QCOMPARE(dialog->size(), QSize(329, 215));
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        QVERIFY(!(dialog->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(dialog->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(dialog->windowIcon().cacheKey() != w.windowIcon().cacheKey());
        QVERIFY(!dialog->picIcon->pixmap().isNull());

        // The desktop colour behind everything, the separator white over grey.
        const QImage picture = dialog->grab().toImage();
        QCOMPARE(picture.pixelColor(320, 5), about::desktopColour);
        QCOMPARE(picture.pixelColor(200, 136), QColor(255, 255, 255));
        QCOMPARE(picture.pixelColor(328, 136), QColor(255, 255, 255)); // to the right edge
        QCOMPARE(dialog->picIcon->grab().toImage().pixelColor(35, 35), about::desktopColour);
    }

    void loadRunsOnlyWhenTheDialogIsNotLoaded()
    {
        FakeMessages messages;
        MainWindow w(messages);
        w.show();
        w.övrigt_Click();
        AboutWindow* first = aboutWindows().value(0);

        // Opening it again leaves one dialog, in front.
        w.övrigt_Click();
        QCOMPARE(aboutWindows(), QList<AboutWindow*>{first});

        // "Stäng" hides it; the next opening shows the same dialog.
        QTest::mouseClick(first->bort, Qt::LeftButton);
        QVERIFY(!first->isVisible());
        w.övrigt_Click();
        QCOMPARE(aboutWindows(), QList<AboutWindow*>{first});
        QVERIFY(first->isVisible());

        // Closing it through the title bar unloads it; the next opening loads anew.
        QVERIFY(first->close());
        settle();
        QVERIFY(aboutWindows().isEmpty());
        w.övrigt_Click();
        QCOMPARE(aboutWindows().size(), 1);
        QCOMPARE(aboutWindows()[0]->lblVersion->text(), QStringLiteral("Version 1.1.2"));
    }

    void enterAndEscape()
    {
        FakeMessages messages;
        MainWindow w(messages);
        w.övrigt_Click();
        AboutWindow* dialog = aboutWindows().value(0);
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog));

        dialog->bort->clearFocus();
        QTest::keyClick(dialog, Qt::Key_Escape);
        QTest::keyClick(dialog, Qt::Key_Return);
        QVERIFY(dialog->isVisible());

        dialog->bort->setFocus();
        QTest::keyClick(dialog->bort, Qt::Key_Escape);
        QVERIFY(dialog->isVisible());
        QTest::keyClick(dialog->bort, Qt::Key_Return);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(aboutWindows(), QList<AboutWindow*>{dialog}); // hidden, not unloaded
    }

    void closingTheMainWindowEndsTheDialog_data()
    {
        QTest::addColumn<QString>("state");
        QTest::newRow("never opened") << "never";
        QTest::newRow("shown") << "shown";
        QTest::newRow("hidden") << "hidden";
    }

    void closingTheMainWindowEndsTheDialog()
    {
        QFETCH(QString, state);
        FakeMessages messages;
        MainWindow w(messages);
        w.show();
        if (state != "never")
            w.övrigt_Click();
        if (state == "hidden")
            aboutWindows().value(0)->bort->click();
        QSignalSpy closed(&w, &MainWindow::closed);
        QVERIFY(w.close());
        settle();
        QCOMPARE(closed.count(), 1);
        QCOMPARE(shownTopLevels(), 0);
        QVERIFY(aboutWindows().isEmpty());
    }

    void versionNumbersAsPlainIntegers()
    {
        QCOMPARE(about::versionText("1.01.0002"), QStringLiteral("Version 1.1.2"));
        QCOMPARE(about::versionText("1.1.2"), QStringLiteral("Version 1.1.2"));
        QCOMPARE(about::versionText("2.0.0"), QStringLiteral("Version 2.0.0"));
        QCOMPARE(about::versionText("3.10"), QStringLiteral("Version 3.10.0"));
    }
};

DREVKALK_TEST_MAIN(AboutTest)
#include "about_test.moc"
