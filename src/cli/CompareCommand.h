// compare: the baseline and the ignore patterns, read before any station is asked; then what changed.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "BaselineFile.h"
#include "CliCommand.h"
#include "IgnorePatterns.h"

class BaselineComparison {
public:
    // stations: the station field of each station of the run, UTF-8. Keeps only the baseline's rows of
    // those stations and of the views (and user) the command lists. Raises BadFileError for a baseline
    // or an ignore file that is not such a file.
    BaselineComparison(const CliCommand& command,
                       const std::vector<std::string>& stations,
                       const std::string& computerName);

    struct Result {
        std::string text;      // the differences in the command's format
        bool changed = false;  // a difference not ignored
    };
    // rows and files as list prints them; answered: the stations whose listing is whole, in the run's order.
    Result Of(std::vector<ListedRow> rows,
              const std::vector<ListedFile>* files,
              const std::vector<std::string>& answered) const;

private:
    bool InScope(const Cells& row);
    bool LocationInScope(const std::string& location) const;

    const CliCommand command_;
    std::string computerName_;
    std::vector<std::string> stations_;
    // Of the rows read: the last station looked up and every location, with their answers.
    std::optional<std::pair<std::string, bool>> lastStation_;
    std::unordered_map<std::string, bool> locations_;
    IgnorePatterns ignore_;
    Baseline baseline_;
};
