#include "ZDefEditorDefaults.h"

#include "common/ZTrim.h"
#include "data/TZClientDataSet.h"
#include "data/ZSysConfig.h"
#include "metadata/ZDSProperties.h"

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
            .SetAsString(DefaultFieldPropertys(ZTrim(catalogue.FieldByName(QStringLiteral("FieldDesc")).AsString()),
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
