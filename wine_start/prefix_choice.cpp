#include "prefix_choice.h"

#include "game_text.h"
#include "terminal_text.h"
#include "wine_paths.h"

namespace rivo {

namespace fs = std::filesystem;

PrefixSource prefixSource(const std::optional<fs::path>& prefixOption, const char* winePrefix,
                          const char* home) {
    PrefixSource source;
    source.home = home != nullptr ? fs::path(home) : fs::path();
    if (prefixOption) {
        source.given = *prefixOption;
        source.place = "--prefix";
    } else if (winePrefix != nullptr && *winePrefix != '\0') {
        source.given = winePrefixFrom(winePrefix, home);
        source.place = "WINEPREFIX";
    }
    return source;
}

std::vector<GamePrefix> gameCandidates(const PrefixSource& source, LauncherFiles* launcherFiles) {
    if (source.given) {
        std::string installDir = installDirInPrefix(*source.given);
        if (installDir.empty()) {
            return {};
        }
        return {{source.place, *source.given, std::move(installDir), {}}};
    }
    if (source.home.empty()) {
        return {};
    }
    return findGamePrefixes(source.home, launcherFiles);
}

std::optional<fs::path> startPrefix(const PrefixSource& source, const ChoosePrefix& choose,
                                    std::string* launcher) {
    if (source.given) {
        return source.given;
    }
    const std::vector<GamePrefix> candidates = gameCandidates(source);
    if (candidates.empty()) {
        return winePrefixFrom(nullptr, source.home.empty() ? nullptr : source.home.c_str());
    }
    std::size_t chosen = 0;
    if (candidates.size() > 1) {
        const std::optional<std::size_t> picked = choose(candidates);
        if (!picked || *picked >= candidates.size()) {
            return std::nullopt;
        }
        chosen = *picked;
    }
    // Wine's own prefix is no launcher's.
    if (launcher != nullptr && candidates[chosen].place != "Wine") {
        *launcher = candidates[chosen].place;
    }
    return candidates[chosen].path;
}

std::string candidateLine(const GamePrefix& prefix) {
    return escapedForTerminal(prefix.path.string()) + "\t" + escapedForTerminal(prefix.place) +
           "\t" + escapedForTerminal(toDisplay(prefix.InstallDir).toStdString());
}

} // namespace rivo
