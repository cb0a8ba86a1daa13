#include "finance/claim_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const written =
    "ZENTOLO CONTEGGIO 1\r\n"
    "Pratica: Rossi / Bianchi srl \xe2\x80\x93 R.G. 123/2025\r\n"
    "Al: 31/12/2025\r\n"
    "Domanda giudiziale: \r\n"
    "Rivalutazione: s\xc3\xac\r\n"
    "Indennizzo 40 \xe2\x82\xac: no\r\n"
    "Acconti al capitale: no\r\n"
    "Tasso: inserito 5,00\r\n"
    "Maggiorazione: 8,00\r\n"
    "Movimenti:\r\n"
    "01/01/2025  10.000\r\n"
    "\r\n"
    "15/03/2025\t545,00\tspese decreto\r\n";

TEST(ClaimFile, WrittenReadBackAndWrittenAgainTheSame)
{
    const ClaimFileReading read = readClaimFile(std::string("\xEF\xBB\xBF") + written);
    ASSERT_TRUE(read.ok) << std::string(read.message.begin(), read.message.end());
    EXPECT_EQ(L"Rossi / Bianchi srl \u2013 R.G. 123/2025", read.file.caseText);
    EXPECT_EQ(L"", read.file.lawsuitText);
    EXPECT_TRUE(read.file.revaluation);
    EXPECT_EQ(L"5,00", read.file.rateText);
    EXPECT_EQ(L"01/01/2025  10.000\r\n\r\n15/03/2025\t545,00\tspese decreto", read.file.movementsText);
    EXPECT_EQ(written, claimFileText(read.file));
    ClaimFile legal;
    legal.source = RateSource::legal;
    legal.caseText = L"two\r\nlines";
    legal.surchargeText = L"7,5";
    const ClaimFileReading again = readClaimFile(claimFileText(legal));
    EXPECT_EQ(RateSource::legal, again.file.source);
    EXPECT_EQ(L"two  lines", again.file.caseText);
    EXPECT_EQ(L"7,50", again.file.surchargeText.value_or(L"")) << "points written as the prospect writes them";
}

TEST(ClaimFile, RefusalsNameTheLine)
{
    auto message = [](const std::string& text) {
        return readClaimFile("ZENTOLO CONTEGGIO 1\r\nPratica: x\r\nColore: blu\r\n" + text).message;
    };
    EXPECT_EQ(L"Il file non \u00e8 un conteggio di Zentolo.", readClaimFile("Pratica: x\r\n").message);
    EXPECT_EQ(L"Il file non \u00e8 un conteggio di Zentolo.", readClaimFile("").message);
    EXPECT_EQ(L"Riga 4 del file: data Al non valida.", message("Al: 31/02/2025\r\n"));
    EXPECT_EQ(L"Riga 4 del file: data della domanda giudiziale non valida.", message("Domanda giudiziale: ieri\n"));
    EXPECT_EQ(L"Riga 4 del file: Rivalutazione non valida (s\u00ec o no).", message("Rivalutazione: forse\r\n"));
    EXPECT_EQ(L"Riga 4 del file: tasso non valido.", message("Tasso: inserito cinque\r\n"));
    EXPECT_EQ(L"Riga 4 del file: maggiorazione non valida.", message("Maggiorazione: otto\r\n"));
    EXPECT_EQ(L"", message("Al: \r\nRivalutazione: S\xc3\x8c\r\nMovimenti:\r\nAl: 31/02/2025\r\n"))
        << "an empty value is none, an unknown key is ignored, and what follows Movimenti is movements";
}

} // namespace
