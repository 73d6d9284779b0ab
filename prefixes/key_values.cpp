#include "key_values.h"

#include <algorithm>

namespace rivo::keyvalues {

namespace {

bool sameLetters(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    // The pairs up to the closing brace of a block (`inBlock`) or the end of
    // the text.
    bool pairs(std::vector<Node>& into, int depth, bool inBlock) {
        for (;;) {
            Token key = next();
            if (key.kind == Kind::End || key.kind == Kind::Close) {
                return inBlock == (key.kind == Kind::Close);
            }
            if (key.kind != Kind::Text) {
                return false;
            }
            if (!key.quoted && !into.empty() && key.text.size() >= 2 && key.text.front() == '[' &&
                key.text.back() == ']') {
                continue; // the condition of the pair before
            }
            Node node;
            node.key = std::move(key.text);
            Token value = next();
            if (value.kind == Kind::Text) {
                node.value = std::move(value.text);
            } else if (value.kind == Kind::Open && depth < kMaxDepth) {
                node.block = true;
                if (!pairs(node.children, depth + 1, true)) {
                    return false;
                }
            } else {
                return false;
            }
            into.push_back(std::move(node));
        }
    }

private:
    enum class Kind { End, Text, Open, Close, Broken };
    struct Token {
        Kind kind = Kind::End;
        std::string text;
        bool quoted = false;
    };

    // Skips blanks and // comments.
    void skipSpace() {
        while (pos_ < text_.size()) {
            const auto c = static_cast<unsigned char>(text_[pos_]);
            if (c <= ' ') {
                ++pos_;
            } else if (text_.substr(pos_, 2) == "//") {
                const std::size_t end = text_.find('\n', pos_);
                pos_ = end == std::string_view::npos ? text_.size() : end + 1;
            } else {
                return;
            }
        }
    }

    Token next() {
        skipSpace();
        Token token;
        if (pos_ >= text_.size()) {
            return token;
        }
        const char c = text_[pos_];
        if (c == '{' || c == '}') {
            ++pos_;
            token.kind = c == '{' ? Kind::Open : Kind::Close;
            return token;
        }
        token.kind = Kind::Text;
        if (c != '"') {
            const std::size_t start = pos_;
            while (pos_ < text_.size() && static_cast<unsigned char>(text_[pos_]) > ' ' &&
                   text_[pos_] != '"' && text_[pos_] != '{' && text_[pos_] != '}') {
                ++pos_;
            }
            token.text = text_.substr(start, pos_ - start);
            return token;
        }
        token.quoted = true;
        for (++pos_; pos_ < text_.size(); ++pos_) {
            char ch = text_[pos_];
            if (ch == '"') {
                ++pos_;
                return token;
            }
            if (ch == '\\' && pos_ + 1 < text_.size()) {
                const char escaped = text_[++pos_];
                switch (escaped) {
                case 'n':
                    ch = '\n';
                    break;
                case 't':
                    ch = '\t';
                    break;
                case '\\':
                case '"':
                    ch = escaped;
                    break;
                default:
                    // Not an escape: the backslash stands for itself.
                    token.text.push_back('\\');
                    ch = escaped;
                    break;
                }
            }
            token.text.push_back(ch);
        }
        token.kind = Kind::Broken; // the string is not closed
        return token;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace

const Node* Node::find(std::string_view wanted) const {
    const auto it = std::find_if(children.begin(), children.end(),
                                 [&](const Node& child) { return sameLetters(child.key, wanted); });
    return it == children.end() ? nullptr : &*it;
}

std::optional<std::vector<Node>> parse(std::string_view text) {
    std::vector<Node> top;
    if (!Parser(text).pairs(top, 0, false)) {
        return std::nullopt;
    }
    return top;
}

} // namespace rivo::keyvalues
