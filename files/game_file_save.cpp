#include "game_file_save.h"

#include "codepage.h"
#include "text_file.h"

namespace rivo {

namespace {

// A file as it is on disk now: its bytes, or nothing when it is missing;
// `readable` is false when it is there but cannot be read.
struct OnDisk {
    bool readable = true;
    SeenFiles::Content content;
};

OnDisk ReadNow(const std::filesystem::path& host) {
    try {
        return {true, textfile::readBytes(host)};
    } catch (const FileError& e) {
        if (IsMissingFile(e.code())) {
            return {true, std::nullopt};
        }
    } catch (const std::system_error&) {
    }
    return {false, std::nullopt};
}

} // namespace

void GameFileSave::add(std::string gamePath, std::filesystem::path host, std::string bytes,
                       Done done) {
    entries_.push_back(
        Entry{std::move(gamePath), std::move(host), std::move(bytes), std::move(done), {}});
}

void GameFileSave::fail(FileError failure) {
    entries_.push_back(Entry{{}, {}, {}, {}, std::move(failure)});
}

std::vector<GameFileSave::Planned> GameFileSave::planned() const {
    std::vector<Planned> files;
    files.reserve(entries_.size());
    for (const Entry& entry : entries_) {
        files.push_back(Planned{entry.gamePath, entry.host, entry.bytes, entry.failure});
    }
    return files;
}

std::optional<FileError> GameFileSave::write(const Entry& entry) const {
    const std::string shown = codepage::cp1252ToUtf8(entry.gamePath);
    try {
        textfile::writeAtomic(entry.host, entry.bytes);
    } catch (const FileError& e) {
        return e.withPath(shown);
    } catch (const std::system_error& e) {
        return FileError(shown, e.code());
    }
    return std::nullopt;
}

std::vector<FileError> GameFileSave::run() {
    // Every file is looked at before any is written, so that one question
    // covers them all.
    std::vector<std::string> changed;
    for (Entry& entry : entries_) {
        if (entry.failure) {
            continue;
        }
        const OnDisk now = ReadNow(entry.host);
        if (now.readable && now.content == entry.bytes) {
            entry.plan = Plan::AlreadyThere;
            continue;
        }
        const SeenFiles::Content* last = seen_ ? seen_->lastSeen(entry.gamePath) : nullptr;
        if (last != nullptr && (!now.readable || now.content != *last)) {
            entry.plan = Plan::ChangedElsewhere;
            changed.push_back(codepage::cp1252ToUtf8(entry.gamePath));
        }
    }
    const bool replaceChanged = changed.empty() || (ask_ && ask_(changed));

    std::vector<FileError> failures;
    for (Entry& entry : entries_) {
        std::optional<FileError> failure = entry.failure;
        if (!failure && entry.plan == Plan::ChangedElsewhere && !replaceChanged) {
            failure = FileError(codepage::cp1252ToUtf8(entry.gamePath), kChangedElsewhereReason);
        } else if (!failure && entry.plan != Plan::AlreadyThere) {
            failure = write(entry);
        }
        if (failure) {
            failures.push_back(*failure);
        } else if (seen_ != nullptr) {
            seen_->remember(entry.gamePath, entry.bytes);
        }
        if (entry.done) {
            entry.done(!failure);
        }
    }
    for (const auto& hook : hooks_) {
        hook();
    }
    return failures;
}

} // namespace rivo
