#pragma once

#include "app/application.h"
#include "platform/messages.h"

#include <QApplication>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>

// Message boxes that tests read and answer instead of a person.
class FakeMessages : public platform::Messages
{
public:
    void warn(QWidget*, const QString& text) override { warnings << text; }
    bool askYesNo(QWidget*, const QString& title, const QString& text) override
    {
        questions << title + QLatin1Char('|') + text;
        return answer;
    }

    QStringList warnings;
    QStringList questions;
    bool answer = false;
};

// Every test function fails on a Qt warning it did not expect. The offscreen
// platform says that it cannot pass a window's size hints or stacking on to a
// window manager, which it does not have: those notices are expected.
inline void failOnAnyWarning()
{
    QTest::failOnWarning(QRegularExpression(
        QStringLiteral("^(?!This plugin does not support (propagateSizeHints|raise)\\(\\)$)")));
}

inline const QLocale swedish{QLocale::Swedish, QLocale::Sweden};
inline const QLocale english{QLocale::English, QLocale::UnitedStates};

#define DREVKALK_TEST_MAIN(TestClass)                                                              \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        QApplication application(argc, argv);                                                      \
        app::setUpApplication();                                                                   \
        QLocale::setDefault(swedish);                                                              \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
