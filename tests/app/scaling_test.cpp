// moc cannot read identifiers with å, ä or ö, and need not see these headers.
#ifndef Q_MOC_RUN
#include "app/layout.h"
#include "app/mainwindow.h"
#include "platform/twips.h"
#endif
#include "testsupport.h"

#include <QAction>
#include <QLabel>

using app::MainWindow;

// Run at more than one scale factor (QT_SCALE_FACTOR): the layout in logical
// pixels is the same at every scale, and every caption still fits its box.
class ScalingTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { failOnAnyWarning(); }

    void layoutIsTheSameInLogicalPixels()
    {
        FakeMessages messages;
        MainWindow w(messages);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const qreal scale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                                ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                                : 1.0;
        QCOMPARE(w.devicePixelRatioF(), scale);
        QCOMPARE(w.centralWidget()->size(), QSize(297, 439));
        // A few places worked out by hand from the twips of the layout.
        QCOMPARE(w.findChild<QWidget*>("varv")->geometry(), QRect(73, 8, 57, 24));
        QCOMPARE(w.findChild<QWidget*>("Label3")->geometry(), QRect(144, 88, 73, 33));
        QCOMPARE(w.findChild<QWidget*>("sexanhast")->geometry(), QRect(152, 248, 57, 24));
        QCOMPARE(w.findChild<QWidget*>("File1")->geometry(), QRect(4, 368, 289, 70));
        QCOMPARE(w.findChild<QWidget*>("spara1")->geometry(), QRect(108, 472, 81, 33));
        for (const app::Control& c : app::controls())
            QCOMPARE(w.findChild<QWidget*>(QString::fromUtf8(c.name))->geometry(),
                     platform::toPixels(c.box.left, c.box.top, c.box.width, c.box.height));

        const QImage picture = w.centralWidget()->grab().toImage();
        QCOMPARE(picture.size(), QSize(qRound(297 * scale), qRound(439 * scale)));

        w.findChild<QAction*>("advanced")->trigger();
        QCOMPARE(w.centralWidget()->size(), QSize(297, 518));
    }

    void captionsFitAtThisScale()
    {
        FakeMessages messages;
        MainWindow w(messages);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (const app::Control& c : app::controls()) {
            auto* label = w.findChild<QLabel*>(QString::fromUtf8(c.name));
            if (!label)
                continue;
            const QRect needed = label->fontMetrics().boundingRect(
                label->rect(), Qt::TextWordWrap | label->alignment(), label->text());
            QVERIFY2(label->rect().contains(needed), qPrintable(QStringLiteral("%1 needs %2x%3")
                                                                    .arg(label->text())
                                                                    .arg(needed.width())
                                                                    .arg(needed.height())));
        }
    }
};

DREVKALK_TEST_MAIN(ScalingTest)
#include "scaling_test.moc"
