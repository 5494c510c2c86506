#include "report/hline.h"

#include "report/easyreport.h"

#include <QPainter>

void CHline::Draw(QPainter& painter) const
{
    painter.save();
    painter.setPen(Report().GetPen());
    painter.drawLine(QPointF(Rect().left, Rect().top), QPointF(Rect().right, Rect().top));
    painter.restore();
}
