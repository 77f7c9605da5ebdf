#include "TZDataset.h"

#include "common/ZTrim.h"
#include "ini/TZCustomIniFile.h"
#include "metadata/TDBSources.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"

#include <algorithm>

TZDataset::TZDataset(TZDataSource *owner, const TZCustomIniFile &file, const QString &section, const QString &name,
                     const QString &propertys)
    : Owner(owner),
      File(file),
      Section(section),
      Name(ZTrim(name)),
      DataSourceName(owner ? owner->Name : QString()),
      Propertys(propertys)
{
    const QString prefix = kDSTableTag + Name + QLatin1Char('-');
    for (const QString &tableSection : file.ReadSections()) {
        if (!tableSection.startsWith(prefix, Qt::CaseInsensitive))
            continue;
        Tables.push_back(std::make_unique<TZTable>(
            this, file, tableSection, file.ReadString(tableSection, QStringLiteral("TableName"), QString()),
            file.ReadString(tableSection, QStringLiteral("Propertys"), QString())));
    }
    AllowNotRow = ZDSBool(PropValueByName(QStringLiteral("AllowNotRow")));
    CanDuplicate = ZDSBool(PropValueByName(QStringLiteral("CanDuplicate")));
    CurrIDField = PropValueByName(QStringLiteral("CurrIDField"));
    DatasetIndex = ZDSInt(PropValueByName(QStringLiteral("DatasetIndex")));
    if (!Tables.empty())
        KeyField = ZTrim(Tables.front()->KeyFields.split(QLatin1Char(',')).value(0));
    if (!owner || !owner->NotRls)
        buildRelationFields();
}

void TZDataset::buildRelationFields()
{
    for (const auto &table : Tables) {
        for (const auto &field : table->Fields) {
            if (ZIsBlank(field->RelativeDS) || ZIsBlank(field->RelativeFields))
                continue;
            const QStringList items = field->RelativeFields.split(QLatin1Char(','), Qt::SkipEmptyParts);
            if (items.isEmpty())
                continue;
            std::shared_ptr<TZDataSource> related = GetDataSourcePtr_NotRls(field->RelativeDS);
            if (std::find(m_relatedSources.begin(), m_relatedSources.end(), related) == m_relatedSources.end())
                m_relatedSources.push_back(related);
            for (const QString &text : items) {
                const TZTable::RelationItem item = TZTable::SplitRelationItem(text);
                const TZField *source = related->GetZField(item.sourceName);
                if (!source) {
                    RelationFields.push_back(nullptr); // the slot stays empty
                    continue;
                }
                auto copy = std::make_unique<TZField>(*source);
                copy->AliasName = item.alias;
                copy->AllowEmpty = true;
                copy->ReadOnly = true;
                copy->IsRelationField = true;
                RelationFields.push_back(std::move(copy));
            }
        }
    }
}

TZField *TZDataset::GetZField(const QString &name)
{
    const QString key = ZTrim(name).toCaseFolded();
    if (TZField *cached = m_cache.value(key))
        return cached;
    TZField *found = nullptr;
    for (const auto &table : Tables) {
        if ((found = table->GetZField(name)))
            break;
    }
    if (!found) {
        const QString wanted = ZTrim(name);
        for (const auto &field : RelationFields) {
            if (field
                && (field->AliasName.compare(wanted, Qt::CaseInsensitive) == 0
                    || field->FieldName.compare(wanted, Qt::CaseInsensitive) == 0)) {
                found = field.get();
                break;
            }
        }
    }
    if (found)
        m_cache.insert(key, found);
    return found;
}

TZTable *TZDataset::GetZTable(const QString &name) const
{
    for (const auto &table : Tables) {
        if (table->Name.compare(ZTrim(name), Qt::CaseInsensitive) == 0)
            return table.get();
    }
    return nullptr;
}

QString TZDataset::PropValueByName(const QString &name) const
{
    return ReadDSProperty(File, Section, Propertys, name);
}

QString TZDataset::Alias() const
{
    return QString(QChar(char16_t(65 + DatasetIndex)));
}
