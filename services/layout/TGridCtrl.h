#pragma once

#include "layout/ZFormKeepers.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>

#include <memory>

class QObject;
class QWidget;
class TZDBGrid;
class TZIniFile;

/// The grid layout keeper of a window: remembers, per user and window, the
/// position, width, visibility and group index of every column of every
/// TZDBGrid of the window, in the layout file
/// GetCurrPath() + "log/Grid_<UserID>_<window class>.log" (with "_<tag>"
/// before ".log" when the tag is not blank; class and tag trimmed).
///
/// For a grid whose object name is G, the sections G + "_ColumnIndexTag",
/// "_ColumnWidthTag", "_ColumnVisibleTag" and "_ColumnGroupIndexTag" hold
/// one key per column, its field name; "_BandWidthTag" belongs to banded
/// views, which these grids are not.
///
/// Restoring never fails on a missing file, section or key: a column keeps
/// its place (index 0), is not grouped (-1), keeps its visibility and is
/// fitted to its content, no wider than 300 pixels.
/// The property that keeps a grid out of its window's layout keeper.
constexpr const char *kZOwnGridLayout = "zOwnGridLayout";

class TGridCtrl final : public TZGridKeeper
{
public:
    /// Registers every TZDBGrid of the window, in component order, except a
    /// grid whose property kZOwnGridLayout is true (a chooser living inside
    /// the window, which sets its columns itself).
    TGridCtrl(QWidget &window, const QString &tag, bool keepVisibility = true);
    ~TGridCtrl() override;

    static constexpr int MaxFittedWidth = 300;

    /// The layout file's full path.
    QString FileName() const;
    /// The registered grids (a grid destroyed meanwhile is null).
    const QList<QPointer<TZDBGrid>> &Grids() const { return m_grids; }

    /// Restores a grid's columns (a grid whose dataset has no columns yet is
    /// restored when they come): group indexes (a grouping column is
    /// hidden), visibility when the visibility switch is on, widths (fitted
    /// when none is stored), then the order: for i from 0, the first column
    /// whose stored index is i moves to position i.
    void GetGridLog(TZDBGrid &grid);
    /// Stores every column's position, width, visibility ("1"/"0") and group index.
    void SaveGridLog(TZDBGrid &grid);
    void GetAllGridLog();
    void SaveAllGridLog();
    /// With the switch off stored visibility is ignored when restoring.
    void SetColumnVisibleLogCtrl(bool flag) { m_keepVisibility = flag; }
    bool ColumnVisibleLogCtrl() const { return m_keepVisibility; }

    void Restore() override { GetAllGridLog(); }
    void Save() override { SaveAllGridLog(); }

private:
    /// Fits a column to its caption and rows, at most MaxFittedWidth; the
    /// width it got.
    static int fitContent(TZDBGrid &grid, const QString &field);
    void refitWhenRowsCome(TZDBGrid &grid, const QHash<QString, int> &fitted);

    std::unique_ptr<TZIniFile> m_file;
    std::unique_ptr<QObject> m_context; // ends the waits for columns with the keeper
    QList<QPointer<TZDBGrid>> m_grids;
    bool m_keepVisibility = true;
};
