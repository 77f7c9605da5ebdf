#pragma once

#include "../record/RecordTestSupport.h"
#include "TestText.h"

#include "data/TDBConn.h"
#include "forms/TfrmListFormPub.h"
#include "forms/TfrmMasterDataBase.h"
#include "launcher/TFormClassCtrl.h"
#include "launcher/TFormParams.h"

#include <QAction>
#include <QFile>

#include <memory>

/// A list window test on a fresh data file with the shipped definitions,
/// the generic list and record windows registered as the system package
/// registers them.
class TListTest : public TRecordTest
{
protected:
    void SetUp() override
    {
        TRecordTest::SetUp();
        ZRegisterClass(QStringLiteral("TfrmMasterDataBase"), [] { return new TfrmMasterDataBase; });
        ZRegisterClass(QStringLiteral("TfrmListFormPub"), [] { return new TfrmListFormPub; });
    }

    void TearDown() override
    {
        for (TfrmZForm *form : TfrmZForm::OpenForms()) {
            if (!form->Closed())
                form->close();
        }
        ZUnRegisterClass(QStringLiteral("TfrmListFormPub"));
        ZUnRegisterClass(QStringLiteral("TfrmMasterDataBase"));
        TRecordTest::TearDown();
    }

    /// A list window of class T woken for a module the way the launcher
    /// wakes it.
    template<typename T = TfrmListFormPub>
    std::unique_ptr<T> openList(const QString &progID)
    {
        auto window = std::make_unique<T>();
        TFormParams params;
        params.Action = QStringLiteral("WakeUp");
        params.ProgID = progID;
        params.WakeUpByProgID = true;
        window->FormReturnValue(kFormParamsName, ZFormParamsAddress(params));
        return window;
    }

    /// Notes N1…Nn, titled "标题<i>", created on successive days of 2026.
    static void addNotes(int count, int from = 1)
    {
        for (int i = from; i < from + count; ++i)
            DBConn().DBExcuteSql(s("insert into moxNotepad(NoteID, NoteTitle, CreateDate) values('N%1', '标题%1', "
                                   "'2026-01-01')")
                                     .arg(i, 3, 10, QLatin1Char('0')));
    }

    /// Adds a line after the data source section of a copied definition.
    void addDefinitionLine(const QString &progID, const QString &line) const
    {
        QFile file(path(s("DBSource/") + progID + s(".dbs")));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(file.readAll());
        file.close();
        text.replace(s("[<DSDataSource>]\n"), s("[<DSDataSource>]\n") + line + s("\n"));
        text.replace(s("[<DSDataSource>]\r\n"), s("[<DSDataSource>]\r\n") + line + s("\r\n"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
    }

    static QAction *action(const TfrmListForm &window, const char *name)
    {
        return window.Action(QLatin1String(name));
    }
};
