#pragma once

#include "print/TZReportLayout.h"

#include <QGraphicsScene>

class QGraphicsRectItem;

/// The page of the layout editor: the bands one under another, each with its
/// caption strip, and their objects, which the mouse selects, moves (within
/// their band) and sizes (by the lower right corner). Positions snap to half
/// millimetres. The scene edits the layout it is given; structural changes
/// (objects or bands added, removed, resized) are followed by Rebuild().
class TZReportDesignScene final : public QGraphicsScene
{
    Q_OBJECT

public:
    TZReportDesignScene(TZReportLayout &layout, double dotsPerMm, QObject *parent = nullptr);
    ~TZReportDesignScene() override;

    /// Builds the items again from the layout, keeping the selection when it
    /// still exists.
    void Rebuild();

    /// Selects a band, or an object of it (object -1: the band alone).
    void Select(int band, int object);
    int SelectedBand() const { return m_band; }
    int SelectedObject() const { return m_object; }

    /// Where a band's area lies in the scene.
    QRectF BandArea(int band) const;
    /// Where an object lies in the scene.
    QRectF ObjectArea(int band, int object) const;

    double DotsPerMm() const { return m_dotsPerMm; }
    TZReportLayout &Layout() { return m_layout; }

    /// Called by the object items once a move or resize ends.
    void objectGeometryDone(int band, int object, const QRectF &rectMm);

signals:
    /// An object was moved or sized by the mouse.
    void Changed();
    /// The selected band or object is another one.
    void SelectionMoved(int band, int object);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;

private:
    void onSelectionChanged();

    TZReportLayout &m_layout;
    double m_dotsPerMm;
    QList<QGraphicsRectItem *> m_bandAreas; ///< by band index
    int m_band = -1;
    int m_object = -1;
    bool m_rebuilding = false;
};
