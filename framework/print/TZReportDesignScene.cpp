#include "TZReportDesignScene.h"

#include "ZReportPaint.h"

#include <QGraphicsItem>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include <cmath>

namespace {

constexpr double CaptionHeight = 18; // pixels
constexpr double BandGap = 6;
constexpr double GripSize = 8;
constexpr double SnapMm = 0.5;
constexpr int BandKey = 0;
constexpr int ObjectKey = 1;

double snap(double mm)
{
    return std::round(mm / SnapMm) * SnapMm;
}

/// An object of a band on the editor's page: drawn as it prints, with its
/// source text; moved by dragging, sized by dragging its lower right corner.
class TObjectItem final : public QGraphicsItem
{
public:
    TObjectItem(TZReportDesignScene &scene, int band, int object, QGraphicsItem *parent)
        : QGraphicsItem(parent), m_scene(scene), m_band(band), m_object(object)
    {
        setFlags(ItemIsMovable | ItemIsSelectable | ItemSendsGeometryChanges);
        setData(BandKey, band);
        setData(ObjectKey, object);
        const QRectF mm = model().rect;
        setPos(mm.topLeft() * scale());
        m_size = mm.size() * scale();
        setCursor(Qt::SizeAllCursor);
    }

    QRectF boundingRect() const override
    {
        return QRectF(QPointF(), m_size).adjusted(-2, -2, 2 + GripSize / 2, 2 + GripSize / 2);
    }

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *) override
    {
        const QRectF rect(QPointF(), m_size);
        ZPaintReportObject(*painter, model(), rect, model().text, scale());
        if (model().kind == TZReportObject::okText && model().frame == 0) {
            painter->setPen(QPen(QColor(190, 190, 190), 0, Qt::DotLine));
            painter->drawRect(rect);
        }
        if (isSelected()) {
            painter->setPen(QPen(QColor(0, 90, 200), 0, Qt::DashLine));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(rect);
            painter->fillRect(grip(), QColor(0, 90, 200));
        }
    }

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override
    {
        if (change == ItemPositionChange && !m_resizing) {
            // Stays inside its band, on the half-millimetre grid.
            const QRectF area = parentItem()->boundingRect();
            QPointF p = value.toPointF();
            const double x = qBound(0.0, snap(p.x() / scale()), qMax(0.0, area.width() / scale() - 1));
            const double y = qBound(0.0, snap(p.y() / scale()), qMax(0.0, area.height() / scale() - 1));
            return QPointF(x, y) * scale();
        }
        return QGraphicsItem::itemChange(change, value);
    }

    void mousePressEvent(QGraphicsSceneMouseEvent *event) override
    {
        m_resizing = event->button() == Qt::LeftButton && grip().adjusted(-2, -2, 2, 2).contains(event->pos());
        QGraphicsItem::mousePressEvent(event);
    }

    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override
    {
        if (!m_resizing) {
            QGraphicsItem::mouseMoveEvent(event);
            return;
        }
        prepareGeometryChange();
        const double w = qMax(SnapMm, snap(event->pos().x() / scale()));
        const double h = qMax(SnapMm, snap(event->pos().y() / scale()));
        m_size = QSizeF(w, h) * scale();
        update();
    }

    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override
    {
        QGraphicsItem::mouseReleaseEvent(event);
        m_resizing = false;
        const QRectF mm(pos() / scale(), m_size / scale());
        if (mm != model().rect)
            m_scene.objectGeometryDone(m_band, m_object,
                                       QRectF(snap(mm.x()), snap(mm.y()), snap(mm.width()), snap(mm.height())));
    }

    void hoverMoveEvent(QGraphicsSceneHoverEvent *) override {}

private:
    double scale() const { return m_scene.DotsPerMm(); }
    const TZReportObject &model() const { return m_scene.Layout().bands.at(m_band).objects.at(m_object); }
    QRectF grip() const
    {
        return QRectF(m_size.width() - GripSize / 2, m_size.height() - GripSize / 2, GripSize, GripSize);
    }

    TZReportDesignScene &m_scene;
    int m_band;
    int m_object;
    QSizeF m_size;
    bool m_resizing = false;
};

} // namespace

TZReportDesignScene::TZReportDesignScene(TZReportLayout &layout, double dotsPerMm, QObject *parent)
    : QGraphicsScene(parent), m_layout(layout), m_dotsPerMm(dotsPerMm)
{
    connect(this, &QGraphicsScene::selectionChanged, this, &TZReportDesignScene::onSelectionChanged);
    Rebuild();
}

