#include "dates/deadlines.h"


#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

constexpr DeadlineRule civil = DeadlineRule::civil, court = DeadlineRule::court, tax = DeadlineRule::tax,
                       labour = DeadlineRule::labour;
const CivilDate today{2026, 12, 8};
const wchar_t* const emergency =
    L" | Attenzione: sospensione emergenziale 2020 (art. 83 DL 18/2020): non vale per le materie urgenti del c. 3.";

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
        bool endOfMonth = false;
        MonthDay patron = {};
    } cases[] = {
        // Court terms: August not counted, the Saturday closed.
        {L"20/07/2023", L"60", court, L"Scadenza: giovedì 19/10/2023  (60 giorni + 31 di sospensione feriale, processuale)"},
        {L"15/08/2023", L"60", court, L"Scadenza: lunedì 30/10/2023  (60 giorni + 16 di sospensione feriale, processuale)"},
        {L"31/08/2023", L"60", court, L"Scadenza: lunedì 30/10/2023  (60 giorni, processuale)"},
        {L"07/07/2015", L"60", court, L"Scadenza: martedì 06/10/2015  (60 giorni + 31 di sospensione feriale, processuale)"},
        {L"20/08/2016", L"60", court,
         L"Scadenza: domenica 30/10/2016  (60 giorni + 11 di sospensione feriale, processuale) | → lunedì 31/10/2016 (domenica)"},
        {L"20/07/2026", L"30", court,
         L"Scadenza: sabato 19/09/2026  (30 giorni + 31 di sospensione feriale, processuale) | → lunedì 21/09/2026 (sabato)"},
        {L"20/07/2026", L"30", civil, L"Scadenza: mercoledì 19/08/2026  (30 giorni, civile)"},
        {L"06/10/2015", L"60", court, L"Scadenza: sabato 05/12/2015  (60 giorni, processuale) | → lunedì 07/12/2015 (sabato)"},
        {L"20/07/2026", L"61", civil, L"Scadenza: sabato 19/09/2026  (61 giorni, civile)"},
        // Counted back from a hearing: moved earlier.
        {L"17/09/2025", L"-10", court, L"Scadenza: domenica 07/09/2025  (-10 giorni, processuale) | → venerdì 05/09/2025 (domenica)"},
        {L"17/09/2025", L"-10", civil, L"Scadenza: domenica 07/09/2025  (-10 giorni, civile) | → sabato 06/09/2025 (domenica)"},
        {L"05/09/2023", L"-20", court,
         L"Scadenza: domenica 16/07/2023  (-20 giorni + 31 di sospensione feriale, processuale) | → venerdì 14/07/2023 (domenica)"},
        {L"28/12/2026", L"-20", civil, L"Scadenza: martedì 08/12/2026  (-20 giorni, civile) | → lunedì 07/12/2026 (Immacolata)"},
        // Months and years.
        {L"30/07/2022", L"6 mesi", court, L"Scadenza: giovedì 02/03/2023  (6 mesi + 31 di sospensione feriale, processuale)"},
        {L"30/07/2022", L"6 mesi", civil, L"Scadenza: lunedì 30/01/2023  (6 mesi, civile)"},
        {L"15/01/2026", L" 6Mesi ", civil, L"Scadenza: mercoledì 15/07/2026  (6 mesi, civile)"},
        {L"10/08/2023", L"6 mesi", court, L"Scadenza: giovedì 29/02/2024  (6 mesi + 21 di sospensione feriale, processuale)"},
        {L"10/07/2023", L"13 mesi", court, L"Scadenza: venerdì 11/10/2024  (13 mesi + 62 di sospensione feriale, processuale)"},
        {L"20/10/2023", L"-2 MESI", court, L"Scadenza: giovedì 20/07/2023  (-2 mesi + 31 di sospensione feriale, processuale)"},
        {L"31/01/2024", L"1 mese", civil, L"Scadenza: giovedì 29/02/2024  (1 mese, civile)"},
        {L"31/01/2023", L"1 mesi", civil, L"Scadenza: martedì 28/02/2023  (1 mese, civile)"},
        {L"29/02/2024", L"1anno", civil, L"Scadenza: venerdì 28/02/2025  (1 anno, civile)"},
        // Up to 2014 the suspension ran to 15 September.
        {L"07/07/2014", L"60", court, L"Scadenza: martedì 21/10/2014  (60 giorni + 46 di sospensione feriale, processuale)"},
        {L"20/07/2014", L"1 mese", court,
         L"Scadenza: domenica 05/10/2014  (1 mese + 46 di sospensione feriale, processuale) | → lunedì 06/10/2014 (domenica)"},
        // A Saturday before 01/03/2006 closes no court term; a term that ends
        // on 31 July moves into the suspension, whose days are open.
        {L"24/02/2006", L"1", court, L"Scadenza: sabato 25/02/2006  (1 giorno, processuale)"},
        {L"24/02/2006", L"1", tax, L"Scadenza: sabato 25/02/2006  (1 giorno, fiscale) | → lunedì 27/02/2006 (sabato)"},
        {L"30/06/2027", L"31", court, L"Scadenza: sabato 31/07/2027  (31 giorni, processuale) | → lunedì 02/08/2027 (sabato)"},
        {L"24/12/2026", L"1", tax, L"Scadenza: venerdì 25/12/2026  (1 giorno, fiscale) | → lunedì 28/12/2026 (Natale)"},
        {L"01/01/2000", L"100.000", court,
         L"Scadenza: mercoledì 17/01/2300  (100000 giorni + 9525 di sospensione feriale + 64 di sospensione "
         L"emergenziale, processuale)"},
        // The 2020 emergency suspension, and labour terms, which August does not suspend.
        {L"02/03/2020", L"30", court, L"Scadenza: giovedì 04/06/2020  (30 giorni + 64 di sospensione emergenziale, processuale)"},
        {L"20/02/2020", L"30", court,
         L"Scadenza: domenica 24/05/2020  (30 giorni + 64 di sospensione emergenziale, processuale) | → lunedì "
         L"25/05/2020 (domenica)"},
        {L"15/04/2020", L"60", court, L"Scadenza: venerdì 10/07/2020  (60 giorni + 26 di sospensione emergenziale, processuale)"},
        {L"20/04/2020", L"30", court,
         L"Scadenza: mercoledì 10/06/2020  (30 giorni + 21 di sospensione emergenziale, processuale)"},
        {L"10/02/2020", L"6 mesi", court,
         L"Scadenza: venerdì 13/11/2020  (6 mesi + 64 di sospensione emergenziale + 31 di sospensione feriale, processuale)"},
        {L"15/06/2020", L"-40", court,
         L"Scadenza: martedì 03/03/2020  (-40 giorni + 64 di sospensione emergenziale, processuale) | Attenzione: "
         L"termine a ritroso nella sospensione emergenziale: l'udienza va differita (art. 83 c. 2 DL 18/2020)."},
        {L"20/07/2023", L"30", labour, L"Scadenza: sabato 19/08/2023  (30 giorni, lavoro) | → lunedì 21/08/2023 (sabato)"},
        {L"02/03/2020", L"30", labour, L"Scadenza: giovedì 04/06/2020  (30 giorni + 64 di sospensione emergenziale, lavoro)"},
        {L"02/03/2020", L"30", civil, L"Scadenza: mercoledì 01/04/2020  (30 giorni, civile)"},
        // Limits and messages.
        {L"31/12/9999", L"1", civil, L"Data fuori intervallo."},
        {L"01/01/1600", L"-1 mese", court, L"Data fuori intervallo."},
        {L"01/01/2000", L"100.001", civil, L"Inserisci giorni interi (max 100.000)."},
        {L"01/01/2000", L"1,5", civil, L"Inserisci giorni interi (max 100.000)."},
        {L"01/01/2000", L"1E+2", civil, L"Inserisci giorni interi (max 100.000) o mesi/anni (es. 6 mesi)."},
        {L"01/01/2000", L"", civil, L"Inserisci giorni interi (max 100.000)."},
        {L"01/01/2000", L"6 settimane", civil, L"Scadenza: sabato 12/02/2000  (6 settimane, civile)"},
        {L"01/01/2000", L"abc", civil, L"Inserisci giorni interi (max 100.000) o mesi/anni (es. 6 mesi)."},
        {L"01/01/2000", L"1201 mesi", civil, L"Inserisci giorni interi (max 100.000) o mesi/anni (es. 6 mesi)."},
        {L"01/01/2000", L"101 anni", civil, L"Inserisci giorni interi (max 100.000) o mesi/anni (es. 6 mesi)."},
        {L"01/01/2000", L"1200 mesi", civil, L"Scadenza: venerdì 01/01/2100  (1200 mesi, civile) | → sabato 02/01/2100 (Capodanno)"},
        // Terms as people write them.
        {L"20/07/2026", L"60 giorni", civil, L"Scadenza: venerdì 18/09/2026  (60 giorni, civile)"},
        {L"20/07/2026", L"60GG", civil, L"Scadenza: venerdì 18/09/2026  (60 giorni, civile)"},
        {L"20/07/2026", L" 1 g ", civil, L"Scadenza: martedì 21/07/2026  (1 giorno, civile)"},
        {L"21/07/2026", L"-1 giorno", civil, L"Scadenza: lunedì 20/07/2026  (-1 giorno, civile)"},
        {L"20/07/2026", L"1 settimana", civil, L"Scadenza: lunedì 27/07/2026  (1 settimana, civile)"},
        {L"20/07/2026", L"3 Settimane", court,
         L"Scadenza: giovedì 10/09/2026  (3 settimane + 31 di sospensione feriale, processuale)"},
        {L"10/09/2026", L"-20 giorni liberi", court,
         L"Scadenza: lunedì 20/07/2026  (-20 giorni liberi + 31 di sospensione feriale, processuale)"},
        {L"01/10/2026", L"90 liberi", court, L"Scadenza: giovedì 31/12/2026  (90 giorni liberi, processuale)"},
        {L"01/01/2000", L"14.285 settimane", civil, L"Scadenza: sabato 11/10/2273  (14285 settimane, civile)"},
        {L"01/01/2000", L"14286 settimane", civil, L"Inserisci giorni interi (max 100.000) o mesi/anni (es. 6 mesi)."},
        {L"01/01/2000", L"99.999 g. liberi", civil, L"Scadenza: giovedì 16/10/2273  (99999 giorni liberi, civile)"},
        // Terms as people write them: the abbreviation's point, the thousands point.
        {L"20/07/2026", L"60 gg.", civil, L"Scadenza: venerdì 18/09/2026  (60 giorni, civile)"},
        {L"01/01/2000", L"1.000 giorni", civil, L"Scadenza: venerdì 27/09/2002  (1000 giorni, civile)"},
        {L"01/01/2000", L"1.200 mesi", civil, L"Scadenza: venerdì 01/01/2100  (1200 mesi, civile) | → sabato 02/01/2100 (Capodanno)"},
        {L"01/01/2000", L"1.2000 giorni", civil, L"Inserisci giorni interi (max 100.000) o mesi/anni (es. 6 mesi)."},
        {L"01/01/2000", L"60 mesi.", civil, L"Inserisci giorni interi (max 100.000) o mesi/anni (es. 6 mesi)."},
        {L"01/01/2000", L"100000 liberi", civil, L"Inserisci giorni interi (max 100.000) o mesi/anni (es. 6 mesi)."},
        {L"01/01/2000", L"100001 giorni", civil, L"Inserisci giorni interi (max 100.000)."},
        {L"01/01/2000", L"60 giorni utili", civil, L"Inserisci giorni interi (max 100.000) o mesi/anni (es. 6 mesi)."},
        {L"01/01/2000", L"liberi 60", civil, L"Inserisci giorni interi (max 100.000) o mesi/anni (es. 6 mesi)."},
        // The holidays and the suspension of their time.
        {L"01/07/1969", L"60", court, L"Scadenza: sabato 30/08/1969  (60 giorni, processuale)"},
        {L"03/05/1989", L"30", tax, L"Scadenza: venerdì 02/06/1989  (30 giorni, fiscale)"},
        {L"07/12/1981", L"30", court, L"Scadenza: mercoledì 06/01/1982  (30 giorni, processuale)"},
        {L"05/10/1974", L"30", court,
         L"Scadenza: lunedì 04/11/1974  (30 giorni, processuale) | → martedì 05/11/1974 (Unità nazionale)"},
        {L"25/11/2026", L"31", civil,
         L"Scadenza: sabato 26/12/2026  (31 giorni, civile) | → lunedì 28/12/2026 (Santo Stefano)"},
        // The patron saint: flagged, and closing only Rome's 29 June from 1986.
        {L"07/11/2026", L"30", civil,
         L"Scadenza: lunedì 07/12/2026  (30 giorni, civile) | Attenzione: lunedì 07/12/2026 è festa patronale.",
         false, {12, 7}},
        {L"29/05/1990", L"31", civil,
         L"Scadenza: venerdì 29/06/1990  (31 giorni, civile) | → sabato 30/06/1990 (Santi Pietro e Paolo)", false,
         {6, 29}},
        {L"29/05/1983", L"31", civil,
         L"Scadenza: mercoledì 29/06/1983  (31 giorni, civile) | Attenzione: mercoledì 29/06/1983 è festa patronale.",
         false, {6, 29}},
        // Tax payments due from 1 to 19 August may wait until the 20th (or the next open day).
        {L"31/07/2026", L"16", tax,
         L"Scadenza: domenica 16/08/2026  (16 giorni, fiscale) | → lunedì 17/08/2026 (domenica) | → versamenti entro "
         L"giovedì 20/08/2026 (art. 37 c. 11-bis DL 223/2006)"},
        {L"01/08/2022", L"10", tax,
         L"Scadenza: giovedì 11/08/2022  (10 giorni, fiscale) | → versamenti entro lunedì 22/08/2022 (art. 37 c. "
         L"11-bis DL 223/2006)"},
        {L"01/08/2011", L"10", tax, L"Scadenza: giovedì 11/08/2011  (10 giorni, fiscale)"},
        {L"01/08/2026", L"19", tax, L"Scadenza: giovedì 20/08/2026  (19 giorni, fiscale)"},
        {L"30/01/2026", L"60", tax, L"Scadenza: martedì 31/03/2026  (60 giorni, fine mese, fiscale)", true},
    };
    for (const Case& c : cases) {
        std::wstring got = deadlineText(day(c.event), c.term, c.endOfMonth, c.rule, c.patron, today).text;
        for (size_t at; (at = got.find(L"\r\n")) != std::wstring::npos;) got.replace(at, 2, L" | ");
        // A forward term that skipped emergency days warns of the urgent matters.
        const std::wstring want = std::wstring(c.want) + (std::wstring(c.want).find(L"emergenziale") !=
                                                                  std::wstring::npos && c.term[0] != L'-'
                                                              ? emergency
                                                              : L"");
        EXPECT_EQ(want, got) << c.event << " + " << c.term;
    }
}

