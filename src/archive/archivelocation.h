#pragma once
#include <QString>
#include <QStringList>

class SettingsFile;

// Takes --archive FILE (also --archive=FILE) out of the arguments; false, with
// `error` set, when it names no file.
bool takeArchiveOption(QStringList* arguments, QString* file, QString* error);

// Where the archive is: the file given with --archive, else the one named by
// KALYX5PC_ARCHIVE, else archive.sqlite in the program's data folder. A program
// on its built-in simulator (--demo) without --archive keeps archive-demo.sqlite
// beside that archive instead, so that sample devices never mix with real ones.
QString archiveLocation(const QString& option, bool demo);

// The lines the programs' --help shows for the option.
QString archiveOptionHelp();

// The address of the department's archive: the one given with --shared, else
// the one in the settings ([Archive] SHARED); empty when there is none. A
// program on its simulator (--demo) never takes the settings' one: sample
// devices never reach the department.
QString departmentAddress(const QString& option, SettingsFile& settings, bool demo);
