// Reading tellurinc's command line: the command, its options, and the station list files.
#include "CliCommand.h"

#include <charconv>
#include <map>
#include <set>

#include "TextCodec.h"
#include "Errors.h"
#include "DisabledStore.h"
#include "LocationViews.h"
#include "StartupSources.h"
#include "StationName.h"
#include "TextFiles.h"

namespace {

const std::map<std::string, CliVerb>& Verbs() {
    static const std::map<std::string, CliVerb> verbs{
        {"list", CliVerb::List},
        {"compare", CliVerb::Compare},
        {"add", CliVerb::Add},
        {"disable", CliVerb::Disable},
        {"enable", CliVerb::Enable},
        {"remove", CliVerb::Remove},
        {"restore-remote-registry", CliVerb::RestoreRemoteRegistry},
    };
    return verbs;
}

// The options each command takes besides the station options.
std::set<std::string> OptionsOf(CliVerb verb) {
    switch (verb) {
        case CliVerb::List:
            return {"--location", "--user", "--format"};
        case CliVerb::Compare:
            return {"--location", "--user", "--format", "--ignore"};
        case CliVerb::Add:
            return {"--location", "--name", "--command"};
        case CliVerb::RestoreRemoteRegistry:
            return {};
        default:
            return {"--location", "--name"};
    }
}

int PositiveNumber(const std::string& option, const std::string& text, int most) {
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number < 1 || number > most)
        throw UsageError(option + " needs a whole number from 1 to " + std::to_string(most) + ", not '" +
                         text + "'");
    return number;
}

OutputFormat FormatNamed(const std::string& text) {
    if (text == "table")
        return OutputFormat::Table;
    if (text == "csv")
        return OutputFormat::Csv;
    if (text == "json")
        return OutputFormat::Json;
    throw UsageError("unknown format '" + text + "' (table, csv or json)");
}

void AddStation(const std::string& name, std::vector<std::string>& stations) {
    if (!IsStationName(name))
        throw UsageError(NotAStationNameText(name));
    stations.push_back(name);
}

void AddStations(const std::string& text, std::vector<std::string>& stations) {
    if (!text.starts_with("@")) {
        AddStation(text, stations);
        return;
    }
    std::string content;
    try {
        content = ReadWholeFile(text.substr(1));
    } catch (const Exception& error) {
        throw UsageError(DefaultErrorText(error.what()));
    }
    if (content.starts_with("\xEF\xBB\xBF"))  // a byte-order mark that an editor put there
        content.erase(0, 3);
    const std::vector<std::string> names = StationNamesOf(Utf8ToAnsi(content));
    if (names.empty())
        throw UsageError("no station named in " + text.substr(1));
    for (const std::string& name : names)
        AddStation(name, stations);
}

// The bar's items as a reader lists them: "A, B, C" and, with a last word, "A, B or C".
std::string ViewNames(const char* lastSeparator = ", ") {
    const std::vector<const StartupSource*> items = Views();
    std::string names;
    for (size_t index = 0; index < items.size(); ++index) {
        if (index > 0)
            names += index + 1 == items.size() ? lastSeparator : ", ";
        names += items[index]->tag;
    }
    return names;
}

// list and compare read the stations alike.
bool Lists(CliVerb verb) {
    return verb == CliVerb::List || verb == CliVerb::Compare;
}

std::string LocationFor(CliVerb verb, const std::string& text) {
    if (Lists(verb)) {
        if (std::optional<std::string> view = CanonicalView(text))
            return *view;
        throw UsageError("unknown location '" + text + "' (" + ViewNames() + ")");
    }
    if (std::optional<std::string> location = CanonicalLocation(text))
        return *location;
    // The window's Add refuses "Startup" without a user itself, with its own message.
    if (verb == CliVerb::Add && EqualsIgnoringCase(text, kStartupTag))
        return kStartupTag;
    throw UsageError("unknown location '" + text +
                     "' (a location as list prints it, e.g. HKCU_Run, alice\\Startup or bob\\Run)");
}

CliCommand Only(CliVerb verb) {
    CliCommand command;
    command.verb = verb;
    return command;
}

void Require(bool given, const std::string& option) {
    if (!given)
        throw UsageError("missing " + option);
}

class Parser {
public:
    explicit Parser(const std::vector<std::string>& args) : args_(args) {}

