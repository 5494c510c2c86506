#include "report/element.h"

#include <QRectF>

QRectF ReportRect::ToRectF() const
{
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}
