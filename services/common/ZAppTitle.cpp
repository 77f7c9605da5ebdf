#include "ZAppTitle.h"

#include <QCoreApplication>

namespace {

QString &title()
{
    static QString current;
    return current;
}

} // namespace

QString ZApplicationTitle()
{
    return title().isEmpty() ? QCoreApplication::applicationName() : title();
}

void SetZApplicationTitle(const QString &newTitle)
{
    title() = newTitle;
}
