#include "platform/decimalseparator.h"

#include <QLocale>

namespace platform {

std::string decimalSeparator()
{
    return QLocale().decimalPoint().toStdString();
}

} // namespace platform
