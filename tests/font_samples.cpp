// SPDX-License-Identifier: Apache-2.0
#include "font_samples.hpp"

#include "tallowlib/gs1_check_digit.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <random>
#include <string_view>

namespace strivane::fonttest {

namespace {

using Kelbrin::Tallowlib::symbology;
using rng = std::mt19937;

int uniform(rng& r, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(r); }

std::string randomFrom(rng& r, std::string_view alphabet, int length)
{
    std::string s;
    for (int i = 0; i < length; ++i)
        s.push_back(alphabet[static_cast<std::size_t>(uniform(r, 0, static_cast<int>(alphabet.size()) - 1))]);
    return s;
}

constexpr std::string_view digits = "0123456789";
constexpr std::string_view alphanumerics = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

std::string gtin14(rng& r, std::string_view first)
{
    std::string body = std::string(first) + randomFrom(r, digits, 13 - static_cast<int>(first.size()));
    return body + Kelbrin::Tallowlib::gs1CheckDigit(body);
}

// GTIN symbologies: 13 digits in, the GTIN-14 with its check digit out ("01" in front).
sample gtinSample(rng& r, bool limited)
{
    const std::string gtin = gtin14(r, limited ? (uniform(r, 0, 1) ? "1" : "0") : "");
    return {gtin.substr(0, 13), "01" + gtin};
}

// Code 128: printable text, digit runs (set C), and control and extended characters by escape.
sample code128Sample(rng& r)
{
    sample s;
    const int parts = uniform(r, 1, 5);
    for (int p = 0; p < parts; ++p) {
        switch (uniform(r, 0, 5)) {
        case 0:
        case 1: {
            const std::string d = randomFrom(r, digits, uniform(r, 1, 12));
            s.input += d;
            s.expected += d;
            break;
        }
        case 2: {  // control character "~@".."~Z" (not NUL: readers stop at it)
            const char c = static_cast<char>(uniform(r, 'A', 'Z'));
            s.input += std::string("~") + c;
            s.expected.push_back(static_cast<char>(c - 64));
            break;
        }
        default: {
            std::string text;
            for (int i = uniform(r, 1, 8); i > 0; --i) {
                char c = static_cast<char>(uniform(r, 32, 126));
                if (c == '~')
                    c = '-';
                text.push_back(c);
            }
            s.input += text;
            s.expected += text;
        }
        }
    }
    return s;
}

struct ai_kind {
    std::string_view ai;
    enum { gtin, date, fixed_digits, var_digits, var_alnum } value;
    int length;  // fixed length, or maximum length
};

constexpr std::array<ai_kind, 10> gs1Pool = {{
    {"01", ai_kind::gtin, 14},
    {"10", ai_kind::var_alnum, 12},
    {"11", ai_kind::date, 6},
    {"15", ai_kind::date, 6},
    {"17", ai_kind::date, 6},
    {"21", ai_kind::var_alnum, 12},
    {"3103", ai_kind::fixed_digits, 6},
    {"3202", ai_kind::fixed_digits, 6},
    {"37", ai_kind::var_digits, 8},
    {"400", ai_kind::var_alnum, 12},
}};

std::string aiValue(rng& r, const ai_kind& k)
{
    switch (k.value) {
    case ai_kind::gtin:
        return gtin14(r, "");
    case ai_kind::date: {
        char buf[7];
        std::snprintf(buf, sizeof buf, "%02d%02d%02d", uniform(r, 0, 99), uniform(r, 1, 12), uniform(r, 1, 28));
        return buf;
    }
    case ai_kind::fixed_digits:
        return randomFrom(r, digits, k.length);
    case ai_kind::var_digits:
        return randomFrom(r, digits, uniform(r, 1, k.length));
    case ai_kind::var_alnum:
        return randomFrom(r, alphanumerics, uniform(r, 1, k.length));
    }
    return {};
}

// One to three distinct elements; (01) is put first when it is chosen.
sample gs1Sample(rng& r)
{
    std::vector<std::size_t> chosen;
    for (int n = uniform(r, 1, 3); static_cast<int>(chosen.size()) < n;) {
        const auto k = static_cast<std::size_t>(uniform(r, 0, static_cast<int>(gs1Pool.size()) - 1));
        if (std::find(chosen.begin(), chosen.end(), k) == chosen.end())
            chosen.push_back(k);
    }
    std::sort(chosen.begin(), chosen.end(), [](std::size_t a, std::size_t b) { return (a == 0) > (b == 0); });
    sample s;
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        const ai_kind& k = gs1Pool[chosen[i]];
        s.input += "(" + std::string(k.ai) + ")" + aiValue(r, k);
    }
    s.expected = bracketedToData(s.input);
    return s;
}

}  // namespace

bool predefinedLength(std::string_view ai)
{
    constexpr std::array<std::string_view, 22> prefixes = {"00", "01", "02", "03", "04", "11", "12", "13",
                                                           "14", "15", "16", "17", "18", "19", "20", "31",
                                                           "32", "33", "34", "35", "36", "41"};
    for (auto p : prefixes)
        if (ai.substr(0, 2) == p)
            return true;
    return false;
}

std::string hex(std::string_view bytes)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string out;
    for (const unsigned char c : bytes) {
        out.push_back(digits[c >> 4]);
        out.push_back(digits[c & 15]);
    }
    return out;
}

std::string readerData(std::string_view format, std::string data)
{
    if (format == "DataBar" && data.size() == 14)
        return "01" + data;
    if (format == "DataBarExpanded" && !data.empty() && data[0] == '(')
        return bracketedToData(data);
    return data;
}

std::string bracketedToData(std::string_view text)
{
    std::string data;
    std::size_t at = 0;
    while (at < text.size() && text[at] == '(') {
        const std::size_t close = text.find(')', at);
        if (close == std::string_view::npos)
            return data + std::string(text.substr(at));
        const std::size_t next = std::min(text.find('(', close), text.size());
        const std::string_view ai = text.substr(at + 1, close - at - 1);
        data += std::string(ai) + std::string(text.substr(close + 1, next - close - 1));
        if (next < text.size() && !predefinedLength(ai))
            data.push_back('\x1d');
        at = next;
    }
    return data + std::string(text.substr(at));
}

std::vector<sample> randomSamples(symbology s, int count, unsigned seed, bool stacked)
{
    rng r(seed);
    std::vector<sample> out;
    out.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        switch (s) {
        case symbology::databar14:
        case symbology::databar_stacked:
        case symbology::databar_stacked_omni:
            out.push_back(gtinSample(r, false));
            break;
        case symbology::databar_limited:
            out.push_back(gtinSample(r, true));
            break;
        case symbology::code128:
            out.push_back(code128Sample(r));
            break;
        case symbology::gs1_128:
            out.push_back(gs1Sample(r));
            break;
        case symbology::databar_expanded:
            out.push_back(gs1Sample(r));
            out.back().segmentsPerRow = stacked ? 2 + 2 * (i % 10) : 22;
            break;
        }
    }
    return out;
}

}  // namespace strivane::fonttest
