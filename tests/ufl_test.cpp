// SPDX-License-Identifier: Apache-2.0
// U25Ferrow driven as the report engine drives it: version negotiation, the function table
// and its lists, parameter blocks, result codes and error texts, the Set/Get pair.
#include "Tarnwick.h"
#include "ufl_engine_simulator.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <thread>
#include <vector>

using strivane::ufl_sim::argument;
using strivane::ufl_sim::call_result;
using strivane::ufl_sim::engine;
using strivane::ufl_sim::setAndGetPieces;

namespace {

constexpr const char* invalidText = "Data is invalid, or Data is too long";
constexpr const char* sequenceText = "Get/Set call is out of sequence";

// Inputs with several rows and long font texts for DataBar Expanded.
constexpr const char* expandedShort = "(01)98898765432106(3202)012345(15)991231";
constexpr const char* expandedLong = "(01)98898765432106(15)991231(10)ABCDEFGH123456(21)SERIAL0042";

const engine& ufl()
{
    static const engine e(U25FERROW_LIBRARY_PATH);
    return e;
}

// The plain library's text for the same request: what the formula functions must return.
std::string tarnwickText(const std::string& function, const std::string& data, int segmentsPerRow = 22)
{
    std::vector<char> buffer(4096);
    const auto size = static_cast<std::int32_t>(buffer.size());
    int n = -1;
    if (function == "Kelbrin_Code128_Uni") n = Code128_Uni(data.c_str(), buffer.data(), size);
    if (function == "Kelbrin_EAN128_Uni") n = EAN128_Uni(data.c_str(), buffer.data(), size);
    if (function == "Kelbrin_DataBar14") n = DataBar14(data.c_str(), buffer.data(), size);
    if (function == "Kelbrin_DataBarLimited") n = DataBarLimited(data.c_str(), buffer.data(), size);
    if (function == "Kelbrin_DataBarStacked") n = DataBarStacked(data.c_str(), buffer.data(), size);
    if (function == "Kelbrin_DataBarStackedOmni") n = DataBarStackedOmni(data.c_str(), buffer.data(), size);
    if (function == "Kelbrin_DataBarExpanded")
        n = DataBarExpanded(data.c_str(), segmentsPerRow, buffer.data(), size);
    return n > 0 ? std::string(buffer.data(), static_cast<std::size_t>(n)) : std::string();
}

void expectFailure(const call_result& r, std::uint16_t index, const char* text)
{
    EXPECT_EQ(r.code, -1);
    EXPECT_EQ(r.errorIndex, index);
    EXPECT_EQ(r.errorText, text);
}

std::string joined(const std::vector<std::string>& pieces)
{
    std::string all;
    for (const auto& p : pieces)
        all += p;
    return all;
}

}  // namespace

TEST(UflEngine, VersionNegotiation)
{
    const struct {
        std::uint32_t offered;
        std::int32_t expected;
    } cases[] = {{0, -1}, {0x4FF, -1}, {0x500, 0}, {0x501, 0}, {0x7FFFFFFF, 0}, {0xFFFFFFFFu, 0}};
    for (const auto& c : cases) {
        const engine e(U25FERROW_LIBRARY_PATH, c.offered);
        EXPECT_EQ(e.initializeResult(), c.expected) << std::hex << c.offered << " " << e.loadError();
    }
    ASSERT_TRUE(ufl().ready()) << ufl().loadError();
    auto version = reinterpret_cast<std::uint16_t(UFL_CALL*)()>(ufl().symbol("UFGetVersion"));
    auto terminate = reinterpret_cast<std::int32_t(UFL_CALL*)()>(ufl().symbol("UFTerminate"));
    ASSERT_NE(version, nullptr);
    ASSERT_NE(terminate, nullptr);
    EXPECT_EQ(version(), 0x500);
    EXPECT_EQ(terminate(), 0);
}

