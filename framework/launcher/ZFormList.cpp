#include "ZFormList.h"

#include "common/ZFiles.h"
#include "settings/ZRegistry.h"
#include "data/TZClientDataSet.h"
#include "data/TZDataSetModel.h"
#include "ini/ZIniRoutines.h"

#include <QTableView>
#include <QVBoxLayout>
#include <QWidget>

namespace {

QString formListFile()
{
    return GetCurrPath() + QStringLiteral("formList.ini");
}

/// A window showing the rows of a dataset, for looking at data while
/// developing; it shows the dataset without copying it.
class TfrmViewDataset : public QWidget
{
public:
    explicit TfrmViewDataset(TZClientDataSet &dataSet) : QWidget(nullptr, Qt::Window)
    {
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowTitle(QStringLiteral("数据集"));
        auto *view = new QTableView(this);
        view->setModel(new TZDataSetModel(&dataSet, view));
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(view);
        resize(640, 400);
    }
};

} // namespace

void SetMainFormClsName(const QString &className)
{
    SetIniItemValue(formListFile(), QStringLiteral("formList"), QStringLiteral("MainForm"), className);
}

QString GetMainForm()
{
    return GetIniItemValue(formListFile(), QStringLiteral("formList"), QStringLiteral("MainForm"));
}

void ShowViewDataForm(TZClientDataSet &dataSet)
{
    static const bool enabled = ReadRegRootKey(QStringLiteral("ShowViewDataForm")) == QLatin1String("1");
    if (enabled)
        (new TfrmViewDataset(dataSet))->show();
}
