#pragma once

#include "data/ZDBType.h"
#include "thread/TZBaseThread.h"

#include <QPointer>
#include <QStringList>

class QLabel;
class QWidget;

/// Counts in the background the records every active data reminder finds,
/// on a connection of its own. When done it posts ZWM_REMINDDATACOUNT (1943)
/// with the total as first parameter to its target window, if that window
/// still exists, and then, on the user-interface thread, writes a line into
/// the attached label, if any. Failures are reported the worker base's way
/// under "检查提醒精灵数据错误，原因是：".
///
/// The statements are built from the data source cache on the
/// user-interface thread (a hand-over); only the counting runs on the
/// worker's own connection. The worker starts itself and frees itself when
/// it has finished.
class TCheckRemindDataThread final : public TZBaseThread
{
    Q_OBJECT

public:
    /// Made on the user-interface thread, with the window to tell and an
    /// optional label.
    explicit TCheckRemindDataThread(QWidget *target, QLabel *label = nullptr);

    /// The total of the last run (for those who hold the worker).
    int Total() const { return m_total; }

protected:
    bool DoExecute() override;
    QString GetExceptionHead() override;

private:
    /// Runs a step on the user-interface thread; its failure is raised here.
    void onGuiThread(const std::function<void()> &step);

    QPointer<QWidget> m_target;
    QPointer<QLabel> m_label;
    TDBType m_kind;
    int m_dataFileNo;
    int m_total = 0;
};
