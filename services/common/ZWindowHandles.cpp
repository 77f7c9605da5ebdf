#include "ZWindowHandles.h"

#include <QHash>
#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace {

constexpr char kProperty[] = "_zWindowHandle";

QHash<qint64, QPointer<QWidget>> &windows()
{
    static QHash<qint64, QPointer<QWidget>> known;
    return known;
}

} // namespace

qint64 ZWindowHandle(QWidget *window)
{
    if (!window)
        return 0;
    const QVariant given = window->property(kProperty);
    if (given.isValid())
        return given.toLongLong();
    static qint64 last = 0;
    const qint64 handle = ++last;
    window->setProperty(kProperty, handle);
    // Forget windows that are gone, so the table never grows without end.
    for (auto it = windows().begin(); it != windows().end();)
        it = it.value().isNull() ? windows().erase(it) : std::next(it);
    windows().insert(handle, window);
    return handle;
}

QWidget *ZWindowByHandle(qint64 handle)
{
    const auto it = windows().constFind(handle);
    return it == windows().constEnd() ? nullptr : it.value().data();
}
