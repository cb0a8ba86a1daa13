#include "dates/act_terms.h"

#include <cmath>
#include <optional>

#include "text/lines.h"
#include "text/numtext.h"

namespace {

//--- The rules of law, one row per term and change

// When a row applies: always, or only with the act's checkbox, or only without it.
enum class When { always, withOption, withoutOption };

struct TermRow {
    Act act;
    const wchar_t* name;  // with its article, as the list writes it
    TermUnit unit;
    long long count;  // negative: counted back from the hearing; 0: the decree's own days
    When when = When::always;
    bool fromService = false;  // from the judgment's service, and only when it is given
    bool dilatory = false;     // the latest day to act before a hearing: never moved
    CivilDate from{firstYear, 1, 1}, until{lastYear, 12, 31};  // the act's dates it governs
};

constexpr Act firstHearing = Act::firstHearing, decisionHearing = Act::decisionHearing, judgment = Act::judgment,
              injunction = Act::injunction, assessment = Act::assessment;

const TermRow termRows[] = {
    // Cases started from 01/03/2023: arts. 163-bis, 166, 171-ter c.p.c. as replaced by D.Lgs. 149/2022
    // (art. 35 c. 1 as replaced by L. 197/2022 art. 1 c. 380). 120 free days between the service and
    // the hearing, neither counted; the others "almeno … prima", the last day counted.
    {firstHearing, L"Notifica della citazione entro (art. 163-bis c.p.c., 120 giorni liberi)", TermUnit::freeDays, -120,
     When::always, false, true},
    {firstHearing, L"Costituzione del convenuto (art. 166 c.p.c.)", TermUnit::days, -70},
    {firstHearing, L"Prima memoria integrativa (art. 171-ter n. 1 c.p.c.)", TermUnit::days, -40},
    {firstHearing, L"Seconda memoria (art. 171-ter n. 2)", TermUnit::days, -20},
    {firstHearing, L"Terza memoria (art. 171-ter n. 3)", TermUnit::days, -10},
    // art. 189 c. 1 c.p.c. as replaced by D.Lgs. 149/2022: the longest terms the judge may set.
    {decisionHearing, L"Note di precisazione delle conclusioni (art. 189 n. 1 c.p.c.)", TermUnit::days, -60},
    {decisionHearing, L"Comparse conclusionali (art. 189 n. 2 c.p.c.)", TermUnit::days, -30},
    {decisionHearing, L"Memorie di replica (art. 189 n. 3 c.p.c.)", TermUnit::days, -15},
    // art. 327 c.p.c.: six months from publication (L. 69/2009 art. 46 c. 17, for cases started from
    // 04/07/2009, art. 58 c. 1), a year for the cases started before.
    {judgment, L"Appello, termine lungo (art. 327 c.p.c.)", TermUnit::months, 6, When::withoutOption},
    {judgment, L"Appello, termine lungo (art. 327 c.p.c.)", TermUnit::years, 1, When::withOption},
    // art. 325 c.p.c., from the service of the judgment (art. 326).
    {judgment, L"Appello, termine breve (art. 325 c.p.c.)", TermUnit::days, 30, When::always, true},
    {judgment, L"Ricorso per cassazione, termine breve (art. 325 c.p.c.)", TermUnit::days, 60, When::always, true},
    // art. 641 c.p.c.: the days the decree gives.
    {injunction, L"Opposizione (art. 641 c.p.c.)", TermUnit::days, 0},
    // 60 days from the service: art. 21 D.Lgs. 546/1992, repealed from 01/01/2026 by the testo unico
    // della giustizia tributaria (art. 130 c. 1 lett. d) and art. 131 D.Lgs. 175/2024).
    {assessment, L"Ricorso (art. 21 D.Lgs. 546/1992)", TermUnit::days, 60, When::always, false, false,
     {firstYear, 1, 1}, {2025, 12, 31}},
    {assessment, L"Ricorso (D.Lgs. 175/2024)", TermUnit::days, 60, When::always, false, false, {2026, 1, 1}},
};

// The request for an accertamento con adesione suspends the appeal's term for
// 90 days (art. 6 c. 3 D.Lgs. 218/1997), which add up with the summer
// suspension (art. 7-quater c. 18 DL 193/2016).
constexpr long long adesioneDays = 90;
const wchar_t* const adesioneDraftWarning =
    L"Attenzione: se l'atto \u00e8 stato preceduto da uno schema d'atto (dal 30/04/2024) la sospensione \u00e8 di 30 "
    L"giorni (art. 6 c. 2-bis D.Lgs. 218/1997).";

// The decree's term: 40 days, 10 to 60 for just reasons, 50 in the EU, 30 to
// 120 in other states (art. 641 c. 1 and 2 c.p.c.).
constexpr long long leastDecreeDays = 10, mostDecreeDays = 120;

struct ActText {
    const wchar_t* choice;
    const wchar_t* heading;  // before the date: "Prima udienza del"
    const wchar_t* option;
};
const ActText actTexts[actCount] = {
    {L"Prima udienza (cause iniziate dal 01/03/2023)", L"Prima udienza del", nullptr},
    {L"Udienza di rimessione in decisione (art. 189 c.p.c.)", L"Udienza di rimessione in decisione del", nullptr},
    {L"Sentenza", L"Sentenza pubblicata il", L"Causa iniziata prima del 04/07/2009"},
    {L"Decreto ingiuntivo notificato", L"Decreto ingiuntivo notificato il", nullptr},
    {L"Avviso di accertamento notificato", L"Avviso di accertamento notificato il",
     L"Istanza di accertamento con adesione"},
};

const wchar_t* const dateMessage = L"Data non valida (gg/mm/aaaa)";
const wchar_t* const serviceMessage = L"Data di notifica non valida (gg/mm/aaaa)";
const wchar_t* const serviceOrderMessage = L"La notifica precede la pubblicazione.";
const wchar_t* const decreeDaysMessage = L"Inserisci giorni interi da 10 a 120 (art. 641 c.p.c.).";
const wchar_t* const rangeMessage = L"Data fuori intervallo.";

//--- Counting

bool applies(const TermRow& row, const ActTermsInput& in, DayNumber actDay, bool served)
{
    if (row.act != in.act || (row.fromService && !served)) return false;
    if (row.when == When::withOption && !in.option) return false;
    if (row.when == When::withoutOption && in.option) return false;
    return actDay >= dateToDayNumber(row.from) && actDay <= dateToDayNumber(row.until);
}

bool inYearRange(DayNumber day)
{
    const std::int32_t year = dayNumberToDate(day).year;
    return year >= firstYear && year <= lastYear;
}

// Court terms, or labour ones when DATE's rule says so; a tax assessment is
// never a labour matter, and its appeal keeps the summer suspension.
DeadlineRule countingRule(const ActTermsInput& in)
{
    return in.rule == DeadlineRule::labour && in.act != assessment ? DeadlineRule::labour : DeadlineRule::court;
}

bool hasSummerRun(const Deadline& d)
{
    for (const SuspensionRun& run : d.suspensionRuns)
        if (run.kind == SuspensionKind::summer) return true;
    return false;
}

// One term's line and warnings; false when a day falls outside the years 1600 to 9999.
bool addTerm(const TermRow& row, const ActTermsInput& in, DayNumber event, long long decreeDays,
             ActTermsOutcome& out)
{
    const DeadlineRule rule = countingRule(in);
    const Term term{row.unit, row.count == 0 ? decreeDays : row.count};
    Deadline d = deadlineFor(event, term, false, rule, in.patron);
    const bool adesione = row.act == assessment && in.option;
    std::optional<DayNumber> plainAdesione;  // the 90 days counted with August
    if (adesione) {
        Deadline more = deadlineFor(d.counted, Term{TermUnit::days, adesioneDays}, false, rule, in.patron);
        if (hasSummerRun(more))
            plainAdesione = deadlineFor(d.counted, Term{TermUnit::days, adesioneDays}, false, DeadlineRule::labour,
                                        in.patron).due;
        more.suspensionRuns.insert(more.suspensionRuns.begin(), d.suspensionRuns.begin(), d.suspensionRuns.end());
        d = more;
    }
    if (row.dilatory) d.due = d.reached;
    if (!inYearRange(d.counted) || !inYearRange(d.due) || (plainAdesione && !inYearRange(*plainAdesione)))
        return false;
    ActTerm t;
    t.due = d.due;
    t.name = row.name;
    t.line = t.name + L": " + weekdayAndDate(d.due);
    if (d.due != d.reached) t.line += L" (spostato da " + weekdayAndDate(d.reached) + L")";
    if (adesione) t.line += L" (con adesione: + " + std::to_wstring(adesioneDays) + L" giorni)";
    t.line += deadlineWarnings(d, term.count < 0, in.patron);
    if (adesione) t.line += L"\r\n" + std::wstring(adesioneDraftWarning);
    if (plainAdesione)
        t.line += L"\r\nAttenzione: il cumulo con la sospensione feriale \u00e8 discusso: senza cumulo la scadenza \u00e8 " +
                  weekdayAndDate(*plainAdesione) + L".";
    out.terms.push_back(t);
    return true;
}

ActTermsOutcome refused(const wchar_t* message)
{
    ActTermsOutcome out;
    out.text = message;
    return out;
}

} // namespace

