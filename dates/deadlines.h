// Deadlines as Italian law counts them: a term of days, months or years from
// an event, moved off a day the chosen rule treats as closed, with the summer
// suspension of court terms skipped. The rules of law are data in
// deadlines.cpp, one row per change with its source.
#pragma once

#include <string>

#include "dates/calendar.h"

// Which days close a term, and whether the summer suspension counts; stored
// as the registry value "Termini" in this order.
enum class DeadlineRule { civil = 0, court = 1, tax = 2 };
constexpr int deadlineRuleCount = 3;

// "Civile", "Processuale", "Fiscale".
const wchar_t* deadlineRuleName(DeadlineRule rule);

enum class TermUnit { days, months, years };

struct Term {
    TermUnit unit = TermUnit::days;
    long long count = 0;  // negative: counted back from the event
};

// What the "Giorni" field holds: a whole number of days (an expression
// parseNumber reads, up to ±100.000), or a whole number followed by
// "mese"/"mesi"/"anno"/"anni" (up to 1.200 months or 100 years). When not ok,
// `message` is the text the result line shows.
struct TermReading {
    bool ok = false;
    Term term;
    const wchar_t* message = nullptr;
};
TermReading readTerm(const std::wstring& text);

struct Deadline {
    DayNumber reached = 0;    // where the count ends, after any "Fine mese"
    DayNumber due = 0;        // the same, moved off a closed day
    long long suspendedSkipped = 0;  // days of the summer suspension the count passed over
};

// Counts the term from the event (not itself counted), then "Fine mese",
// then the move: forward terms to the next open day, backward ones to the
// previous one, which is the safe side.
Deadline deadlineFor(DayNumber event, const Term& term, bool endOfMonth, DeadlineRule rule);

// A day the rule treats as closed: Sundays and national holidays, and for
// the court and tax rules Saturdays too (court terms only from 01/03/2006).
bool isClosedDay(DayNumber day, DeadlineRule rule);

// A day of the summer suspension of court terms.
bool isSuspendedDay(DayNumber day);

// The add-days result: "Scadenza: sabato 19/09/2026  (30 giorni + 31 di
// sospensione feriale)" and, when the deadline moved, a second line
// "→ lunedì 21/09/2026 (sabato)". Not ok with the message when the term is
// unreadable or a date falls outside the years 1600 to 9999.
struct DeadlineText {
    bool ok = false;
    std::wstring text;
};
DeadlineText deadlineText(DayNumber event, const std::wstring& termText, bool endOfMonth, DeadlineRule rule);
