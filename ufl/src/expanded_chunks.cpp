// SPDX-License-Identifier: Apache-2.0
// Long DataBar Expanded results: _Set encodes once into the calling thread's buffer and
// returns the number of pieces; every _Get hands out the next piece of at most 254
// characters. The pieces, joined in order, are exactly the text _Set produced.
#include "font_text_copy.hpp"
#include "parameter_block.hpp"
#include "ufl_engine.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <type_traits>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#endif

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

static_assert(std::is_trivially_destructible_v<expanded_chunk_buffer>);

#ifdef _WIN32
// One TLS slot, reserved when the library is loaded. A thread's buffer is allocated on its
// first _Set or _Get and freed when the thread ends; unloading frees the unloading thread's
// buffer and the slot. Nothing is left behind that would run library code after an unload.
DWORD& chunkSlot()
{
    static DWORD slot = TLS_OUT_OF_INDEXES;
    return slot;
}

void freeThreadBuffer()
{
    if (chunkSlot() == TLS_OUT_OF_INDEXES)
        return;
    delete static_cast<expanded_chunk_buffer*>(TlsGetValue(chunkSlot()));
    TlsSetValue(chunkSlot(), nullptr);
}

// The calling thread's buffer; null only when the slot or the allocation is missing.
expanded_chunk_buffer* threadBuffer()
{
    if (chunkSlot() == TLS_OUT_OF_INDEXES)
        return nullptr;
    auto* buffer = static_cast<expanded_chunk_buffer*>(TlsGetValue(chunkSlot()));
    if (buffer == nullptr) {
        buffer = new (std::nothrow) expanded_chunk_buffer{};
        if (buffer != nullptr && TlsSetValue(chunkSlot(), buffer) == 0) {
            delete buffer;
            buffer = nullptr;
        }
    }
    return buffer;
}
#else
// The calling thread's buffer: a plain array that every thread has, with nothing to destroy.
expanded_chunk_buffer* threadBuffer()
{
    thread_local expanded_chunk_buffer buffer{};
    return &buffer;
}
#endif

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

#ifdef _WIN32
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        chunkSlot() = TlsAlloc();
        return chunkSlot() != TLS_OUT_OF_INDEXES ? TRUE : FALSE;
    case DLL_THREAD_DETACH:
        freeThreadBuffer();
        break;
    case DLL_PROCESS_DETACH:
        freeThreadBuffer();
        if (chunkSlot() != TLS_OUT_OF_INDEXES)
            TlsFree(chunkSlot());
        chunkSlot() = TLS_OUT_OF_INDEXES;
        break;
    default:
        break;
    }
    return TRUE;
}
#endif
