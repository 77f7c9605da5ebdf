#pragma once

#include "layout/ZFormKeepers.h"

#include <QMap>
#include <QPointer>
#include <QString>
#include <QWidget>

/// The size-and-position keeper of a window: records the window's and its
/// controls' bounds, and on every resize moves labels and check boxes and
/// moves and stretches editors by the ratio of the window's width to the
/// recorded one. A control tagged above 10000 keeps its distance (the tag
/// less 10000) below the bottom edge of the window's first page control.
///
/// Controls are recorded by their component name (objectName); the window
/// under its own. Unnamed controls, the inner parts of composite widgets
/// ("qt_…") and controls whose parent has a Qt layout (the layout places
/// them) are left alone.
class TAutoSizeAndPos final : public TZSizeKeeper
{
public:
    explicit TAutoSizeAndPos(QWidget &window);

    /// Discards the old records and records the window's and every named
    /// control's Width, Height, Left and Top.
    void SaveCtrlsSizeAndPos();
    /// Re-lays the recorded controls for the window's current width; nothing
    /// without a record of the window or when its recorded width is 0 or less.
    void AutoCtrlsSizeAndPos();
    /// Discards the records.
    void FreeCtrlsSizeAndPos();

    void Relayout() override { AutoCtrlsSizeAndPos(); }
    void Save() override { SaveCtrlsSizeAndPos(); }

    struct TRecord
    {
        int Width = 0;
        int Height = 0;
        int Left = 0;
        int Top = 0;
    };
    /// The records by name, sorted.
    const QMap<QString, TRecord> &Records() const { return m_records; }

private:
    QPointer<QWidget> m_window;
    QMap<QString, TRecord> m_records;
};
