// SPDX-License-Identifier: MIT
#include "VersionBlock.h"
#include "VersionInfo.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstddef>
#include <cstring>
#include <random>

#include <elf.h>
#include <sys/stat.h>

using namespace versioninfo;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray blockBytes(const TVersionInfo &info)
{
    return QByteArray(reinterpret_cast<const char *>(info.buffer()), info.buffer() ? qsizetype(info.size()) : 0);
}

template<typename T>
QByteArray rawBytes(T value)
{
    return QByteArray(reinterpret_cast<const char *>(&value), sizeof value);
}

// Having no buffer and reporting no size go together; a valid reader has both, and its block
// is one.
bool consistent(const TVersionInfo &info)
{
    if ((info.buffer() == nullptr) != (info.size() == 0))
        return false;
    return !info.Valid() || parseVersionBlock(info.block()).has_value();
}

} // namespace

class tst_VersionInfo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void ownExecutable();
    void blockContents();
    void readChecksWhatTheSizeQueryFound();
    void unusableFiles_data();
    void unusableFiles();
    void zeroInsidePath();
    void strippedCopy_data();
    void strippedCopy();
    void damagedCopy_data();
    void damagedCopy();
    void truncatedCopies();
    void corruptedCopies();

private:
    QString copyOfExecutable(const QString &name);

    QString FExecutable;
    QByteArray FImage;         // the executable's bytes
    QByteArray FExpectedBlock; // the block the build generated
    QTemporaryDir FDir;
    // Where the ELF header puts things, for damaging copies on purpose.
    qint64 FSectionHeader = 0; // our section's header
    qint64 FSectionData = 0;   // our section's bytes
    qint64 FSectionHeaders = 0;
    qint64 FSectionHeadersSize = 0;
    qint64 FNamesData = 0;     // the section names
    qint64 FNamesSize = 0;
};

void tst_VersionInfo::initTestCase()
{
    FExecutable = qEnvironmentVariable("NUMBRAX_EXECUTABLE");
    QVERIFY2(QFileInfo(FExecutable).isFile(), "NUMBRAX_EXECUTABLE must name the built numbrax");
    FImage = readAll(FExecutable);
    FExpectedBlock = readAll(qEnvironmentVariable("NUMBRAX_VERSION_BLOCK"));
    QVERIFY2(!FExpectedBlock.isEmpty(), "NUMBRAX_VERSION_BLOCK must name the generated block");
    QVERIFY(FDir.isValid());

    Elf64_Ehdr eh;
    QVERIFY(FImage.size() > qsizetype(sizeof eh));
    std::memcpy(&eh, FImage.constData(), sizeof eh);
    if (eh.e_ident[EI_CLASS] != ELFCLASS64 || eh.e_ident[EI_DATA] != ELFDATA2LSB)
        QSKIP("the damage tests place their damage in 64-bit little-endian ELF files");
    QCOMPARE(std::size_t(eh.e_shentsize), sizeof(Elf64_Shdr));
    std::uint32_t handle = 0;
    QVERIFY(versionBlockSize(FExecutable.toStdString(), handle) > 0);
    FSectionHeaders = qint64(eh.e_shoff);
    FSectionHeadersSize = qint64(eh.e_shnum) * eh.e_shentsize;
    FSectionHeader = FSectionHeaders + qint64(handle) * eh.e_shentsize;
    QVERIFY(FSectionHeaders >= 0 && FSectionHeaders + FSectionHeadersSize <= FImage.size());
    QVERIFY(handle < eh.e_shnum && eh.e_shstrndx < eh.e_shnum);
    const auto header = [&](qint64 at) {
        Elf64_Shdr sh;
        std::memcpy(&sh, FImage.constData() + at, sizeof sh);
        return sh;
    };
    FSectionData = qint64(header(FSectionHeader).sh_offset);
    const Elf64_Shdr names = header(FSectionHeaders + qint64(eh.e_shstrndx) * eh.e_shentsize);
    FNamesData = qint64(names.sh_offset);
    FNamesSize = qint64(names.sh_size);
    QCOMPARE(FImage.mid(FSectionData, FExpectedBlock.size()), FExpectedBlock);
}

