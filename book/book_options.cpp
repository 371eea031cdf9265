#include "book/book_options.h"

#include "book/book_texts.h"
#include "review/title_block.h"
#include "sheet/sheet_texts.h"

namespace dravik::book {

bool isBookRequest(std::span<const std::string_view> args) {
    for (std::string_view arg : args) {
        if (arg == "--") return false;
        if (arg == "--sheets" || arg.starts_with("--sheets=")) return true;
    }
    return false;
}

std::optional<BookOptions> readBookOptions(std::span<const std::string_view> args, std::string& error) {
    BookOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view name = args[i];
        std::optional<std::string_view> value;
        if (const std::size_t equals = name.find('='); name.starts_with("--") && equals != std::string_view::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        auto take = [&]() -> std::optional<std::string> {
            if (value) return std::string(*value);
            if (i + 1 < args.size()) return std::string(args[++i]);
            return std::nullopt;
        };
        if (name == "--strict" || name == "--lenient" || name == "--defaults") {
            (name == "--strict" ? options.strict : name == "--lenient" ? options.lenient : options.defaults) = true;
            continue;
        }
        std::string* target = nullptr;
        std::string_view key;
        if (name == "--sheets")
            target = &options.input;
        else if (name == "-o" || name == "--output")
            target = &options.output;
        else if (name == "--encoding")
            target = &options.encoding;
        else {
            for (const review::TitleField& field : review::titleFields()) {
                if (field.remembered || field.member == &review::TitleBlock::date) {
                    if (name.size() > 2 && name.substr(2) == field.key && name.starts_with("--")) key = field.key;
                }
            }
            if (key.empty()) {
                error = sheet::texts::filled(book::texts::kUnknownOption, {name});
                return std::nullopt;
            }
        }
        const std::optional<std::string> text = take();
        if (!text) {
            error = sheet::texts::filled(book::texts::kMissingValue, {name});
            return std::nullopt;
        }
        if (target != nullptr)
            *target = *text;
        else
            options.titleFields.emplace_back(key, *text);
    }
    if (options.input.empty() || options.output.empty()) {
        error = std::string(book::texts::kBookUsage);
        return std::nullopt;
    }
    return options;
}

}  // namespace dravik::book
