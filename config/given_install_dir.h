#pragma once

#include "registry_api.h"

#include <map>
#include <string>

namespace rivo {

// A registry that answers the game's "Install Dir" with a folder the user gave
// (--game-folder), whether or not the registry below holds the game's key:
// for a copy of the game moved to a new PC, or an install whose key was
// lost. The game's key opens in every view (with the key below when it is
// there, so its other values still answer); every other key and value is
// the registry's own.
class GivenInstallDir : public reg::RegistryApi {
public:
    // `folder`: game text, such as C:\Games\Kestra.
    GivenInstallDir(reg::RegistryApi& registry, std::string folder);
    ~GivenInstallDir() override;
    GivenInstallDir(const GivenInstallDir&) = delete;
    GivenInstallDir& operator=(const GivenInstallDir&) = delete;

    reg::Status openKey(reg::Root root, const std::string& subKey, std::uint32_t options,
                        std::uint32_t access, reg::Handle& key) override;
    reg::Status queryValue(reg::Handle key, const std::string& valueName, std::uint32_t* type,
                           unsigned char* data, std::uint32_t* size) override;
    reg::Status closeKey(reg::Handle key) override;

private:
    struct OpenKey {
        reg::Handle below = 0; // 0: the key is not in the registry below
        bool gameKey = false;
    };
    reg::RegistryApi& registry_;
    std::string folder_;
    // The handles this registry hands out, each standing for one below (or
    // none): the numbers below are the other registry's, and could clash
    // with any made up here.
    std::map<reg::Handle, OpenKey> open_;
    reg::Handle next_ = 1;
};

} // namespace rivo
