#include "bikefile/format/bikefile.h"
#include "testsupport.h"

#include <QAbstractItemView>
#include <QDir>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using F = calc::Field;
Q_DECLARE_METATYPE(calc::Field)

QStringList listed(const Window& w)
{
    QStringList names;
    const QAbstractItemModel* model = w.find<QAbstractItemView>("File1")->model();
    for (int row = 0; row < model->rowCount(); ++row)
        names << model->index(row, 0).data().toString();
    return names;
}

void clickEntry(const Window& w, const QString& name)
{
    auto* list = w.find<QAbstractItemView>("File1");
    const QModelIndex at = list->model()->index(int(listed(w).indexOf(name)), 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(at).center());
}

QByteArray bytes(const QString& name)
{
    QFile file(name);
    return file.open(QFile::ReadOnly) ? file.readAll() : "none";
}

class FilePanelTest : public QObject
{
    Q_OBJECT
    QTemporaryDir dir; // the panel's directory
private slots:
    void init()
    {
        QVERIFY(QDir().mkpath(dir.path() + "/d.hoj"));
        QVERIFY(QDir::setCurrent(dir.path()));
        const auto b = bikefile::formatRecord({"11000", "24", "60", "9,999", "40", "14", "2,857",
                                               "190", "1", "", "", "", "", "", "snabb"});
        for (const char* name : {"b.hoj", "A.HOJ", ".hoj", "e.Hoj", "c.txt", "hoj", "f.hoj.bak"})
            QVERIFY(std::ofstream(name) << b.bytes);
    }
    void cleanup() { std::filesystem::remove_all(dir.path().toStdString()); }

