#include "ZNewMasterKey.h"

#include "common/ZTrim.h"
#include "data/TParamInfo.h"
#include "data/ZKeyNumbers.h"
#include "metadata/TZDataSource.h"

QString GetNewMasterKeyValue(TZDataSource &source, const QDate &date)
{
    if (source.CodeRule == vtEmpty)
        return {};
    TZKeySource keySource;
    keySource.ProgID = source.Name;
    keySource.MasterKey = source.MasterKey;
    keySource.HasBranchColumn = source.HaveOrgID();
    QString key = GetFieldNewNo(source.MasterTableName, source.MasterKey, &keySource, date, source.CodeRule,
                                source.GetMasterTableFlagWhere(false));
    if (keySource.HasBranchColumn && ZTrim(GetParamValue(QStringLiteral("OrgBillNoCode"))) == QLatin1String("1")) {
        const QString code = GetCurrOrgCode();
        if (key.left(2).compare(code, Qt::CaseInsensitive) != 0)
            key = code + key;
    }
    return key;
}
