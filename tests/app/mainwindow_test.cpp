#include "testsupport.h"

#include <QAccessible>
#include <QClipboard>
#include <QLabel>
#include <QMenuBar>
#include <QScrollBar>
#include <QSignalSpy>

class MainWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void startState()
    {
        Window w;
        QCOMPARE(w.windowTitle() + w.find("omkrets")->toolTip(),
                 "Drevkalk Här skriver du in bakhjulets omkrets/ axelhöjd(radie)");
        QVERIFY(w.centralWidget()->size() == QSize(297, 439) && w.minimumSize() == w.maximumSize());
        QCOMPARE(w.windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint),
                 Qt::WindowMinimizeButtonHint);
        QCOMPARE(w.windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
        const QFont font = w.find("varv")->font(); // Label12 belongs to Avancerat
        QVERIFY(w.find("Label7")->isVisible() && !w.find("Label12")->isVisible());
        QVERIFY(font.bold() && font.pointSizeF() == 9.75);
        QVERIFY(w.find<QLineEdit>("varv")->alignment() & Qt::AlignHCenter
                && w.find<QLineEdit>("primär")->alignment() & Qt::AlignLeft);
        const QString family = QFontInfo(font).family();
        QVERIFY(family == "MS Sans Serif" || family == "Liberation Sans");
        // The tab order round from the focus at start, as assistive tools read it (* read-only).
        QStringList visited;
        do {
            auto* face = QAccessible::queryAccessibleInterface(QApplication::focusWidget());
            visited << face->text(QAccessible::Name) + (face->state().readOnly ? "*" : "");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        } while (QApplication::focusWidget() != w.find("varv") && visited.size() < 30);
        QCOMPARE(visited.join('|'),
                 "Max Varvtal|Vevaxel|Koppling|1:an utväxling|2:an utväxling|3:an utväxling|"
                 "4:an utväxling|Framdrev|Bakdrev|Bakhjulets omkrets|Kommentar|Primär utväxling*|"
                 "1:an max hastighet*|2:an max hastighet*|3:an max hastighet*|4:an max hastighet*|"
                 "Sekundär utväxling*|Sparade hojar|5:an utväxling|6:an utväxling|"
                 "5:an max hastighet*|6:an max hastighet*|Beräkna");
        QSignalSpy closed(&w, &app::MainWindow::closed); // closing ends the program
        QVERIFY(w.close() && closed.count() == 1);
    }
    // Typing runs the teeth fields' reactions; only "Beräkna" computes, or says what is wrong.
    void typingAndCalculating()
    {
        Window w;
        w.click("Beräkna");
        QVERIFY(w.messages.warnings.value(0).startsWith("Fältet \"Max Varvtal\" är tomt."));
        w.typeWorkedExample();
        QCOMPARE(w.text("primär") + " " + w.text("sekundär") + w.text("ettanhast"), "2,500 2,857");
        w.click("Beräkna");
        QCOMPARE(w.text("ettanhast") + "|" + w.text("tvåanhast"), "175|");
        w.type("vev", ""); // emptied: 1 at once
        QCOMPARE(w.text("vev") + " " + w.text("primär"), "1 60,00");
        for (const char* teeth : {"vev", "koppling", "framdrev", "bakdrev"})
            w.type(teeth, "a-,.5"); // teeth take digits only, varv five characters, gears any
        w.type("varv", "1234567"), w.type("femmanutv", "1234567");
        QCOMPARE(w.text("vev") + w.text("koppling") + w.text("framdrev") + w.text("bakdrev") + " "
                     + w.text("varv") + " " + w.text("femmanutv"), "5555 12345 1234567");
        w.click("Beräkna"); // read-only results take no typing
        w.type("ettanhast", "9");
        QVERIFY(w.text("ettanhast") == "140" && w.messages.warnings.size() == 1);
    }
    // The menus switch the display modes and leave every field alone. What a user sees: the
    // gradient bands behind the captions (also on the Avancerat strip), box colours, red lines.
    void menusAndColours()
    {
        Window w;
        QStringList tree;
        for (QAction* item : w.menuBar()->findChildren<QAction*>(QRegularExpression(".")))
            tree << item->text() + (item->isChecked() ? "+" : "") + (item->isEnabled() ? "" : "-");
        QCOMPARE(tree.join(' '), "Inställningar Mode enkelt+ Avancerat Måttenhet Kmh+ Mph- "
                                 "bakhjulet Omkrets+ Axelhöjd- Om");
        w.typeWorkedExample(), w.click("Beräkna");
        const QString before = w.allTexts();
        for (const char* item : {"advanced", "advanced", "inställningswe", "Omkretsen",
                 "inställningeng", "Axelhöjden", "easy", "easy", "advanced"}) {
            w.menu(item);
            const bool easy = w.find<QAction>("easy")->isChecked();
            QVERIFY(easy != w.find<QAction>("advanced")->isChecked() && w.allTexts() == before);
            QVERIFY(w.centralWidget()->size() == QSize(297, easy ? 439 : 518)
                    && w.minimumSize() == w.maximumSize());
        }
        QVERIFY(w.find<QAction>("Omkretsen")->isChecked()
                && w.find<QAction>("inställningswe")->isChecked());
        w.centralWidget()->setFocus(); // no cursor or selection in the boxes
        const QImage client = w.centralWidget()->grab().toImage();
        for (int x : {0, 2, 3, 150, 219, 296}) // band k covers the pixels 3(k - 1) to 3k - 1
            QCOMPARE(client.pixelColor(x, 140), QColor(100 + x / 3, 0, 255 - x / 3));
        QVERIFY(client.pixelColor(140, 62) == Qt::red && client.pixelColor(140, 63) == Qt::red);
        QCOMPARE(client.pixelColor(290, 515), QColor(196, 0, 159));
        const auto shows = [&](const char* name, QColor colour) { // anywhere in the box
            const auto image = w.find(name)->grab().toImage().convertToFormat(QImage::Format_RGB32);
            const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
            return std::count(pixels, pixels + image.width() * image.height(), colour.rgb()) > 0;
        };
        QVERIFY(shows("varv", Qt::yellow) && shows("ettanhast", Qt::green)
                && shows("primär", Qt::black) && !shows("primär", Qt::yellow));
        for (const char* name : {"varv", "primär", "ettanhast", "File1"}) // right of the text
            QCOMPARE(w.find(name)->grab().toImage().pixelColor(w.find(name)->width() - 5, 12),
                     QColor(128, 128, 255));
        const QImage face = w.find("ny1")->grab().toImage(); // flat inside the outline
        QCOMPARE(face.pixelColor(2, face.height() - 2), w.find("ny1")->palette().button().color());
        w.find("varv")->setFocus(), w.find<QLineEdit>("varv")->selectAll(); // white on navy
        QVERIFY(shows("varv", Qt::white) && shows("varv", QColor(0, 0, 128)));
        // Avancerat brings the file controls into view; enkelt cuts them off.
        QVERIFY(w.centralWidget()->rect().contains(w.find("spara1")->geometry()));
        w.menu("easy");
        QVERIFY(!w.centralWidget()->rect().intersects(w.find("TrFilnamn")->geometry()));
    }
    // Run also at QT_SCALE_FACTOR=2: every caption fits its box, About's too.
    void captionsFit()
    {
        Window w;
        w.menu("övrigt");
        for (QWidget* widget : QApplication::allWidgets())
            if (auto* label = qobject_cast<QLabel*>(widget); label && !label->text().isEmpty()) {
                const int wrap = label->wordWrap() ? Qt::TextWordWrap : 0;
                const QRect box = label->rect(), need = label->fontMetrics().boundingRect(
                    box, wrap | int(label->alignment()), label->text());
                QVERIFY2(box.contains(need), qPrintable(label->text()));
            }
    }
    // The regional settings give the decimal separator.
    void userSettings()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Window w;
        w.typeWorkedExample();
        QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
        QCOMPARE(w.text("primär") + " " + w.text("sekundär"), "2.500 2.857");
    }
    // A million characters pasted into the comment (which then shows where the paste ends) or set
    // in a line (a paste into a line takes minutes under the sanitizers): each box keeps what a
    // bike file can hold.
    void longTextIsCut()
    {
        Window w;
        const QString million(1'000'000, u'ö'), lines = QString("ö\n").repeated(500'000);
        QApplication::clipboard()->setText(lines);
        auto* comment = w.find<QPlainTextEdit>("Text1");
        comment->setFocus(), QTest::keyClick(comment, Qt::Key_V, Qt::ControlModifier);
        const QScrollBar* bar = comment->verticalScrollBar();
        QVERIFY(bar->value() > 0 && bar->value() == bar->maximum());
        w.fields().setText(calc::Field::femmanutv, million.toStdString());
        QCOMPARE(comment->toPlainText(), lines.left(65536));
        QCOMPARE(w.text("femmanutv"), million.left(65536));
    }
    // Under a dark desktop palette, with About open: what assistive tools and the keyboard find,
    // and colours that keep their contrast.
    void keysAndLooks_data()
    {
        QTest::addColumn<QString>("seen"); // the row's name: a control, and what is done to it
        QTest::newRow("frmAbout") << "Dialog|About Drevkalk|";
        QTest::newRow("picIcon") << "Graphic|Drevkalks ikon, en hastighetsmätare|";
        QTest::newRow("File1") << "List|Sparade hojar|Här finns de hojar som är sparade";
        QTest::newRow("Text1 menu") << "&Ångra\tCtrl+Z|&Gör om\tCtrl+Y||Klipp &ut\tCtrl+X|"
            "&Kopiera\tCtrl+C|Klistra &in\tCtrl+V|Ta bort||Markera alla\tCtrl+A";
        for (const char* button : {"Beräkna", "ny1", "spara1", "tabort1", "bort"})
            for (const char* key : {"Return", "Num+Enter", "Space"})
                QTest::addRow("%s %s", button, key) << "pressed";
        for (const char* text : {"Drevkalk", "Text1", "primär", "File1", "TrFilnamn", "Beräkna"})
            QTest::addRow("%s contrast", text) << "";
        for (auto [caption, ink] : {std::pair{"Label1", "#000000"}, {"lblTitle", "#000000"},
                 {"lblVersion", "#ffffff"}}) // black on any palette, or the desktop's button text
            QTest::addRow("%s ink", caption) << ink;
    }
    void keysAndLooks()
    {
        QApplication::setPalette(QPalette(QColor(49, 54, 59)));
        Window w;
        w.menu("övrigt");
        QStringList shown, row = QString(QTest::currentDataTag()).split(' '); // control, act
        const QString act = row.value(1);
        const QWidgetList all = QApplication::allWidgets();
        QWidget* target = *std::ranges::find(all, row[0], &QObject::objectName);
        const auto lum = [&](QPalette::ColorRole role) { // relative luminance, gamma 2.2
            const QColor c = target->palette().color(role);
            return 0.05 + 0.2126 * std::pow(c.redF(), 2.2) + 0.7152 * std::pow(c.greenF(), 2.2) +
                   0.0722 * std::pow(c.blueF(), 2.2);
        };
        if (act == "menu") {
            QContextMenuEvent click(QContextMenuEvent::Keyboard, {}, target->mapToGlobal(QPoint()));
            QApplication::sendEvent(target, &click);
            for (QAction* action : QApplication::activePopupWidget()->actions())
                shown << action->text();
            QApplication::activePopupWidget()->close();
        } else if (act == "ink") {
            shown << target->palette().color(QPalette::WindowText).name();
        } else if (act.isEmpty()) {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(target);
            shown << QMetaEnum::fromType<QAccessible::Role>().valueToKey(face->role())
                  << face->text(QAccessible::Name) << face->text(QAccessible::Description);
        } else if (act == "contrast") { // text, selected text, button text: 4.5:1 at least
            for (auto [text, back] : {std::pair{QPalette::Text, QPalette::Base},
                                      {QPalette::HighlightedText, QPalette::Highlight},
                                      {QPalette::ButtonText, QPalette::Button}})
                QVERIFY(std::max(lum(text), lum(back)) >= 4.5 * std::min(lum(text), lum(back)));
            const QImage dark = target->grab().toImage(); // and the same under the default palette
            QApplication::setPalette(QPalette());
            shown << (target->grab().toImage() == dark ? "" : "changed");
        } else {
            QSignalSpy pressed(target, SIGNAL(clicked()));
            QTest::keySequence(target, QKeySequence(act));
            shown << (pressed.count() == 1 ? "pressed" : "");
        }
        QTEST(shown.join('|'), "seen");
    }
    // A teeth field holding the guard's 1, reached by a click at its right end (and emptied, or
    // not): what the user types is the count, and the reduction follows it.
    void teethTypedAreTheCount_data()
    {
        QTest::addColumn<QString>("field");     // koppling takes 68, framdrev 14
        QTest::addColumn<QStringList>("erase"); // keys pressed before typing the count
        QTest::addColumn<QString>("reduction");
        const QString koppling("koppling"), framdrev("framdrev");
        QTest::newRow("koppling after vev") << koppling << QStringList() << "5,231";
        QTest::newRow("koppling Backspace twice")
            << koppling << QStringList{"Backspace", "Backspace"} << "5,231";
        QTest::newRow("framdrev Ctrl+A Delete")
            << framdrev << QStringList{"Ctrl+A", "Delete"} << "3,000";
    }
    void teethTypedAreTheCount()
    {
        QFETCH(QString, field);
        QFETCH(QStringList, erase);
        const QString count = field == "koppling" ? "68" : "14";
        Window w;
        w.type("vev", "13");
        w.type("bakdrev", "42");
        if (!erase.isEmpty())
            w.type(field.toUtf8(), "16");
        auto* box = w.find<QLineEdit>(field.toUtf8());
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 4, box->height() / 2));
        for (const QString& key : erase)
            QTest::keySequence(box, QKeySequence(key));
        QTest::keyClicks(box, count);
        QCOMPARE(box->text(), count);
        QTEST(w.text(field == "koppling" ? "primär" : "sekundär"), "reduction");
    }
    // After a message, the focus is in the field it asks the user to type into, its text selected.
    void focusAfterMessage_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        const QString beräkna("Beräkna");
        QTest::newRow("varv with a space") << beräkna << QString("varv") << "9 000";
        QTest::newRow("gear 2 is 0") << beräkna << QString("tvåanutv") << "0";
        QTest::newRow("name with a slash") << QString("spara1") << QString("TrFilnamn") << "a/b";
    }
    void focusAfterMessage()
    {
        QFETCH(QString, button);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        Window w;
        w.menu("advanced");
        w.typeWorkedExample();
        w.type(field.toUtf8(), typed);
        w.click(button.toUtf8());
        QCOMPARE(w.messages.warnings.size(), 1);
        QCOMPARE(QApplication::focusWidget()->objectName(), field);
        QCOMPARE(w.find<QLineEdit>(field.toUtf8())->selectedText(), typed);
    }
    // Tab reaches only the controls the user sees, in their order, and a button it reaches shows
    // a focus mark whose every pixel contrasts 3:1 or more with the pixels beside it.
    void keyboardFocusIsSeen_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("ends"); // the tab chain from File1 on
        const QString enkelt = "File1|femmanutv|sexanutv|femmanhast|sexanhast|Beräkna";
        const QString avancerat = "File1|TrFilnamn|femmanutv|sexanutv|femmanhast|sexanhast|Beräkna|"
                                  "ny1|tabort1|spara1";
        QTest::newRow("enkelt") << "easy" << false << enkelt;
        QTest::newRow("Avancerat") << "advanced" << false << avancerat;
        QTest::newRow("enkelt dark") << "easy" << true << enkelt;
        QTest::newRow("Avancerat dark") << "advanced" << true << avancerat;
    }
    void keyboardFocusIsSeen()
    {
        QFETCH(QString, mode);
        QFETCH(bool, dark);
        QApplication::setPalette(dark ? QPalette(QColor(49, 54, 59)) : QPalette());
        Window w;
        w.menu("advanced"); // and back to enkelt, for its row
        w.menu(mode.toUtf8());
        QWidget* client = w.centralWidget();
        const QImage unfocused = client->grab().toImage();
        const auto lum = [](QColor c) { // relative luminance, gamma 2.2
            return 0.05 + 0.2126 * std::pow(c.redF(), 2.2) + 0.7152 * std::pow(c.greenF(), 2.2) +
                   0.0722 * std::pow(c.blueF(), 2.2);
        };
        QStringList chain;
        do {
            QWidget* focus = QApplication::focusWidget();
            chain << focus->objectName();
            QVERIFY2(client->rect().contains(focus->geometry()), qPrintable(chain.last()));
            if (qobject_cast<QPushButton*>(focus)) {
                const QImage focused = client->grab().toImage();
                const QRect button = focus->geometry();
                const auto mark = [&](QPoint p) {
                    return button.contains(p) && focused.pixel(p) != unfocused.pixel(p);
                };
                std::vector<double> contrasts; // of each mark pixel with each neighbour outside it
                for (int y = button.top(); y <= button.bottom(); ++y)
                    for (int x = button.left(); x <= button.right(); ++x)
                        for (QPoint p(x, y); QPoint side : {QPoint(1, 0), {-1, 0}, {0, 1}, {0, -1}})
                            if (mark(p) && !mark(p + side)) {
                                const double a = lum(focused.pixelColor(p));
                                const double b = lum(focused.pixelColor(p + side));
                                contrasts.push_back(std::max(a, b) / std::min(a, b));
                            }
                const double least = contrasts.empty() ? 0 : std::ranges::min(contrasts);
                QVERIFY2(least >= 3, qPrintable(QString("%1 %2:1").arg(chain.last()).arg(least)));
            }
            QTest::keyClick(focus, Qt::Key_Tab);
        } while (QApplication::focusWidget() != w.find("varv") && chain.size() < 30);
        QTEST(chain.mid(chain.indexOf("File1")).join('|'), "ends");
    }
};

DREVKALK_TEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
