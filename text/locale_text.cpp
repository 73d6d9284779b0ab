#include "locale_text.h"

#include "codepage.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <langinfo.h>

namespace rivo {

namespace {

// An iconv descriptor that closes itself.
class Converter {
public:
    explicit Converter(const char* from) : cd_(::iconv_open("UTF-8", from)) {}
    ~Converter() {
        if (ok()) {
            ::iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

} // namespace

std::string localeBytesToUtf8(std::string_view bytes) {
    if (std::all_of(bytes.begin(), bytes.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return std::string(bytes);
    }
    Converter converter(::nl_langinfo(CODESET));
    if (!converter.ok()) {
        return codepage::cp1252ToUtf8(bytes);
    }
    std::string out;
    std::string chunk(4 * bytes.size() + 16, '\0');
    std::string in(bytes);
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    while (inLeft > 0) {
        char* outPtr = chunk.data();
        std::size_t outLeft = chunk.size();
        const std::size_t done = ::iconv(converter.get(), &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(chunk.data(), chunk.size() - outLeft);
        if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // Not valid in the locale's code set (or cut short): this one
            // byte as Windows-1252, then on with a fresh state.
            out += codepage::cp1252ToUtf8(std::string_view(inPtr, 1));
            ++inPtr;
            --inLeft;
            ::iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

} // namespace rivo
