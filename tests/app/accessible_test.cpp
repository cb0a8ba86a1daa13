#include "app/accessible.h"

#include <gtest/gtest.h>

namespace {

TEST(AccessibleButtonName, SymbolsInWordsAndNoMenuArrows)
{
    const struct {
        const wchar_t* caption;
        const wchar_t* name;
    } cases[] = {{L"\u00d7", L"Chiudi"},
                 {L"\u2014", L"Riduci a icona"},
                 {L"\u25a6", L"Scegli dal calendario"},
                 {L"\u232b", L"Cancella"},
                 {L"TASTI \u25be", L"TASTI"},
                 {L"IVA 22,00%  \u25be", L"IVA 22,00%"},
                 {L"MOSTRA FORMULA \u25be", L"MOSTRA FORMULA"},
                 {L"NASCONDI FORMULA \u25b4", L"NASCONDI FORMULA"},
                 {L"+ IVA", L"+ IVA"},
                 {L"-", L"-"},
                 {L"CALCOLA DATE", L"CALCOLA DATE"}};
    for (const auto& c : cases) EXPECT_EQ(c.name, accessibleButtonName(c.caption)) << "caption " << c.name;
}

} // namespace
