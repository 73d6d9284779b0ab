#pragma once

#include <filesystem>
#include <string>

namespace rivo::test {

// A small tmpfs mounted on an existing empty folder for as long as the object
// lives, to make a disk that fills up or turns read-only. Mounting needs
// Linux and the right to mount (root, or a user namespace); where either is
// missing, mounted() is false and whyNot() says why, for GTEST_SKIP.
class SmallDisk {
public:
    SmallDisk(const std::filesystem::path& folder, std::size_t bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return whyNot_.empty(); }
    const std::string& whyNot() const { return whyNot_; }

    // Fills the disk with a filler file until only `pages` pages (4 KiB)
    // are free. Returns false (and sets whyNot) when it cannot.
    bool fillLeaving(int pages);
    // Makes the mounted file system read-only. Returns false (and sets
    // whyNot) when it cannot.
    bool makeReadOnly();

private:
    std::filesystem::path folder_;
    std::string whyNot_;
};

} // namespace rivo::test
