#include "finance/interest.h"

#include <gtest/gtest.h>

#include <string>

#include "app/settings.h"

namespace {

InterestInput defaults()
{
    InterestInput in;
    in.capitalText = L"10000";
    in.rateText = L"2,40";
    in.surchargeText = L"8,00";
    in.daysText = L"60";
    in.fromText = L"01/07/2026";
    in.toText = L"31/08/2026";
    return in;
}

const std::wstring attention =
    L"\r\nATTENZIONE: periodo su pi\u00f9 semestri. Dividere il calcolo per i tassi vigenti.";

TEST(ComputeInterest, DefaultInputs)
{
    InterestOutcome out = computeInterest(defaults());
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(L"Interessi: 40,11 \u20ac    |    Capitale + interessi: 10.040,11 \u20ac", out.resultLine);
    EXPECT_EQ(L"10.000,00 \u00d7 (2,40%) \u00d7 61 / 365 = 40,11 \u20ac", out.formulaText);
    EXPECT_DOUBLE_EQ(10000 * 2.4 / 100 * 61 / 365, out.interest);
}

TEST(ComputeInterest, WithTheSurchargeWithinOneHalfYear)
{
    InterestInput in = defaults();
    in.surchargeApplied = true;
    InterestOutcome out = computeInterest(in);
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(L"Interessi: 173,81 \u20ac    |    Capitale + interessi: 10.173,81 \u20ac", out.resultLine);
    EXPECT_EQ(L"10.000,00 \u00d7 (2,40% + 8,00 punti) \u00d7 61 / 365 = 173,81 \u20ac\r\n"
              L"Tasso complessivo inserito: 10,40% (verificare tasso MEF del semestre).",
              out.formulaText);
}

struct PeriodCase {
    const wchar_t* from;
    const wchar_t* to;
    long days;
    bool warning;
};

class InterestPeriods : public ::testing::TestWithParam<PeriodCase> {};

TEST_P(InterestPeriods, SurchargeWarnsAcrossHalfYears)
{
    const PeriodCase& c = GetParam();
    InterestInput in = defaults();
    in.surchargeApplied = true;
    in.fromText = c.from;
    in.toText = c.to;
    InterestOutcome out = computeInterest(in);
    ASSERT_TRUE(out.ok);
    EXPECT_NE(std::wstring::npos, out.formulaText.find(L" \u00d7 " + std::to_wstring(c.days) + L" / 365"));
    EXPECT_EQ(c.warning, out.formulaText.find(attention) != std::wstring::npos);
    EXPECT_EQ(!c.warning, out.formulaText.find(L"Tasso complessivo inserito: 10,40%") != std::wstring::npos);
    EXPECT_EQ(c.warning ? L"Periodo su pi\u00f9 semestri: i tassi ufficiali possono cambiare." : L"", out.note)
        << "on the result too";
    in.surchargeApplied = false;
    EXPECT_EQ(out.note, computeInterest(in).note) << "with or without the surcharge";
    in.daysMode = true;
    EXPECT_EQ(L"", computeInterest(in).note) << "never with the days typed";
}

INSTANTIATE_TEST_SUITE_P(
    Table, InterestPeriods,
    ::testing::Values(PeriodCase{L"31/12/2026", L"01/01/2027", 1, true},
                      PeriodCase{L"01/06/2026", L"31/07/2026", 60, true},
                      PeriodCase{L"01/01/2026", L"30/06/2026", 180, false},
                      PeriodCase{L"05/04/2026", L"05/04/2026", 0, false}));

TEST(ComputeInterest, EqualDatesGiveZero)
{
    InterestInput in = defaults();
    in.toText = in.fromText;
    InterestOutcome out = computeInterest(in);
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(L"Interessi: 0,00 \u20ac    |    Capitale + interessi: 10.000,00 \u20ac", out.resultLine);
    EXPECT_EQ(L"10.000,00 \u00d7 (2,40%) \u00d7 0 / 365 = 0,00 \u20ac", out.formulaText);
}

TEST(ComputeInterest, DaysModeIgnoresTheDatesAndNeverWarns)
{
    InterestInput in = defaults();
    in.daysMode = true;
    in.surchargeApplied = true;
    in.fromText = L"garbage";
    in.toText = L"31/12/2027";
    InterestOutcome out = computeInterest(in);
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(L"Interessi: 170,96 \u20ac    |    Capitale + interessi: 10.170,96 \u20ac", out.resultLine);
    EXPECT_EQ(std::wstring::npos, out.formulaText.find(L"ATTENZIONE"));
    EXPECT_NE(std::wstring::npos, out.formulaText.find(L"Tasso complessivo inserito"));
}

struct MessageCase {
    const char* what;
    InterestInput in;
    const wchar_t* message;  // nullptr: accepted
};

InterestInput with(void (*change)(InterestInput&))
{
    InterestInput in = defaults();
    change(in);
    return in;
}

TEST(ComputeInterest, MessagesInTheirOrder)
{
    const wchar_t* capital = L"Capitale non valido.";
    const wchar_t* rate = L"Tasso base non valido.";
    const wchar_t* surcharge = L"Maggiorazione non valida (0\u2013100 punti).";
    const wchar_t* days = L"Numero giorni non valido.";
    const MessageCase cases[] = {
        {"capital unreadable", with([](InterestInput& i) { i.capitalText = L"abc"; i.surchargeApplied = true; i.surchargeText = L"x"; }), capital},
        {"capital below 0", with([](InterestInput& i) { i.capitalText = L"-1"; }), capital},
        {"capital 0", with([](InterestInput& i) { i.capitalText = L"0"; }), nullptr},
        {"rate unreadable", with([](InterestInput& i) { i.rateText = L""; }), rate},
        {"rate 1000", with([](InterestInput& i) { i.rateText = L"1000"; }), nullptr},
        {"rate 1000,01", with([](InterestInput& i) { i.rateText = L"1000,01"; }), rate},
        {"rate below 0", with([](InterestInput& i) { i.rateText = L"-0,1"; }), rate},
        {"surcharge 100", with([](InterestInput& i) { i.surchargeApplied = true; i.surchargeText = L"100"; }), nullptr},
        {"surcharge 100,5", with([](InterestInput& i) { i.surchargeApplied = true; i.surchargeText = L"100,5"; }), surcharge},
        {"surcharge unreadable, applied", with([](InterestInput& i) { i.surchargeApplied = true; i.surchargeText = L"?"; i.fromText = L"x"; }), surcharge},
        {"surcharge unreadable, not applied", with([](InterestInput& i) { i.surchargeText = L"?"; }), nullptr},
        {"days 100.000", with([](InterestInput& i) { i.daysMode = true; i.daysText = L"100.000"; }), nullptr},
        {"days 30*2", with([](InterestInput& i) { i.daysMode = true; i.daysText = L"30*2"; }), nullptr},
        {"days 100001", with([](InterestInput& i) { i.daysMode = true; i.daysText = L"100001"; }), days},
        {"days 1,5", with([](InterestInput& i) { i.daysMode = true; i.daysText = L"1,5"; }), days},
        {"days in the E form", with([](InterestInput& i) { i.daysMode = true; i.daysText = L"1E+2"; }), days},
        {"capital in the E form", with([](InterestInput& i) { i.capitalText = L"1,5E+3"; }), nullptr},
        {"days -1", with([](InterestInput& i) { i.daysMode = true; i.daysText = L"-1"; }), days},
        {"days empty", with([](InterestInput& i) { i.daysMode = true; i.daysText = L""; }), days},
        {"dotted start date, bad end date", with([](InterestInput& i) { i.fromText = L"13.10.1966"; i.toText = L"x"; }), L"Data finale non valida (gg/mm/aaaa)"},
        {"start date unreadable", with([](InterestInput& i) { i.fromText = L"32/01/2026"; i.toText = L"x"; }), L"Data iniziale non valida (gg/mm/aaaa)"},
        {"end date", with([](InterestInput& i) { i.toText = L"31/02/2026"; }), L"Data finale non valida (gg/mm/aaaa)"},
        {"reversed", with([](InterestInput& i) { i.fromText = L"01/09/2026"; }), L"La data finale precede quella iniziale."},
        {"overflow", with([](InterestInput& i) { i.capitalText = L"1" + std::wstring(307, L'0'); i.rateText = L"1000"; }), L"Importo fuori intervallo."},
        {"overflow times zero days", with([](InterestInput& i) { i.capitalText = L"1" + std::wstring(307, L'0'); i.rateText = L"1000"; i.toText = i.fromText; }), L"Importo fuori intervallo."},
    };
    for (const MessageCase& c : cases) {
        InterestOutcome out = computeInterest(c.in);
        if (c.message) {
            EXPECT_FALSE(out.ok) << c.what;
            EXPECT_EQ(std::wstring(c.message), out.resultLine) << c.what;
        } else {
            EXPECT_TRUE(out.ok) << c.what << ": " << std::string(out.resultLine.begin(), out.resultLine.end());
        }
    }
}

TEST(ComputeInterest, DecimalPlacesApplyToAmountsNotRates)
{
    InterestInput in = defaults();
    in.decimals = 0;
    InterestOutcome zero = computeInterest(in);
    in.decimals = 4;
    InterestOutcome four = computeInterest(in);
    EXPECT_EQ(L"Interessi: 40 \u20ac    |    Capitale + interessi: 10.040 \u20ac", zero.resultLine);
    EXPECT_EQ(L"10.000 \u00d7 (2,40%) \u00d7 61 / 365 = 40 \u20ac", zero.formulaText);
    EXPECT_EQ(L"Interessi: 40,1096 \u20ac    |    Capitale + interessi: 10.040,1096 \u20ac", four.resultLine);
}

} // namespace
