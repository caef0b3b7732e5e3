// Matching a baseline's entries to the listed ones, station by station: same values first, then by name.
#include "Comparison.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <utility>

#include "CaseFold.h"

namespace {

// command, status, file, publisher, version, signature, signer, sha256; not the description or exists,
// which the signature follows.
constexpr std::array<size_t, 8> kComparedFields{3, 4, 5, 8, 9, 10, 11, 12};
constexpr size_t kFileField = 5;
constexpr size_t kNone = static_cast<size_t>(-1);

// The same entry of one station: location and name alike but for letter case.
template <typename Row>
unsigned long long EntryHash(const Row& cells) {
    return FoldedHash(cells[2], FoldedHash(cells[1], 0xCBF29CE484222325ull) * 31);
}

bool SameEntry(const Cells& a, FieldViews b) {
    return SameFolded(a[2], b[2]) && SameFolded(a[1], b[1]);
}

// Baseline positions by the hash of their entry, those of one hash in the baseline's order.
using HashedPositions = std::vector<std::pair<unsigned long long, size_t>>;
using Candidates = std::pair<HashedPositions::const_iterator, HashedPositions::const_iterator>;

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
          common_(std::min(out.fields.size(), baseline.Fields().size())) {}

    void Station(const std::string& name, const StationRows& rows) {
        HashedPositions byHash(rows.baseline.size());
        for (size_t b = 0; b < byHash.size(); ++b)
            byHash[b] = {EntryHash(baseline_.Row(rows.baseline[b])), b};
        std::sort(byHash.begin(), byHash.end());
        std::vector<bool> used(byHash.size());
        std::vector<Candidates> candidates(rows.listed.size());
        std::vector<size_t> match(rows.listed.size(), kNone);
        // Equal entries pair first, so that of two rows of one name, the one that changed is found.
        for (size_t l = 0; l < rows.listed.size(); ++l) {
            candidates[l] = std::equal_range(byHash.cbegin(), byHash.cend(),
                                             std::pair{EntryHash(listed_[rows.listed[l]]), size_t{0}},
                                             [](const auto& a, const auto& b) { return a.first < b.first; });
            match[l] = Take(candidates[l], rows, l, used, true);
        }
        for (size_t l = 0; l < rows.listed.size(); ++l) {
            if (match[l] == kNone)
                match[l] = Take(candidates[l], rows, l, used, false);
            if (match[l] == kNone)
                Add(ChangeKind::Added, listed_[rows.listed[l]]);
            else if (std::vector<bool> changed = Changes(rows.listed[l], rows.baseline[match[l]]);
                     !changed.empty())
                AddChanged(rows.listed[l], rows.baseline[match[l]], std::move(changed));
        }
        for (size_t b = 0; b < used.size(); ++b)
            if (!used[b])
                AddRemoved(name, baseline_.Row(rows.baseline[b]));
    }

private:
    // The first unused baseline position of listed row l's entry (unchanged when asked), now used; or kNone.
    size_t Take(Candidates candidates,
                const StationRows& rows,
                size_t l,
                std::vector<bool>& used,
                bool unchanged) const {
        for (auto at = candidates.first; at != candidates.second; ++at) {
            const size_t b = at->second;
            if (!used[b] && SameEntry(listed_[rows.listed[l]], baseline_.Row(rows.baseline[b])) &&
                (!unchanged || Changes(rows.listed[l], rows.baseline[b]).empty())) {
                used[b] = true;
                return b;
            }
        }
        return kNone;
    }

    // Per field, whether it changed; empty when none did. A file out of reach is compared by path only.
    std::vector<bool> Changes(size_t l, size_t b) const {
        const size_t limit = unread_[l] ? std::min(common_, kFileField + 1) : common_;
        std::vector<bool> changed;
        for (size_t field : kComparedFields)
            if (field < limit && listed_[l][field] != baseline_.Row(b)[field]) {
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
        const FieldViews was = baseline_.Row(b);
        out_.rows.back().was.assign(was.begin(), was.end());
        out_.rows.back().was.resize(out_.fields.size());
        out_.rows.back().changed = std::move(changed);
    }

    void AddRemoved(const std::string& station, FieldViews baseline) {
        Cells was(baseline.begin(), baseline.end());
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

std::string StationKey(std::string_view station, const std::string& computerName) {
    return FoldedKey(station == "." ? computerName : station);
}

Differences Compare(const Baseline& baseline,
                    const Cells& fields,
                    const std::vector<Cells>& listed,
                    const std::vector<bool>& unread,
                    const std::vector<std::string>& stations,
                    const std::string& computerName) {
    Differences out{fields, std::vector<bool>(fields.size()), {}};
    const size_t common = std::min(fields.size(), baseline.Fields().size());
    for (size_t field : kComparedFields)
        if (field < common)
            out.compared[field] = true;
    std::unordered_map<std::string, size_t> stationAt;
    for (size_t s = 0; s < stations.size(); ++s)
        stationAt.emplace(StationKey(stations[s], computerName), s);
    std::vector<StationRows> rows(stations.size());
    // Rows come station by station: the station of the row before is looked up once.
    auto group = [&](size_t count, auto stationOf, std::vector<size_t> StationRows::*into) {
        std::string_view last;
        auto found = stationAt.end();
        for (size_t r = 0; r < count; ++r) {
            if (r == 0 || stationOf(r) != last)
                found = stationAt.find(StationKey(last = stationOf(r), computerName));
            if (found != stationAt.end())
                (rows[found->second].*into).push_back(r);
        }
    };
    const auto listedStation = [&](size_t r) { return std::string_view(listed[r][0]); };
    const auto baselineStation = [&](size_t r) { return baseline.Row(r)[0]; };
    group(listed.size(), listedStation, &StationRows::listed);
    group(baseline.Rows(), baselineStation, &StationRows::baseline);
    Matcher matcher(baseline, listed, unread, out);
    for (size_t s = 0; s < stations.size(); ++s)
        matcher.Station(stations[s], rows[s]);
    return out;
}
