#include "CbxPYSearch.h"

#include "common/ZPinyin.h"

#include <QComboBox>
#include <QStringList>

int PYSearchIndex(const QStringList &items, const QString &typed)
{
    const QString wanted = GetPinyinInitials(typed).toUpper();
    for (int i = 0; i < items.size(); ++i) {
        if (PinyinInitialsContain(items.at(i), wanted))
            return i;
    }
    return 0;
}

void CbxPYSearch(QComboBox *combo)
{
    if (!combo || combo->count() == 0)
        return;
    QStringList items;
    items.reserve(combo->count());
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    const QString typed = combo->isEditable() ? combo->currentText() : QString();
    combo->setCurrentIndex(PYSearchIndex(items, typed));
}
