#include "finance/ledger.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

struct LedgerCase {
    const wchar_t* movements;
    RateSource source;
    const wchar_t* to;
    const wchar_t* lawsuit;
    bool revaluation;
    const wchar_t* expected;  // the totals' lines, or the message
    const wchar_t* rate = L"5";
    bool compensation = false;
    bool paymentsToCapital = false;
};

LedgerInput inputOf(const LedgerCase& c)
{
    LedgerInput in;
    in.movementsText = c.movements;
    in.source = c.source;
    in.rateText = c.rate;
    in.surchargeText = L"8,00";
    in.toText = c.to;
    in.lawsuitText = c.lawsuit;
    in.revaluation = c.revaluation;
    in.compensation = c.compensation;
    in.paymentsToCapital = c.paymentsToCapital;
    return in;
}

// The totals as the prospect ends them: from "Capitale" on.
std::wstring totalsOf(const LedgerOutcome& out)
{
    if (!out.ok) return out.text;
    const size_t at = out.text.find(L"\r\nCapitale");
    return at == std::wstring::npos ? out.text : out.text.substr(at + 2);
}

class Ledger : public ::testing::TestWithParam<LedgerCase> {};

TEST_P(Ledger, GivesTheAmountsDue)
{
    const LedgerCase& c = GetParam();
    EXPECT_EQ(c.expected, totalsOf(computeLedger(inputOf(c)))) << c.movements;
}

const RateSource entered = RateSource::entered, legal = RateSource::legal;

