#include "ZGridColumns.h"

#include "common/ZTrim.h"
#include "controls/TZDBGrid.h"
#include "controls/TZGridDelegate.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZField.h"
#include "metadata/ZDataSources.h"

namespace {

const QString kButtonHandler = QStringLiteral("zGridButtonHandler");

TZCellEditor editorFor(const TZField &definition)
{
    TZCellEditor editor;
    if (definition.FieldType == ftZDate) {
        editor.kind = TZCellEditor::Date;
    } else if (definition.FieldType == ftZTime) {
        editor.kind = TZCellEditor::Time;
    } else if (!ZIsBlank(definition.RelativeDS)) {
        editor.relativeDS = ZTrim(definition.RelativeDS);
        if (!definition.ShowDataList) {
            editor.kind = TZCellEditor::Button;
        } else {
            GetDataSource(editor.relativeDS); // an undefined module raises here
            editor.kind = definition.ShowDataListType != 0 ? TZCellEditor::ComboList : TZCellEditor::LookUp;
        }
    } else if (definition.FieldType == ftZBoolean) {
        editor.kind = TZCellEditor::Check;
    } else if (!ZIsBlank(definition.PickList)) {
        editor.kind = TZCellEditor::PickList;
        editor.items = definition.GetPickListTextForCbxList().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    return editor;
}

} // namespace

QString ZCustomColumnCaption(const QString &, int, const QString &)
{
    return {};
}

void RefreshGridByDS(TZDBGrid &grid, std::function<void(const QString &field)> buttonClick)
{
    auto *dataSet = dynamic_cast<TOrvDataSet *>(grid.DataSet());
    if (!dataSet || ZIsBlank(dataSet->ProgID) || !dataSet->Active())
        return;
    const QString progID = ZTrim(dataSet->ProgID);
    for (int column = 0; column < dataSet->FieldCount(); ++column) {
        TZDataField &field = dataSet->Fields(column);
        const TZField *definition = dataSet->ZFieldOf(field);
        if (!definition)
            continue;
        const QString name = field.FieldName();
        QString caption = ZCustomColumnCaption(progID, dataSet->ProgDSIndex, name);
        if (caption.isEmpty())
            caption = ZIsBlank(definition->DisplayName) ? name : definition->DisplayName;
        const bool visible = definition->GetZFieldVisible();
        const bool editable = !definition->GetReadOnly() && !field.ReadOnly
                              && name.compare(QLatin1String("SerNo"), Qt::CaseInsensitive) != 0
                              && definition->Permitted && visible;
        grid.SetColumnCaption(name, editable ? caption : QStringLiteral("(%1)").arg(caption));
        grid.SetColumnReadOnly(name, !editable);
        grid.SetColumnRequired(name, !definition->AllowEmpty);
        if (!definition->PickItems.isEmpty() || !ZIsBlank(definition->RelativeDS))
            grid.SetColumnAlignment(name, Qt::AlignLeft); // numbers shown as texts
        grid.SetColumnAvailable(name, visible);
        grid.Delegate()->SetColumnEditor(name, definition->GetReadOnly() ? TZCellEditor() : editorFor(*definition));
    }
    delete grid.findChild<QObject *>(kButtonHandler, Qt::FindDirectChildrenOnly);
    if (buttonClick) {
        auto *handler = new QObject(&grid);
        handler->setObjectName(kButtonHandler);
        QObject::connect(&grid, &TZDBGrid::buttonClicked, handler, std::move(buttonClick));
    }
}
