// SPDX-License-Identifier: Apache-2.0
// A buffer of trivially copyable elements that keeps a few inside the object and moves to
// the heap only when more are needed.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <type_traits>

namespace Kelbrin::Tallowlib {

template <typename T, std::size_t Inline>
class small_buffer {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    small_buffer() = default;
    small_buffer(const small_buffer&) = delete;
    small_buffer& operator=(const small_buffer&) = delete;

    T* data() { return data_; }
    const T* data() const { return data_; }
    std::size_t capacity() const { return capacity_; }

    // Room for at least `count` elements; the first `kept` are kept. The new capacity is at
    // least twice the old one, so that growing one step at a time stays linear.
    void reserve(std::size_t count, std::size_t kept)
    {
        if (count <= capacity_)
            return;
        const std::size_t capacity = std::max(count, capacity_ * 2);
        auto heap = std::make_unique_for_overwrite<T[]>(capacity);
        std::memcpy(heap.get(), data_, std::min(kept, capacity_) * sizeof(T));
        heap_ = std::move(heap);
        data_ = heap_.get();
        capacity_ = capacity;
    }

private:
    T inline_[Inline];  // left uninitialised: only what is written is read
    std::unique_ptr<T[]> heap_;
    T* data_ = inline_;
    std::size_t capacity_ = Inline;
};

}  // namespace Kelbrin::Tallowlib
