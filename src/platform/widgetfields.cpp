#include "platform/widgetfields.h"

#include "calc/ratios.h"
#include "platform/decimalseparator.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>

namespace platform {

void WidgetFields::bind(calc::Field field, QWidget* box)
{
    m_boxes[static_cast<std::size_t>(field)] = box;
    // A QLineEdit signals only real changes, typed or assigned, and before
    // setText() returns: the reaction runs inside the assignment.
    if (auto* line = qobject_cast<QLineEdit*>(box))
        QObject::connect(line, &QLineEdit::textChanged, line,
                         [this, field] { calc::fieldChanged(*this, field); });
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
        // every character and separates the lines with the paragraph separator.
        QString text = plain->document()->toRawText();
        text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        return text.toStdString();
    }
    return {};
}

void WidgetFields::setText(calc::Field field, const std::string& text)
{
    QWidget* widget = box(field);
    const QString value = QString::fromStdString(text);
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        line->setText(value); // cuts to the max length
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget))
        plain->setPlainText(value);
}

std::string WidgetFields::decimalSeparator() const
{
    return platform::decimalSeparator();
}

} // namespace platform
