// SPDX-License-Identifier: Apache-2.0
// The tarnwick tool as a user runs it, and its SVG writer.
#include "svg_writer.hpp"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

using namespace Kelbrin::Tarnwick::Cli;

namespace {

struct run_result {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the tool with `arguments` (already shell-quoted), capturing stdout and stderr. `input`,
// a printf format, is its standard input.
run_result runTool(const std::string& arguments, const char* input = nullptr)
{
    // CTest runs the tests of this file in parallel processes: one stderr file each.
    std::string errPath = testing::TempDir() + "tarnwick-cli-stderr-XXXXXX";
    const int fd = mkstemp(errPath.data());
    if (fd < 0)
        return {};
    close(fd);
    const std::string feed = input ? std::string("printf -- '") + input + "' | " : std::string("</dev/null ");
    const std::string command = feed + TARNWICK_CLI_PATH + " " + arguments + " 2>" + errPath;
    run_result r;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return r;
    std::array<char, 4096> chunk{};
    std::size_t n = 0;
    while ((n = fread(chunk.data(), 1, chunk.size(), pipe)) > 0)
        r.out.append(chunk.data(), n);
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errPath);
    std::stringstream text;
    text << err.rdbuf();
    r.err = text.str();
    std::remove(errPath.c_str());
    return r;
}

std::string fileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

int lineCount(const std::string& text)
{
    int n = 0;
    for (char c : text)
        n += c == '\n';
    return n;
}

}  // namespace

TEST(TarnwickCli, PrintsFontTextModulesAndHumanReadableText)
{
    struct example {
        const char* arguments;
        const char* out;
    };
    const example examples[] = {
        {"databar14 1234567890123", "a1a3a1b1f1b3h1a1d1a5a1a2a1c2b2b1a9c1a2a2c3c1a1\n"},
        {"--human databar-limited 1234567890123",
         "a1b2b4b1a1c1b3a1a2a1a1a2b1b1a1b1a1a1b1a1e3c3a1\n(01) 1 2345678 90123 1\n"},
        {"databar-stacked-omni 1234567890123",
         "amammmamaamaaaaaamaammmaaaaaaaamamaaaamammmmmamama\nmammnpsqsumvsurvspspmpmumumuntnpsprvrunvnpmpnvamam\n"},
        {"--raw databar-stacked-omni 1234567890123",
         "amammmamaamaaaaaamaammmaaaaaaaamamaaaamammmmmamama\r\nmammnpsqsumvsurvspspmpmumumuntnpsprvrunvnpmpnvamam\n"},
        {"--modules databar-stacked 1234567890123",
         "01011101001000000100111000000001010000101111101010\n"
         "00001010100110111010000101011110101101010000110000\n"
         "10110100011001100101111111110001011011000111000101\n"},
        {"check-digit 1234567890123", "1\n"},
    };
    for (const auto& x : examples) {
        const run_result r = runTool(x.arguments);
        EXPECT_EQ(r.status, 0) << x.arguments;
        EXPECT_EQ(r.out, x.out) << x.arguments;
        EXPECT_EQ(r.err, "") << x.arguments;
    }
    const run_result help = runTool("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* name : {"databar14", "databar-limited", "databar-stacked", "databar-stacked-omni",
                             "databar-expanded", "databar-expanded-stacked", "code128", "gs1-128", "~dNNN",
                             "font \"ZLT DataBar 13X\"", "Examples:", "Exit status"})
        EXPECT_NE(help.out.find(name), std::string::npos) << name;
    EXPECT_NE(help.out.find("4006381333931 as 04006381333931"), std::string::npos);
}

