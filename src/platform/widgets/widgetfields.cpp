#include "platform/widgets/widgetfields.h"

#include "calc/ratios.h"
#include "platform/widgets/teethbox.h"

#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTextDocument>

namespace platform {

void WidgetFields::bind(calc::Field field, QWidget* box)
{
    m_boxes[static_cast<std::size_t>(field)] = box;
    // A QLineEdit signals only real changes, typed or assigned, and before
    // setText() returns: the reaction runs inside the assignment.
    if (auto* line = qobject_cast<QLineEdit*>(box))
        QObject::connect(line, &QLineEdit::textChanged, line, [this, field] {
            ++m_reacting;
            calc::fieldChanged(*this, field);
            --m_reacting;
        });
}

QWidget* WidgetFields::box(calc::Field field) const
{
    return m_boxes[static_cast<std::size_t>(field)];
}

std::string WidgetFields::text(calc::Field field) const
{
    QWidget* widget = box(field);
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        return line->text().toStdString();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
        // toPlainText() would turn a non-breaking space into a plain one; the raw text keeps
        // every character and separates the lines with the paragraph separator. Shift+Enter
        // breaks a line with the line separator: a line break all the same.
        QString text = plain->document()->toRawText();
        text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        text.replace(QChar::LineSeparator, QLatin1Char('\n'));
        return text.toStdString();
    }
    return {};
}

void WidgetFields::setText(calc::Field field, const std::string& text)
{
    QWidget* widget = box(field);
    const QString value = QString::fromStdString(text);
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        line->setText(value); // cuts to the max length
        // A teeth count written by a change reaction is a guard's: it completes a count the user
        // has not typed, and stands in until the user does.
        if (auto* teeth = dynamic_cast<TeethBox*>(line); teeth && m_reacting > 0)
            teeth->holdStandIn();
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget))
        plain->setPlainText(value);
}

// The separator of QLocale's default locale, which tests pin with QLocale::setDefault().
std::string WidgetFields::decimalSeparator() const
{
    return QLocale().decimalPoint().toStdString();
}

} // namespace platform
