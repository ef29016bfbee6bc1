#pragma once
// A transparent area over a skinned window that takes the mouse for it: a
// title strip, a click area that opens a menu, a grip.
#include <QMouseEvent>
#include <QWidget>

namespace velmoro::skin {

class HitArea : public QWidget {
    Q_OBJECT
public:
    HitArea(const QString& name, QRect geometry, QWidget* parent) : QWidget(parent)
    {
        setObjectName(name);
        setGeometry(geometry);
        setAttribute(Qt::WA_NoSystemBackground);
        setMouseTracking(true);
    }

signals:
    void MouseDown(Qt::MouseButton button, QPoint at);
    void MouseUp(Qt::MouseButton button, QPoint at);
    void Click();
    void DblClick();
    void MouseMove(QPoint at);

protected:
    void mousePressEvent(QMouseEvent* e) override { emit MouseDown(e->button(), e->position().toPoint()); }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        emit MouseUp(e->button(), e->position().toPoint());
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
            emit Click();
    }
    void mouseDoubleClickEvent(QMouseEvent*) override { emit DblClick(); }
    void mouseMoveEvent(QMouseEvent* e) override { emit MouseMove(e->position().toPoint()); }
};

} // namespace velmoro::skin
