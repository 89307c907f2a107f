#include "app/application.h"

#include <QApplication>
#include <QStyleFactory>

namespace app {

void setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral(DREVKALK_NAME));
    QApplication::setApplicationVersion(QStringLiteral(DREVKALK_VERSION));
    // Wayland compositors and docks match the window to its desktop entry and icon by this.
    QApplication::setDesktopFileName(QStringLiteral(DREVKALK_APP_ID));
    // Fusion draws boxes and button faces in the palette colours the window sets.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}

} // namespace app