TEST(UflEngine, FunctionTableTemplatesAndExamples)
{
    const struct {
        const char* definition;
        const char* templ;
        const char* example;
    } rows[] = {
        {"String Kelbrin_Code128_Uni (String)", "Kelbrin_Code128_Uni (!)", "\tKelbrin_Code128_Uni (DataToEncode)"},
        {"String Kelbrin_EAN128_Uni (String)", "Kelbrin_EAN128_Uni (!)", "\tKelbrin_EAN128_Uni (DataToEncode)"},
        {"String Kelbrin_DataBar14 (String)", "Kelbrin_DataBar14 (!)", "\tKelbrin_DataBar14 (DataToEncode)"},
        {"String Kelbrin_DataBarLimited (String)", "Kelbrin_DataBarLimited (!)",
         "\tKelbrin_DataBarLimited (DataToEncode)"},
        {"String Kelbrin_DataBarStacked (String)", "Kelbrin_DataBarStacked (!)",
         "\tKelbrin_DataBarStacked (DataToEncode)"},
        {"String Kelbrin_DataBarStackedOmni (String)", "Kelbrin_DataBarStackedOmni (!)",
         "\tKelbrin_DataBarStackedOmni (DataToEncode)"},
        {"String Kelbrin_DataBarExpanded (String, Number)", "Kelbrin_DataBarExpanded (!, )",
         "\tKelbrin_DataBarExpanded (DataToEncode, SegmentsPerRow)"},
        {"String Kelbrin_Mod10 (String)", "Kelbrin_Mod10 (!)", "\tKelbrin_Mod10 (Data)"},
        {"Number Kelbrin_DataBarExpanded_Set (String, Number)", "Kelbrin_DataBarExpanded_Set (!, )",
         "\tKelbrin_DataBarExpanded_Set (DataToEncode, SegmentsPerRow)"},
        {"String Kelbrin_DataBarExpanded_Get", "Kelbrin_DataBarExpanded_Get ()", "\tKelbrin_DataBarExpanded_Get"},
    };
    const engine& e = ufl();
    ASSERT_TRUE(e.ready());
    const auto headerSize = static_cast<std::uint16_t>(2 + sizeof(void*));
    EXPECT_EQ(e.headerSizes(), std::vector<std::uint16_t>(3, headerSize));
    EXPECT_TRUE(e.tableEndsWithZeroRow());
    ASSERT_EQ(e.functions().size(), std::size(rows));
    ASSERT_EQ(e.templates().size(), std::size(rows));
    ASSERT_EQ(e.examples().size(), std::size(rows));
    for (std::size_t k = 0; k < std::size(rows); ++k) {
        const auto& f = e.functions()[k];
        EXPECT_EQ(f.definition, rows[k].definition);
        EXPECT_EQ(e.templates()[k], rows[k].templ);
        EXPECT_EQ(e.examples()[k], rows[k].example);
        // The row's function is the export named in its definition.
        EXPECT_EQ(reinterpret_cast<void*>(f.function), e.symbol(f.name.c_str())) << f.name;
    }
}

TEST(UflEngine, ErrorTextsByIndexAndJobCalls)
{
    auto recovery = reinterpret_cast<const char*(UFL_CALL*)(ufl_param_block*, ufl_job_info*)>(
        ufl().symbol("UFErrorRecovery"));
    ASSERT_NE(recovery, nullptr);
    const struct {
        std::int32_t index;
        std::string text;
    } cases[] = {{0, "no error"}, {1, invalidText}, {2, sequenceText}, {3, "unknown error"},
                 {0x10001, invalidText}};  // only the low 16 bits count
    for (const auto& c : cases) {
        ufl_param_block block{};
        block.result.errorIndex = c.index;
        EXPECT_EQ(recovery(&block, nullptr), c.text) << c.index;
    }
    EXPECT_STREQ(recovery(nullptr, nullptr), "unknown error");
    auto start = reinterpret_cast<void(UFL_CALL*)(ufl_job_info*)>(ufl().symbol("UFStartJob"));
    auto end = reinterpret_cast<void(UFL_CALL*)(ufl_job_info*)>(ufl().symbol("UFEndJob"));
    ASSERT_NE(start, nullptr);
    ASSERT_NE(end, nullptr);
    start(nullptr);
    end(nullptr);
}

