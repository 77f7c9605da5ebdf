#include "TCheckRemindDataThread.h"

#include "common/ZClock.h"
#include "common/ZTrim.h"
#include "common/ZWinMessages.h"
#include "data/TDBConn.h"
#include "data/ZDBRoutines.h"
#include "remind/ZRemindData.h"

#include <QCoreApplication>
#include <QLabel>
#include <QWidget>

TCheckRemindDataThread::TCheckRemindDataThread(QWidget *target, QLabel *label)
    : TZBaseThread(false), m_target(target), m_label(label)
{
    SetThreadName(QStringLiteral("CheckRemindData"));
    TDBConn &session = DBConn();
    m_kind = session.GetDBCONN().kind();
    m_dataFileNo = session.DataFileNo;
    connect(this, &QThread::finished, this, &QObject::deleteLater);
    start();
}

void TCheckRemindDataThread::onGuiThread(const std::function<void()> &step)
{
    // Unlike a plain hand-over, a failure here fails the run and is reported
    // under the worker's heading.
    std::exception_ptr failure;
    HandOver([&step, &failure] {
        try {
            step();
        } catch (...) {
            failure = std::current_exception();
        }
    });
    if (failure)
        std::rethrow_exception(failure);
}

QString TCheckRemindDataThread::GetExceptionHead()
{
    return QStringLiteral("检查提醒精灵数据错误，原因是：");
}

bool TCheckRemindDataThread::DoExecute()
{
    const std::unique_ptr<TZDbConnection> connection = ZOpenConnection(m_kind, m_dataFileNo);

    QString listSql;
    onGuiThread([&listSql] { listSql = ZRemindSetListSql(); });
    const std::unique_ptr<TZClientDataSet> definitions = DBOpenDataSet(*connection, listSql);
    QList<QPair<QString, QString>> conditions;
    for (definitions->First(); !definitions->Eof(); definitions->Next())
        conditions.append({ZTrim(definitions->FieldByName(QStringLiteral("ProgID")).AsString()),
                           definitions->FieldByName(QStringLiteral("RemindWhere")).AsString()});

    // A failure to build one statement fails the run, as a failure to count.
    QStringList statements;
    onGuiThread([&statements, &conditions] {
        for (const auto &[progID, where] : conditions)
            statements << ZRemindDataSql(progID, where);
    });

    int total = 0;
    for (const QString &sql : statements) {
        if (Terminated())
            return false;
        total += GetRecordCount(*connection, sql);
    }
    m_total = total;

    // The window and the label are looked at on their own thread only.
    HandOver([this, total] {
        if (m_target && m_target->isWindow())
            QCoreApplication::postEvent(m_target, new TZMessageEvent(ZWM_REMINDDATACOUNT, QString(), QString(), total));
        if (!m_label)
            return;
        m_label->setText(QStringLiteral("%1: 此线程(内存地址：%2)正在同步更新此Label(%3)")
                             .arg(ZNow().toString(QStringLiteral("hh:mm:ss")))
                             .arg(quintptr(this))
                             .arg(m_label->objectName()));
    });
    return true;
}
