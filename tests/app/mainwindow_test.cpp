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
    // controls in bold 9.75 pt and the three submenus of Inställningar.
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
        QCOMPARE(w.find<QMenu>("options")->actions().size(), 3); // Mode, Måttenhet, bakhjulet
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
        QTest::newRow("band 1 ends") << u"Drevkalk"_s << QRect(2, 140, 1, 1) << QColor(100, 0, 255);
        QTest::newRow("band 2 starts")
            << u"Drevkalk"_s << QRect(3, 140, 1, 1) << QColor(101, 0, 254);
        QTest::newRow("strip") << u"Drevkalk"_s << QRect(290, 515, 1, 1) << QColor(196, 0, 159);
        QTest::newRow("red line") << u"Drevkalk"_s << QRect(140, 62, 1, 1) << QColor(Qt::red);
        QTest::newRow("caption") << u"Label1"_s << QRect() << QColor(Qt::black);
        QTest::newRow("typed text") << u"koppling"_s << QRect() << QColor(Qt::yellow);
        QTest::newRow("speed text") << u"ettanhast"_s << QRect() << QColor(Qt::green);
        QTest::newRow("box") << u"primär"_s << QRect(52, 12, 1, 1) << QColor(128, 128, 255);
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
    // A million characters pasted into the comment, twice, shown where the paste ends: each box
    // keeps what a bike file can hold, or its field's own limit.
    void longTextIsCut()
    {
        Window w;
        const QString lines = QString("ö\n").repeated(500'000);
        QApplication::clipboard()->setText(lines);
        auto* comment = w.find<QPlainTextEdit>("Text1");
        comment->setFocus();
        QTest::keyClick(comment, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(comment, Qt::Key_A, Qt::ControlModifier); // a full box, pasted over
        QTest::keyClick(comment, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(comment->toPlainText(), lines.left(65536));
        const QScrollBar* bar = comment->verticalScrollBar();
        QCOMPARE(bar->value(), bar->maximum());
        QCOMPARE(w.find<QLineEdit>("femmanutv")->maxLength(), 65536);
        QCOMPARE(w.find<QLineEdit>("varv")->maxLength(), 5);
    }
    // The comment box's own menu borrows the line boxes' Swedish words, and Qt's older ones.
    void commentMenuWords()
    {
        QCOMPARE(QCoreApplication::translate("QWidgetTextControl", "&Undo"), "&Ångra");
        QCOMPARE(QCoreApplication::translate("QWidgetTextControl", "Copy &Link Location"),
                 "Kopiera &länkplats");
    }
    // A teeth field holding the guard's 1, reached by a click at its right end (and emptied, or
    // not): what the user types is the count, digits only, and the reduction follows it.
    void teethTypedAreTheCount_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("erase"); // keys pressed before typing
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("reduction");
        QTest::newRow("koppling after vev") << "koppling" << QStringList() << "6a-,.8"
                                            << "68"
                                            << "5,231";
        QTest::newRow("framdrev Ctrl+A Delete")
            << "framdrev" << QStringList{"Ctrl+A", "Delete"} << "14"
            << "14"
            << "3,000";
    }
    void teethTypedAreTheCount()
    {
        QFETCH(QString, field);
        QFETCH(QStringList, erase);
        QFETCH(QString, keys);
        Window w;
        w.type("vev", "13");
        w.type("bakdrev", "42");
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
    // Enter presses a button; after its message, the focus is in the field the message asks the
    // user to type into, its text selected.
    void focusAfterMessage_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::newRow("varv with a space") << u"Beräkna"_s << u"varv"_s << u"9 000"_s;
        QTest::newRow("name with a slash") << u"spara1"_s << u"TrFilnamn"_s << u"a/b"_s;
    }
    void focusAfterMessage()
    {
        QFETCH(QString, button);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        Window w;
        w.menu("advanced");
        w.typeWorkedExample();
        w.type(field, typed);
        QTest::keyClick(w.find(button), Qt::Key_Return);
        QCOMPARE(w.messages.warnings.size(), 1);
        QCOMPARE(QApplication::focusWidget()->objectName(), field);
        QCOMPARE(w.find<QLineEdit>(field)->selectedText(), typed);
    }
    // Tab reaches only the controls the user sees, in their order (from the list on, under the
    // names that assistive tools read, "*": read-only); a button it reaches shows a focus mark
    // whose every pixel contrasts 3:1 or more with the pixels beside it.
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
        w.menu("advanced"); // and back to enkelt, for its row
        w.menu(mode);
        QWidget* client = w.centralWidget();
        const QImage unfocused = client->grab().toImage();
        const auto lum = [](QColor c) { // relative luminance, gamma 2.2
            return 0.05 + 0.2126 * std::pow(c.redF(), 2.2) + 0.7152 * std::pow(c.greenF(), 2.2) +
                   0.0722 * std::pow(c.blueF(), 2.2);
        };
        QStringList chain;
        do {
            QWidget* focus = QApplication::focusWidget();
            const QAccessibleInterface* face = QAccessible::queryAccessibleInterface(focus);
            chain << face->text(QAccessible::Name) + (face->state().readOnly ? "*" : "");
            QVERIFY2(client->rect().contains(focus->geometry()), qPrintable(chain.last()));
            if (qobject_cast<QPushButton*>(focus)) {
                const QImage focused = client->grab().toImage();
                const QRect button = focus->geometry();
                const auto mark = [&](QPoint p) {
                    return button.contains(p) && focused.pixel(p) != unfocused.pixel(p);
                };
                const auto ratio = [&](QPoint p, QPoint q) {
                    const double a = lum(focused.pixelColor(p));
                    const double b = lum(focused.pixelColor(q));
                    return std::max(a, b) / std::min(a, b);
                };
                double least = 99; // of each mark pixel with each neighbour outside it, at most 21
                for (int y = button.top(); y <= button.bottom(); ++y)
                    for (int x = button.left(); x <= button.right(); ++x)
                        for (QPoint p(x, y); QPoint side : {QPoint(1, 0), {-1, 0}, {0, 1}, {0, -1}})
                            if (mark(p) && !mark(p + side))
                                least = std::min(least, ratio(p, p + side));
                const QString seen = QString("%1 %2:1").arg(chain.last()).arg(least);
                QVERIFY2(least >= 3 && least <= 21, qPrintable(seen));
                for (const QPushButton* other : client->findChildren<QPushButton*>()) {
                    const QRect r = other->geometry(); // the mark is on the focused one only
                    const bool same = other == focus || focused.copy(r) == unfocused.copy(r);
                    QVERIFY2(same, qPrintable(chain.last() + ": " + other->objectName()));
                }
            }
            QTest::keyClick(focus, Qt::Key_Tab);
        } while (QApplication::focusWidget() != w.find("varv") && chain.size() < 30);
        QTEST(chain.mid(chain.indexOf("Sparade hojar")).join('|'), "ends");
    }
};

DREVKALK_TEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