TEST(UflFormulas, OneTextFunctionsMatchThePlainLibrary)
{
    const struct {
        const char* function;
        const char* good;
        const char* bad;
    } cases[] = {
        {"Kelbrin_Code128_Uni", "12", nullptr},
        {"Kelbrin_Code128_Uni", "Strivane ~d013", nullptr},
        {"Kelbrin_Code128_Uni", "caf\xe9", nullptr},  // Code 128 rejects no byte
        {"Kelbrin_EAN128_Uni", "(01)98898765432106(15)991231", "(01)ABC"},
        {"Kelbrin_DataBar14", "1234567890123", nullptr},  // the DataBar encoders take any non-empty text
        {"Kelbrin_DataBarLimited", "1234567890123", nullptr},
        {"Kelbrin_DataBarStacked", "1234567890123", nullptr},
        {"Kelbrin_DataBarStackedOmni", "1234567890123", nullptr},
    };
    const engine& e = ufl();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.function) + " " + c.good);
        const call_result ok = e.call(c.function, {std::string(c.good)});
        EXPECT_EQ(ok.code, 0);
        EXPECT_FALSE(ok.text.empty());
        EXPECT_EQ(ok.text, tarnwickText(c.function, c.good));
        if (c.bad != nullptr)
            expectFailure(e.call(c.function, {std::string(c.bad)}), 1, invalidText);
        expectFailure(e.call(c.function, {std::string()}), 1, invalidText);
        const call_result missing = e.call(c.function, {});
        EXPECT_EQ(missing.code, 6);
        EXPECT_TRUE(missing.blockUnchanged);
    }
    EXPECT_EQ(e.call("Kelbrin_Code128_Uni", {std::string("12")}).text, "2a1b3b1a2b3b1b2b3a2c3a1a2");
    EXPECT_EQ(e.call("Kelbrin_DataBar14", {std::string("1234567890123")}).text.size(), 46u);
    EXPECT_EQ(e.call("Kelbrin_DataBarStackedOmni", {std::string("1234567890123")}).text.size(), 102u);
}

TEST(UflFormulas, FontTextOver254CharactersIsTooLongForTheEngine)
{
    // 120 characters of Code 128 set B need far more than 254 width characters.
    const std::string data(120, 'x');
    ASSERT_GT(tarnwickText("Kelbrin_Code128_Uni", data).size(), 254u);
    const call_result r = ufl().call("Kelbrin_Code128_Uni", {data});
    expectFailure(r, 1, invalidText);
    EXPECT_TRUE(r.bufferIntact);
}

TEST(UflFormulas, Mod10)
{
    const std::string digits253(253, '7');
    const struct {
        std::string data;
        std::int32_t code;
        std::string text;
    } cases[] = {
        {"1234567", 0, "12345670"},
        {"1234567890123", 0, "12345678901231"},
        {"", 0, "0"},
        {"ABC", 0, std::string("ABC") + static_cast<char>('0' + getMod10CheckDigit("ABC"))},
        {digits253, 0, digits253 + static_cast<char>('0' + getMod10CheckDigit(digits253.c_str()))},
        {std::string(254, '7'), 2, ""},
        {std::string(5000, '1'), 2, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data.size());
        const call_result r = ufl().call("Kelbrin_Mod10", {c.data});
        EXPECT_EQ(r.code, c.code);
        EXPECT_TRUE(r.bufferIntact);
        if (c.code == 0)
            EXPECT_EQ(r.text, c.text);
        else
            EXPECT_TRUE(r.blockUnchanged);  // no error index stored
    }
    EXPECT_EQ(ufl().call("Kelbrin_Mod10", {std::string(253, '7')}).text.size(), 254u);
    const call_result missing = ufl().call("Kelbrin_Mod10", {});
    EXPECT_EQ(missing.code, 6);
    EXPECT_TRUE(missing.blockUnchanged);
}

