#pragma once

#include "save_review.h"

#include <QString>

namespace rivo {

// A change of the review in the window's words: "Run in Window: Yes → No",
// "Arno Korlan, Qualify: 0.984 → 0.9841"; and as the file has it:
// "WindowedMode: 1 → 0". A value written empty shows as "(empty)".
struct ChangeWords {
    QString words;
    QString inFile;
};

ChangeWords DescribeChange(const FileReview& file, const ValueChange& change);

} // namespace rivo
