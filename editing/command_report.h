#pragma once

#include <filesystem>
#include <string>

namespace rivo {

// The one line the window's status line shows after a command did its work.
// Failures are not told here: they stay in message boxes.

// After Save All, Config > Save or Drivers > Save To Game: how many game
// files the save wrote ("Nothing to save" when it wrote none and nothing
// failed), and how many it could not save. `originalsFolder`, given on the
// save that kept the game's first originals, is named once.
std::string SavedText(int written, int failed, const std::string& originalsFolder = {});

// After an import: how many drivers were read, and from where (a set file's
// name; empty for the game's own files).
std::string ImportedText(int drivers, const std::string& fileName = {});

// After Restore: how many of the game's files are as the game had them again.
std::string RestoredText(int restored);

// After Drivers > Save To ...: where the set file was written.
std::string SetFileText(const std::string& where);

} // namespace rivo
