#pragma once

#include <QString>

namespace platform {

// Why a file operation failed, in Swedish, for the end of a message
// ("Filen \"x.hoj\" kunde inte sparas: disken är full."). Takes an errno
// value; a reason the program does not word itself falls back to the
// system's own text.
QString reasonText(int errorNumber);

} // namespace platform
