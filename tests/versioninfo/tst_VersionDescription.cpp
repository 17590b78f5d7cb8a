// SPDX-License-Identifier: MIT
#include "VersionDescription.h"

#include <QTest>

using namespace versioninfo;

class tst_VersionDescription : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyField();
    void sameNameInAnotherSection();
    void errors_data();
    void errors();
};

void tst_VersionDescription::everyField()
{
    // Windows line ends, comments, blanks around names and values, hexadecimal and decimal.
    const std::string text = "# comment\r\n"
                             "; another\r\n"
                             "\r\n"
                             "[fixed]\r\n"
                             "FileVersion = 1.2.3.65535\r\n"
                             "  ProductVersion=0.0.0.1  \r\n"
                             "FileFlagsMask = 0x3f\r\n"
                             "FileFlags = 4294967295\r\n"
                             "FileOS = 0x00040004\r\n"
                             "FileType = 2\r\n"
                             "FileSubtype = 0XA\r\n"
                             "FileDate = 0x0000000100000002\r\n"
                             "[ strings 041904e3 ]\r\n"
                             "CompanyName = Korvessa\r\n"
                             "InternalName =\r\n"
                             "Comments = Игра # no comment here\r\n"
                             "[translation]\r\n"
                             "0x0419\t0x04E3\r\n"
                             "1033 1200";
    DescriptionError error;
    const std::optional<VersionBlock> block = parseVersionDescription(text, &error);
    QVERIFY2(block, error.message.c_str());
    QVERIFY(block->fixed);
    const FixedFileInfo &f = *block->fixed;
    QCOMPARE(f.fileVersionMS, 0x00010002u);
    QCOMPARE(f.fileVersionLS, 0x0003FFFFu);
    QCOMPARE(f.productVersionMS, 0u);
    QCOMPARE(f.productVersionLS, 1u);
    QCOMPARE(f.fileFlagsMask, 0x3Fu);
    QCOMPARE(f.fileFlags, 0xFFFFFFFFu);
    QCOMPARE(f.fileOS, 0x00040004u);
    QCOMPARE(f.fileType, 2u);
    QCOMPARE(f.fileSubtype, 10u);
    QCOMPARE(f.fileDateMS, 1u);
    QCOMPARE(f.fileDateLS, 2u);
    QCOMPARE(f.strucVersion, kFixedFileInfoStrucVersion);

    QCOMPARE(block->stringTables.size(), std::size_t(1));
    const StringTable &table = block->stringTables[0];
    QCOMPARE(QString::fromStdU16String(table.key), QStringLiteral("041904e3"));
    QStringList entries;
    for (const StringEntry &e : table.entries)
        entries << QString::fromStdU16String(e.key) + '=' + QString::fromStdU16String(e.value);
    QCOMPARE(entries, QStringList({"CompanyName=Korvessa", "InternalName=", "Comments=Игра # no comment here"}));

    QCOMPARE(block->translations.size(), std::size_t(2));
    QCOMPARE(block->translations[0], (Translation{0x0419, 0x04E3}));
    QCOMPARE(block->translations[1], (Translation{1033, 1200}));
}

// A name may stand in the fixed part and in a string table, or in two tables.
void tst_VersionDescription::sameNameInAnotherSection()
{
    const std::string text = "[fixed]\nFileVersion = 1.0.0.17\n"
                             "[strings 041904E3]\nFileVersion = 1.0.0.17\n"
                             "[strings 040904B0]\nFileVersion = 1.0\n";
    DescriptionError error;
    const std::optional<VersionBlock> block = parseVersionDescription(text, &error);
    QVERIFY2(block, error.message.c_str());
    QCOMPARE(block->stringTables.size(), std::size_t(2));
    QVERIFY(!block->translations.size());
}

