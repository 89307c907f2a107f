#include "bikefile/bikefile.h"
#include "testsupport.h"
#include <QListView>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>
// File1 as a user meets it. Entries: kind ('b' bike file, 'e' empty, 'd' directory, 'p' pipe, 'l'
// link to .hoj), name bytes. Walked: each row's load, "!" a message. Then the last row deleted.
static const std::pair<QByteArray, QString> lists[] = {
    {"bZü.hoj bÅ.hoj bä.hoj bÄx.hoj bA.HOJ b.hoj bhoj dd.hoj pp.hoj lm.hoj",
     ".hoj A.HOJ m.hoj Zü.hoj ä.hoj Äx.hoj Å.hoj"},
    {"b1.hoj e2.hoj b\xe5.hoj b\xe4.hoj lx.hoj", "1.hoj ! \uFFFD.hoj \uFFFD.hoj"}};
class FileListTest : public QObject
{
    Q_OBJECT
private slots:
    void walkTheListAndDelete()
    {
        for (const auto& [entries, walked] : lists) {
            QTemporaryDir dir;
            QDir::setCurrent(dir.path());
            for (const QByteArray& e : entries.split(' ')) {
                const QByteArray n = e.mid(1);
                QCOMPARE(e[0] == 'b'
                             ? !(std::ofstream(n.data()) << bikefile::formatRecord({"9"}).bytes)
                         : e[0] == 'd' ? mkdir(n, 0700) : e[0] == 'l' ? symlink(".hoj", n)
                         : mknod(n, (e[0] == 'p' ? S_IFIFO : S_IFREG) | 0600, 0), 0);
            }
            Window w;
            auto* list = w.find<QListView>("File1");
            QVERIFY(!list->currentIndex().isValid() && !list->selectionModel()->hasSelection());
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, 5)); // first row
            QStringList seen;
            for (int row = 0; row <= walked.count(' '); QTest::keyClick(list, Qt::Key_Down), ++row)
                seen << (w.messages.warnings.size() > seen.count("!") ? "!" : w.text("TrFilnamn"));
            QCOMPARE(seen.join(' '), walked);
            w.messages.answer = true, w.click("tabort1");
            QCOMPARE(list->model()->rowCount(), walked.count(' ')); // the last row deleted
            std::filesystem::remove_all(dir.path().toStdString()); // names Qt cannot remove
        }
    }
};
DREVKALK_TEST_MAIN(FileListTest)
#include "filelist_test.moc"
