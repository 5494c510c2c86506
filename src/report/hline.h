#pragma once

#include "report/element.h"

// A rule along the top edge of its rectangle, in the report pen.
class CHline : public CElement
{
public:
    using CElement::CElement;

    const char* ClassName() const override { return "CHline"; }
    void Draw(QPainter& painter) const override;
};
