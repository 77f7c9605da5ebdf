#include "TfrmChartPub.h"

#include "common/ZDialogOwner.h"
#include "common/ZErrors.h"
#include "controls/ZFileDialogs.h"
#include "common/ZGuard.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QPieSeries>
#include <QPieSlice>
#include <QPushButton>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QChart *barOrLineChart(const TZChartData &data, bool line)
{
    auto *chart = new QChart;
    auto *categories = new QBarCategoryAxis;
    categories->append(data.categories);
    categories->setTitleText(data.itemCaption);
    auto *valueAxis = new QValueAxis;
    chart->addAxis(categories, Qt::AlignBottom);
    chart->addAxis(valueAxis, Qt::AlignLeft);
    double low = 0;
    double high = 0;
    for (const QList<double> &series : data.values) {
        for (double value : series) {
            low = std::min(low, value);
            high = std::max(high, value);
        }
    }
    if (line) {
        for (int s = 0; s < data.values.size(); ++s) {
            auto *series = new QLineSeries;
            series->setName(data.seriesNames.value(s));
            series->setPointsVisible(true);
            for (int c = 0; c < data.values.at(s).size(); ++c)
                series->append(c, data.values.at(s).at(c));
            chart->addSeries(series);
            series->attachAxis(categories);
            series->attachAxis(valueAxis);
        }
    } else {
        auto *series = new QBarSeries;
        for (int s = 0; s < data.values.size(); ++s) {
            auto *set = new QBarSet(data.seriesNames.value(s));
            for (double value : data.values.at(s))
                *set << value;
            series->append(set);
        }
        chart->addSeries(series);
        series->attachAxis(categories);
        series->attachAxis(valueAxis);
    }
    valueAxis->setRange(low, high > low ? high : low + 1);
    valueAxis->applyNiceNumbers();
    return chart;
}

QChart *pieChart(const TZChartData &data)
{
    auto *chart = new QChart;
    auto *series = new QPieSeries;
    series->setName(data.seriesNames.value(0));
    const QList<double> values = data.values.value(0);
    double total = 0;
    for (double value : values)
        total += std::max(value, 0.0);
    for (int c = 0; c < values.size(); ++c) {
        // A pie has no room for parts below nothing.
        if (values.at(c) <= 0)
            continue;
        QPieSlice *slice = series->append(data.categories.value(c), values.at(c));
        slice->setLabel(QStringLiteral("%1 %2%").arg(data.categories.value(c)).arg(100.0 * values.at(c) / total, 0, 'f', 1));
        slice->setLabelVisible(true);
    }
    chart->addSeries(series);
    return chart;
}

} // namespace

TfrmChartPub::TfrmChartPub(QWidget *parent)
    : TfrmZForm(parent)
    , m_view(new QChartView(this))
    , m_kinds(new QComboBox(this))
    , m_save(new QPushButton(QStringLiteral("保存图片"), this))
{
    setObjectName(QStringLiteral("frmChartPub"));
    m_kinds->setObjectName(QStringLiteral("cbxChartType"));
    m_kinds->addItems({QStringLiteral("柱形图"), QStringLiteral("折线图"), QStringLiteral("饼图")});
    m_save->setObjectName(QStringLiteral("btnSavePicture"));
    m_view->setObjectName(QStringLiteral("chartView"));
    m_view->setRenderHint(QPainter::Antialiasing);

    auto *bar = new QHBoxLayout;
    bar->addWidget(new QLabel(QStringLiteral("图表类型："), this));
    bar->addWidget(m_kinds);
    bar->addSpacing(12);
    bar->addWidget(m_save);
    bar->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(bar);
    layout->addWidget(m_view, 1);

    connect(m_kinds, &QComboBox::currentIndexChanged, this,
            [this](int index) { ZGuard([this, index] { SetKind(TZChartKind(index)); }); });
    connect(m_save, &QPushButton::clicked, this, [this] { ZGuard([this] { DoSavePicture(); }); });
    resize(760, 520);
}

TfrmChartPub::~TfrmChartPub() = default;

void TfrmChartPub::SetChartData(const TZChartData &data, const QString &caption, TZChartKind kind)
{
    m_data = data;
    m_caption = caption;
    setWindowTitle(caption);
    m_kind = kind;
    rebuild();
}

void TfrmChartPub::SetKind(TZChartKind kind)
{
    if (kind == m_kind)
        return;
    m_kind = kind;
    rebuild();
}

void TfrmChartPub::rebuild()
{
    {
        const QSignalBlocker blocker(m_kinds);
        m_kinds->setCurrentIndex(int(m_kind));
    }
    QChart *chart = m_kind == ckPie ? pieChart(m_data) : barOrLineChart(m_data, m_kind == ckLine);
    // A pie shows the first value field only; with several it says which.
    if (m_kind == ckPie && m_data.seriesNames.size() > 1)
        chart->setTitle(m_caption + QStringLiteral("（") + m_data.seriesNames.constFirst() + QStringLiteral("）"));
    else
        chart->setTitle(m_caption);
    chart->legend()->setAlignment(m_kind == ckPie ? Qt::AlignRight : Qt::AlignBottom);
    chart->setAnimationOptions(QChart::NoAnimation);
    QChart *old = m_view->chart();
    m_view->setChart(chart);
    delete old; // the view hands an old chart back to its caller
}

void TfrmChartPub::SavePicture(const QString &fileName)
{
    const QSize size = m_view->size().expandedTo(QSize(640, 480));
    if (m_view->size() != size && !m_view->isVisible())
        m_view->resize(size);
    QImage image(m_view->size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        m_view->render(&painter);
    }
    if (!image.save(fileName, "PNG"))
        throw EZError(QStringLiteral("保存图片失败：%1").arg(QDir::toNativeSeparators(fileName)));
}

void TfrmChartPub::DoSavePicture()
{
    QString fileName = m_caption.isEmpty() ? QStringLiteral("chart.png") : m_caption + QStringLiteral(".png");
    if (!zSaveDialog(QStringLiteral("PNG图片(*.png)|*.png"), fileName, this))
        return;
    if (QFileInfo(fileName).suffix().compare(QLatin1String("png"), Qt::CaseInsensitive) != 0)
        fileName += QStringLiteral(".png");
    SavePicture(fileName);
}

void ZShowChart(QWidget *owner, TZClientDataSet &data, const QString &caption, const QString &itemField,
                const QString &valueField, const QString &valueType)
{
    if (itemField.trimmed().isEmpty() || valueField.trimmed().isEmpty())
        throw EZError(QStringLiteral("图表的分类字段和数值字段都必须设置"));
    const TZChartData chartData = ZChartDataOf(data, itemField, valueField);
    auto *form = new TfrmChartPub;
    form->SetChartData(chartData, caption, ZChartKindOf(valueType));
    const QSize size = form->size();
    ZPlaceDialog(form, owner);
    // Placing fits the window to its contents; the chart wants its room.
    form->resize(size);
    QWidget *anchor = owner ? owner->window() : nullptr;
    if (anchor && anchor != form) {
        QRect frame = form->frameGeometry();
        frame.moveCenter(anchor->frameGeometry().center());
        form->move(frame.topLeft());
    }
    form->show();
    form->raise();
    form->activateWindow();
}
