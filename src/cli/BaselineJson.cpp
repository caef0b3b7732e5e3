// A baseline that list --format json wrote: one array of flat objects, read a token at a time across lines.
#include <algorithm>
#include <bitset>

#include <windows.h>

#include "BaselineReaders.h"
#include "TextCodec.h"

namespace {

const Cells& AllFields() {
    static const Cells fields = ListedFieldNames(true, true);
    return fields;
}

bool IsSurrogate(wchar_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}
bool IsLowSurrogate(wchar_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

constexpr const char* kUnended =
    "a string that does not end on its line: the file is cut short or no list file";

class JsonReader {
public:
    JsonReader(FileLines& lines, std::string_view first, BaselineBuilder& rows)
        : lines_(lines), line_(first), rows_(rows) {}

    void Read() {
        Expect('[', "'[', the start of a list");
        if (!Take(']')) {
            do
                ReadObject();
            while (Take(','));
            Expect(']', "',' or ']'");
        }
        if (SkipSpace())
            Fail("more after the end of the list");
        if (rows_.FieldCount() == 0)
            rows_.SetFieldCount(5);  // an empty list: no rows, whatever its options
    }

private:
    // False at the end of the file.
    bool SkipSpace() {
        for (;;) {
            while (at_ < line_.size() &&
                   (line_[at_] == ' ' || line_[at_] == '\t' || line_[at_] == '\r' || line_[at_] == '\n'))
                ++at_;
            if (at_ < line_.size())
                return true;
            if (!lines_.Next(line_))
                return false;
            at_ = 0;
        }
    }

    char Peek() {
        if (!SkipSpace())
            lines_.Fail("the file ends before the list does: it is cut short");
        return line_[at_];
    }

    bool Take(char c) {
        if (Peek() != c)
            return false;
        ++at_;
        return true;
    }

    void Expect(char c, const char* what) {
        if (!Take(c))
            Fail(std::string("expected ") + what);
    }

    [[noreturn]] void Fail(const std::string& reason) const { lines_.FailAt(line_, at_, reason); }

    void ReadObject() {
        Expect('{', "'{', the start of a row");
        // The first row may have any of list's fields; the others those of the first. Every field is
        // given, so each row overwrites the texts of the one before, and no text is allocated again.
        cells_.resize(rows_.FieldCount() == 0 ? AllFields().size() : rows_.FieldCount());
        std::bitset<13> given;
        if (!Take('}')) {
            do
                ReadField(cells_, given);
            while (Take(','));
            Expect('}', "',' or '}'");
        }
        CheckFields(given);
        cells_.resize(rows_.FieldCount());
        rows_.Add(cells_);
    }

    void ReadField(Cells& cells, std::bitset<13>& given) {
        Peek();
        const size_t keyAt = at_;
        const size_t index = ReadKey(key_);
        if (index == AllFields().size() || given[index]) {
            at_ = keyAt;
            Fail(index == AllFields().size()
                     ? "the field " + QuotedExcerpt(key_) + ", which list does not write"
                     : "the field \"" + AllFields()[index] + "\" a second time");
        }
        if (index >= cells.size())
            Fail("the field \"" + AllFields()[index] + "\", which the first row does not have");
        given[index] = true;
        Expect(':', "':'");
        const char c = Peek();
        if (c == '[' || c == '{')
            Fail("a value nested deeper than a list file's");
        if (index == kExistsField)
            cells[index] = ReadBoolean();
        else if (c == '"')
            ReadString(cells[index]);
        else
            Fail("expected a string for \"" + AllFields()[index] + "\"");
    }

    // The index of the field a key names, AllFields().size() for another (then in key). A key as list
    // writes it, without escapes, is matched where it stands.
    size_t ReadKey(std::string& key) {
        const std::string_view rest = line_.substr(at_ + 1);
        for (size_t i = 0; line_[at_] == '"' && i < AllFields().size(); ++i) {
            const std::string& name = AllFields()[i];
            if (rest.starts_with(name) && rest.substr(name.size()).starts_with('"')) {
                at_ += name.size() + 2;
                return i;
            }
        }
        ReadString(key);
        return static_cast<size_t>(std::find(AllFields().begin(), AllFields().end(), key) -
                                   AllFields().begin());
    }

    // A row has the five fields of list, and with --details the file's, as the first row has them.
    void CheckFields(const std::bitset<13>& given) {
        if (rows_.FieldCount() == 0) {
            size_t last = 0;
            for (size_t i = 0; i < given.size(); ++i)
                last = given[i] ? i + 1 : last;
            rows_.SetFieldCount(last <= 5 ? 5 : last <= 12 ? 12 : 13);
        }
        for (size_t i = 0; i < given.size(); ++i) {
            if (i < rows_.FieldCount() && !given[i])
                Fail("a row without the field \"" + AllFields()[i] + "\"");
            if (i >= rows_.FieldCount() && given[i])
                Fail("the field \"" + AllFields()[i] + "\", which the first row does not have");
        }
    }

    const char* ReadBoolean() {
        for (const char* word : {"true", "false"})
            if (line_.substr(at_).starts_with(word)) {
                at_ += std::string_view(word).size();
                return word;
            }
        Fail("expected true or false for \"exists\"");
    }

    // Strings never span lines: list escapes every line break in them.
    void ReadString(std::string& text) {
        if (line_[at_] != '"')
            Fail("expected a string");
        text.clear();
        for (++at_; at_ < line_.size();) {
            // The run of plain characters up to the next quote, backslash or control character, taken at
            // once.
            size_t end = at_;
            while (end < line_.size() && line_[end] != '"' && line_[end] != '\\' &&
                   static_cast<unsigned char>(line_[end]) >= 0x20)
                ++end;
            text.append(line_.substr(at_, end - at_));
            at_ = end;
            if (at_ == line_.size())
                break;
            const char c = line_[at_];
            if (c == '"') {
                ++at_;
                return;
            }
            if (c != '\\')
                Fail(c == '\r' || c == '\n' ? kUnended : "a control character inside a string");
            ++at_;
            ReadEscape(text);
        }
        Fail(kUnended);
    }

    void ReadEscape(std::string& text) {
        static const std::string_view simple = "\"\\/bfnrt";
        static const std::string_view meant = "\"\\/\b\f\n\r\t";
        const size_t which = at_ < line_.size() ? simple.find(line_[at_]) : std::string_view::npos;
        if (which != std::string_view::npos) {
            text += meant[which];
            ++at_;
            return;
        }
        std::wstring units(1, static_cast<wchar_t>(ReadHex()));
        if (units[0] >= 0xD800 && units[0] <= 0xDBFF && line_.substr(at_).starts_with("\\u")) {
            ++at_;
            units += static_cast<wchar_t>(ReadHex());
        }
        if (IsSurrogate(units.front()) != (units.size() == 2) ||
            (units.size() == 2 && !IsLowSurrogate(units[1])))
            Fail("half of a UTF-16 surrogate pair");
        text += FromWide(units, CP_UTF8);
    }

    // After "\": "u" and four hexadecimal digits.
    unsigned long ReadHex() {
        if (at_ >= line_.size() || line_[at_] != 'u')
            Fail("an escape that JSON does not have");
        const std::string_view digits = line_.substr(at_ + 1, 4);
        if (digits.size() < 4 || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string_view::npos)
            Fail("an escape that JSON does not have");
        at_ += 5;
        return std::stoul(std::string(digits), nullptr, 16);
    }

    FileLines& lines_;
    std::string_view line_;
    size_t at_ = 0;
    BaselineBuilder& rows_;
    Cells cells_;      // the row being read
    std::string key_;  // a key with escapes
};

}  // namespace

void ReadJsonBaseline(FileLines& lines, std::string_view first, BaselineBuilder& rows) {
    JsonReader(lines, first, rows).Read();
}
