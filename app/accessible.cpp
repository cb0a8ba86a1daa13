#include "app/accessible.h"

const wchar_t* const buttonDefaultAction = L"Premi";

std::wstring accessibleButtonName(const std::wstring& caption)
{
    static const struct {
        const wchar_t* symbol;
        const wchar_t* name;
    } symbols[] = {{L"\u00d7", L"Chiudi"},
                   {L"\u2014", L"Riduci a icona"},
                   {L"\u25a6", L"Scegli dal calendario"},
                   {L"\u232b", L"Cancella"}};
    for (const auto& s : symbols)
        if (caption == s.symbol) return s.name;
    std::wstring name = caption;
    size_t end = name.find_last_not_of(L" \u25be\u25b4");
    name.erase(end == std::wstring::npos ? 0 : end + 1);
    return name;
}

std::wstring accessibleMenuButtonName(const wchar_t* setting, const wchar_t* captionPrefix,
                                      const std::wstring& caption)
{
    std::wstring value = accessibleButtonName(caption);
    const std::wstring prefix = captionPrefix;
    if (value.compare(0, prefix.size(), prefix) == 0) value.erase(0, prefix.size());
    return std::wstring(setting) + L": " + value;
}
