// Saves keep every character or say why not, and never write outside the panel directory; a
// million characters on one line leave each box with what a bike file can hold.
#ifndef Q_MOC_RUN
#include "bikefile/recordfields.h"
#include "platform/bikefilestore.h"
#endif
#include "testsupport.h"
#include <QClipboard>
#include <QTemporaryDir>
#include <sys/stat.h>
using bikefile::recordFields, calc::Field;
static QByteArray bytesOf(const QString& path)
{ QFile file(path); return file.open(QIODevice::ReadOnly) ? file.readAll() : "<missing>"; }
static const QByteArray old = R"("1","","","","","","","","","","","","","","x",234)" "\r\n";
// clang-format off
static const QString quote = "innehåller tecknet \", som inte kan sparas i en hojfil: där slutar";
static const struct { // entry: what x.hoj is: a bike file, a pipe, or a link to a file elsewhere
    const char* tag; QByteArray entry; QString name; Field field;
    QString value, message; // a part of the message; none: saved
} saves[] = {
    {"quote in the comment", {}, "x", Field::Text1, "18\" fälg", "\"Kommentar\" " + quote},
    {"quote in a ratio", {}, "x", Field::femmanutv, "0,8\"", "\"5:an Utväxling\" " + quote},
    {"comment past the file size", {}, "x", Field::Text1, QString(70000, 'k'), "högst 65536 byte"},
    {"no-break space", {}, "y", Field::Text1, "18\u00A0tum\nrad två\u00A0", {}},
    {"40,000 characters", {}, "y", Field::sexanutv, QString(40000, '1'), {}},
    {"link", "link", "x", Field::varv, "1", "\"x.hoj\" kunde inte sparas: namnet är en symbolisk länk"},
    {"pipe", "fifo", "x", Field::varv, "1", "\"x.hoj\" kunde inte sparas: det är inte en vanlig fil"},
    {"name of 251 bytes", {}, QString(125, u'å') + "a", Field::varv, "1", {}},
    {"name of 252 bytes", {}, QString(126, u'å'), Field::varv, "1", "högst 255 byte, och det här är 256"},
};
// clang-format on
class RealUseTest : public QObject
{
    Q_OBJECT
private slots:
    // Two saves with one field set: both refused with a message that names the problem, leaving
    // x.hoj and the file elsewhere as they were, or the file saved and its value read back.
    void savesLoseNothingAndStayInside_data()
    {
        QTest::addColumn<int>("row");
        for (int row = 0; row < int(std::size(saves)); ++row)
            QTest::newRow(saves[row].tag) << row;
    }
    void savesLoseNothingAndStayInside()
    {
        QFETCH(int, row);
        const auto& s = saves[row];
        const QTemporaryDir panel, elsewhere;
        const QString x = panel.filePath("x.hoj"), target = elsewhere.filePath("mål.hoj");
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == 52 && file.copy(x));
        QVERIFY(s.entry.isEmpty() || (QFile::remove(x) && (s.entry == "link"
                    ? QFile::link(target, x) : mkfifo(QFile::encodeName(x), 0600) == 0)));
        QDir::setCurrent(panel.path());
        Window w;
        w.fields().setText(s.field, s.value.toStdString());
        for (int save = 0; save < 2; ++save)
            w.fields().setText(Field::TrFilnamn, s.name.toStdString()), w.click("spara1");
        QCOMPARE(w.messages.warnings.size(), s.message.isEmpty() ? 0 : 2);
        QVERIFY2(w.messages.warnings.value(0).contains(s.message),
                 qPrintable(w.messages.warnings.value(0)));
        QCOMPARE(bytesOf(target), old);
        QCOMPARE(QFileInfo(x).isSymLink(), s.entry == "link");
        QVERIFY(!s.entry.isEmpty() || s.message.isEmpty() || bytesOf(x) == old);
        const auto back = platform::ReadBikeFile(panel.filePath(platform::bikeFileName(s.name)));
        const auto i = std::ranges::find(recordFields, s.field) - recordFields.begin();
        if (s.message.isEmpty())
            QCOMPARE(back.record ? QString::fromStdString(back.record->at(i)) : back.error,
                     s.value);
    }
    // A million characters on one line, pasted into the comment or set in a line (a paste into a
    // line takes minutes under the sanitizers): each box keeps what a bike file can hold.
    void longTextIsCut()
    {
        Window w;
        const QString million(1'000'000, u'ö');
        QApplication::clipboard()->setText(million);
        w.find("Text1")->setFocus();
        QTest::keyClick(w.find("Text1"), Qt::Key_V, Qt::ControlModifier);
        w.fields().setText(Field::femmanutv, million.toStdString());
        for (const Field field : {Field::Text1, Field::femmanutv})
            QCOMPARE(QString::fromStdString(w.fields().text(field)), QString(65536, u'ö'));
    }
};
DREVKALK_TEST_MAIN(RealUseTest)
#include "realuse_test.moc"