INSTANTIATE_TEST_SUITE_P(
    ExamplesAndMessages, Ledger,
    ::testing::Values(
        // Costs earn no interest and are paid first; the 40 € of a sum is a cost of its day.
        LedgerCase{L"01/01/2025 10.000\n15/03/2025 545 spese decreto", entered, L"31/12/2025", L"", false,
                   L"Capitale: 10.000,00 \u20ac\r\nSpese: 545,00 \u20ac\r\nInteressi: 498,63 \u20ac\r\n"
                   L"TOTALE DOVUTO al 31/12/2025: 11.043,63 \u20ac"},
        LedgerCase{L"01/01/2025 10.000\n15/03/2025 545 Spese decreto\n01/07/2025 -3.000", entered, L"31/12/2025", L"",
                   false,
                   L"Capitale: 7.792,95 \u20ac\r\nSpese: 0,00 \u20ac\r\nInteressi: 195,36 \u20ac\r\n"
                   L"TOTALE DOVUTO al 31/12/2025: 7.988,31 \u20ac"},
        LedgerCase{L"01/01/2025 10.000\n01/07/2025 -3.000", entered, L"31/12/2025", L"", false,
                   L"Capitale: 7.287,95 \u20ac\r\nSpese: 0,00 \u20ac\r\nInteressi: 182,70 \u20ac\r\n"
                   L"TOTALE DOVUTO al 31/12/2025: 7.470,65 \u20ac",
                   L"5", true},
        // Damages paid on account: to the capital revalued, then to the interest.
        LedgerCase{L"15/01/2019 100.000\n20/08/2019 -1.000", legal, L"30/09/2020", L"", true,
                   L"Capitale rivalutato: 99.482,22 \u20ac\r\nInteressi: 328,21 \u20ac\r\n"
                   L"TOTALE DOVUTO al 30/09/2020: 99.810,43 \u20ac\r\n"
                   L"Indice FOI in calo: il credito n. 1 resta al valore nominale (art. 1277 c.c.)."},
        LedgerCase{L"15/01/2019 100.000\n20/08/2019 -1.000", legal, L"30/09/2020", L"", true,
                   L"Capitale rivalutato: 99.009,90 \u20ac\r\nInteressi: 803,69 \u20ac\r\n"
                   L"TOTALE DOVUTO al 30/09/2020: 99.813,59 \u20ac\r\n"
                   L"Indice FOI in calo: il credito n. 1 resta al valore nominale (art. 1277 c.c.).",
                   L"5", false, true},
        LedgerCase{L"01/01/2025 10.000\r01/07/2025 -3.000", entered, L"31/12/2025", L"", false,
                   L"Capitale: 7.247,95 \u20ac\r\nInteressi: 181,70 \u20ac\r\n"
                   L"TOTALE DOVUTO al 31/12/2025: 7.429,65 \u20ac"},
        LedgerCase{L"31/01/2021 10.000", legal, L"31/07/2025", L"15/06/2023", false,
                   L"Capitale: 10.000,00 \u20ac\r\nInteressi: 2.881,35 \u20ac\r\n"
                   L"TOTALE DOVUTO al 31/07/2025: 12.881,35 \u20ac"},
        LedgerCase{L"31/01/2021 10.000", legal, L"31/07/2025", L"15/06/2023", true,
                   L"Capitale rivalutato: 11.840,00 \u20ac\r\nInteressi: 3.361,75 \u20ac\r\n"
                   L"TOTALE DOVUTO al 31/07/2025: 15.201,75 \u20ac"},
        // A payment takes its share of the revalued capital: it never raises the claim.
        LedgerCase{L"15/01/2019 100.000\n20/08/2019 -1", entered, L"30/09/2020", L"", true,
                   L"Capitale rivalutato: 99.999,01 \u20ac\r\nInteressi: 0,00 \u20ac\r\n"
                   L"TOTALE DOVUTO al 30/09/2020: 99.999,01 \u20ac\r\n"
                   L"Indice FOI in calo: il credito n. 1 resta al valore nominale (art. 1277 c.c.).",
                   L"0"},
        LedgerCase{L"15/01/2019 100.000\n20/08/2019 -1", legal, L"30/09/2020", L"", true,
                   L"Capitale rivalutato: 100.000,00 \u20ac\r\nInteressi: 805,95 \u20ac\r\n"
                   L"TOTALE DOVUTO al 30/09/2020: 100.805,95 \u20ac\r\n"
                   L"Indice FOI in calo: il credito n. 1 resta al valore nominale (art. 1277 c.c.)."},
        LedgerCase{L"31/01/2024 1.000\n29/02/2024 1.000\n31/03/2024 1.000", legal, L"31/12/2025", L"", true,
                   L"Capitale rivalutato: 3.054,00 \u20ac\r\nInteressi: 124,31 \u20ac\r\n"
                   L"TOTALE DOVUTO al 31/12/2025: 3.178,31 \u20ac"},
        LedgerCase{L"01/01/2025 -5.000\n01/01/2024 10.000", legal, L"31/12/2025", L"", false,
                   L"Capitale: 5.250,55 \u20ac\r\nInteressi: 104,72 \u20ac\r\n"
                   L"TOTALE DOVUTO al 31/12/2025: 5.355,27 \u20ac"},
        LedgerCase{L"31/08/2019 10.000", legal, L"30/09/2020", L"", true,
                   L"Capitale rivalutato: 10.000,00 \u20ac\r\nInteressi: 30,49 \u20ac\r\n"
                   L"TOTALE DOVUTO al 30/09/2020: 10.030,49 \u20ac\r\n"
                   L"Indice FOI in calo: il credito n. 1 resta al valore nominale (art. 1277 c.c.)."},
        LedgerCase{L"01/01/2024 1.000\n31/12/2024 -2.000", legal, L"30/06/2025", L"", false,
                   L"Capitale: 0,00 \u20ac\r\nInteressi: 0,00 \u20ac\r\nTOTALE DOVUTO al 30/06/2025: 0,00 \u20ac\r\n"
                   L"Eccedenza: 975,00 \u20ac"},
        // The advance goes against the next sum on its date.
        LedgerCase{L"01/01/2024 1.000\n31/12/2024 -2.000\n01/01/2025 1.000", legal, L"01/01/2025", L"", false,
                   L"Capitale: 25,00 \u20ac\r\nInteressi: 0,00 \u20ac\r\nTOTALE DOVUTO al 01/01/2025: 25,00 \u20ac"},
        // Spreadsheet rows, a bracketed payment, a payment on the sum's own day.
        LedgerCase{L"01/01/2025\t\u20ac 10.000,00\taffitto\n01/01/2025;(10.000,00)", entered, L"31/12/2025", L"",
                   false, L"Capitale: 0,00 \u20ac\r\nInteressi: 0,00 \u20ac\r\nTOTALE DOVUTO al 31/12/2025: 0,00 \u20ac"},
        LedgerCase{L"01/07/2026 1.000", legal, L"31/03/2027", L"", false,
                   L"Capitale: 1.000,00 \u20ac\r\nInteressi: 11,97 \u20ac\r\nTOTALE DOVUTO al 31/03/2027: 1.011,97 \u20ac\r\n"
                   L"Tasso 2027 non in tabella: usato 1,60% (ultimo noto)."},
        LedgerCase{L"", legal, L"31/12/2025", L"", false, L"Scrivi almeno un movimento: data e importo."},
        LedgerCase{L"\r\n01/01/2025 10.000\r\n\r\n32/01/2025 5", legal, L"31/12/2025", L"", false,
                   L"Riga 4: data non valida (\u00ab32/01/2025\u00bb)."},
        LedgerCase{L"01/01/2025 dieci euro", legal, L"31/12/2025", L"", false, L"Riga 1: importo non valido (\u00abdieci\u00bb)."},
        // A spreadsheet's header row is no movement; the rows keep their numbers.
        LedgerCase{L"Data\tImporto\tDescrizione\n01/01/2025\t10.000\n31/02/2023\t5", legal, L"31/12/2025", L"", false,
                   L"Riga 3: data non valida (\u00ab31/02/2023\u00bb)."},
        LedgerCase{L"01/01/2025 0,004", legal, L"31/12/2025", L"", false, L"Riga 1: importo zero."},
        LedgerCase{L"01/01/2025 10\n01/01/2026 10", legal, L"31/12/2025", L"", false,
                   L"Riga 2: movimento dopo la data Al."},
        LedgerCase{L"01/02/2025 10\n31/01/2025 -10", legal, L"31/12/2025", L"", false,
                   L"Riga 2: pagamento prima del primo credito."},
        LedgerCase{L"01/02/2025 10", legal, L"31/12/2025", L"10/12/2014", false,
                   L"La domanda giudiziale con il tasso dell'art. 1284 c. 4 c.c. vale dal 11/12/2014."},
        LedgerCase{L"01/02/2025 10", legal, L"31/12/2025", L"31/12/2025", false,
                   L"La domanda giudiziale deve precedere la data Al."},
        LedgerCase{L"01/02/2025 10", legal, L"31/13/2025", L"", false, L"Data Al non valida (gg/mm/aaaa)."}));