QString tst_VersionInfo::copyOfExecutable(const QString &name)
{
    const QString path = FDir.filePath(name);
    QFile::remove(path);
    if (!QFile::copy(FExecutable, path))
        return {};
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

void tst_VersionInfo::ownExecutable()
{
    const TVersionInfo info(FExecutable.toStdString());
    QVERIFY(info.Valid());
    QCOMPARE(QString::fromLocal8Bit(info.FileName()), FExecutable);
    QCOMPARE(info.size(), std::uint32_t(FExpectedBlock.size()));
    QCOMPARE(blockBytes(info), FExpectedBlock);
    // The root node's length, the first word, is the block's size.
    QCOMPARE(std::uint32_t(info.buffer()[0] | (info.buffer()[1] << 8)), info.size());
}

void tst_VersionInfo::blockContents()
{
    const TVersionInfo info(FExecutable.toStdString());
    QVERIFY(info.Valid());
    // The signature stands right after the root's header and key "VS_VERSION_INFO".
    QCOMPARE(blockBytes(info).mid(40, 4), QByteArray("\xBD\x04\xEF\xFE", 4));

    const std::optional<VersionBlock> block = parseVersionBlock(info.block());
    QVERIFY(block);
    QVERIFY(block->fixed);
    const FixedFileInfo &f = *block->fixed;
    QCOMPARE(versionText(f.fileVersionMS, f.fileVersionLS), std::string("1.0.0.17"));
    QCOMPARE(versionText(f.productVersionMS, f.productVersionLS), std::string("1.0.0.17"));
    QCOMPARE(f.strucVersion, 0x00010000u);
    QCOMPARE(f.fileFlagsMask, 0x3Fu);
    QCOMPARE(f.fileFlags, 0u);
    QCOMPARE(f.fileOS, 4u);
    QCOMPARE(f.fileType, 1u);
    QCOMPARE(f.fileSubtype, 0u);
    QCOMPARE(f.fileDateMS, 0u);
    QCOMPARE(f.fileDateLS, 0u);

    QCOMPARE(block->stringTables.size(), std::size_t(1));
    const StringTable &table = block->stringTables[0];
    QCOMPARE(QString::fromStdU16String(table.key), QStringLiteral("041904E3"));
    QStringList keys;
    QStringList values;
    for (const StringEntry &e : table.entries) {
        keys << QString::fromStdU16String(e.key);
        values << QString::fromStdU16String(e.value);
    }
    QCOMPARE(keys,
             QStringList({"CompanyName", "FileDescription", "FileVersion", "InternalName", "LegalCopyright",
                          "LegalTrademarks", "OriginalFilename", "ProductName", "ProductVersion", "Comments"}));
    QCOMPARE(values.at(0), QStringLiteral("Korvessa"));
    QCOMPARE(values.at(1), QStringLiteral("Numbrax"));
    QCOMPARE(values.at(2), QStringLiteral("1.0.0.17"));
    QCOMPARE(values.at(3), QString());
    QVERIFY2(values.at(4).contains(QStringLiteral("2000")), qPrintable(values.at(4)));
    QCOMPARE(values.at(5), QString());
    QCOMPARE(values.at(6), QString());
    QCOMPARE(values.at(7), QStringLiteral("Numbrax"));
    // The text product version differs from the fixed one on purpose.
    QCOMPARE(values.at(8), QStringLiteral("1.0.0.0"));
    QCOMPARE(values.at(9), QString());

    QCOMPARE(block->translations.size(), std::size_t(1));
    QCOMPARE(block->translations[0].language, std::uint16_t(0x0419));
    QCOMPARE(block->translations[0].codePage, std::uint16_t(0x04E3));
}

// The file may change between the two steps; the read then refuses instead of filling the
// buffer with something else.
void tst_VersionInfo::readChecksWhatTheSizeQueryFound()
{
    const std::string exe = FExecutable.toStdString();
    std::uint32_t handle = 0;
    const std::uint32_t size = versionBlockSize(exe, handle);
    QCOMPARE(size, std::uint32_t(FExpectedBlock.size()));
    std::vector<std::uint8_t> buffer(size + 1);
    QVERIFY(readVersionBlock(exe, handle, size, buffer.data()));
    QVERIFY(!readVersionBlock(exe, handle, size + 1, buffer.data()));
    QVERIFY(!readVersionBlock(exe, handle - 1, size, buffer.data()));
    QVERIFY(!readVersionBlock(QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString(), handle, size,
                              buffer.data()));
}

void tst_VersionInfo::unusableFiles_data()
{
    QTest::addColumn<QString>("path");

    const auto write = [this](const QString &name, const QByteArray &bytes) {
        QFile f(FDir.filePath(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(f.fileName()));
        return f.fileName();
    };
    const QString fifo = FDir.filePath(QStringLiteral("fifo"));
    if (::mkfifo(QFile::encodeName(fifo).constData(), 0600) != 0)
        qFatal("cannot make a FIFO");

    QTest::newRow("empty path") << QString();
    QTest::newRow("missing file") << FDir.filePath(QStringLiteral("missing"));
    QTest::newRow("directory") << FDir.path();
    // Opening a FIFO for reading waits for a writer unless the reader takes care.
    QTest::newRow("FIFO") << fifo;
    QTest::newRow("empty file") << write(QStringLiteral("empty"), {});
    QTest::newRow("text file") << write(QStringLiteral("text"), "VS_VERSION_INFO is not here\n");
    QTest::newRow("ELF magic only") << write(QStringLiteral("magic"), QByteArray("\x7F" "ELF"));
    QTest::newRow("ELF header only") << write(QStringLiteral("header"), FImage.left(sizeof(Elf64_Ehdr)));
    QTest::newRow("ELF without the section") << QCoreApplication::applicationFilePath();
    QTest::newRow("the bare block") << write(QStringLiteral("block"), FExpectedBlock);
}

void tst_VersionInfo::unusableFiles()
{
    QFETCH(QString, path);
    const std::string name = QFile::encodeName(path).toStdString();
    const TVersionInfo info(name);
    QCOMPARE(std::string(info.FileName()), name);
    QVERIFY(!info.Valid());
    QCOMPARE(info.size(), 0u);
    QVERIFY(!info.buffer());
}

void tst_VersionInfo::zeroInsidePath()
{
    // The part before the zero names our executable; the reader must not take it for the path.
    const std::string name = FExecutable.toStdString() + std::string("\0.old", 5);
    const TVersionInfo info(name);
    QVERIFY(!info.Valid());
    QVERIFY(!info.buffer());
    const TVersionInfo none(static_cast<const char *>(nullptr));
    QVERIFY(!none.Valid());
    QCOMPARE(std::string(none.FileName()), std::string());
}

void tst_VersionInfo::strippedCopy_data()
{
    QTest::addColumn<QString>("option");
    QTest::newRow("all") << "--strip-all";
    QTest::newRow("unneeded") << "--strip-unneeded";
    QTest::newRow("debug") << "--strip-debug";
}

void tst_VersionInfo::strippedCopy()
{
    QFETCH(QString, option);
    QString strip = qEnvironmentVariable("NUMBRAX_STRIP");
    if (strip.isEmpty() || !QFileInfo(strip).isExecutable())
        strip = QStandardPaths::findExecutable(QStringLiteral("strip"));
    if (strip.isEmpty())
        QSKIP("no strip program");
    const QString copy = copyOfExecutable(QStringLiteral("stripped"));
    QVERIFY(!copy.isEmpty());
    QProcess p;
    p.start(strip, {option, copy});
    QVERIFY(p.waitForFinished(60000));
    QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, p.readAllStandardError().constData());
    QVERIFY(QFileInfo(copy).size() < FImage.size());

    const TVersionInfo info(QFile::encodeName(copy).toStdString());
    QVERIFY(info.Valid());
    QCOMPARE(blockBytes(info), FExpectedBlock);
}

// Damage aimed at what the reader relies on, each of which must leave it not valid.
void tst_VersionInfo::damagedCopy_data()
{
    QTest::addColumn<qint64>("offset");
    QTest::addColumn<QByteArray>("bytes");

    const qint64 size = FImage.size();
    const qint64 sh = FSectionHeader;
    QTest::newRow("section beyond the file's end") << sh + qint64(offsetof(Elf64_Shdr, sh_size)) << rawBytes<quint64>(size);
    QTest::newRow("section size near 2^64") << sh + qint64(offsetof(Elf64_Shdr, sh_size)) << rawBytes<quint64>(~0ull);
    QTest::newRow("section larger than a block") << sh + qint64(offsetof(Elf64_Shdr, sh_size)) << rawBytes<quint64>(0x20000);
    QTest::newRow("section too small for a block") << sh + qint64(offsetof(Elf64_Shdr, sh_size)) << rawBytes<quint64>(4);
    QTest::newRow("section offset past the end") << sh + qint64(offsetof(Elf64_Shdr, sh_offset)) << rawBytes<quint64>(size + 1);
    QTest::newRow("section offset wrapping") << sh + qint64(offsetof(Elf64_Shdr, sh_offset)) << rawBytes<quint64>(~0ull - 16);
    QTest::newRow("section without file bytes") << sh + qint64(offsetof(Elf64_Shdr, sh_type)) << rawBytes<quint32>(SHT_NOBITS);
    QTest::newRow("section compressed") << sh + qint64(offsetof(Elf64_Shdr, sh_flags)) << rawBytes<quint64>(SHF_ALLOC | SHF_COMPRESSED);
    QTest::newRow("section renamed") << sh + qint64(offsetof(Elf64_Shdr, sh_name)) << rawBytes<quint32>(0);
    QTest::newRow("section name past the names") << sh + qint64(offsetof(Elf64_Shdr, sh_name)) << rawBytes<quint32>(0xFFFFFFF0);
    QTest::newRow("section headers past the end") << qint64(offsetof(Elf64_Ehdr, e_shoff)) << rawBytes<quint64>(size - 8);
    QTest::newRow("section headers wrapping") << qint64(offsetof(Elf64_Ehdr, e_shoff)) << rawBytes<quint64>(~0ull - 64);
    QTest::newRow("more sections than the file holds") << qint64(offsetof(Elf64_Ehdr, e_shnum)) << rawBytes<quint16>(0xFF00);
    QTest::newRow("names index out of range") << qint64(offsetof(Elf64_Ehdr, e_shstrndx)) << rawBytes<quint16>(0xFEFF);
    QTest::newRow("unknown ELF class") << qint64(EI_CLASS) << QByteArray("\x07", 1);
    QTest::newRow("no ELF magic") << qint64(0) << QByteArray("MZ");
    QTest::newRow("block longer than its section") << FSectionData << rawBytes<quint16>(quint16(FExpectedBlock.size() + 4));
    QTest::newRow("block length below a header") << FSectionData << rawBytes<quint16>(4);
    QTest::newRow("block signature") << FSectionData + 40 << QByteArray(4, '\0');
    QTest::newRow("block root key") << FSectionData + 6 << QByteArray("X");
}

void tst_VersionInfo::damagedCopy()
{
    QFETCH(qint64, offset);
    QFETCH(QByteArray, bytes);
    const QString copy = FDir.filePath(QStringLiteral("damaged"));
    {
        QByteArray image = FImage;
        QVERIFY(offset >= 0 && offset + bytes.size() <= image.size());
        std::memcpy(image.data() + offset, bytes.constData(), size_t(bytes.size()));
        QFile f(copy);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(image), image.size());
    }
    const TVersionInfo info(QFile::encodeName(copy).toStdString());
    QVERIFY(!info.Valid());
    QVERIFY(consistent(info));
}

