// The per-user data folder that holds every file of the program, fixed once at start-up.
#pragma once

#include <string>

namespace nesk {

// Creates "<roaming application data>\Lark Project\<name>\" if needed; false when the folder
// does not exist afterwards or the shell cannot say where the application data lives.
bool CreateDataFolder(const std::wstring& name);
// With a trailing backslash; empty before CreateDataFolder succeeded.
const std::wstring& DataFolder();

}  // namespace nesk
