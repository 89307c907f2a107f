#include "bikefile/panel/filelist.h"

namespace bikefile {

void FileList::read(const platform::Directory& directory)
{
    beginResetModel();
    m_names = platform::listBikeFiles(directory);
    endResetModel();
}

int FileList::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_names.size();
}

QVariant FileList::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    return m_names.shown(index.row());
}

} // namespace bikefile
