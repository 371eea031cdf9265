// Where `-o FILE` writes: the file the user meant, replaced whole or not at
// all.
//
//  - "-" (or no -o) is standard output.
//  - A regular file, or a name not there yet: a temporary file in the same
//    folder is written and renamed over it at the end, so the old file stays
//    as it was until everything has been written (FILE may be the input).
//  - A symbolic link: the file it points to (through every link) is the one
//    replaced, through a temporary file in that file's own folder; the link
//    stays a link.
//  - A device, a FIFO or anything else that is not a regular file: written
//    directly, as a shell's `>` does. Renaming a regular file over it would
//    replace the node (/dev/null) or leave a FIFO's reader waiting.
//
// While a temporary file exists, SIGINT, SIGTERM, SIGHUP and SIGQUIT remove
// it before the program ends as the signal ends it (status 128 + signal).
// SIGKILL cannot be caught: it leaves the temporary file (.FILE.XXXXXX).
#pragma once

#include <string>

namespace dravik::batch {

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();  // an unfinished temporary file is removed
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Opens `path` ("" or "-" for standard output); 0, or the errno of what
    // failed.
    int open(const std::string& path);
    int fd() const { return fd_; }
    bool isStandardOutput() const { return path_.empty(); }
    const std::string& path() const { return path_; }
    // The temporary file that replaces FILE at the end (for a writer that
    // needs a file name); empty when the output is written directly.
    const std::string& temporaryPath() const { return temporary_; }
    // Puts the written file in place; 0, or the errno of what failed (then
    // the old file is as it was).
    int commit();
    // Leaves the old file as it was.
    void discard();

private:
    std::string path_;       // as the user gave it; empty for standard output
    std::string temporary_;  // the file being written, when it is renamed at the end
    std::string target_;     // what the temporary file replaces
    int fd_ = 1;
};

}  // namespace dravik::batch
