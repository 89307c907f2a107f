#include "bikefile/bikefile.h"
#include "testsupport.h"

#include <QAbstractItemView>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

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
    const QModelIndexList found = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly);
    QVERIFY(found.size() == 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(found[0]).center());
}

} // namespace

class FilePanelTest : public QObject
{
    Q_OBJECT
    QTemporaryDir dir; // the working directory at start: the panel's directory
    void put(const QString& name, const std::string& bytes)
    {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes.c_str(), qint64(bytes.size())) == qint64(bytes.size()));
    }

private slots:
    void init()
    {
        failOnAnyWarning();
        QVERIFY(QDir(dir.path()).removeRecursively() && QDir().mkpath(dir.path()) && QDir::setCurrent(dir.path()));
        for (const QString name : {"b.hoj", "A.HOJ", ".hoj", "e.Hoj", "c.txt", "hoj", "f.hoj.bak"})
            put(name, bikefile::formatRecord({"11000", "24", "60", "9,999", "40", "14", "2,857", "190", "1", "2", "", "", "", "", "snabb"}).bytes);
        QVERIFY(QDir(dir.path()).mkdir("d.hoj"));
    }

    // The list shows the bike files of the start directory; selecting one loads it and
    // recomputes, and saving writes the fields under the typed name.
    void selectAndSave()
    {
        Window w;
        w.findChild<QAction*>("advanced")->trigger();
        QCOMPARE(listed(w), (QStringList{".hoj", "A.HOJ", "b.hoj", "e.Hoj"}));
        w.find<QWidget>("File1")->setFocus(Qt::TabFocusReason); // tabbing in selects nothing
        QCOMPARE(w.text("varv"), QString()); // nothing selected, nothing loaded
        clickEntry(w, "b.hoj");
        // The stored reduction stays, though 60 / 24 gives 2,500; the speeds follow it.
        QCOMPARE(w.allTexts(), "snabb|11000|24|60|9,999|1|43,|2|21,|||||||||14|40|2,857|190|b.hoj");
        QTest::keyClick(w.find<QAbstractItemView>("File1"), Qt::Key_Down); // arrows load too
        QCOMPARE(w.text("TrFilnamn"), "e.Hoj");
        w.type("varv", "9000");
        w.find<QPlainTextEdit>("Text1")->setPlainText(QStringLiteral("rad ett, å\nrad två €"));
        w.type("TrFilnamn", "min hoj");
        w.click("spara1");
        QCOMPARE(bytesOf(dir.filePath("min hoj.hoj")), "\"9000\",\"24\",\"60\",\"9,999\",\"40\",\"14\",\"2,857\",\"190\",\"1\",\"2\",\"\",\"\",\"\",\"\",\"rad ett, \xE5\r\nrad tv\xE5 \x80\",234\r\n");
        QCOMPARE(listed(w), (QStringList{".hoj", "A.HOJ", "b.hoj", "e.Hoj", "min hoj.hoj"}));
        QVERIFY(w.messages.warnings.isEmpty());
        w.click("ny1");
        QCOMPARE(w.find<QPlainTextEdit>("Text1")->toPlainText() + w.text("TrFilnamn") + w.text("varv"), "9000");
    }

    // Delete asks first; failures say so and leave fields and files alone.
    void deleteAndFailures()
    {
        Window w;
        w.findChild<QAction*>("advanced")->trigger();
        w.click("tabort1"); // nothing selected: nothing to ask about
        QCOMPARE(w.messages.warnings.size() + w.messages.questions.size(), 1);
        clickEntry(w, "b.hoj");
        w.click("tabort1");
        QCOMPARE(w.messages.questions, QStringList{"OJOJOJ!!!|Vill du radera vald fil?"});
        QVERIFY(QFile::exists(dir.filePath("b.hoj")));
        w.messages.answer = true;
        w.click("tabort1");
        QCOMPARE(listed(w), (QStringList{".hoj", "A.HOJ", "e.Hoj"}));
        QCOMPARE(w.text("TrFilnamn") + w.text("varv"), "11000");
        QVERIFY(QFile::remove(dir.filePath("A.HOJ")));
        w.type("varv", "5");
        clickEntry(w, "A.HOJ");
        QCOMPARE(w.messages.warnings.size(), 2);
        QVERIFY(w.messages.warnings[1].startsWith(QStringLiteral("Filen \"A.HOJ\" kunde inte läsas")));
        QCOMPARE(listed(w), (QStringList{".hoj", "A.HOJ", "e.Hoj"})); // keeps its place
        QCOMPARE(w.text("varv"), "5");
        w.find<QPlainTextEdit>("Text1")->setPlainText(QStringLiteral("Ω"));
        w.click("spara1");
        QCOMPARE(w.messages.warnings.value(2), QStringLiteral("Fältet \"Kommentar\" innehåller tecknet \"Ω\", som inte kan sparas i en hojfil."));
        w.find<QPlainTextEdit>("Text1")->setPlainText("\u2009");
        w.click("spara1");
        QVERIFY(w.messages.warnings.value(3).contains("\"U+2009\""));
        w.type("TrFilnamn", "../a");
        w.find<QPlainTextEdit>("Text1")->clear();
        w.click("spara1");
        QVERIFY(w.messages.warnings.value(4).contains("\"/\""));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 5);
    }

    // The real question box: Swedish buttons, the warning icon, "Nej" the default.
    void theDeleteQuestionOnTheScreen()
    {
        QString seen;
        QTimer::singleShot(0, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            seen = box->windowTitle() + "|" + box->text() + "|" + (box->icon() == QMessageBox::Warning ? "!" : "?");
            for (QAbstractButton* button : box->buttons())
                seen += "|" + button->text();
            QTest::keyClick(box, Qt::Key_Return); // Enter picks the default
        });
        QWidget parent;
        QVERIFY(!platform::screenMessages().askYesNo(&parent, "OJOJOJ!!!", "Vill du radera vald fil?"));
        QCOMPARE(seen, QStringLiteral("OJOJOJ!!!|Vill du radera vald fil?|!|&Ja|&Nej"));
    }
};

DREVKALK_TEST_MAIN(FilePanelTest)
#include "filepanel_test.moc"
