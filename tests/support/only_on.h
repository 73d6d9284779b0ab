#pragma once

#include <gtest/gtest.h>

namespace rivo::test {

// The systems the tests run on: Windows (natively or under Wine) and the
// POSIX systems the editor runs on through a Wine prefix.
enum class System { Windows, Posix };

#ifdef _WIN32
inline constexpr System kThisSystem = System::Windows;
#else
inline constexpr System kThisSystem = System::Posix;
#endif

// Why a test that makes symbolic links skips on Windows.
inline constexpr const char* kNoSymlinks =
    "symbolic links need rights on Windows that a test cannot count on";

} // namespace rivo::test

// Skips the running test on `system` (Windows or Posix), naming why: what it
// checks does not exist there. Use as the test's first statement.
#define RIVO_SKIP_ON(system, reason)                                                               \
    if (::rivo::test::kThisSystem == ::rivo::test::System::system)                                 \
    GTEST_SKIP() << (reason)
