// moc cannot read identifiers with å, ä or ö, and need not see these headers.
#ifndef Q_MOC_RUN
#include "app/mainwindow.h"
#endif
#include "testsupport.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>

using app::MainWindow;

namespace {

QString textOf(const MainWindow& w, const char* name)
{
    return w.findChild<QLineEdit*>(name)->text();
}

bool inView(const MainWindow& w, const char* name)
{
    return w.centralWidget()->rect().contains(w.findChild<QWidget*>(name)->geometry());
}

// The colour of the gradient band under a pixel column of the client area:
// band k covers the pixels 3(k - 1) to 3(k - 1) + 2.
QColor bandColour(int x)
{
    const int k = x / 3 + 1;
    return QColor(100 + k - 1, 0, 255 - k + 1);
}

} // namespace

class DisplayModesTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { failOnAnyWarning(); }

    void modesSetTheClientHeight()
    {
        FakeMessages messages;
        MainWindow w(messages);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const int width = w.width();

        w.findChild<QAction*>("advanced")->trigger();
        QCOMPARE(w.centralWidget()->size(), QSize(297, 518)); // 7770 twips
        QVERIFY(!w.findChild<QAction*>("easy")->isChecked());
        QVERIFY(w.findChild<QAction*>("advanced")->isChecked());
        for (const char* name : {"TrFilnamn", "ny1", "spara1", "tabort1", "File1"})
            QVERIFY2(inView(w, name), name);
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QCOMPARE(w.width(), width);

        w.findChild<QAction*>("easy")->trigger();
        QCOMPARE(w.centralWidget()->size(), QSize(297, 439)); // 6585 twips
        QVERIFY(w.findChild<QAction*>("easy")->isChecked());
        QVERIFY(!w.findChild<QAction*>("advanced")->isChecked());
        for (const char* name : {"TrFilnamn", "ny1", "spara1", "tabort1"})
            QVERIFY2(!inView(w, name), name);
        QVERIFY(inView(w, "File1"));
        QCOMPARE(w.minimumSize(), w.maximumSize());

        // Choosing the checked item again changes nothing.
        w.findChild<QAction*>("easy")->trigger();
        QCOMPARE(w.centralWidget()->size(), QSize(297, 439));
        QVERIFY(w.findChild<QAction*>("easy")->isChecked());
        QVERIFY(!w.findChild<QAction*>("advanced")->isChecked());
        w.findChild<QAction*>("advanced")->trigger();
        w.findChild<QAction*>("advanced")->trigger();
        QCOMPARE(w.centralWidget()->height(), 518);
        QVERIFY(w.findChild<QAction*>("advanced")->isChecked());
    }

    void menusLeaveTheFieldsAlone()
    {
        FakeMessages messages;
        MainWindow w(messages);
        auto& f = w.fields();
        f.setText(calc::Field::varv, "11000");
        f.setText(calc::Field::vev, "24");
        f.setText(calc::Field::koppling, "60");
        f.setText(calc::Field::framdrev, "14");
        f.setText(calc::Field::bakdrev, "40");
        f.setText(calc::Field::ettanutv, "1");
        f.setText(calc::Field::omkrets, "190");
        f.setText(calc::Field::Text1, "rad ett\nrad två");
        f.setText(calc::Field::TrFilnamn, "min hoj");
        w.Beräkna_Click();
        const std::string before = [&] {
            std::string all;
            for (const calc::FieldInfo& info : calc::fieldCatalogue)
                all += f.text(info.field) + '|';
            return all;
        }();

        for (const char* item :
             {"advanced", "inställningswe", "Omkretsen", "easy", "advanced", "easy"}) {
            w.findChild<QAction*>(item)->trigger();
            std::string now;
            for (const calc::FieldInfo& info : calc::fieldCatalogue)
                now += f.text(info.field) + '|';
            QCOMPARE(now, before);
        }
        QCOMPARE(textOf(w, "ettanhast"), QStringLiteral("175"));

        // "Kmh" and "Omkrets" set what is already there.
        QVERIFY(w.findChild<QAction*>("inställningswe")->isChecked());
        QVERIFY(w.findChild<QAction*>("Omkretsen")->isChecked());
        QVERIFY(!w.findChild<QAction*>("Axelhöjden")->isChecked());
        QVERIFY(w.findChild<QWidget*>("Label7")->isVisibleTo(&w));
        QVERIFY(!w.findChild<QWidget*>("Label12")->isVisibleTo(&w));
        for (const char* unit : {"Label4(0)", "Label4(4)", "Label4(5)"})
            QCOMPARE(w.findChild<QLabel*>(unit)->text(), QStringLiteral("kmh"));
    }

    void gradientBehindTheCaptions()
    {
        FakeMessages messages;
        MainWindow w(messages);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        QImage client = w.centralWidget()->grab().toImage();
        // Band 1 at the left edge, band 99 at the right, bands between.
        for (int x : {0, 1, 2, 28, 150, 294, 296})
            QCOMPARE(client.pixelColor(x, 100), bandColour(x));
        QCOMPARE(client.pixelColor(1, 100), QColor(100, 0, 255));
        QCOMPARE(client.pixelColor(296, 100), QColor(198, 0, 157));
        // Beneath a caption: the "kmh" of first gear, left of its text.
        QVERIFY(w.findChild<QWidget*>("Label4(4)")->geometry().contains(219, 140));
        QCOMPARE(client.pixelColor(219, 140), bandColour(219));

        // The strip that "Avancerat" uncovers is painted too.
        w.findChild<QAction*>("advanced")->trigger();
        client = w.centralWidget()->grab().toImage();
        QCOMPARE(client.height(), 518);
        QCOMPARE(client.pixelColor(290, 512), bandColour(290));
        QCOMPARE(client.pixelColor(100, 515), bandColour(100));
    }
};

DREVKALK_TEST_MAIN(DisplayModesTest)
#include "displaymodes_test.moc"
