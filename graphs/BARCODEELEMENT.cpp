#include "graphs/BARCODEELEMENT.h"

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/SelectRec.h"
#include "graphs/GRAPHWIN.h"

#include <cmath>
#include <cstdlib>
#include <memory>

BARCODEELEMENT::BARCODEELEMENT(DATASET *data, unsigned valueVariable, unsigned groupVar, int x, int y, int w, int h,
                               double low, double high, double group)
    : pal_element(kindBarCode, x, y, x + w, y + h, nullptr), variable(valueVariable), groupVariable(groupVar),
      minimum(low), maximum(high), range(high - low), groupValue(group), dataSet(data),
      vertical(std::abs(w) < std::abs(h) ? 1 : 0)
{
    ownStyle.SetSecondColour(0);
    ownStyle.SetFillColour(0);
    style = &ownStyle;
}

void BARCODEELEMENT::SetStyle(const DrawStyle *newStyle)
{
    if (newStyle)
        ownStyle.CopyFrom(*newStyle);
}

double BARCODEELEMENT::Position(double value) const
{
    // Constant data gives a range of 0, whose quotient would be NaN or
    // infinite before it was cast to a pixel.
    if (!(range > 0.0) || !std::isfinite(range))
        return 0.0;
    const double p = (value - minimum) / range;
    return std::isfinite(p) ? p : 0.0;
}

void BARCODEELEMENT::DrawCase(HDC dc, double value)
{
    const double p = Position(value);
    LOGBRUSH colour = {BS_SOLID, ownStyle.LineColour(), 0};
    HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, penWidth, &colour, 0, nullptr);
    HGDIOBJ old = SelectObject(dc, pen);
    POINT from, to;
    if (!vertical) {
        const int x = device.left + static_cast<int>(std::floor(device.Width() * p + 0.5));
        from = Scaled(x, device.bottom);
        to = Scaled(x, device.top - 1);
    } else {
        const int y = device.bottom - static_cast<int>(std::floor(device.Height() * p + 0.5));
        from = Scaled(device.left, y);
        to = Scaled(device.right + 1, y);
    }
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void BARCODEELEMENT::Draw()
{
    FreshenDevice();
    HDC dc = DrawDC();
    if (!dc || !dataSet)
        return;
    std::unique_ptr<LISTETYPE> madeValues = std::make_unique<LISTETYPE>(dataSet, static_cast<long>(variable));
    std::unique_ptr<LISTETYPE> madeGroups;
    if (groupVariable)
        madeGroups = std::make_unique<LISTETYPE>(dataSet, static_cast<long>(groupVariable));
    LISTETYPE *values = madeValues.get();
    LISTETYPE *groups = madeGroups.get();
    if (values->Error() || (groups && groups->Error()))
        return;
    SelectRec *selection = dataSet->GetActiveSelection();
    values->SeekCase(1, 1);
    if (groups)
        groups->SeekCase(1, 1);
    while (values->MoveNext()) {
        if (groups && !groups->MoveNext())
            break;
        const long caseFrom0 = values->GetCurrentCase() - 1;
        if (selection && !selection->IsCaseInForce(caseFrom0))
            continue;
        if (groups) {
            if (groups->IsCurrentMissing())
                continue;
            // "Every group" is the not-computed mark (the largest float), as
            // the builders pass it; any other value keeps that group's cases.
            if (!IsNotComputed(groupValue) && groups->GetCurrentAsReal() != groupValue)
                continue;
        }
        if (values->IsCurrentSysMissing() || (!includeUserMissing && values->IsCurrentUserMissing()))
            continue;
        DrawCase(dc, values->GetCurrentAsReal());
    }
}