    // "spara" writes the fields, the comment as seen, composed, into the panel's directory, whose
    // name is not UTF-8, wherever the name leads later; "Ny" empties the comment and name.
    void savingWritesTheFields()
    {
        QCOMPARE(mkdir("\xe5", 0700), 0);
        QVERIFY(std::filesystem::copy_file("b.hoj", "\xe5/b.hoj"));
        QCOMPARE(chdir("\xe5"), 0);
        Window w;
        QCOMPARE(rename("../\xe5", "../ren"), 0);
        QCOMPARE(symlink(".", "../\xe5"), 0); // to the directory above
        clickEntry(w, "b.hoj");
        auto* comment = w.find<QPlainTextEdit>("Text1");
        QTest::keyClick(comment, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(comment, Qt::Key_Return, Qt::ShiftModifier);
        QTest::sendKeyEvent(QTest::Click, comment, Qt::Key_unknown, "pa\u030As", Qt::NoModifier);
        w.fields().setText(F::sexanutv, "\u212B"); // the angstrom sign, composed Å
        w.type("TrFilnamn", "min hoj");
        w.click("spara1");
        QCOMPARE(bytes("min hoj.hoj"),
                 bytes("b.hoj").replace("\"\",\"snabb", "\"\xc5\",\"snabb\r\np\xe5s"));
        QCOMPARE(listed(w), (QStringList{"b.hoj", "min hoj.hoj"}));
        w.click("ny1");
        QCOMPARE(comment->toPlainText(), QString());
        QCOMPARE(w.text("TrFilnamn"), QString());
    }
    // "Ta bort" with nothing selected says what to do; else it asks, and "Ja" removes the entry by
    // its bytes (the first row here) and empties the name, or says why not.
    void deleting_data()
    {
        QTest::addColumn<QString>("said");
        QTest::newRow("removed") << QString();
        QTest::newRow("a directory in its place")
            << "Filen \"!\uFFFD.hoj\" kunde inte tas bort: det är en mapp, inte en fil.";
    }
    void deleting()
    {
        QFETCH(QString, said);
        QVERIFY(std::filesystem::copy_file("b.hoj", "!\xe5.hoj"));
        Window w;
        w.click("tabort1");
        QCOMPARE(w.messages.warnings, QStringList{"Välj först den fil i listan som ska tas bort."});
        w.messages.warnings.clear();
        clickEntry(w, "!\uFFFD.hoj");
        w.click("tabort1");
        QCOMPARE(w.messages.questions, QStringList{"OJOJOJ!!!|Vill du radera vald fil?"});
        if (!said.isEmpty())
            QVERIFY(std::filesystem::remove("!\xe5.hoj") &&
                    std::filesystem::create_directory("!\xe5.hoj"));
        w.messages.answer = true;
        w.click("tabort1");
        QCOMPARE(w.messages.warnings.join('|'), said);
        QCOMPARE(listed(w), (QStringList{".hoj", "A.HOJ", "b.hoj", "e.Hoj"}));
        QCOMPARE(w.text("TrFilnamn"), said.isEmpty() ? QString() : "!\uFFFD.hoj");
    }
    // Enter on "spara" with a value the file cannot hold, a file over 64 KiB, or the store's
    // reason: said, nothing written, the focus in the field at fault.
    void refusedSave_data()
    {
        QTest::addColumn<calc::Field>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("said");
        QTest::newRow("Ω")
            << F::varv << QString("1Ω")
            << "Fältet \"Max Varvtal\" innehåller tecknet \"Ω\", som inte kan sparas";
        QTest::newRow("a space") << F::Text1 << QString("\u2009") << "tecknet \"U+2009\"";
        QTest::newRow("a lone mark") << F::Text1 << QString("x\u030A") << "tecknet \"U+030A\"";
        QTest::newRow("a double quote") << F::Text1 << QString("18\"") << "ett citattecken (\")";
        QTest::newRow("comment too long")
            << F::Text1 << QString(65487, u'k')
            << "högst 65\u00A0536 byte, och med de andra fälten som de är får det ha högst "
               "65\u00A0486 tecken. En radbrytning";
        QTest::newRow("ratio too long: no word of line breaks")
            << F::femmanutv << QString(65487, u'k')
            << "\"5:an utväxling\" är för långt: en hojfil får vara högst 65\u00A0536 byte, och "
               "med "
               "de andra fälten som de är får det ha högst 65\u00A0486 tecken.|";
        QTest::newRow("a directory")
            << F::TrFilnamn << QString("d") << "\"d.hoj\" kunde inte sparas: det är en mapp";
        QTest::newRow("a name too long")
            << F::TrFilnamn << QString(252, u'n')
            << "Namnet är för långt: filnamnet med \".hoj\" får vara högst 255 byte, och det "
               "här är 256 byte.";
    }
    void refusedSave()
    {
        QFETCH(calc::Field, field);
        QFETCH(QString, value);
        QFETCH(QString, said);
        Window w;
        w.fields().setText(F::TrFilnamn, "x");
        w.fields().setText(field, value.toStdString());
        QTest::keyClick(w.find("spara1"), Qt::Key_Return);
        const QString warnings = w.messages.warnings.join('|') + '|'; // '|' ends each one
        QVERIFY2(warnings.contains(said), qPrintable(warnings));
        QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden).size(), 7);
        const QWidget* focus = QApplication::focusWidget();
        QCOMPARE(focus ? focus->objectName() : QString(), w.fields().box(field)->objectName());
    }
    // Click and arrow keys load rows in order (case aside, by the whole name), a file too large or
    // cut short with a message; Tab loads nothing.
    void arrowKeysLoadEachRow()
    {
        for (const char* name :
             {"Puch-Dakota.hoj", "Puch-Dakota-1980-B.hoj", "puch-dakota-1980-a.hoj", "Zx.hoj",
              "_.hoj", "Äx.hoj", "ä.hoj", "Ö.hoj", "\xe5.hoj"})
            QVERIFY(std::filesystem::copy_file("b.hoj", name));
        QVERIFY(std::ofstream("tom.hoj"));
        QVERIFY(std::ofstream("stor.hoj") << std::string(bikefile::maxFileSize + 1, ' '));
        QCOMPARE(mkfifo("p.hoj", 0600), 0);
        QCOMPARE(symlink(".hoj", "l.hoj"), 0);
        QCOMPARE(symlink("borta", "m.hoj"), 0);
        Window w;
        auto* list = w.find<QAbstractItemView>("File1");
        list->setFocus(Qt::TabFocusReason);
        QCOMPARE(w.text("TrFilnamn"), QString());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QStringList seen;
        for (int row = 0; row < list->model()->rowCount(); ++row) {
            seen << w.text("TrFilnamn");
            QTest::keyClick(list, Qt::Key_Down);
        }
        QCOMPARE(seen, (QStringList{".hoj", "_.hoj", "A.HOJ", "b.hoj", "e.Hoj", "l.hoj",
                                    "puch-dakota-1980-a.hoj", "Puch-Dakota-1980-B.hoj",
                                    "Puch-Dakota.hoj", "Puch-Dakota.hoj", "Puch-Dakota.hoj",
                                    "Zx.hoj", "ä.hoj", "Äx.hoj", "Ö.hoj", "\uFFFD.hoj"}));
        QCOMPARE(w.messages.warnings,
                 (QStringList{"Filen \"stor.hoj\" är för stor för att vara en hojfil.",
                              "Filen \"tom.hoj\" är inte en hel hojfil: den tar slut före det "
                              "femtonde värdet."}));
        QCOMPARE(w.text("primär"), "9,999"); // though 60 / 24 gives 2,500
        QCOMPARE(w.text("ettanhast"), "43,");
    }
};

DREVKALK_TEST_MAIN(FilePanelTest)
#include "filepanel_test.moc"
