#include "ZDefEditorDefaults.h"

#include "common/ZTrim.h"
#include "data/TZClientDataSet.h"
#include "data/ZSysConfig.h"

#include <QStringList>

QString NewDataSourcePropertys(const QString &name)
{
    return QStringLiteral("AutoSaveNewDataRemind=False;CheckInUsed=True;CodeRule=MaxID;MenuIndex=0;FormClassName=Tfrm")
           + name;
}

QString NewDatasetPropertys()
{
    return QStringLiteral("AllowNotRow=False;CanDuplicate=True");
}

QString NewTablePropertys()
{
    return QStringLiteral("Flag=0");
}

QString NewFieldPropertys(const QString &caption, const QString &fieldType, int length)
{
    return QStringList{QStringLiteral("DisplayName=") + caption,
                       QStringLiteral("FieldType=") + fieldType,
                       QStringLiteral("Length=") + QString::number(length),
                       QStringLiteral("CheckInUsed=True"),
                       QStringLiteral("NoRepeat=False"),
                       QStringLiteral("ReadOnly=False"),
                       QStringLiteral("Visible=True"),
                       QStringLiteral("CanDuplicate=True"),
                       QStringLiteral("AllowEmpty=True"),
                       QStringLiteral("ShowDataList=True"),
                       QStringLiteral("NotNeedChkExistID=False"),
                       QStringLiteral("DigCount=1")}
        .join(QLatin1Char(';'));
}

int NextDataSourceIndex(TZClientDataSet &dataSources)
{
    int highest = -1;
    dataSources.DisableControls();
    const auto mark = dataSources.GetBookmark();
    for (dataSources.First(); !dataSources.Eof(); dataSources.Next())
        highest = std::max(highest, dataSources.FieldByName(QStringLiteral("DataSourceIndex")).AsInteger());
    dataSources.GotoBookmark(mark);
    dataSources.EnableControls();
    return highest + 1;
}

int AddCatalogueFields(TZClientDataSet &catalogue, TZClientDataSet &fields, const QString &dataSource,
                       const QString &dataset, const QString &table)
{
    int index = fields.RecordCount();
    int added = 0;
    for (catalogue.First(); !catalogue.Eof(); catalogue.Next()) {
        if (ZTrim(catalogue.FieldByName(QStringLiteral("TableName")).AsString()).compare(table, Qt::CaseInsensitive))
            continue;
        fields.Append();
        fields.FieldByName(QStringLiteral("DataSource")).SetAsString(dataSource);
        fields.FieldByName(QStringLiteral("Dataset")).SetAsString(dataset);
        fields.FieldByName(QStringLiteral("TableName")).SetAsString(table);
        fields.FieldByName(QStringLiteral("FieldName"))
            .SetAsString(ZTrim(catalogue.FieldByName(QStringLiteral("FieldName")).AsString()));
        fields.FieldByName(QStringLiteral("FieldIndex")).SetAsInteger(index++);
        fields.FieldByName(QStringLiteral("Propertys"))
            .SetAsString(NewFieldPropertys(ZTrim(catalogue.FieldByName(QStringLiteral("FieldDesc")).AsString()),
                                           ZTrim(catalogue.FieldByName(QStringLiteral("FieldType")).AsString()),
                                           catalogue.FieldByName(QStringLiteral("FieldLength")).AsInteger()));
        fields.Post();
        ++added;
    }
    return added;
}

QString LastReadDS()
{
    return ReadSysConfig(QStringLiteral("SysLog"), QStringLiteral("LastReadDS"));
}

void SetLastReadDS(const QString &name)
{
    WriteSysConfig(QStringLiteral("SysLog"), QStringLiteral("LastReadDS"), name);
}
