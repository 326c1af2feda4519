// SPDX-License-Identifier: Apache-2.0
#include "gs1/ai_dictionary.hpp"

#include "gs1/fixed_field.hpp"

#include <array>
#include <cstddef>
#include <iterator>
#include <regex>
#include <string>

namespace Kelbrin::Tallowlib {

namespace {

constexpr std::int32_t fixed = -1;  // max_length of a fixed-length row

// Rows in search order; the first matching row wins.
constexpr std::array<ai_definition, 63> definitions{{
    {"00", 18, fixed, ai_numeric, 1, "SSCC (Serial Shipping Container Code)"},
    {"01", 14, fixed, ai_numeric, 1, "Global Trade Item Number"},
    {"02", 14, fixed, ai_numeric, 1, "GTIN of Trade Items Contained in a logistic unit"},
    {"10", 0, 20, ai_alphanumeric, 0, "Batch or lot number"},
    {"11", 6, fixed, ai_numeric, 0, "Production date (YYMMDD)"},
    {"12", 6, fixed, ai_numeric, 0, "Due date (YYMMDD)"},
    {"13", 6, fixed, ai_numeric, 0, "Packaging date (YYMMDD)"},
    {"15", 6, fixed, ai_numeric, 0, "Best before date (YYMMDD)"},
    {"17", 6, fixed, ai_numeric, 0, "Expiration date (YYMMDD)"},
    {"20", 2, fixed, ai_numeric, 0, "Product variant"},
    {"21", 0, 20, ai_alphanumeric, 0, "Serial number"},
    {"22", 0, 29, ai_alphanumeric, 0, "Secondary data for specific health industry products"},
    {"240", 0, 30, ai_alphanumeric, 0, "Additional product identification assigned by the manufacturer"},
    {"241", 0, 30, ai_alphanumeric, 0, "Customer part number"},
    {"242", 0, 6, ai_numeric, 0, "Made-to-Order Variation Number"},
    {"250", 0, 30, ai_alphanumeric, 0, "Secondary serial number"},
    {"251", 0, 30, ai_alphanumeric, 0, "Reference to source entity"},
    {"253", 13, 30, ai_numeric, 0, "Global Document Type Identifier"},
    {"254", 0, 20, ai_alphanumeric, 0, "GLN Extension component"},
    {"30", 0, 8, ai_numeric, 0, "Variable count"},
    {"3[1-6][0-9][0-9]", 6, fixed, ai_numeric, 0, "(Trade and logistic measurements)"},
    {"337[0-9]", 6, fixed, ai_numeric, 0, "Kilograms per square metre"},
    {"37", 0, 8, ai_numeric, 0, "Count of trade items contained in a logistic unit"},
    {"390[0-9]", 0, 15, ai_numeric, 0, "Amount payable - single monetary area"},
    {"391[0-9]", 3, 18, ai_numeric, 0, "Amount payable - with ISO currency code"},
    {"392[0-9]", 0, 15, ai_numeric, 0,
     "Amount payable for a Variable Measure Trade Item - single monetary unit"},
    {"393[0-9]", 3, 18, ai_numeric, 0,
     "Amount payable for a Variable Measure Trade Item - with ISO currency code"},
    {"400", 0, 30, ai_alphanumeric, 0, "Customer's purchase order number"},
    {"401", 0, 30, ai_alphanumeric, 0, "Consignment number"},
    {"402", 17, fixed, ai_numeric, 0, "Shipment Identification Number"},
    {"403", 0, 30, ai_alphanumeric, 0, "Routing code"},
    {"410", 13, fixed, ai_numeric, 1, "Ship to - deliver to Global Location Number"},
    {"411", 13, fixed, ai_numeric, 1, "Bill to - invoice to Global Location Number"},
    {"412", 13, fixed, ai_numeric, 1, "Purchased from Global Location Number"},
    {"413", 13, fixed, ai_numeric, 1, "Ship for - deliver for - forward to Global Location Number"},
    {"414", 13, fixed, ai_numeric, 1, "Identification of a physical location Global Location Number"},
    {"415", 13, fixed, ai_numeric, 1, "Global Location Number of the Invoicing Party"},
    {"420", 0, 20, ai_alphanumeric, 0, "Ship to - deliver to postal code within a single postal authority"},
    {"421", 3, 12, ai_alphanumeric, 0, "Ship to - deliver to postal code with Three-Digit ISO country code"},
    {"422", 3, fixed, ai_numeric, 0, "Country of origin of a trade item"},
    {"423", 3, 15, ai_numeric, 0, "Country of initial processing"},
    {"424", 3, fixed, ai_numeric, 0, "Country of processing"},
    {"425", 3, fixed, ai_numeric, 0, "Country of disassembly"},
    {"426", 3, fixed, ai_numeric, 0, "Country covering full process chain"},
    {"7001", 13, fixed, ai_numeric, 0, "NATO stock number"},
    {"7002", 0, 30, ai_alphanumeric, 0, "UN/ECE meat carcasses and cuts classification"},
    {"703[0-9]", 3, 30, ai_alphanumeric, 0, "Approval number of processor with ISO country code"},
    {"7003", 10, fixed, ai_numeric, 0, "Expiration Date and Time"},
    {"8001", 14, fixed, ai_numeric, 0,
     "Roll products - width, length, core diameter, direction, and splices"},
    {"8002", 0, 20, ai_alphanumeric, 0, "Electronic serial identifier for cellular mobile telephones"},
    {"8003", 14, 30, ai_alphanumeric, 0, "Global Returnable Asset Identifier"},
    {"8004", 0, 30, ai_alphanumeric, 0, "Global Individual Asset Identifier"},
    {"8005", 6, fixed, ai_numeric, 0, "Price per unit of measure"},
    {"8006", 18, fixed, ai_numeric, 0, "Identification of the component of a trade item"},
    {"8007", 0, 30, ai_alphanumeric, 0, "International Bank Account Number"},
    {"8008", 8, 12, ai_numeric, 0, "Date and time of production"},
    {"8018", 18, fixed, ai_numeric, 1, "Global Service Relation Number"},
    {"8020", 0, 25, ai_alphanumeric, 0, "Payment Slip Reference Number"},
    {"8100", 6, fixed, ai_numeric, 0, "GS1-128 Coupon Extended Code - NSC + Offer Code"},
    {"8101", 10, fixed, ai_numeric, 0,
     "GS1-128 Coupon Extended Code - NSC + Offer Code + end of offer code"},
    {"8102", 2, fixed, ai_numeric, 0, "GS1-128 Coupon Extended Code - NSC"},
    {"90", 0, 30, ai_alphanumeric, 0,
     "Information mutually agreed between trading partners (including FACT DIs)"},
    {"9[1-9]", 0, 30, ai_alphanumeric, 0, "Company internal information"},
}};

constexpr std::array<ai_hr_rule, 4> formattingRules{{
    {"00", R"((\d)(\d{2})(\d{5})(\d{9})(\d))", " $1 $2 $3 $4 $5"},
    {"01", R"((\d)(\d{2})(\d{5})(\d{5})(\d))", " $1 $2 $3 $4 $5"},
    {"02", R"((\d)(\d{2})(\d{5})(\d{5})(\d))", " $1 $2 $3 $4 $5"},
    {"41[0-5]", R"((\d{2})(\d{5})(\d{5})(\d))", " $1 $2 $3 $4"},
}};

// One position of a simple pattern: a digit, or a class "[x-y]" of digits.
struct digit_class {
    char low;
    char high;
    std::size_t length;  // characters of the pattern it takes; 0 when it is neither
};

constexpr bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

constexpr digit_class digitClassAt(std::string_view pattern, std::size_t i)
{
    if (isDigit(pattern[i]))
        return {pattern[i], pattern[i], 1};
    if (pattern[i] == '[' && i + 4 < pattern.size() && isDigit(pattern[i + 1]) && pattern[i + 2] == '-' &&
        isDigit(pattern[i + 3]) && pattern[i + 4] == ']')
        return {pattern[i + 1], pattern[i + 3], 5};
    return {0, 0, 0};
}

// Whether the pattern is made of digits and digit classes only, as every pattern of the
// tables is (checked below), so that simpleMatch decides it.
constexpr bool isSimplePattern(std::string_view pattern)
{
    for (std::size_t i = 0; i < pattern.size();) {
        const digit_class d = digitClassAt(pattern, i);
        if (d.length == 0)
            return false;
        i += d.length;
    }
    return true;
}

// Whole-AI match of a simple pattern.
constexpr bool simpleMatch(std::string_view pattern, std::string_view ai)
{
    std::size_t k = 0;
    for (std::size_t i = 0; i < pattern.size(); ++k) {
        const digit_class d = digitClassAt(pattern, i);
        if (k >= ai.size() || ai[k] < d.low || ai[k] > d.high)
            return false;
        i += d.length;
    }
    return k == ai.size();
}

static_assert(simpleMatch("3[1-6][0-9][0-9]", "3202") && !simpleMatch("3[1-6][0-9][0-9]", "3702"));
static_assert(!simpleMatch("9[1-9]", "9") && !simpleMatch("9[1-9]", "910") && simpleMatch("9[1-9]", "99"));

// Every row's pattern is made of digits and digit classes, and is 2 to 4 positions long:
// an AI of other length, or with a character other than a digit, matches no row.
constexpr std::size_t shortestAi = 2;
constexpr std::size_t longestAi = 4;

constexpr bool everyPatternIsShortAndSimple()
{
    for (const ai_definition& row : definitions) {
        const std::string_view pattern = row.pattern;
        if (!isSimplePattern(pattern))
            return false;
        std::size_t positions = 0;
        for (std::size_t i = 0; i < pattern.size(); ++positions)
            i += digitClassAt(pattern, i).length;
        if (positions < shortestAi || positions > longestAi)
            return false;
    }
    return true;
}

static_assert(everyPatternIsShortAndSimple());

// Slot of an all-digit AI of 2 to 4 digits in the lookup table: AIs of each length follow
// those of the lengths below it (100 + 1000 + 10000 slots).
constexpr std::size_t firstSlot(std::size_t length)
{
    return length == 2 ? 0 : length == 3 ? 100 : 1100;
}
constexpr std::size_t lookupSlots = 11100;
constexpr std::uint8_t noRow = 0xFF;

static_assert(definitions.size() < noRow);

// Every digit position of a simple pattern as a class.
struct pattern_positions {
    std::array<digit_class, longestAi> at{};
    std::size_t count = 0;
};

constexpr pattern_positions positionsOf(std::string_view pattern)
{
    pattern_positions out;
    for (std::size_t i = 0; i < pattern.size(); i += out.at[out.count++].length)
        out.at[out.count] = digitClassAt(pattern, i);
    return out;
}

// The first matching row of every AI of 2 to 4 digits, or noRow: each row claims the AIs
// its pattern spells out, the rows taken last to first so that an earlier row wins.
constexpr auto rowByAi = [] {
    std::array<std::uint8_t, lookupSlots> table{};
    for (auto& slot : table)
        slot = noRow;
    for (std::size_t i = definitions.size(); i-- > 0;) {
        const pattern_positions p = positionsOf(definitions[i].pattern);
        std::size_t combinations = 1;
        for (std::size_t k = 0; k < p.count; ++k)
            combinations *= static_cast<std::size_t>(p.at[k].high - p.at[k].low + 1);
        for (std::size_t c = 0; c < combinations; ++c) {
            std::size_t value = 0;
            for (std::size_t k = 0, rest = c; k < p.count; ++k) {
                const auto width = static_cast<std::size_t>(p.at[k].high - p.at[k].low + 1);
                value = value * 10 + static_cast<std::size_t>(p.at[k].low - '0') + rest % width;
                rest /= width;
            }
            table[firstSlot(p.count) + value] = static_cast<std::uint8_t>(i);
        }
    }
    return table;
}();

static_assert(rowByAi[firstSlot(2) + 1] == 1 && rowByAi[firstSlot(4) + 3202] == 20 && rowByAi[firstSlot(3) + 999] == noRow);

// The table slot of the AI, or lookupSlots when it is no AI of 2 to 4 digits.
constexpr std::size_t slotOf(std::string_view ai)
{
    if (ai.size() < shortestAi || ai.size() > longestAi)
        return lookupSlots;
    std::size_t value = 0;
    for (char c : ai) {
        if (!isDigit(c))
            return lookupSlots;
        value = value * 10 + static_cast<std::size_t>(c - '0');
    }
    return firstSlot(ai.size()) + value;
}

// Every formatting rule names its AIs with digits and digit classes only.
static_assert([] {
    for (const ai_hr_rule& rule : formattingRules)
        if (!isSimplePattern(rule.ai_pattern))
            return false;
    return true;
}());

// The formatting rules' expressions, compiled once.
const std::array<std::regex, formattingRules.size()>& ruleExpressions()
{
    static const auto compiled = [] {
        std::array<std::regex, formattingRules.size()> out;
        for (std::size_t i = 0; i < formattingRules.size(); ++i)
            out[i].assign(formattingRules[i].expression, std::regex::ECMAScript | std::regex::icase);
        return out;
    }();
    return compiled;
}

}  // namespace

std::span<const ai_definition> aiDefinitions()
{
    return definitions;
}

std::span<const ai_hr_rule> aiFormattingRules()
{
    return formattingRules;
}

const ai_definition* findAiDefinition(std::string_view ai)
{
    const std::size_t slot = slotOf(ai);
    if (slot == lookupSlots || rowByAi[slot] == noRow)
        return nullptr;
    return &definitions[rowByAi[slot]];
}

const ai_hr_rule* findAiFormattingRule(std::string_view ai)
{
    for (const ai_hr_rule& rule : formattingRules)
        if (simpleMatch(rule.ai_pattern, ai))
            return &rule;
    return nullptr;
}

std::string applyAiFormattingRule(const ai_hr_rule& rule, std::string_view data)
{
    std::string out;
    const std::string replacement(fieldText(rule.replacement));
    std::size_t index = 0;
    while (index < formattingRules.size() && &formattingRules[index] != &rule)
        ++index;
    if (index < formattingRules.size()) {
        std::regex_replace(std::back_inserter(out), data.begin(), data.end(), ruleExpressions()[index], replacement);
    } else {
        // A rule from elsewhere: compiled for this call only.
        const auto text = fieldText(rule.expression);
        const std::regex expression(text.begin(), text.end(), std::regex::ECMAScript | std::regex::icase);
        std::regex_replace(std::back_inserter(out), data.begin(), data.end(), expression, replacement);
    }
    return out;
}

bool aiHasPredefinedLength(std::string_view ai)
{
    if (ai.size() < 2 || ai[0] < '0' || ai[0] > '9' || ai[1] < '0' || ai[1] > '9')
        return false;
    const int prefix = (ai[0] - '0') * 10 + (ai[1] - '0');
    return prefix <= 4 || (prefix >= 11 && prefix <= 20) || prefix == 23 || (prefix >= 31 && prefix <= 36) ||
           prefix == 41;
}

}  // namespace Kelbrin::Tallowlib
