// Values Windows itself starts at log-on (Winlogon's Userinit and Shell, the Windows key's Load and
// Run): where a hijack hides, so shown when they hold more than Windows' own default, never changed.
#include "SourceKind.h"

#include <windows.h>

#include "LocationKeys.h"
#include "StartupBook.h"
#include "StartupMessages.h"

namespace {

std::string Lowered(std::string text) {
    CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// What Windows puts there itself, in any letter case: Userinit with or without its trailing comma.
bool IsWindowsDefault(const std::string& name, const std::string& data) {
    const std::string value = Lowered(data);
    if (name == "Userinit")
        return value == "c:\\windows\\system32\\userinit.exe" ||
               value == "c:\\windows\\system32\\userinit.exe,";
    if (name == "Shell")
        return value == "explorer.exe";
    return value.find_first_not_of(" \t") == std::string::npos;  // Load and Run: empty
}

std::vector<std::string> NamesOf(const char* values) {
    std::vector<std::string> names;
    std::string all = values != nullptr ? values : "";
    for (size_t start = 0; start <= all.size();) {
        const size_t end = std::min(all.find(';', start), all.size());
        if (end > start)
            names.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

class LogonValues : public SourceKind {
public:
    void Scan(StartupBook& book, const SourceSite& site, StartupPage& page) const override {
        const StartupSource& source = site.source;
        if (!book.CurrentStation().HasRoot(source.root))
            return;
        TRegistry registry(book.Api());
        const std::string path =
            site.user != nullptr ? "\\" + site.user->sid + source.keyPath : source.keyPath;
        if (!book.CurrentStation().SelectRoot(registry, source.root))
            return;
        if (!registry.OpenPathForReading(path)) {
            if (registry.LastResult() != ERROR_FILE_NOT_FOUND)
                page.problems.emplace_back(kCouldNotOpenRegistry);
            return;
        }
        const std::string location =
            site.user != nullptr ? UserRowLocation(site.user->name, source) : source.tag;
        for (const std::string& name : NamesOf(source.values)) {
            const std::optional<RegistryValue> value = registry.ReadValue(name);
            if (!value || (value->kind != ValueKind::Text && value->kind != ValueKind::ExpandableText))
                continue;
            std::string data = TextOfValue(name, value->kind, value->data.data(), value->data.size());
            if (!IsWindowsDefault(name, data))
                page.rows.push_back(StartupEntry::Enabled(name, std::move(data), location));
        }
    }

    Outcome Write(StartupBook&,
                  const std::string& locationKey,
                  const std::string&,
                  const std::string&,
                  ValueKind) const override {
        return Refused(locationKey);
    }
    Outcome TakeAway(StartupBook&,
                     const std::string& location,
                     const std::string&,
                     const std::string&,
                     const std::string&) const override {
        return Refused(location);
    }
    Outcome Delete(StartupBook&,
                   const std::string& locationKey,
                   const std::string&,
                   const std::string&) const override {
        return Refused(locationKey);
    }
    RowProgram ProgramOf(const StartupEntry& row) const override { return {row.appPath, false, false}; }

private:
    static Outcome Refused(const std::string& location) {
        return Outcome::Refused(AtLocation(location, kChangedWithRegistryEditor));
    }
};

}  // namespace

const SourceKind& LogonValuesKind() {
    static const LogonValues kind;
    return kind;
}
