#include "fake_registry.h"

#include "registry_query.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace rivo::test {

namespace {
// Keys of the 64-bit view, and of HKEY_CURRENT_USER, are kept under these
// marks.
const std::string k64BitView = "64-bit view:";
const std::string kCurrentUser = "current user:";
} // namespace

std::string FakeRegistry::fold(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

void FakeRegistry::addKey(const std::string& key) {
    keys_[fold(key)];
}

void FakeRegistry::setRaw(const std::string& key, const std::string& name, std::uint32_t type,
                          std::vector<unsigned char> data) {
    keys_[fold(key)][fold(name)] = Value{type, std::move(data)};
}

void FakeRegistry::setText(const std::string& key, const std::string& name,
                           const std::string& text) {
    std::vector<unsigned char> data(text.begin(), text.end());
    data.push_back(0);
    setRaw(key, name, reg::kTypeSz, std::move(data));
}

void FakeRegistry::setText64(const std::string& key, const std::string& name,
                             const std::string& text) {
    setText(k64BitView + key, name, text);
}

void FakeRegistry::setUserText(const std::string& key, const std::string& name,
                               const std::string& text) {
    setText(kCurrentUser + key, name, text);
}

void FakeRegistry::setDword(const std::string& key, const std::string& name, std::uint32_t number) {
    setRaw(key, name, reg::kTypeDword,
           {static_cast<unsigned char>(number), static_cast<unsigned char>(number >> 8),
            static_cast<unsigned char>(number >> 16), static_cast<unsigned char>(number >> 24)});
}

reg::Status FakeRegistry::openKey(reg::Root root, const std::string& subKey, std::uint32_t,
                                  std::uint32_t access, reg::Handle& key) {
    openAccess.push_back(access);
    std::string folded;
    if (root == reg::Root::CurrentUser) {
        folded = fold(kCurrentUser + subKey);
    } else if (root == reg::Root::LocalMachine) {
        folded = fold((access & reg::kKeyWow64_64Key) != 0 ? k64BitView + subKey : subKey);
    } else {
        return reg::kInvalidHandle;
    }
    for (const auto& d : denied) {
        if (fold(d) == folded) {
            return reg::kAccessDenied;
        }
    }
    if (keys_.find(folded) == keys_.end()) {
        return reg::kFileNotFound;
    }
    key = next_++;
    open_[key] = folded;
    return reg::kSuccess;
}

reg::Status FakeRegistry::queryValue(reg::Handle key, const std::string& valueName,
                                     std::uint32_t* type, unsigned char* data,
                                     std::uint32_t* size) {
    const auto handle = open_.find(key);
    if (handle == open_.end()) {
        return reg::kInvalidHandle;
    }
    const auto& values = keys_[handle->second];
    const auto found = values.find(fold(valueName));
    if (found == values.end()) {
        return reg::kFileNotFound;
    }
    const Value& value = found->second;
    return reg::answerQuery(
        value.type,
        std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size()), type,
        data, size);
}

reg::Status FakeRegistry::closeKey(reg::Handle key) {
    return open_.erase(key) == 1 ? reg::kSuccess : reg::kInvalidHandle;
}

} // namespace rivo::test
