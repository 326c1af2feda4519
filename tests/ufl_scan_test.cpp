// What the formula functions hand the engine prints as a barcode that independent readers
// decode to the data given: the font text (for long symbols, the joined Set/Get pieces) is
// read back into module rows, drawn, and scanned.
//
// zxing-cpp's multi-symbol entry point trips an internal assertion on stacked DataBar
// Expanded symbols, so those are read through its single-symbol entry point in a child.
#include "ufl_engine_simulator.hpp"

#include "scan_support.hpp"
#include "tallowlib/font_text_reader.hpp"

#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

using strivane::ufl_sim::engine;

namespace {

const engine& ufl()
{
    static const engine e(U25FERROW_LIBRARY_PATH);
    return e;
}

strivane::scan::gray_image draw(const std::string& fontText)
{
    const auto symbol = Kelbrin::Tallowlib::readFontText(fontText);
    std::vector<int> heights;
    for (const bool data : symbol.dataRow)
        heights.push_back(data ? 34 : 1);
    return strivane::scan::renderModuleRows(symbol.rows, heights);
}

// zxing-cpp's single-symbol reading of a DataBar Expanded picture, in a child process;
// empty when nothing was read or the child died.
std::string readExpandedInChild(const strivane::scan::gray_image& image)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        ZXing::ImageView view(image.pixels.data(), image.width, image.height, ZXing::ImageFormat::Lum);
        ZXing::DecodeHints hints;
        hints.setFormats(ZXing::BarcodeFormat::DataBarExpanded);
        const auto r = ZXing::ReadBarcode(view, hints);
        const std::string text = r.isValid() ? std::string(r.bytes().begin(), r.bytes().end()) : std::string();
        const bool written = write(fds[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
        _exit(written ? 0 : 1);
    }
    close(fds[1]);
    std::string text;
    char chunk[256];
    for (ssize_t n; (n = read(fds[0], chunk, sizeof chunk)) > 0;)
        text.append(chunk, static_cast<std::size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? text : std::string();
}

// Every reading of either reader, with GS1 parentheses removed.
std::vector<std::string> scan(const std::string& fontText)
{
    const auto image = draw(fontText);
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
    const std::string data = "(01)98898765432106(15)991231(10)ABCDEFGH123456(21)SERIAL0042";
    for (const double segments : {22.0, 4.0, 2.0}) {
        SCOPED_TRACE(segments);
        const auto pieces = strivane::ufl_sim::setAndGetPieces(ufl(), data, segments);
        ASSERT_TRUE(pieces.has_value());
        std::string text;
        for (const auto& p : *pieces)
            text += p;
        EXPECT_EQ(readExpandedInChild(draw(text)), data);  // zxing-cpp reports the element strings
    }
}
