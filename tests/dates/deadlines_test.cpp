#include "dates/deadlines.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr DeadlineRule civil = DeadlineRule::civil, court = DeadlineRule::court, tax = DeadlineRule::tax;

DayNumber day(const wchar_t* text)
{
    CivilDate d;
    EXPECT_TRUE(parseDate(text, d)) << "bad date in the table";
    return dateToDayNumber(d);
}

// The worked examples of the law's counting and the edges that matter. The
// second line, after " | ", is the deadline moved off a closed day.
TEST(Deadlines, WorkedExamplesAndEdges)
{
    struct Case {
        const wchar_t *event, *term;
        DeadlineRule rule;
        const wchar_t* want;
    } cases[] = {
        // Court terms: August not counted, the Saturday closed.
        {L"20/07/2023", L"60", court, L"Scadenza: giovedì 19/10/2023  (60 giorni + 31 di sospensione feriale)"},
        {L"15/08/2023", L"60", court, L"Scadenza: lunedì 30/10/2023  (60 giorni + 16 di sospensione feriale)"},
        {L"31/08/2023", L"60", court, L"Scadenza: lunedì 30/10/2023  (60 giorni)"},
        {L"07/07/2015", L"60", court, L"Scadenza: martedì 06/10/2015  (60 giorni + 31 di sospensione feriale)"},
        {L"20/08/2016", L"60", court,
         L"Scadenza: domenica 30/10/2016  (60 giorni + 11 di sospensione feriale) | → lunedì 31/10/2016 (domenica)"},
        {L"20/07/2026", L"30", court,
         L"Scadenza: sabato 19/09/2026  (30 giorni + 31 di sospensione feriale) | → lunedì 21/09/2026 (sabato)"},
        {L"20/07/2026", L"30", civil, L"Scadenza: mercoledì 19/08/2026  (30 giorni)"},
        {L"06/10/2015", L"60", court, L"Scadenza: sabato 05/12/2015  (60 giorni) | → lunedì 07/12/2015 (sabato)"},
        {L"20/07/2026", L"61", civil, L"Scadenza: sabato 19/09/2026  (61 giorni)"},
        // Counted back from a hearing: moved earlier.
        {L"17/09/2025", L"-10", court, L"Scadenza: domenica 07/09/2025  (-10 giorni) | → venerdì 05/09/2025 (domenica)"},
        {L"17/09/2025", L"-10", civil, L"Scadenza: domenica 07/09/2025  (-10 giorni) | → sabato 06/09/2025 (domenica)"},
        {L"05/09/2023", L"-20", court,
         L"Scadenza: domenica 16/07/2023  (-20 giorni + 31 di sospensione feriale) | → venerdì 14/07/2023 (domenica)"},
        {L"28/12/2026", L"-20", civil, L"Scadenza: martedì 08/12/2026  (-20 giorni) | → lunedì 07/12/2026 (immacolata)"},
        // Months and years.
        {L"30/07/2022", L"6 mesi", court, L"Scadenza: giovedì 02/03/2023  (6 mesi + 31 di sospensione feriale)"},
        {L"30/07/2022", L"6 mesi", civil, L"Scadenza: lunedì 30/01/2023  (6 mesi)"},
        {L"15/01/2026", L" 6Mesi ", civil, L"Scadenza: mercoledì 15/07/2026  (6 mesi)"},
        {L"10/08/2023", L"6 mesi", court, L"Scadenza: giovedì 29/02/2024  (6 mesi + 21 di sospensione feriale)"},
        {L"10/07/2023", L"13 mesi", court, L"Scadenza: venerdì 11/10/2024  (13 mesi + 62 di sospensione feriale)"},
        {L"20/10/2023", L"-2 MESI", court, L"Scadenza: giovedì 20/07/2023  (-2 mesi + 31 di sospensione feriale)"},
        {L"31/01/2024", L"1 mese", civil, L"Scadenza: giovedì 29/02/2024  (1 mese)"},
        {L"31/01/2023", L"1 mesi", civil, L"Scadenza: martedì 28/02/2023  (1 mese)"},
        {L"29/02/2024", L"1anno", civil, L"Scadenza: venerdì 28/02/2025  (1 anno)"},
        // Up to 2014 the suspension ran to 15 September.
        {L"07/07/2014", L"60", court, L"Scadenza: martedì 21/10/2014  (60 giorni + 46 di sospensione feriale)"},
        {L"20/07/2014", L"1 mese", court,
         L"Scadenza: domenica 05/10/2014  (1 mese + 46 di sospensione feriale) | → lunedì 06/10/2014 (domenica)"},
        // A Saturday before 01/03/2006 closes no court term; a term that ends
        // on 31 July moves into the suspension, whose days are open.
        {L"24/02/2006", L"1", court, L"Scadenza: sabato 25/02/2006  (1 giorni)"},
        {L"24/02/2006", L"1", tax, L"Scadenza: sabato 25/02/2006  (1 giorni) | → lunedì 27/02/2006 (sabato)"},
        {L"30/06/2027", L"31", court, L"Scadenza: sabato 31/07/2027  (31 giorni) | → lunedì 02/08/2027 (sabato)"},
        {L"24/12/2026", L"1", tax, L"Scadenza: venerdì 25/12/2026  (1 giorni) | → lunedì 28/12/2026 (natale)"},
        {L"01/01/2000", L"100.000", court,
         L"Scadenza: martedì 14/11/2299  (100000 giorni + 9525 di sospensione feriale)"},
        // Limits and messages.
        {L"31/12/9999", L"1", civil, L"Data fuori intervallo."},
        {L"01/01/1600", L"-1 mese", court, L"Data fuori intervallo."},
        {L"01/01/2000", L"100.001", civil, L"Inserisci giorni interi (max 100.000)."},
        {L"01/01/2000", L"1,5", civil, L"Inserisci giorni interi (max 100.000)."},
        {L"01/01/2000", L"", civil, L"Inserisci giorni interi (max 100.000)."},
        {L"01/01/2000", L"6 settimane", civil, L"Inserisci giorni interi (max 100.000) o mesi/anni (es. 6 mesi)."},
        {L"01/01/2000", L"abc", civil, L"Inserisci giorni interi (max 100.000) o mesi/anni (es. 6 mesi)."},
        {L"01/01/2000", L"1201 mesi", civil, L"Inserisci giorni interi (max 100.000) o mesi/anni (es. 6 mesi)."},
        {L"01/01/2000", L"101 anni", civil, L"Inserisci giorni interi (max 100.000) o mesi/anni (es. 6 mesi)."},
        {L"01/01/2000", L"1200 mesi", civil, L"Scadenza: venerdì 01/01/2100  (1200 mesi) | → sabato 02/01/2100 (capodanno)"},
    };
    for (const Case& c : cases) {
        std::wstring got = deadlineText(day(c.event), c.term, false, c.rule).text;
        const size_t second = got.find(L"\r\n");
        if (second != std::wstring::npos) got.replace(second, 2, L" | ");
        EXPECT_EQ(std::wstring(c.want), got) << c.event << " + " << c.term;
    }
}

TEST(Deadlines, EndOfMonthComesBeforeTheMove)
{
    EXPECT_EQ(L"Scadenza: domenica 31/01/2027  (60 giorni)\r\n\u2192 lunedì 01/02/2027 (domenica)",
              deadlineText(day(L"21/11/2026"), L"60", true, civil).text);
    EXPECT_EQ(L"Scadenza: domenica 31/01/2027  (-1 mese)\r\n\u2192 sabato 30/01/2027 (domenica)",
              deadlineText(day(L"15/02/2027"), L"-1 mese", true, civil).text);
}

} // namespace
