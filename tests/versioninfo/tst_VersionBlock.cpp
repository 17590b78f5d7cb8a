// SPDX-License-Identifier: MIT
#include "VersionBlock.h"

#include <QTest>

using namespace versioninfo;

Q_DECLARE_METATYPE(versioninfo::VersionBlock)

namespace {

FixedFileInfo sampleFixed()
{
    FixedFileInfo f;
    f.fileVersionMS = 0x00010002;
    f.fileVersionLS = 0x00030004;
    f.productVersionMS = 0x00050006;
    f.productVersionLS = 0x00070008;
    f.fileFlagsMask = 0x3F;
    f.fileFlags = 0x2;
    f.fileOS = kFileOsWindows32;
    f.fileType = kFileTypeApp;
    f.fileSubtype = 7;
    f.fileDateMS = 0x89ABCDEF;
    f.fileDateLS = 0x01234567;
    return f;
}

// A block with every kind of node, its texts of odd and even lengths so that every alignment
// case occurs.
VersionBlock richBlock()
{
    VersionBlock b;
    b.fixed = sampleFixed();
    b.stringTables = {
        {u"041904E3", {{u"CompanyName", u"Korvessa"}, {u"InternalName", u""}, {u"A", u"BC"}, {u"AB", u"C"}}},
        {u"040904B0", {{u"Comments", u"Поле"}}},
    };
    b.translations = {{0x0419, 0x04E3}, {0x0409, 0x04B0}};
    return b;
}

std::span<const std::uint8_t> bytes(const std::vector<std::uint8_t> &v)
{
    return {v.data(), v.size()};
}

std::uint16_t wordAt(const std::vector<std::uint8_t> &v, std::size_t offset)
{
    return std::uint16_t(v.at(offset) | (v.at(offset + 1) << 8));
}

void appendUtf16(std::vector<std::uint8_t> &v, std::u16string_view s)
{
    for (char16_t c : s) {
        v.push_back(std::uint8_t(c & 0xFF));
        v.push_back(std::uint8_t(c >> 8));
    }
    v.insert(v.end(), {0, 0});
}

} // namespace

class tst_VersionBlock : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void standardLayout();
    void fixedPartLayout();
    void valueLengthConventions_data();
    void valueLengthConventions();
    void unterminatedKey_data();
    void unterminatedKey();
    void encodeRefuses_data();
    void encodeRefuses();
    void truncatedBlocks();
    void corruptedBlocks();
    void unknownNodesSkipped();
};

void tst_VersionBlock::roundTrip_data()
{
    QTest::addColumn<VersionBlock>("block");

    QTest::newRow("everything") << richBlock();
    VersionBlock fixedOnly;
    fixedOnly.fixed = sampleFixed();
    QTest::newRow("fixed part only") << fixedOnly;
    VersionBlock noFixed = richBlock();
    noFixed.fixed.reset();
    QTest::newRow("no fixed part") << noFixed;
    VersionBlock translationsOnly;
    translationsOnly.translations = {{0, 0}, {0xFFFF, 0xFFFF}};
    QTest::newRow("translations only") << translationsOnly;
    VersionBlock emptyTable;
    emptyTable.stringTables = {{u"041904E3", {}}};
    QTest::newRow("empty string table") << emptyTable;
    VersionBlock wide;
    wide.stringTables = {{u"041904E3", {{u"Ключ", u"значение \U0001F600"}}}};
    QTest::newRow("Cyrillic and a surrogate pair") << wide;
    QTest::newRow("nothing") << VersionBlock();
}

void tst_VersionBlock::roundTrip()
{
    QFETCH(VersionBlock, block);
    const std::vector<std::uint8_t> encoded = encodeVersionBlock(block);
    QVERIFY(!encoded.empty());
    // The root's length is the whole block.
    QCOMPARE(std::size_t(wordAt(encoded, 0)), encoded.size());
    const std::optional<VersionBlock> parsed = parseVersionBlock(bytes(encoded));
    QVERIFY(parsed);
    QVERIFY(*parsed == block);
}

// Worked out by hand from the Windows layout: nodes and their values on 32-bit boundaries,
// VarFileInfo's Translation value counted in bytes.
void tst_VersionBlock::standardLayout()
{
    VersionBlock b;
    b.translations = {{0x0419, 0x04E3}};

    std::vector<std::uint8_t> expected = {108, 0, 0, 0, 0, 0};
    appendUtf16(expected, u"VS_VERSION_INFO"); // ends at 38
    expected.insert(expected.end(), {0, 0});
    expected.insert(expected.end(), {68, 0, 0, 0, 1, 0}); // VarFileInfo at 40, text type
    appendUtf16(expected, u"VarFileInfo");                // ends at 70
    expected.insert(expected.end(), {0, 0});
    expected.insert(expected.end(), {36, 0, 4, 0, 0, 0}); // Translation at 72, binary
    appendUtf16(expected, u"Translation");                // ends at 102
    expected.insert(expected.end(), {0, 0});
    expected.insert(expected.end(), {0x19, 0x04, 0xE3, 0x04});

    QCOMPARE(encodeVersionBlock(b), expected);
    const std::optional<VersionBlock> parsed = parseVersionBlock(bytes(expected));
    QVERIFY(parsed);
    QCOMPARE(parsed->translations.size(), 1u);
    QCOMPARE(parsed->translations[0].language, 0x0419);
    QCOMPARE(parsed->translations[0].codePage, 0x04E3);
}

