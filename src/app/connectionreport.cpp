#include "app/connectionreport.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TConnectionReport::TConnectionReport(const QStringList& lines, QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("ConnectionReport"));
  setWindowTitle(QStringLiteral("Check Analyzer Connection"));
  bool problem = false;
  for (const QString& line : lines) problem = problem || line.startsWith(QLatin1String("PROBLEM"));
  auto* verdict = new QLabel(problem ? QStringLiteral("Something stands between the program and the analyzer. Each "
                                                      "line marked PROBLEM says what to do.")
                                     : QStringLiteral("The analyzer can be reached."),
                             this);
  verdict->setObjectName(QStringLiteral("lblVerdict"));
  verdict->setWordWrap(true);
  auto* report = new QPlainTextEdit(lines.join(QLatin1Char('\n')), this);
  report->setObjectName(QStringLiteral("txtReport"));
  report->setReadOnly(true);
  report->setAccessibleName(QStringLiteral("Findings"));
  report->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  report->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->button(QDialogButtonBox::Close)->setDefault(true);  // Enter closes, as Esc does
  QPushButton* copy = buttons->addButton(QStringLiteral("&Copy"), QDialogButtonBox::ActionRole);
  copy->setObjectName(QStringLiteral("btnCopy"));
  connect(copy, &QPushButton::clicked, this, [lines] { QApplication::clipboard()->setText(lines.join(QLatin1Char('\n'))); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(verdict);
  layout->addWidget(report, 1);
  layout->addWidget(buttons);
  resize(760, 360);
}
