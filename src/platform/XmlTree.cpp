// Parsing XML into elements, one pass over the text, every step checked against its end.
#include "XmlTree.h"

#include <cstdint>

namespace {

class XmlParser {
public:
    explicit XmlParser(const std::string& text) : text_(text) {}

    XmlElement Document() {
        if (text_.starts_with("\xEF\xBB\xBF"))
            at_ = 3;
        SkipMisc();
        if (!Peek('<'))
            Fail("no root element");
        XmlElement root = Element(1);
        SkipMisc();
        if (at_ != text_.size())
            Fail("text after the root element");
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw EXmlError(what + " at byte " + std::to_string(at_));
    }
    bool Peek(char c) const { return at_ < text_.size() && text_[at_] == c; }
    bool LooksAt(const char* token) const {
        return text_.compare(at_, std::char_traits<char>::length(token), token) == 0;
    }
    void Expect(const char* token) {
        if (!LooksAt(token))
            Fail(std::string("expected \"") + token + "\"");
        at_ += std::char_traits<char>::length(token);
    }
    // Moves past the next end; fails when there is none.
    void SkipPast(const char* end) {
        const size_t found = text_.find(end, at_);
        if (found == std::string::npos)
            Fail(std::string("no \"") + end + "\"");
        at_ = found + std::char_traits<char>::length(end);
    }
    void SkipSpace() {
        while (at_ < text_.size() &&
               (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\r' || text_[at_] == '\n'))
            ++at_;
    }
    // White space, comments, the declaration and a document type (never expanded).
    void SkipMisc() {
        for (;;) {
            SkipSpace();
            if (LooksAt("<?"))
                SkipPast("?>");
            else if (LooksAt("<!--"))
                SkipPast("-->");
            else if (LooksAt("<!DOCTYPE"))
                SkipPast(">");
            else
                return;
        }
    }

    std::string Name() {
        const size_t start = at_;
        while (at_ < text_.size() &&
               std::string_view(" \t\r\n/>=").find(text_[at_]) == std::string_view::npos)
            ++at_;
        if (at_ == start)
            Fail("a name expected");
        std::string name = text_.substr(start, at_ - start);
        const size_t colon = name.find(':');
        return colon == std::string::npos ? name : name.substr(colon + 1);
    }

    void SkipAttributes() {
        for (;;) {
            SkipSpace();
            if (Peek('>') || Peek('/') || at_ >= text_.size())
                return;
            Name();
            SkipSpace();
            Expect("=");
            SkipSpace();
            if (!Peek('"') && !Peek('\''))
                Fail("a quoted attribute value expected");
            const char quote[2] = {text_[at_++], '\0'};
            SkipPast(quote);
        }
    }

    XmlElement Element(int depth) {
        if (depth > kMaxXmlDepth)
            Fail("elements nested too deep");
        Expect("<");
        XmlElement element;
        element.name = Name();
        SkipAttributes();
        if (LooksAt("/>")) {
            at_ += 2;
            return element;
        }
        Expect(">");
        Content(element, depth);
        Expect("</");
        if (Name() != element.name)
            Fail("end tag of another element than <" + element.name + ">");
        SkipSpace();
        Expect(">");
        return element;
    }

    void Content(XmlElement& element, int depth) {
        for (;;) {
            if (at_ >= text_.size())
                Fail("the document ends inside <" + element.name + ">");
            if (LooksAt("</"))
                return;
            if (LooksAt("<!--")) {
                SkipPast("-->");
            } else if (LooksAt("<![CDATA[")) {
                at_ += 9;
                const size_t end = text_.find("]]>", at_);
                if (end == std::string::npos)
                    Fail("no end of CDATA");
                element.text.append(text_, at_, end - at_);
                at_ = end + 3;
            } else if (LooksAt("<?")) {
                SkipPast("?>");
            } else if (Peek('<')) {
                element.children.push_back(Element(depth + 1));
            } else if (Peek('&')) {
                element.text += Entity();
            } else {
                element.text += text_[at_++];
            }
        }
    }

    std::string Entity() {
        const size_t end = text_.find(';', at_);
        if (end == std::string::npos || end - at_ > 12)
            Fail("an unfinished entity");
        const std::string name = text_.substr(at_ + 1, end - at_ - 1);
        at_ = end + 1;
        if (name == "amp")
            return "&";
        if (name == "lt")
            return "<";
        if (name == "gt")
            return ">";
        if (name == "quot")
            return "\"";
        if (name == "apos")
            return "'";
        if (name.size() > 1 && name[0] == '#')
            return Utf8Of(CodeOf(name));
        Fail("an unknown entity &" + name + ";");
    }

    uint32_t CodeOf(const std::string& name) const {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string digits = name.substr(hex ? 2 : 1);
        if (digits.empty() ||
            digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") != std::string::npos)
            Fail("a bad character reference");
        const unsigned long code = std::stoul(digits, nullptr, hex ? 16 : 10);
        if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            Fail("a character reference out of range");
        return static_cast<uint32_t>(code);
    }

    static std::string Utf8Of(uint32_t code) {
        std::string bytes;
        if (code < 0x80) {
            bytes += static_cast<char>(code);
        } else if (code < 0x800) {
            bytes += static_cast<char>(0xC0 | (code >> 6));
            bytes += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            bytes += static_cast<char>(0xE0 | (code >> 12));
            bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            bytes += static_cast<char>(0xF0 | (code >> 18));
            bytes += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (code & 0x3F));
        }
        return bytes;
    }

    const std::string& text_;
    size_t at_ = 0;
};

}  // namespace

const XmlElement* XmlElement::Child(const std::string& childName) const {
    for (const XmlElement& child : children)
        if (child.name == childName)
            return &child;
    return nullptr;
}

XmlElement ParseXml(const std::string& utf8) {
    return XmlParser(utf8).Document();
}
