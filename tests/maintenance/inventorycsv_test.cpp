// A department's inventory file, line by line.
#include "maintenance/inventorycsv.h"

#include <gtest/gtest.h>

TEST(InventoryCsv, TakesEachGoodLineWholeAndSaysWhyEachOtherIsRefused) {
  const QByteArray file = "\xEF\xBB\xBF" "Device ID;Location;Interval;Note\r\n"
                          "ER-1;\"Emergency; bay 2\";6;\"checked \"\"twice\"\"\"\r\n"
                          "ICU-2;ICU;;\r\n"
                          "\r\n"
                          "OR-3;Theatre 3;0;\r\n"
                          "OR-4;Theatre 4;121;\r\n"
                          "OR-5;Theatre 5;-6;\r\n"
                          "OR-6;Theatre 6;six;\r\n"
                          ";Nowhere;12;\r\n"
                          "ER-1;Elsewhere;12;\r\n"
                          "WARD-7;Ward \xff;12;\r\n"
                          "WARD-8;" + QByteArray(10000, 'x') + ";12;\r\n"
                          "WARD-9;a;12;b;c\r\n"
                          "WARD-10;\"open;12\r\n"
                          "CAFÉ-AED;Café;24;front door";
  const Inventory inventory = parseInventoryCsv(file);
  ASSERT_EQ(inventory.rows.size(), 3);
  EXPECT_EQ(inventory.rows[0].line, 2);
  EXPECT_EQ(inventory.rows[0].device, "ER-1");
  EXPECT_EQ(inventory.rows[0].location, "Emergency; bay 2");
  EXPECT_EQ(inventory.rows[0].intervalMonths, 6);
  EXPECT_EQ(inventory.rows[0].note, "checked \"twice\"");
  EXPECT_EQ(inventory.rows[1].device, "ICU-2");
  EXPECT_FALSE(inventory.rows[1].intervalMonths.has_value());  // its type's
  EXPECT_EQ(inventory.rows[2].device, QString::fromUtf8("CAFÉ-AED"));
  EXPECT_EQ(inventory.rows[2].intervalMonths, 24);

  const struct {
    int line;
    const char* says;
  } refused[] = {{5, "from 1 to 120"}, {6, "from 1 to 120"}, {7, "from 1 to 120"}, {8, "from 1 to 120"},
                 {9, "no device I.D."}, {10, "listed again"}, {11, "not UTF-8"}, {12, "longer than"},
                 {13, "5 fields"},      {14, "quote is not closed"}};
  ASSERT_EQ(inventory.refused.size(), std::size(refused));
  for (std::size_t i = 0; i < std::size(refused); ++i) {
    EXPECT_EQ(inventory.refused[i].line, refused[i].line) << refused[i].says;
    EXPECT_TRUE(inventory.refused[i].reason.contains(refused[i].says)) << inventory.refused[i].reason.toStdString();
  }
}

TEST(InventoryCsv, CommasWithoutAHeaderAreDevicesFromTheFirstLine) {
  const Inventory inventory = parseInventoryCsv("DEVICE-07,Bay 1,12,\nER-2,\"Bay 2, left\",,spare\n");
  ASSERT_EQ(inventory.rows.size(), 2);
  EXPECT_EQ(inventory.rows[0].device, "DEVICE-07");  // a device whose I.D. says "device" is no header
  EXPECT_EQ(inventory.rows[1].location, "Bay 2, left");
  EXPECT_EQ(inventory.rows[1].note, "spare");
  EXPECT_TRUE(inventory.refused.isEmpty());
}
