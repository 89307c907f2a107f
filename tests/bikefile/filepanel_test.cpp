#include "bikefile/bikefile.h"
#include "platform/bikefilestore.h"
#include "testsupport.h"

#include <QAbstractItemView>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

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
        for (const char* name : {"b.hoj", "A.HOJ", ".hoj", "e.Hoj", "c.txt", "hoj", "f.hoj.bak"}) {
            QFile file(name);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes.data(), bytes.size()) > 0);
        }
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
        QTest::keyClick(w.find("File1"), Qt::Key_Down); // arrows load too
        QCOMPARE(w.text("TrFilnamn"), "e.Hoj");
        w.type("varv", "9000"), w.type("TrFilnamn", "min hoj");
        w.find<QPlainTextEdit>("Text1")->setPlainText(QStringLiteral("rad ett, å\nrad två €"));
        w.click("spara1");
        QCOMPARE(platform::ReadBikeFile("min hoj.hoj").record, (bikefile::BikeRecord{"9000", "24",
                 "60", "9,999", "40", "14", "2,857", "190", "1", "2", "", "", "", "",
                 "rad ett, å\nrad två €"}));
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
        for (auto [comment, name, said] : {std::tuple{"Ω", "x", "Fältet \"Kommentar\" innehåller "
                 "tecknet \"Ω\", som inte kan sparas i en hojfil."}, {"\u2009", "x", "\"U+2009\""},
                 {"", "../a", "\"/\""}}) {
            w.find<QPlainTextEdit>("Text1")->setPlainText(QString::fromUtf8(comment));
            w.type("TrFilnamn", name), w.click("spara1");
            QVERIFY2(w.messages.warnings.last().contains(QString::fromUtf8(said)), said);
        }
        QVERIFY(w.messages.warnings.size() == 5
                && QDir().entryList(QDir::Files | QDir::Hidden).size() == 5); // nothing written
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
