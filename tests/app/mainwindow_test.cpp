#include "testsupport.h"

#include <QAccessible>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>

using namespace Qt::StringLiterals;

class MainWindowTest : public QObject
{
    Q_OBJECT
private slots:
    // The window opens fixed in size, not maximisable, with the circumference's caption, the
    // controls in bold 9.75 pt, a box without a limit of its own holding what a bike file can,
    // tooltips, reductions the user cannot type into, and the menus as built from their table.
    void startState()
    {
        Window w;
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QCOMPARE(w.windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
        QCOMPARE(w.windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint),
                 Qt::WindowMinimizeButtonHint);
        QVERIFY(w.find("Label7")->isVisible());
        QVERIFY(w.find("Label12")->isHidden());
        QCOMPARE(w.find("varv")->font().pointSizeF(), 9.75);
        QCOMPARE(w.find("varv")->font().weight(), QFont::Bold);
        QCOMPARE(w.find<QLineEdit>("femmanutv")->maxLength(), 65536);
        QCOMPARE(w.find<QLineEdit>("varv")->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);
        QCOMPARE(w.find("varv")->toolTip(), "Här skriver du in max varvtal");
        for (const char* reduction : {"primär", "sekundär"})
            QVERIFY2(w.find<QLineEdit>(reduction)->isReadOnly(), reduction);
        QStringList menus;
        for (const QMenu* menu : w.findChildren<QMenu*>(QRegularExpression(".")))
            for (const QAction* item : menu->actions())
                menus << menu->title() + ">" + item->text();
        QCOMPARE(menus.join(' '),
                 "Inställningar>Mode Inställningar>Måttenhet Inställningar>bakhjulet "
                 "Mode>enkelt Mode>Avancerat Måttenhet>Kmh Måttenhet>Mph "
                 "bakhjulet>Omkrets bakhjulet>Axelhöjd");
    }
    // The regional settings give the decimal separator.
    void decimalSeparator()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Window w;
        w.typeWorkedExample();
        QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
        QCOMPARE(w.text("primär"), "2.500");
    }
    // Each menu item's reaction (a greyed one has none): the client area's height, the checked
    // items, the wheel caption. The window starts with caption and marks changed, so that a
    // reaction that sets them back shows.
    void menuReactions_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<bool>("circumference");
        QTest::newRow("Avancerat") << u"advanced"_s << 518 << u"Avancerat Kmh Axelhöjd"_s << false;
        QTest::newRow("enkelt") << u"advanced easy"_s << 439 << u"enkelt Kmh Axelhöjd"_s << false;
        QTest::newRow("Omkrets") << u"Omkretsen"_s << 439 << u"enkelt Kmh Omkrets"_s << true;
        QTest::newRow("Kmh") << u"inställningswe"_s << 439 << u"enkelt Kmh Axelhöjd"_s << true;
        QTest::newRow("Mph") << u"inställningeng"_s << 439 << u"enkelt Kmh Axelhöjd"_s << false;
        QTest::newRow("Axelhöjd") << u"Axelhöjden"_s << 439 << u"enkelt Kmh Axelhöjd"_s << false;
    }
    void menuReactions()
    {
        QFETCH(QString, chosen);
        QFETCH(int, height);
        QFETCH(QString, checked);
        QFETCH(bool, circumference);
        Window w;
        w.find("Label7")->hide();
        w.find("Label12")->show();
        w.find<QAction>("Omkretsen")->setChecked(false);
        w.find<QAction>("Axelhöjden")->setChecked(true);
        for (const QString& item : chosen.split(' '))
            w.menu(item);
        QCOMPARE(w.centralWidget()->height(), height);
        QStringList nowChecked;
        for (const QAction* item : w.findChildren<QAction*>())
            if (item->isChecked())
                nowChecked << item->text();
        QCOMPARE(nowChecked.join(' '), checked);
        QCOMPARE(w.find("Label7")->isVisible(), circumference);
        QCOMPARE(w.find("Label12")->isVisible(), !circumference);
    }
    // Avancerat after the worked example, varv selected: the gradient (band k on the pixels
    // 3(k - 1) to 3k - 1) down to the strip Avancerat uncovers, the red lines, the colours of text,
    // boxes and selection, the flat button face; each somewhere in the area (null: the control).
    void colours_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("band 2 starts")
            << u"Drevkalk"_s << QRect(3, 140, 1, 1) << QColor(101, 0, 254);
        QTest::newRow("strip") << u"Drevkalk"_s << QRect(290, 515, 1, 1) << QColor(196, 0, 159);
        QTest::newRow("red line") << u"Drevkalk"_s << QRect(140, 62, 1, 1) << QColor(Qt::red);
        QTest::newRow("caption") << u"Label1"_s << QRect() << QColor(Qt::black);
        QTest::newRow("typed text") << u"koppling"_s << QRect() << QColor(Qt::yellow);
        QTest::newRow("speed text") << u"ettanhast"_s << QRect() << QColor(Qt::green);
        QTest::newRow("box") << u"primär"_s << QRect(52, 12, 1, 1) << QColor(128, 128, 255);
        QTest::newRow("list") << u"File1"_s << QRect() << QColor(128, 128, 255);
        QTest::newRow("selection") << u"varv"_s << QRect() << QColor(0, 0, 128);
        QTest::newRow("button face") << u"ny1"_s << QRect(2, 31, 1, 1) << QColor(128, 128, 128);
    }
    void colours()
    {
        QFETCH(QString, control);
        QFETCH(QRect, area);
        QFETCH(QColor, colour);
        Window w;
        w.menu("advanced");
        w.typeWorkedExample();
        w.click("Beräkna");
        w.find("varv")->setFocus();
        w.find<QLineEdit>("varv")->selectAll();
        const QImage image =
            w.find(control)->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(area);
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
        const QString first = QColor(image.pixel(0, 0)).name();
        QVERIFY2(std::count(pixels, pixels + image.width() * image.height(), colour.rgb()) > 0,
                 qPrintable("no " + colour.name() + " there; the first pixel is " + first));
    }
    // Every caption fits its box as laid out, About's too; run again at QT_SCALE_FACTOR=2.
    void captionsFit()
    {
        Window w;
        w.menu("övrigt");
        for (QWidget* widget : QApplication::allWidgets()) {
            const auto* label = qobject_cast<QLabel*>(widget);
            if (!label || label->text().isEmpty())
                continue;
            const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
            const QRect need =
                label->fontMetrics().boundingRect(label->rect(), flags, label->text());
            QVERIFY2(label->rect().contains(need), qPrintable(label->text()));
        }
    }
    // A paste into the comment is cut where the box would hold more than a bike file can, never
    // in the middle of a character, and shown where it ends ("x": a character already there,
    // after the caret or selected).
    void pasteIsCut_data()
    {
        QTest::addColumn<int>("kept");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("added");
        const QString lines = QString("ö\n").repeated(500'000);
        QTest::newRow("a million over all") << 65536 << 65536 << lines << lines.left(65536);
        QTest::newRow("an emoji across the limit") << 65534 << 0 << u"a😀"_s << u"a"_s;
        QTest::newRow("an emoji at the limit") << 65535 << 0 << u"😀"_s << u""_s;
        QTest::newRow("into a full box") << 65536 << 0 << u"ab"_s << u""_s;
    }
    void pasteIsCut()
    {
        QFETCH(int, kept);
        QFETCH(int, selected);
        QFETCH(QString, pasted);
        Window w;
        auto* comment = w.find<QPlainTextEdit>("Text1");
        comment->setPlainText(QString(kept, 'x'));
        comment->setFocus();
        QTextCursor cursor = comment->textCursor();
        cursor.movePosition(QTextCursor::End);
        cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, selected);
        comment->setTextCursor(cursor);
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(comment, Qt::Key_V, Qt::ControlModifier);
        QTEST(comment->toPlainText().mid(kept - selected), "added");
        const QScrollBar* bar = comment->verticalScrollBar();
        QCOMPARE(bar->value(), bar->maximum());
    }
    // The comment box's own menu borrows the line boxes' Swedish words, and Qt's older ones.
    void commentMenuWords()
    {
        QCOMPARE(QCoreApplication::translate("QWidgetTextControl", "&Undo"), "&Ångra");
        QCOMPARE(QCoreApplication::translate("QWidgetTextControl", "Copy &Link Location"),
                 "Kopiera &länkplats");
    }
    // A teeth field holding the guard's 1, reached by a click at its right end (and emptied, or
    // not): what the user types is the count, digits only in every teeth box (vev and bakdrev
    // too), and the reduction follows it.
    void teethTypedAreTheCount_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("erase"); // keys pressed before typing
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("reduction");
        QTest::newRow("koppling after vev")
            << u"koppling"_s << QStringList() << u"1a-,.8"_s << u"18"_s << u"1,385"_s;
        QTest::newRow("framdrev Ctrl+A Delete") << u"framdrev"_s << QStringList{"Ctrl+A", "Delete"}
                                                << u"1a4"_s << u"14"_s << u"3,000"_s;
    }
    void teethTypedAreTheCount()
    {
        QFETCH(QString, field);
        QFETCH(QStringList, erase);
        QFETCH(QString, keys);
        Window w;
        w.type("vev", "1-3");
        w.type("bakdrev", "4,2");
        if (!erase.isEmpty())
            w.type(field, "16");
        auto* box = w.find<QLineEdit>(field);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 4, box->height() / 2));
        for (const QString& key : erase)
            QTest::keySequence(box, QKeySequence(key));
        QTest::keyClicks(box, keys);
        QTEST(box->text(), "count");
        QTEST(w.text(field == "koppling" ? "primär" : "sekundär"), "reduction");
    }
    // Enter presses "Beräkna"; after its message, the focus is in the field the message asks the
    // user to type into, its text selected.
    void focusAfterMessage()
    {
        Window w;
        w.typeWorkedExample();
        w.type("varv", "9 000");
        QTest::keyClick(w.find("Beräkna"), Qt::Key_Return);
        QCOMPARE(w.messages.warnings.size(), 1);
        QCOMPARE(QApplication::focusWidget()->objectName(), "varv");
        QCOMPARE(w.find<QLineEdit>("varv")->selectedText(), "9 000");
    }
    // Tab reaches only the controls the user sees, in their order (from the list on, under the
    // names that assistive tools read, "*": read-only), also after a mode hid the focused one;
    // the button it reaches alone shows a white ring on its outline, a black one inside (w, b; "-":
    // neither, as on a button it does not reach).
    void keyboardFocusIsSeen_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("ends");
        const QString gears =
            "5:an utväxling|6:an utväxling|5:an max hastighet*|6:an max hastighet*";
        QTest::newRow("enkelt") << "easy" << false << "Sparade hojar|" + gears + "|Beräkna";
        QTest::newRow("Avancerat dark")
            << "advanced" << true << "Sparade hojar|Filnamn|" + gears + "|Beräkna|Ny|Ta bort|spara";
    }
    void keyboardFocusIsSeen()
    {
        QFETCH(QString, mode);
        QFETCH(bool, dark);
        QApplication::setPalette(dark ? QPalette(QColor(49, 54, 59)) : QPalette());
        Window w;
        QWidget* client = w.centralWidget();
        w.menu("advanced");
        w.find("spara1")->setFocus(); // enkelt hides it: the focus moves on, to varv
        w.menu("easy");
        w.menu(mode);
        QStringList chain;
        do {
            QWidget* focus = QApplication::focusWidget();
            const QAccessibleInterface* face = QAccessible::queryAccessibleInterface(focus);
            chain << face->text(QAccessible::Name) + (face->state().readOnly ? "*" : "");
            QVERIFY2(client->rect().contains(focus->geometry()), qPrintable(chain.last()));
            const QImage now = client->grab().toImage();
            for (const QPushButton* button : client->findChildren<QPushButton*>()) {
                // The outline and the pixel inside it, at the middle of each side.
                const QImage b = now.copy(button->geometry());
                const int x = b.width() / 2;
                const int y = b.height() / 2;
                const int r = b.width() - 1;
                const int d = b.height() - 1;
                QString ring = button->objectName() + ' ';
                for (QPoint p :
                     {QPoint(x, 0), {x, 1}, {x, d}, {x, d - 1}, {0, y}, {1, y}, {r, y}, {r - 1, y}})
                    ring += b.pixelColor(p) == Qt::white   ? 'w'
                            : b.pixelColor(p) == Qt::black ? 'b'
                                                           : '-';
                QCOMPARE(ring,
                         button->objectName() + (button == focus ? " wbwbwbwb" : " --------"));
            }
            QTest::keyClick(focus, Qt::Key_Tab);
        } while (QApplication::focusWidget() != w.find("varv") && chain.size() < 30);
        QTEST(chain.mid(chain.indexOf("Sparade hojar")).join('|'), "ends");
    }
};

DREVKALK_TEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