void tst_VersionDescription::errors_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("line");

    QTest::newRow("item before any section") << QByteArray("# c\nFileVersion = 1.0.0.0\n") << 2;
    QTest::newRow("unknown section") << QByteArray("[fixed]\n[version]\n") << 2;
    QTest::newRow("unclosed section") << QByteArray("\n\n[fixed\n") << 3;
    QTest::newRow("second fixed part") << QByteArray("[fixed]\n[fixed]\n") << 2;
    QTest::newRow("second translation") << QByteArray("[translation]\n[translation]\n") << 2;
    QTest::newRow("no equals sign") << QByteArray("[fixed]\nFileVersion 1.0.0.0\n") << 2;
    QTest::newRow("no name") << QByteArray("[strings 041904E3]\n = x\n") << 2;
    QTest::newRow("unknown field") << QByteArray("[fixed]\nFileVerison = 1.0.0.0\n") << 2;
    QTest::newRow("three-part version") << QByteArray("[fixed]\nFileVersion = 1.0.0\n") << 2;
    QTest::newRow("five-part version") << QByteArray("[fixed]\nFileVersion = 1.0.0.0.0\n") << 2;
    QTest::newRow("version part beyond 16 bits") << QByteArray("[fixed]\nProductVersion = 1.0.0.65536\n") << 2;
    QTest::newRow("empty version part") << QByteArray("[fixed]\nFileVersion = 1..0.0\n") << 2;
    QTest::newRow("signed version part") << QByteArray("[fixed]\nFileVersion = 1.0.0.-1\n") << 2;
    QTest::newRow("hexadecimal version part") << QByteArray("[fixed]\nFileVersion = 1.0.0.0x1\n") << 2;
    QTest::newRow("number beyond 32 bits") << QByteArray("[fixed]\nFileFlags = 0x100000000\n") << 2;
    QTest::newRow("negative number") << QByteArray("[fixed]\nFileOS = -4\n") << 2;
    QTest::newRow("trailing junk") << QByteArray("[fixed]\nFileType = 1x\n") << 2;
    QTest::newRow("bare 0x") << QByteArray("[fixed]\nFileType = 0x\n") << 2;
    QTest::newRow("empty number") << QByteArray("[fixed]\nFileSubtype =\n") << 2;
    QTest::newRow("field given twice") << QByteArray("[fixed]\nFileFlags = 0\nFileFlags = 1\n") << 3;
    QTest::newRow("entry given twice") << QByteArray("[strings 041904E3]\nA = 1\nB = 2\nA = 3\n") << 4;
    QTest::newRow("table key too short") << QByteArray("[strings 041904E]\n") << 1;
    QTest::newRow("table key not hexadecimal") << QByteArray("[strings 0419O4E3]\n") << 1;
    QTest::newRow("table without key") << QByteArray("[strings]\n") << 1;
    QTest::newRow("second table of the same key") << QByteArray("[strings 041904E3]\n[strings 041904E3]\n") << 2;
    QTest::newRow("translation beyond 16 bits") << QByteArray("[translation]\n0x10000 0x04E3\n") << 2;
    QTest::newRow("translation of one number") << QByteArray("[translation]\n0x0419\n") << 2;
    QTest::newRow("translation of three numbers") << QByteArray("[translation]\n1 2 3\n") << 2;
    QTest::newRow("overlong UTF-8") << QByteArray("[strings 041904E3]\nA = \xC0\xAF\n") << 2;
    QTest::newRow("UTF-8 cut short") << QByteArray("[strings 041904E3]\nA = \xD0\n") << 2;
    QTest::newRow("UTF-8 surrogate") << QByteArray("[strings 041904E3]\nA = \xED\xA0\x80\n") << 2;
    QTest::newRow("Latin-1 text") << QByteArray("[strings 041904E3]\nA = caf\xE9\n") << 2;
}

void tst_VersionDescription::errors()
{
    QFETCH(QByteArray, text);
    QFETCH(int, line);
    DescriptionError error;
    const std::optional<VersionBlock> block = parseVersionDescription(std::string_view(text.data(), text.size()), &error);
    QVERIFY(!block);
    QCOMPARE(error.line, line);
    QVERIFY(!error.message.empty());
}

QTEST_GUILESS_MAIN(tst_VersionDescription)
#include "tst_VersionDescription.moc"
