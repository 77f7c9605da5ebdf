#include "TfrmReportDesign.h"

#include "TZReportDesignScene.h"

#include "common/ZDialogOwner.h"
#include "common/ZErrors.h"
#include "forms/ZMessageBox.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGraphicsView>
#include <QScreen>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

TfrmReportDesign::TfrmReportDesign(QWidget *owner, const QString &layoutFile, const TZReportLayout &startLayout,
                                   const TZReportData &data)
    : QDialog(owner), m_file(layoutFile), m_layout(startLayout), m_data(data)
{
    if (QFileInfo::exists(layoutFile))
        m_layout.LoadFromFile(layoutFile);
    setObjectName(QStringLiteral("frmReportDesign"));
    setWindowTitle(QStringLiteral("报表设计 - %1").arg(QFileInfo(layoutFile).fileName()));
    buildWindow();
    fillFields();
    int dataBand = -1;
    for (int band : m_layout.BandOrder()) {
        if (dataBand < 0 && m_layout.bands.at(band).kind == bkData)
            dataBand = band;
    }
    m_scene->Select(dataBand >= 0 ? dataBand : (m_layout.bands.isEmpty() ? -1 : m_layout.BandOrder().first()), -1);
    showSelection();
}

TfrmReportDesign::~TfrmReportDesign() = default;

void TfrmReportDesign::buildWindow()
{
    auto *toolBar = new QToolBar(this);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction *add = toolBar->addAction(QStringLiteral("新增文本"), this, &TfrmReportDesign::AddText);
    add->setObjectName(QStringLiteral("actAddText"));
    m_delete = toolBar->addAction(QStringLiteral("删除"), this, &TfrmReportDesign::DeleteSelected);
    m_delete->setObjectName(QStringLiteral("actDelete"));
    m_delete->setShortcut(QKeySequence::Delete);
    m_delete->setShortcutContext(Qt::WidgetShortcut);
    toolBar->addSeparator();
    QAction *preview = toolBar->addAction(QStringLiteral("预览"), this, &TfrmReportDesign::Preview);
    preview->setObjectName(QStringLiteral("actPreview"));
    QAction *save = toolBar->addAction(QStringLiteral("保存"), this, &TfrmReportDesign::Save);
    save->setObjectName(QStringLiteral("actSave"));
    save->setShortcut(QKeySequence::Save);

    const double dotsPerMm = logicalDpiX() / 25.4;
    m_scene = new TZReportDesignScene(m_layout, dotsPerMm, this);
    m_view = new QGraphicsView(m_scene);
    m_view->setObjectName(QStringLiteral("viewLayout"));
    m_view->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_view->setBackgroundBrush(QColor(200, 200, 200));
    m_view->addAction(m_delete);
    m_delete->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(m_scene, &TZReportDesignScene::Changed, this, [this] {
        setModified();
        showSelection();
    });
    connect(m_scene, &TZReportDesignScene::SelectionMoved, this, &TfrmReportDesign::showSelection);

    auto *splitter = new QSplitter(this);
    splitter->addWidget(m_view);
    splitter->addWidget(buildPanel());
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(splitter, 1);
    splitter->setSizes({720, 300});
    resize(1040, 720);
}

TZReportObject *TfrmReportDesign::selectedObject()
{
    const int band = m_scene->SelectedBand();
    const int object = m_scene->SelectedObject();
    if (band < 0 || object < 0)
        return nullptr;
    return &m_layout.bands[band].objects[object];
}

void TfrmReportDesign::setModified()
{
    m_modified = true;
}

void TfrmReportDesign::AddText()
{
    int band = m_scene->SelectedBand();
    if (band < 0) {
        for (int i : m_layout.BandOrder()) {
            if (band < 0 && m_layout.bands.at(i).kind == bkData)
                band = i;
        }
    }
    if (band < 0) {
        TZReportBand data;
        m_layout.bands << data;
        band = int(m_layout.bands.size() - 1);
    }
    TZReportBand &target = m_layout.bands[band];
    TZReportObject object;
    object.text = QStringLiteral("文本");
    object.rect = QRectF(0, 0, 30, qMin(7.0, qMax(2.0, target.height)));
    // Placed to the right of the band's last object when there is room.
    for (const TZReportObject &other : target.objects)
        object.rect.moveLeft(qMax(object.rect.left(), other.rect.right()));
    if (object.rect.right() > m_layout.page.ContentWidthMm())
        object.rect.moveLeft(0);
    target.objects << object;
    setModified();
    m_scene->Rebuild();
    m_scene->Select(band, int(target.objects.size() - 1));
    showSelection();
}

void TfrmReportDesign::DeleteSelected()
{
    const int band = m_scene->SelectedBand();
    const int object = m_scene->SelectedObject();
    if (band < 0 || object < 0)
        return;
    m_layout.bands[band].objects.removeAt(object);
    setModified();
    m_scene->Select(band, -1);
    m_scene->Rebuild();
    showSelection();
}

void TfrmReportDesign::Save()
{
    try {
        m_layout.SaveToFile(m_file);
        m_modified = false;
    } catch (...) {
        ZShowMessage(ZCurrentExceptionMessage());
    }
}

void TfrmReportDesign::Preview()
{
    ZPreviewReport(this, m_layout, m_data);
}

bool TfrmReportDesign::mayClose()
{
    if (!m_modified)
        return true;
    switch (ZMessageBox(QStringLiteral("提示"), QStringLiteral("报表格式已修改，是否保存？"), {zbYes, zbNo, zbCancel})) {
    case zbYes:
        Save();
        return !m_modified;
    case zbNo:
        return true;
    default:
        return false;
    }
}

void TfrmReportDesign::reject()
{
    if (mayClose())
        QDialog::reject();
}

void TfrmReportDesign::closeEvent(QCloseEvent *event)
{
    if (mayClose())
        QDialog::closeEvent(event);
    else
        event->ignore();
}

void ZDesignReport(QWidget *owner, const QString &layoutFile, const TZReportLayout &startLayout,
                   const TZReportData &data)
{
    TfrmReportDesign design(owner, layoutFile, startLayout, data);
    ZPlaceDialog(&design, owner);
    design.exec();
}