TEST(UflFormulas, ExpandedSegmentsPerRowArriveInHundredths)
{
    const std::string four = tarnwickText("Kelbrin_DataBarExpanded", expandedShort, 4);
    const std::string two = tarnwickText("Kelbrin_DataBarExpanded", expandedShort, 2);
    const std::string oneRow = tarnwickText("Kelbrin_DataBarExpanded", expandedShort, 22);
    ASSERT_FALSE(four.empty());
    ASSERT_NE(four, oneRow);
    ASSERT_NE(four, two);
    const struct {
        double segments;  // formula value; the engine passes it on times 100
        std::string expected;
    } cases[] = {
        {4, four},    {3.5, four},    {3, four},    {4.99, four},  // truncated, then raised to even
        {-1.5, two},  {2, two},       {0, oneRow},  {22, oneRow}, {40, oneRow}, {-2, oneRow},
        {1e300, oneRow}, {-1e300, oneRow}, {std::numeric_limits<double>::quiet_NaN(), oneRow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.segments);
        const call_result r = ufl().call("Kelbrin_DataBarExpanded", {std::string(expandedShort), c.segments});
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(r.text, c.expected);
    }
    for (const std::vector<argument>& args :
         {std::vector<argument>{}, std::vector<argument>{std::string(expandedShort)}}) {
        const call_result missing = ufl().call("Kelbrin_DataBarExpanded", args);
        EXPECT_EQ(missing.code, 6);
        EXPECT_TRUE(missing.blockUnchanged);
    }
    expectFailure(ufl().call("Kelbrin_DataBarExpanded", {std::string("(0A)12"), 4.0}), 1, invalidText);
}

TEST(UflLongResults, PiecesOf254JoinToTheWholeSymbol)
{
    const std::string whole = tarnwickText("Kelbrin_DataBarExpanded", expandedLong, 2);
    ASSERT_GT(whole.size(), 2u * 254);
    ASSERT_LE(whole.size(), 3u * 254);
    ASSERT_NE(whole.find("\r\n"), std::string::npos);

    const engine& e = ufl();
    expectFailure(e.call("Kelbrin_DataBarExpanded", {std::string(expandedLong), 2.0}), 1, invalidText);

    const call_result set = e.call("Kelbrin_DataBarExpanded_Set", {std::string(expandedLong), 2.0});
    ASSERT_EQ(set.code, 0);
    EXPECT_EQ(set.number, 3.0);
    std::vector<std::string> pieces;
    for (int k = 0; k < 4; ++k) {
        const call_result got = e.call("Kelbrin_DataBarExpanded_Get", {});
        ASSERT_EQ(got.code, 0);
        EXPECT_TRUE(got.bufferIntact && got.terminated);
        pieces.push_back(got.text);
    }
    EXPECT_EQ(pieces[0].size(), 254u);
    EXPECT_EQ(pieces[1].size(), 254u);
    EXPECT_EQ(pieces[2].size(), whole.size() - 508);
    EXPECT_EQ(pieces[3], "");  // everything returned
    EXPECT_EQ(joined(pieces), whole);
}

