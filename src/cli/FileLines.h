// A text file read a line at a time within set bounds: a file past them is refused, never read whole.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "UniqueHandle.h"

// A file that is not what the command needs; the text names the file and where it stops making sense.
class BadFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The line without its line break, CR LF or LF.
std::string_view WithoutLineBreak(std::string_view line);

// text in double quotes for a message, cut after 40 characters.
std::string QuotedExcerpt(std::string_view text);

struct LineLimits {
    size_t line = size_t{1} << 20;         // bytes of one line, its line break not counted
    unsigned long long file = 1ull << 30;  // bytes of the whole file
};

class FileLines {
public:
    // Opens the file (a path in the ANSI code page). Raises BadFileError when it cannot be opened or is
    // larger than limits.file.
    explicit FileLines(const std::string& path, LineLimits limits = {});

    // The next line, its line break (LF or CR LF) included; the last line of a file may have none; the
    // first has its byte-order mark taken off. False after the last. Raises BadFileError for a line over
    // limits.line or one that is not UTF-8 text.
    bool Next(std::string_view& line);
    // The number of the line that Next gave last, from 1.
    size_t LineNumber() const { return number_; }

    // Raise BadFileError: "FILE: line N: reason", or with at (a byte offset into line, the line Next gave
    // last) "FILE: line N, column C: reason", C counting characters from 1.
    [[noreturn]] void Fail(const std::string& reason) const;
    [[noreturn]] void FailAt(std::string_view line, size_t at, const std::string& reason) const;
    // Raise BadFileError: "FILE: reason".
    [[noreturn]] void FailFile(const std::string& reason) const;

private:
    bool Fill();

    std::string path_;
    LineLimits limits_;
    UniqueFile file_;
    std::string buffer_;
    size_t start_ = 0;     // where the next line begins in buffer_
    size_t searched_ = 0;  // bytes from start_ known to hold no line feed
    size_t number_ = 0;
    unsigned long long read_ = 0;
};
