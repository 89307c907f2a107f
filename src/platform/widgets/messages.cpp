#include "platform/widgets/messages.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {

// Every text is shown as written: a message names files, and a file's name may hold anything,
// markup too, which must neither change what the box says nor how large it is.
class ScreenMessages : public Messages
{
public:
    void warn(QWidget* parent, const QString& text) override
    {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Drevkalk"), text, QMessageBox::Ok,
                        parent);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }

    bool askYesNo(QWidget* parent, const QString& title, const QString& text) override
    {
        QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, parent);
        box.setTextFormat(Qt::PlainText);
        // Alt+J and Alt+N answer; Enter and Escape answer No.
        QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("&Nej"), QMessageBox::NoRole);
        box.setDefaultButton(no);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes;
    }
};

} // namespace

void Messages::warnAbout(QWidget* parent, const QString& text, QWidget* control)
{
    warn(parent, text);
    if (!control)
        return;
    control->setFocus(Qt::OtherFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(control))
        line->selectAll();
}

Messages& screenMessages()
{
    static ScreenMessages messages;
    return messages;
}

} // namespace platform