TEST(UflLongResults, CountsAndSequence)
{
    const engine& e = ufl();
    // A fresh thread has had no Set yet.
    std::thread([&] { expectFailure(e.call("Kelbrin_DataBarExpanded_Get", {}), 2, sequenceText); }).join();

    const struct {
        const char* data;
        double segments;
    } symbols[] = {{expandedShort, 22}, {expandedShort, 4}, {expandedLong, 2}, {expandedLong, 6}};
    for (const auto& s : symbols) {
        SCOPED_TRACE(std::string(s.data) + " / " + std::to_string(s.segments));
        const std::string whole = tarnwickText("Kelbrin_DataBarExpanded", s.data, static_cast<int>(s.segments));
        ASSERT_FALSE(whole.empty());
        const call_result set = e.call("Kelbrin_DataBarExpanded_Set", {std::string(s.data), s.segments});
        ASSERT_EQ(set.code, 0);
        EXPECT_EQ(set.number, std::ceil(static_cast<double>(whole.size()) / 254));
        const auto pieces = setAndGetPieces(e, s.data, s.segments);
        ASSERT_TRUE(pieces.has_value());
        EXPECT_EQ(joined(*pieces), whole);
    }

    // A second Set before all pieces were read starts over with the new text.
    const std::string shortText = tarnwickText("Kelbrin_DataBarExpanded", expandedShort, 22);
    ASSERT_EQ(e.call("Kelbrin_DataBarExpanded_Set", {std::string(expandedLong), 2.0}).code, 0);
    EXPECT_EQ(e.call("Kelbrin_DataBarExpanded_Get", {}).code, 0);
    ASSERT_EQ(e.call("Kelbrin_DataBarExpanded_Set", {std::string(expandedShort), 22.0}).code, 0);
    EXPECT_EQ(e.call("Kelbrin_DataBarExpanded_Get", {}).text, shortText);
    EXPECT_EQ(e.call("Kelbrin_DataBarExpanded_Get", {}).text, "");

    // A failing Set ends the sequence before it: no piece of the earlier symbol follows it.
    for (const std::string& bad : {std::string("(0A)12"), std::string(), std::string(3000, '9')}) {
        ASSERT_EQ(e.call("Kelbrin_DataBarExpanded_Set", {std::string(expandedLong), 2.0}).code, 0);
        ASSERT_EQ(e.call("Kelbrin_DataBarExpanded_Get", {}).code, 0);
        expectFailure(e.call("Kelbrin_DataBarExpanded_Set", {bad, 2.0}), 1, invalidText);
        expectFailure(e.call("Kelbrin_DataBarExpanded_Get", {}), 2, sequenceText);
    }
    const auto again = setAndGetPieces(e, expandedLong, 2.0);
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(joined(*again), tarnwickText("Kelbrin_DataBarExpanded", expandedLong, 2));

    for (const std::vector<argument>& args :
         {std::vector<argument>{}, std::vector<argument>{std::string(expandedShort)}}) {
        const call_result missing = e.call("Kelbrin_DataBarExpanded_Set", args);
        EXPECT_EQ(missing.code, 6);
        EXPECT_TRUE(missing.blockUnchanged);
    }
}

TEST(UflLongResults, ThreadsKeepTheirOwnSequences)
{
    const struct {
        const char* data;
        int segments;
    } symbols[] = {{expandedLong, 2}, {expandedLong, 4}, {expandedShort, 2}, {expandedShort, 22}};
    std::vector<std::string> expected;
    for (const auto& s : symbols)
        expected.push_back(tarnwickText("Kelbrin_DataBarExpanded", s.data, s.segments));
    std::vector<int> mismatches(std::size(symbols), 0);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < std::size(symbols); ++t)
        threads.emplace_back([&, t] {
            for (int round = 0; round < 100; ++round) {
                const auto pieces = setAndGetPieces(ufl(), symbols[t].data, symbols[t].segments);
                if (!pieces || joined(*pieces) != expected[t])
                    ++mismatches[t];
            }
        });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(mismatches, std::vector<int>(std::size(symbols), 0));
}

// Whatever the input, nothing is written past the engine's 255 bytes and a String result
// is zero-terminated inside them.
TEST(UflFormulas, ResultBufferNeverOverrun)
{
    const char* functions[] = {"Kelbrin_Code128_Uni",        "Kelbrin_EAN128_Uni",     "Kelbrin_DataBar14",
                               "Kelbrin_DataBarLimited",     "Kelbrin_DataBarStacked", "Kelbrin_DataBarStackedOmni",
                               "Kelbrin_DataBarExpanded",    "Kelbrin_Mod10",          "Kelbrin_DataBarExpanded_Set",
                               "Kelbrin_DataBarExpanded_Get"};
    const std::string alphabet = "0123456789()~!ABCxyz \x01\x7f\xff";
    std::mt19937 random(20261207);
    for (int round = 0; round < 300; ++round) {
        std::string data;
        const std::size_t length = round % 10 == 0 ? 200 + random() % 2000 : random() % 80;
        if (round % 3 == 0)
            data = expandedLong;
        while (data.size() < length)
            data += alphabet[random() % alphabet.size()];
        const double segments = static_cast<double>(static_cast<int>(random() % 60) - 20) / 2;
        for (const char* f : functions) {
            const call_result r = ufl().call(f, {data, segments});
            ASSERT_TRUE(r.bufferIntact) << f << " " << data;
            ASSERT_TRUE(r.code != 0 || r.terminated) << f << " " << data;
            ASSERT_TRUE(r.code == 0 || r.code == -1 || r.code == 2) << f << " " << r.code;
        }
    }
}
