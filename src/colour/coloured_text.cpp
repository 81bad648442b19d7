#include "colour/coloured_text.h"

#include "world/utf8.h"

namespace {

constexpr char kEndOfText = 26;  // Ctrl-Z

bool endsText(char c) {
    return c == '\0' || c == kEndOfText;
}

std::string token(char kind, int entry) {
    std::string t = {'\\', kind, static_cast<char>('0' + entry / 10), static_cast<char>('0' + entry % 10)};
    return t;
}

// Every non-overlapping occurrence of code, left to right, replaced by replacement.
std::string replaceAll(const std::string& text, const std::string& code, const std::string& replacement) {
    size_t found = text.find(code);
    if (found == std::string::npos) return text;
    std::string out;
    out.reserve(text.size());
    size_t from = 0;
    while (found != std::string::npos) {
        out.append(text, from, found - from);
        out += replacement;
        from = found + code.size();
        found = text.find(code, from);
    }
    out.append(text, from, std::string::npos);
    return out;
}

// The drawing state of one renderColoured call, carried from line to line.
class LabelBuilder {
public:
    explicit LabelBuilder(const ColourLists& scheme) : scheme_(scheme) {}

    void drawLine(const std::string& s) {
        startLabel();
        size_t k = 0;
        while (k < s.size()) {
            if (isToken(s, k)) {
                applyToken(s[k + 1], digit(s[k + 2]) * 10 + digit(s[k + 3]));
                k += 4;
            } else {
                k += drawCharacter(s, k);
            }
            ColourLabel& label = labels_.back();
            if (!label.text.empty()) {
                label.opaque = true;
                label.bg = bg_;
                label.background = scheme_.background(bg_);
            }
        }
        column_ = 1;
        ++line_;
    }

    ColourLabelList take() { return std::move(labels_); }

private:
    static int digit(char c) { return static_cast<int>(static_cast<unsigned char>(c)) - '0'; }

    // A backslash with at least three more characters in its line, the first c or b.
    static bool isToken(const std::string& s, size_t k) {
        return s[k] == '\\' && k + 3 < s.size() && (s[k + 1] == 'c' || s[k + 1] == 'b');
    }

    void startLabel() {
        ColourLabel label;
        label.column = column_;
        label.line = line_;
        label.fg = fg_;
        label.bg = bg_;
        label.foreground = scheme_.foreground(fg_);
        label.background = scheme_.background(bg_);
        labels_.push_back(std::move(label));
    }

    void applyToken(char kind, int entry) {
        if (entry < 1) entry = 1;
        if (kind == 'c') {
            fg_ = entry;
            if (entry == 1) bg_ = 1;
        } else {
            bg_ = entry;
        }
        if (fg_ == lastFg_ && bg_ == lastBg_) return;
        ColourLabel& label = labels_.back();
        if (kind == 'b' || !label.text.empty()) {
            startLabel();
        } else {
            // A label without text takes the new colours; both of them, so that the
            // colours it is drawn in are always the ones the next token compares with.
            label.fg = fg_;
            label.bg = bg_;
            label.foreground = scheme_.foreground(fg_);
            label.background = scheme_.background(bg_);
        }
        labels_.back().opaque = false;
        lastFg_ = fg_;
        lastBg_ = bg_;
    }

    // Appends the character at k to the label; returns how many bytes it took.
    size_t drawCharacter(const std::string& s, size_t k) {
        const char c = s[k];
        if (c == '\r' || c == '\n') return 1;  // line ends take no cell
        char32_t codePoint = 0;
        const int length = static_cast<unsigned char>(c) < 0x80 ? 1 : decodeUtf8(s, k, codePoint);
        const size_t taken = length > 0 ? static_cast<size_t>(length) : 1;
        labels_.back().text.append(s, k, taken);
        ++column_;
        return taken;
    }

    const ColourLists& scheme_;
    ColourLabelList labels_;
    int line_ = 1;
    int column_ = 1;
    int fg_ = 1;
    int bg_ = 1;
    int lastFg_ = 1;
    int lastBg_ = 1;
};

}  // namespace

std::string translateCodes(std::string_view text, const ColourLists& scheme) {
    std::string t(text);
    for (int i = 1; i <= kColourEntries; ++i)
        if (!scheme.fgCodes[i].empty()) t = replaceAll(t, scheme.fgCodes[i], token('c', i));
    for (int i = 1; i <= kColourEntries; ++i)
        if (!scheme.bgCodes[i].empty()) t = replaceAll(t, scheme.bgCodes[i], token('b', i));
    return t;
}

std::string nthLine(std::string_view text, int n) {
    size_t k = 0;
    for (int passed = 0; passed < n; ++passed) {
        while (k < text.size() && text[k] != '\r') {
            if (endsText(text[k])) return {};
            ++k;
        }
        if (k >= text.size()) return {};
        ++k;  // the CR
        if (k < text.size() && text[k] == '\n') ++k;
    }
    std::string line;
    while (k < text.size() && !endsText(text[k])) {
        line.push_back(text[k]);
        if (text[k++] == '\r') break;
    }
    return line;
}

ColourLabelList renderColoured(std::string_view tokenised, int lines, const ColourLists& scheme) {
    LabelBuilder builder(scheme);
    for (int n = 0; n < lines; ++n) builder.drawLine(nthLine(tokenised, n));
    return builder.take();
}

ColourLabelList colouredPreview(std::string_view text, int lines, const ColourLists& scheme) {
    return renderColoured(translateCodes(text, scheme), lines, scheme);
}
