// What the main window does with a file drop or a clipboard file list: the decision between
// opening a list file, ignoring our own drag and adding paths, and where added paths land.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace nesk {

enum class DropAction { OpenListFile, IgnoreOwnDrag, AddPaths };

// `lastOutgoing` holds the paths of the last file drag that started in this window.
DropAction DecideDrop(const std::vector<std::wstring>& dropped, const std::vector<std::wstring>& lastOutgoing);

// Ascending in the user locale's case-insensitive order; names that compare equal stay in
// the order they came.
std::vector<std::wstring> SortedIgnoringCase(std::vector<std::wstring> names);

// Where a block of names inserted one by one at the same row ends up: each name goes in front
// of the one before it, so the block reads descending in front of `row`; a row of -1 appends
// each name instead, so the block reads ascending at the end.
struct InsertionBlock {
    size_t position = 0;
    std::vector<std::wstring> texts;  // in list order from `position` on
};
InsertionBlock BlockForInsertion(const std::vector<std::wstring>& ascending, int row, size_t itemCount);

// A window title as a name for a dropped link: up to the first NUL, without the spaces and
// control characters at its end.
std::wstring CleanWindowTitle(const std::wstring& raw);

}  // namespace nesk
