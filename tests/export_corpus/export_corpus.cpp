// SPDX-License-Identifier: Apache-2.0
// Drives every export of Tarnwick and every formula function of U25Ferrow over a seeded
// corpus and prints one line per call: export, arguments, result and output, bytes outside
// printable ASCII as \xNN. The libraries are loaded by path, so the same corpus can be run
// against the build of any revision and the outputs compared line by line.
//
//   export_corpus LIBTARNWICK LIBU25FERROW > calls.txt
#include "ufl_engine_simulator.hpp"

#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// splitmix64: the same numbers on every platform and standard library.
class seeded_random {
public:
    explicit seeded_random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T>
    const T& pick(const std::vector<T>& v) { return v[static_cast<std::size_t>(below(static_cast<int>(v.size())))]; }

private:
    std::uint64_t state_;
};

std::string escaped(const std::string& s)
{
    std::string out;
    for (unsigned char c : s) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

std::string digits(seeded_random& r, int n)
{
    std::string s;
    for (int i = 0; i < n; ++i)
        s += static_cast<char>('0' + r.below(10));
    return s;
}

// GTIN-like inputs: mostly 13 or 14 digits, with blanks, "(01)", letters and odd lengths.
std::string gtinInput(seeded_random& r)
{
    static const std::vector<int> lengths = {0, 1, 7, 8, 11, 12, 13, 13, 13, 13, 14, 14, 15, 20};
    std::string s = digits(r, r.pick(lengths));
    if (r.chance(15) && !s.empty())
        s.insert(s.begin() + r.below(static_cast<int>(s.size())), ' ');
    if (r.chance(10))
        s = "(01)" + s;
    if (r.chance(8) && !s.empty())
        s[static_cast<std::size_t>(r.below(static_cast<int>(s.size())))] = static_cast<char>('A' + r.below(26));
    if (r.chance(5))
        s += static_cast<char>(0x80 + r.below(128));
    return s;
}

std::string code128Input(seeded_random& r)
{
    static const std::vector<std::string> escapes = {"~1", "~2", "~3", "~4", "~@", "~M", "~Z", "~d013", "~d255",
                                                     "~d300", "~", "~~", "~x"};
    std::string s;
    const int parts = 1 + r.below(r.chance(5) ? 60 : 12);
    for (int p = 0; p < parts; ++p) {
        switch (r.below(6)) {
        case 0: s += digits(r, 1 + r.below(9)); break;
        case 1: s += r.pick(escapes); break;
        case 2: s += static_cast<char>(1 + r.below(31)); break;
        case 3: s += static_cast<char>(0x80 + r.below(128)); break;
        default:
            for (int i = 1 + r.below(6); i > 0; --i)
                s += static_cast<char>(0x20 + r.below(95));
        }
    }
    return s;
}

// One element string: a known or unknown AI with data that fits, nearly fits or does not.
std::string elementInput(seeded_random& r)
{
    static const std::vector<std::string> variableAis = {"10", "21", "22", "240", "30", "37", "392", "400", "8200",
                                                         "90", "99", "7003", "421", "8004"};
    static const std::vector<std::string> odd = {"", "1", "ABC", "99999", "0"};
    std::string ai;
    std::string data;
    const int kind = r.below(10);
    if (kind < 5) {
        // Numeric AIs with the length their field takes, most of the time.
        static const std::vector<std::pair<std::string, int>> fixedAis = {
            {"00", 18}, {"01", 14}, {"01", 13}, {"02", 14}, {"11", 6}, {"13", 6}, {"15", 6}, {"17", 6},
            {"20", 2}, {"3103", 6}, {"3922", 5}};
        static const std::vector<int> numericLengths = {1, 2, 4, 6, 7, 8, 13, 14, 17, 18, 19};
        const auto& [fixedAi, length] = r.pick(fixedAis);
        ai = fixedAi;
        data = digits(r, r.chance(70) ? length : r.pick(numericLengths));
    } else if (kind < 9) {
        ai = r.pick(variableAis);
        const int n = r.below(r.chance(10) ? 45 : 12);
        for (int i = 0; i < n; ++i) {
            const int c = r.below(10);
            data += c < 6 ? static_cast<char>('0' + r.below(10))
                  : c < 8 ? static_cast<char>('A' + r.below(26))
                          : "!\"%&'()*+,-./:;<=>?_ ~#"[r.below(23)];
        }
    } else {
        ai = r.pick(odd);
        data = digits(r, r.below(10));
    }
    if (r.chance(5))
        data += r.chance(50) ? "~" : "!";
    if (r.chance(3))
        data += static_cast<char>(0x80 + r.below(128));
    return "(" + ai + ")" + data;
}

std::string elementStrings(seeded_random& r)
{
    std::string s = r.chance(5) ? "x " : "";
    const int count = 1 + r.below(r.chance(10) ? 12 : 3);
    for (int i = 0; i < count; ++i)
        s += elementInput(r) + (r.chance(10) ? " " : "");
    if (r.chance(3))
        s.erase(s.size() - 1);
    return s;
}

using encode_fn = int (*)(const char*, char*, std::int32_t);
using expanded_fn = int (*)(const char*, std::int32_t, char*, std::int32_t);
using mod10_fn = int (*)(const char*);

struct tarnwick_exports {
    std::vector<std::pair<const char*, encode_fn>> oneText;
    expanded_fn expanded = nullptr;
    mod10_fn mod10 = nullptr;
};

// The buffer sizes a call is made with: ample, exactly enough, one short, tiny.
std::vector<std::int32_t> bufferSizes(int needed, seeded_random& r)
{
    std::vector<std::int32_t> sizes = {4096};
    if (needed > 0) {
        sizes.push_back(needed + 1);
        sizes.push_back(needed);
    }
    sizes.push_back(r.below(6));
    return sizes;
}

void callOneText(const char* name, encode_fn f, const std::string& input, seeded_random& r)
{
    std::vector<char> buffer(4096 + 16);
    const int full = f(input.c_str(), buffer.data(), 4096);
    for (const std::int32_t size : bufferSizes(full, r)) {
        std::fill(buffer.begin(), buffer.end(), '\x7F');
        const int n = f(input.c_str(), buffer.data(), size);
        const std::string out = n > 0 ? std::string(buffer.data(), static_cast<std::size_t>(n) + 1) : "";
        std::printf("%s\t%s\t%d\t%d\t%s\n", name, escaped(input).c_str(), size, n, escaped(out).c_str());
    }
}

void callExpanded(expanded_fn f, const std::string& input, int segments, seeded_random& r)
{
    std::vector<char> buffer(4096 + 16);
    const int full = f(input.c_str(), segments, buffer.data(), 4096);
    for (const std::int32_t size : bufferSizes(full, r)) {
        std::fill(buffer.begin(), buffer.end(), '\x7F');
        const int n = f(input.c_str(), segments, buffer.data(), size);
        const std::string out = n > 0 ? std::string(buffer.data(), static_cast<std::size_t>(n) + 1) : "";
        std::printf("DataBarExpanded\t%s\t%d\t%d\t%d\t%s\n", escaped(input).c_str(), segments, size, n,
                    escaped(out).c_str());
    }
}

void printFormula(const char* name, const std::string& input, const std::string& extra,
                  const strivane::ufl_sim::call_result& c)
{
    std::printf("%s\t%s\t%s\t%d\t%u\t%s\n", name, escaped(input).c_str(), extra.c_str(), c.code, c.errorIndex,
                escaped(c.code == 0 ? c.text : c.errorText).c_str());
}

void runTarnwick(const tarnwick_exports& t, const strivane::ufl_sim::engine& e, seeded_random& r)
{
    static const std::vector<int> segmentValues = {-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 14, 16, 18, 20, 21, 22, 23, 100};
    static const std::vector<const char*> formulas = {"Kelbrin_Code128_Uni", "Kelbrin_EAN128_Uni",
        "Kelbrin_DataBar14", "Kelbrin_DataBarLimited", "Kelbrin_DataBarStacked", "Kelbrin_DataBarStackedOmni"};
    for (int i = 0; i < 1500; ++i) {
        const std::string gtin = gtinInput(r);
        const std::string code128 = code128Input(r);
        const std::string gs1 = elementStrings(r);
        const std::string inputs[] = {code128, gs1, gtin, gtin, gtin, gtin};
        for (std::size_t k = 0; k < t.oneText.size(); ++k) {
            callOneText(t.oneText[k].first, t.oneText[k].second, inputs[k], r);
            printFormula(formulas[k], inputs[k], "", e.call(formulas[k], {inputs[k]}));
        }
        const int segments = r.pick(segmentValues);
        callExpanded(t.expanded, gs1, segments, r);
        printFormula("Kelbrin_DataBarExpanded", gs1, std::to_string(segments),
                     e.call("Kelbrin_DataBarExpanded", {gs1, segments * 100.0}));
        const auto pieces = strivane::ufl_sim::setAndGetPieces(e, gs1, segments * 100.0);
        std::string joined;
        for (const std::string& p : pieces.value_or(std::vector<std::string>{}))
            joined += p + "|";
        std::printf("Kelbrin_DataBarExpanded_Set\t%s\t%d\t%d\t%s\n", escaped(gs1).c_str(), segments,
                    pieces.has_value() ? 1 : 0, escaped(joined).c_str());
        const std::string mod10 = r.chance(80) ? digits(r, r.below(20)) : code128;
        std::printf("getMod10CheckDigit\t%s\t%d\n", escaped(mod10).c_str(), t.mod10(mod10.c_str()));
        printFormula("Kelbrin_Mod10", mod10, "", e.call("Kelbrin_Mod10", {mod10}));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: export_corpus LIBTARNWICK LIBU25FERROW\n");
        return 2;
    }
    void* tarnwick = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (tarnwick == nullptr) {
        std::fprintf(stderr, "export_corpus: %s\n", dlerror());
        return 2;
    }
    const auto symbol = [&](const char* name) { return dlsym(tarnwick, name); };
    tarnwick_exports t;
    for (const char* name : {"Code128_Uni", "EAN128_Uni", "DataBar14", "DataBarLimited", "DataBarStacked",
                             "DataBarStackedOmni"})
        t.oneText.emplace_back(name, reinterpret_cast<encode_fn>(symbol(name)));
    t.expanded = reinterpret_cast<expanded_fn>(symbol("DataBarExpanded"));
    t.mod10 = reinterpret_cast<mod10_fn>(symbol("getMod10CheckDigit"));
    const strivane::ufl_sim::engine engine(argv[2]);
    if (!engine.ready()) {
        std::fprintf(stderr, "export_corpus: %s\n", engine.loadError().c_str());
        return 2;
    }
    seeded_random r(20261207);
    runTarnwick(t, engine, r);
    return 0;
}
