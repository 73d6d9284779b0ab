#include "prefix_choice.h"

#include "game_text.h"
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

std::optional<fs::path> startPrefix(const PrefixSource& source, UserDialogs& dialogs) {
    if (source.given) {
        return source.given;
    }
    const std::vector<GamePrefix> candidates = gameCandidates(source);
    if (candidates.empty()) {
        return winePrefixFrom(nullptr, source.home.empty() ? nullptr : source.home.c_str());
    }
    if (candidates.size() == 1) {
        return candidates.front().path;
    }
    const std::optional<std::size_t> chosen = dialogs.choosePrefix(candidates);
    if (!chosen || *chosen >= candidates.size()) {
        return std::nullopt;
    }
    return candidates[*chosen].path;
}

namespace {

// A C1 control character (U+0080 to U+009F) in UTF-8: its first byte.
constexpr char kC1Lead = '\xC2';

std::string hexEscape(unsigned char byte) {
    constexpr const char* kDigits = "0123456789abcdef";
    return {'\\', 'x', kDigits[byte >> 4], kDigits[byte & 0xF]};
}

} // namespace

std::string escapedForTerminal(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const char c = field[i];
        const auto byte = static_cast<unsigned char>(c);
        // A terminal acts on control characters; the C1 ones too when they
        // come as UTF-8.
        if (c == kC1Lead && i + 1 < field.size() &&
            static_cast<unsigned char>(field[i + 1]) <= 0x9F &&
            static_cast<unsigned char>(field[i + 1]) >= 0x80) {
            out += hexEscape(byte) + hexEscape(static_cast<unsigned char>(field[++i]));
            continue;
        }
        switch (c) {
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            if (byte < 0x20 || byte == 0x7F) {
                out += hexEscape(byte);
            } else {
                out += c;
            }
        }
    }
    return out;
}

std::string candidateLine(const GamePrefix& prefix) {
    return escapedForTerminal(prefix.path.string()) + "\t" + escapedForTerminal(prefix.place) +
           "\t" + escapedForTerminal(toDisplay(prefix.InstallDir).toStdString());
}

} // namespace rivo
