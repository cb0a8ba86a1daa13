#include "calc/vat.h"

#include <gtest/gtest.h>

#include <string>

#include "app/settings.h"

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
    Settings saved = settings;
    settings.decimals = c.decimals;
    EXPECT_EQ(std::wstring(c.line), vatTapeLine(c.kind, c.rate, c.operand));
    settings = saved;
}

INSTANTIATE_TEST_SUITE_P(
    Table, VatTapeLine,
    ::testing::Values(
        VatCase{vatAdd, 22, 100, 2, L"+IVA 22,00% su 100,00 = 122,00"},
        VatCase{vatRemove, 22, 122, 2, L"Scorporo 22,00% su 122,00 = 100,00"},
        VatCase{vatOnly, 22, 100, 2, L"Solo IVA 22,00% su 100,00 = 22,00"},
        VatCase{vatAdd, 22, 150, 2, L"+IVA 22,00% su 150,00 = 183,00"},
        VatCase{vatAdd, 0, 100, 2, L"+IVA 0,00% su 100,00 = 100,00"},
        VatCase{vatRemove, 8.5, 108.5, 2, L"Scorporo 8,50% su 108,50 = 100,00"},
        VatCase{vatRemove, 10, 110, 2, L"Scorporo 10,00% su 110,00 = 100,00"},
        VatCase{vatAdd, 22, 10, 0, L"+IVA 22,00% su 10 = 12"},
        VatCase{vatAdd, 22, 122, 2, L"+IVA 22,00% su 122,00 = 148,84"},
        // Half a cent goes up, although the doubles lie just below it.
        VatCase{vatOnly, 10, 0.15, 2, L"Solo IVA 10,00% su 0,15 = 0,02"},
        VatCase{vatOnly, 10, 6.25, 2, L"Solo IVA 10,00% su 6,25 = 0,63"},
        VatCase{vatOnly, 22, 10.25, 2, L"Solo IVA 22,00% su 10,25 = 2,26"},
        VatCase{vatAdd, 10, 3030.75, 2, L"+IVA 10,00% su 3.030,75 = 3.333,83"},
        VatCase{vatRemove, 4, 0.13, 2, L"Scorporo 4,00% su 0,13 = 0,13"},
        VatCase{vatRemove, 22, 2.255, 2, L"Scorporo 22,00% su 2,26 = 1,85"},
        VatCase{vatAdd, 22, 1e308, 2,
                L"+IVA 22,00% su 100.000.000.000.000.001.097.906.362.944.045.541.740.492.309.677."
                L"311.846.336.810.682.903.157.585.404.911.491.537.163.328.978.494.688.899.061.249."
                L"669.721.172.515.611.590.283.743.140.088.328.307.009.198.146.046.031.271.664.502."
                L"933.027.185.697.489.699.588.559.043.338.384.466.165.001.178.426.897.626.212.945."
                L"177.628.091.195.786.707.458.122.783.970.171.784.415.105.291.802.893.207.873.272."
                L"974.885.715.430.223.118.336,00 = Errore"}));

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
