#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace rivo {

// The eighteen text fields of one driver record, in file order. The name of
// each field other than DriverName is its key in a driver file.
enum class DriverField : std::size_t {
    DriverName,
    Nationality,
    DateofBirth,
    Age,
    Starts,
    Poles,
    Wins,
    BestWorldChampionshipPlace,
    QualifyingAbility,
    RaceAbility,
    CompletedLaps,
    Crash,
    ReactionTime,
    Aggressive,
    Defensive,
    Intelligence,
    LimitAverage,
    LimitVariance,
};

inline constexpr std::size_t kDriverFieldCount = 18;
inline constexpr int kDriverRows = 22;

// The key a field stands under in a driver file ("CompletedLaps%", ...); the
// empty text for DriverName, which is the record's first line.
const char* DriverFieldKey(DriverField field);

// One driver: every field is text, kept byte for byte from reading to writing.
struct DriverRecord {
    std::array<std::string, kDriverFieldCount> fields;

    std::string& operator[](DriverField f) { return fields[static_cast<std::size_t>(f)]; }
    const std::string& operator[](DriverField f) const {
        return fields[static_cast<std::size_t>(f)];
    }
    bool operator==(const DriverRecord&) const = default;
};

// The game's 22 computer drivers in their fixed order, each with the base
// name of its file in the game.
class DriverRoster {
public:
    static const std::string& BaseName(int row);

    DriverRecord& operator[](int row) { return rows_.at(static_cast<std::size_t>(row)); }
    const DriverRecord& operator[](int row) const {
        return rows_.at(static_cast<std::size_t>(row));
    }

    bool operator==(const DriverRoster&) const = default;

private:
    // No "{}" here: clang 14 crashes on it, and the strings start empty anyway.
    std::array<DriverRecord, kDriverRows> rows_;
};

} // namespace rivo
