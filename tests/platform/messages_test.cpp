#include "platform/messages.h"
#include "testsupport.h"

#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

class MessagesTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { failOnAnyWarning(); }

    // A message names files, and a file's name is text: a box shows markup as written, and
    // what it shows keeps the box on the screen.
    void showsTextAsWritten_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("question");
        QTest::newRow("font tag")
            << "Filen \"<font size=7 color=red>VIRUS!<br>ring.hoj\" kunde inte läsas" << false;
        QTest::newRow("img tag") << "<img src=x width=1500 height=1200>.hoj" << false;
        QTest::newRow("question with a tag") << "Radera <b>x.hoj</b>?" << true;
    }
    void showsTextAsWritten()
    {
        QFETCH(QString, text);
        QFETCH(bool, question);
        QString shown = "<no box>";
        QRect box;
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* messageBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            const auto* label = messageBox->findChild<QLabel*>("qt_msgbox_label");
            shown = label->textFormat() == Qt::PlainText ? label->text() : "<rich text>";
            box = messageBox->frameGeometry();
            messageBox->reject();
        });
        timer.start(0);
        if (question)
            platform::screenMessages().askYesNo(nullptr, "OJOJOJ!!!", text);
        else
            platform::screenMessages().warn(nullptr, text);
        QCOMPARE(shown, text);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(screen.contains(box), qPrintable(QStringLiteral("%1x%2 at %3,%4")
                                                      .arg(box.width())
                                                      .arg(box.height())
                                                      .arg(box.x())
                                                      .arg(box.y())));
    }
};

DREVKALK_TEST_MAIN(MessagesTest)
#include "messages_test.moc"
