#pragma once

class QPainter;
class QPoint;

// The 10 × 10 arrow a grid's sorted column shows in its header, drawn as a
// shape at `topLeft` so that it stays sharp on a scaled screen.
constexpr int kSortArrowSize = 10;
void drawSortArrow(QPainter& painter, const QPoint& topLeft, bool up);
