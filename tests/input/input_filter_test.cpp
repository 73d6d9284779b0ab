#include "key_character.h"
#include "numeric_filter.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

namespace rivo::test {
namespace {

// ---- The filter's rule ----

struct FilterCase {
    int key;
    const char* text;
    bool accepted;
};

class NumericFilterTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(NumericFilterTest, AcceptsDigitsBackspaceAndOnePoint) {
    AllowedKeysTable keys;
    FillAllowedKeys(keys);
    const FilterCase& c = GetParam();
    EXPECT_EQ(AcceptNumericKey(keys, c.key, c.text), c.accepted)
        << "key " << c.key << " into \"" << c.text << "\"";
}

INSTANTIATE_TEST_SUITE_P(Keys, NumericFilterTest,
                         ::testing::Values(FilterCase{'0', "", true}, FilterCase{'9', "1.5", true},
                                           FilterCase{8, "", true}, FilterCase{'.', "", true},
                                           FilterCase{'.', "15", true},
                                           FilterCase{'.', "1.5", false},
                                           FilterCase{'.', ".", false}, FilterCase{'-', "", false},
                                           FilterCase{'+', "1", false}, FilterCase{',', "1", false},
                                           FilterCase{' ', "", false}, FilterCase{'a', "", false},
                                           FilterCase{13, "1", false}, FilterCase{27, "", false},
                                           FilterCase{0x660, "", false}, // an Arabic-Indic zero
                                           FilterCase{0x130, "", false}));

TEST(NumericFilter, TakesNothingBeforeTheKeyTableIsFilled) {
    AllowedKeysTable empty{};
    EXPECT_FALSE(AcceptNumericKey(empty, '5', ""));
}

// ---- Which key presses are characters ----

struct KeyCase {
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    const char* text;
    int code; // -1: not a character
};

class TypedCharacterTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(TypedCharacterTest, TellsCharactersFromEditingKeys) {
    const KeyCase& c = GetParam();
    QKeyEvent event(QEvent::KeyPress, c.key, c.mods, QString::fromLatin1(c.text));
    const std::optional<int> code = typedCharacter(event);
    EXPECT_EQ(code.value_or(-1), c.code);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TypedCharacterTest,
    ::testing::Values(KeyCase{Qt::Key_5, Qt::NoModifier, "5", '5'},
                      KeyCase{Qt::Key_5, Qt::KeypadModifier, "5", '5'},
                      KeyCase{Qt::Key_A, Qt::ShiftModifier, "A", 'A'},
                      KeyCase{Qt::Key_Backspace, Qt::NoModifier, "\b", 8},
                      KeyCase{Qt::Key_Backspace, Qt::NoModifier, "", 8},
                      KeyCase{Qt::Key_Backspace, Qt::ControlModifier, "", -1},
                      KeyCase{Qt::Key_Return, Qt::NoModifier, "\r", 13},
                      KeyCase{Qt::Key_Enter, Qt::KeypadModifier, "\r", 13},
                      KeyCase{Qt::Key_Tab, Qt::NoModifier, "\t", -1},
                      KeyCase{Qt::Key_Delete, Qt::NoModifier, "\x7f", -1},
                      KeyCase{Qt::Key_Left, Qt::NoModifier, "", -1},
                      KeyCase{Qt::Key_V, Qt::ControlModifier, "\x16", -1},
                      KeyCase{Qt::Key_V, Qt::ControlModifier, "v", -1},
                      KeyCase{Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "Z", -1},
                      // AltGr comes as Ctrl+Alt and types.
                      KeyCase{Qt::Key_At, Qt::ControlModifier | Qt::AltModifier, "@", '@'},
                      // Alt with a key that is no menu's mnemonic still types.
                      KeyCase{Qt::Key_Q, Qt::AltModifier, "q", 'q'},
                      KeyCase{Qt::Key_Escape, Qt::NoModifier, "\x1b", -1}));

} // namespace
} // namespace rivo::test
