// SPDX-License-Identifier: Apache-2.0
#include "rows/module_row.hpp"

#include <cstddef>
#include <cstdint>

namespace Kelbrin::Tallowlib {

namespace {

std::size_t modulesOf(int n) { return static_cast<std::size_t>(n > 0 ? n : 0); }

// Bit j of the result is the parity of bits 0..j of x: colour changes turned into colours.
constexpr std::uint64_t prefixParity(std::uint64_t x)
{
    for (int shift = 1; shift < 64; shift *= 2)
        x ^= x << shift;
    return x;
}

// Turns the colour changes at increasing module indices into the colours of `out`, a word
// at a time: the changes of one word are gathered in a register, then the word becomes the
// running parity of the changes. Changes past the capacity are left out.
class change_writer {
public:
    explicit change_writer(module_bits& out) : out_(out) {}

    void at(std::size_t j)
    {
        while (j >= next_ && word_ < moduleWords)
            flush();
        changes_ ^= std::uint64_t{1} << (j % 64);
    }
    // Writes the word of the last change; the words after it keep the colour it ends in.
    void finish()
    {
        if (word_ < moduleWords)
            flush();
        while (word_ < moduleWords)
            out_.words[word_++] = before_;
    }

private:
    void flush()
    {
        const std::uint64_t colours = prefixParity(changes_) ^ before_;
        out_.words[word_++] = colours;
        before_ = (colours >> 63) != 0 ? ~std::uint64_t{0} : 0;
        changes_ = 0;
        next_ = word_ < moduleWords ? 64 * (word_ + 1) : ~std::size_t{0};
    }

    module_bits& out_;
    std::size_t word_ = 0;
    std::size_t next_ = 64;  // the first module past the word
    std::uint64_t changes_ = 0;
    std::uint64_t before_ = 0;  // all ones when the module before the word is dark
};

}  // namespace

void layOutRow(const element_row& row, module_bits& out)
{
    change_writer change(out);
    std::size_t end = modulesOf(row.left_pad);
    if (row.count > 0 && row.widths != nullptr) {
        // The colours alternate along the whole row, guards included: every run but the last
        // ends in a change, the first run starts with one when dark, the last ends with one
        // when dark.
        const int first = row.reversed ? row.count - 1 : 0;
        const bool firstDark = (first % 2 == 0) != row.first_light;
        const bool lastDark = firstDark == (row.count % 2 == 1);
        const auto run = [&](std::size_t n) {
            end += n;
            change.at(end);
        };
        if (firstDark)
            change.at(end);
        run(1);
        run(1);
        const std::ptrdiff_t step = row.reversed ? -1 : 1;
        for (std::ptrdiff_t k = first, left = row.count; left > 0; --left, k += step)
            run(static_cast<std::uint32_t>(row.widths[k]));  // a negative width reads as a very wide one
        run(1);
        run(1);
        if (!lastDark)
            change.at(end);
    }
    change.finish();
    out.width = end + modulesOf(row.right_pad);
}

}  // namespace Kelbrin::Tallowlib
