#include "rivoconfig.h"

#include "ansi_text.h"
#include "file_error.h"
#include "rivogen.h"
#include "rivoreg.h"
#include "text_file.h"

namespace rivo {

namespace {

// File failures name the game path, as the user knows the file.
template <typename Action> auto namingGamePath(const std::string& gamePath, Action action) {
    try {
        return action();
    } catch (const FileError& e) {
        throw e.withPath(ansi::toUtf8(gamePath));
    }
}

} // namespace

void LocateInstallDir(reg::RegistryApi& registry, WindowOperations& window,
                      std::string& InstallDir) {
    InstallDir = RegistryValueText(RegReadValue(registry, kGameRegistryKey, kInstallDirValue));
    if (!InstallDir.empty()) {
        return;
    }
    window.ShowMessage(kNotInstalledMessage);
    window.CloseMainWindow();
}

void LoadConfig(const GamePaths& paths, const std::string& InstallDir, std::string& ConfigFilePath,
                GameSettings& settings, SeenFiles* seen) {
    ConfigFilePath = InstallDir + "\\config.ini";
    const auto lines = namingGamePath(ConfigFilePath, [&] {
        return textfile::splitLines(
            ReadGameFile(seen, ConfigFilePath, paths.toHost(ConfigFilePath)));
    });
    for (const std::string& line : lines) {
        if (const SettingKey* setting = SettingOfLine(line)) {
            settings.*setting->field = LineValue(line, setting->plain);
        }
    }
}

const SettingKey* SettingOfLine(const std::string& line) {
    const std::string key = LineKey(line);
    for (const SettingKey& setting : kSettingKeys) {
        if (key == setting.key) {
            return &setting;
        }
    }
    return nullptr;
}

std::vector<std::string> ConfigFileLines(const GameSettings& settings) {
    std::vector<std::string> lines;
    lines.reserve(21);
    auto add = [&](const SettingKey& setting) {
        const std::string& value = settings.*setting.field;
        lines.push_back(std::string(setting.key) + "=" +
                        (setting.plain ? value : "\"" + value + "\""));
    };
    lines.emplace_back("[Components]");
    for (std::size_t i = 0; i < 13; ++i) {
        add(kSettingKeys[i]);
    }
    lines.emplace_back("");
    lines.emplace_back("[Install]");
    add(kSettingKeys[13]);
    add(kSettingKeys[14]);
    lines.emplace_back("");
    lines.emplace_back("[Version]");
    add(kSettingKeys[15]);
    return lines;
}

void AddConfigFile(const GamePaths& paths, const std::string& ConfigFilePath,
                   const GameSettings& settings, UnsavedWork& unsaved, GameFileSave& save) {
    // A line break inside a value would end its line early and start another
    // that the game reads as a key of its own.
    for (const SettingKey& setting : kSettingKeys) {
        if ((settings.*setting.field).find_first_of("\r\n") != std::string::npos) {
            save.fail(
                FileError(ansi::toUtf8(ConfigFilePath),
                          std::string("the value of ") + setting.key + " holds a line break"));
            return;
        }
    }
    // Only the settings are saved here; typed driver values stay unsaved.
    save.add(ConfigFilePath, paths, textfile::joinCrLf(ConfigFileLines(settings)),
             [&unsaved](bool saved) {
                 if (saved) {
                     unsaved.settings = false;
                 }
             });
}

void SaveConfig(const GamePaths& paths, const std::string& ConfigFilePath,
                const GameSettings& settings, UnsavedWork& unsaved, SeenFiles* seen,
                const GameFileSave::AskReplace& ask) {
    GameFileSave save(seen, ask);
    AddConfigFile(paths, ConfigFilePath, settings, unsaved, save);
    if (std::vector<FileError> failures = save.run(); !failures.empty()) {
        throw failures.front();
    }
}

void LoadVideoDrivers(const GamePaths& paths, const std::string& InstallDir,
                      const GameSettings& settings, WindowOperations& window,
                      std::string& VideoConfigPath) {
    VideoConfigPath = InstallDir + "\\video.cfg";
    const auto lines = namingGamePath(
        VideoConfigPath, [&] { return textfile::readLines(paths.toHost(VideoConfigPath)); });
    int count = 0;
    for (const std::string& line : lines) {
        const std::string key = LineKey(line);
        // A driver line is "[name]"; a lone "[" names nothing and is skipped.
        if (key.size() < 2 || key.front() != '[') {
            continue;
        }
        const std::string name = key.substr(1, key.size() - 2);
        window.AppendVideoDriver(name);
        if (name == settings.VideoDriver) {
            window.SelectVideoDriver(count);
        }
        ++count;
    }
}

} // namespace rivo