void tst_VersionBlock::fixedPartLayout()
{
    VersionBlock b;
    b.fixed = sampleFixed();
    const std::vector<std::uint8_t> encoded = encodeVersionBlock(b);
    QCOMPARE(encoded.size(), 40 + kFixedFileInfoSize);
    QCOMPARE(std::size_t(wordAt(encoded, 2)), kFixedFileInfoSize);
    // The signature, then the structure version 1.0, then the file version's high word first.
    const std::vector<std::uint8_t> head(encoded.begin() + 40, encoded.begin() + 56);
    const std::vector<std::uint8_t> expected = {0xBD, 0x04, 0xEF, 0xFE, 0x00, 0x00, 0x01, 0x00,
                                                0x02, 0x00, 0x01, 0x00, 0x04, 0x00, 0x03, 0x00};
    QCOMPARE(head, expected);
    QCOMPARE(versionText(b.fixed->fileVersionMS, b.fixed->fileVersionLS), std::string("1.2.3.4"));
    QCOMPARE(versionText(0xFFFFFFFF, 0xFFFF0000), std::string("65535.65535.65535.0"));
}

// Writers of the format disagree on whether a string's value length counts the terminating
// zero, and resource compilers write empty values with a length of 0.
void tst_VersionBlock::valueLengthConventions_data()
{
    QTest::addColumn<int>("valueLength");
    QTest::addColumn<int>("terminator"); // what stands where the value's zero was written
    QTest::addColumn<QString>("text");
    QTest::newRow("with the zero") << 4 << 0 << "Val";
    QTest::newRow("without the zero") << 3 << 0 << "Val";
    QTest::newRow("empty") << 0 << 0 << "";
    QTest::newRow("counted in bytes, past the node") << 8 << 0 << "Val";
    // The string is the block's last node: its text must end with the node, not run beyond.
    QTest::newRow("unterminated, past the node") << 8 << int('X') << "ValX";
}

void tst_VersionBlock::valueLengthConventions()
{
    QFETCH(int, valueLength);
    QFETCH(int, terminator);
    QFETCH(QString, text);
    VersionBlock b;
    b.stringTables = {{u"041904E3", {{u"Key", u"Val"}}}};
    std::vector<std::uint8_t> encoded = encodeVersionBlock(b);
    // Root 40, StringFileInfo 40 + 36, table 76 + 24, the string's header at 100, its value
    // at 116 after the key "Key".
    QCOMPARE(encoded.size(), std::size_t(124));
    QCOMPARE(wordAt(encoded, 100 + 2), 4);
    encoded[102] = std::uint8_t(valueLength);
    encoded[122] = std::uint8_t(terminator);
    const std::optional<VersionBlock> parsed = parseVersionBlock(bytes(encoded));
    QVERIFY(parsed);
    QCOMPARE(QString::fromStdU16String(parsed->stringTables.at(0).entries.at(0).value), text);
}

// A key must end inside its node, even where more bytes follow the node.
void tst_VersionBlock::unterminatedKey_data()
{
    QTest::addColumn<QByteArray>("data");
    // The root's key without its zero fills the root exactly; a zero only follows the node.
    std::vector<std::uint8_t> root = {36, 0, 0, 0, 0, 0};
    appendUtf16(root, u"VS_VERSION_INFO");
    QTest::newRow("at the end of the node") << QByteArray(reinterpret_cast<const char *>(root.data()), 38);
    QTest::newRow("at the end of the data") << QByteArray(reinterpret_cast<const char *>(root.data()), 36);
    std::vector<std::uint8_t> block = encodeVersionBlock(richBlock());
    // Cut inside StringFileInfo's key: the root ends there too.
    const std::size_t cut = 40 + kFixedFileInfoSize + 10;
    block.resize(cut);
    block[0] = std::uint8_t(cut);
    block[1] = 0;
    block[40 + kFixedFileInfoSize] = std::uint8_t(cut - 40 - kFixedFileInfoSize);
    block[40 + kFixedFileInfoSize + 1] = 0;
    QTest::newRow("of a child") << QByteArray(reinterpret_cast<const char *>(block.data()), qsizetype(block.size()));
}

