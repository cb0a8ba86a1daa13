// Deadlines as Italian law counts them: a term of days, weeks, free days,
// months or years from an event, moved off a day the chosen rule treats as
// closed, with the summer suspension of court terms skipped. The rules of law
// are data in deadlines.cpp, one row per change with its source.
#pragma once

#include <string>
#include <vector>

#include "dates/calendar.h"

// Which days close a term, and which suspensions count; stored as the
// registry value "Termini" in this order. Labour cases (and the other matters
// of art. 3 L. 742/1969) count as court terms without the summer suspension.
enum class DeadlineRule { civil = 0, court = 1, tax = 2, labour = 3 };
constexpr int deadlineRuleCount = 4;

// "Civile", "Processuale", "Fiscale", "Lavoro": the button's caption.
const wchar_t* deadlineRuleName(DeadlineRule rule);
// The same as the menu offers it: "Lavoro (senza sospensione feriale)".
const wchar_t* deadlineRuleChoice(DeadlineRule rule);

// The rule and the law it counts by, as a prospect's line cites them:
// "Regola: processuale (art. 155 c.p.c.; sospensione feriale L. 742/1969)".
std::wstring deadlineRuleLine(DeadlineRule rule);

// Free days ("giorni liberi") leave out both the day of the event and the
// last day: N of them are counted as N + 1 days.
enum class TermUnit { days, weeks, freeDays, months, years };

struct Term {
    TermUnit unit = TermUnit::days;
    long long count = 0;  // in the unit; negative: counted back from the event
};

// What the "Giorni" field holds: a whole number of days (an expression
// parseNumber reads, up to ±100.000), or a whole number followed by a unit:
// "giorni", "giorno", "gg" or "g"; "settimana"/"settimane" (up to 14.285);
// "liberi" or "giorni liberi" (up to 99.999); "mese"/"mesi" (up to 1.200);
// "anno"/"anni" (up to 100). When not ok, `message` is the text the result
// line shows.
struct TermReading {
    bool ok = false;
    Term term;
    const wchar_t* message = nullptr;
};
TermReading readTerm(const std::wstring& text);

// The summer suspension of court terms, or one a law decreed for an
// emergency (2020).
enum class SuspensionKind { summer, emergency };

// Days of one suspension next to each other, in calendar order.
struct SuspensionRun {
    DayNumber first = 0;
    DayNumber last = 0;
    SuspensionKind kind = SuspensionKind::summer;
};

struct Deadline {
    DayNumber counted = 0;          // where the count ends
    DayNumber reached = 0;          // the same, or its month's last day with "Fine mese"
    DayNumber due = 0;              // `reached` moved off a closed day
    DayNumber firstCounted = 0;     // the term's first day, past a suspension the event falls in
    long long suspendedSkipped = 0;  // days of the suspensions the count passed over
    std::vector<SuspensionRun> suspensionRuns;  // those days, run by run in the order met
};

// Counts the term from the event (not itself counted), then "Fine mese",
// then the move: forward terms to the next open day, backward ones to the
// previous one, which is the safe side.
Deadline deadlineFor(DayNumber event, const Term& term, bool endOfMonth, DeadlineRule rule, MonthDay patron);

// A day the rule treats as closed: Sundays and the holidays the law closes
// (national ones, and 29 June in Rome, when `patron` says the program is used
// there), and for the court and tax rules
// Saturdays too (court terms only from 01/03/2006).
bool isClosedDay(DayNumber day, DeadlineRule rule, MonthDay patron);

// A day the rule does not count: the summer suspension of court terms (from
// 1970) for "Processuale", the 2020 emergency suspension for it and "Lavoro".
bool isSuspendedDay(DayNumber day, DeadlineRule rule);
// A day of the emergency suspension, which any rule of the courts skips.
bool isEmergencySuspendedDay(DayNumber day);

// The warnings a deadline carries, each line after a CR LF: the emergency
// suspension its count met (`backward` when counted back from a hearing), the
// patron saint's day it falls on.
std::wstring deadlineWarnings(const Deadline& deadline, bool backward, MonthDay patron);

// The add-days result, one line each: "Scadenza: sabato 19/09/2026  (30
// giorni + 31 di sospensione feriale, processuale)"; "→ lunedì 21/09/2026
// (sabato)" when the deadline moved; "Attenzione: … è festa patronale." when
// it is the patron saint's day; "→ versamenti entro …" for tax deadlines
// from 1 to 19 August. `prospect` explains the count line by line, for the
// day-verification window, ending with the day it was computed (`today`).
// Not ok with the message when the term is unreadable or a date falls
// outside the years 1600 to 9999.
struct DeadlineText {
    bool ok = false;
    std::wstring text;
    std::wstring prospect;
    std::wstring summary;  // for a calendar: "Scadenza: 30 giorni da lunedì 20/07/2026 (processuale)"
    DayNumber due = 0;
};
DeadlineText deadlineText(DayNumber event, const std::wstring& termText, bool endOfMonth, DeadlineRule rule,
                          MonthDay patron, const CivilDate& today);
