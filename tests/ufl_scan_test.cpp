// What the formula functions hand the engine prints as a barcode that independent readers
// decode to the data given: the font text (for long symbols, the joined Set/Get pieces) is
// read back into module rows, drawn, and scanned.
#include "ufl_engine_simulator.hpp"

#include "scan_support.hpp"
#include "tallowlib/font_text_reader.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using strivane::ufl_sim::engine;

namespace {

const engine& ufl()
{
    static const engine e(U25FERROW_LIBRARY_PATH);
    return e;
}

// Every reading of either reader, with GS1 parentheses removed.
std::vector<std::string> scan(const std::string& fontText)
{
    const auto symbol = Kelbrin::Tallowlib::readFontText(fontText);
    std::vector<int> heights;
    for (const bool data : symbol.dataRow)
        heights.push_back(data ? 34 : 1);
    const auto image = strivane::scan::renderModuleRows(symbol.rows, heights);
    std::vector<std::string> readings;
    auto add = [&](const std::vector<strivane::scan::decoded>& found) {
        for (const auto& d : found) {
            std::string plain;
            for (const char c : d.data)
                if (c != '(' && c != ')')
                    plain += c;
            readings.push_back(plain);
        }
    };
    add(strivane::scan::decodeWithZbar(image));
    if (const auto zx = strivane::scan::decodeWithZxingIsolated(image))
        add(*zx);
    return readings;
}

bool readAs(const std::vector<std::string>& readings, const std::vector<std::string>& accepted)
{
    for (const auto& r : readings)
        for (const auto& a : accepted)
            if (r == a)
                return true;
    return false;
}

}  // namespace

TEST(UflScan, FormulaResultsScan)
{
    const struct {
        const char* function;
        const char* data;
        std::vector<std::string> accepted;  // how the readers may report it
    } cases[] = {
        // (Neither reader knows DataBar Limited.)
        {"Kelbrin_Code128_Uni", "Strivane 42", {"Strivane 42"}},
        {"Kelbrin_DataBar14", "1234567890123", {"0112345678901231", "12345678901231"}},
        {"Kelbrin_DataBarStackedOmni", "1234567890123", {"0112345678901231", "12345678901231"}},
        {"Kelbrin_EAN128_Uni", "(01)98898765432106(15)991231", {"019889876543210615991231"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.function);
        const auto r = ufl().call(c.function, {std::string(c.data)});
        ASSERT_EQ(r.code, 0);
        const auto readings = scan(r.text);
        EXPECT_TRUE(readAs(readings, c.accepted)) << ::testing::PrintToString(readings);
    }
}

TEST(UflScan, JoinedPiecesScan)
{
    const std::string data = "(01)98898765432106(3202)012345(15)991231(10)ABCDEFGH123456(21)SERIAL0042";
    const std::string plain = "0198898765432106320201234515991231" "10ABCDEFGH123456\x1d" "21SERIAL0042";
    for (const double segments : {22.0, 4.0, 2.0}) {
        SCOPED_TRACE(segments);
        const auto pieces = strivane::ufl_sim::setAndGetPieces(ufl(), data, segments);
        ASSERT_TRUE(pieces.has_value());
        std::string text;
        for (const auto& p : *pieces)
            text += p;
        const auto readings = scan(text);
        EXPECT_TRUE(readAs(readings, {plain, "0198898765432106320201234515991231" "10ABCDEFGH123456" "21SERIAL0042"}))
            << ::testing::PrintToString(readings);
    }
}
