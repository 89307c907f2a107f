#include "bikefile/bikefile.h"
#include "platform/bikefilestore.h"
#include "testsupport.h"

#include <QAbstractItemView>
#include <QDir>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>

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
    QTemporaryDir dir; // the working directory at start: the panel's directory
private slots:
    void init()
    {
        QVERIFY(QDir(dir.path()).removeRecursively());
        QVERIFY(QDir().mkpath(dir.path() + "/d.hoj"));
        QVERIFY(QDir::setCurrent(dir.path()));
        const std::string bytes =
            bikefile::formatRecord({"11000", "24", "60", "9,999", "40", "14", "2,857", "190", "1",
                                    "2", "", "", "", "", "snabb"})
                .bytes;
        for (const char* name : {"b.hoj", "A.HOJ", ".hoj", "e.Hoj", "c.txt", "hoj", "f.hoj.bak"})
            QVERIFY(std::ofstream(name) << bytes);
    }

    // Selecting a file fills every field, the stored reductions staying, names it and recomputes.
    void selectingLoads()
    {
        Window w;
        w.find("File1")->setFocus(Qt::TabFocusReason); // tabbing in selects nothing
        QCOMPARE(w.text("TrFilnamn"), QString());
        clickEntry(w, "b.hoj");
        QCOMPARE(w.text("varv"), "11000");
        QCOMPARE(w.text("primär"), "9,999"); // though 60 / 24 gives 2,500
        QCOMPARE(w.text("tvåanutv"), "2");
        QCOMPARE(w.find<QPlainTextEdit>("Text1")->toPlainText(), "snabb");
        QCOMPARE(w.text("TrFilnamn"), "b.hoj");
        QCOMPARE(w.text("ettanhast"), "43,");
        QCOMPARE(w.text("tvåanhast"), "21,");
    }

    // "spara" writes the fields under the typed name and reads the list again, the new file not
    // selected; "Ny" then empties the name and the comment, the rest staying.
    void savingWritesTheFields()
    {
        Window w;
        w.menu("advanced");
        clickEntry(w, "b.hoj");
        w.type("TrFilnamn", "min hoj");
        w.click("spara1");
        QCOMPARE(w.messages.warnings, QStringList());
        QCOMPARE(bytes("min hoj.hoj"), bytes("b.hoj"));
        QCOMPARE(listed(w), (QStringList{".hoj", "A.HOJ", "b.hoj", "e.Hoj", "min hoj.hoj"}));
        w.click("ny1");
        QCOMPARE(w.find<QPlainTextEdit>("Text1")->toPlainText(), QString());
        QCOMPARE(w.text("TrFilnamn"), QString());
        QCOMPARE(w.text("varv"), "11000");
    }

    // "Ta bort" asks first; "Nej" keeps the file, "Ja" removes it and empties the name, the fields
    // staying. With nothing selected it says what to do.
    void deleteAsksFirst()
    {
        Window w;
        w.menu("advanced");
        w.click("tabort1");
        QCOMPARE(w.messages.warnings, QStringList{"Välj först den fil i listan som ska tas bort."});
        clickEntry(w, "b.hoj");
        w.click("tabort1");
        QCOMPARE(w.messages.questions, QStringList{"OJOJOJ!!!|Vill du radera vald fil?"});
        QVERIFY(QFile::exists("b.hoj"));
        w.messages.answer = true;
        w.click("tabort1");
        QCOMPARE(listed(w), (QStringList{".hoj", "A.HOJ", "e.Hoj"}));
        QCOMPARE(w.text("TrFilnamn"), QString());
        QCOMPARE(w.text("varv"), "11000");
    }

    // A value the file cannot hold, a file over 64 KiB, or a directory in the way: the message
    // names the field and says what to do, or says why, and nothing is written.
    void refusedSave_data()
    {
        QTest::addColumn<calc::Field>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("said");
        const QString field = "Fältet \"%1\" ";
        const QString cannot =
            "innehåller tecknet \"%1\", som inte kan sparas i en hojfil. Ta bort "
            "det eller skriv ett annat tecken i stället.";
        const QString tooLong = "är för långt: en hojfil får vara högst 65\u00A0536 byte, och med "
                                "de andra fälten som de är får det ha högst 65\u00A0486 tecken.";
        const QString big(65487, u'k');
        QTest::newRow("Ω") << F::varv << "1Ω" << field.arg("Max Varvtal") + cannot.arg("Ω");
        QTest::newRow("a space, by its code")
            << F::Text1 << "\u2009" << field.arg("Kommentar") + cannot.arg("U+2009");
        QTest::newRow("a double quote")
            << F::Text1 << "18\""
            << field.arg("Kommentar") +
                   "innehåller ett citattecken (\"), som inte kan sparas i en "
                   "hojfil: där skulle värdet ta slut. Skriv något annat i stället, till "
                   "exempel \"tum\" efter ett mått (18 tum).";
        QTest::newRow("comment too long")
            << F::Text1 << big
            << field.arg("Kommentar") + tooLong + " En radbrytning räknas som två tecken.";
        QTest::newRow("ratio too long")
            << F::femmanutv << big << field.arg("5:an utväxling") + tooLong;
        QTest::newRow("a directory")
            << F::TrFilnamn << "d"
            << QString("Filen \"d.hoj\" kunde inte sparas: det är en mapp, inte en fil.");
    }
    void refusedSave()
    {
        QFETCH(calc::Field, field);
        QFETCH(QString, value);
        QFETCH(QString, said);
        Window w;
        w.fields().setText(F::TrFilnamn, "x");
        w.fields().setText(field, value.toStdString());
        w.click("spara1");
        QCOMPARE(w.messages.warnings, QStringList{said});
        QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden).size(), 7);
    }

    // The arrow keys load each row passed over, in the list's order (letter case aside, by the
    // whole name); a file that cannot be read says why, leaves the fields as they were, and the
    // next key moves on. Names that are not
    // UTF-8 show U+FFFD and delete by their bytes. Directories, pipes and dangling links are not
    // listed.
    void arrowKeysLoadEachRow()
    {
        QTemporaryDir other;
        QVERIFY(QDir::setCurrent(other.path()));
        const std::string bytes = bikefile::formatRecord({"9"}).bytes;
        for (const char* name :
             {"Zü.hoj", "Å.hoj", "ä.hoj", "Äx.hoj", "A.HOJ", ".hoj", "Puch-Dakota.hoj",
              "puch-dakota-1980-b.hoj", "Puch-Dakota-1980-a.hoj", "\xe5.hoj", "hoj"})
            QVERIFY(std::ofstream(name) << bytes);
        QVERIFY(std::ofstream("tom.hoj"));
        QCOMPARE(mkdir("d.hoj", 0700), 0);
        QCOMPARE(mkfifo("p.hoj", 0600), 0);
        QCOMPARE(symlink(".hoj", "l.hoj"), 0);
        QCOMPARE(symlink("borta", "m.hoj"), 0);
        Window w;
        auto* list = w.find<QAbstractItemView>("File1");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QStringList seen;
        for (int row = 0; row < list->model()->rowCount(); ++row) {
            seen << w.text("TrFilnamn");
            QTest::keyClick(list, Qt::Key_Down);
        }
        QCOMPARE(seen, (QStringList{".hoj", "A.HOJ", "l.hoj", "Puch-Dakota-1980-a.hoj",
                                    "puch-dakota-1980-b.hoj", "Puch-Dakota.hoj", "Puch-Dakota.hoj",
                                    "Zü.hoj", "ä.hoj", "Äx.hoj", "Å.hoj", "\uFFFD.hoj"}));
        QCOMPARE(w.messages.warnings,
                 QStringList{"Filen \"tom.hoj\" är inte en hel hojfil: den tar "
                             "slut före det femtonde värdet."});
        w.messages.answer = true;
        w.click("tabort1");
        QCOMPARE(access("\xe5.hoj", F_OK), -1);
        std::filesystem::remove_all(other.path().toStdString()); // names Qt cannot remove
    }

    // The real question box: Swedish buttons, the warning icon, "Nej" the default.
    void theDeleteQuestionOnTheScreen()
    {
        QString seen;
        QTimer::singleShot(0, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            seen = box->text() + (box->icon() == QMessageBox::Warning ? "!" : "?");
            for (QAbstractButton* button : box->buttons())
                seen += "|" + button->text();
            QTest::keyClick(box, Qt::Key_Return); // Enter picks the default
        });
        QVERIFY(!platform::screenMessages().askYesNo(nullptr, "OJOJOJ!!!", "Radera?"));
        QCOMPARE(seen, "Radera?!|&Ja|&Nej"); // Alt+J, Alt+N
    }
    // The panel works in the directory it started in, whatever the bytes of its name and
    // whatever later becomes of the name: a rename, and a link to elsewhere in its place.
    void keepsItsDirectory_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("moved");
        QTest::newRow("not UTF-8") << QByteArray("latin1-\xe5ngest") << false;
        QTest::newRow("renamed, a link in its place") << QByteArray("ren") << true;
    }
    void keepsItsDirectory()
    {
        QFETCH(QByteArray, name);
        QFETCH(bool, moved);
        const auto cleanUp =
            qScopeGuard([this] { std::filesystem::remove_all(dir.path().toStdString()); });
        QCOMPARE(mkdir(name, 0700), 0);
        QVERIFY(std::filesystem::copy_file("b.hoj", (name + "/b.hoj").toStdString()));
        QCOMPARE(chdir(name), 0);
        Window w;
        if (moved) {
            QCOMPARE(rename("../ren", "../ren2"), 0);
            QCOMPARE(symlink(".", "../ren"), 0); // to the directory above
        }
        w.type("TrFilnamn", "ny");
        w.click("spara1");
        QCOMPARE(w.messages.warnings, QStringList());
        QCOMPARE(listed(w), (QStringList{"b.hoj", "ny.hoj"}));
    }

    // A comment is saved as the user sees it: Shift+Enter's line break as a line break, a letter
    // and a combining mark as the one letter they show. A mark that the code page still lacks
    // is named by its code.
    void savesTheCommentAsSeen_data()
    {
        QTest::addColumn<QString>("typed"); // after "rad ett" and Shift+Enter
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QString>("warning");
        QTest::newRow("Shift+Enter") << "rad två"
                                     << "rad ett\nrad två"
                                     << "";
        QTest::newRow("combining marks") << "pa\u030As, e\u0301"
                                         << "rad ett\npås, é"
                                         << "";
        QTest::newRow("a lone combining ring")
            << "x\u030A"
            << ""
            << "Fältet \"Kommentar\" innehåller tecknet \"U+030A\", som inte kan sparas i en "
               "hojfil. Ta bort det eller skriv ett annat tecken i stället.";
    }
    void savesTheCommentAsSeen()
    {
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        QFETCH(QString, warning);
        Window w;
        auto* comment = w.find<QPlainTextEdit>("Text1");
        QTest::keyClicks(comment, "rad ett");
        QTest::keyClick(comment, Qt::Key_Return, Qt::ShiftModifier);
        QTest::sendKeyEvent(QTest::Click, comment, Qt::Key_unknown, typed, Qt::NoModifier);
        w.type("TrFilnamn", "k");
        w.click("spara1");
        const auto record = platform::ReadBikeFile("k.hoj").record;
        QCOMPARE(record ? QString::fromStdString(record->back()) : QString(), saved);
        QCOMPARE(w.messages.warnings.value(0), warning);
    }
};

DREVKALK_TEST_MAIN(FilePanelTest)
#include "filepanel_test.moc"
