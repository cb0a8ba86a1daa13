#include "dates/act_terms.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr Act hearing = Act::firstHearing, decision = Act::decisionHearing, judgment = Act::judgment,
              decree = Act::injunction, assessment = Act::assessment;
constexpr DeadlineRule court = DeadlineRule::court, labour = DeadlineRule::labour;

// The list's lines after the rule's, joined by " | ".
std::wstring termLines(const ActTermsOutcome& out)
{
    std::wstring text = out.text.substr(out.text.find(L"\r\n") + 2);
    for (size_t at; (at = text.find(L"\r\n")) != std::wstring::npos;) text.replace(at, 2, L" | ");
    return text;
}

// The worked examples of every act, and the edges they stand for: a backward
// term on a Saturday, on holidays, across August and across 2020; a long
// term across two Augusts; the labour rule; the messages.
TEST(ActTerms, WorkedExamplesAndEdges)
{
    struct Case {
        Act act;
        const wchar_t *date, *served;
        bool option;
        const wchar_t* want;
        DeadlineRule rule = court;
        const wchar_t* days = L"40";
    } cases[] = {
        {hearing, L"29/09/2025", L"", false,
         L"Notifica della citazione entro (art. 163-bis c.p.c., 120 giorni liberi): mercoled\u00ec 30/04/2025 | "
         L"Costituzione del convenuto (art. 166 c.p.c.): venerd\u00ec 20/06/2025 | "
         L"Prima memoria integrativa (art. 171-ter n. 1 c.p.c.): venerd\u00ec 18/07/2025 (spostato da domenica 20/07/2025) | "
         L"Seconda memoria (art. 171-ter n. 2): marted\u00ec 09/09/2025 | "
         L"Terza memoria (art. 171-ter n. 3): venerd\u00ec 19/09/2025"},
        {hearing, L"18/03/2026", L"", false,
         L"Notifica della citazione entro (art. 163-bis c.p.c., 120 giorni liberi): luned\u00ec 17/11/2025 | "
         L"Costituzione del convenuto (art. 166 c.p.c.): mercoled\u00ec 07/01/2026 | "
         L"Prima memoria integrativa (art. 171-ter n. 1 c.p.c.): venerd\u00ec 06/02/2026 | "
         L"Seconda memoria (art. 171-ter n. 2): gioved\u00ec 26/02/2026 | "
         L"Terza memoria (art. 171-ter n. 3): venerd\u00ec 06/03/2026 (spostato da domenica 08/03/2026)"},
        // The free days end on a Thursday of July, never inside August, never moved.
        {hearing, L"30/12/2025", L"", false,
         L"Notifica della citazione entro (art. 163-bis c.p.c., 120 giorni liberi): gioved\u00ec 31/07/2025 | "
         L"Costituzione del convenuto (art. 166 c.p.c.): marted\u00ec 21/10/2025 | "
         L"Prima memoria integrativa (art. 171-ter n. 1 c.p.c.): gioved\u00ec 20/11/2025 | "
         L"Seconda memoria (art. 171-ter n. 2): mercoled\u00ec 10/12/2025 | "
         L"Terza memoria (art. 171-ter n. 3): venerd\u00ec 19/12/2025 (spostato da sabato 20/12/2025)"},
        {decision, L"12/01/2026", L"", false,
         L"Note di precisazione delle conclusioni (art. 189 n. 1 c.p.c.): gioved\u00ec 13/11/2025 | "
         L"Comparse conclusionali (art. 189 n. 2 c.p.c.): venerd\u00ec 12/12/2025 (spostato da sabato 13/12/2025) | "
         L"Memorie di replica (art. 189 n. 3 c.p.c.): mercoled\u00ec 24/12/2025 (spostato da domenica 28/12/2025)"},
        // Across the 2020 emergency suspension: the warning follows the term that met it.
        {decision, L"15/06/2020", L"", false,
         L"Note di precisazione delle conclusioni (art. 189 n. 1 c.p.c.): mercoled\u00ec 12/02/2020 | Attenzione: termine "
         L"a ritroso nella sospensione emergenziale: l'udienza va differita (art. 83 c. 2 DL 18/2020). | "
         L"Comparse conclusionali (art. 189 n. 2 c.p.c.): venerd\u00ec 15/05/2020 (spostato da sabato 16/05/2020) | "
         L"Memorie di replica (art. 189 n. 3 c.p.c.): venerd\u00ec 29/05/2020 (spostato da domenica 31/05/2020)"},
        {judgment, L"30/03/2015", L"", false,
         L"Appello, termine lungo (art. 327 c.p.c.): luned\u00ec 02/11/2015 (spostato da sabato 31/10/2015)"},
        {judgment, L"30/03/2008", L"", true, L"Appello, termine lungo (art. 327 c.p.c.): venerd\u00ec 15/05/2009"},
        {judgment, L"15/07/2008", L"", true, L"Appello, termine lungo (art. 327 c.p.c.): gioved\u00ec 15/10/2009"},
        {judgment, L"02/05/2025", L"10/06/2025", false,
         L"Appello, termine lungo (art. 327 c.p.c.): mercoled\u00ec 03/12/2025 | "
         L"Appello, termine breve (art. 325 c.p.c.): gioved\u00ec 10/07/2025 | "
         L"Ricorso per cassazione, termine breve (art. 325 c.p.c.): marted\u00ec 09/09/2025"},
        // Labour: August counts.
        {judgment, L"02/05/2025", L"100625", false,
         L"Appello, termine lungo (art. 327 c.p.c.): luned\u00ec 03/11/2025 (spostato da domenica 02/11/2025) | "
         L"Appello, termine breve (art. 325 c.p.c.): gioved\u00ec 10/07/2025 | "
         L"Ricorso per cassazione, termine breve (art. 325 c.p.c.): luned\u00ec 11/08/2025 (spostato da sabato 09/08/2025)",
         labour},
        {decree, L"04/09/1997", L"", false, L"Opposizione (art. 641 c.p.c.): sabato 25/10/1997"},
        {decree, L"02/03/2026", L"", false,
         L"Opposizione (art. 641 c.p.c.): luned\u00ec 13/04/2026 (spostato da sabato 11/04/2026)"},
        {decree, L"15/07/2026", L"", false, L"Opposizione (art. 641 c.p.c.): luned\u00ec 24/08/2026", labour},
        {decree, L"02/03/2026", L"", false, L"Opposizione (art. 641 c.p.c.): marted\u00ec 30/06/2026", court, L"120"},
        {assessment, L"20/07/2023", L"", false, L"Ricorso (art. 21 D.Lgs. 546/1992): gioved\u00ec 19/10/2023"},
        {assessment, L"10/08/2023", L"", false, L"Ricorso (art. 21 D.Lgs. 546/1992): luned\u00ec 30/10/2023"},
        {assessment, L"20/07/2023", L"", true,
         L"Ricorso (art. 21 D.Lgs. 546/1992): mercoled\u00ec 17/01/2024 (con adesione: + 90 giorni) | "
         L"Attenzione: se l'atto \u00e8 stato preceduto da uno schema d'atto (dal 30/04/2024) la sospensione \u00e8 di "
         L"30 giorni (art. 6 c. 2-bis D.Lgs. 218/1997)."},
        // The 90 days span August: the reading without the two suspensions added up is given too. A tax
        // assessment keeps August under the labour rule.
        {assessment, L"02/05/2026", L"", true,
         L"Ricorso (D.Lgs. 175/2024): venerd\u00ec 30/10/2026 (con adesione: + 90 giorni) | "
         L"Attenzione: se l'atto \u00e8 stato preceduto da uno schema d'atto (dal 30/04/2024) la sospensione \u00e8 di "
         L"30 giorni (art. 6 c. 2-bis D.Lgs. 218/1997). | Attenzione: il cumulo con la sospensione feriale \u00e8 "
         L"discusso: senza cumulo la scadenza \u00e8 marted\u00ec 29/09/2026.", labour},
        {hearing, L"31/02/2026", L"", false, L"Data non valida (gg/mm/aaaa)"},
        {judgment, L"02/05/2025", L"31/13/2025", false, L"Data di notifica non valida (gg/mm/aaaa)"},
        {judgment, L"02/05/2025", L"01/05/2025", false, L"La notifica precede la pubblicazione."},
        {decree, L"02/03/2026", L"", false, L"Inserisci giorni interi da 10 a 120 (art. 641 c.p.c.).", court, L"121"},
        {decree, L"02/03/2026", L"", false, L"Inserisci giorni interi da 10 a 120 (art. 641 c.p.c.).", court, L"9"},
        {hearing, L"20/04/1600", L"", false, L"Data fuori intervallo."},
    };
    for (const Case& c : cases) {
        ActTermsInput in;
        in.act = c.act;
        in.dateText = c.date;
        in.servedText = c.served;
        in.option = c.option;
        in.rule = c.rule;
        in.daysText = c.days;
        const ActTermsOutcome out = computeActTerms(in);
        EXPECT_EQ(c.want, out.ok ? termLines(out) : out.text) << c.date;
    }
}

