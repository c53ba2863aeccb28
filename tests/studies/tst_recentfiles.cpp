// The files a study window offers again: the newest first, each once, no more than eight,
// kept for the next run, and one gone taken off.
#include "studies/common/RecentFiles.h"
#include "tests/support/TestSettings.h"

#include <QSignalSpy>
#include <QtTest>

class TestRecentFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(m_settings.valid()); }

    void newestFirstEachOnceEightAtMost() {
        RecentFiles recent(QStringLiteral("test/newest"));
        QSignalSpy changed(&recent, &RecentFiles::changed);
        QStringList added;
        for (int k = 1; k <= 10; ++k) {
            added.prepend(QStringLiteral("/studies/%1.json").arg(k));
            recent.add(added.first());
        }
        QCOMPARE(changed.count(), 10);
        QCOMPARE(recent.files(), added.mid(0, 8)); // 10 down to 3
        recent.add(QStringLiteral("/studies/5.json"));
        QCOMPARE(recent.files().first(), QStringLiteral("/studies/5.json"));
        QCOMPARE(recent.files().count(QStringLiteral("/studies/5.json")), 1);
        QCOMPARE(recent.files().size(), 8);
        recent.remove(QStringLiteral("/studies/9.json"));
        QVERIFY(!recent.files().contains(QStringLiteral("/studies/9.json")));
        QCOMPARE(recent.files().size(), 7);
    }

    // Kept in the settings: another window, or the next run, finds the same list; a
    // relative name is kept as the file it names.
    void keptForTheNextRun() {
        {
            RecentFiles first(QStringLiteral("test/kept"));
            first.add(QStringLiteral("study.json"));
        }
        RecentFiles next(QStringLiteral("test/kept"));
        QCOMPARE(next.files(), QStringList{QDir::current().absoluteFilePath(QStringLiteral("study.json"))});
        RecentFiles other(QStringLiteral("test/other"));
        QVERIFY(other.files().isEmpty());
    }

private:
    TestSettings m_settings;
};

QTEST_MAIN(TestRecentFiles)
#include "tst_recentfiles.moc"