const wchar_t* actChoice(Act act) { return actTexts[static_cast<int>(act)].choice; }
const wchar_t* actOption(Act act) { return actTexts[static_cast<int>(act)].option; }
bool actTakesService(Act act) { return act == judgment; }
bool actTakesDays(Act act) { return act == injunction; }

ActTermsOutcome computeActTerms(const ActTermsInput& in)
{
    CivilDate date;
    if (!readTypedDate(in.dateText, date)) return refused(dateMessage);
    const DayNumber actDay = dateToDayNumber(date);
    const bool served = actTakesService(in.act) && !trimmedText(in.servedText).empty();
    DayNumber serviceDay = 0;
    if (served) {
        CivilDate s;
        if (!readTypedDate(in.servedText, s)) return refused(serviceMessage);
        serviceDay = dateToDayNumber(s);
        if (serviceDay < actDay) return refused(serviceOrderMessage);
    }
    long long decreeDays = 0;
    if (actTakesDays(in.act)) {
        const ParsedNumber days = parseNumberWithoutExponent(in.daysText);
        // !(least <= k <= most) also turns away NaN.
        if (!days.ok || days.value != std::floor(days.value) ||
            !(days.value >= leastDecreeDays && days.value <= mostDecreeDays))
            return refused(decreeDaysMessage);
        decreeDays = static_cast<long long>(days.value);
    }

    ActTermsOutcome out;
    out.actDay = actDay;
    for (const TermRow& row : termRows)
        if (applies(row, in, actDay, served) && !addTerm(row, in, row.fromService ? serviceDay : actDay, decreeDays, out))
            return refused(rangeMessage);

    const DeadlineRule rule = countingRule(in);
    out.text = deadlineRuleLine(rule);
    const bool backward = in.act == firstHearing || in.act == decisionHearing;
    if (backward && isClosedDay(actDay, rule, in.patron))
        out.text += L"\r\nAttenzione: " + weekdayAndDate(actDay) +
                    L" non \u00e8 un giorno di udienza: i termini sono contati da quel giorno.";
    for (const ActTerm& t : out.terms) out.text += L"\r\n" + t.line;

    out.heading = std::wstring(actTexts[static_cast<int>(in.act)].heading) + L" " + weekdayAndDate(actDay);
    if (served) out.heading += L", notificata il " + weekdayAndDate(serviceDay);
    if (actTakesDays(in.act)) out.heading += L", opposizione in " + std::to_wstring(decreeDays) + L" giorni";
    if (in.act == judgment && in.option) out.heading += L", causa iniziata prima del 04/07/2009";
    const std::wstring caseText = trimmedText(in.caseText);
    out.copyText = L"TERMINI: " + out.heading + L"\r\n" + (caseText.empty() ? L"" : L"Pratica: " + caseText + L"\r\n") +
                   out.text + L"\r\n\r\nCalcolato il " + formatDate(in.today);
    out.ok = true;
    return out;
}

std::vector<CalendarEntry> actTermsEvents(const ActTermsOutcome& outcome, const std::wstring& caseText)
{
    const std::wstring pratica = trimmedText(caseText);
    std::vector<CalendarEntry> events;
    for (const ActTerm& t : outcome.terms) {
        CalendarEntry e;
        e.day = dayNumberToDate(t.due);
        e.summary = pratica.empty() ? t.name : pratica + L": " + t.name;
        e.description = t.line + L"\r\n" + outcome.heading;
        events.push_back(e);
    }
    return events;
}
