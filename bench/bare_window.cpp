// The baseline of the start-up benchmark: a bare Qt Widgets main window with a
// menu, three tabs and a table, shown as soon as it is made.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTabWidget>
#include <QTableWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  for (const char* menu : {"&File", "&Edit", "&View", "&Tools", "&Help"})
    window.menuBar()->addMenu(QString::fromLatin1(menu))->addAction(QStringLiteral("Item"));
  auto* tabs = new QTabWidget;
  auto* table = new QTableWidget(12, 6);
  for (int row = 0; row < 12; ++row)
    for (int column = 0; column < 6; ++column)
      table->setItem(row, column, new QTableWidgetItem(QStringLiteral("%1.%2").arg(row).arg(column)));
  tabs->addTab(table, QStringLiteral("Autosequences"));
  tabs->addTab(new QWidget, QStringLiteral("Test Reports"));
  tabs->addTab(new QWidget, QStringLiteral("Waveforms"));
  window.setCentralWidget(tabs);
  window.resize(800, 600);
  window.show();
  return app.exec();
}