    CliCommand Parse() {
        if (args_.empty())
            throw UsageError("missing command");
        for (const std::string& arg : args_)
            if (arg == "--help" || arg == "-h" || arg == "/?")
                return Only(CliVerb::Help);
        if (args_.size() == 1 && args_[0] == "--version")
            return Only(CliVerb::Version);
        const auto verb = Verbs().find(args_[0]);
        if (verb == Verbs().end())
            throw UsageError("unknown command '" + args_[0] + "'");
        command_.verb = verb->second;
        for (size_t index = 1; index < args_.size(); ++index)
            ReadOption(index);
        Check();
        return command_;
    }

private:
    void ReadOption(size_t& index) {
        std::string option = args_[index];
        std::optional<std::string> value;
        if (const size_t equals = option.find('='); option.starts_with("--") && equals != std::string::npos) {
            value = option.substr(equals + 1);
            option.resize(equals);
        }
        if (Lists(command_.verb) && (option == "--details" || option == "--hash") && !value) {
            if (!seen_.insert(option).second)
                throw UsageError(option + " given twice");
            (option == "--details" ? command_.details : command_.hash) = true;
            return;
        }
        // restore-remote-registry works on the journal alone.
        const bool stations = command_.verb != CliVerb::RestoreRemoteRegistry;
        if (stations && option == "--start-remote-registry" && !value) {
            if (!seen_.insert(option).second)
                throw UsageError(option + " given twice");
            command_.startRemoteRegistry = true;
            return;
        }
        if (command_.verb == CliVerb::Compare && !option.starts_with("-") && !seen_.contains("BASELINE")) {
            seen_.insert("BASELINE");
            command_.baseline = option;
            return;
        }
        const bool stationOption =
            stations && (option == "--station" || option == "--parallel" || option == "--timeout");
        if (!stationOption && !OptionsOf(command_.verb).contains(option))
            throw UsageError(option.starts_with("-") ? "unknown option '" + option + "'"
                                                     : "unexpected argument '" + option + "'");
        if (!value) {
            if (++index >= args_.size())
                throw UsageError(option + " needs a value");
            value = args_[index];
        }
        if (option != "--station" && !seen_.insert(option).second)
            throw UsageError(option + " given twice");
        Store(option, *value);
    }

    void Store(const std::string& option, const std::string& value) {
        if (option == "--station")
            AddStations(value, command_.stations);
        else if (option == "--parallel")
            command_.parallel = PositiveNumber(option, value, 256);
        else if (option == "--timeout")
            command_.timeoutSeconds = PositiveNumber(option, value, 86400);
        else if (option == "--format")
            command_.format = FormatNamed(value);
        else if (option == "--location")
            command_.location = LocationFor(command_.verb, value);
        else if (option == "--user")
            command_.user = value;
        else if (option == "--ignore")
            command_.ignore = value;
        else if (option == "--name")
            command_.name = value;
        else
            command_.command = value;
    }

    void Check() const {
        if (command_.verb == CliVerb::RestoreRemoteRegistry)
            return;
        if (Lists(command_.verb)) {
            if (command_.hash && !command_.details)
                throw UsageError("--hash needs --details");
            if (command_.verb == CliVerb::Compare)
                Require(seen_.contains("BASELINE"), "BASELINE");
            return;
        }
        Require(seen_.contains("--location"), "--location");
        Require(seen_.contains("--name"), "--name");
        if (command_.verb == CliVerb::Add)
            Require(seen_.contains("--command"), "--command");
    }

    const std::vector<std::string>& args_;
    CliCommand command_;
    std::set<std::string> seen_;
};

}  // namespace

std::string UsageText() {
    return "usage:\r\n"
           "  tellurinc list    [--location VIEW] [--user U] [--format table|csv|json] [--details "
           "[--hash]]\r\n"
           "                    [STATIONS]\r\n"
           "  tellurinc compare BASELINE [--location VIEW] [--user U] [--format table|csv|json]\r\n"
           "                    [--details [--hash]] [--ignore FILE] [STATIONS]\r\n"
           "  tellurinc add     --location LOC --name NAME --command TEXT [STATIONS]\r\n"
           "  tellurinc disable --location LOC --name NAME [STATIONS]\r\n"
           "  tellurinc enable  --location LOC --name NAME [STATIONS]\r\n"
           "  tellurinc remove  --location LOC --name NAME [STATIONS]\r\n"
           "  tellurinc restore-remote-registry\r\n"
           "  tellurinc --help | --version\r\n"
           "STATIONS: [--station S]... [--parallel N] [--timeout SECONDS] [--start-remote-registry]\r\n"
           "  VIEW: " +
           ViewNames(" or ") +
           " (--user U: only user U's rows)\r\n"
           "  LOC: a Location as list prints it, e.g. HKCU_Run, alice\\Startup or bob\\Run; letter case "
           "does not matter\r\n"
           "  --details: each row's program file, whether it exists, its description, publisher, version,\r\n"
           "    signature (valid, untrusted, invalid or unsigned) and signer; --hash adds its SHA-256\r\n"
           "  compare: what was added, removed or changed since BASELINE, a file of list --format json\r\n"
           "    or csv (exit status 3 when anything was); --ignore FILE: a LOCATION NAME pattern a line\r\n"
           "  --station @FILE reads one name a line; \".\" or none is this computer\r\n"
           "  --start-remote-registry: a stopped Remote Registry service is started for the run, then\r\n"
           "    stopped and its start type set back; remote-registry.journal beside the tool keeps what\r\n"
           "    to put back if the run dies: restore-remote-registry, or the next run with the flag,\r\n"
           "    puts it back\r\n"
           "  defaults: --format table, --parallel 16, --timeout 30\r\n";
}

CliCommand ParseCommandLine(const std::vector<std::string>& args) {
    return Parser(args).Parse();
}

std::vector<std::string> StationNamesOf(const std::string& text) {
    std::vector<std::string> names;
    for (std::string_view line : SplitLines(text)) {
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos || line[first] == '#')
            continue;
        const size_t last = line.find_last_not_of(" \t");
        names.emplace_back(line.substr(first, last - first + 1));
    }
    return names;
}
