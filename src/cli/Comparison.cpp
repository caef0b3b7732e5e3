// Matching a baseline's entries to the listed ones, station by station: same values first, then by name.
#include "Comparison.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <optional>
#include <span>
#include <unordered_map>

#include "CaseFold.h"

namespace {

// command, status, file, publisher, version, signature, signer, sha256; not the description or exists,
// which the signature follows.
constexpr std::array<size_t, 8> kComparedFields{3, 4, 5, 8, 9, 10, 11, 12};
constexpr size_t kFileField = 5;

std::string EntryKey(const Cells& cells) {
    std::string key;
    key.reserve(cells[1].size() + cells[2].size() + 1);
    return AppendFoldedKey(AppendFoldedKey(key, cells[1]) += '\0', cells[2]);
}

// Positions in a list of keys, ordered by their keys, and compared with a key.
struct KeyOrder {
    const std::vector<std::string>& keys;
    bool operator()(size_t a, const std::string& key) const { return keys[a] < key; }
    bool operator()(const std::string& key, size_t a) const { return key < keys[a]; }
};

// One station's rows on both sides, by index.
struct StationRows {
    std::vector<size_t> listed;
    std::vector<size_t> baseline;
};

class Matcher {
public:
    Matcher(const Baseline& baseline,
            const std::vector<Cells>& listed,
            const std::vector<bool>& unread,
            Differences& out)
        : baseline_(baseline),
          listed_(listed),
          unread_(unread),
          out_(out),
          common_(std::min(out.fields.size(), baseline.fields.size())) {}

    void Station(const std::string& name, const StationRows& rows) {
        // The baseline's entries sorted by key, those of one key in the baseline's order, found by halving.
        std::vector<std::string> keys(rows.baseline.size());
        for (size_t b = 0; b < keys.size(); ++b)
            keys[b] = EntryKey(baseline_.rows[rows.baseline[b]]);
        std::vector<size_t> order(keys.size());  // positions in rows.baseline
        std::iota(order.begin(), order.end(), size_t{0});
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
        std::vector<bool> used(keys.size());
        std::vector<std::optional<size_t>> match(rows.listed.size());
        std::vector<std::span<const size_t>> candidates(rows.listed.size());
        // Equal entries pair first, so that of two rows of one name, the one that changed is found.
        for (size_t l = 0; l < rows.listed.size(); ++l) {
            const auto [first, last] = std::equal_range(order.cbegin(), order.cend(),
                                                        EntryKey(listed_[rows.listed[l]]), KeyOrder{keys});
            candidates[l] = std::span<const size_t>(first, last);
            match[l] = Take(candidates[l], used,
                            [&](size_t b) { return Changes(rows.listed[l], rows.baseline[b]).empty(); });
        }
        for (size_t l = 0; l < rows.listed.size(); ++l) {
            if (!match[l])
                match[l] = Take(candidates[l], used, [](size_t) { return true; });
            if (!match[l])
                Add(ChangeKind::Added, listed_[rows.listed[l]]);
            else if (std::vector<bool> changed = Changes(rows.listed[l], rows.baseline[*match[l]]);
                     !changed.empty())
                AddChanged(rows.listed[l], rows.baseline[*match[l]], std::move(changed));
        }
        for (size_t b = 0; b < rows.baseline.size(); ++b)
            if (!used[b])
                AddRemoved(name, baseline_.rows[rows.baseline[b]]);
    }

private:
    template <typename Fits>
    static std::optional<size_t> Take(std::span<const size_t> positions, std::vector<bool>& used, Fits fits) {
        for (size_t b : positions)
            if (!used[b] && fits(b)) {
                used[b] = true;
                return b;
            }
        return std::nullopt;
    }

    // Per field, whether it changed; empty when none did. A file out of reach is compared by path only.
    std::vector<bool> Changes(size_t l, size_t b) const {
        const size_t limit = unread_[l] ? std::min(common_, kFileField + 1) : common_;
        std::vector<bool> changed;
        for (size_t field : kComparedFields)
            if (field < limit && listed_[l][field] != baseline_.rows[b][field]) {
                changed.resize(out_.fields.size());
                changed[field] = true;
            }
        return changed;
    }

    void Add(ChangeKind kind, Cells now) {
        Difference& difference = out_.rows.emplace_back();
        difference.kind = kind;
        difference.known = kind == ChangeKind::Removed ? common_ : now.size();
        now.resize(out_.fields.size());
        difference.now = std::move(now);
        difference.changed.resize(out_.fields.size());
    }

    void AddChanged(size_t l, size_t b, std::vector<bool> changed) {
        Add(ChangeKind::Changed, listed_[l]);
        out_.rows.back().was = baseline_.rows[b];
        out_.rows.back().was.resize(out_.fields.size());
        out_.rows.back().changed = std::move(changed);
    }

    void AddRemoved(const std::string& station, Cells was) {
        was[0] = station;  // as this run names it
        Add(ChangeKind::Removed, std::move(was));
    }

    const Baseline& baseline_;
    const std::vector<Cells>& listed_;
    const std::vector<bool>& unread_;
    Differences& out_;
    size_t common_;  // the fields both sides have
};

}  // namespace

std::string StationKey(const std::string& station, const std::string& computerName) {
    return FoldedKey(station == "." ? computerName : station);
}

Differences Compare(const Baseline& baseline,
                    const Cells& fields,
                    const std::vector<Cells>& listed,
                    const std::vector<bool>& unread,
                    const std::vector<std::string>& stations,
                    const std::string& computerName) {
    Differences out{fields, std::vector<bool>(fields.size()), {}};
    const size_t common = std::min(fields.size(), baseline.fields.size());
    for (size_t field : kComparedFields)
        if (field < common)
            out.compared[field] = true;
    std::unordered_map<std::string, size_t> stationAt;
    for (size_t s = 0; s < stations.size(); ++s)
        stationAt.emplace(StationKey(stations[s], computerName), s);
    std::vector<StationRows> rows(stations.size());
    // Rows come station by station: the station of the row before is looked up once.
    auto sort = [&](const std::vector<Cells>& side, std::vector<size_t> StationRows::*into) {
        const std::string* last = nullptr;
        auto found = stationAt.end();
        for (size_t r = 0; r < side.size(); ++r) {
            if (!last || *last != side[r][0])
                found = stationAt.find(StationKey(side[r][0], computerName));
            last = &side[r][0];
            if (found != stationAt.end())
                (rows[found->second].*into).push_back(r);
        }
    };
    sort(listed, &StationRows::listed);
    sort(baseline.rows, &StationRows::baseline);
    Matcher matcher(baseline, listed, unread, out);
    for (size_t s = 0; s < stations.size(); ++s)
        matcher.Station(stations[s], rows[s]);
    return out;
}
