#include "calc/printing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(BuildTapeText, HeaderLinesAndLastResult)
{
    const std::wstring stamp = printedAtLine({2026, 12, 7}, 16, 5);
    EXPECT_EQ(L"Stampato il luned\u00ec 07/12/2026 alle 16:05", stamp);
    EXPECT_EQ(L"Stampato il domenica 01/03/2026 alle 09:00", printedAtLine({2026, 3, 1}, 9, 0));
    EXPECT_EQ(L"ZENTOLO - FERLAN\r\nNastro calcoli\r\n" + stamp +
                  L"\r\n\r\n2+3 = 5,00\r\n+IVA 22,00% su 5,00 = 6,10\r\n\r\nULTIMO RISULTATO: 6,10\r\n",
              buildTapeText({L"2+3 = 5,00", L"+IVA 22,00% su 5,00 = 6,10"}, L"6,10", stamp));
    EXPECT_EQ(L"ZENTOLO - FERLAN\r\nNastro calcoli\r\n" + stamp + L"\r\n\r\n\r\nULTIMO RISULTATO: 0,00\r\n",
              buildTapeText({}, L"0,00", stamp));
    EXPECT_EQ(L"Pagina 2 di 3", pageNumberLine(2, 3));
}

TEST(PrintedLines, SplitAtLineFeeds)
{
    using Lines = std::vector<std::wstring>;
    EXPECT_EQ((Lines{L"a", L"", L"b"}), printedLines(L"a\r\n\r\nb\r\n")) << "no line after the last line end";
    EXPECT_EQ((Lines{L"a", L"b"}), printedLines(L"a\nb")) << "a last line without a line end";
    EXPECT_EQ((Lines{L"a\r"}), printedLines(L"a\r\r\n")) << "one CR dropped";
    EXPECT_TRUE(printedLines(L"").empty());
    EXPECT_EQ((Lines{L""}), printedLines(L"\r\n"));
}

TEST(PageLayout, MarginsPitchAndFont)
{
    PageLayout p = pageLayout(600, 600, 6600);
    EXPECT_EQ(300, p.left);
    EXPECT_EQ(300, p.top);
    EXPECT_EQ(6300, p.bottomLimit);
    EXPECT_EQ(166, p.pitch);
    EXPECT_EQ(-91, p.fontHeight);
    std::vector<int> starts = pageStarts(p, 100);
    EXPECT_EQ((std::vector<int>{0, 36, 72}), starts) << "36 lines a page at 600 dpi";
}

TEST(PageLayout, A4At300DotsPerInch)
{
    PageLayout p = pageLayout(300, 300, 3508);
    EXPECT_EQ(83, p.pitch);
    // (3358 - 150) / 83 = 38 lines on a page.
    std::vector<int> starts = pageStarts(p, 156);
    EXPECT_EQ((std::vector<int>{0, 38, 76, 114, 152}), starts);
}

TEST(PageLayout, ALineTallerThanThePageGetsAPageOfItsOwn)
{
    PageLayout p = pageLayout(72, 2000, 3000);  // pitch 555, room for one line only
    EXPECT_EQ((std::vector<int>{0, 1, 2}), pageStarts(p, 3));
    PageLayout none = pageLayout(72, 72, 80);  // not even one line fits
    EXPECT_EQ((std::vector<int>{0, 1}), pageStarts(none, 2));
}

TEST(PrintedPageOrder, CopiesCollatedOrPageByPage)
{
    EXPECT_EQ((std::vector<int>{0, 1, 2, 0, 1, 2}), printedPageOrder(3, 2, true));
    EXPECT_EQ((std::vector<int>{0, 0, 1, 1, 2, 2}), printedPageOrder(3, 2, false));
    EXPECT_EQ((std::vector<int>{0, 0, 0}), printedPageOrder(1, 3, true));
    EXPECT_EQ((std::vector<int>{0, 1}), printedPageOrder(2, 0, false)) << "no copies asked: one";
}

} // namespace
