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
    QTest::failOnWarning(QRegularExpression(
        QStringLiteral("^(?!This plugin does not support "
                       "(propagateSizeHints\\(\\)|raise\\(\\)|grabbing the keyboard)$)")));
}

// The control of that name in a window; a missing one fails the test, which goes on with the
// window's first control of that kind.
template <class T = QWidget> T* findIn(QWidget& window, const QString& name)
{
    if (T* found = window.findChild<T*>(name))
        return found;
    const QString where = window.metaObject()->className();
    QTest::qFail(qPrintable("no control \"" + name + "\" in " + where), __FILE__, __LINE__);
    return window.findChild<T*>();
}

// The program's top-level windows of that name (About's is "frmAbout"), closed ones deleted.
inline QWidgetList topLevels(const QString& name)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QWidgetList all = QApplication::topLevelWidgets();
    all.removeIf([&](const QWidget* window) { return window->objectName() != name; });
    return all;
}

// Message boxes that tests read and answer instead of a person.
struct FakeMessages : platform::Messages
{
    void warn(QWidget*, const QString& text) override { warnings << text; }
    bool askYesNo(QWidget*, const QString& title, const QString& text) override
    {
        questions << title + '|' + text;
        return answer;
    }
    QStringList warnings;
    QStringList questions; // each as "title|text"
    bool answer = false;
};
// The main window on the screen, driven as a user does: through the names of its controls.
struct Window : FakeMessages, app::MainWindow
{
    FakeMessages& messages = *this;
    // A window that does not become active fails the test; a constructor cannot end it.
    Window() : app::MainWindow(static_cast<FakeMessages&>(*this))
    {
        failOnAnyWarning();
        show();
        if (!QTest::qWaitForWindowActive(this))
            QTest::qFail("the main window did not become active", __FILE__, __LINE__);
    }
    template <class T = QWidget> T* find(const QString& name) const
    {
        return findIn<T>(*const_cast<Window*>(this), name);
    }
    void menu(const QString& item) const { find<QAction>(item)->trigger(); }
    void click(const QString& name) const { QTest::mouseClick(find(name), Qt::LeftButton); }
    QString text(const QString& name) const { return find<QLineEdit>(name)->text(); }
    // Tabbing into a box selects what it holds: the first key replaces it.
    void type(const QString& name, const QString& keys) const
    {
        auto* box = find<QLineEdit>(name);
        box->setFocus(Qt::TabFocusReason);
        box->selectAll();
        QTest::keyClicks(box, keys);
    }
    // 11000 rpm, 24/60 teeth, 14/40 sprockets, gear 1, 190 cm.
    void typeWorkedExample() const
    {
        const std::pair<const char*, const char*> example[] = {
            {"varv", "11000"}, {"vev", "24"},     {"koppling", "60"}, {"framdrev", "14"},
            {"bakdrev", "40"}, {"ettanutv", "1"}, {"omkrets", "190"}};
        for (const auto& [field, keys] : example)
            type(field, keys);
    }
};

// The test class's functions in an application set up as the program's, in Swedish.
#define DREVKALK_TEST_MAIN(TestClass)                                                              \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        QApplication application(argc, argv);                                                      \
        app::setUpApplication();                                                                   \
        QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));                           \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
