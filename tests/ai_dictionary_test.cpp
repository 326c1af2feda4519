// SPDX-License-Identifier: Apache-2.0
#include "gs1/ai_dictionary.hpp"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

using namespace Kelbrin::Tallowlib;

namespace {

std::string rowOf(const char* ai)
{
    const ai_definition* row = findAiDefinition(ai);
    return row ? row->pattern : "-";
}

}  // namespace

TEST(AiDictionary, FirstMatchingRowWins)
{
    struct {
        const char* ai;
        const char* row;
    } cases[] = {
        {"00", "00"}, {"01", "01"}, {"3103", "3[1-6][0-9][0-9]"}, {"3370", "3[1-6][0-9][0-9]"},
        {"3379", "3[1-6][0-9][0-9]"}, {"3699", "3[1-6][0-9][0-9]"}, {"7003", "7003"}, {"7030", "703[0-9]"},
        {"7039", "703[0-9]"}, {"90", "90"}, {"91", "9[1-9]"}, {"99", "9[1-9]"}, {"3905", "390[0-9]"},
        {"3932", "393[0-9]"}, {"8102", "8102"}, {"37", "37"},
        // No row: wrong length, unknown, or only a prefix of a pattern.
        {"310", "-"}, {"31030", "-"}, {"7004", "-"}, {"3700", "-"}, {"9", "-"}, {"", "-"}, {"011", "-"},
        {"7040", "-"}, {"3A03", "-"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rowOf(c.ai), c.row) << c.ai;
}

TEST(AiDictionary, TableIsConsistent)
{
    const auto rows = aiDefinitions();
    ASSERT_EQ(rows.size(), 63u);
    EXPECT_EQ(aiFormattingRules().size(), 4u);
    for (const ai_definition& row : rows) {
        SCOPED_TRACE(row.pattern);
        EXPECT_TRUE(row.charset == ai_numeric || row.charset == ai_alphanumeric);
        EXPECT_TRUE(row.fixedLength() ? row.length > 0 : row.length <= row.max_length);
        EXPECT_TRUE(!row.check_digit || (row.fixedLength() && row.charset == ai_numeric));
        if (std::string_view(row.pattern).find('[') == std::string_view::npos) {
            EXPECT_EQ(findAiDefinition(row.pattern), &row);  // reachable by its own AI
        }
    }
}

TEST(AiDictionary, FixedLengthRowsWithoutPredefinedLengthNeedASeparator)
{
    std::set<std::string> needSeparator;
    for (const ai_definition& row : aiDefinitions())
        if (std::string_view(row.pattern).find('[') == std::string_view::npos && row.fixedLength() &&
            !aiHasPredefinedLength(row.pattern))
            needSeparator.insert(row.pattern);
    const std::set<std::string> expected{"402",  "422",  "424",  "425",  "426",  "7001", "7003",
                                         "8001", "8005", "8006", "8018", "8100", "8101", "8102"};
    EXPECT_EQ(needSeparator, expected);

    for (const char* ai : {"00", "04", "11", "20", "23", "31", "3103", "3370", "36", "41", "415"})
        EXPECT_TRUE(aiHasPredefinedLength(ai)) << ai;
    for (const char* ai : {"05", "10", "21", "22", "24", "30", "37", "40", "42", "90", "", "0", "4A", "(0"})
        EXPECT_FALSE(aiHasPredefinedLength(ai)) << ai;
}

TEST(AiDictionary, FormattingRulesGroupDigits)
{
    struct {
        const char* ai;
        const char* data;
        const char* grouped;  // nullptr: no rule
    } cases[] = {
        {"01", "01234567890128", " 0 12 34567 89012 8"},
        {"02", "01234567890128", " 0 12 34567 89012 8"},
        {"00", "012345678901234567", " 0 12 34567 890123456 7"},
        {"414", "1234567890128", " 12 34567 89012 8"},
        {"01", "0123", "0123"},  // no match: text copied
        {"416", "", nullptr},
        {"10", "", nullptr},
        {"4100", "", nullptr},
    };
    for (const auto& c : cases) {
        const ai_hr_rule* rule = findAiFormattingRule(c.ai);
        if (c.grouped == nullptr) {
            EXPECT_EQ(rule, nullptr) << c.ai;
            continue;
        }
        ASSERT_NE(rule, nullptr) << c.ai;
        EXPECT_EQ(applyAiFormattingRule(*rule, c.data), c.grouped) << c.ai;
    }
    const ai_hr_rule own{"5", "(a)(b)", "$2$1"};  // a rule outside the table, case-insensitive
    EXPECT_EQ(applyAiFormattingRule(own, "xABy"), "xBAy");
}

TEST(AiDictionary, ConcurrentFirstUseAgrees)
{
    std::vector<std::thread> threads;
    std::vector<int> agree(8, 0);
    for (std::size_t t = 0; t < agree.size(); ++t)
        threads.emplace_back([&agree, t] {
            for (int i = 0; i < 200; ++i)
                agree[t] += findAiDefinition("3370") == &aiDefinitions()[20] &&
                            applyAiFormattingRule(*findAiFormattingRule("410"), "1234567890128") ==
                                " 12 34567 89012 8";
        });
    for (auto& thread : threads)
        thread.join();
    for (int n : agree)
        EXPECT_EQ(n, 200);
}
