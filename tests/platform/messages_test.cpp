#include "platform/messages.h"
#include "testsupport.h"

#include <QLabel>
#include <QMessageBox>
#include <QTimer>

class MessagesTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { failOnAnyWarning(); }

    // A message names files, and a file's name is text: the box on the screen shows its markup
    // as written.
    void showsTextAsWritten_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("font") << "Filen \"<font size=7 color=red>Ring!<br>x.hoj\" kunde inte läsas";
        QTest::newRow("img") << "Filen \"<img src=x width=1500 height=1200>.hoj\" är för stor";
    }
    void showsTextAsWritten()
    {
        QFETCH(QString, text);
        QString shown = "<no box>";
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [&shown] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            const auto* label = box->findChild<QLabel*>("qt_msgbox_label");
            shown = label->textFormat() == Qt::PlainText ? label->text() : "<rich text>";
            box->accept();
        });
        timer.start(0);
        platform::screenMessages().warn(nullptr, text);
        QCOMPARE(shown, text);
    }
};

DREVKALK_TEST_MAIN(MessagesTest)
#include "messages_test.moc"
