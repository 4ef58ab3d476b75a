#pragma once
#include <QHeaderView>

class TStringGridEx;

// The grid's header row: each section is drawn by the grid, with its sort arrow.
class GridHeader : public QHeaderView {
  Q_OBJECT
 public:
  explicit GridHeader(TStringGridEx* grid);

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

 private:
  TStringGridEx* grid_;
};