void tst_VersionInfo::truncatedCopies()
{
    // The section headers close the file, so every cut removes some of them.
    QCOMPARE(FSectionHeaders + FSectionHeadersSize, qint64(FImage.size()));
    const QString copy = copyOfExecutable(QStringLiteral("truncated"));
    QVERIFY(!copy.isEmpty());

    QList<qint64> cuts = {FImage.size() - 1, FImage.size() - 64, FSectionHeaders + 1, FSectionHeaders,
                          FNamesData + FNamesSize / 2, FSectionData + FExpectedBlock.size() - 1,
                          FSectionData + 1, FSectionData, FImage.size() / 2, 65, 64, 63, 52, 16, 4, 1, 0};
    std::mt19937 random(7);
    for (int i = 0; i < 60; ++i)
        cuts << qint64(random() % quint64(FImage.size()));
    std::sort(cuts.begin(), cuts.end(), std::greater<>());

    // Shrinking step by step: each cut is a resize of the same file.
    QFile f(copy);
    for (qint64 cut : cuts) {
        QVERIFY(f.resize(cut));
        const TVersionInfo info(QFile::encodeName(copy).toStdString());
        if (info.Valid() || !consistent(info))
            QFAIL(qPrintable(QStringLiteral("a copy cut to %1 bytes").arg(cut)));
    }
}

