#include "departmentbench.h"

#include "benchsupport.h"
#include "archivebench.h"
#include "support/postgresserver.h"
#include "testreport/samplerecords.h"
#include "testreport/testrecord.h"

#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <cstdio>

DepartmentBench::DepartmentBench() : server(std::make_unique<PostgresServer>()) {
  if (!server->ready()) {
    noteFailure(QStringLiteral("the PostgreSQL server did not start: ") + server->error());
    return;
  }
  QString error;
  sender = *DepartmentServer::parse(server->url(QStringLiteral("tech1")), &error);
  ArchiveFailure failure;
  if (!Archive::initDepartment(*DepartmentServer::parse(server->url(QStringLiteral("kalyx5pc_owner")), &error),
                               &failure)) {
    noteFailure(failure.message());
    return;
  }
  admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("bench-admin"));
  admin.setHostName(server->socketDir());
  admin.setPort(server->port());
  admin.setUserName(QStringLiteral("k5admin"));
  admin.setDatabaseName(QStringLiteral("department"));
  if (!admin.open()) {
    noteFailure(QStringLiteral("the administrator cannot log in: ") + admin.lastError().text());
    return;
  }
  ready_ = true;
}

DepartmentBench::~DepartmentBench() {
  admin.close();
  admin = QSqlDatabase();
  QSqlDatabase::removeDatabase(QStringLiteral("bench-admin"));
}

bool fillLargeDepartment(QSqlDatabase& db) {
  QElapsedTimer filling;
  filling.start();
  QSqlQuery query(db);
  if (!query.exec(QStringLiteral("CREATE TEMPORARY TABLE sample (n integer, bytes bytea, dut_type integer)"))) return false;
  const QList<TTestRec> samples = sampleTestRecords();
  query.prepare(QStringLiteral("INSERT INTO sample VALUES (?, ?, ?)"));
  for (int n = 0; n < samples.size(); ++n) {
    query.addBindValue(n);
    query.addBindValue(QByteArray(samples[n].data(), TTestRec::Size));
    query.addBindValue(int(samples[n].u8(testrec::DutTypeByte)));
    if (!query.exec()) return false;
  }
  const bool filled = query.exec(
      QStringLiteral("INSERT INTO record (kind, analyzer, digest, bytes, downloaded, device, tested, dut_type, verdict, "
                     "autoseq, number, title, sent_by, sent_from) "
                     "SELECT 1, 'A1234567', sha256(b), b, '2026-01-01T00:00:00Z', 'DEV-' || (g % %1), "
                     "to_char(timestamp '2001-01-01 08:00' + (g / %1) * interval '7 days' + (g % %1 % 36000) * "
                     "interval '1 second', 'YYYY-MM-DD\"T\"HH24:MI:SS'), dut_type, 1, 0, 1, 'Autosequence 1', "
                     "'bench', 'bench' FROM ("
                     // Each report's own bytes (the server keeps a record once by its bytes' fingerprint):
                     // its device I.D. field holds "DEV-<n>", a NUL, then the report's number.
                     "SELECT g, s.dut_type, overlay(s.bytes placing decode(rpad(encode(convert_to('DEV-' || (g % %1), "
                     "'UTF8'), 'hex'), 20, '0') || encode(convert_to(lpad(g::text, 6, '0'), 'UTF8'), 'hex'), 'hex') "
                     "from 1 for 16) AS b FROM generate_series(0, %2) g JOIN sample s ON s.n = g % %3) numbered")
          .arg(kLargeDevices)
          .arg(kLargeReports - 1)
          .arg(samples.size()));
  if (!filled || !query.exec(QStringLiteral("ANALYZE record"))) {
    noteFailure(QStringLiteral("the server could not be filled: ") + query.lastError().text());
    return false;
  }
  std::printf("filled the department's archive with %d reports of %d devices in %.0f s\n", kLargeReports, kLargeDevices,
              filling.elapsed() / 1000.0);
  return true;
}
