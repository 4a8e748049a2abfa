// Starting kupongen where no display can be opened: one clear line and exit
// status 1, not Qt's abort; --help and --version answer all the same.
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

class StartupTest : public QObject {
    Q_OBJECT

private:
    static QProcessEnvironment WithoutDisplay() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                                 "XDG_SESSION_TYPE", "QT_DEBUG_PLUGINS"}) {
            environment.remove(QString::fromLatin1(name));
        }
        return environment;
    }

    static void ExpectOneLineAndStatusOne(const QProcessEnvironment& environment,
                                          const QString& mentions,
                                          const QStringList& arguments = {}) {
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(KUPONGEN_PROGRAM), arguments);
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        QCOMPARE(program.readAllStandardOutput(), QByteArray());
        const QString error = QString::fromUtf8(program.readAllStandardError());
        QVERIFY2(error.endsWith(u'\n') && error.count(u'\n') == 1, qPrintable(error));
        QVERIFY2(error.startsWith(QStringLiteral("kupongen: ")), qPrintable(error));
        QVERIFY2(error.contains(mentions), qPrintable(error));
        QVERIFY2(error.contains(QStringLiteral("kupongen-headless")), qPrintable(error));
    }

private slots:
    void noDisplaySet() { ExpectOneLineAndStatusOne(WithoutDisplay(), QStringLiteral("DISPLAY")); }

    void displayThatDoesNotAnswer() {
        QProcessEnvironment environment = WithoutDisplay();
        environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":9973"));
        ExpectOneLineAndStatusOne(environment, QStringLiteral(":9973"));
    }

    void otherOptionsStillNeedADisplay() {
        ExpectOneLineAndStatusOne(WithoutDisplay(), QStringLiteral("DISPLAY"),
                                  {QStringLiteral("--seed"), QStringLiteral("1")});
    }

    void helpAndVersionNeedNoDisplay_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("help") << QStringLiteral("--help")
                              << QStringLiteral("Usage: kupongen [Qt options]");
        QTest::newRow("version") << QStringLiteral("--version") << QStringLiteral("kupongen 7.04");
    }

    void helpAndVersionNeedNoDisplay() {
        QFETCH(QString, option);
        QFETCH(QString, firstLine);
        QProcess program;
        program.setProcessEnvironment(WithoutDisplay());
        program.start(QStringLiteral(KUPONGEN_PROGRAM), {option});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(program.readAllStandardError(), QByteArray());
        const QString output = QString::fromUtf8(program.readAllStandardOutput());
        QVERIFY2(output.endsWith(u'\n'), qPrintable(output));
        QCOMPARE(output.section(u'\n', 0, 0), firstLine);
    }
};

QTEST_GUILESS_MAIN(StartupTest)
#include "startup_test.moc"