TEST(Ledger, WritesCostsAndTheCompensationWithTheirLaw)
{
    LedgerInput in;
    in.movementsText = L"01/01/2025 10.000\n15/03/2025 545,00 spese decreto ingiuntivo\n01/07/2025 -3.000";
    in.rateText = L"5";
    in.toText = L"31/12/2025";
    in.compensation = true;
    in.caseText = L" Rossi / Bianchi srl ";
    const std::wstring text = computeLedger(in).text;
    for (const wchar_t* line :
         {L"CONTEGGIO DEL CREDITO al 31/12/2025\r\nPratica: Rossi / Bianchi srl\r\n",
          L"\r\nAcconti imputati prima alle spese e agli interessi, poi al capitale (art. 1194 c.c.)\r\n",
          L"\r\nIndennizzo n. 1 del 01/01/2025: 40,00 \u20ac (art. 6 c. 2 D.Lgs. 231/2002)\r\n",
          L"\r\nSpese n. 1 del 15/03/2025: 545,00 \u20ac (spese decreto ingiuntivo)\r\n",
          L"\r\nAcconto del 01/07/2025: 3.000,00 \u20ac \u2192 spese 585,00 \u20ac, interessi 247,95 \u20ac, capitale 2.167,05 \u20ac\r\n"})
        EXPECT_NE(std::wstring::npos, text.find(line)) << text;
}

