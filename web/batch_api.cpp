// A building's CSV file in the page: the batch library on bytes the page
// hands over, as dravik-batch runs it with no options. The page's worker
// calls this, so a large file does not hold up the windows.
#include "web/exports.h"

#include <string>
#include <string_view>
#include <vector>

#include "batch/batch.h"
#include "web/json_writer.h"

namespace {

using namespace dravik;

// Tells the worker how far reading has come, every mebibyte.
EM_JS(void, reportProgress, (double done, double total), {
    if (Module["onBatchProgress"]) Module["onBatchProgress"](done, total);
});

class ProgressSource : public batch::ByteSource {
public:
    explicit ProgressSource(std::string_view data) : all_(data), rest_(data) {}
    std::size_t read(char* buffer, std::size_t capacity) override {
        const std::size_t n = std::min(capacity, rest_.size());
        rest_.copy(buffer, n);
        rest_.remove_prefix(n);
        const std::size_t done = all_.size() - rest_.size();
        if (done / kStep != reported_ / kStep || done == all_.size()) {
            reported_ = done;
            reportProgress(static_cast<double>(done), static_cast<double>(all_.size()));
        }
        return n;
    }
    bool rewind() override {
        rest_ = all_;
        return true;
    }

private:
    static constexpr std::size_t kStep = std::size_t{1} << 20;
    std::string_view all_;
    std::string_view rest_;
    std::size_t reported_ = 0;
};

batch::StringSink output;
std::string summaryJson;

// The first messages only: a file of many bad rows would fill the page.
constexpr std::size_t kShownMessages = 200;

}  // namespace

extern "C" {

// Runs the batch on `size` bytes at `data`; gives the summary as JSON. The
// result file is then at dravik_batch_output(), dravik_batch_output_size()
// bytes long.
DRAVIK_EXPORT const char* dravik_batch(const char* data, int size) {
    output.text.clear();
    std::vector<std::string> messages;
    std::int64_t messageCount = 0;
    ProgressSource source(std::string_view(data, static_cast<std::size_t>(size)));
    const batch::BatchSummary s = batch::runBatch(source, output, [&](std::string_view m) {
        if (messages.size() < kShownMessages) messages.emplace_back(m);
        ++messageCount;
    });
    web::JsonWriter json;
    json.beginObject()
        .field("exitStatus", s.exitStatus)
        .field("rows", static_cast<long long>(s.rows))
        .field("failedRows", static_cast<long long>(s.failedRows))
        .field("notedRows", static_cast<long long>(s.notedRows))
        .field("unsoundRows", static_cast<long long>(s.unsoundRows))
        .field("emptyRows", static_cast<long long>(s.emptyRows))
        .field("titleRows", static_cast<long long>(s.titleRows))
        .field("encoding", batch::encodingName(s.encoding))
        .field("messageCount", static_cast<long long>(messageCount))
        .key("messages")
        .beginArray();
    for (const std::string& m : messages) json.value(m);
    json.endArray().endObject();
    summaryJson = json.take();
    return summaryJson.c_str();
}

DRAVIK_EXPORT const char* dravik_batch_output() { return output.text.data(); }
DRAVIK_EXPORT int dravik_batch_output_size() { return static_cast<int>(output.text.size()); }

}  // extern "C"
