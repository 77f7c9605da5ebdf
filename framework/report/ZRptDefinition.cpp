#include "ZRptDefinition.h"

#include "common/ZErrors.h"
#include "common/ZFiles.h"
#include "common/ZTrim.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringList>

namespace {

const QString kTagProgID = QStringLiteral("TagProgID");

TZRptCondition parseCondition(const QString &line, int lineNo)
{
    const auto refuse = [&] {
        throw EZError(QStringLiteral("报表定义第%1行的条件格式不对，应为[类型,字段,标题]：%2").arg(lineNo).arg(line));
    };
    if (!line.endsWith(QLatin1Char(']')))
        refuse();
    const QString inner = line.mid(1, line.size() - 2);
    const int first = inner.indexOf(QLatin1Char(','));
    const int second = first < 0 ? -1 : inner.indexOf(QLatin1Char(','), first + 1);
    if (second < 0)
        refuse();
    TZRptCondition condition;
    condition.kind = ZWhereCtrlTypeOf(inner.left(first));
    condition.field = ZTrim(inner.mid(first + 1, second - first - 1));
    condition.caption = ZTrim(inner.mid(second + 1));
    if (condition.field.isEmpty())
        refuse();
    if (condition.caption.isEmpty())
        condition.caption = condition.field;
    return condition;
}

void readSourceMode(TZRptDefinition &definition)
{
    const QString text = ZTrim(definition.statement);
    const int tag = text.indexOf(kTagProgID);
    const int first = text.indexOf(QLatin1Char('='), tag);
    const int second = first < 0 ? -1 : text.indexOf(QLatin1Char('='), first + 1);
    if (second >= 0) {
        definition.srcProgID = ZTrim(text.mid(first + 1, second - first - 1));
        definition.selectList = ZTrim(text.mid(second + 1));
    }
    if (definition.srcProgID.isEmpty() || definition.selectList.isEmpty())
        throw EZError(QStringLiteral("报表定义的数据来源格式不对，应为 TagProgID=模块=字段列表：%1").arg(text));
    definition.sourceMode = true;
}

} // namespace

TZRptDefinition ZParseRptDefinition(const QByteArray &text)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString content = decoder.decode(text);
    if (decoder.hasError() || content.contains(QChar(0)))
        throw EZError(QStringLiteral("报表定义不是文本文件"));
    TZRptDefinition definition;
    QStringList statement;
    const QStringList lines = content.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = ZTrim(lines.at(i));
        if (line.isEmpty() || line.startsWith(QLatin1Char('{')))
            continue;
        if (line.startsWith(QLatin1Char('[')))
            definition.conditions << parseCondition(line, i + 1);
        else
            statement << ZTrimRight(lines.at(i));
    }
    if (!statement.isEmpty())
        definition.statement = statement.join(QStringLiteral("\r\n"));
    if (definition.statement.contains(kTagProgID))
        readSourceMode(definition);
    return definition;
}

QString ZRptDefinitionFile(const QString &progID)
{
    return GetCurrPath() + QStringLiteral("RptSql/") + ZTrim(progID) + QStringLiteral(".rql");
}

TZRptDefinition ZReadRptDefinition(const QString &progID)
{
    QFile file(ZRptDefinitionFile(progID));
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw EZError(QStringLiteral("无法读取报表定义文件 %1").arg(file.fileName()));
    try {
        return ZParseRptDefinition(file.readAll());
    } catch (const EZError &error) {
        throw EZError(QStringLiteral("报表定义文件 %1 有误：\n%2").arg(file.fileName(), error.message()));
    }
}
