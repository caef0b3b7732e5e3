// Lines out of a file read in blocks, each line checked for length and for UTF-8 before it is handed out.
#include "FileLines.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

#include "SystemMessage.h"
#include "TextCodec.h"

namespace {

constexpr DWORD kBlock = 1u << 20;

std::string SizeText(unsigned long long bytes) {
    return bytes >= (1ull << 30) ? std::to_string(bytes >> 30) + " GiB"
                                 : std::to_string(bytes >> 20) + " MiB";
}

// How many bytes a UTF-8 sequence starting with lead has, and the range its second byte must be in
// (which refuses overlong forms and surrogates); 0 for a byte that cannot start one.
struct Lead {
    size_t length;
    unsigned low, high;
};
Lead LeadOf(unsigned byte) {
    if (byte >= 0xC2 && byte <= 0xDF)
        return {2, 0x80, 0xBF};
    if (byte >= 0xE0 && byte <= 0xEF)
        return {3, byte == 0xE0 ? 0xA0u : 0x80u, byte == 0xED ? 0x9Fu : 0xBFu};
    if (byte >= 0xF0 && byte <= 0xF4)
        return {4, byte == 0xF0 ? 0x90u : 0x80u, byte == 0xF4 ? 0x8Fu : 0xBFu};
    return {0, 0, 0};
}

// Where the line stops being UTF-8 text (a NUL byte counts as none), or npos.
size_t BadTextAt(std::string_view line) {
    constexpr std::uint64_t kLow = 0x0101010101010101, kHigh = 0x8080808080808080;
    for (size_t i = 0; i < line.size();) {
        // Most of a list file is ASCII: eight bytes at a time while they hold no high bit and no NUL.
        if (std::uint64_t word = 0; i + 8 <= line.size()) {
            std::memcpy(&word, line.data() + i, 8);
            if (((word | ((word - kLow) & ~word)) & kHigh) == 0) {
                i += 8;
                continue;
            }
        }
        const unsigned byte = static_cast<unsigned char>(line[i]);
        if (byte >= 0x01 && byte < 0x80) {
            ++i;
            continue;
        }
        const Lead lead = LeadOf(byte);
        if (lead.length == 0 || i + lead.length > line.size())
            return i;
        const unsigned second = static_cast<unsigned char>(line[i + 1]);
        if (second < lead.low || second > lead.high)
            return i;
        for (size_t k = 2; k < lead.length; ++k)
            if ((static_cast<unsigned char>(line[i + k]) & 0xC0) != 0x80)
                return i;
        i += lead.length;
    }
    return std::string_view::npos;
}

}  // namespace

std::string_view WithoutLineBreak(std::string_view line) {
    line.remove_suffix(line.ends_with("\r\n") ? 2 : line.ends_with('\n') ? 1 : 0);
    return line;
}

std::string QuotedExcerpt(std::string_view text) {
    size_t end = 0;
    for (size_t characters = 0; end < text.size() && characters < 40; ++characters)
        for (++end; end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80;)
            ++end;
    std::string quoted(1, '"');
    quoted.append(text.substr(0, end));
    return quoted.append(end < text.size() ? "...\"" : "\"");
}

FileLines::FileLines(const std::string& path, LineLimits limits) : path_(path), limits_(limits) {
    file_.reset(CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file_)
        FailFile(SystemMessage(GetLastError()));
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file_.get(), &size))
        FailFile(SystemMessage(GetLastError()));
    if (static_cast<unsigned long long>(size.QuadPart) > limits_.file)
        FailFile("larger than " + SizeText(limits_.file) + ", more than a list file holds");
}

bool FileLines::Fill() {
    buffer_.erase(0, start_);
    start_ = 0;
    const size_t had = buffer_.size();
    buffer_.resize(had + kBlock);
    DWORD got = 0;
    if (!ReadFile(file_.get(), buffer_.data() + had, kBlock, &got, nullptr))
        FailFile(SystemMessage(GetLastError()));
    buffer_.resize(had + got);
    read_ += got;
    if (read_ > limits_.file)  // grown since it was opened
        FailFile("larger than " + SizeText(limits_.file) + ", more than a list file holds");
    return got > 0;
}

bool FileLines::Next(std::string_view& line) {
    size_t end = std::string::npos;
    while ((end = buffer_.find('\n', start_ + searched_)) == std::string::npos) {
        searched_ = buffer_.size() - start_;
        if (searched_ > limits_.line + 1)
            break;
        if (!Fill())
            break;
    }
    const size_t length = end == std::string::npos ? buffer_.size() - start_ : end + 1 - start_;
    if (length == 0)
        return false;
    line = std::string_view(buffer_).substr(start_, length);
    start_ += length;
    searched_ = 0;
    ++number_;
    if (WithoutLineBreak(line).size() > limits_.line)
        Fail("longer than " + SizeText(limits_.line) + ", more than a line of a list file holds");
    if (number_ == 1 && line.starts_with("\xEF\xBB\xBF"))  // a byte-order mark that an editor put there
        line.remove_prefix(3);
    if (const size_t bad = BadTextAt(line); bad != std::string_view::npos)
        FailAt(line, bad, "not UTF-8 text");
    return true;
}

void FileLines::Fail(const std::string& reason) const {
    FailFile("line " + std::to_string(number_) + ": " + reason);
}

void FileLines::FailAt(std::string_view line, size_t at, const std::string& reason) const {
    size_t column = 1;
    for (size_t i = 0; i < at && i < line.size(); ++i)
        column += (static_cast<unsigned char>(line[i]) & 0xC0) != 0x80;
    FailFile("line " + std::to_string(number_) + ", column " + std::to_string(column) + ": " + reason);
}

void FileLines::FailFile(const std::string& reason) const {
    std::string text = AnsiToUtf8(path_) + ": " + reason;
    while (text.ends_with('.') || text.ends_with(' '))
        text.pop_back();
    throw BadFileError(text);
}
