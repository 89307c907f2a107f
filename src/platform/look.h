#pragma once

#include <QFont>

namespace platform {

// The face every caption and box asks for: "MS Sans Serif", bold, at the
// given size. Liberation Sans is metric-compatible with the usual Windows
// sans serif and stands in where the original face is missing.
QFont captionFont(double points, bool underline = false);

} // namespace platform
