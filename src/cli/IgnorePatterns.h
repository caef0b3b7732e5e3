// compare --ignore: entries never reported, named by LOCATION NAME patterns with * and ? in any letter case.
#pragma once

#include <string>
#include <vector>

class IgnorePatterns {
public:
    IgnorePatterns() = default;
    // One pattern a line: the first run of spaces or tabs ends LOCATION, the rest of the line is NAME; "#"
    // at the start of a line begins a comment; blank lines are passed over. Raises BadFileError for a
    // line without a NAME, naming the file and the line.
    static IgnorePatterns Read(const std::string& path);

    // location and name in UTF-8.
    bool Matches(const std::string& location, const std::string& name) const;

private:
    struct Pattern {
        std::wstring location;  // both folded to one letter case
        std::wstring name;
    };
    std::vector<Pattern> patterns_;
};
