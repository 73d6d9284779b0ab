#include "answers_before_window.h"

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
    if (source.home.empty()) {
        return kNoHome;
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
            err << "rivoedit: WINEPREFIX " << environment.winePrefix << ": " << problem << '\n';
            return kUsageError;
        }
    }
    if (command.action == CommandLine::Action::ListPrefixes) {
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
    if (!command.displayGiven && !isSet(environment.qtPlatform) && !isSet(environment.display) &&
        !isSet(environment.waylandDisplay)) {
        err << "rivoedit: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not "
               "set)\n";
        return kNoDisplay;
    }
    // Without a home there is no ~/.wine and nothing to search: the current
    // folder would be taken for the prefix.
    if (!source.given && source.home.empty()) {
        err << "rivoedit: " << kNoHome << '\n';
        return kUsageError;
    }
    return std::nullopt;
}

} // namespace rivo
