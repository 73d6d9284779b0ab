#include "game_settings.h"

namespace rivo {

const std::array<SettingKey, 16> kSettingKeys = {{
    {"SeasonDir", &GameSettings::SeasonDir, false},
    {"SoundDir", &GameSettings::SoundDir, false},
    {"OptionsDir", &GameSettings::OptionsDir, false},
    {"MovieDir", &GameSettings::MovieDir, false},
    {"ReplayDir", &GameSettings::ReplayDir, false},
    {"TracksDir", &GameSettings::TracksDir, false},
    {"VehiclesDir", &GameSettings::VehiclesDir, false},
    {"MusicDir", &GameSettings::MusicDir, false},
    {"SystemRating", &GameSettings::SystemRating, true},
    {"WindowedMode", &GameSettings::WindowedMode, true},
    {"VideoDriver", &GameSettings::VideoDriver, false},
    {"UseA3D", &GameSettings::UseA3D, true},
    {"UseEAX", &GameSettings::UseEAX, true},
    {"InstallFrom", &GameSettings::InstallFrom, false},
    {"InstallTo", &GameSettings::InstallTo, false},
    {"Version", &GameSettings::Version, true},
}};

} // namespace rivo
