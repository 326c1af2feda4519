// SPDX-License-Identifier: Apache-2.0
// The DataBarExpanded export: line-by-line copy, buffer bounds, segments per row, debug
// output and concurrent callers.
#include "Tarnwick.h"
#include "support/environment.hpp"

#include "font/font_text.hpp"
#include "tallowlib/symbol_text.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

using namespace Kelbrin::Tallowlib;

namespace {

const std::vector<const char*> inputs = {
    "(01)12345678901231",
    "(01)98898765432106(3202)012345(15)991231",
    "(01)98898765432106(3922)123",
    "(10)ABC123(21)xyz(30)12",
    "(01)12345678901231(10)ABCDEFGHIJKLMNOPQRST",
    "(90)abcdefghijklmnopqrstuvwxyz(91)123456789",
};

std::string call(const char* input, int segments, int size = 4096)
{
    std::string buffer(static_cast<std::size_t>(size), '\x7f');
    const int n = DataBarExpanded(input, segments, buffer.data(), size);
    if (n <= 0)
        return "result " + std::to_string(n);
    EXPECT_EQ(buffer[static_cast<std::size_t>(n)], '\0');
    return buffer.substr(0, static_cast<std::size_t>(n));
}

std::vector<std::string> coreLines(const char* input, int segments)
{
    std::vector<std::string> lines;
    encodeFontLines(symbology::databar_expanded, input, segments, lines);
    return lines;
}

}  // namespace

TEST(DataBarExpandedExport, LinesJoinedAndSegmentsNormalised)
{
    for (const char* input : inputs) {
        SCOPED_TRACE(input);
        for (int s = 2; s <= 22; s += 2) {
            const auto lines = coreLines(input, s);
            std::size_t length = 2 * (lines.size() - 1);
            for (const auto& l : lines)
                length += l.size();
            const std::string text = call(input, s);
            EXPECT_EQ(text.size(), length) << s;
            EXPECT_EQ(text, joinLines(lines)) << s;
        }
        EXPECT_EQ(call(input, 3), call(input, 4));
        EXPECT_EQ(call(input, -1), call(input, 2));
        for (int s : {0, -2, -3, 23, 24, 40})
            EXPECT_EQ(call(input, s), call(input, 22)) << s;
    }
}

TEST(DataBarExpandedExport, BufferBoundsAndFailures)
{
    const char* input = "(01)98898765432106(3202)012345(15)991231";
    const auto lines = coreLines(input, 2);
    ASSERT_EQ(lines.size(), 4u);
    const std::string whole = joinLines(lines);
    const int n = static_cast<int>(whole.size());
    EXPECT_EQ(call(input, 2, n + 1), whole);
    EXPECT_EQ(call(input, 2, n), "result 0");
    // A buffer that runs out after the first line: 0, and nothing written past its end.
    const int size = static_cast<int>(lines[0].size()) + 3 + 5;
    std::string buffer(static_cast<std::size_t>(size + 16), '\x7f');
    EXPECT_EQ(DataBarExpanded(input, 2, buffer.data(), size), 0);
    EXPECT_EQ(buffer.substr(0, lines[0].size() + 2), lines[0] + "\r\n");
    EXPECT_EQ(buffer.substr(static_cast<std::size_t>(size)), std::string(16, '\x7f'));
    EXPECT_EQ(DataBarExpanded(input, 2, buffer.data(), 0), 0);

    char small[8];
    EXPECT_EQ(DataBarExpanded("", 4, small, sizeof small), -1);
    EXPECT_EQ(DataBarExpanded(nullptr, 4, small, sizeof small), -1);
    for (const char* bad : {"01)123", "(10)A$B", "(10)A#B", "(90)abcdefghijklmnopqrstuvwxyz(91)123456789012345"})
        EXPECT_EQ(call(bad, 4), "result -1") << bad;
}

#ifdef _WIN32
// OutputDebugString raises DBG_PRINTEXCEPTION_C (0x40010006) with the text's length and
// address; a vectored handler sees it before any debugger-less default does.
std::string debuggerText;
LONG CALLBACK collectDebugString(EXCEPTION_POINTERS* e)
{
    if (e->ExceptionRecord->ExceptionCode != 0x40010006L)
        return EXCEPTION_CONTINUE_SEARCH;
    debuggerText += reinterpret_cast<const char*>(e->ExceptionRecord->ExceptionInformation[1]);
    debuggerText += '\n';
    return EXCEPTION_CONTINUE_EXECUTION;
}

TEST(DataBarExpandedExport, DebugOutputGoesToTheDebugger)
{
    const char* input = "(10)ABC123(21)xyz(30)12";
    std::string expected;
    for (const auto& l : coreLines(input, 4))
        expected += l + "\n";

    void* handler = AddVectoredExceptionHandler(1, collectDebugString);
    testing::internal::CaptureStderr();
    call(input, 4);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    RemoveVectoredExceptionHandler(handler);
    EXPECT_EQ(debuggerText, expected);
}
#else
TEST(DataBarExpandedExport, DebugOutputOnlyWhenAskedFor)
{
    const char* input = "(10)ABC123(21)xyz(30)12";
    std::string expected;
    for (const auto& l : coreLines(input, 4))
        expected += "Tarnwick: " + l + "\n";

    strivane::test::setEnvironment("TARNWICK_DEBUG_OUTPUT", nullptr);
    testing::internal::CaptureStderr();
    call(input, 4);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    strivane::test::setEnvironment("TARNWICK_DEBUG_OUTPUT", "1");
    testing::internal::CaptureStderr();
    call(input, 4);
    strivane::test::setEnvironment("TARNWICK_DEBUG_OUTPUT", nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), expected);
}
#endif

// Callers on several threads at once, each with its own segments per row, get exactly
// what one thread gets.
TEST(DataBarExpandedExport, ConcurrentCallersGetSingleThreadedResults)
{
    std::vector<std::vector<std::string>> expected(inputs.size());
    for (std::size_t i = 0; i < inputs.size(); ++i)
        for (int s = 2; s <= 22; ++s)
            expected[i].push_back(call(inputs[i], s));

    constexpr int threadCount = 8;
    std::vector<int> mismatches(threadCount, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t)
        threads.emplace_back([&, t] {
            for (int round = 0; round < 40; ++round)
                for (std::size_t i = 0; i < inputs.size(); ++i) {
                    const int s = 2 + (t * 7 + round + static_cast<int>(i)) % 21;
                    if (call(inputs[i], s) != expected[i][static_cast<std::size_t>(s - 2)])
                        ++mismatches[static_cast<std::size_t>(t)];
                }
        });
    for (auto& th : threads)
        th.join();
    for (int t = 0; t < threadCount; ++t)
        EXPECT_EQ(mismatches[static_cast<std::size_t>(t)], 0) << "thread " << t;
}
