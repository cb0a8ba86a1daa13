#include "calc/vat.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>


namespace {

struct VatCase {
    VatOperation kind;
    double rate, operand;
    int decimals;
    const wchar_t* line;
};

class VatTapeLine : public ::testing::TestWithParam<VatCase> {};

TEST_P(VatTapeLine, SelfExplainingLine)
{
    const VatCase& c = GetParam();
    EXPECT_EQ(std::wstring(c.line), vatTapeLine(c.kind, c.rate, c.operand, c.decimals));
}

INSTANTIATE_TEST_SUITE_P(
    Table, VatTapeLine,
    ::testing::Values(
        VatCase{vatAdd, 22, 100, 2, L"+IVA 22,00% su 100,00 = 122,00"},
        VatCase{vatRemove, 22, 122, 2, L"Scorporo 22,00% su 122,00 = 100,00 (IVA 22,00)"},
        VatCase{vatOnly, 22, 100, 2, L"Solo IVA 22,00% su 100,00 = 22,00"},
        VatCase{vatAdd, 22, 150, 2, L"+IVA 22,00% su 150,00 = 183,00"},
        VatCase{vatAdd, 0, 100, 2, L"+IVA 0,00% su 100,00 = 100,00"},
        VatCase{vatRemove, 8.5, 108.5, 2, L"Scorporo 8,50% su 108,50 = 100,00 (IVA 8,50)"},
        VatCase{vatRemove, 10, 110, 2, L"Scorporo 10,00% su 110,00 = 100,00 (IVA 10,00)"},
        // The VAT is the gross less the net as shown, whichever way each rounds.
        VatCase{vatRemove, 22, 13, 2, L"Scorporo 22,00% su 13,00 = 10,66 (IVA 2,34)"},
        VatCase{vatRemove, 4, 2.47, 2, L"Scorporo 4,00% su 2,47 = 2,38 (IVA 0,09)"},
        VatCase{vatRemove, 22, -13, 2, L"Scorporo 22,00% su -13,00 = -10,66 (IVA -2,34)"},
        VatCase{vatRemove, 22, 13, 0, L"Scorporo 22,00% su 13 = 11 (IVA 2)"},
        VatCase{vatRemove, 22, 13, 6, L"Scorporo 22,00% su 13,000000 = 10,655738 (IVA 2,344262)"},
        VatCase{vatRemove, 22, 999999999999.995, 2,
                L"Scorporo 22,00% su 999.999.999.999,995 = 819.672.131.147,54 (IVA 180.327.868.852,46)"},
        VatCase{vatRemove, 22, std::numeric_limits<double>::infinity(), 2, L"Scorporo 22,00% su Errore = Errore"},
        VatCase{vatAdd, 22, 10, 0, L"+IVA 22,00% su 10 = 12"},
        VatCase{vatAdd, 22, 122, 2, L"+IVA 22,00% su 122,00 = 148,84"},
        // Half a cent goes up, although the doubles lie just below it.
        VatCase{vatOnly, 10, 0.15, 2, L"Solo IVA 10,00% su 0,15 = 0,02"},
        VatCase{vatOnly, 10, 6.25, 2, L"Solo IVA 10,00% su 6,25 = 0,63"},
        VatCase{vatOnly, 22, 10.25, 2, L"Solo IVA 22,00% su 10,25 = 2,26"},
        VatCase{vatAdd, 10, 3030.75, 2, L"+IVA 10,00% su 3.030,75 = 3.333,83"},
        VatCase{vatRemove, 4, 0.13, 2, L"Scorporo 4,00% su 0,13 = 0,13 (IVA 0,00)"},
        // A typed operand with more places than the setting is written with its own.
        VatCase{vatRemove, 22, 2.255, 2, L"Scorporo 22,00% su 2,255 = 1,85 (IVA 0,41)"},
        VatCase{vatAdd, 22, 0.625, 2, L"+IVA 22,00% su 0,625 = 0,76"},
        VatCase{vatRemove, 22, 0.625, 2, L"Scorporo 22,00% su 0,625 = 0,51 (IVA 0,12)"},
        VatCase{vatOnly, 22, 100.0 / 3, 0, L"Solo IVA 22,00% su 33,3333333333333 = 7"},
        VatCase{vatAdd, 22, 1e308, 2, L"+IVA 22,00% su 1E+308 = Errore"},
        VatCase{vatRemove, 22, 2.44e21, 2, L"Scorporo 22,00% su 2,44E+21 = 2E+21 (IVA 440.000.000.000.000.000.000,00)"},
        VatCase{vatRemove, 22, 1.22e22, 2, L"Scorporo 22,00% su 1,22E+22 = 1E+22 (IVA 2,2E+21)"}));

TEST(VatResult, ExactOrderOfOperations)
{
    EXPECT_EQ(99.99999999999999, vatResult(vatRemove, 10, 110)) << "110 / 1.1 in doubles";
    EXPECT_EQ(22 * 100.1 / 100 + 100.1, vatResult(vatAdd, 22, 100.1));
    EXPECT_EQ(100.1 / (1 + 22.0 / 100), vatResult(vatRemove, 22, 100.1));
    EXPECT_EQ(22 * 0.1 / 100, vatResult(vatOnly, 22, 0.1));
}

TEST(VatRateLabel, RateWithTwoDecimals)
{
    EXPECT_EQ(L"IVA 22,00%  \u25be", vatRateLabel(22));
    EXPECT_EQ(L"IVA 8,50%  \u25be", vatRateLabel(8.5));
    EXPECT_EQ(L"IVA 0,00%  \u25be", vatRateLabel(0));
}

} // namespace