// 13 digits are an indicator digit and 12 digits; when they are also an EAN-13 with its check
// digit, the symbol is made as asked and a note says how that EAN-13 is written.
TEST(TarnwickCli, NotesThirteenDigitsThatAreAlsoAnEan13)
{
    const struct {
        const char* arguments;
        const char* err;
    } cases[] = {
        {"databar-stacked '4006381333931'", "tarnwick: note: 13 digits are read as an indicator digit and 12 digits; "
                                            "for the EAN-13 4006381333931 write 04006381333931\n"},
        {"databar-stacked-omni '(01) 4006381 33393 1'",
         "tarnwick: note: 13 digits are read as an indicator digit and 12 digits; "
         "for the EAN-13 4006381333931 write 04006381333931\n"},
        {"databar14 04006381333931", ""},
        {"databar14 1234567890123", ""},
        {"code128 4006381333931", ""},
    };
    for (const auto& c : cases) {
        const run_result r = runTool(c.arguments);
        EXPECT_EQ(r.status, 0) << c.arguments;
        EXPECT_FALSE(r.out.empty()) << c.arguments;
        EXPECT_EQ(r.err, c.err) << c.arguments;
    }
}

// Every refusal is one line on stderr, and the status tells bad data (1), a usage error (2)
// and output that cannot be written (3) apart.
TEST(TarnwickCli, RefusalsAreOneLineOnStderrWithTheirStatus)
{
    const struct {
        const char* arguments;
        int status;
        const char* message;  // the whole line on stderr, when given
        const char* input = nullptr;
    } cases[] = {
        {"", 2, nullptr},
        {"databar14", 2, nullptr},
        {"nosuch 123", 2, nullptr},
        {"--bogus databar14 1", 2, nullptr},
        {"--svg", 2, nullptr},
        {"--segments x databar-expanded-stacked '(01)12345678901231'", 2, nullptr},
        {"--segments 1 databar-expanded-stacked '(01)12345678901231'", 2, nullptr},
        {"--segments 23 databar-expanded-stacked '(01)12345678901231'", 2, nullptr},
        {"--segments 4 databar-expanded '(01)12345678901231'", 2,
         "tarnwick: --segments goes with databar-expanded-stacked only\n"},
        {"databar14 ''", 1, nullptr},
        {"check-digit 12a", 1, nullptr},
        {"check-digit ''", 1, nullptr},
        {"gs1-128 '(01)1234'", 1, nullptr},
        {"databar14 12345678901234", 1, "tarnwick: check digit 4, expected 1\n"},
        {"code128 \"$(printf 'Price \\342\\202\\2545')\"", 1,
         "tarnwick: character 7 \"\xE2\x82\xAC\" (U+20AC) has no Latin-1 code\n"},
        {"code128 \"$(printf 'ab\\377')\"", 1,
         "tarnwick: byte 3 is not UTF-8 (--raw-bytes takes the data as bytes)\n"},
        {"--svg /nonexistent-dir/x.svg databar14 1234567890123", 3, nullptr},
        {"databar14 1234567890123 >/dev/full", 3, "tarnwick: cannot write to standard output\n"},
        {"code128 -5", 2, "tarnwick: unknown option -5 (see --help)\n"},
        {"--raw=1 databar14 1", 2, nullptr},
        {"databar14 -", 1, "tarnwick: no data to encode\n", ""},
        {"--svg - --png - databar14 1234567890123", 2, nullptr},
        {"--human --svg - databar14 1234567890123", 2, nullptr},
        {"--batch --png - databar14", 2, nullptr},
        {"--batch databar14 1234567890123", 2, nullptr},
        {"--batch --svg 'x%q.svg' databar14", 2, nullptr},
        {"--batch=/nonexistent-dir/in.txt databar14", 2, nullptr},
        {"--batch databar14 >/dev/full", 3, "tarnwick: cannot write to standard output\n", "1234567890123\n"},
        {"--svg - databar14 1234567890123 >/dev/full", 3, "tarnwick: cannot write to standard output\n"},
    };
    for (const auto& c : cases) {
        const run_result r = runTool(c.arguments, c.input);
        EXPECT_EQ(r.status, c.status) << c.arguments;
        EXPECT_EQ(r.out, "") << c.arguments;
        EXPECT_EQ(lineCount(r.err), 1) << c.arguments << ": " << r.err;
        EXPECT_EQ(r.err.rfind("tarnwick: ", 0), 0u) << c.arguments;
        if (c.message != nullptr) {
            EXPECT_EQ(r.err, c.message) << c.arguments;
        }
    }
}

