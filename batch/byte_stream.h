// Where the batch tool's bytes come from and go to: a file descriptor for the
// program, a block of memory for the tests, fuzzers and benchmarks.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dravik::batch {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to `capacity` bytes into `buffer`; 0 means the end of the input
    // (or a read error, which failed() then reports).
    virtual std::size_t read(char* buffer, std::size_t capacity) = 0;
    virtual bool failed() const { return false; }
    // Goes back to where reading began, for a second pass over the input;
    // false when the source cannot (a pipe, a terminal).
    virtual bool rewind() { return false; }
};

class ByteSink {
public:
    virtual ~ByteSink() = default;
    // Writes all `size` bytes; false if they could not be written.
    virtual bool write(const char* data, std::size_t size) = 0;
};

// Reads a file descriptor with read(2), retrying when interrupted and waiting
// when a non-blocking descriptor has nothing yet.
class FdSource : public ByteSource {
public:
    explicit FdSource(int fd);
    std::size_t read(char* buffer, std::size_t capacity) override;
    bool failed() const override { return error_ != 0; }
    bool rewind() override;
    int error() const { return error_; }  // the errno of the failed read

private:
    int fd_;
    int error_ = 0;
    long long start_ = -1;  // the offset reading began at; -1 when not seekable
};

// Writes a file descriptor with write(2), retrying short writes and waiting
// when a non-blocking descriptor is full.
class FdSink : public ByteSink {
public:
    explicit FdSink(int fd) : fd_(fd) {}
    bool write(const char* data, std::size_t size) override;
    int error() const { return error_; }

private:
    int fd_;
    int error_ = 0;
};

// Hands out a block of memory in pieces of at most `piece` bytes, so that a
// test can make every record cross a buffer boundary.
class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string_view data, std::size_t piece = static_cast<std::size_t>(-1))
        : all_(data), data_(data), piece_(piece == 0 ? 1 : piece) {}
    std::size_t read(char* buffer, std::size_t capacity) override;
    bool rewind() override {
        data_ = all_;
        return true;
    }

private:
    std::string_view all_;
    std::string_view data_;
    std::size_t piece_;
};

class StringSink : public ByteSink {
public:
    bool write(const char* data, std::size_t size) override {
        text.append(data, size);
        return true;
    }
    std::string text;
};

}  // namespace dravik::batch
