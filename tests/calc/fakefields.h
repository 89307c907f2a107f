#pragma once

#include "calc/fields.h"
#include "calc/ratios.h"

#include <array>
#include <string>

// The window's fields without a window: max lengths cut assigned texts, and a
// change runs the field's reaction at once, inside the assignment.
class FakeFields : public calc::Fields
{
public:
    explicit FakeFields(std::string separator = ",") : m_separator(std::move(separator)) {}

    std::string text(calc::Field field) const override { return m_texts[index(field)]; }

    void setText(calc::Field field, const std::string& text) override
    {
        const std::string cut = calc::cutToLength(text, calc::fieldInfo(field).maxLength);
        if (cut == m_texts[index(field)])
            return;
        m_texts[index(field)] = cut;
        ++changes;
        calc::fieldChanged(*this, field);
    }

    std::string decimalSeparator() const override { return m_separator; }

    int changes = 0;

private:
    static std::size_t index(calc::Field field) { return static_cast<std::size_t>(field); }

    std::array<std::string, calc::fieldCount> m_texts;
    std::string m_separator;
};