// What COPIA gives and the calendar's events: the act, the Pratica, the rule's line.
TEST(ActTerms, CopyAndCalendarEvents)
{
    ActTermsInput in;
    in.dateText = L"29/09/2025";
    in.caseText = L" Rossi c. Bianchi ";
    in.today = {2026, 12, 9};
    const ActTermsOutcome out = computeActTerms(in);
    const std::wstring copy = out.copyText;
    EXPECT_EQ(0u, copy.find(L"TERMINI: Prima udienza del luned\u00ec 29/09/2025\r\nPratica: Rossi c. Bianchi\r\n"
                            L"Regola: processuale (art. 155 c.p.c.; sospensione feriale L. 742/1969)\r\nNotifica"));
    EXPECT_EQ(copy.size() - 27, copy.find(L"\r\n\r\nCalcolato il 09/12/2026"));
    const std::vector<CalendarEntry> events = actTermsEvents(out, in.caseText);
    ASSERT_EQ(5u, events.size());
    EXPECT_EQ(L"Rossi c. Bianchi: Seconda memoria (art. 171-ter n. 2)", events[3].summary);
    EXPECT_EQ(L"Seconda memoria (art. 171-ter n. 2): marted\u00ec 09/09/2025\r\nPrima udienza del luned\u00ec 29/09/2025",
              events[3].description);
    EXPECT_EQ(L"Costituzione del convenuto (art. 166 c.p.c.)", actTermsEvents(out, L"").at(1).summary);
}

} // namespace
