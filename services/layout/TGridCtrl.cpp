#include "TGridCtrl.h"

#include "common/ZFiles.h"
#include "common/ZTrim.h"
#include "controls/TZDBGrid.h"
#include "controls/TZGridGroupModel.h"
#include "ini/TZIniFile.h"
#include "settings/ZSession.h"

#include <QWidget>

namespace {

const QString kIndexTag = QStringLiteral("_ColumnIndexTag");
const QString kWidthTag = QStringLiteral("_ColumnWidthTag");
const QString kVisibleTag = QStringLiteral("_ColumnVisibleTag");
const QString kGroupIndexTag = QStringLiteral("_ColumnGroupIndexTag");

QString layoutFileName(const QWidget &window, const QString &tag)
{
    const QString className = ZTrim(QString::fromLatin1(window.metaObject()->className()));
    const QString name = ZIsBlank(tag)
                             ? QStringLiteral("Grid_%1_%2.log").arg(UserInfo.UserID, className)
                             : QStringLiteral("Grid_%1_%2_%3.log").arg(UserInfo.UserID, className, ZTrim(tag));
    return GetCurrPath() + QStringLiteral("log/") + name;
}

// Every window of the program gets this keeper.
const bool installed = [] {
    SetZGridKeeperMaker([](QWidget &window, const QString &tag, bool keepVisibility) -> std::unique_ptr<TZGridKeeper> {
        return std::make_unique<TGridCtrl>(window, tag, keepVisibility);
    });
    return true;
}();

} // namespace

TGridCtrl::TGridCtrl(QWidget &window, const QString &tag, bool keepVisibility)
    : m_file(std::make_unique<TZIniFile>(layoutFileName(window, tag))),
      m_context(std::make_unique<QObject>()),
      m_keepVisibility(keepVisibility)
{
    (void)installed;
    for (TZDBGrid *grid : window.findChildren<TZDBGrid *>()) {
        if (!grid->property(kZOwnGridLayout).toBool())
            m_grids.append(grid);
    }
}

TGridCtrl::~TGridCtrl() = default;

QString TGridCtrl::FileName() const
{
    return m_file->FileName();
}

void TGridCtrl::GetGridLog(TZDBGrid &grid)
{
    if (grid.ColumnCount() == 0) {
        // Restored once its dataset brings the columns.
        auto wait = std::make_shared<QMetaObject::Connection>();
        *wait = QObject::connect(grid.GroupModel(), &QAbstractItemModel::modelReset, m_context.get(),
                                 [this, wait, target = QPointer<TZDBGrid>(&grid)] {
                                     if (!target || target->ColumnCount() == 0)
                                         return;
                                     QObject::disconnect(*wait);
                                     GetGridLog(*target);
                                 });
        return;
    }
    const QString name = grid.objectName();
    const QStringList fields = grid.FieldsInViewOrder();
    QHash<QString, int> tags;
    QHash<QString, int> fitted; // columns sized here, with the width they got
    for (const QString &field : fields) {
        tags.insert(field, m_file->ReadInteger(name + kIndexTag, field, 0));
        grid.SetColumnGroupIndex(field, m_file->ReadInteger(name + kGroupIndexTag, field, -1));
        if (m_keepVisibility && m_file->ReadString(name + kVisibleTag, field, QString()) == QLatin1String("0"))
            grid.SetColumnVisible(field, false);
        const int width = m_file->ReadInteger(name + kWidthTag, field, 0);
        if (width > 0)
            grid.SetColumnWidth(field, width);
        else
            fitted.insert(field, fitContent(grid, field));
    }
    if (!fitted.isEmpty() && grid.GroupModel()->rowCount() == 0)
        refitWhenRowsCome(grid, fitted);
    for (int i = 0; i < fields.size(); ++i) {
        for (const QString &field : grid.FieldsInViewOrder()) {
            if (tags.value(field) == i) {
                grid.SetColumnPosition(field, i);
                break;
            }
        }
    }
}

int TGridCtrl::fitContent(TZDBGrid &grid, const QString &field)
{
    const int width = grid.FitColumnToContent(field);
    if (width <= MaxFittedWidth)
        return width;
    grid.SetColumnWidth(field, MaxFittedWidth);
    return MaxFittedWidth;
}

void TGridCtrl::refitWhenRowsCome(TZDBGrid &grid, const QHash<QString, int> &fitted)
{
    // A list opens before its rows are read: the columns fitted to their
    // captions alone are fitted again to the first rows, unless the user
    // has sized them meanwhile.
    auto wait = std::make_shared<QList<QMetaObject::Connection>>();
    const auto refit = [wait, fitted, target = QPointer<TZDBGrid>(&grid)] {
        if (!target || target->GroupModel()->rowCount() == 0)
            return;
        for (const QMetaObject::Connection &connection : std::as_const(*wait))
            QObject::disconnect(connection);
        for (auto it = fitted.begin(); it != fitted.end(); ++it) {
            if (target->ColumnWidth(it.key()) == it.value())
                fitContent(*target, it.key());
        }
    };
    QAbstractItemModel *rows = grid.GroupModel();
    *wait << QObject::connect(rows, &QAbstractItemModel::modelReset, m_context.get(), refit)
          << QObject::connect(rows, &QAbstractItemModel::rowsInserted, m_context.get(), refit);
}

void TGridCtrl::SaveGridLog(TZDBGrid &grid)
{
    const QString name = grid.objectName();
    QList<QPair<QString, QString>> positions, widths, visible, groups;
    for (const QString &field : grid.FieldsInViewOrder()) {
        positions.append({field, QString::number(grid.ColumnPosition(field))});
        widths.append({field, QString::number(grid.ColumnWidth(field))});
        visible.append({field, grid.ColumnShown(field) ? QStringLiteral("1") : QStringLiteral("0")});
        groups.append({field, QString::number(grid.ColumnGroupIndex(field))});
    }
    m_file->WriteValues(name + kIndexTag, positions);
    m_file->WriteValues(name + kWidthTag, widths);
    m_file->WriteValues(name + kVisibleTag, visible);
    m_file->WriteValues(name + kGroupIndexTag, groups);
}

void TGridCtrl::GetAllGridLog()
{
    for (const auto &grid : std::as_const(m_grids)) {
        if (grid)
            GetGridLog(*grid);
    }
}

void TGridCtrl::SaveAllGridLog()
{
    for (const auto &grid : std::as_const(m_grids)) {
        if (grid)
            SaveGridLog(*grid);
    }
}
