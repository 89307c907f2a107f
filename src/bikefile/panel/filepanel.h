#pragma once

#include "platform/files/bikefilelist.h"
#include "platform/widgets/messages.h"

#include <QMetaObject>
#include <QString>

class QListView;
class QWidget;

namespace platform {
class WidgetFields;
}

namespace bikefile {

class FileList;

// The file panel: the list of bike files in the panel directory, and the
// reactions that save, load, delete and start anew. The directory is the
// working directory at start, held open from then on: every list, load, save
// and delete works in it, wherever its name later leads.
class FilePanel
{
public:
    // File1 is the list, whose names the panel keeps; window is the parent of the message boxes.
    FilePanel(platform::WidgetFields& fields, QListView& File1, platform::Messages& messages,
              QWidget& window);
    ~FilePanel();
    FilePanel(const FilePanel&) = delete;
    FilePanel& operator=(const FilePanel&) = delete;

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
    // The selected row, or -1.
    int selectedRow() const;
    void load(int row);

    platform::WidgetFields& m_fields;
    QListView& m_list;
    FileList* m_names; // owned by the list
    QMetaObject::Connection m_selection;
    platform::Messages& m_messages;
    QWidget& m_window;
    platform::Directory m_directory;
};

} // namespace bikefile
