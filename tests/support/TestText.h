#pragma once

#include <QString>

/// A text of the tests, written in the source as UTF-8: s("客户编号").
inline QString s(const char *text)
{
    return QString::fromUtf8(text);
}
