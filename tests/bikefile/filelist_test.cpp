#include "app/mainwindow.h"
#include "bikefile/bikefile.h"
#include "testsupport.h"
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

class FileListTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { failOnAnyWarning(); }
    // File1 as a user meets it. Entries: a kind ('b' bike file, 'e' empty, 'd' directory, 'p' pipe,
    // 'l' link to .hoj) and the name's bytes. Walked: what each row loads, "!" for a message.
    void walkTheListAndDelete_data()
    {
        QTest::addColumn<QByteArray>("entries");
        QTest::addColumn<QString>("walked");
        QTest::newRow("kinds")
            << QByteArray("bZü.hoj bÅ.hoj bä.hoj bÄx.hoj bA.HOJ b.hoj bhoj dd.hoj pp.hoj lm.hoj")
            << ".hoj A.HOJ m.hoj Zü.hoj ä.hoj Äx.hoj Å.hoj";
        QTest::newRow("bytes") << QByteArray("b1.hoj e2.hoj b\xe5.hoj b\xe4.hoj lx.hoj")
                               << "1.hoj ! \uFFFD.hoj \uFFFD.hoj";
    }
    void walkTheListAndDelete()
    {
        QFETCH(QByteArray, entries);
        QFETCH(QString, walked);
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        for (const QByteArray& e : entries.split(' '))
            QCOMPARE(e[0] == 'b'
                         ? !(std::ofstream(e.mid(1).data()) << bikefile::formatRecord({"9"}).bytes)
                     : e[0] == 'd' ? mkdir(e.mid(1), 0700)
                     : e[0] == 'l' ? symlink(".hoj", e.mid(1))
                                   : mknod(e.mid(1), (e[0] == 'p' ? S_IFIFO : S_IFREG) | 0600, 0),
                     0);
        FakeMessages messages;
        app::MainWindow w(messages);
        auto* list = w.findChild<QListView*>("File1");
        auto* name = w.findChild<QLineEdit*>("TrFilnamn");
        QVERIFY(!list->currentIndex().isValid() && !list->selectionModel()->hasSelection());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, 5)); // the first row
        QStringList seen;
        for (int row = 0; row <= walked.count(' '); QTest::keyClick(list, Qt::Key_Down), ++row)
            seen << (messages.warnings.size() > seen.count("!") ? "!" : name->text());
        QCOMPARE(seen.join(' '), walked);
        messages.answer = true;
        QTest::mouseClick(w.findChild<QWidget*>("tabort1"), Qt::LeftButton);
        QCOMPARE(list->model()->rowCount(), walked.count(' ')); // the last row deleted
        std::filesystem::remove_all(dir.path().toStdString());  // names that Qt cannot remove
    }
};
DREVKALK_TEST_MAIN(FileListTest)
#include "filelist_test.moc"
