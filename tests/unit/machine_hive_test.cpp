#include "platform/adapters/machine_hive.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/context.h"
#include "netstatus/network_status.h"
#include "platform/adapters/json_hive.h"
#include "platform/registry.h"
#include "support/fake_spooler.h"
#include "support/memory_hive.h"

namespace tlw {
namespace {

// Device URIs are only parsed here: nothing is sent to any of these addresses.
class MachineHiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    spooler.addPrinter("k35", "Zov 5820-K35 4in", "socket://10.1.2.3:9100");
    spooler.addPrinter("lpd", "Zov 5820-K35 4in", "lpd://10.0.0.5/queue");
    spooler.addPrinter("ipp", "Zov 5820-K35 4in", "ipp://192.168.1.20:631/printers/x");
    spooler.addPrinter("ipps", "Zov 5820-K35 4in", "ipps://192.168.1.21/ipp/print");
    spooler.addPrinter("http", "Zov 5820-K35 4in", "http://192.168.1.22:631/printers/y");
    spooler.addPrinter("https", "Zov 5820-K35 4in", "https://192.168.1.23/printers/z");
    spooler.addPrinter("named", "Zov 5820-K35 4in", "socket://localhost:9100/?snmp=false");
    spooler.addPrinter("usb", "Zov 5820-K35 4in", "usb://Zov/5820-K35?serial=123");
    spooler.addPrinter("file", "Zov 5820-K35 4in", "file:///dev/null");
    spooler.addPrinter("lpt", "Zov 5820-K35 4in", "parallel:/dev/lp0");
    spooler.addPrinter("v6", "Zov 5820-K35 4in", "socket://[::1]:9100");
    ctx.services.machineRegistry = &machine;
  }

  test::FakeSpooler spooler;
  test::MemoryHive writable;
  MachineHive machine{&spooler, &writable};
  AppContext ctx;
};

TEST_F(MachineHiveTest, NetworkPortsReadAsDottedAddresses) {
  EXPECT_EQ(GetPortIPAddress(ctx, "socket://10.1.2.3:9100"), "10.1.2.3");
  EXPECT_EQ(GetPortIPAddress(ctx, "lpd://10.0.0.5/queue"), "10.0.0.5");
  EXPECT_EQ(GetPortIPAddress(ctx, "ipp://192.168.1.20:631/printers/x"), "192.168.1.20");
  EXPECT_EQ(GetPortIPAddress(ctx, "ipps://192.168.1.21/ipp/print"), "192.168.1.21");
  EXPECT_EQ(GetPortIPAddress(ctx, "http://192.168.1.22:631/printers/y"), "192.168.1.22");
  EXPECT_EQ(GetPortIPAddress(ctx, "https://192.168.1.23/printers/z"), "192.168.1.23");
  EXPECT_EQ(GetPortIPAddress(ctx, "socket://localhost:9100/?snmp=false"), "127.0.0.1");
  // Key paths match without regard to case.
  cRegistry reg(&machine);
  reg.setSectionKey(MachineHive::portsKey().toUpper() + "\\socket://10.1.2.3:9100");
  reg.setValueKey("ipaddress");
  EXPECT_EQ(reg.Value().toString(), "10.1.2.3");
  EXPECT_EQ(reg.ValueType(), kRegSz);
}

TEST_F(MachineHiveTest, LocalDevicesAndUnknownPortsHaveNoAddress) {
  for (const char* port : {"usb://Zov/5820-K35?serial=123", "file:///dev/null",
                           "parallel:/dev/lp0", "socket://[::1]:9100", "LPT1:",
                           "socket://10.9.9.9:9100"}) {
    EXPECT_EQ(GetPortIPAddress(ctx, port), QString()) << port;
    EXPECT_FALSE(machine.keyExists(kHkeyLocalMachine, MachineHive::portsKey() + "\\" + port))
        << port;
  }
}

TEST_F(MachineHiveTest, PortViewIsReadOnlyAndTheRestIsWritable) {
  const QString portKey = MachineHive::portsKey() + "\\socket://10.1.2.3:9100";
  cRegistry reg(&machine);
  reg.setSectionKey(portKey);
  reg.setValueKey("IPAddress");
  reg.setValueType(kRegSz);
  EXPECT_THROW(reg.setValue(QStringLiteral("10.9.9.9")), RegistryError);
  EXPECT_THROW(reg.DeleteValue(), RegistryError);
  EXPECT_EQ(reg.Value().toString(), "10.1.2.3");

  QStringList names;
  int count = 0;
  reg.setSectionKey(MachineHive::portsKey());
  reg.EnumerateSections(names, count);
  EXPECT_EQ(count, 8);
  EXPECT_TRUE(names.contains("socket://10.1.2.3:9100"));
  EXPECT_FALSE(names.contains("usb://Zov/5820-K35?serial=123"));
  reg.setSectionKey("SYSTEM\\CurrentControlSet");
  reg.EnumerateSections(names, count);
  EXPECT_EQ(names, QStringList{"Control"});
  EXPECT_TRUE(machine.keyExists(kHkeyLocalMachine, "SYSTEM"));

  reg.setSectionKey("SOFTWARE\\Tenlark");
  reg.setValueKey("Last");
  reg.setValue(QStringLiteral("k35"));
  EXPECT_EQ(reg.Value().toString(), "k35");
  EXPECT_TRUE(writable.keyExists(kHkeyLocalMachine, "SOFTWARE\\Tenlark"));
  // The machine root only: the port key does not exist under another root.
  EXPECT_FALSE(machine.keyExists(kHkeyCurrentUser, portKey));
}

TEST(JsonHive, KeepsItsContentInOneFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath("hive.json");
  {
    JsonHive hive(path);
    cRegistry reg(&hive);
    reg.setValueEx(kHkeyLocalMachine, "SOFTWARE\\Tenlark\\A", "Text", kRegSz,
                   QStringLiteral("caf\u00e9"));
    reg.setValueEx(kHkeyCurrentUser, "Software\\X", "Num", kRegDword, 42);
    reg.setValueEx(kHkeyLocalMachine, "SOFTWARE\\Tenlark\\A", "Bin", kRegBinary,
                   QByteArray("\x00\x01\xFF", 3));
  }
  JsonHive again(path);
  EXPECT_TRUE(again.loaded());
  cRegistry reg(&again);
  EXPECT_EQ(reg.ValueEx(kHkeyLocalMachine, "software\\tenlark\\a", "TEXT", kRegSz, QVariant())
                .toString(),
            QStringLiteral("caf\u00e9"));
  EXPECT_EQ(reg.ValueEx(kHkeyCurrentUser, "Software\\X", "Num", kRegSz, QVariant()).toInt(), 42);
  EXPECT_EQ(reg.ValueEx(kHkeyLocalMachine, "SOFTWARE\\Tenlark\\A", "Bin", kRegSz, QVariant())
                .toByteArray(),
            QByteArray("\x00\x01\xFF", 3));
  EXPECT_EQ(again.subKeyNames(kHkeyLocalMachine, "SOFTWARE"), QStringList{"Tenlark"});

  // A damaged file: an empty hive, and the file is not overwritten by reading.
  QFile f(dir.filePath("bad.json"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("{ not json");
  f.close();
  JsonHive bad(dir.filePath("bad.json"));
  EXPECT_FALSE(bad.loaded());
  EXPECT_FALSE(bad.keyExists(kHkeyLocalMachine, "SOFTWARE"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("{ not json"));
}

}  // namespace
}  // namespace tlw
