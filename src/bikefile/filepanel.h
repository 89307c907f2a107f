#pragma once

#include "platform/messages.h"

#include <QString>

class QListWidget;
class QWidget;

namespace calc {
class Fields;
}

namespace bikefile {

// The file panel: the list of bike files in the panel directory, and the
// reactions that save, load, delete and start anew. The directory is the
// working directory at start and does not change while the program runs.
class FilePanel
{
public:
    // File1 is the list; window is the parent of the message boxes.
    FilePanel(calc::Fields& fields, QListWidget& File1, platform::Messages& messages,
              QWidget& window);

    QString directory() const { return m_directory; }

    // Reactions.
    void Form_Load();
    void Dir1_Change();
    void File1_Click();
    void spara1_Click();
    void tabort1_Click();
    void ny1_Click();

private:
    // Reads the list again; nothing is selected afterwards, and nothing loads.
    void readList();
    QString selectedName() const;
    void load(const QString& name);

    calc::Fields& m_fields;
    QListWidget& m_list;
    platform::Messages& m_messages;
    QWidget& m_window;
    QString m_directory;
};

} // namespace bikefile
