#pragma once

#include <QString>

#include <functional>
#include <memory>

class QWidget;

/// Keeps the column layout of a window's grids: restored when the window is
/// first shown, saved when it closes.
class TZGridKeeper
{
public:
    virtual ~TZGridKeeper() = default;
    virtual void Restore() = 0;
    virtual void Save() = 0;
};

/// Re-lays a window's controls when it is resized, relative to the layout
/// it last recorded.
class TZSizeKeeper
{
public:
    virtual ~TZSizeKeeper() = default;
    virtual void Relayout() = 0;
    /// Records the window's layout as it is now (after the window has laid
    /// out its controls); the next resizes are relative to it.
    virtual void Save() {}
};

/// Makers of the keepers, installed by the layer that brings the grids and
/// editors; until one is installed windows have no keeper.
using TZGridKeeperMaker =
    std::function<std::unique_ptr<TZGridKeeper>(QWidget &window, const QString &tag, bool keepVisibility)>;
using TZSizeKeeperMaker = std::function<std::unique_ptr<TZSizeKeeper>(QWidget &window)>;
void SetZGridKeeperMaker(TZGridKeeperMaker maker);
void SetZSizeKeeperMaker(TZSizeKeeperMaker maker);
const TZGridKeeperMaker &ZGridKeeperMaker();
const TZSizeKeeperMaker &ZSizeKeeperMaker();
