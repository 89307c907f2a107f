#pragma once

#include "app/application.h"
#include "app/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

// Every test function fails on a Qt warning it did not expect. The offscreen platform says
// that it cannot pass size hints, stacking or a popup's keyboard grab on to a window manager.
inline void failOnAnyWarning()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^(?!This plugin does not support "
        "(propagateSizeHints\\(\\)|raise\\(\\)|grabbing the keyboard)$)")));
}

// Message boxes that tests read and answer instead of a person.
struct FakeMessages : platform::Messages
{
    void warn(QWidget*, const QString& text) override { warnings << text; }
    bool askYesNo(QWidget*, const QString& title, const QString& text) override
    { return questions << title + '|' + text, answer; }
    QStringList warnings, questions;
    bool answer = false;
};
struct WindowMessages { FakeMessages messages; };

// The main window on the screen, driven as a user does: through the names of its controls.
struct Window : WindowMessages, app::MainWindow
{
    Window() : app::MainWindow(messages) { failOnAnyWarning(), show(), waitForActive(); }
    void waitForActive() { QVERIFY(QTest::qWaitForWindowActive(this)); }
    template <class T = QWidget> T* find(const char* name) const
    {
        T* found = findChild<T*>(QString::fromUtf8(name));
        return found ? found : (qFatal("no %s", name), nullptr);
    }
    void menu(const char* item) const { find<QAction>(item)->trigger(); }
    void click(const char* name) const { QTest::mouseClick(find(name), Qt::LeftButton); }
    QString text(const char* name) const { return find<QLineEdit>(name)->text(); }
    QString allTexts() const
    {
        QString all = find<QPlainTextEdit>("Text1")->toPlainText();
        for (QLineEdit* box : findChildren<QLineEdit*>())
            all += '|' + box->text();
        return all;
    }
    // Tabbing into a field selects what it holds: the first key replaces it.
    void type(const char* name, const QString& keys) const
    {
        auto* box = find<QLineEdit>(name);
        box->setFocus(Qt::TabFocusReason), box->selectAll();
        keys.isEmpty() ? QTest::keyClick(box, Qt::Key_Delete) : QTest::keyClicks(box, keys);
    }
    void typeWorkedExample() const // 11000 rpm, 24/60 teeth, 14/40 sprockets, gear 1, 190 cm
    {
        for (auto [name, keys] : {std::pair{"varv", "11000"}, {"vev", "24"}, {"koppling", "60"},
                 {"framdrev", "14"}, {"bakdrev", "40"}, {"ettanutv", "1"}, {"omkrets", "190"}})
            type(name, keys);
    }
};

// The test class's functions in an application set up as the program's, in Swedish.
#define DREVKALK_TEST_MAIN(TestClass) int main(int argc, char* argv[]) {                    \
        QApplication application(argc, argv);                                                  \
        app::setUpApplication(), QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden)); \
        return QTest::qExec(std::make_unique<TestClass>().get(), argc, argv); }
