#include "departmentbench.h"

#include "benchsupport.h"
#include "support/postgresserver.h"

#include <QSqlError>

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