// UTF-8 data is encoded as the Latin-1 characters it spells; --raw-bytes takes bytes as they are.
TEST(TarnwickCli, Utf8DataIsEncodedAsLatin1)
{
    const run_result utf8 = runTool("--raw code128 \"$(printf 'Gr\\303\\274\\303\\237e')\"");
    const run_result bytes = runTool("--raw --raw-bytes code128 \"$(printf 'Gr\\374\\337e')\"");
    ASSERT_EQ(utf8.status, 0) << utf8.err;
    ASSERT_EQ(bytes.status, 0) << bytes.err;
    EXPECT_EQ(utf8.out, bytes.out);
    EXPECT_NE(utf8.out, runTool("--raw --raw-bytes code128 \"$(printf 'Gr\\303\\274\\303\\237e')\"").out);
}

TEST(TarnwickCli, SvgFileOfTheSymbol)
{
    const std::string path = testing::TempDir() + "tarnwick-cli-test-" + std::to_string(getpid()) + ".svg";
    std::remove(path.c_str());
    ASSERT_EQ(runTool("--svg " + path + " databar-stacked-omni 1234567890123").status, 0);
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    const std::string svg = text.str();
    // 50 modules + 2 x 10 quiet; 33 + 1 + 1 + 1 + 33 rows + 2 x 10 quiet.
    EXPECT_NE(svg.find("viewBox=\"0 0 70 89\""), std::string::npos) << svg.substr(0, 300);
    EXPECT_NE(svg.find("</svg>"), std::string::npos);
}

TEST(SvgWriter, OneRectanglePerDarkRunAtTheRowsHeights)
{
    const std::string svg = svgDocument({"0110", "1001"}, {{5, 2}, 1, 1.0});
    EXPECT_NE(svg.find("viewBox=\"0 0 6 9\""), std::string::npos);
    EXPECT_NE(svg.find("<rect x=\"2\" y=\"1\" width=\"2\" height=\"5\"/>"), std::string::npos);
    EXPECT_NE(svg.find("<rect x=\"1\" y=\"6\" width=\"1\" height=\"2\"/>"), std::string::npos);
    EXPECT_NE(svg.find("<rect x=\"4\" y=\"6\" width=\"1\" height=\"2\"/>"), std::string::npos);
    EXPECT_EQ(svg.find("x=\"3\""), std::string::npos);  // the run 11 is one rectangle

    EXPECT_THROW(svgDocument({}, {}), std::invalid_argument);
    EXPECT_THROW(svgDocument({"01", "0"}, {{1, 1}}), std::invalid_argument);
    EXPECT_THROW(svgDocument({"0x"}, {{1}}), std::invalid_argument);
    EXPECT_THROW(svgDocument({"01"}, {{}}), std::invalid_argument);
    EXPECT_THROW(svgDocument({"01"}, {{0}}), std::invalid_argument);
}

// --, --version and DATA "-": each row's output equals that of a plain command line.
TEST(TarnwickCli, EndOfOptionsVersionAndDataFromStandardInput)
{
    const struct {
        const char* arguments;
        const char* input;
        const char* sameAs;  // arguments giving the same output
        const char* sameAsInput = nullptr;
    } cases[] = {
        {"databar14 -", "1234567890123\n", "databar14 1234567890123"},
        {"databar14 -", "1234567890123\r\nsecond line\n", "databar14 1234567890123"},
        {"--raw code128 -", "-5", "--raw code128 -- -5"},
        // After "--", "-" is the data "-" itself.
        {"--raw code128 -- -", "ignored\n", "--raw code128 -", "-\n"},
        {"--raw code128 -- --raw", nullptr, "--raw --raw-bytes code128 -- --raw"},
    };
    for (const auto& c : cases) {
        const run_result r = runTool(c.arguments, c.input);
        const run_result expected = runTool(c.sameAs, c.sameAsInput);
        EXPECT_EQ(r.status, 0) << c.arguments << ": " << r.err;
        EXPECT_EQ(expected.status, 0) << c.sameAs << ": " << expected.err;
        EXPECT_EQ(r.out, expected.out) << c.arguments;
    }
    const run_result version = runTool("--version --bogus");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("tarnwick (Strivane) 1.", 0), 0u) << version.out;
}

