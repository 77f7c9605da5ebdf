#pragma once

#include <QString>
#include <QStringList>

class QComboBox;

/// Finds a combo box item by pinyin initials: the typed text, converted to
/// the pinyin initials of its Chinese characters and upper-cased, selects the
/// first item whose converted, upper-cased text contains it; item 0 when none
/// does. Typing "zg" (or "中g") finds 中国. A character with several readings
/// matches the initial of any of them, so "yh" finds 银行.
void CbxPYSearch(QComboBox *combo);

/// The index CbxPYSearch selects for a typed text among the items.
int PYSearchIndex(const QStringList &items, const QString &typed);
