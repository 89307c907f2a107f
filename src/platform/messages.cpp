#include "platform/messages.h"

#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {

class ScreenMessages : public Messages
{
public:
    void warn(QWidget* parent, const QString& text) override
    {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Drevkalk"), text, QMessageBox::Ok,
                        parent);
        box.exec();
    }

    bool askYesNo(QWidget* parent, const QString& title, const QString& text) override
    {
        QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, parent);
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

Messages& screenMessages()
{
    static ScreenMessages messages;
    return messages;
}

} // namespace platform
