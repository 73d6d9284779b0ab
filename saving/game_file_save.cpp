#include "game_file_save.h"

#include "ansi_text.h"
#include "originals.h"
#include "text_file.h"

namespace rivo {

GameFileSave::OnDisk GameFileSave::readNow(const std::filesystem::path& host) {
    try {
        return {OnDisk::State::Bytes, textfile::readBytes(host)};
    } catch (const FileError& e) {
        if (IsMissingFile(e.code())) {
            return {OnDisk::State::Missing, {}};
        }
    } catch (const std::system_error&) {
    }
    std::error_code ignored;
    return {std::filesystem::is_regular_file(host, ignored) ? OnDisk::State::Unreadable
                                                            : OnDisk::State::NoFile,
            {}};
}

bool GameFileSave::changedElsewhere(const std::string& gamePath, const OnDisk& now) const {
    // A file that is there but cannot be read holds what RivoEdit never saw.
    if (now.state == OnDisk::State::Unreadable) {
        return true;
    }
    if (seen_ == nullptr) {
        return false;
    }
    if (seen_->lastReadFailed(gamePath)) {
        return true;
    }
    const SeenFiles::Content* last = seen_->lastSeen(gamePath);
    if (last == nullptr) {
        return false;
    }
    if (now.state == OnDisk::State::NoFile) {
        return true;
    }
    return now.state == OnDisk::State::Bytes ? *last != now.bytes : last->has_value();
}

void GameFileSave::add(std::string gamePath, std::filesystem::path host, std::string bytes,
                       Done done) {
    entries_.push_back(
        Entry{std::move(gamePath), std::move(host), std::move(bytes), std::move(done), {}});
}

void GameFileSave::add(std::string gamePath, const GamePaths& paths, std::string bytes, Done done) {
    std::filesystem::path host = paths.toHost(gamePath);
    std::filesystem::path storeCopy = paths.storeCopy(gamePath);
    add(std::move(gamePath), host, std::move(bytes), std::move(done));
    if (storeCopy != host) {
        entries_.back().storeCopy = std::move(storeCopy);
    }
}

void GameFileSave::addRemoval(std::string gamePath, const GamePaths& paths, Done done) {
    add(std::move(gamePath), paths.toHost(gamePath), {}, std::move(done));
    entries_.back().remove = true;
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

void GameFileSave::keepOriginal(const Entry& entry, const std::string& shown) const {
    Originals* originals = seen_ != nullptr ? seen_->originals() : nullptr;
    if (originals == nullptr || !originals->wants(entry.gamePath)) {
        return;
    }
    std::optional<std::string> bytes;
    if (originals->has(entry.gamePath)) {
        // Kept already: only the list is brought up to date.
    } else if (entry.firstLook.state == OnDisk::State::Bytes) {
        bytes = entry.firstLook.bytes;
    } else if (entry.firstLook.state != OnDisk::State::Missing) {
        throw FileError(shown, std::string(kOriginalNotKept) + "the file cannot be read), " +
                                   kLeftAsItWas);
    }
    try {
        originals->keep(entry.gamePath, bytes);
    } catch (const FileError& e) {
        throw FileError(shown, std::string(kOriginalNotKept) + e.path() + ": " + e.reason() +
                                   "), " + kLeftAsItWas);
    }
}

void GameFileSave::replace(const Entry& entry, const std::filesystem::path& host,
                           const OnDisk& expected, const std::string& shown) const {
    const auto lastLook = [&] {
        if (readNow(host) != expected) {
            throw FileError(shown, kChangedElsewhereReason);
        }
        keepOriginal(entry, shown);
        // Keeping may wait for another RivoEdit's keep: look once more.
        if (readNow(host) != expected) {
            throw FileError(shown, kChangedElsewhereReason);
        }
    };
    if (entry.remove) {
        textfile::removeFile(host, lastLook);
    } else {
        textfile::writeAtomic(host, entry.bytes, lastLook);
    }
}

std::optional<FileError> GameFileSave::write(const Entry& entry) const {
    const std::string shown = ansi::toUtf8(entry.gamePath);
    try {
        try {
            replace(entry, entry.host, entry.firstLook, shown);
        } catch (const FileError& e) {
            if (entry.storeCopy.empty() || !RefusedForRights(e.code())) {
                throw;
            }
            // Windows lets the game write here only as its own copy, which
            // the game then reads: the file goes there, as the game's would.
            std::error_code error;
            std::filesystem::create_directories(entry.storeCopy.parent_path(), error);
            if (error) {
                throw FileError(displayPath(entry.storeCopy.parent_path()), error);
            }
            replace(entry, entry.storeCopy, OnDisk{OnDisk::State::Missing, {}}, shown);
        }
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
        entry.firstLook = readNow(entry.host);
        const OnDisk& now = entry.firstLook;
        const bool there = entry.remove
                               ? now.state == OnDisk::State::Missing
                               : now.state == OnDisk::State::Bytes && now.bytes == entry.bytes;
        if (there) {
            entry.plan = Plan::AlreadyThere;
            continue;
        }
        if (changedElsewhere(entry.gamePath, now)) {
            entry.plan = Plan::ChangedElsewhere;
            changed.push_back(ansi::toUtf8(entry.gamePath));
        }
    }
    const bool replaceChanged = changed.empty() || (ask_ && ask_(changed));

    std::vector<FileError> failures;
    written_ = 0;
    for (Entry& entry : entries_) {
        std::optional<FileError> failure = entry.failure;
        if (!failure && entry.plan == Plan::ChangedElsewhere && !replaceChanged) {
            failure = FileError(ansi::toUtf8(entry.gamePath), kChangedElsewhereReason);
        } else if (!failure && entry.plan != Plan::AlreadyThere) {
            failure = write(entry);
            written_ += failure ? 0 : 1;
        }
        if (failure) {
            failures.push_back(*failure);
        } else if (seen_ != nullptr) {
            seen_->remember(entry.gamePath,
                            entry.remove ? SeenFiles::Content() : SeenFiles::Content(entry.bytes));
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
