// Every term that hangs on one act: the first hearing, the hearing for
// decision, a judgment, a decree served, a tax assessment served. The terms
// are data in act_terms.cpp, one row each with its article; they are counted
// as deadlines.h counts court terms.
#pragma once

#include <string>
#include <vector>

#include "dates/calendar.h"
#include "dates/calendar_export.h"
#include "dates/deadlines.h"

enum class Act { firstHearing, decisionHearing, judgment, injunction, assessment };
constexpr int actCount = 5;

// As the menu offers it: "Prima udienza (cause iniziate dal 01/03/2023)".
const wchar_t* actChoice(Act act);
// The checkbox the act reads ("Causa iniziata prima del 04/07/2009"), or nullptr.
const wchar_t* actOption(Act act);
bool actTakesService(Act act);  // "Notificata il": the judgment's service
bool actTakesDays(Act act);     // "Giorni": the decree's term

struct ActTermsInput {
    Act act = Act::firstHearing;
    std::wstring dateText;          // the hearing, the publication, or the service of the act
    std::wstring servedText;        // the judgment's service, or empty
    std::wstring daysText = L"40";  // the decree's term
    std::wstring caseText;          // "Pratica"
    bool option = false;
    DeadlineRule rule = DeadlineRule::court;  // DATE's: Lavoro counts without the summer suspension
    MonthDay patron;
    CivilDate today;
};

struct ActTerm {
    DayNumber due = 0;
    std::wstring name;  // "Costituzione del convenuto (art. 166 c.p.c.)"
    std::wstring line;  // "<name>: venerdì 20/06/2025", its warnings on the lines after
};

// The list: the rule it counts by, then each term's line; or, not ok, the
// message. `copyText` is what COPIA and STAMPA give: "TERMINI: <heading>",
// "Pratica: …", the list, an empty line and "Calcolato il <today>".
struct ActTermsOutcome {
    bool ok = false;
    std::wstring text;
    std::wstring heading;  // "Prima udienza del lunedì 29/09/2025"
    std::wstring copyText;
    DayNumber actDay = 0;
    std::vector<ActTerm> terms;
};
ActTermsOutcome computeActTerms(const ActTermsInput& in);

// One all-day event per term for the office calendar: the summary "<Pratica>:
// <term>" (the term alone without a Pratica), the description the term's
// line and its act. The UID and the stamp are the writer's.
std::vector<CalendarEntry> actTermsEvents(const ActTermsOutcome& outcome, const std::wstring& caseText);
