#include "control/logfile.h"
#include "control/nickstore.h"
#include "savefixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

NickStore storeOf(const QStringList &nicks)
{
    NickStore store;
    for (const QString &nick : nicks)
        store.append(nick);
    return store;
}

} // namespace

class TstLogFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void writesOneLinePerEntryWithCrLf();
    void emptyListGivesAnEmptyFile();
    void eachSaveRewritesTheWholeFile();
    void savesMoreEntriesThanA16BitCount();
    void savesSeveralBlocksByteForByte();
    void unwritableProgramFolderSavesToTheFallback();
    void failedSaveLeavesTheOldFileWhole_data();
    void failedSaveLeavesTheOldFileWhole();
    void folderInPlaceOfTheFileFails();
    void missingFallbackFails();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_programFolder;
    QString m_fallbackFolder;
    QString m_file;
};

void TstLogFile::init()
{
    SaveFolders folders;
    QVERIFY(folders.make());
    m_dir = std::move(folders.dir);
    m_programFolder = folders.program;
    m_fallbackFolder = folders.fallback;
    m_file = folders.log;
}

void TstLogFile::writesOneLinePerEntryWithCrLf()
{
    const auto result =
        NickLog::save(storeOf({QStringLiteral("BENTYB"), QString(), QStringLiteral("KA")}), m_programFolder,
                      m_fallbackFolder);
    QCOMPARE(result.outcome, NickLog::Outcome::Saved);
    QCOMPARE(result.path, m_file);
    // No byte-order mark, no header, an empty entry is an empty line.
    QCOMPARE(readAll(m_file), QByteArray("BENTYB\r\n\r\nKA\r\n"));

    NickLog::save(storeOf({QStringLiteral("ABCDEF"), QStringLiteral("GHIJKL")}), m_programFolder, m_fallbackFolder);
    QCOMPARE(readAll(m_file).size(), 16);
}

void TstLogFile::emptyListGivesAnEmptyFile()
{
    QVERIFY(writeFile(m_file, "OLD\r\n"));
    const auto result = NickLog::save(NickStore(), m_programFolder, m_fallbackFolder);
    QCOMPARE(result.outcome, NickLog::Outcome::Saved);
    QVERIFY(QFile::exists(m_file));
    QCOMPARE(readAll(m_file), QByteArray());
}

void TstLogFile::eachSaveRewritesTheWholeFile()
{
    const NickStore store = storeOf({QStringLiteral("AB"), QStringLiteral("CD")});
    NickLog::save(store, m_programFolder, m_fallbackFolder);
    NickLog::save(store, m_programFolder, m_fallbackFolder);
    QCOMPARE(readAll(m_file), QByteArray("AB\r\nCD\r\n"));
    // Nothing is left behind beside it.
    QCOMPARE(QDir(m_programFolder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("NIK.log")});
}

void TstLogFile::savesMoreEntriesThanA16BitCount()
{
    NickStore store;
    const int count = 70000;
    for (int i = 0; i < count; ++i)
        store.append(i % 2 ? QStringLiteral("QWERTYUIOP") : QStringLiteral("ZW"));
    QCOMPARE(NickLog::save(store, m_programFolder, m_fallbackFolder).outcome, NickLog::Outcome::Saved);
    const QByteArray bytes = readAll(m_file);
    QCOMPARE(bytes.size(), qsizetype(count / 2) * (10 + 2 + 2 + 2));
    QVERIFY(bytes.endsWith("QWERTYUIOP\r\n"));
    QCOMPARE(bytes.count('\n'), count);
}

void TstLogFile::savesSeveralBlocksByteForByte()
{
    // Over three blocks, with texts kept whole beside the packed nicks.
    NickStore store;
    QByteArray expected;
    for (int i = 0; i < 600'000; ++i) {
        const QString nick =
            i % 5003 == 0 ? QString::fromUtf8("Ёжик") : QStringLiteral("QWERTYUIOP").left(i % 11);
        store.append(nick);
        expected += nick.toUtf8() + "\r\n";
    }
    QVERIFY(expected.size() > 3 * (1 << 20));
    QCOMPARE(NickLog::save(store, m_programFolder, m_fallbackFolder).outcome, NickLog::Outcome::Saved);
    const QByteArray bytes = readAll(m_file);
    QCOMPARE(bytes.size(), expected.size());
    QVERIFY(bytes == expected);
}

void TstLogFile::unwritableProgramFolderSavesToTheFallback()
{
    const QString gone = m_dir->filePath(QStringLiteral("no-such-folder"));
    const auto result = NickLog::save(storeOf({QStringLiteral("NIK")}), gone, m_fallbackFolder);
    QCOMPARE(result.outcome, NickLog::Outcome::SavedToFallback);
    QCOMPARE(result.path, QDir(m_fallbackFolder).filePath(QStringLiteral("NIK.log")));
    QCOMPARE(readAll(result.path), QByteArray("NIK\r\n"));
}

void TstLogFile::failedSaveLeavesTheOldFileWhole_data()
{
    QTest::addColumn<int>("limit");
    // Limits that fall on a line end, inside a line and inside the second block.
    QTest::newRow("before the first byte") << 0;
    QTest::newRow("inside a line") << 7;
    QTest::newRow("on a line end") << 12;
    QTest::newRow("past the first block") << (1 << 20) + 5;
}

void TstLogFile::failedSaveLeavesTheOldFileWhole()
{
    QFETCH(int, limit);
    const QByteArray old = "PREVIOUS\r\nFILE\r\n";
    QVERIFY(writeFile(m_file, old));
    NickStore store;
    for (int i = 0; i < 200000; ++i)
        store.append(QStringLiteral("ABCDEFGHIJ"));

    NickLog::Result result;
    {
        FileSizeLimit fileSize(static_cast<rlim_t>(limit));
        result = NickLog::save(store, m_programFolder, m_fallbackFolder);
    }
    QCOMPARE(result.outcome, NickLog::Outcome::Failed);
    QCOMPARE(result.path, m_file);
    QVERIFY(!result.reason.isEmpty());
    QCOMPARE(readAll(m_file), old);
    QCOMPARE(store.count(), 200000);
    QCOMPARE(QDir(m_programFolder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("NIK.log")});
}

void TstLogFile::folderInPlaceOfTheFileFails()
{
    QVERIFY(QDir().mkpath(m_file));
    const auto result = NickLog::save(storeOf({QStringLiteral("AB")}), m_programFolder, m_fallbackFolder);
    QCOMPARE(result.outcome, NickLog::Outcome::Failed);
    QVERIFY(!result.reason.isEmpty());
    QVERIFY(QFileInfo(m_file).isDir());
}

void TstLogFile::missingFallbackFails()
{
    const auto result = NickLog::save(storeOf({QStringLiteral("AB")}), m_dir->filePath(QStringLiteral("gone")),
                                      m_dir->filePath(QStringLiteral("also-gone")));
    QCOMPARE(result.outcome, NickLog::Outcome::Failed);
    QVERIFY(result.path.endsWith(QStringLiteral("also-gone/NIK.log")));
    QVERIFY(!result.reason.isEmpty());
}

QTEST_GUILESS_MAIN(TstLogFile)
#include "tst_logfile.moc"
