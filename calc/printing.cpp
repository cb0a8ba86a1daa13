#include "calc/printing.h"

std::wstring buildTapeText(const std::vector<std::wstring>& tapeLines, const std::wstring& displayText,
                           const std::wstring& printedAt)
{
    std::wstring text = L"ZENTOLO - FERLAN\r\nNastro calcoli\r\n" + printedAt + L"\r\n\r\n";
    for (const std::wstring& line : tapeLines) text += line + L"\r\n";
    text += L"\r\nULTIMO RISULTATO: " + displayText + L"\r\n";
    return text;
}

std::wstring printedAtLine(const CivilDate& date, int hour, int minute)
{
    auto twoDigits = [](int v) {
        return std::wstring{static_cast<wchar_t>(L'0' + v / 10), static_cast<wchar_t>(L'0' + v % 10)};
    };
    return L"Stampato il " + weekdayAndDate(dateToDayNumber(date)) + L" alle " + twoDigits(hour) + L":" +
           twoDigits(minute);
}

std::wstring pageNumberLine(int page, int pageCount)
{
    return L"Pagina " + std::to_wstring(page) + L" di " + std::to_wstring(pageCount);
}

std::vector<std::wstring> printedLines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

PageLayout pageLayout(int dpiX, int dpiY, int printableHeight)
{
    PageLayout p;
    p.left = dpiX / 2;
    p.top = dpiY / 2;
    p.bottomLimit = printableHeight - dpiY / 2;
    p.pitch = 20 * dpiY / 72;
    p.fontHeight = -(11 * dpiY / 72);
    return p;
}

std::vector<int> pageStarts(const PageLayout& layout, int lineCount)
{
    std::vector<int> starts;
    int y = layout.top;
    for (int i = 0; i < lineCount; ++i) {
        // A line too tall for any page still gets one to itself, never an empty page.
        if (i == 0 || (y + layout.pitch > layout.bottomLimit && y > layout.top)) {
            starts.push_back(i);
            y = layout.top;
        }
        y += layout.pitch;
    }
    return starts;
}

std::vector<int> printedPageOrder(int pageCount, int copies, bool collate)
{
    if (copies < 1) copies = 1;
    std::vector<int> order;
    order.reserve(static_cast<size_t>(pageCount) * static_cast<size_t>(copies));
    for (int outer = 0; outer < (collate ? copies : pageCount); ++outer)
        for (int inner = 0; inner < (collate ? pageCount : copies); ++inner)
            order.push_back(collate ? inner : outer);
    return order;
}
