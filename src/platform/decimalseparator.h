#pragma once

#include <string>

namespace platform {

// The decimal separator of the user's regional settings, as UTF-8. It follows
// QLocale's default locale, which tests can pin with QLocale::setDefault().
std::string decimalSeparator();

} // namespace platform