// Random damage to the parts of the file the reader looks at; the sanitizers watch every read.
// Whatever the outcome, the reader's answer must be consistent.
void tst_VersionInfo::corruptedCopies()
{
    const QString copy = copyOfExecutable(QStringLiteral("corrupted"));
    QVERIFY(!copy.isEmpty());
    QFile f(copy);
    QVERIFY(f.open(QIODevice::ReadWrite));
    const std::string name = QFile::encodeName(copy).toStdString();

    struct Region
    {
        qint64 start;
        qint64 size;
    };
    const Region regions[] = {
        {0, qint64(sizeof(Elf64_Ehdr))},
        {FSectionHeaders, FSectionHeadersSize},
        {FSectionHeader, qint64(sizeof(Elf64_Shdr))},
        {FNamesData, FNamesSize},
        {FSectionData, FExpectedBlock.size()},
    };
    const quint64 interesting[] = {0, 1, 0x7F, 0x80, 0xFF, 0xFFFF, 0x10000, 0x7FFFFFFF, 0xFFFFFFFF,
                                   quint64(FImage.size()), quint64(FImage.size()) + 1, ~0ull};

    std::mt19937_64 random(20000);
    QElapsedTimer timer;
    timer.start();
    int valid = 0;
    int invalid = 0;
    for (int i = 0; i < 20000 && timer.elapsed() < 3000; ++i) {
        const Region &r = regions[random() % std::size(regions)];
        const int width = 1 << (random() % 4); // 1, 2, 4 or 8 bytes
        const qint64 at = r.start + qint64(random() % quint64(std::max<qint64>(1, r.size - width + 1)));
        const quint64 value = random() % 2 ? interesting[random() % std::size(interesting)] : quint64(random());
        const QByteArray damage = rawBytes(value).left(width);

        QVERIFY(f.seek(at));
        QCOMPARE(f.write(damage), qint64(width));
        QVERIFY(f.flush());
        {
            const TVersionInfo info(name);
            if (!consistent(info))
                QFAIL(qPrintable(QStringLiteral("damage %1 at %2").arg(QString::fromLatin1(damage.toHex())).arg(at)));
            (info.Valid() ? valid : invalid)++;
        }
        QVERIFY(f.seek(at));
        QCOMPARE(f.write(FImage.mid(at, width)), qint64(width));
        QVERIFY(f.flush());
    }
    // Damage to bytes nobody checks (a letter of a value) leaves the block readable, damage to
    // the structure does not: both outcomes must have been seen for the loop to prove anything.
    QVERIFY(valid > 0);
    QVERIFY(invalid > 0);
    // And the copy, repaired after each round, reads as the original.
    const TVersionInfo info(name);
    QVERIFY(info.Valid());
    QCOMPARE(blockBytes(info), FExpectedBlock);
}

QTEST_GUILESS_MAIN(tst_VersionInfo)
#include "tst_VersionInfo.moc"