void tst_VersionBlock::unterminatedKey()
{
    QFETCH(QByteArray, data);
    // Exactly the bytes given, so that the sanitizer sees a read beyond them.
    const std::vector<std::uint8_t> exact(data.begin(), data.end());
    QVERIFY(!parseVersionBlock(bytes(exact)));
}

void tst_VersionBlock::encodeRefuses_data()
{
    QTest::addColumn<VersionBlock>("block");
    VersionBlock longValue;
    longValue.stringTables = {{u"041904E3", {{u"Comments", std::u16string(33000, u'x')}}}};
    QTest::newRow("value beyond 16-bit lengths") << longValue;
    VersionBlock manyEntries;
    manyEntries.stringTables = {{u"041904E3", {}}};
    for (int i = 0; i < 2000; ++i)
        manyEntries.stringTables[0].entries.push_back({u"Entry", u"some text"});
    QTest::newRow("block beyond 64 KiB") << manyEntries;
    VersionBlock manyTranslations;
    manyTranslations.translations.resize(20000);
    QTest::newRow("translations beyond 64 KiB") << manyTranslations;
    VersionBlock zeroInValue;
    zeroInValue.stringTables = {{u"041904E3", {{u"Comments", std::u16string(u"a\0b", 3)}}}};
    QTest::newRow("zero inside a value") << zeroInValue;
    VersionBlock zeroInKey;
    zeroInKey.stringTables = {{std::u16string(u"0419\0E3", 7), {}}};
    QTest::newRow("zero inside a key") << zeroInKey;
}

void tst_VersionBlock::encodeRefuses()
{
    QFETCH(VersionBlock, block);
    QVERIFY(encodeVersionBlock(block).empty());
}

void tst_VersionBlock::truncatedBlocks()
{
    const std::vector<std::uint8_t> encoded = encodeVersionBlock(richBlock());
    QVERIFY(!encoded.empty());
    for (std::size_t n = 0; n < encoded.size(); ++n) {
        // A copy of exactly n bytes, so that the sanitizer sees any read beyond them.
        const std::vector<std::uint8_t> prefix(encoded.begin(), encoded.begin() + n);
        if (parseVersionBlock(bytes(prefix)))
            QFAIL(qPrintable(QStringLiteral("a block cut to %1 of %2 bytes was read").arg(n).arg(encoded.size())));
    }
    // Bytes after the root belong to something else.
    std::vector<std::uint8_t> longer = encoded;
    longer.insert(longer.end(), {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    const std::optional<VersionBlock> parsed = parseVersionBlock(bytes(longer));
    QVERIFY(parsed);
    QVERIFY(*parsed == richBlock());
}

// Every byte of the block replaced by values that make lengths zero, huge or just off by one:
// the parser either refuses or returns texts that the bytes can hold, and never reads outside.
void tst_VersionBlock::corruptedBlocks()
{
    const std::vector<std::uint8_t> encoded = encodeVersionBlock(richBlock());
    int read = 0;
    int refused = 0;
    for (std::size_t at = 0; at < encoded.size(); ++at) {
        for (int delta : {-1, 1, 0x80}) {
            for (bool replace : {false, true}) {
                std::vector<std::uint8_t> damaged = encoded;
                damaged[at] = replace ? std::uint8_t(delta == -1 ? 0x00 : 0xFF) : std::uint8_t(damaged[at] + delta);
                const std::optional<VersionBlock> parsed = parseVersionBlock(bytes(damaged));
                if (!parsed) {
                    ++refused;
                    continue;
                }
                ++read;
                std::size_t textBytes = 0;
                for (const StringTable &t : parsed->stringTables) {
                    textBytes += 2 * t.key.size();
                    for (const StringEntry &e : t.entries)
                        textBytes += 2 * (e.key.size() + e.value.size());
                }
                textBytes += 4 * parsed->translations.size();
                if (textBytes > damaged.size())
                    QFAIL(qPrintable(QStringLiteral("byte %1 damaged: more text read than the block holds").arg(at)));
            }
        }
    }
    // Damaged texts still read, damaged lengths and keys refused: both paths ran.
    QVERIFY(read > 0);
    QVERIFY(refused > 0);
}

void tst_VersionBlock::unknownNodesSkipped()
{
    VersionBlock b = richBlock();
    std::vector<std::uint8_t> encoded = encodeVersionBlock(b);
    // Rename StringFileInfo (at 92, after the fixed part) to a key no reader knows, same length.
    const std::size_t key = 40 + kFixedFileInfoSize + 6;
    QCOMPARE(char16_t(wordAt(encoded, key)), u'S');
    encoded[key] = 'X';
    const std::optional<VersionBlock> parsed = parseVersionBlock(bytes(encoded));
    QVERIFY(parsed);
    QVERIFY(parsed->stringTables.empty());
    QVERIFY(parsed->fixed == b.fixed);
    QVERIFY(parsed->translations == b.translations);
}

QTEST_GUILESS_MAIN(tst_VersionBlock)
#include "tst_VersionBlock.moc"
