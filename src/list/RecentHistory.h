// The recent history as the file menu shows it: pruned when loaded, ten entries in each of the
// two history submenus.
#pragma once

#include <string>
#include <vector>

namespace nesk {

constexpr size_t kRecentShown = 10;

// Entries whose file is gone are dropped first (checked from the last to the first), then
// everything after the tenth.
void PruneRecent(std::vector<std::wstring>& recent);

// The entries both history submenus show, in order: the first ten.
std::vector<std::wstring> RecentMenuEntries(const std::vector<std::wstring>& recent);

// A path as a menu caption: "&" would otherwise vanish and underline the next letter.
std::wstring MenuCaption(const std::wstring& text);

}  // namespace nesk
