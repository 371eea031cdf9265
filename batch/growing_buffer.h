// The CSV reader's buffer: bytes that grow without ever being held twice.
//
// They live in an anonymous mapping that mremap extends or moves, so growing
// to N bytes needs N bytes, where a copy into a new block would for a moment
// need the old block too (one and a half times N, or twice it). Pages are
// zero until written and count as memory only then.
#pragma once

#include <cstddef>

namespace dravik::batch {

class GrowingBuffer {
public:
    // At least `size` bytes, all zero; throws std::bad_alloc when memory is out.
    explicit GrowingBuffer(std::size_t size);
    ~GrowingBuffer();
    GrowingBuffer(const GrowingBuffer&) = delete;
    GrowingBuffer& operator=(const GrowingBuffer&) = delete;

    char* data() const { return data_; }
    // Grows to at least `size` bytes, keeping the bytes held; the new ones
    // are zero. Throws std::bad_alloc when memory is out.
    void grow(std::size_t size);

private:
    char* data_ = nullptr;
    std::size_t mapped_ = 0;  // whole pages
};

}  // namespace dravik::batch
