// SPDX-License-Identifier: Apache-2.0
#include "ufl_engine_simulator.hpp"

#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace strivane::ufl_sim {

namespace {

constexpr std::size_t resultSlotOffset = 2;
constexpr std::size_t firstParameterOffset = 26;
constexpr std::size_t nextElementOffset = 2;
constexpr std::size_t valueOffset = 12;
constexpr std::size_t resultBufferSize = 255;
constexpr std::size_t guardSize = 64;
constexpr unsigned char engineFill = 0xCD;  // what the engine leaves in fields it owns
constexpr unsigned char guardFill = 0x5A;

template <class T>
void put(unsigned char* at, T value)
{
    std::memcpy(at, &value, sizeof value);
}

template <class T>
T get(const unsigned char* at)
{
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// Header: 16-bit size, then the list's address directly after it.
const void* readHeader(const void* header, std::uint16_t& size)
{
    const auto* bytes = static_cast<const unsigned char*>(header);
    size = get<std::uint16_t>(bytes);
    return get<const void*>(bytes + 2);
}

std::vector<std::string> readTextList(const void* list)
{
    std::vector<std::string> texts;
    for (auto* p = static_cast<const char* const*>(list); *p != nullptr && texts.size() < 100; ++p)
        texts.emplace_back(*p);
    return texts;
}

// "String Kelbrin_DataBarExpanded (String, Number)" -> return type and name.
function_entry parseDefinition(const char* definition, ufl_function function)
{
    function_entry e;
    e.definition = definition;
    e.function = function;
    const std::string d = definition;
    const auto space = d.find(' ');
    e.returnType = d.substr(0, space);
    const auto end = d.find(' ', space + 1);
    e.name = d.substr(space + 1, end == std::string::npos ? std::string::npos : end - space - 1);
    return e;
}

}  // namespace

engine::engine(const char* libraryPath, std::uint32_t offeredVersion)
{
    handle_ = dlopen(libraryPath, RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        loadError_ = dlerror();
        return;
    }
    auto initialize = reinterpret_cast<std::int32_t(UFL_CALL*)(std::uint32_t)>(symbol("UF5Initialize"));
    if (initialize == nullptr)
        return;
    initializeResult_ = initialize(offeredVersion);
    if (initializeResult_ != 0)
        return;
    readLists();
    ready_ = true;
}

engine::~engine()
{
    if (handle_ == nullptr)
        return;
    if (auto terminate = reinterpret_cast<std::int32_t(UFL_CALL*)()>(symbol("UFTerminate")))
        terminate();
    dlclose(handle_);
}

void* engine::symbol(const char* name) const
{
    return handle_ == nullptr ? nullptr : dlsym(handle_, name);
}

void engine::readLists()
{
    using list_fn = const void*(UFL_CALL*)();
    const char* getters[] = {"UF5GetFunctionDefStrings", "UFGetFunctionTemplates", "UFGetFunctionExamples"};
    std::array<const void*, 3> lists{};
    for (std::size_t k = 0; k < lists.size(); ++k) {
        auto getter = reinterpret_cast<list_fn>(symbol(getters[k]));
        std::uint16_t size = 0;
        lists[k] = getter == nullptr ? nullptr : readHeader(getter(), size);
        headerSizes_.push_back(size);
    }
    if (lists[0] != nullptr) {
        // Rows: definition pointer, function pointer, two 32-bit fields.
        constexpr std::size_t rowSize = 2 * sizeof(void*) + 8;
        for (auto* row = static_cast<const unsigned char*>(lists[0]);; row += rowSize) {
            const auto* definition = get<const char*>(row);
            const auto function = get<ufl_function>(row + sizeof(void*));
            const auto reserved0 = get<std::int32_t>(row + 2 * sizeof(void*));
            const auto reserved1 = get<std::int32_t>(row + 2 * sizeof(void*) + 4);
            if (definition == nullptr) {
                zeroRowEnd_ = function == nullptr && reserved0 == 0 && reserved1 == 0;
                break;
            }
            if (reserved0 != 0 || reserved1 != 0 || functions_.size() >= 100)
                break;
            functions_.push_back(parseDefinition(definition, function));
        }
    }
    if (lists[1] != nullptr)
        templates_ = readTextList(lists[1]);
    if (lists[2] != nullptr)
        examples_ = readTextList(lists[2]);
}

const function_entry* engine::find(std::string_view name) const
{
    const auto it = std::find_if(functions_.begin(), functions_.end(), [&](auto& f) { return f.name == name; });
    return it == functions_.end() ? nullptr : &*it;
}

call_result engine::call(std::string_view name, const std::vector<argument>& args) const
{
    call_result r;
    const function_entry* f = find(name);
    if (f == nullptr) {
        r.code = -999;
        return r;
    }
    const bool stringResult = f->returnType == "String";

    alignas(8) std::array<unsigned char, 64> block{};
    block.fill(engineFill);
    std::array<char, resultBufferSize + guardSize> buffer{};
    buffer.fill(static_cast<char>(guardFill));

    struct element_bytes {
        alignas(8) std::array<unsigned char, 32> bytes;
    };
    std::vector<element_bytes> elements(args.size());
    for (std::size_t k = 0; k < args.size(); ++k) {
        unsigned char* e = elements[k].bytes.data();
        elements[k].bytes.fill(engineFill);
        put<const void*>(e + nextElementOffset, k + 1 < args.size() ? elements[k + 1].bytes.data() : nullptr);
        if (const auto* s = std::get_if<std::string>(&args[k]))
            put<const char*>(e + valueOffset, s->c_str());
        else
            put<double>(e + valueOffset, std::get<double>(args[k]) * 100.0);
    }
    put<const void*>(block.data() + firstParameterOffset, elements.empty() ? nullptr : elements[0].bytes.data());
    if (stringResult)
        put<char*>(block.data() + resultSlotOffset, buffer.data());
    const auto before = block;

    r.code = f->function(reinterpret_cast<ufl_param_block*>(block.data()));

    r.blockUnchanged = block == before;
    r.bufferIntact = std::all_of(buffer.begin() + resultBufferSize, buffer.end(),
                                 [](char c) { return c == static_cast<char>(guardFill); });
    if (r.code == 0) {
        if (stringResult) {
            const std::size_t n = strnlen(buffer.data(), resultBufferSize);
            r.terminated = n < resultBufferSize;
            r.text.assign(buffer.data(), n);
        } else {
            r.number = get<double>(block.data() + resultSlotOffset) / 100.0;
        }
    } else if (r.code == -1) {
        r.errorIndex = static_cast<std::uint16_t>(get<std::int32_t>(block.data() + resultSlotOffset) & 0xFFFF);
        using recovery_fn = const char*(UFL_CALL*)(void*, void*);
        if (auto recovery = reinterpret_cast<recovery_fn>(symbol("UFErrorRecovery")))
            if (const char* text = recovery(block.data(), nullptr))
                r.errorText = text;
    }
    return r;
}

std::optional<std::vector<std::string>> setAndGetPieces(const engine& e, const std::string& data,
                                                        double segmentsPerRow)
{
    const call_result set = e.call("Kelbrin_DataBarExpanded_Set", {data, segmentsPerRow});
    if (set.code != 0)
        return std::nullopt;
    std::vector<std::string> pieces;
    for (int k = 0; k < static_cast<int>(set.number); ++k) {
        const call_result got = e.call("Kelbrin_DataBarExpanded_Get", {});
        if (got.code != 0 || !got.bufferIntact)
            return std::nullopt;
        pieces.push_back(got.text);
    }
    return pieces;
}

}  // namespace strivane::ufl_sim
