#include "text/digit_strings.h"

#include <algorithm>
#include <vector>

namespace {

int digitAt(const Digits& x, size_t fromRight) { return fromRight < x.size() ? x[x.size() - 1 - fromRight] - '0' : 0; }

Digits withoutLeadingZeros(Digits x)
{
    x.erase(0, std::min(x.find_first_not_of('0'), x.size() - 1));
    return x.empty() ? "0" : x;
}

} // namespace

Digits addDigits(const Digits& x, const Digits& y)
{
    Digits out(std::max(x.size(), y.size()) + 1, '0');
    int carry = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const int d = carry + digitAt(x, i) + digitAt(y, i);
        carry = d / 10;
        out[out.size() - 1 - i] = static_cast<char>('0' + d % 10);
    }
    return out[0] == '0' ? out.substr(1) : out;
}

Digits subtractDigits(const Digits& x, const Digits& y)
{
    Digits out = x;
    int borrow = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        int d = digitAt(x, i) - borrow - digitAt(y, i);
        borrow = d < 0;
        out[out.size() - 1 - i] = static_cast<char>('0' + (d < 0 ? d + 10 : d));
    }
    return out;
}

bool lessThan(const Digits& x, const Digits& y)
{
    const size_t a = x.find_first_not_of('0'), b = y.find_first_not_of('0');
    const size_t lx = a == Digits::npos ? 0 : x.size() - a, ly = b == Digits::npos ? 0 : y.size() - b;
    if (lx != ly) return lx < ly;
    return lx > 0 && x.compare(a, lx, y, b, ly) < 0;
}

Digits timesDigits(const Digits& x, const Digits& y)
{
    std::vector<int> sum(x.size() + y.size(), 0);
    for (size_t i = x.size(); i-- > 0;)
        for (size_t j = y.size(); j-- > 0;) sum[i + j + 1] += (x[i] - '0') * (y[j] - '0');
    for (size_t k = sum.size(); k-- > 1;) {
        sum[k - 1] += sum[k] / 10;
        sum[k] %= 10;
    }
    Digits out;
    for (int d : sum) out += static_cast<char>('0' + d);
    return withoutLeadingZeros(out);
}

Digits dividedBy(const Digits& x, unsigned divisor)
{
    Digits out;
    unsigned long long rest = 0;
    for (char c : x) {
        rest = rest * 10 + static_cast<unsigned>(c - '0');
        out += static_cast<char>('0' + rest / divisor);
        rest %= divisor;
    }
    return withoutLeadingZeros(out);
}
