#include "driver_roster.h"

namespace rivo {

namespace {

const std::array<std::string, kDriverRows> kBaseNames = {
    "AKorlan",   "BTessaro",  "CMadrell", "DVelland",  "EBrunhold", "FOstrel",
    "GLindqvar", "HPavenna",  "IRocasta", "JSelwark",  "KTarrent",  "LUmbrell",
    "MVasquel",  "NWestrand", "OYardell", "PZellick",  "QAbernat",  "RBoskovan",
    "SCastrell", "TDunvale",  "UEckarn",  "VFalbrook",
};

constexpr std::array<const char*, kDriverFieldCount> kFieldKeys = {
    "",
    "Nationality",
    "DateofBirth",
    "Age",
    "Starts",
    "Poles",
    "Wins",
    "BestWorldChampionshipPlace",
    "QualifyingAbility",
    "RaceAbility",
    "CompletedLaps%",
    "Crash%",
    "ReactionTime",
    "Aggressive",
    "Defensive",
    "Intelligence",
    "LimitAverage",
    "LimitVariance",
};

} // namespace

const char* DriverFieldKey(DriverField field) {
    return kFieldKeys.at(static_cast<std::size_t>(field));
}

const std::string& DriverRoster::BaseName(int row) {
    return kBaseNames.at(static_cast<std::size_t>(row));
}

} // namespace rivo
