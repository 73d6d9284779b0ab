#include "sample_game.h"

namespace rivo::test {

std::string SampleConfig() {
    return "[Components]\r\n"
           "SeasonDir=\"Season 1\"\r\n"
           "SoundDir=\"Sounds\"\r\n"
           "OptionsDir=\"Options\"\r\n"
           "MovieDir=\"Movies\"\r\n"
           "ReplayDir=\"Replays\"\r\n"
           "TracksDir=\"Tracks\"\r\n"
           "VehiclesDir=\"Vehicles\"\r\n"
           "MusicDir=\"Music\"\r\n"
           "SystemRating=3\r\n"
           "WindowedMode=1\r\n"
           "VideoDriver=\"3D Accelerator\"\r\n"
           "UseA3D=0\r\n"
           "UseEAX=1\r\n"
           "\r\n"
           "[Install]\r\n"
           "InstallFrom=\"D:\\\"\r\n"
           "InstallTo=\"C:\\Games\\Kestra\"\r\n"
           "\r\n"
           "[Version]\r\n"
           "Version=1.00\r\n";
}

} // namespace rivo::test
