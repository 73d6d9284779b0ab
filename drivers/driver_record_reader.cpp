#include "driver_record_reader.h"

#include "rivogen.h"

#include <array>
#include <utility>

namespace rivo {

namespace {

struct DefaultValue {
    DriverField field;
    const char* value;
};

constexpr DefaultValue kDefaults[] = {
    {DriverField::ReactionTime, "0.065"}, {DriverField::Aggressive, "0.000"},
    {DriverField::Defensive, "0.000"},    {DriverField::Intelligence, "0.000"},
    {DriverField::LimitAverage, "1.000"}, {DriverField::LimitVariance, "0.030"},
};

// The line less the spaces at its start (tabs stay).
std::string WithoutLeadingSpaces(const std::string& line) {
    const auto first = line.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : line.substr(first);
}

// The field whose key is exactly `key`, compared case-sensitively; none for
// DriverName, which has no key.
const DriverField* FieldOfKey(const std::string& key) {
    static const auto kFields = [] {
        std::array<DriverField, kDriverFieldCount - 1> fields{};
        for (std::size_t i = 1; i < kDriverFieldCount; ++i) {
            fields[i - 1] = static_cast<DriverField>(i);
        }
        return fields;
    }();
    for (const DriverField& field : kFields) {
        if (key == DriverFieldKey(field)) {
            return &field;
        }
    }
    return nullptr;
}

} // namespace

void PutDriverDefaults(DriverRecord& record) {
    for (const DefaultValue& d : kDefaults) {
        record[d.field] = d.value;
    }
}

DriverRecordReader::DriverRecordReader(std::vector<std::string> lines) : lines_(std::move(lines)) {}

RecordEnd DriverRecordReader::ReadRecord(DriverRecord& record, RecordLines* from) {
    PutDriverDefaults(record);
    RecordLines ignored;
    RecordLines& source = from != nullptr ? *from : ignored;
    source = {};
    bool firstLine = true;
    while (!AtEnd()) {
        const std::size_t index = next_++;
        const std::string line = WithoutLeadingSpaces(lines_[index]);
        if (!line.empty() && line.front() == '}') {
            return firstLine ? RecordEnd::NoName : RecordEnd::Whole;
        }
        if (firstLine) {
            // An empty first line is the name of an unnamed row in a set
            // file; taking it keeps the records after it on their rows.
            record[DriverField::DriverName] = line;
            source[0] = index;
            firstLine = false;
            continue;
        }
        if (const DriverField* field = FieldOfKey(LineKey(line))) {
            record[*field] = LineValue(line, true);
            source[static_cast<std::size_t>(*field)] = index;
        }
    }
    return firstLine ? RecordEnd::NoName : RecordEnd::CutOff;
}

} // namespace rivo
