// SPDX-License-Identifier: Apache-2.0
// A stand-in for the report engine: loads libU25Ferrow as the engine does, negotiates the
// interface version, reads the function table and its lists, and calls formula functions
// with parameter blocks laid out byte by byte at the engine's offsets (result slot at 2,
// first parameter at 26; next element at 2, value at 12), independently of ufl_engine.h.
#pragma once

#include "ufl_engine.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace strivane::ufl_sim {

// One formula argument as the report author writes it: a String, or a Number that the
// engine passes on in hundredths (4 arrives as 400.0).
using argument = std::variant<std::string, double>;

struct function_entry {
    std::string definition;  // as the table gives it
    std::string returnType;  // "String" or "Number"
    std::string name;
    ufl_function function = nullptr;
};

struct call_result {
    std::int32_t code = 0;
    std::string text;             // String result (zero-terminated within the 255 bytes)
    double number = 0;            // Number result in formula units (the slot's value / 100)
    std::uint16_t errorIndex = 0; // after -1: the low 16 bits at the result slot
    std::string errorText;        // after -1: UFErrorRecovery's text
    bool blockUnchanged = false;  // no byte of the parameter block changed
    bool bufferIntact = true;     // nothing written past the 255-byte result buffer
    bool terminated = true;       // a zero byte within the result buffer (String results)
};

class engine {
public:
    // dlopen()s the library and negotiates `offeredVersion`; on failure `ready()` is false.
    explicit engine(const char* libraryPath, std::uint32_t offeredVersion = 0x500);
    ~engine();
    engine(const engine&) = delete;
    engine& operator=(const engine&) = delete;

    bool ready() const { return ready_; }
    std::int32_t initializeResult() const { return initializeResult_; }
    std::string loadError() const { return loadError_; }
    void* symbol(const char* name) const;

    const std::vector<function_entry>& functions() const { return functions_; }
    const std::vector<std::string>& templates() const { return templates_; }
    const std::vector<std::string>& examples() const { return examples_; }
    // Header size fields as read from the three list headers (table, templates, examples).
    std::vector<std::uint16_t> headerSizes() const { return headerSizes_; }
    bool tableEndsWithZeroRow() const { return zeroRowEnd_; }

    // Calls the function named `name` through the table's pointer with `args` (fewer than
    // the definition asks for simulates a missing parameter); asks UFErrorRecovery after -1.
    call_result call(std::string_view name, const std::vector<argument>& args) const;

private:
    void readLists();
    const function_entry* find(std::string_view name) const;

    void* handle_ = nullptr;
    bool ready_ = false;
    std::int32_t initializeResult_ = -1;
    std::string loadError_;
    std::vector<function_entry> functions_;
    std::vector<std::string> templates_;
    std::vector<std::string> examples_;
    std::vector<std::uint16_t> headerSizes_;
    bool zeroRowEnd_ = false;
};

// Calls Set and then Get as many times as Set's count says; the pieces in order. nullopt
// when any call fails.
std::optional<std::vector<std::string>> setAndGetPieces(const engine& e, const std::string& data,
                                                        double segmentsPerRow);

}  // namespace strivane::ufl_sim
