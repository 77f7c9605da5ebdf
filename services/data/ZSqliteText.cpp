#include "ZSqliteText.h"

#include <QChar>

#include <sqlite3.h>

#include <vector>

namespace {

// Reads one code point of UTF-8 at `p` (before `end`) and moves `p` past it;
// a byte that starts no valid sequence stands for itself.
char32_t nextCodePoint(const unsigned char *&p, const unsigned char *end)
{
    const unsigned char c = *p++;
    if (c < 0x80)
        return c;
    int extra = 0;
    char32_t cp = 0;
    if ((c & 0xE0) == 0xC0) {
        extra = 1;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        extra = 2;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        extra = 3;
        cp = c & 0x07;
    } else {
        return c;
    }
    if (end - p < extra)
        return c;
    for (int i = 0; i < extra; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return c;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    p += extra;
    return cp;
}

char32_t folded(char32_t cp)
{
    if (cp < 0x80)
        return cp >= 'A' && cp <= 'Z' ? cp + ('a' - 'A') : cp;
    return QChar::toCaseFolded(cp);
}

int collate(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    return ZCompareIgnoringCase(static_cast<const char *>(a), lengthA, static_cast<const char *>(b), lengthB);
}

std::vector<char32_t> foldedText(sqlite3_value *v)
{
    const auto *p = sqlite3_value_text(v);
    const auto *end = p + sqlite3_value_bytes(v);
    std::vector<char32_t> text;
    text.reserve(size_t(end - p));
    while (p < end)
        text.push_back(folded(nextCodePoint(p, end)));
    return text;
}

// `%` any run, `_` one character, `escape` (when not 0) makes the next
// pattern character literal.
bool likeMatch(const std::vector<char32_t> &pattern, const std::vector<char32_t> &text, char32_t escape)
{
    size_t p = 0;
    size_t t = 0;
    size_t starP = size_t(-1);
    size_t starT = 0;
    while (t < text.size()) {
        if (p < pattern.size()) {
            const char32_t c = pattern[p];
            if (escape && c == escape && p + 1 < pattern.size()) {
                if (pattern[p + 1] == text[t]) {
                    p += 2;
                    ++t;
                    continue;
                }
            } else if (c == U'%') {
                starP = p++;
                starT = t;
                continue;
            } else if (c == U'_' || c == text[t]) {
                ++p;
                ++t;
                continue;
            }
        }
        if (starP == size_t(-1))
            return false;
        p = starP + 1;
        t = ++starT;
    }
    while (p < pattern.size() && pattern[p] == U'%')
        ++p;
    return p == pattern.size();
}

// like(pattern, text[, escape]): "text LIKE pattern".
void like(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
    }
    char32_t escape = 0;
    if (argc == 3) {
        const std::vector<char32_t> e = foldedText(argv[2]);
        if (e.size() != 1) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = e.front();
    }
    sqlite3_result_int(ctx, likeMatch(foldedText(argv[0]), foldedText(argv[1]), escape) ? 1 : 0);
}

} // namespace

int ZCompareIgnoringCase(const char *a, int lengthA, const char *b, int lengthB)
{
    const auto *pa = reinterpret_cast<const unsigned char *>(a);
    const auto *pb = reinterpret_cast<const unsigned char *>(b);
    const auto *endA = pa + lengthA;
    const auto *endB = pb + lengthB;
    while (pa < endA && pb < endB) {
        const char32_t ca = folded(nextCodePoint(pa, endA));
        const char32_t cb = folded(nextCodePoint(pb, endB));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (pa < endA)
        return 1;
    return pb < endB ? -1 : 0;
}

void ZRegisterTextRules(sqlite3 *db)
{
    sqlite3_create_collation_v2(db, "NOCASE", SQLITE_UTF8, nullptr, collate, nullptr);
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function_v2(db, "like", 2, flags, nullptr, like, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "like", 3, flags, nullptr, like, nullptr, nullptr, nullptr);
}
