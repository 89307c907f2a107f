#pragma once

#include "platform/files/bikefilelist.h"

#include <QAbstractListModel>

#include <string_view>

namespace bikefile {

// What the list File1 shows: the bike files of the panel directory, one row a name, as read at
// the last readList. The names stay as the directory's bytes; a row's text is made when the
// view asks for it, so a directory of a hundred thousand files costs a few bytes a name.
class FileList : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // Reads the directory again; the view loses its selection and current row.
    void read(const platform::Directory& directory);
    std::string_view raw(int row) const { return m_names.raw(row); }
    QString shown(int row) const { return m_names.shown(row); }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    platform::BikeFileNames m_names;
};

} // namespace bikefile
