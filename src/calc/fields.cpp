#include "calc/fields.h"

namespace calc {

std::string cutToLength(const std::string& text, int maxLength)
{
    if (maxLength <= 0)
        return text;
    int characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // A UTF-8 character starts at every byte that is not a continuation byte.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && characters++ == maxLength)
            return text.substr(0, i);
    }
    return text;
}

} // namespace calc
