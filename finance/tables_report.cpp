#include "finance/tables_report.h"

#include "text/numtext.h"
#include "finance/foi_index.h"
#include "finance/official_rates.h"

namespace {

const wchar_t* const addedMark = L" (aggiunto)";

std::wstring rateText(double rate) { return formatNumber(rate, 2) + L"%"; }

std::wstring halfYearText(const CivilDate& from)
{
    return std::to_wstring(halfYear(from)) + L"\u00b0 semestre " + std::to_wstring(from.year);
}

std::wstring indexText(long long hundredths) { return formatNumber(static_cast<double>(hundredths) / 100, 1); }

} // namespace

std::wstring tablesReport(const AddedRows& added)
{
    std::wstring text = L"TASSO LEGALE\r\n";
    for (const TableRow& r : officialTable(RateSource::legal, added))
        text += formatDate(r.from) + L": " + rateText(r.rate) + (r.law ? L" (" + std::wstring(r.law) + L")" : L"") +
                (r.added ? addedMark : L"") + L"\r\n";
    text += L"\r\nTASSO DI RIFERIMENTO (D.Lgs. 231/2002)\r\n";
    for (const TableRow& r : officialTable(RateSource::reference, added))
        text += halfYearText(r.from) + L": " + rateText(r.rate) + (r.added ? addedMark : L"") + L"\r\n";
    text += L"\r\nINDICE FOI";
    int year = 0;
    for (const FoiMonth& m : foiMonths(added)) {
        if (m.month.year != year) {
            year = m.month.year;
            text += L"\r\n" + std::to_wstring(year) + L" (base " + std::to_wstring(m.base) + L"=100): ";
        } else {
            text += L"; ";
        }
        text += monthAbbreviation(m.month).substr(0, 3) + L" " + indexText(m.hundredths) + (m.added ? addedMark : L"");
    }
    return text;
}

std::wstring addedRowsList(const AddedRows& added)
{
    std::wstring text;
    auto line = [&text](const std::wstring& l) { text += (text.empty() ? L"" : L"\r\n") + l; };
    for (const AddedRow& r : added.legal) line(L"Tasso legale dal " + formatDate(r.from) + L": " + rateText(r.value));
    for (const AddedRow& r : added.reference)
        line(L"Tasso di riferimento del " + halfYearText(r.from) + L": " + rateText(r.value));
    for (const AddedRow& r : added.foi)
        line(L"Indice FOI di " + monthAbbreviation({r.from.year, r.from.month}) + L": " + formatNumber(r.value, 1));
    return text;
}
