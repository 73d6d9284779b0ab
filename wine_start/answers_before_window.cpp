#include "answers_before_window.h"

#include "game_folder.h"
#include "prefix_choice.h"
#include "prefix_search.h"

#include <cstdlib>

namespace rivo {

namespace {

bool isSet(const char* value) {
    return value != nullptr && *value != '\0';
}

constexpr const char* kNoHome = "HOME is not set, so no Wine prefix was looked at";

// Where the search looked, for --list-prefixes that found nothing.
std::string nothingFound(const PrefixSource& source) {
    if (source.given) {
        return "Kestra is not in the Wine prefix " + source.given->string() + " (from " +
               source.place + ")";
    }
    return std::string("Kestra is in no Wine prefix; looked in ") + kSearchedPlaces;
}

// That the search stopped reading launcher files, or nothing.
std::string launcherFilesNote(int passedOver) {
    if (passedOver == 0) {
        return {};
    }
    return std::to_string(passedOver) +
           (passedOver == 1 ? " launcher file was" : " launcher files were") +
           " not read: a search reads at most " + std::to_string(LauncherFiles::kTotalSize / 1024) +
           " KiB of launcher files";
}

} // namespace

RunEnvironment currentEnvironment() {
    return {std::getenv("WINEPREFIX"), std::getenv("HOME"), std::getenv("DISPLAY"),
            std::getenv("WAYLAND_DISPLAY"), std::getenv("QT_QPA_PLATFORM")};
}

std::optional<int> answerBeforeWindow(const CommandLine& command, const RunEnvironment& environment,
                                      std::ostream& out, std::ostream& err) {
    const PrefixSource source =
        prefixSource(command.prefix, environment.winePrefix, environment.home);
    // --prefix was checked with the command line.
    if (source.given && !command.prefix) {
        if (const std::string problem = prefixProblem(*source.given); !problem.empty()) {
            err << "rivoedit: "
                << escapedForTerminal(std::string("WINEPREFIX ") + environment.winePrefix + ": " +
                                      problem)
                << '\n';
            return kUsageError;
        }
    }
    const GameFolderStart start = withGameFolder(source, command.gameFolder);
    if (!start.problem.empty()) {
        err << "rivoedit: " << escapedForTerminal(start.problem) << '\n';
        return kUsageError;
    }
    if (command.action == CommandLine::Action::ListPrefixes) {
        // Without a home there is nothing to search: an empty list would say
        // that the game is nowhere, when nothing was looked at.
        if (!source.given && source.home.empty()) {
            err << "rivoedit: " << kNoHome << '\n';
            return kUsageError;
        }
        if (command.gameFolder) {
            err << "rivoedit: " << escapedForTerminal(gameFolderNote(start)) << '\n';
        }
        LauncherFiles launcherFiles;
        const std::vector<GamePrefix> candidates = gameCandidates(source, &launcherFiles);
        for (const GamePrefix& candidate : candidates) {
            out << candidateLine(candidate) << '\n';
        }
        const std::string note = launcherFilesNote(launcherFiles.passedOver());
        if (candidates.empty()) {
            err << "rivoedit: " << nothingFound(source) << (note.empty() ? "" : "; ") << note
                << '\n';
            return kNothingFound;
        }
        if (!note.empty()) {
            err << "rivoedit: " << note << '\n';
        }
        return 0;
    }
    if (!command.displayGiven() && !isSet(environment.qtPlatform) && !isSet(environment.display) &&
        !isSet(environment.waylandDisplay)) {
        err << "rivoedit: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not "
               "set)\n";
        return kNoDisplay;
    }
    // Without a home there is no ~/.wine and nothing to search: the current
    // folder would be taken for the prefix.
    if (!start.source.given && start.source.home.empty()) {
        err << "rivoedit: " << kNoHome << '\n';
        return kUsageError;
    }
    return std::nullopt;
}

std::string unreachableDisplayLine(const CommandLine& command, const RunEnvironment& environment) {
    std::string named;
    const auto add = [&named](const std::string& what) {
        named += (named.empty() ? "" : ", ") + what;
    };
    if (command.platform) {
        add("-platform " + *command.platform);
    }
    if (isSet(environment.qtPlatform)) {
        add(std::string("QT_QPA_PLATFORM=") + environment.qtPlatform);
    }
    if (command.display) {
        add("-display " + *command.display);
    }
    if (isSet(environment.display)) {
        add(std::string("DISPLAY=") + environment.display);
    }
    if (isSet(environment.waylandDisplay)) {
        add(std::string("WAYLAND_DISPLAY=") + environment.waylandDisplay);
    }
    return "rivoedit: " +
           escapedForTerminal("no display could be opened for the window (" + named + ")") + "\n";
}

} // namespace rivo
