#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// A department's inventory of devices, as its maintenance system exports it:
// one device a line, with its I.D., its location, its test interval in months
// (empty: its type's) and a note.
struct InventoryRow {
  int line = 0;  // from 1, as an editor counts
  QString device;
  QString location;
  std::optional<int> intervalMonths;
  QString note;
};

struct InventoryRefusal {
  int line = 0;
  QString reason;
};

struct Inventory {
  QList<InventoryRow> rows;
  QList<InventoryRefusal> refused;
};

constexpr int kInventoryMaxLineChars = 2000;
constexpr int kInventoryMaxMonths = 120;

// Reads the inventory. The separator is the comma or the semicolon, whichever
// the first line uses; fields may be quoted ("" inside for a quote); a byte
// order mark is skipped, and a first line that names the columns (its first
// field holds "device", its interval field a word) is not a device. A line
// is one record: a quoted field does not run on to the next line. A line is taken whole or refused with
// its reason: text that is not UTF-8, a line over kInventoryMaxLineChars
// characters, no device I.D., an interval that is not a whole number of months
// from 1 to kInventoryMaxMonths, more than four fields, a device listed again.
Inventory parseInventoryCsv(const QByteArray& bytes);
