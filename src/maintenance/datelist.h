#pragma once
#include <QDate>
#include <QList>
#include <QString>

// Dates in a sentence, each year said once after its last date, in English
// whatever the computer's language: "Jan 5, Mar 2, Jun 9, 2025",
// "Nov 5, 2024, Mar 2, 2025".
QString dateListText(const QList<QDate>& dates);