// The prospect that VERIFICA GIORNI shows after a deadline.
TEST(Deadlines, ProspectExplainsTheCount)
{
    const struct {
        const wchar_t *event, *term;
        bool endOfMonth;
        DeadlineRule rule;
        const wchar_t* want;
    } cases[] = {
        {L"20/07/2026", L"30", false, court,
         L"TERMINE: 30 giorni da lunedì 20/07/2026|Regola: processuale (art. 155 c.p.c.; sospensione feriale L. "
         L"742/1969)|Primo giorno contato: martedì 21/07/2026|Sospensione feriale: 01/08/2026 – 31/08/2026 "
         L"(31 giorni non contati)|Ultimo giorno del termine: sabato 19/09/2026|Giorni non utili: sabato 19/09/2026, "
         L"domenica 20/09/2026|SCADENZA: lunedì 21/09/2026||Calcolato il 08/12/2026"},
        {L"15/01/2026", L"30", true, civil,
         L"TERMINE: 30 giorni da giovedì 15/01/2026|Regola: civile (art. 2963 c.c.)|Primo giorno contato: venerdì "
         L"16/01/2026|Ultimo giorno del termine: sabato 14/02/2026|Fine mese: sabato 28/02/2026|SCADENZA: sabato "
         L"28/02/2026||Calcolato il 08/12/2026"},
        {L"05/09/2023", L"-20", false, court,
         L"TERMINE: -20 giorni da martedì 05/09/2023|Regola: processuale (art. 155 c.p.c.; sospensione feriale L. "
         L"742/1969)|Primo giorno contato: lunedì 04/09/2023|Sospensione feriale: 01/08/2023 – "
         L"31/08/2023 (31 giorni non contati)|Ultimo giorno del termine: domenica 16/07/2023|Giorni non utili: "
         L"domenica 16/07/2023, sabato 15/07/2023|SCADENZA: venerdì 14/07/2023||Calcolato il 08/12/2026"},
        {L"10/07/2023", L"13 mesi", false, court,
         L"TERMINE: 13 mesi da lunedì 10/07/2023|Regola: processuale (art. 155 c.p.c.; sospensione feriale L. "
         L"742/1969)|Primo giorno contato: martedì 11/07/2023|Sospensione feriale: 01/08/2023 – 31/08/2023 "
         L"(31 giorni non contati)|Sospensione feriale: 01/08/2024 – 31/08/2024 (31 giorni non contati)|Ultimo "
         L"giorno del termine: venerdì 11/10/2024|SCADENZA: venerdì 11/10/2024||Calcolato il 08/12/2026"},
        {L"31/07/2026", L"16", false, tax,
         L"TERMINE: 16 giorni da venerdì 31/07/2026|Regola: fiscale (art. 18 D.Lgs. 241/1997; art. 7 c. 2 lett. l) DL 70/2011)|"
         L"Primo giorno contato: sabato 01/08/2026|Ultimo giorno del termine: domenica 16/08/2026|"
         L"Giorni non utili: domenica 16/08/2026|→ versamenti entro giovedì 20/08/2026 (art. 37 c. 11-bis DL "
         L"223/2006)|SCADENZA: lunedì 17/08/2026||Calcolato il 08/12/2026"},
        // The event inside a suspension: the count begins after it.
        {L"15/04/2020", L"60", false, labour,
         L"TERMINE: 60 giorni da mercoledì 15/04/2020|Regola: lavoro (art. 155 c.p.c.; senza sospensione feriale, "
         L"art. 3 L. 742/1969)|Primo giorno contato: martedì 12/05/2020|Sospensione emergenziale (art. 83 c. 2 DL "
         L"18/2020; art. 36 c. 1 DL 23/2020): 16/04/2020 – "
         L"11/05/2020 (26 giorni non contati)|Ultimo giorno del termine: venerdì 10/07/2020|Attenzione: sospensione "
         L"emergenziale 2020 (art. 83 DL 18/2020): non vale per le materie urgenti del c. 3.|SCADENZA: venerdì "
         L"10/07/2020||Calcolato il 08/12/2026"},
    };
    for (const auto& c : cases) {
        std::wstring got = deadlineText(day(c.event), c.term, c.endOfMonth, c.rule, {}, today).prospect;
        for (size_t at; (at = got.find(L"\r\n")) != std::wstring::npos;) got.replace(at, 2, L"|");
        EXPECT_EQ(std::wstring(c.want), got) << c.event << " + " << c.term;
    }
    // A month term's first counted day skips the suspended days as a day term's does.
    for (const auto& [event, term, rule, first] : {std::tuple{L"31/07/2024", L"1 mese", court, L"domenica 01/09/2024"},
                                                  {L"01/09/2024", L"-1 mese", court, L"mercoledì 31/07/2024"},
                                                  {L"08/03/2020", L"2 mesi", labour, L"martedì 12/05/2020"}})
        EXPECT_NE(std::wstring::npos, deadlineText(day(event), term, false, rule, {}, today)
                                          .prospect.find(std::wstring(L"Primo giorno contato: ") + first));
    const DeadlineText longest = deadlineText(day(L"20/07/2026"), L"100.000", false, court, {}, today);
    size_t runs = 0;
    for (size_t at = 0; (at = longest.prospect.find(L"Sospensione feriale:", at)) != std::wstring::npos; ++at) ++runs;
    EXPECT_EQ(300u, runs) << "one run a summer";
}

TEST(Deadlines, EndOfMonthComesBeforeTheMove)
{
    EXPECT_EQ(L"Scadenza: domenica 31/01/2027  (60 giorni, fine mese, civile)\r\n\u2192 lunedì 01/02/2027 (domenica)",
              deadlineText(day(L"21/11/2026"), L"60", true, civil, {}, today).text);
    EXPECT_EQ(L"Scadenza: domenica 31/01/2027  (-1 mese, fine mese, civile)\r\n\u2192 sabato 30/01/2027 (domenica)",
              deadlineText(day(L"15/02/2027"), L"-1 mese", true, civil, {}, today).text);
}

} // namespace
