#include "batch/growing_buffer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <new>

namespace dravik::batch {
namespace {

std::size_t wholePages(std::size_t size) {
    static const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    if (size > static_cast<std::size_t>(-1) - page) throw std::bad_alloc();
    return (size + page - 1) / page * page;
}

}  // namespace

GrowingBuffer::GrowingBuffer(std::size_t size) : mapped_(wholePages(size == 0 ? 1 : size)) {
    void* const p = ::mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    data_ = static_cast<char*>(p);
}

GrowingBuffer::~GrowingBuffer() { ::munmap(data_, mapped_); }

void GrowingBuffer::grow(std::size_t size) {
    if (size <= mapped_) return;
    const std::size_t mapped = wholePages(size);
    void* const p = ::mremap(data_, mapped_, mapped, MREMAP_MAYMOVE);
    if (p == MAP_FAILED) throw std::bad_alloc();
    data_ = static_cast<char*>(p);
    mapped_ = mapped;
}

}  // namespace dravik::batch
