#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>

namespace rivo {

// Command-line arguments as QString without losing a byte. Off Windows an
// argument is bytes, and a folder name need not be UTF-8; decoding it as
// UTF-8 would turn such bytes into U+FFFD and name another folder. So UTF-8
// is decoded as usual and every byte that is not part of valid UTF-8 becomes
// the lone surrogate U+DC80 to U+DCFF, which valid UTF-8 never yields.
QString argumentText(std::string_view bytes);
// The bytes of an argument that argumentText made.
std::string argumentBytes(const QString& text);
// argv, each argument through argumentText.
QStringList argumentTexts(int argc, const char* const argv[]);

} // namespace rivo