TEST(Ledger, WritesTheProspectOfTheFirstExample)
{
    LedgerInput in;
    in.movementsText = L"01/01/2025  10.000,00\r\n01/07/2025  -3.000";
    in.rateText = L"5";
    in.toText = L"31/12/2025";
    EXPECT_EQ(L"CONTEGGIO DEL CREDITO al 31/12/2025\r\n"
              L"Tasso: inserito 5,00%\r\n"
              L"Acconti imputati prima agli interessi, poi al capitale (art. 1194 c.c.)\r\n"
              L"\r\n"
              L"Credito n. 1 del 01/01/2025: 10.000,00 \u20ac\r\n"
              L"n. 1  02/01/2025 \u2013 01/07/2025: 10.000,00 \u00d7 5,00% \u00d7 181 / 365 = 247,95 \u20ac\r\n"
              L"Acconto del 01/07/2025: 3.000,00 \u20ac \u2192 interessi 247,95 \u20ac, capitale 2.752,05 \u20ac\r\n"
              L"n. 1  02/07/2025 \u2013 31/12/2025: 7.247,95 \u00d7 5,00% \u00d7 183 / 365 = 181,70 \u20ac\r\n"
              L"\r\n"
              L"Capitale: 7.247,95 \u20ac\r\n"
              L"Interessi: 181,70 \u20ac\r\n"
              L"TOTALE DOVUTO al 31/12/2025: 7.429,65 \u20ac",
              computeLedger(in).text);
}

// A payment of 1 € or more never raises what is due, and lowers it while
// anything is due: on random claims, revalued or not, on any day.
TEST(Ledger, APaymentNeverRaisesTheClaim)
{
    std::mt19937 rng(20261208);
    auto pick = [&](int from, int to) { return std::uniform_int_distribution<int>(from, to)(rng); };
    auto day = [&] { return formatDate(dayNumberToDate(dateToDayNumber({2016, 1, 1}) + pick(0, 3650))); };
    for (int claim = 0; claim < 300; ++claim) {
        LedgerInput in;
        in.source = static_cast<RateSource>(pick(0, 2));
        in.rateText = L"3,5";
        in.revaluation = pick(0, 1) == 1;
        in.toText = L"30/06/2026";
        in.movementsText = L"01/01/2016 " + std::to_wstring(pick(1, 100000));
        for (int i = pick(0, 6); i > 0; --i)
            in.movementsText += L"\n" + day() + (pick(0, 2) == 0 ? L" -" : L" ") + std::to_wstring(pick(1, 50000));
        const LedgerOutcome before = computeLedger(in);
        in.movementsText += L"\n" + day() + L" -" + std::to_wstring(pick(1, 20000));
        const LedgerOutcome after = computeLedger(in);
        ASSERT_TRUE(before.ok && after.ok) << in.movementsText;
        EXPECT_TRUE(before.total > 0 ? after.total < before.total : after.total == 0) << in.movementsText;
    }
}

TEST(Ledger, ReadsAMovementWrittenWithBlanks)
{
    Movement m;
    ASSERT_EQ(L"", readMovement(L"010324 \u20ac 1.000,00 affitto marzo", m));
    EXPECT_EQ(2024, m.date.year);
    EXPECT_EQ(1000, m.amount);
    EXPECT_EQ(L"affitto marzo", m.description) << "the amount is the longest run that reads as one";
    ASSERT_EQ(L"", readMovement(L"01/03/2024\t(250,50) \u20ac\tacconto\t", m));
    EXPECT_EQ(-250.5, m.amount);
    EXPECT_EQ(L"acconto", m.description);
}

} // namespace
