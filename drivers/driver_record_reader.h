#pragma once

#include "driver_roster.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace rivo {

// Puts the values every read of a record starts from into the six stats
// fields that have one (ReactionTime "0.065", ..., LimitVariance "0.030").
void PutDriverDefaults(DriverRecord& record);

// How far a record went before the lines ran out or its "}" line ended it.
enum class RecordEnd {
    NoName, // no name line: the lines had run out, or the first one began with "}"
    CutOff, // a name line, but the lines ran out before a "}" line
    Whole,  // a name line and a "}" line
};

// For each field of a record, the index of the line it was read from (the
// name line for DriverName), or none when the record gave it no value.
using RecordLines = std::array<std::optional<std::size_t>, kDriverFieldCount>;

// Reads driver records one after another from the lines of a file: one
// record from a game driver file, up to 22 from a driver set file.
class DriverRecordReader {
public:
    explicit DriverRecordReader(std::vector<std::string> lines);

    // Reads the next record into `record`. The six defaults go in first; the
    // record's first line is the DriverName, whatever it holds (also when it
    // is empty); then every line whose key is one of the seventeen sets that
    // field, the last one winning, until a line beginning with "}" (used up)
    // or the end of the lines. Leading spaces are not part of a line. Fields
    // the record does not name keep their values. Says how far the record
    // went. With `from`, also tells which line each field came from.
    RecordEnd ReadRecord(DriverRecord& record, RecordLines* from = nullptr);

    bool AtEnd() const { return next_ >= lines_.size(); }

private:
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
};

} // namespace rivo
