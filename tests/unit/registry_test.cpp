#include "platform/registry.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "support/memory_hive.h"

namespace tlw {
namespace {

const QString kKey = "SOFTWARE\\Tenlark\\Test";

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { cRegistry::setProgramName("tenlark-wizard"); }

  // Runs `f`, which must throw, and returns the error.
  template <typename F>
  RegistryError errorOf(F f) {
    try {
      f();
    } catch (const RegistryError& e) {
      return e;
    }
    ADD_FAILURE() << "no error raised";
    return RegistryError(0, QString(), QString());
  }

  test::MemoryHive hive;
  cRegistry reg{&hive};
};

TEST_F(RegistryTest, ReadsGiveDefaultWhenNothingCanBeRead) {
  reg.setClassKey(kHkeyLocalMachine);
  reg.setSectionKey("SYSTEM\\Nowhere");
  reg.setValueKey("IPAddress");
  EXPECT_EQ(reg.Value().toString(), QString());
  EXPECT_FALSE(reg.KeyExists());
  reg.setDefault(QStringLiteral("none"));
  EXPECT_EQ(reg.Value().toString(), "none");
  hive.put(kHkeyLocalMachine, "SYSTEM\\Nowhere", "Other", kRegSz, QByteArray("x", 2));
  EXPECT_TRUE(reg.KeyExists());
  EXPECT_EQ(reg.Value().toString(), "none");  // key there, value not
  // Same path under another root is another key.
  reg.setClassKey(kHkeyCurrentUser);
  EXPECT_FALSE(reg.KeyExists());
}

TEST_F(RegistryTest, TextValuesDropOnlyTheirTerminatingNul) {
  hive.put(kHkeyLocalMachine, kKey, "IPAddress", kRegSz, QByteArray("10.1.2.3", 9));
  hive.put(kHkeyLocalMachine, kKey, "NoNul", kRegSz, QByteArray("10.1.2.3"));
  hive.put(kHkeyLocalMachine, kKey, "Empty", kRegSz, QByteArray());
  hive.put(kHkeyLocalMachine, kKey, "Multi", kRegMultiSz, QByteArray("a\0bc\0\0", 6));
  reg.setSectionKey(kKey);
  reg.setValueType(kRegBinary);

  reg.setValueKey("ipaddress");  // names match without case
  const QString ip = reg.Value().toString();
  EXPECT_EQ(ip, "10.1.2.3");
  EXPECT_EQ(ip.size(), 8);
  EXPECT_EQ(reg.ValueType(), kRegSz);  // the type found
  // A value stored without its NUL keeps its last character.
  reg.setValueKey("NoNul");
  EXPECT_EQ(reg.Value().toString(), "10.1.2.3");
  reg.setValueKey("Empty");
  EXPECT_EQ(reg.Value().toString(), QString());
  reg.setValueKey("Multi");
  EXPECT_EQ(reg.Value().toString(), QString::fromLatin1("a\0bc\0", 5));
  EXPECT_EQ(reg.ValueType(), kRegMultiSz);
}

TEST_F(RegistryTest, ExpandNumbersAndBytes) {
  qputenv("TENLARK_REG_TEST", "/opt/x");
  qunsetenv("TENLARK_REG_UNSET");
  hive.put(kHkeyLocalMachine, kKey, "Path", kRegExpandSz,
           QByteArray("%TENLARK_REG_TEST%\\bin;%TENLARK_REG_UNSET%") + '\0');
  hive.put(kHkeyLocalMachine, kKey, "D", kRegDword, QByteArray("\x01\x02\x00\x80", 4));
  hive.put(kHkeyLocalMachine, kKey, "B", kRegDwordBigEndian, QByteArray("\x00\x00\x01\x02", 4));
  hive.put(kHkeyLocalMachine, kKey, "Short", kRegDword, QByteArray("\x01", 1));
  hive.put(kHkeyLocalMachine, kKey, "Bin", kRegBinary, QByteArray("\x00\xFF", 2));
  reg.setSectionKey(kKey);
  reg.setValueKey("Path");
  EXPECT_EQ(reg.Value().toString(), "/opt/x\\bin;%TENLARK_REG_UNSET%");
  reg.setValueKey("D");
  EXPECT_EQ(reg.Value().toInt(), static_cast<qint32>(0x80000201u));
  reg.setValueKey("B");
  EXPECT_EQ(reg.Value().toInt(), 0x0102);
  EXPECT_EQ(reg.ValueType(), kRegDwordBigEndian);
  reg.setValueKey("Short");
  EXPECT_FALSE(reg.Value().isValid());  // Default: a DWORD needs four bytes
  reg.setValueKey("Bin");
  EXPECT_EQ(reg.Value().toByteArray(), QByteArray("\x00\xFF", 2));
}

TEST_F(RegistryTest, WritesRoundTripByType) {
  reg.setSectionKey(kKey + "\\New");
  reg.setValueKey("S");
  reg.setValueType(kRegSz);
  reg.setValue(QStringLiteral("10.1.2.3"));
  EXPECT_EQ(hive.queryValue(kHkeyLocalMachine, kKey + "\\New", "S")->data,
            QByteArray("10.1.2.3", 9));
  EXPECT_EQ(reg.Value().toString(), "10.1.2.3");
  reg.setValueEx(kHkeyLocalMachine, kKey, "N", kRegDword, -2);
  EXPECT_EQ(reg.ValueEx(kHkeyLocalMachine, kKey, "N", kRegSz, QVariant()).toInt(), -2);
  reg.setValueEx(kHkeyLocalMachine, kKey, "N5", kRegDwordBigEndian, 7);
  EXPECT_EQ(hive.queryValue(kHkeyLocalMachine, kKey, "N5")->type, kRegDword);
  reg.setValueEx(kHkeyLocalMachine, kKey, "Bin", kRegBinary, QByteArray("\x01\x00\x02", 3));
  EXPECT_EQ(reg.ValueEx(kHkeyLocalMachine, kKey, "Bin", kRegSz, QVariant()).toByteArray(),
            QByteArray("\x01\x00\x02", 3));
  QStringList names;
  int count = -1;
  reg.setSectionKey(kKey);
  reg.EnumerateValues(names, count);
  EXPECT_EQ(count, 3);
  reg.EnumerateSections(names, count);
  EXPECT_EQ(names, QStringList{"New"});
  reg.setValueKey("N");
  reg.DeleteValue();
  EXPECT_FALSE(hive.queryValue(kHkeyLocalMachine, kKey, "N"));
}

TEST_F(RegistryTest, MachineNamesAndTheUnreachableRemoteRegistry) {
  reg.setMachine("host1");
  EXPECT_EQ(reg.Machine(), "\\\\host1");
  reg.setMachine("\\\\host2");
  EXPECT_EQ(reg.Machine(), "\\\\host2");
  reg.setMachine("ab");
  EXPECT_EQ(reg.Machine(), QString());
  reg.setMachine("host1");

  hive.put(kHkeyLocalMachine, kKey, "V", kRegSz, QByteArray("local", 6));
  reg.setSectionKey(kKey);
  reg.setValueKey("V");
  reg.setDefault(QStringLiteral("dflt"));
  EXPECT_EQ(reg.Value().toString(), "dflt");
  const RegistryError e = errorOf([&] { reg.setValue(QStringLiteral("x")); });
  EXPECT_EQ(e.number(), 26001u);
  EXPECT_EQ(hive.queryValue(kHkeyLocalMachine, kKey, "V")->data, QByteArray("local", 6));
}

TEST_F(RegistryTest, ErrorNumbersSourcesAndTexts) {
  reg.setClassKey(kHkeyLocalMachine);
  reg.setSectionKey("SOFTWARE\\Missing");
  reg.setValueKey("V");

  RegistryError e = errorOf([&] { reg.DeleteKey(); });
  EXPECT_EQ(e.number(), 26001u);
  EXPECT_EQ(e.source(), "tenlark-wizard.cRegistry");
  EXPECT_EQ(e.description(),
            "Failed to delete registry Key: '-2147483646',Section: 'SOFTWARE\\Missing");

  e = errorOf([&] { reg.DeleteValue(); });
  EXPECT_EQ(e.description(),
            "Failed to open key '-2147483646',Section: 'SOFTWARE\\Missing' for delete access");

  hive.put(kHkeyLocalMachine, "SOFTWARE\\Missing", "Other", kRegSz, QByteArray("1", 2));
  e = errorOf([&] { reg.DeleteValue(); });
  EXPECT_EQ(e.description(), "Failed to delete registry Key: '-2147483646',Section: "
                             "'SOFTWARE\\Missing',Key: 'V");

  reg.setSectionKey("SOFTWARE\\Has\\Child");
  reg.CreateKey();
  reg.setSectionKey("SOFTWARE\\Has");
  e = errorOf([&] { reg.DeleteKey(); });  // a key with sub-keys is not deleted
  EXPECT_EQ(e.number(), 26001u);
  EXPECT_TRUE(hive.keyExists(kHkeyLocalMachine, "SOFTWARE\\Has\\Child"));

  hive.failWrites = true;
  reg.setSectionKey("SOFTWARE\\New");
  e = errorOf([&] { reg.CreateKey(); });
  EXPECT_EQ(e.description(), "Failed to create registry Key: 'SOFTWARE\\New");
  reg.setValueType(kRegSz);
  e = errorOf([&] { reg.setValue(QStringLiteral("10.1.2.3")); });
  EXPECT_EQ(e.description(), "Failed to set registry value Key: '-2147483646',Section: "
                             "'SOFTWARE\\New',Key: 'V' to value: '10.1.2.3'");
  hive.failWrites = false;
  reg.setValueType(kRegMultiSz);  // not a type that can be written
  e = errorOf([&] { reg.setValue(QStringLiteral("x")); });
  EXPECT_EQ(e.number(), 26001u);

  QStringList names;
  int count = 0;
  reg.setSectionKey("SOFTWARE\\Nope");
  e = errorOf([&] { reg.EnumerateSections(names, count); });
  EXPECT_EQ(e.number(), 0x800469AAu);
  EXPECT_EQ(e.source(), "tenlark-wizard.cRegistry");
  reg.EnumerateValues(names, count);  // no error, nothing listed
  EXPECT_EQ(count, 0);
}

TEST_F(RegistryTest, FileAssociations) {
  reg.setClassKey(kHkeyLocalMachine);
  RegistryError e = errorOf([&] { reg.CreateAdditionalEXEAssociations("Tlw.File", {"a", "b"}); });
  EXPECT_EQ(e.number(), 0x800469ACu);
  EXPECT_EQ(e.description(), "Invalid parameter list passed to CreateAdditionalEXEAssociations - "
                             "expected Name/Text/Command");
  e = errorOf([&] { reg.CreateAdditionalEXEAssociations("Tlw.File", {"a", "b", "c"}); });
  EXPECT_EQ(e.number(), 0x800469ADu);
  EXPECT_EQ(e.description(),
            "Error - attempt to create additional associations before class defined.");

  reg.CreateEXEAssociation("/opt/tlw/wizard", "Tlw.File", "Wizard settings", "tlw");
  auto text = [&](const QString& path) {
    return hive.queryValue(kHkeyLocalMachine, "SOFTWARE\\Classes\\" + path, "")->data;
  };
  EXPECT_EQ(text(".tlw"), QByteArray("Tlw.File", 9));
  EXPECT_EQ(text("Tlw.File"), QByteArray("Wizard settings", 16));
  EXPECT_EQ(text("Tlw.File\\shell\\open"), QByteArray("&Open", 6));
  EXPECT_EQ(text("Tlw.File\\shell\\open\\command"), QByteArray("/opt/tlw/wizard \"%1\"", 21));
  EXPECT_EQ(text("Tlw.File\\shell\\print\\command"), QByteArray("/opt/tlw/wizard /p \"%1\"", 24));
  EXPECT_EQ(text("Tlw.File\\shell\\add"), QByteArray("&Install ", 10));
  EXPECT_EQ(text("Tlw.File\\shell\\add\\command"), QByteArray("/opt/tlw/wizard /a \"%1\"", 24));
  EXPECT_EQ(text("Tlw.File\\shell\\new\\command"), QByteArray("/opt/tlw/wizard /n \"%1\"", 24));
  EXPECT_EQ(text("Tlw.File\\DefaultIcon"), QByteArray("/opt/tlw/wizard,0", 18));

  reg.CreateAdditionalEXEAssociations("Tlw.File", {"apply", "&Apply", "/opt/tlw/apply \"%1\""});
  EXPECT_EQ(text("Tlw.File\\shell\\apply\\command"), QByteArray("/opt/tlw/apply \"%1\"", 20));
}

}  // namespace
}  // namespace tlw