TZReportDesignScene::~TZReportDesignScene()
{
    // The items go while this class is still whole: removing selected items
    // reports a selection change, which must not reach a scene half gone.
    disconnect(this, &QGraphicsScene::selectionChanged, this, &TZReportDesignScene::onSelectionChanged);
    clear();
}

void TZReportDesignScene::Rebuild()
{
    m_rebuilding = true;
    clear();
    m_bandAreas = QList<QGraphicsRectItem *>(m_layout.bands.size(), nullptr);
    const double width = m_layout.page.ContentWidthMm() * m_dotsPerMm;
    QFont captionFont;
    captionFont.setFamilies(ZReportFontFamilies(TZReportObject::DefaultFontFamily()));
    captionFont.setPointSizeF(9);
    double y = 0;
    for (int band : m_layout.BandOrder()) {
        const TZReportBand &model = m_layout.bands.at(band);
        auto *caption = addRect(0, y, width, CaptionHeight, QPen(Qt::NoPen), QColor(225, 230, 240));
        caption->setData(BandKey, band);
        QString captionText = ZBandKindCaption(model.kind);
        if (model.kind == bkGroupHeader && !model.groupExpression.isEmpty())
            captionText += QStringLiteral("：") + model.groupExpression;
        auto *label = addSimpleText(captionText, captionFont);
        label->setPos(4, y + (CaptionHeight - label->boundingRect().height()) / 2);
        label->setData(BandKey, band);
        y += CaptionHeight;
        const double height = qMax(1.0, model.height * m_dotsPerMm);
        auto *area = addRect(0, 0, width, height, QPen(QColor(160, 160, 160), 0), Qt::white);
        area->setPos(0, y);
        area->setData(BandKey, band);
        area->setFlag(QGraphicsItem::ItemClipsChildrenToShape);
        m_bandAreas[band] = area;
        for (int object = 0; object < model.objects.size(); ++object)
            new TObjectItem(*this, band, object, area);
        y += height + BandGap;
    }
    setSceneRect(-10, -10, width + 20, y + 20);
    m_rebuilding = false;
    if (m_band >= m_layout.bands.size())
        m_band = -1;
    if (m_band < 0 || m_object >= m_layout.bands.at(m_band).objects.size())
        m_object = -1;
    Select(m_band, m_object);
}

QRectF TZReportDesignScene::BandArea(int band) const
{
    const QGraphicsRectItem *area = m_bandAreas.value(band);
    return area ? area->sceneBoundingRect() : QRectF();
}

QRectF TZReportDesignScene::ObjectArea(int band, int object) const
{
    const QRectF mm = m_layout.bands.at(band).objects.at(object).rect;
    return QRectF(BandArea(band).topLeft() + mm.topLeft() * m_dotsPerMm, mm.size() * m_dotsPerMm);
}

void TZReportDesignScene::Select(int band, int object)
{
    m_rebuilding = true;
    clearSelection();
    if (band >= 0 && object >= 0 && m_bandAreas.value(band)) {
        for (QGraphicsItem *item : m_bandAreas.at(band)->childItems()) {
            if (item->data(ObjectKey).toInt() == object)
                item->setSelected(true);
        }
    }
    m_rebuilding = false;
    const bool moved = band != m_band || object != m_object;
    m_band = band;
    m_object = object;
    for (int i = 0; i < m_bandAreas.size(); ++i) {
        if (m_bandAreas.at(i))
            m_bandAreas.at(i)->setPen(QPen(i == band ? QColor(0, 90, 200) : QColor(160, 160, 160), 0));
    }
    if (moved)
        emit SelectionMoved(m_band, m_object);
}

void TZReportDesignScene::objectGeometryDone(int band, int object, const QRectF &rectMm)
{
    m_layout.bands[band].objects[object].rect = rectMm;
    emit Changed();
}

void TZReportDesignScene::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    QGraphicsScene::mousePressEvent(event);
    if (!selectedItems().isEmpty())
        return;
    for (QGraphicsItem *item : items(event->scenePos())) {
        if (item->data(BandKey).isValid()) {
            Select(item->data(BandKey).toInt(), -1);
            return;
        }
    }
}

void TZReportDesignScene::onSelectionChanged()
{
    if (m_rebuilding)
        return;
    const QList<QGraphicsItem *> selected = selectedItems();
    if (selected.isEmpty())
        return; // the band click handler decides
    QGraphicsItem *item = selected.first();
    const int band = item->data(BandKey).toInt();
    const int object = item->data(ObjectKey).toInt();
    if (band != m_band || object != m_object)
        Select(band, object);
}
