// Starting kupongen where no display can be opened: one clear line and exit
// status 1, not Qt's abort; --help and --version answer all the same, and a
// wrong command line is refused with status 2 before any window opens.
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

    void qtOptionsStillNeedADisplay() {
        ExpectOneLineAndStatusOne(WithoutDisplay(), QStringLiteral("DISPLAY"),
                                  {QStringLiteral("-style"), QStringLiteral("fusion")});
    }

    void helpAndVersionNeedNoDisplay_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("help") << QStringLiteral("--help")
                              << QStringLiteral("Usage: kupongen [Qt options]");
        QTest::newRow("version") << QStringLiteral("--version") << QStringLiteral("kupongen 7.04");
        QTest::newRow("-h") << QStringLiteral("-h")
                            << QStringLiteral("Usage: kupongen [Qt options]");
        QTest::newRow("-V") << QStringLiteral("-V") << QStringLiteral("kupongen 7.04");
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

    // With a display too: an option that were let through would open the
    // window, and the program would not end.
    void usageErrorsBeforeAnyWindow_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("long") << QStringList{QStringLiteral("--bogus")}
                              << QStringLiteral("kupongen: unrecognized option '--bogus'");
        QTest::newRow("short after a Qt option")
            << QStringList{QStringLiteral("-style"), QStringLiteral("fusion"), QStringLiteral("-x")}
            << QStringLiteral("kupongen: unrecognized option '-x'");
        QTest::newRow("before help")
            << QStringList{QStringLiteral("--seed=1"), QStringLiteral("--help")}
            << QStringLiteral("kupongen: unrecognized option '--seed=1'");
        QTest::newRow("operand") << QStringList{QStringLiteral("rader.txt")}
                                 << QStringLiteral("kupongen: extra operand 'rader.txt'");
        QTest::newRow("missing value") << QStringList{QStringLiteral("-platform")}
                                       << QStringLiteral("kupongen: option '-platform' "
                                                         "requires an argument");
        QTest::newRow("control characters")
            << QStringList{QStringLiteral("--a\nkupongen: forged\x1b[2J\u0085")}
            << QStringLiteral("kupongen: unrecognized option '--a\\x0Akupongen: "
                              "forged\\x1B[2J\\x85'");
    }

    void usageErrorsBeforeAnyWindow() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, firstLine);
        QProcessEnvironment withDisplay = QProcessEnvironment::systemEnvironment();
        withDisplay.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        for (const QProcessEnvironment& environment : {WithoutDisplay(), withDisplay}) {
            QProcess program;
            program.setProcessEnvironment(environment);
            program.start(QStringLiteral(KUPONGEN_PROGRAM), arguments);
            if (!program.waitForFinished(10000)) {
                program.kill();
                QFAIL("the window opened");
            }
            QCOMPARE(program.exitCode(), 2);
            QCOMPARE(program.readAllStandardOutput(), QByteArray());
            const QStringList lines =
                QString::fromUtf8(program.readAllStandardError()).split(u'\n');
            QCOMPARE(lines,
                     QStringList({firstLine,
                                  QStringLiteral("Try 'kupongen --help' for more information."),
                                  QString()}));
        }
    }

    void answerThatCannotBeWritten_data() {
        QTest::addColumn<QString>("option");
        QTest::newRow("help") << QStringLiteral("--help");
        QTest::newRow("version") << QStringLiteral("-V");
    }

    void answerThatCannotBeWritten() {
        QFETCH(QString, option);
        QProcess program;
        program.setProcessEnvironment(WithoutDisplay());
        program.setStandardOutputFile(QStringLiteral("/dev/full"));
        program.start(QStringLiteral(KUPONGEN_PROGRAM), {option});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), 2);
        QCOMPARE(QString::fromUtf8(program.readAllStandardError()),
                 QStringLiteral("kupongen: cannot write to standard output: "
                                "No space left on device\n"));
    }
};

QTEST_GUILESS_MAIN(StartupTest)
#include "startup_test.moc"
