#pragma once

#include <array>
#include <string>

namespace rivo {

// The game's settings from config.ini, each held as the text that follows its
// key, exactly as read.
struct GameSettings {
    std::string SeasonDir;
    std::string SoundDir;
    std::string OptionsDir;
    std::string MovieDir;
    std::string ReplayDir;
    std::string TracksDir;
    std::string VehiclesDir;
    std::string MusicDir;
    std::string SystemRating;
    std::string WindowedMode;
    std::string VideoDriver;
    std::string UseA3D;
    std::string UseEAX;
    std::string InstallFrom;
    std::string InstallTo;
    std::string Version;

    bool operator==(const GameSettings&) const = default;
};

// One key of config.ini: its name, the field it fills, and whether its value
// is written bare (plain) or between double quotes.
struct SettingKey {
    const char* key;
    std::string GameSettings::*field;
    bool plain;
};

// The sixteen keys in file order.
extern const std::array<SettingKey, 16> kSettingKeys;

} // namespace rivo
