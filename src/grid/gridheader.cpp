#include "grid/gridheader.h"

#include "grid/stringgridex.h"

GridHeader::GridHeader(TStringGridEx* grid) : QHeaderView(Qt::Horizontal, grid), grid_(grid) {
  setSectionsClickable(true);
  setHighlightSections(false);
  setSectionResizeMode(QHeaderView::Interactive);
  setStretchLastSection(false);
  setMinimumSectionSize(8);
}

void GridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  grid_->drawHeaderCell(*painter, rect, logicalIndex);
}
