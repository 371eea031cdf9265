// A small JSON writer for the page's answers: objects, arrays, strings and
// integers, with commas placed by the writer.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace dravik::web {

class JsonWriter {
public:
    JsonWriter& beginObject() { return open('{'); }
    JsonWriter& endObject() { return close('}'); }
    JsonWriter& beginArray() { return open('['); }
    JsonWriter& endArray() { return close(']'); }

    JsonWriter& key(std::string_view name) {
        separate();
        writeString(name);
        out_ += ':';
        afterKey_ = true;
        return *this;
    }
    JsonWriter& value(std::string_view text) {
        separate();
        writeString(text);
        return *this;
    }
    JsonWriter& value(long long n) {
        separate();
        out_ += std::to_string(n);
        return *this;
    }
    JsonWriter& value(bool b) {
        separate();
        out_ += b ? "true" : "false";
        return *this;
    }
    JsonWriter& field(std::string_view name, std::string_view text) { return key(name).value(text); }
    JsonWriter& field(std::string_view name, const char* text) { return key(name).value(std::string_view(text)); }
    JsonWriter& field(std::string_view name, int n) { return key(name).value(static_cast<long long>(n)); }
    JsonWriter& field(std::string_view name, long long n) { return key(name).value(n); }
    JsonWriter& field(std::string_view name, bool b) { return key(name).value(b); }

    std::string take() { return std::move(out_); }

private:
    JsonWriter& open(char bracket) {
        separate();
        out_ += bracket;
        first_ = true;
        return *this;
    }
    JsonWriter& close(char bracket) {
        out_ += bracket;
        first_ = false;
        return *this;
    }
    // A comma before every element but the first of its container; none
    // between a key and its value.
    void separate() {
        if (afterKey_) {
            afterKey_ = false;
            return;
        }
        if (!first_) out_ += ',';
        first_ = false;
    }
    // Control characters as \u00XX; every other byte as it is (UTF-8 in,
    // UTF-8 out).
    void writeString(std::string_view text) {
        out_ += '"';
        for (char c : text) {
            if (c == '"' || c == '\\') {
                out_ += '\\';
                out_ += c;
            } else if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out_ += escaped;
            } else {
                out_ += c;
            }
        }
        out_ += '"';
    }

    std::string out_;
    bool first_ = true;
    bool afterKey_ = false;
};

}  // namespace dravik::web