// One result line per input line, every line processed; the status says whether any failed.
TEST(TarnwickCli, BatchPrintsOneEscapedResultLinePerInputLine)
{
    const struct {
        const char* arguments;
        const char* input;
        int status;
        const char* out;
    } cases[] = {
        {"--batch code128", "AB\na\tb\\\\c\nPrice \342\202\2545\n\nCD\r\n", 1,
         "AB\t2a1b1d1a1c2c1c1a2c4a1a3a2c3a1a2\n"
         "a\\tb\\\\c\t2a1b1d1b1a2d4a1c1a1d2a1b1b1d2a3a4a1a1d1a2b1c1b2b2c3a1a2\n"
         "Price \xE2\x82\xAC" "5\terror: character 7 \"\xE2\x82\xAC\" (U+20AC) has no Latin-1 code\n"
         "\terror: no data to encode\n"
         "CD\t2a1b1d1c1c2a1a2c1c1c1b2b2c3a1a2\n"},
        {"--batch databar-stacked-omni", "1234567890123", 0,
         "1234567890123\tamammmamaamaaaaaamaammmaaaaaaaamamaaaamammmmmamama\\r\\n"
         "mammnpsqsumvsurvspspmpmumumuntnpsprvrunvnpmpnvamam\n"},
        {"--batch --human databar-limited", "1234567890123\n", 0,
         "1234567890123\ta1b2b4b1a1c1b3a1a2a1a1a2b1b1a1b1a1a1b1a1e3c3a1\t(01) 1 2345678 90123 1\n"},
    };
    for (const auto& c : cases) {
        const run_result r = runTool(c.arguments, c.input);
        EXPECT_EQ(r.status, c.status) << c.arguments;
        EXPECT_EQ(r.out, c.out) << c.arguments;
        EXPECT_EQ(r.err, "") << c.arguments;
    }
}

// %n, %d and %% in the file names of a batch; a name made twice fails its line, the first file stays.
TEST(TarnwickCli, BatchFileNamesAndCollisions)
{
    const std::string dir = testing::TempDir() + "tarnwick-batch-" + std::to_string(getpid()) + "/";
    ASSERT_EQ(std::system(("rm -rf " + dir + " && mkdir -p " + dir).c_str()), 0);
    const run_result r = runTool("--batch --svg '" + dir + "s-%n.svg' --png '" + dir + "%d-%%.png' code128",
                                 "A/B\n.x\nA/B\n");
    EXPECT_EQ(r.status, 1) << r.err;
    const struct {
        const char* name;
        bool made;
    } files[] = {{"s-1.svg", true}, {"s-2.svg", true}, {"s-3.svg", false}, {"A_B-%.png", true}, {"_x-%.png", true}};
    for (const auto& f : files)
        EXPECT_EQ(fileText(dir + f.name).empty(), !f.made) << f.name;
    EXPECT_EQ(fileText(dir + "A_B-%.png").rfind("\x89PNG", 0), 0u);
    const std::string third = r.out.substr(r.out.rfind("A/B\t"));
    EXPECT_EQ(third, "A/B\terror: file name " + dir + "A_B-%.png was made by an earlier line; not overwritten\n");

    const run_result unwritable = runTool("--batch --svg /nonexistent-dir/%n.svg databar14", "1234567890123\n");
    EXPECT_EQ(unwritable.status, 3);
    EXPECT_EQ(unwritable.out, "1234567890123\terror: cannot write /nonexistent-dir/1.svg\n");
    std::system(("rm -rf " + dir).c_str());
}

// --svg - and --png - write the picture, and only it, to standard output.
TEST(TarnwickCli, PicturesToStandardOutput)
{
    const std::string path = testing::TempDir() + "tarnwick-stdout-" + std::to_string(getpid()) + ".svg";
    ASSERT_EQ(runTool("--svg " + path + " databar14 1234567890123").status, 0);
    const run_result svg = runTool("--svg - databar14 1234567890123");
    EXPECT_EQ(svg.status, 0) << svg.err;
    EXPECT_EQ(svg.out, fileText(path));
    const run_result png = runTool("--png - databar14 -", "1234567890123");
    EXPECT_EQ(png.status, 0) << png.err;
    EXPECT_EQ(png.out.rfind("\x89PNG\r\n", 0), 0u);
    std::remove(path.c_str());
}
