#include "bikefile/bikefile.h"
#include "platform/bikefilestore.h"
#include "testsupport.h"

#include <QAbstractItemView>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

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

// File1 as a user meets it. Entries: kind ('b' bike file, 'e' empty, 'd' directory, 'p' pipe, 'l'
// link to .hoj), name bytes. Walked: each row's load, "!" a message. Then the last row deleted.
const std::pair<QByteArray, QString> lists[] = {
    {"bZü.hoj bÅ.hoj bä.hoj bÄx.hoj bA.HOJ b.hoj bhoj dd.hoj pp.hoj lm.hoj bPuch-Dakota.hoj "
     "bpuch-dakota-1980-b.hoj bPuch-Dakota-1980-a.hoj", // alike in their first 8 and 16 bytes
     ".hoj A.HOJ m.hoj Puch-Dakota-1980-a.hoj puch-dakota-1980-b.hoj Puch-Dakota.hoj Zü.hoj ä.hoj "
     "Äx.hoj Å.hoj"},
    {"b1.hoj e2.hoj b\xe5.hoj b\xe4.hoj lx.hoj", "1.hoj ! \uFFFD.hoj \uFFFD.hoj"}};

class FilePanelTest : public QObject
{
    Q_OBJECT
    QTemporaryDir dir; // the working directory at start: the panel's directory
private slots:
    void init()
    {
        failOnAnyWarning();
        QVERIFY(QDir(dir.path()).removeRecursively() && QDir().mkpath(dir.path() + "/d.hoj")
                && QDir::setCurrent(dir.path()));
        const std::string bytes = bikefile::formatRecord({"11000", "24", "60", "9,999", "40", "14",
            "2,857", "190", "1", "2", "", "", "", "", "snabb"}).bytes;
        for (const char* name : {"b.hoj", "A.HOJ", ".hoj", "e.Hoj", "c.txt", "hoj", "f.hoj.bak"})
            QVERIFY(std::ofstream(name) << bytes);
    }

    // The list shows the bike files of the start directory; selecting one loads it and
    // recomputes, and saving writes the fields under the typed name.
    void selectAndSave()
    {
        Window w;
        w.menu("advanced");
        QCOMPARE(listed(w), (QStringList{".hoj", "A.HOJ", "b.hoj", "e.Hoj"}));
        w.find("File1")->setFocus(Qt::TabFocusReason); // tabbing in selects nothing
        QCOMPARE(w.text("varv"), QString());
        clickEntry(w, "b.hoj"); // the stored reduction stays, though 60 / 24 gives 2,500
        QCOMPARE(w.allTexts(), "snabb|11000|24|60|9,999|1|43,|2|21,|||||||||14|40|2,857|190|b.hoj");
        w.type("varv", "9000"), w.type("TrFilnamn", "min hoj");
        w.find<QPlainTextEdit>("Text1")->setPlainText(QStringLiteral("rad ett, å\nrad två\u00A0€"));
        w.click("spara1");
        QCOMPARE(platform::ReadBikeFile("min hoj.hoj").record, (bikefile::BikeRecord{"9000", "24",
                 "60", "9,999", "40", "14", "2,857", "190", "1", "2", "", "", "", "",
                 "rad ett, å\nrad två\u00A0€"}));
        QCOMPARE(listed(w), (QStringList{".hoj", "A.HOJ", "b.hoj", "e.Hoj", "min hoj.hoj"}));
        QVERIFY(w.messages.warnings.isEmpty());
        w.click("ny1");
        QCOMPARE(w.find<QPlainTextEdit>("Text1")->toPlainText() + w.text("TrFilnamn")
                     + w.text("varv"), "9000");
    }

    // Delete asks first; failures say so and leave fields and files alone.
    void deleteAndFailures()
    {
        Window w;
        w.menu("advanced");
        w.click("tabort1"); // nothing selected: nothing to ask about
        QCOMPARE(w.messages.warnings.size() + w.messages.questions.size(), 1);
        clickEntry(w, "b.hoj");
        w.click("tabort1");
        QCOMPARE(w.messages.questions, QStringList{"OJOJOJ!!!|Vill du radera vald fil?"});
        QVERIFY(QFile::exists("b.hoj"));
        w.messages.answer = true, w.click("tabort1");
        QCOMPARE(listed(w), (QStringList{".hoj", "A.HOJ", "e.Hoj"}));
        QCOMPARE(w.text("TrFilnamn") + w.text("varv"), "11000");
        QVERIFY(QFile::remove("A.HOJ"));
        w.type("varv", "5");
        clickEntry(w, "A.HOJ");
        QVERIFY(w.messages.warnings.value(1).startsWith("Filen \"A.HOJ\" kunde inte läsas"));
        QCOMPARE(listed(w) << w.text("varv"), (QStringList{".hoj", "A.HOJ", "e.Hoj", "5"}));
        using F = calc::Field;
        const std::string quote = "\" innehåller ett citattecken (\"), som inte kan sparas i en";
        using Row = std::tuple<F, std::string, const char*, std::string>;
        for (auto [field, value, name, said] : {Row{F::Text1, "Ω", "x", "tecknet \"Ω\""},
                 {F::Text1, "\u2009", "x", "\"U+2009\""}, {F::Text1, "", "../a", "\"/\""},
                 {F::Text1, "18\" fälg", "x", "Fältet \"Kommentar" + quote},
                 {F::femmanutv, "0,8\"", "x", "\"5:an utväxling" + quote},
                 {F::Text1, std::string(70000, 'k'), "x", "högst 65\u00A0536 byte"},
                 {F::femmanutv, "1\u061C", "x", "\"U+061C\""}}) { // an unseen character by code
            w.fields().setText(field, value);
            w.type("TrFilnamn", name), w.click("spara1");
            QVERIFY2(w.messages.warnings.last().contains(QString::fromStdString(said)), name);
            w.fields().setText(field, "");
        }
        QVERIFY(w.messages.warnings.size() == 9
                && QDir().entryList(QDir::Files | QDir::Hidden).size() == 5); // nothing written
    }

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
            auto* list = w.find<QAbstractItemView>("File1");
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
        QCOMPARE(seen, QStringLiteral("Radera?!|&Ja|&Nej")); // Alt+J, Alt+N
    }
};

DREVKALK_TEST_MAIN(FilePanelTest)
#include "filepanel_test.moc"
