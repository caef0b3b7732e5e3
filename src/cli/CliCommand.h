// What tellurinc was asked to do: the command line read into one record, or a usage error.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

enum class CliVerb { List, Compare, Add, Disable, Enable, Remove, RestoreRemoteRegistry, Help, Version };
enum class OutputFormat { Table, Csv, Json };

struct CliCommand {
    CliVerb verb = CliVerb::Help;
    // list: a bar item; the actions: a row's Location (or "Startup" for add). In the program's spelling.
    std::optional<std::string> location;
    std::optional<std::string> user;
    std::string name;
    std::string command;
    OutputFormat format = OutputFormat::Table;
    bool details = false;               // list, compare: each row's program file and what it says of itself
    bool hash = false;                  // list, compare --details: also the file's SHA-256
    std::string baseline;               // compare: the file that list wrote
    std::optional<std::string> ignore;  // compare: the file of LOCATION NAME patterns not to report
    std::vector<std::string> stations;  // as given, @FILE lists read; empty for this computer
    int parallel = 16;
    int timeoutSeconds = 30;
    // A station whose registry does not answer has its stopped Remote Registry service started for the work.
    bool startRemoteRegistry = false;
};

// A command line that cannot be followed; the text is the one-line reason.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The usage text, CR LF line ends.
std::string UsageText();

// Reads the arguments after the program's name, in the system's ANSI code page. Raises UsageError.
CliCommand ParseCommandLine(const std::vector<std::string>& args);

// The station names of a list file: one a line, blank lines and "#" comments skipped, spaces trimmed.
std::vector<std::string> StationNamesOf(const std::string& text);
