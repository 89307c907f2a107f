#include "platform/widgets/messages.h"
#include "testsupport.h"

#include <QMessageBox>
#include <QTimer>

class MessagesTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { failOnAnyWarning(); }
    // A file's name is text: markup shows as written. "Nej" is the default, Alt+J and Alt+N answer.
    void boxOnTheScreen_data()
    {
        QTest::addColumn<bool>("question");
        QTest::addColumn<QString>("buttons");
        QTest::newRow("warning") << false << "|OK";
        QTest::newRow("question") << true << "|&Ja|&Nej";
    }
    void boxOnTheScreen()
    {
        QFETCH(bool, question);
        QFETCH(QString, buttons);
        const QString text = "Filen \"<font size=7>Ring!<br><img src=x width=1500>.hoj\"";
        QString seen = "<no box>";
        QTimer::singleShot(0, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return; // nothing on the screen: seen stays "<no box>"
            seen = box->textFormat() == Qt::PlainText ? box->text() : "<rich text>";
            seen += box->icon() == QMessageBox::Warning ? "!" : "?";
            for (QAbstractButton* button : box->buttons())
                seen += "|" + button->text();
            QTest::keyClick(box, Qt::Key_Return); // Enter picks the default
        });
        if (question)
            QVERIFY(!platform::screenMessages().askYesNo(nullptr, "OJOJOJ!!!", text));
        else
            platform::screenMessages().warn(nullptr, text);
        QCOMPARE(seen, text + "!" + buttons);
    }
};

DREVKALK_TEST_MAIN(MessagesTest)
#include "messages_test.moc"
