#include "save_review.h"

#include "driver_record_reader.h"
#include "rivoconfig.h"
#include "rivogen.h"
#include "text_file.h"

#include <iterator>
#include <set>
#include <string_view>
#include <system_error>

namespace rivo {

namespace {

// What a reader takes from the lines of one file.
struct FileValues {
    // By name (the order of kSettingKeys, or of DriverField); none for a value
    // the file does not give.
    std::vector<std::optional<std::string>> values;
    // For each line, whether a value was read from it.
    std::vector<bool> used;
};

FileValues ReadConfigValues(const std::vector<std::string>& lines) {
    FileValues read{std::vector<std::optional<std::string>>(kSettingKeys.size()),
                    std::vector<bool>(lines.size())};
    std::vector<std::optional<std::size_t>> from(kSettingKeys.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const SettingKey* setting = SettingOfLine(lines[i])) {
            const auto index = static_cast<std::size_t>(setting - kSettingKeys.data());
            read.values[index] = LineValue(lines[i], setting->plain);
            from[index] = i; // the last one wins
        }
    }
    for (const auto& line : from) {
        if (line) {
            read.used[*line] = true;
        }
    }
    return read;
}

FileValues ReadDriverValues(const std::vector<std::string>& lines) {
    FileValues read{std::vector<std::optional<std::string>>(kDriverFieldCount),
                    std::vector<bool>(lines.size())};
    DriverRecord record;
    RecordLines from;
    DriverRecordReader(lines).ReadRecord(record, &from);
    for (std::size_t f = 0; f < kDriverFieldCount; ++f) {
        // A default the reader puts in is no value of the file.
        if (from[f]) {
            read.values[f] = record.fields[f];
            read.used[*from[f]] = true;
        }
    }
    return read;
}

std::string ValueName(bool config, std::size_t index) {
    if (config) {
        return kSettingKeys[index].key;
    }
    return index == 0 ? "Name" : DriverFieldKey(static_cast<DriverField>(index));
}

// The lines on disk that no value came from and that the new file does not
// hold either (its own lines other than values, each matching once).
std::vector<std::string> RemovedLines(const std::vector<std::string>& oldLines,
                                      const FileValues& oldRead,
                                      const std::vector<std::string>& newLines,
                                      const FileValues& newRead) {
    std::multiset<std::string_view> written;
    for (std::size_t i = 0; i < newLines.size(); ++i) {
        if (!newRead.used[i]) {
            written.insert(newLines[i]);
        }
    }
    std::vector<std::string> removed;
    for (std::size_t i = 0; i < oldLines.size(); ++i) {
        const std::string& line = oldLines[i];
        if (oldRead.used[i] || line.find_first_not_of(" \t") == std::string::npos) {
            continue;
        }
        if (const auto same = written.find(line); same != written.end()) {
            written.erase(same);
        } else {
            removed.push_back(line);
        }
    }
    return removed;
}

// The file on disk now.
struct DiskNow {
    FileReview::Disk disk = FileReview::Disk::Read;
    std::optional<std::string> bytes;
    std::string reason;
};

DiskNow ReadNow(const std::filesystem::path& host) {
    try {
        return {FileReview::Disk::Read, textfile::readBytes(host), {}};
    } catch (const FileError& e) {
        if (IsMissingFile(e.code())) {
            return {FileReview::Disk::Missing, std::nullopt, {}};
        }
        return {FileReview::Disk::Unreadable, std::nullopt, e.reason()};
    } catch (const std::system_error& e) {
        return {FileReview::Disk::Unreadable, std::nullopt, e.code().message()};
    }
}

bool ChangedElsewhere(const SeenFiles* seen, const std::string& gamePath, const DiskNow& now) {
    if (seen == nullptr) {
        return false;
    }
    const SeenFiles::Content* last = seen->lastSeen(gamePath);
    if (last == nullptr) {
        // Never seen as it is: only a file that is not there is no surprise.
        return now.disk != FileReview::Disk::Missing;
    }
    return now.disk == FileReview::Disk::Unreadable || *last != now.bytes;
}

} // namespace

std::vector<FileReview> ReviewSaveAll(const GameFiles& files, const EditorData& data) {
    std::vector<FileReview> reviews;
    for (const GameFileSave::Planned& file : PlanSaveAll(files, data)) {
        if (file.failure) {
            FileReview& refused = reviews.emplace_back();
            refused.refused = file.failure;
            continue;
        }
        const DiskNow now = ReadNow(file.host);
        if (now.bytes == file.bytes) {
            continue;
        }
        const bool config = file.gamePath == files.ConfigFilePath;
        const auto read = config ? ReadConfigValues : ReadDriverValues;
        const std::vector<std::string> oldLines = textfile::splitLines(now.bytes.value_or(""));
        const std::vector<std::string> newLines = textfile::splitLines(file.bytes);
        const FileValues oldRead = read(oldLines);
        const FileValues newRead = read(newLines);

        FileReview& review = reviews.emplace_back();
        review.gamePath = file.gamePath;
        review.host = file.host;
        review.driver = config ? "" : newRead.values[0].value_or("");
        review.disk = now.disk;
        review.unreadableReason = now.reason;
        review.changedElsewhere = ChangedElsewhere(files.seen, file.gamePath, now);
        for (std::size_t i = 0; i < newRead.values.size(); ++i) {
            if (oldRead.values[i] != newRead.values[i]) {
                review.values.push_back(
                    {ValueName(config, i), i, oldRead.values[i], newRead.values[i].value_or("")});
            }
        }
        review.removedLines = RemovedLines(oldLines, oldRead, newLines, newRead);
    }
    return reviews;
}

} // namespace rivo
