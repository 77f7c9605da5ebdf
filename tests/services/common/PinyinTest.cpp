#include "TestText.h"

#include "common/ZPinyin.h"
#include "controls/CbxPYSearch.h"

#include <QComboBox>

#include <gtest/gtest.h>

TEST(Pinyin, InitialsOfChineseCharactersOthersKept)
{
    EXPECT_EQ(GetPinyinInitials(s("中国")), s("ZG"));
    EXPECT_EQ(GetPinyinInitials(s("人脉库")), s("RMK"));
    EXPECT_EQ(GetPinyinInitials(s("工商ABC-1")), s("GSABC-1"));
    EXPECT_EQ(GetPinyinInitials(s("abc 12")), s("abc 12"));
    EXPECT_EQ(GetPinyinInitials(QString()), QString());
    EXPECT_EQ(GetPinyinInitials(s("😀")), s("😀")); // characters outside the BMP survive
}

TEST(Pinyin, CharactersWithSeveralReadingsMatchEither)
{
    const QString hang = PinyinInitialChoices(U'行');
    EXPECT_TRUE(hang.contains(QLatin1Char('X')) && hang.contains(QLatin1Char('H'))) << qPrintable(hang);
    EXPECT_TRUE(PinyinInitialsContain(s("建设银行"), s("YH")));
    EXPECT_TRUE(PinyinInitialsContain(s("建设银行"), s("YX")));
    EXPECT_TRUE(PinyinInitialsContain(s("行长办公室"), s("HZB")));
    EXPECT_FALSE(PinyinInitialsContain(s("建设银行"), s("JSYHK")));
    EXPECT_TRUE(PinyinInitialsContain(s("abc"), QString()));
}

TEST(Pinyin, ComboSearchSelectsFirstMatchOrFirstItem)
{
    const QStringList items{s("现金"), s("中国银行"), s("招商银行"), s("中信证券")};
    EXPECT_EQ(PYSearchIndex(items, s("yh")), 1);
    EXPECT_EQ(PYSearchIndex(items, s("ZS")), 2);
    EXPECT_EQ(PYSearchIndex(items, s("中x")), 3);
    EXPECT_EQ(PYSearchIndex(items, s("qq")), 0);

    QComboBox combo;
    combo.setEditable(true);
    combo.addItems(items);
    combo.setCurrentIndex(0);
    combo.setEditText(s("zsyh"));
    CbxPYSearch(&combo);
    EXPECT_EQ(combo.currentIndex(), 2);
}
