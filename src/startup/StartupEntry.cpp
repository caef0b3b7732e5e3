// Row order by the system's locale-aware comparison, as the list view uses it.
#include "StartupEntry.h"

#include <windows.h>

#include <algorithm>
#include <numeric>
#include <optional>

namespace {

// The name's sort key for the locale lstrcmpA compares in; keys compared bytewise order exactly as
// lstrcmpA orders the names. Nothing when the system cannot make one.
std::optional<std::string> SortKeyOf(const std::string& name) {
    const LCID locale = GetThreadLocale();
    std::string key(name.size() * 8 + 16, '\0');
    int length =
        LCMapStringA(locale, LCMAP_SORTKEY, name.c_str(), -1, key.data(), static_cast<int>(key.size()));
    if (length == 0) {
        length = LCMapStringA(locale, LCMAP_SORTKEY, name.c_str(), -1, nullptr, 0);
        if (length == 0)
            return std::nullopt;
        key.assign(length, '\0');
        if (LCMapStringA(locale, LCMAP_SORTKEY, name.c_str(), -1, key.data(), length) == 0)
            return std::nullopt;
    }
    key.resize(length - 1);  // without its terminating zero
    return key;
}

}  // namespace

bool ShowsBefore(const StartupEntry& a, const StartupEntry& b) {
    return lstrcmpA(a.appName.c_str(), b.appName.c_str()) < 0;
}

void OrderByAppName(std::vector<StartupEntry>& rows) {
    // One key per row instead of two conversions and a locale comparison at each of n log n steps;
    // without keys, lstrcmpA itself. Indices are sorted, not rows: one small sort for every case.
    std::vector<std::string> keys;
    keys.reserve(rows.size());
    for (const StartupEntry& row : rows) {
        std::optional<std::string> key = SortKeyOf(row.appName);
        if (!key) {
            keys.clear();
            break;
        }
        keys.push_back(std::move(*key));
    }
    std::vector<size_t> order(rows.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return keys.empty() ? ShowsBefore(rows[a], rows[b]) : keys[a] < keys[b];
    });
    std::vector<StartupEntry> sorted;
    sorted.reserve(rows.size());
    for (size_t index : order)
        sorted.push_back(std::move(rows[index]));
    rows.swap(sorted);
}
