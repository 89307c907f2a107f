#include "platform/files/reasons.h"

#include <cerrno>
#include <cstring>

namespace platform {

QString reasonText(int errorNumber)
{
    switch (errorNumber) {
    case ENOENT:
        return QStringLiteral("filen eller mappen finns inte.");
    case EACCES:
    case EPERM:
        return QStringLiteral("du saknar behörighet.");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("disken är full.");
    case ENAMETOOLONG:
        return QStringLiteral("namnet är för långt.");
    case EROFS:
        return QStringLiteral("filsystemet är skrivskyddat.");
    case EISDIR:
        return QStringLiteral("det är en mapp, inte en fil.");
    case EFBIG:
        return QStringLiteral("filen blir större än filsystemet tillåter.");
    case EIO:
        return QStringLiteral("disken kunde inte läsas eller skrivas.");
    default:
        return QString::fromLocal8Bit(std::strerror(errorNumber)) + QLatin1Char('.');
    }
}

} // namespace platform
