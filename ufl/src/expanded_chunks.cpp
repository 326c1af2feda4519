// Long DataBar Expanded results: _Set encodes once into the calling thread's buffer and
// returns the number of pieces; every _Get hands out the next piece of at most 254
// characters. The pieces, joined in order, are exactly the text _Set produced.
#include "font_text_copy.hpp"
#include "parameter_block.hpp"
#include "ufl_engine.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

using Kelbrin::Tallowlib::symbology;
using namespace Kelbrin::U25Ferrow;

namespace {

constexpr std::uint32_t pieceLength = UFL_RESULT_BUFFER_SIZE - 1;
constexpr std::uint32_t textCapacity = 2048;
constexpr std::uint32_t textStart = 4;  // read positions count from the start of the buffer

// One per thread, zero-filled when created.
struct expanded_chunk_buffer {
    // Offset of the next character to return; 0 until a _Set has succeeded on this thread,
    // and again after one has failed.
    std::uint32_t readPosition;
    // The last text of a successful _Set, zero-terminated.
    char text[textCapacity];
};
static_assert(sizeof(expanded_chunk_buffer) == textStart + textCapacity);
static_assert(offsetof(expanded_chunk_buffer, text) == textStart);

// The calling thread's buffer, created on first use and freed when the thread ends; null
// only when it could not be allocated.
expanded_chunk_buffer* threadBuffer()
{
    thread_local std::unique_ptr<expanded_chunk_buffer> buffer;
    if (!buffer)
        buffer.reset(new (std::nothrow) expanded_chunk_buffer{});
    return buffer.get();
}

std::uint32_t textEnd(const expanded_chunk_buffer& chunks)
{
    return textStart + static_cast<std::uint32_t>(strnlen(chunks.text, textCapacity - 1));
}

}  // namespace

extern "C" {

// A failing _Set ends the previous sequence: the next _Get is out of sequence, so that no
// piece of an earlier symbol can be taken for the one that failed.
UFL_API std::int32_t UFL_CALL Kelbrin_DataBarExpanded_Set(ufl_param_block* block)
{
    const auto arguments = symbolArguments(block, symbology::databar_expanded);
    if (!arguments)
        return UFL_MISSING_PARAMETER;
    expanded_chunk_buffer* chunks = threadBuffer();
    if (chunks == nullptr)
        return UFL_NO_THREAD_BUFFER;
    const int length = copyFontText(symbology::databar_expanded, arguments->data, arguments->segmentsPerRow,
                                    chunks->text, textCapacity);
    if (length <= 0) {
        chunks->readPosition = 0;
        return fail(*block, UFL_ERROR_INVALID_DATA);
    }
    chunks->readPosition = textStart;
    const auto pieces = (static_cast<std::uint32_t>(length) + pieceLength - 1) / pieceLength;
    setCountResult(*block, static_cast<std::int32_t>(pieces));
    return UFL_SUCCESS;
}

// The next piece, or the empty string once everything has been returned.
UFL_API std::int32_t UFL_CALL Kelbrin_DataBarExpanded_Get(ufl_param_block* block)
{
    if (block == nullptr)
        return UFL_MISSING_PARAMETER;
    expanded_chunk_buffer* chunks = threadBuffer();
    if (chunks == nullptr)
        return UFL_NO_THREAD_BUFFER;
    const std::uint32_t p = chunks->readPosition;
    if (p < textStart || p >= sizeof(expanded_chunk_buffer))
        return fail(*block, UFL_ERROR_OUT_OF_SEQUENCE);
    char* out = resultBuffer(*block);
    if (out == nullptr)
        return fail(*block, UFL_ERROR_INVALID_DATA);
    const std::uint32_t end = textEnd(*chunks);
    const std::uint32_t n = p >= end ? 0 : std::min(pieceLength, end - p);
    std::memcpy(out, chunks->text + (p - textStart), n);
    out[n] = '\0';
    chunks->readPosition = p + n;
    return UFL_SUCCESS;
}

}  // extern "C"
