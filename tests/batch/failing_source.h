// A source that gives one text and then fails, as a disk or a pipe that
// breaks part-way through a file does.
#pragma once

#include <algorithm>
#include <string_view>

#include "batch/byte_stream.h"

namespace dravik::batch {

class FailingAfterText : public ByteSource {
public:
    explicit FailingAfterText(std::string_view text) : text_(text) {}

    std::size_t read(char* buffer, std::size_t capacity) override {
        if (given_) {
            failed_ = true;
            return 0;
        }
        given_ = true;
        const std::size_t n = std::min(capacity, text_.size());
        text_.copy(buffer, n);
        return n;
    }
    bool failed() const override { return failed_; }

private:
    std::string_view text_;
    bool given_ = false;
    bool failed_ = false;
};

}  // namespace dravik::batch
