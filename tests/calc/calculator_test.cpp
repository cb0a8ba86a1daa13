#include "calc/calculator.h"

#include <gtest/gtest.h>

#include <string>

#include "text/numtext.h"
#include "calc/vat.h"

namespace {

struct ContinuationCase {
    const wchar_t* input;
    double last;
    const wchar_t* evaluated;
};

class ExpandContinuation : public ::testing::TestWithParam<ContinuationCase> {};

TEST_P(ExpandContinuation, OperatorFirstContinuesFromTheLastResult)
{
    const ContinuationCase& c = GetParam();
    EXPECT_EQ(std::wstring(c.evaluated), expandContinuation(c.input, c.last, 2));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ExpandContinuation,
    ::testing::Values(ContinuationCase{L"+5", 10, L"10,00+5"}, ContinuationCase{L"  *2", 10, L"10,00*2"},
                      ContinuationCase{L"\u22123", 10, L"10,00-3"}, ContinuationCase{L"5+5", 10, L"5+5"},
                      ContinuationCase{L"(1+2)", 10, L"(1+2)"}, ContinuationCase{L"\t/4", 14, L"14,00/4"},
                      ContinuationCase{L"\u00d72", 2.5, L"2,50\u00d72"}, ContinuationCase{L"\u00f72", -5, L"-5,00\u00f72"},
                      // The value as shown, without thousands points: what the tape then reads.
                      ContinuationCase{L"*3", 10.0 / 3, L"3,33*3"}, ContinuationCase{L"*2", 1234567.891, L"1234567,89*2"},
                      ContinuationCase{L"+1", 1e15, L"1000000000000000,00+1"}, ContinuationCase{L"*2", 2e21, L"2E+21*2"},
                      ContinuationCase{L"   ", 10, L"   "},
                      ContinuationCase{L"", 10, L""}, ContinuationCase{L" \u2212 3", 1, L"1,00- 3"}));

struct LineCase {
    const wchar_t* input;
    double last;
    int decimals;
    Evaluation::Kind kind;
    const wchar_t* tapeLine;
    double value;
};

class EvaluateLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(EvaluateLine, TapeLineAndValue)
{
    const LineCase& c = GetParam();
    Evaluation e = evaluateLine(c.input, c.last, c.decimals);
    ASSERT_EQ(c.kind, e.kind);
    if (c.kind == Evaluation::accepted) {
        EXPECT_EQ(std::wstring(c.tapeLine), e.tapeLine);
        EXPECT_DOUBLE_EQ(c.value, e.value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, EvaluateLine,
    ::testing::Values(
        LineCase{L"2+3*4", 0, 2, Evaluation::accepted, L"2+3*4 = 14,00", 14},
        LineCase{L"/4", 14, 2, Evaluation::accepted, L"14,00/4 = 3,50", 3.5},
        LineCase{L"1.000 + 22%", 0, 2, Evaluation::accepted, L"1.000 + 22% = 1.220,00", 1220},
        LineCase{L"  2+3 ", 0, 2, Evaluation::accepted, L"2+3 = 5,00", 5},
        // A cell pasted with the empty one before it: no tab on the tape, nor in the kept file.
        LineCase{L"\t12,50", 0, 2, Evaluation::accepted, L"12,50 = 12,50", 12.5},
        LineCase{L"1\t+\u00852", 0, 2, Evaluation::accepted, L"1 + 2 = 3,00", 3},
        // 2,5 is half a unit: it rounds up, and the next input continues from 2,5.
        LineCase{L"10/4", 0, 0, Evaluation::accepted, L"10/4 = 3", 2.5},
        LineCase{L"6,25*10%", 0, 2, Evaluation::accepted, L"6,25*10% = 0,63", 0.625},
        LineCase{L"0,015-0,01", 0, 2, Evaluation::accepted, L"0,015-0,01 = 0,01", 0.015 - 0.01},
        LineCase{L"(-2,255)", 0, 2, Evaluation::accepted, L"(-2,255) = -2,26", -2.255},
        LineCase{L"*2", 2.5, 0, Evaluation::accepted, L"3*2 = 6", 6},
        LineCase{L"+5", 0, 2, Evaluation::accepted, L"0,00+5 = 5,00", 5},
        LineCase{L"*3", 10.0 / 3, 2, Evaluation::accepted, L"3,33*3 = 9,99", 9.99},
        LineCase{L"1,5E+23*2", 0, 2, Evaluation::accepted, L"1,5E+23*2 = 3E+23", 3e23},
        LineCase{L"\u20ac 1.000", 0, 2, Evaluation::accepted, L"\u20ac 1.000 = 1.000,00", 1000},
        LineCase{L"", 0, 2, Evaluation::nothing, L"", 0},
        LineCase{L"   ", 0, 2, Evaluation::rejected, L"", 0},
        LineCase{L"5/0", 0, 2, Evaluation::rejected, L"", 0},
        LineCase{L"+1", 1e15, 2, Evaluation::accepted, L"1000000000000000,00+1 = 1.000.000.000.000.000,00", 1e15 + 1},
        LineCase{L"abc", 0, 2, Evaluation::rejected, L"", 0},
        // The keypad's "=" typed at either end asks for the result; the tape has one.
        LineCase{L"100+5 =", 0, 2, Evaluation::accepted, L"100+5 = 105,00", 105},
        LineCase{L"=100+5", 0, 2, Evaluation::accepted, L"100+5 = 105,00", 105},
        LineCase{L"= +5", 10, 2, Evaluation::accepted, L"10,00+5 = 15,00", 15},
        // What follows "#" is a note, written after the result.
        LineCase{L"1220+300 =# fatt. 12", 0, 2, Evaluation::accepted, L"1220+300 = 1.520,00  # fatt. 12", 1520}));

TEST(EvaluateLine, PastedLongLineEvaluatesOrFailsQuickly)
{
    std::wstring sum = L"1";
    while (sum.size() < 30000) sum += L"+1";
    Evaluation e = evaluateLine(sum, 0, 2);
    ASSERT_EQ(Evaluation::accepted, e.kind);
    EXPECT_EQ(15001.0, e.value) << "30,001 characters: 1 and 15,000 times +1";
    EXPECT_EQ(Evaluation::rejected, evaluateLine(std::wstring(30000, L'('), 0, 2).kind);
    EXPECT_EQ(Evaluation::rejected, evaluateLine(std::wstring(30000, L'9'), 0, 2).kind)
        << "a literal beyond the double range";
}

TEST(TapeLineResult, TextAfterTheLastEquals)
{
    std::wstring r;
    ASSERT_TRUE(tapeLineResult(L"14/4 = 3,50", r));
    EXPECT_EQ(L"3,50", r);
    ASSERT_TRUE(tapeLineResult(L"a = b = 7,00", r));
    EXPECT_EQ(L"7,00", r);
    ASSERT_TRUE(tapeLineResult(L"x = ", r));
    EXPECT_EQ(L"", r);
    EXPECT_FALSE(tapeLineResult(L"1=2", r));
    ASSERT_TRUE(tapeLineResult(L"Scorporo 22,00% su 13,00 = 10,66 (IVA 2,34)", r));
    EXPECT_EQ(L"10,66", r) << "a scorporo gives back the net alone";
    EXPECT_EQ(10.66, lastTapeResult({L"1+1 = 2,00", L"Scorporo 22,00% su 13,00 = 10,66 (IVA 2,34)", L"nota"}));
    EXPECT_EQ(79.48, lastTapeResult({L"Netto a pagare = 79,48", L"Differenza sul netto = 0,98",
                                     L"Subtotale n. 1 = 79,48", L"M+ 79,48", L"MC"}))
        << "only a result, not an invoice's item, a subtotal or the memory";
}

TEST(SpreadsheetRow, ExpressionTabResult)
{
    EXPECT_EQ(L"1.000 + 22%\t1.220,00", spreadsheetRow(L"1.000 + 22% = 1.220,00"));
    EXPECT_EQ(L"Scorporo 22,00% su 13,00\t10,66\t2,34",
              spreadsheetRow(L"Scorporo 22,00% su 13,00 = 10,66 (IVA 2,34)"));
    EXPECT_EQ(L"a = b\t7,00", spreadsheetRow(L"a = b = 7,00"));
    EXPECT_EQ(L"1220+300\t1.520,00\tfatt. 12 = x", spreadsheetRow(L"1220+300 = 1.520,00  # fatt. 12 = x"));
}

// A long tape line keeps its result in view; text is measured here at 10
// pixels a character.
TEST(FittedTapeLine, TheResultInFullAndTheExpressionCutAtTheLeft)
{
    const auto width = [](const std::wstring& text) { return static_cast<int>(text.size()) * 10; };
    const struct {
        const wchar_t* line;
        int room;
        const wchar_t *left, *right;
    } cases[] = {
        {L"1+2 = 3,00", 100, L"1+2 = 3,00", L""},
        {L"1+2+3+4+5+6 = 21,00", 150, L"\u2026+4+5+6", L" = 21,00"},
        {L"Scorporo 22,00% su 13,00 = 10,66 (IVA 2,34)", 300, L"\u2026% su 13,00", L" = 10,66 (IVA 2,34)"},
        {L"1+1 = 123456789", 120, L"\u2026= 123456789", L""},  // the result alone does not fit: cut too
        {L"senza uguale 123", 80, L"\u2026ale 123", L""},
    };
    for (const auto& c : cases) {
        const FittedTapeLine f = fittedTapeLine(c.line, c.room, width);
        EXPECT_EQ(c.left, f.left) << c.line;
        EXPECT_EQ(c.right, f.right) << c.line;
        EXPECT_LE(width(f.left) + width(f.right), c.room) << c.line;
    }
    const FittedTapeLine huge = fittedTapeLine(std::wstring(100000, L'1') + L" = 2,00", 400, width);
    EXPECT_EQ(L"\u2026" + std::wstring(32, L'1'), huge.left) << "the longest line still fits its room";
}

TEST(PastedColumn, SeveralLinesAreOneBracketedSum)
{
    const struct {
        const wchar_t *pasted, *joined;  // nullptr: pasted as it is
        double sum = 0;                  // Enter after it, with a last result of 100
    } cases[] = {
        {L"12,50\r\n7\r\n3,20\r\n", L"(12,50+7+3,20)", 22.7},
        {L"  12,50 \n\n\t7\t\r\n", L"(12,50+7)", 19.5},
        {L"Affitto\t1.200,00 \u20ac\r\nLuce\t-85,40\r\n", L"(1.200,00-85,40)", 1114.6},
        {L"12,50\t\r\nTotale\t\r\n", L"(12,50+(Totale))"},  // trimmed first; Enter then beeps at "Totale"
        {L"1\r2", L"(1+2)", 3},
        // A negative first cell does not continue from the last result.
        {L"-5,00\r\n3,00", L"(-5,00+3,00)", -2},
        // Dashes are zeros, brackets negatives, no-break spaces blanks.
        {L"10\n-\n5\n(12,30)\n\u20ac\u00a01,00", L"(10+0+5-12,30+1,00)", 3.7},
        {L"\u20ac -\n- \u20ac\n\u2013\n\u00a0(\u20ac 12,30)\u00a0\n1\u00a0", L"(0+0+0-12,30+1)", -11.3},
        {L"100\n(12,30) \u20ac\n\u20ac (5,00)\n-\u20ac 10,00\n\u20ac -", L"(100-12,30-5,00-10,00+0)", 72.7},
        {L"10\n(1+2)", L"(10+(-(1+2)))", 7},  // brackets around a calculation stay
        // Each cell its own value, as a spreadsheet holds it.
        {L"10%\n100", L"((10%)+100)", 100.1},
        {L"100\n2-10%", L"(100+(2-10%))", 101.8},
        {L"1 000\n5", L"((1 000)+5)"},  // blanks inside a number are no thousands point; Enter beeps
        {L"12,50\r\n", nullptr},
        {L"12,50", nullptr},
        {L"\r\n \r\n", nullptr},
        {L"a\tb", nullptr},
    };
    for (const auto& c : cases) {
        const auto joined = pastedColumn(c.pasted);
        EXPECT_EQ(c.joined != nullptr, joined.has_value()) << c.pasted;
        if (!c.joined || !joined) continue;
        EXPECT_EQ(c.joined, *joined);
        const Evaluation e = evaluateLine(*joined, 100, 2);
        EXPECT_EQ(c.sum != 0, e.kind == Evaluation::accepted) << c.pasted;
        if (c.sum != 0) {
            EXPECT_NEAR(c.sum, e.value, 1e-9) << c.pasted;
        }
    }
    EXPECT_EQ(366.0, evaluateLine(L"1,22*" + *pastedColumn(L"100\r\n200"), 0, 2).value) << "the factor takes the whole column";
    // A long column, far past the 30.000 characters a field used to take.
    std::wstring column;
    for (int i = 0; i < 10000; ++i) column += L"1.234,56\r\n";
    const Evaluation total = evaluateLine(*pastedColumn(column), 0, 2);
    EXPECT_EQ(L"12.345.600,00", total.displayText);
    // What the input line gets: the cells while short, the total of a longer column,
    // a single cell as the number it shows.
    const std::wstring zeros = std::wstring(5000, L'0') + L"\n" + std::wstring(5000, L'0') + L"\n";
    const struct {
        std::wstring clipboard;
        PastedInput::Kind kind;
        const wchar_t* text;
        bool intoEmptyLine = true;
    } pastes[] = {
        {L"1\r\n2", PastedInput::inserted, L"(1+2)"},
        {L"12,50\r\n", PastedInput::asItIs, L""},
        {L"(12,30)", PastedInput::inserted, L"-12,30"},
        {L"\u20ac\u00a01.000,00\r\n", PastedInput::inserted, L"1.000,00"},
        {L"12,30 \u20ac", PastedInput::inserted, L"12,30"},
        {L"\u2013\r\n", PastedInput::inserted, L"0"},
        {L"-", PastedInput::asItIs, L"", false},  // after a number it is the operator
        {L"(1+2)", PastedInput::asItIs, L""},
        {L"1\t2", PastedInput::asItIs, L""},  // a row's two cells are not the number 12
        {std::wstring(10001, L'1'), PastedInput::refused, L""},
        {column, PastedInput::inserted, L"(12345600)"},
        {column + L"-0,001\r\n", PastedInput::inserted, L"(12345599,999)"},
        // The same sums as the short path gives, whatever the length.
        {zeros + L"10%\n100", PastedInput::inserted, L"(100,1)"},
        {zeros + L"100\n2-10%", PastedInput::inserted, L"(101,8)"},
        {zeros + L"1E+23\n1E+23", PastedInput::inserted, L"(2E+23)"},
        {L"Importo\r\n" + column, PastedInput::refused, L""},
        {L"1)\n(2", PastedInput::refused, L""},  // cells that read only through each other's brackets
        {L"12,30-", PastedInput::inserted, L"-12,30"},  // a debit as bank exports write it
        {L"1\n2\x01", PastedInput::refused, L""},      // a control character is no amount
    };
    for (const auto& p : pastes) {
        const PastedInput in = pastedInput(p.clipboard, p.intoEmptyLine);
        EXPECT_EQ(p.kind, in.kind) << p.clipboard.substr(0, 20);
        EXPECT_EQ(p.text, in.text) << p.clipboard.substr(0, 20);
    }
    EXPECT_EQ(L"12.345.600,00", evaluateLine(pastedInput(column, true).text, 0, 2).displayText);

    // Into an empty line the column is listed on the tape, cell by cell, with its count.
    const struct {
        std::wstring clipboard;
        const wchar_t* listed;  // the tape's lines joined by " | ", or the message
    } listings[] = {
        {L"1.234,56\r\n(12,30)\r\n\u2014\r\n\r\n\u20ac 1.000,00\r\n2-10%",
         L"1.234,56 = 1.234,56 | (12,30) = -12,30 | \u2014 = 0,00 | \u20ac 1.000,00 = 1.000,00 | 2-10% = 1,80 | "
         L"Totale n. 5 = 2.224,06"},
        // The row's other cells name the line.
        {L"Importo\n\nAffitto\tfatt. 12\t1.200,00\nLuce\t\t-85,40",
         L"Affitto \u00b7 fatt. 12  1.200,00 = 1.200,00 | Luce  -85,40 = -85,40 | Totale Importo n. 2 = 1.114,60"},
        {L"Importo\n12\nabc\n3", L"Riga 3: \u00ababc\u00bb non \u00e8 un importo."},
        {L"1\n\n\n2 0", L"Riga 4: \u00ab2 0\u00bb non \u00e8 un importo."},
        {L"Importo\r12\r3\t\r\n", L"12 = 12,00 | 3 = 3,00 | Totale Importo n. 2 = 15,00"},  // lines as the sum splits them
        {column + L"1\r\n", L"Totale n. 10.001 = 12.345.601,00"},
        {L"1,005\n1,005\n1,005-", L"1,005 = 1,005 | 1,005 = 1,005 | 1,005- = -1,005 | Totale n. 3 = 1,01"},
        {L"1\n2\n3\x01", L"Riga 3: \u00ab3\ufffd\u00bb non \u00e8 un importo."},
    };
    for (const auto& l : listings) {
        const auto listing = pastedListing(l.clipboard, 2);
        ASSERT_TRUE(listing.has_value());
        std::wstring got = listing->ok ? L"" : listing->message;
        for (const std::wstring& line : listing->lines) got += (got.empty() ? L"" : L" | ") + line;
        EXPECT_EQ(l.listed, got) << l.clipboard.substr(0, 20);
    }
    EXPECT_EQ(L"Colonna di 10.001 righe: elencato solo il totale.", pastedListing(column + L"1", 2)->message);
    EXPECT_EQ(10000u + 1, pastedListing(column, 2)->lines.size()) << "ten thousand cells are listed";
    EXPECT_FALSE(pastedListing(L"12,50\r\n\r\n", 2)) << "one cell is no column";
    EXPECT_EQ(L"Riga 1: \u00abImporto\u00bb non \u00e8 un importo.", pastedListing(L"Importo\n12\n3", 2, false)->message)
        << "no heading in a bracketed sum";
}

// What the balloon under the input line says when Enter is refused, and where the caret goes.
TEST(Refusal, SaysWhyAndWhere)
{
    const struct {
        const wchar_t* input;
        const wchar_t* message;
        size_t caret;
    } cases[] = {
        {L"12,,5", L"Non leggo da qui: \u00ab,5\u00bb", 3},
        {L"10/0", L"Divisione per zero.", 4},
        {L"10/(5-5)+1", L"Divisione per zero.", 8},
        {L"(1+2", L"Parentesi non bilanciate.", 4},
        {L"1+2)", L"Parentesi non bilanciate.", 3},
        {L"\u20ac 12+abc", L"Non leggo da qui: \u00ababc\u00bb", 5},
        {L"12+ ", L"Manca un numero dopo \u00ab+\u00bb.", 4},
        {L"-", L"Manca un numero dopo \u00ab-\u00bb.", 1},
        {L"1e400", L"Importo fuori intervallo.", 0},
        {L"1e300*1e300", L"Importo fuori intervallo.", 0},
        {L"10%%", L"Non leggo da qui: \u00ab%\u00bb", 3},
        {L"   +x", L"Non leggo da qui: \u00abx\u00bb", 4},  // continued from the last result
        {L"   ", L"Nessun importo: scrivi un numero o calcola prima.", 0},
        {L"1+Totale della colonna di marzo", L"Non leggo da qui: \u00abTotale della colonna\u00bb", 2},
    };
    for (const auto& c : cases) {
        const Refusal r = refusalOf(c.input, 14, 2);
        EXPECT_EQ(c.message, r.message) << c.input;
        EXPECT_EQ(c.caret, r.caret) << c.input;
    }
}

TEST(AddedAsShown, LeavesNoResidueOfBinaryFractions)
{
    EXPECT_EQ(0.0, addedAsShown(addedAsShown(addedAsShown(0, 0.1), 0.2), -0.3)) << "the memory's M goes out";
}

TEST(InputHistory, NewestFirstAndTheDraftBelowIt)
{
    InputHistory h;
    EXPECT_FALSE(h.older(L"12"));
    h.add(L"1+1");
    h.add(L"2*3");
    EXPECT_EQ(L"2*3", h.older(L"12+"));
    EXPECT_EQ(L"1+1", h.older(L"2*3"));
    EXPECT_FALSE(h.older(L"1+1")) << "nothing older";
    EXPECT_EQ(L"2*3", h.newer());
    EXPECT_EQ(L"12+", h.newer()) << "the text being typed";
    EXPECT_FALSE(h.newer());
}

TEST(PickedUpInput, EnterGivesThePickedValueWhateverItsSign)
{
    const struct {
        const wchar_t* result;
        const wchar_t* input;
        double value;
        const wchar_t* before = L"";  // the line before the caret
    } cases[] = {{L"-5,00", L"(-5,00)", -5},
                 {L"-1.234,56", L"(-1.234,56)", -1234.56},
                 {L"5,00", L"5,00", 5},
                 {L"1.220,00", L"1.220,00", 1220},
                 // After a number the pick-up adds to it; after an operator or "(" it is inserted as it is.
                 {L"5,00", L"+5,00", 105, L"100"},
                 {L"10,66", L"+10,66", 17.66, L"7,00"},
                 {L"-5,00", L"+(-5,00)", 95, L"100"},
                 {L"5,00", L"+5,00", 8, L"(1+2)"},
                 {L"5,00", L"5,00", 35, L"7*"},
                 {L"5,00", L"5,00", 5, L"("}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.input, pickedUpInput(c.result, c.before));
        Evaluation e = evaluateLine(c.before + pickedUpInput(c.result, c.before) + (std::wstring(c.before) == L"(" ? L")" : L""), 10, 2);
        ASSERT_EQ(Evaluation::accepted, e.kind) << c.result;
        EXPECT_EQ(c.value, e.value) << c.result << " with a last result of 10";
    }
}

// A result used again is the value the display shows, so that every tape
// line reads true: a line typed (continuing from the display when it starts
// with an operator) or a VAT key on an empty line, at 22 %.
TEST(ShownValue, EveryTapeLineReadsTrue)
{
    const struct {
        const wchar_t* typed;  // nullptr: the VAT key
        VatOperation vat;
        const wchar_t* tapeLine;
    } steps[] = {
        {L"0,625", vatAdd, L"0,625 = 0,63"},
        {nullptr, vatAdd, L"+IVA 22,00% su 0,63 = 0,77"},
        {L"13", vatAdd, L"13 = 13,00"},
        {nullptr, vatRemove, L"Scorporo 22,00% su 13,00 = 10,66 (IVA 2,34)"},
        {nullptr, vatAdd, L"+IVA 22,00% su 10,66 = 13,01"},
        {L"0,625", vatAdd, L"0,625 = 0,63"},
        {L"*2", vatAdd, L"0,63*2 = 1,26"},
        {L"1E+21", vatAdd, L"1E+21 = 1E+21"},
        {nullptr, vatAdd, L"+IVA 22,00% su 1E+21 = 1,22E+21"},
    };
    CalculatorState state;
    for (const auto& step : steps) {
        double result = 0;
        std::wstring line;
        if (step.typed) {
            const Evaluation e = evaluateLine(step.typed, shownValue(state), 2);
            result = e.value;
            line = e.tapeLine;
        } else {
            result = vatResult(step.vat, 22, shownValue(state));
            line = vatTapeLine(step.vat, 22, shownValue(state), 2);
        }
        EXPECT_EQ(step.tapeLine, line);
        state.displayValue = result;
        state.displayText = formatNumber(result, 2);
    }
}

} // namespace
