// The DisabledStore: a text file of three-line records (LocationKey, App Name, App Path), CR LF lines.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "StartupEntry.h"
#include "StartupSources.h"

// AppDir of an executable: its folder without the trailing backslash, except for a drive's root ("C:\").
std::string AppDirOf(const std::string& exePath);

// AppDir + "\" + ComputerName + "_reg_disabled.ini".
std::string DisabledStorePath(const std::string& appDir, const std::string& computerName);

// The lines of a text, as views into it: each ends at CR LF, a lone CR or a lone LF; a last line
// without a break counts; a NUL byte ends the text.
std::vector<std::string_view> SplitLines(std::string_view text);

// What a store file held before a change, so that a change whose entry could not follow is withdrawn.
struct StoreSnapshot {
    bool existed = false;
    std::string text;
};

// Lines are written in UTF-8; a line of an older store that is not valid UTF-8 is read in the legacy
// code page it was written in.
class DisabledStore {
public:
    explicit DisabledStore(std::string path, unsigned legacyCodePage = 1252)
        : path_(std::move(path)), legacyCodePage_(legacyCodePage) {}
    const std::string& Path() const { return path_; }

    // The bytes of the file; empty when no file stands at the path.
    std::string LoadText() const;

    // Appends one record in one write, creating the file when missing. A file whose text does not
    // end with a line break (edited by hand, or cut at a NUL) is first rewritten whole, so that the
    // record starts on a line of its own. Gives what the file held before.
    StoreSnapshot AppendDisabledRecord(const std::string& locationKey,
                                       const std::string& appName,
                                       const std::string& appPath) const;
    // Puts the file back as it was: rewritten with the old text, or deleted when there was none.
    void Restore(const StoreSnapshot& before) const;

    // Appends a disabled row for every line that starts a record of location: for a tag, a line equal
    // to it; for "Startup", a line containing "Startup" whose user is the given one (any user when
    // none is given). Every line is tested. A match without two lines after it raises
    // "List index out of bounds (<index>)" after the rows before it were appended.
    void AddDisabledRows(const std::string& location,
                         const std::optional<std::string>& user,
                         std::vector<StartupEntry>& rows) const;

    // Appends a disabled row for every line that starts a record of a user's own key of that kind
    // ("Run\" + U, U not empty), logged on or not; each row is located U + "\" + kind. Raises as above.
    void AddUserDisabledRows(const StartupSource& kind, std::vector<StartupEntry>& rows) const;

    // Rewrites the file without every whole record whose first two lines are locationKey and appName;
    // a trailing part of a record is dropped. The file exists afterwards, 0 bytes when empty.
    void RemoveDisabledEntry(const std::string& locationKey, const std::string& appName) const;

private:
    // The lines of the file as the program's text: views into its bytes, or into the conversion of a
    // line that is not ASCII.
    // Filled in place, never moved: the views may point into the text's own small buffer.
    struct Lines {
        std::string text;
        std::deque<std::string> converted;  // keeps its strings in place as it grows
        std::vector<std::string_view> lines;
    };
    void LoadLines(Lines& loaded) const;
    // The rows of every line to which rowLocation gives a Location.
    template <typename RowLocation>
    void AddRowsWhere(RowLocation rowLocation, std::vector<StartupEntry>& rows) const;

    std::string path_;
    unsigned legacyCodePage_;
};
