#include "app/application.h"

#include <QApplication>
#include <QStyleFactory>

namespace app {

void setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral(DREVKALK_NAME));
    QApplication::setApplicationVersion(QStringLiteral(DREVKALK_VERSION));
    // Fusion draws boxes and button faces in the palette colours the window sets.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}

} // namespace app
