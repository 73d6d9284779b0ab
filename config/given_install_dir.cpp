#include "given_install_dir.h"

#include "registry_query.h"
#include "rivoreg.h"

#include <algorithm>
#include <cctype>

namespace rivo {

namespace {

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

GivenInstallDir::GivenInstallDir(reg::RegistryApi& registry, std::string folder)
    : registry_(registry), folder_(std::move(folder)) {}

GivenInstallDir::~GivenInstallDir() {
    for (const auto& [handle, key] : open_) {
        if (key.below != 0) {
            registry_.closeKey(key.below);
        }
    }
}

reg::Status GivenInstallDir::openKey(reg::Root root, const std::string& subKey,
                                     std::uint32_t options, std::uint32_t access,
                                     reg::Handle& key) {
    reg::Handle below = 0;
    const reg::Status status = registry_.openKey(root, subKey, options, access, below);
    const bool gameKey =
        root == reg::Root::LocalMachine && equalsIgnoringCase(subKey, kGameRegistryKey);
    if (status != reg::kSuccess && !gameKey) {
        return status;
    }
    key = next_++;
    open_[key] = {status == reg::kSuccess ? below : 0, gameKey};
    return reg::kSuccess;
}

reg::Status GivenInstallDir::queryValue(reg::Handle key, const std::string& valueName,
                                        std::uint32_t* type, unsigned char* data,
                                        std::uint32_t* size) {
    const auto found = open_.find(key);
    if (found == open_.end()) {
        return reg::kInvalidHandle;
    }
    if (found->second.gameKey && equalsIgnoringCase(valueName, kInstallDirValue)) {
        // Text as the registry hands it out: its terminating NUL counted.
        return reg::answerQuery(reg::kTypeSz, std::string_view(folder_.c_str(), folder_.size() + 1),
                                type, data, size);
    }
    if (found->second.below == 0) {
        return reg::kFileNotFound;
    }
    return registry_.queryValue(found->second.below, valueName, type, data, size);
}

reg::Status GivenInstallDir::closeKey(reg::Handle key) {
    const auto found = open_.find(key);
    if (found == open_.end()) {
        return reg::kInvalidHandle;
    }
    const reg::Handle below = found->second.below;
    open_.erase(found);
    return below != 0 ? registry_.closeKey(below) : reg::kSuccess;
}

} // namespace rivo
