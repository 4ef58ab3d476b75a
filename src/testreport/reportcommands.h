#pragma once
#include "core/appservices.h"
#include "testreport/reportexport.h"

#include <QList>
#include <QStringList>

class QWidget;

// The test report viewer's save and print commands, for every window that shows
// test reports: each asks as the viewer asks (the same dialogs, their folders
// remembered under the same names), writes the same files and says a failure.
void saveReportsToText(QWidget* owner, const AppServices& services, const QList<ShownReport>& reports);
void saveReportsToCsv(QWidget* owner, const AppServices& services, const QList<ShownReport>& reports);
void saveReportsToMup(QWidget* owner, const AppServices& services, const QList<ShownReport>& reports);
void printReports(QWidget* owner, const AppServices& services, const QList<QStringList>& reports);
