#pragma once

#include <QMetaType>
#include <QString>

#include <compare>

/// A money value: a 64-bit integer scaled by 10000, so four decimal places
/// are exact. Conversions from double round the decimal value half to even.
class Currency
{
public:
    static constexpr qint64 Scale = 10000;

    constexpr Currency() = default;

    static constexpr Currency fromRaw(qint64 raw)
    {
        Currency c;
        c.m_raw = raw;
        return c;
    }
    static Currency fromDouble(double value);

    /// Reads a plain decimal text ("-12.3456"); `ok` tells whether it was one.
    /// More than four decimals are rounded half to even.
    static Currency fromString(const QString &text, bool *ok = nullptr);

    constexpr qint64 raw() const { return m_raw; }
    double toDouble() const { return double(m_raw) / double(Scale); }

    /// The value in fixed notation with the decimals it needs, at most four
    /// ("12.5", "-3", "0.0001").
    QString toString() const;

    constexpr Currency operator+(Currency other) const { return fromRaw(m_raw + other.m_raw); }
    constexpr Currency operator-(Currency other) const { return fromRaw(m_raw - other.m_raw); }
    constexpr Currency operator-() const { return fromRaw(-m_raw); }
    Currency &operator+=(Currency other)
    {
        m_raw += other.m_raw;
        return *this;
    }
    Currency &operator-=(Currency other)
    {
        m_raw -= other.m_raw;
        return *this;
    }
    constexpr auto operator<=>(const Currency &) const = default; // NOLINT(modernize-use-nullptr)

private:
    qint64 m_raw = 0;
};

Q_DECLARE_METATYPE(Currency)
