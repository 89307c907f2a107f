#include "fields.h"

namespace calc {

const std::array<FieldInfo, fieldCount>& fieldCatalogue()
{
    static const std::array<FieldInfo, fieldCount> catalogue{{
        {Field::varv, "varv", "Max Varvtal", 5},
        {Field::vev, "vev", "Vevaxel", 2},
        {Field::koppling, "koppling", "Koppling", 2},
        {Field::primär, "primär", "Primär utväxling", 5},
        {Field::framdrev, "framdrev", "Framdrev", 2},
        {Field::bakdrev, "bakdrev", "Bakdrev", 2},
        {Field::sekundär, "sekundär", "Sekundär utväxling", 5},
        {Field::omkrets, "omkrets", "Bakhjulets omkrets", 3},
        {Field::ettanutv, "ettanutv", "1:an Utväxling", 5},
        {Field::tvåanutv, "tvåanutv", "2:an Utväxling", 5},
        {Field::treanutv, "treanutv", "3:an Utväxling", 5},
        {Field::fyranutv, "fyranutv", "4:an Utväxling", 5},
        {Field::femmanutv, "femmanutv", "5:an Utväxling", 0},
        {Field::sexanutv, "sexanutv", "6:an Utväxling", 0},
        {Field::ettanhast, "ettanhast", "1:an Max Hastighet", 3},
        {Field::tvåanhast, "tvåanhast", "2:an Max Hastighet", 3},
        {Field::treanhast, "treanhast", "3:an Max Hastighet", 3},
        {Field::fyranhast, "fyranhast", "4:an Max Hastighet", 3},
        {Field::femmanhast, "femmanhast", "5:an Max Hastighet", 3},
        {Field::sexanhast, "sexanhast", "6:an Max Hastighet", 3},
        {Field::Text1, "Text1", "Kommentar", 0},
        {Field::TrFilnamn, "TrFilnamn", "Filnamn", 0},
    }};
    return catalogue;
}

const FieldInfo& fieldInfo(Field field)
{
    return fieldCatalogue()[static_cast<std::size_t>(field)];
}

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
