#include "focus/views/FocusCurveView.h"

#include "focus/views/FocusCurvePainter.h"

#include <QPainter>

FocusCurveView::FocusCurveView(const AutoFocusRun& run, QWidget* parent)
    : QWidget(parent), m_run(run)
{
    setMinimumSize(240, 160);
}

void FocusCurveView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    FocusCurvePainter::paint(painter, QRectF(rect()), FocusCurveData::of(m_run), m_isIntegerColumns);
}
