// Where the Code 128 encoder writes its symbol values: as values, or straight as font text.
#pragma once

#include "code128/code128_patterns.hpp"
#include "code128/code128_values.hpp"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace Kelbrin::Tallowlib::detail {

// Both sinks write through a pointer into storage that the encoder grows, before each step,
// to hold the most that step writes. The encoder works on a copy, so that the pointer can
// live in a register, and hands it back when done; close() then cuts the storage to what
// was written.

// Storage grown to hold `count` more elements after `w`: the new write position and end.
// A free function, so that no sink's address is handed out.
template <class Storage, class Element>
std::pair<Element*, Element*> grownStorage(Storage& storage, Element* w, std::size_t count)
{
    const std::size_t written = static_cast<std::size_t>(w - storage.data());
    storage.resize(storage.size() * 2 + count);
    return {storage.data() + written, storage.data() + storage.size()};
}

// Symbol values, into a vector.
class code128_value_sink {
public:
    code128_value_sink(std::vector<std::uint8_t>& values, std::size_t expected) : out_(&values)
    {
        values.resize(expected);
        w_ = values.data();
        end_ = w_ + values.size();
    }

    void makeRoom(std::size_t count)
    {
        if (static_cast<std::size_t>(end_ - w_) < count)
            std::tie(w_, end_) = grownStorage(*out_, w_, count);
    }

    void put(std::uint8_t v) { *w_++ = v; }

    void close() { out_->resize(static_cast<std::size_t>(w_ - out_->data())); }

private:
    std::vector<std::uint8_t>* out_;
    std::uint8_t* w_;
    std::uint8_t* end_;
};

// The width characters of the values, into a string: each value's whole 8-byte table entry
// is copied and the end moved on by its length, so a value takes 8 bytes of room.
class code128_font_text_sink {
public:
    code128_font_text_sink(std::string& text, std::size_t expected) : out_(&text)
    {
        text.resize(expected * glyphBytes);
        w_ = text.data();
        end_ = w_ + text.size();
    }

    void makeRoom(std::size_t count)
    {
        if (static_cast<std::size_t>(end_ - w_) < count * glyphBytes)
            std::tie(w_, end_) = grownStorage(*out_, w_, count * glyphBytes);
    }

    void put(std::uint8_t v)
    {
        const code128_value_font_text& glyphs = code128_value_font_texts[v];
        std::memcpy(w_, glyphs.data(), glyphBytes);
        w_ += glyphs[glyphBytes - 1];
    }

    void close() { out_->resize(static_cast<std::size_t>(w_ - out_->data())); }

private:
    static constexpr std::size_t glyphBytes = sizeof(code128_value_font_text);

    std::string* out_;
    char* w_;
    char* end_;
};

// A sink with the running check sum, which weighs the start character and the first one
// after it by 1, then 2, 3... For the values v1..vm after the start, with S their sum and T
// the sum of their running sums, the weighted sum is (m + 1) * S - T: two additions a value
// instead of a multiplication (unsigned wrap-around cancels out in the difference).
template <class Sink>
struct code128_summing_sink {
    Sink sink;
    std::uint64_t start;
    std::uint64_t count = 0;
    std::uint64_t sum = 0;
    std::uint64_t sumOfSums = 0;

    void makeRoom(std::size_t values) { sink.makeRoom(values); }

    void putStart() { sink.put(static_cast<std::uint8_t>(start)); }

    void put(std::uint8_t v)
    {
        sink.put(v);
        sum += v;
        sumOfSums += sum;
        ++count;
    }

    void putCheckAndStop()
    {
        const std::uint64_t weighted = start + (count + 1) * sum - sumOfSums;
        sink.put(static_cast<std::uint8_t>(weighted % 103));
        sink.put(code128_value::stop);
    }
};

}  // namespace Kelbrin::Tallowlib::detail
