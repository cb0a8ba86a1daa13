// Interest at the official rates: the worked examples, checked by hand, and
// the edges of the tables.
#include "finance/official_rates.h"

#include <gtest/gtest.h>

#include <string>

#include "app/settings.h"
#include "finance/interest.h"

namespace {

InterestOutcome atOfficialRates(RateSource source, const wchar_t* capital, const wchar_t* from, const wchar_t* to,
                                const wchar_t* surcharge = nullptr, int decimals = 2)
{
    InterestInput in;
    in.decimals = decimals;
    in.source = source;
    in.capitalText = capital;
    in.rateText = L"non letto";
    in.surchargeApplied = surcharge != nullptr;
    in.surchargeText = surcharge ? surcharge : L"";
    in.fromText = from;
    in.toText = to;
    return computeInterest(in);
}

constexpr RateSource legal = RateSource::legal, reference = RateSource::reference;

TEST(OfficialRates, WorkedExamplesAndEdges)
{
    settings = Settings{};
    struct Case {
        RateSource source;
        const wchar_t *capital, *from, *to, *surcharge;
        const wchar_t *result, *formula;  // the formula's lines joined by " | "
        const wchar_t* note = nullptr;     // the result's further lines
    } cases[] = {
        {legal, L"1000", L"10/06/1998", L"01/09/2003", nullptr,
         L"Interessi: 163,07 €    |    Capitale + interessi: 1.163,07 €",
         L"11/06/1998 – 31/12/1998: 1.000,00 × 5,00% × 204 / 365 = 27,95 € | "
         L"01/01/1999 – 31/12/2000: 1.000,00 × 2,50% × 731 / 365 = 50,07 € | "
         L"01/01/2001 – 31/12/2001: 1.000,00 × 3,50% × 365 / 365 = 35,00 € | "
         L"01/01/2002 – 01/09/2003: 1.000,00 × 3,00% × 609 / 365 = 50,05 € | Totale: 163,07 €"},
        {legal, L"6.480", L"25/10/2003", L"28/06/2004", nullptr,
         L"Interessi: 115,57 €    |    Capitale + interessi: 6.595,57 €",
         L"26/10/2003 – 31/12/2003: 6.480,00 × 3,00% × 67 / 365 = 35,68 € | "
         L"01/01/2004 – 28/06/2004: 6.480,00 × 2,50% × 180 / 365 = 79,89 € | Totale: 115,57 €"},
        {legal, L"12.500", L"01/03/2024", L"30/11/2026", nullptr,
         L"Interessi: 694,14 €    |    Capitale + interessi: 13.194,14 €",
         L"02/03/2024 – 31/12/2024: 12.500,00 × 2,50% × 305 / 365 = 261,13 € | "
         L"01/01/2025 – 31/12/2025: 12.500,00 × 2,00% × 365 / 365 = 250,00 € | "
         L"01/01/2026 – 30/11/2026: 12.500,00 × 1,60% × 334 / 365 = 183,01 € | Totale: 694,14 €"},
        {reference, L"1000", L"01/01/2010", L"01/01/2012", L"7",
         L"Interessi: 161,26 €    |    Capitale + interessi: 1.161,26 €",
         L"02/01/2010 – 30/06/2010: 1.000,00 × (1,00% + 7,00 punti) × 180 / 365 = 39,45 € | "
         L"01/07/2010 – 31/12/2010: 1.000,00 × (1,00% + 7,00 punti) × 184 / 365 = 40,33 € | "
         L"01/01/2011 – 30/06/2011: 1.000,00 × (1,00% + 7,00 punti) × 181 / 365 = 39,67 € | "
         L"01/07/2011 – 31/12/2011: 1.000,00 × (1,25% + 7,00 punti) × 184 / 365 = 41,59 € | "
         L"01/01/2012 – 01/01/2012: 1.000,00 × (1,00% + 7,00 punti) × 1 / 365 = 0,22 € | Totale: 161,26 €"},
        // A single day, the first of a new rate; equal dates.
        {legal, L"36.500", L"31/12/2025", L"01/01/2026", nullptr,
         L"Interessi: 1,60 €    |    Capitale + interessi: 36.501,60 €", nullptr},
        {reference, L"1000", L"15/03/2020", L"15/03/2020", nullptr,
         L"Interessi: 0,00 €    |    Capitale + interessi: 1.000,00 €",
         L"15/03/2020 – 15/03/2020: 1.000,00 × 0,00% × 0 / 365 = 0,00 € | Totale: 0,00 €"},
        // The zero half-years still carry the surcharge: 181 + 184 days at 8 %.
        {reference, L"36.500", L"31/12/2018", L"31/12/2019", L"8",
         L"Interessi: 2.920,00 €    |    Capitale + interessi: 39.420,00 €", nullptr},
        // Past the tables: the last rate, said openly.
        {legal, L"36.500", L"31/12/2026", L"02/01/2028", nullptr,
         L"Interessi: 587,20 €    |    Capitale + interessi: 37.087,20 €",
         L"01/01/2027 – 31/12/2027: 36.500,00 × 1,60% × 365 / 365 = 584,00 € | "
         L"01/01/2028 – 02/01/2028: 36.500,00 × 1,60% × 2 / 365 = 3,20 € | Totale: 587,20 € | "
         L"Tassi 2027–2028 non in tabella: usato 1,60% (ultimo noto)."},
        {reference, L"36.500", L"30/06/2026", L"10/07/2026", L"8",
         L"Interessi: 104,00 €    |    Capitale + interessi: 36.604,00 €",
         L"01/07/2026 – 10/07/2026: 36.500,00 × (2,40% + 8,00 punti) × 10 / 365 = 104,00 € | Totale: 104,00 €", L""},
        {reference, L"10.000", L"30/06/2026", L"31/12/2026", L"8",
         L"Interessi: 524,27 €    |    Capitale + interessi: 10.524,27 €", nullptr, L""},
        {reference, L"36.500", L"31/12/2026", L"10/01/2027", L"8",
         L"Interessi: 104,00 €    |    Capitale + interessi: 36.604,00 €", nullptr,
         L"Tasso 1° semestre 2027 non in tabella: usato 2,40% (ultimo noto)."},
        // A set-up the law would not use.
        {reference, L"10.000", L"30/06/2026", L"31/12/2026", nullptr,
         L"Interessi: 120,99 €    |    Capitale + interessi: 10.120,99 €", nullptr,
         L"Senza maggiorazione: solo tasso di riferimento BCE (D.Lgs. 231/2002: + 8 punti)."},
        {legal, L"10.000", L"31/12/2025", L"31/12/2026", L"8",
         L"Interessi: 960,00 €    |    Capitale + interessi: 10.960,00 €", nullptr,
         L"Tasso legale maggiorato di 8,00 punti: verifica che la maggiorazione sia dovuta."},
        // Before the tables, and the days typed instead of dates.
        {legal, L"1000", L"19/04/1942", L"01/01/1950", nullptr, L"Tassi ufficiali disponibili dal 21/04/1942.", L""},
        {legal, L"1000", L"20/04/1942", L"01/01/1950", nullptr,
         L"Interessi: 385,34 €    |    Capitale + interessi: 1.385,34 €", nullptr},
        {reference, L"1000", L"07/08/2002", L"01/01/2003", L"7", L"Il D.Lgs. 231/2002 vale per i contratti dal 08/08/2002.",
         L""},
        {reference, L"1000", L"08/08/2002", L"09/08/2002", L"7",
         L"Interessi: 0,28 €    |    Capitale + interessi: 1.000,28 €", nullptr},
        {legal, L"-1", L"01/01/2020", L"01/01/2021", nullptr, L"Capitale non valido.", L""},
        {reference, L"1000", L"01/01/2021", L"01/01/2020", nullptr, L"La data finale precede quella iniziale.", L""},
    };
    for (const Case& c : cases) {
        const InterestOutcome out = atOfficialRates(c.source, c.capital, c.from, c.to, c.surcharge);
        EXPECT_EQ(std::wstring(c.result), out.resultLine) << c.from << " - " << c.to;
        if (c.note) {
            EXPECT_EQ(std::wstring(c.note), out.note) << c.from << " - " << c.to;
        }
        if (!c.formula) continue;
        std::wstring formula = out.ok ? out.formulaText : L"";
        for (size_t at; (at = formula.find(L"\r\n")) != std::wstring::npos;) formula.replace(at, 2, L" | ");
        EXPECT_EQ(std::wstring(c.formula), formula) << c.from << " - " << c.to;
    }
    // Each piece rounded once on its exact decimal value, at six decimals too (binary gave …039969).
    EXPECT_EQ(L"Interessi: 14.040.580,039968 €    |    Capitale + interessi: 20.547.038,129968 €",
              atOfficialRates(legal, L"6.506.458,09", L"15/07/1945", L"31/08/1988", nullptr, 6).resultLine);
}

TEST(OfficialRates, DaysTypedNeedDatesAndLongPeriodsSplitEverywhere)
{
    InterestInput in;
    in.source = RateSource::reference;
    in.capitalText = L"1000";
    in.daysMode = true;
    in.daysText = L"60";
    EXPECT_EQ(L"Con i tassi da tabella servono le date.", computeInterest(in).resultLine);

    // 100.000 days over every row of both tables, and far past them.
    for (RateSource source : {legal, reference}) {
        const DayNumber start = dateToDayNumber({1950, 1, 1}) + (source == reference ? 19000 : 0);
        const std::vector<RatePiece> pieces = ratePieces(source, start, start + 100000, AddedRows{});
        long long days = 0;
        for (size_t i = 0; i < pieces.size(); ++i) {
            days += pieces[i].to - pieces[i].from;
            if (i > 0) {
                EXPECT_EQ(pieces[i - 1].to, pieces[i].from) << "pieces follow each other";
            }
        }
        EXPECT_EQ(100000, days);
        EXPECT_FALSE(pieces.back().known);
    }

    // The longest split shows its first and last fifty pieces and sums them all.
    const InterestOutcome longest = atOfficialRates(reference, L"12.500", L"08/08/2002", L"31/12/9999", L"8");
    size_t lines = 1;
    for (wchar_t c : longest.formulaText) lines += c == L'\n';
    EXPECT_EQ(50u + 1 + 50 + 2, lines) << "the pieces shown, the line between them, the total and the note";
    EXPECT_NE(std::wstring::npos, longest.formulaText.find(L"\r\n\u2026 15.895 periodi omessi \u2026\r\n"));
    EXPECT_GT(longest.interest, 12500 * 0.08 * 7997) << "every piece summed, also those left out of the formula";
}

} // namespace
