#include "common/ZEncode.h"

#include <QStringList>

#include <gtest/gtest.h>

TEST(EncodeString, RoundTripsAndHidesTheText)
{
    const QStringList samples{QStringLiteral("sa"), QStringLiteral("我的密码 123"), QStringLiteral(" lead and trail "),
                              QStringLiteral("a=b;c[##]d"), QString(255, QChar(u'字'))};
    for (const QString &plain : samples) {
        const QString encoded = EncodeString(plain);
        EXPECT_NE(encoded, plain);
        EXPECT_FALSE(encoded.contains(QLatin1Char(' ')));
        EXPECT_EQ(DecodeString(encoded), plain);
    }
    EXPECT_EQ(EncodeString(QString()), QString());
    EXPECT_EQ(DecodeString(QString()), QString());
}

TEST(EncodeString, PlainValuesTypedByHandPassThrough)
{
    for (const char *plain : {".", "sa", "ABCDEF", "1234", "127.0.0.1", "0123456789ABCDEF"})
        EXPECT_EQ(DecodeString(QString::fromLatin1(plain)), QString::fromLatin1(plain));
    // A damaged encoded value is not decoded into garbage.
    QString damaged = EncodeString(QStringLiteral("secret"));
    damaged[2] = damaged[2] == QLatin1Char('0') ? QLatin1Char('1') : QLatin1Char('0');
    EXPECT_EQ(DecodeString(damaged), damaged);
}
