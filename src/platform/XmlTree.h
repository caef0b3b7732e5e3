// A small reader of XML documents into a tree of elements: enough for the files Windows writes of
// its own settings (no DTD, no entities of its own, no namespaces beyond dropping a prefix).
#pragma once

#include <string>
#include <vector>

#include "Errors.h"

struct XmlElement {
    std::string name;  // the local name, any "prefix:" dropped
    std::string text;  // the character data directly inside, entities and CDATA resolved
    std::vector<XmlElement> children;

    // The first child of that name, or nullptr.
    const XmlElement* Child(const std::string& childName) const;
};

// A document that is not well-formed XML, with where it stops making sense.
class EXmlError : public Exception {
public:
    using Exception::Exception;
};

// Parses a document given in UTF-8 (a UTF-8 byte-order mark is skipped); the root element. Raises
// EXmlError on a document that is cut, badly nested or nested deeper than kMaxXmlDepth.
XmlElement ParseXml(const std::string& utf8);

inline constexpr int kMaxXmlDepth = 64;
