#include "answers_before_window.h"

#include "prefix_choice.h"
#include "prefix_search.h"

#include <cstdlib>

namespace rivo {

namespace {

bool isSet(const char* value) {
    return value != nullptr && *value != '\0';
}

// Where the search looked, for --list-prefixes that found nothing.
std::string nothingFound(const PrefixSource& source) {
    if (source.given) {
        return "Kestra is not in the Wine prefix " + source.given->string() + " (from " +
               source.place + ")";
    }
    if (source.home.empty()) {
        return "HOME is not set, so no Wine prefix was looked at";
    }
    return std::string("Kestra is in no Wine prefix; looked in ") + kSearchedPlaces;
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
        const std::vector<GamePrefix> candidates = gameCandidates(source);
        for (const GamePrefix& candidate : candidates) {
            out << candidateLine(candidate) << '\n';
        }
        if (candidates.empty()) {
            err << "rivoedit: " << nothingFound(source) << '\n';
            return kNothingFound;
        }
        return 0;
    }
    if (!command.platformGiven && !isSet(environment.qtPlatform) && !isSet(environment.display) &&
        !isSet(environment.waylandDisplay)) {
        err << "rivoedit: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not "
               "set)\n";
        return kNoDisplay;
    }
    return std::nullopt;
}

} // namespace rivo
