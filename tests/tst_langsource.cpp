#include "LanguageFile.h"
#include "LanguageSource.h"

#include <QTextCodec>
#include <QtTest>

namespace {

QTextCodec* codec(const char* name)
{
    return QTextCodec::codecForName(name);
}

// The source lines "000 T0" to "161 T161", one replaced by `line` when `at` is set.
QByteArrayList sourceLines(int at = -1, const QByteArray& line = {})
{
    QByteArrayList lines;
    for (int k = 0; k < LanguageTextCount; ++k) {
        const QByteArray index = QByteArray::number(k).rightJustified(3, '0');
        lines.append(k == at ? line : index + " T" + QByteArray::number(k));
    }
    return lines;
}

QByteArray source(const QByteArrayList& lines)
{
    return lines.join('\n') + '\n';
}

} // namespace

// The language source format and its conversion to the binary language file.
class TestLanguageSource : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void convertsEveryLine();
    void texts_data();
    void texts();
    void rejectedSources_data();
    void rejectedSources();
};

void TestLanguageSource::convertsEveryLine()
{
    QByteArrayList lines = sourceLines();
    lines.prepend("# comment, then a blank line");
    lines.insert(1, "");
    lines[5] += '\r'; // CR LF line ending
    const LanguageFileBuild build = BuildLanguageFile(source(lines), codec("windows-1252"));
    QVERIFY2(build.error.isEmpty(), qPrintable(build.error));
    QCOMPARE(build.bytes.left(2), QByteArray::fromHex("A300"));

    const DecodedLanguageFile decoded = DecodeLanguageFile(build.bytes);
    QVERIFY(decoded.complete);
    QCOMPARE(decoded.texts.size(), LanguageTextCount);
    QCOMPARE(decoded.texts.at(3), QByteArray("T3"));
    QCOMPARE(decoded.texts.at(161), QByteArray("T161"));
}

void TestLanguageSource::texts_data()
{
    QTest::addColumn<QByteArray>("line"); // the line of index 7
    QTest::addColumn<QByteArray>("codecName");
    QTest::addColumn<QByteArray>("bytes"); // its text in the language file
    QTest::newRow("index alone: empty")
        << QByteArray("007") << QByteArray("windows-1252") << QByteArray();
    QTest::newRow("index and space: empty")
        << QByteArray("007 ") << QByteArray("windows-1252") << QByteArray();
    QTest::newRow("spaces inside kept") << QByteArray("007 Run  Times :")
                                        << QByteArray("windows-1252") << QByteArray("Run  Times :");
    QTest::newRow("escapes") << QByteArray("007 \\sa\\\\b\\tc\\nd\\re\\s")
                             << QByteArray("windows-1252") << QByteArray(" a\\b\tc\nd\re ");
    QTest::newRow("German in windows-1252")
        << QByteArray("007 Öffnen") << QByteArray("windows-1252")
        << QByteArray::fromHex("D666666E656E");
    QTest::newRow("Chinese in GBK")
        << QByteArray("007 通道1") << QByteArray("GBK") << QByteArray::fromHex("CDA8B5C031");
    QTest::newRow("full-width colon in GBK")
        << QByteArray("007 ：正常") << QByteArray("GBK") << QByteArray::fromHex("A3BAD5FDB3A3");
}

void TestLanguageSource::texts()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, codecName);
    QFETCH(QByteArray, bytes);
    const LanguageFileBuild build =
        BuildLanguageFile(source(sourceLines(7, line)), codec(codecName));
    QVERIFY2(build.error.isEmpty(), qPrintable(build.error));
    QCOMPARE(DecodeLanguageFile(build.bytes).texts.at(7), bytes);
}

void TestLanguageSource::rejectedSources_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QByteArray>("codecName");
    QTest::addColumn<QString>("error");

    const QByteArray cp1252("windows-1252");
    QByteArrayList short161 = sourceLines();
    short161.removeLast();
    QByteArrayList long163 = sourceLines();
    long163.append("162 extra");
    QByteArrayList gap = sourceLines();
    gap.removeAt(4);

    QTest::newRow("161 texts") << source(short161) << cp1252
                               << "161 texts where 162 (indices 0 to 161) are needed";
    QTest::newRow("163 texts") << source(long163) << cp1252
                               << "163 texts where 162 (indices 0 to 161) are needed";
    QTest::newRow("gap in the indices")
        << source(gap) << cp1252 << "line 5: index 005 where index 4 belongs";
    QTest::newRow("no space after the index")
        << source(sourceLines(4, "004Text")) << cp1252
        << "line 5: expected the index, one space and the text";
    QTest::newRow("no index") << source(sourceLines(4, "Text")) << cp1252
                              << "line 5: expected the index, one space and the text";
    QTest::newRow("unknown escape")
        << source(sourceLines(4, "004 a\\qb")) << cp1252
        << "line 5: unknown or unfinished backslash sequence (known: \\s \\t \\n \\r \\\\)";
    QTest::newRow("unfinished escape")
        << source(sourceLines(4, "004 ab\\")) << cp1252
        << "line 5: unknown or unfinished backslash sequence (known: \\s \\t \\n \\r \\\\)";
    QTest::newRow("invalid UTF-8")
        << source(sourceLines(4, "004 \xC3(")) << cp1252 << "line 5: not valid UTF-8";
    QTest::newRow("Chinese in windows-1252")
        << source(sourceLines(4, "004 通道")) << cp1252
        << QStringLiteral("line 5: text 4 \"通道\" cannot be written in windows-1252");
    QTest::newRow("Korean in GBK")
        << source(sourceLines(4, "004 한")) << QByteArray("GBK")
        << QStringLiteral("line 5: text 4 \"한\" cannot be written in GBK");
    QTest::newRow("text of 65536 bytes")
        << source(sourceLines(4, "004 " + QByteArray(LanguageFile::MaxTextLength + 1, 'x')))
        << cp1252 << "line 5: text 4 takes 65536 bytes, more than 65535";
}

void TestLanguageSource::rejectedSources()
{
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, codecName);
    QFETCH(QString, error);
    const LanguageFileBuild build = BuildLanguageFile(source, codec(codecName));
    QCOMPARE(build.error, error);
    QVERIFY(build.bytes.isEmpty());
}

QTEST_GUILESS_MAIN(TestLanguageSource)
#include "tst_langsource.moc"
