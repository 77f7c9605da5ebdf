#pragma once

#include <QString>

/// The pinyin initials of a text: every Chinese character becomes the
/// upper-case first letter of its pinyin (中国 → ZG); every other character is
/// kept as it is. Conversions are cached per character; safe from any thread.
QString GetPinyinInitials(const QString &text);

/// Every initial a character may have: its pinyin initial and, for the common
/// characters with several readings (行 in 银行 and 行走, 长 in 长城 and 行长),
/// the initials of the other readings; a character that is not Chinese is
/// its own only initial. Searches match any of them.
QString PinyinInitialChoices(char32_t c);

/// True when `typedInitials` (pinyin initials, upper case) occur in `text`,
/// each typed letter matching any initial of the character at its place.
bool PinyinInitialsContain(const QString &text, const QString &typedInitials);
