#include "LanguageFile.h"
#include "SystemLanguage.h"
#include "TLoadSource.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

namespace {

QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(hex);
}

// `count` entries "T0", "T1", ... written byte by byte, independent of the encoder under test
QByteArray entries(int count)
{
    QByteArray bytes;
    for (int k = 0; k < count; ++k) {
        const QByteArray text = "T" + QByteArray::number(k);
        bytes += char(text.size());
        bytes += '\0';
        bytes += text;
    }
    return bytes;
}

// a looked-up text, with nothing shown as "<missing>" so that comparisons print it
QString shown(const std::optional<QString>& text)
{
    return text.value_or(QStringLiteral("<missing>"));
}

QByteArray shown(const std::optional<QByteArray>& bytes)
{
    return bytes.value_or(QByteArray("<missing>"));
}

QByteArrayList numberedTexts(int count)
{
    QByteArrayList texts;
    for (int k = 0; k < count; ++k)
        texts.append("T" + QByteArray::number(k));
    return texts;
}

// A language file holding one text, `text`.
QByteArray oneTextFile(const QByteArray& text)
{
    return Hex("0200") + char(text.size()) + '\0' + text;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The indices the windows take their texts from.
QList<int> usedIndices()
{
    const int ranges[][2] = {{0, 4},     {7, 17},    {20, 21},   {24, 29},   {32, 35},
                             {37, 39},   {42, 42},   {46, 50},   {54, 59},   {62, 64},
                             {66, 72},   {74, 76},   {82, 101},  {113, 113}, {115, 116},
                             {119, 119}, {121, 121}, {125, 125}, {127, 127}, {132, 132},
                             {142, 142}, {147, 147}, {149, 149}, {153, 161}};
    QList<int> indices;
    for (const auto& range : ranges) {
        for (int index = range[0]; index <= range[1]; ++index)
            indices.append(index);
    }
    return indices;
}

} // namespace

// The language id and code page of the system, the language file codec and the text table that
// finds and loads the language file.
class TestTextTable : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void languageIdForLocale_data();
    void languageIdForLocale();
    void ansiCodePage_data();
    void ansiCodePage();
    void decodeLanguageFile_data();
    void decodeLanguageFile();
    void encodeLanguageFile();
    void findLanguageFile_data();
    void findLanguageFile();
    void missingFilesLeaveFormDefaults_data();
    void missingFilesLeaveFormDefaults();
    void shortFileKeepsCompleteTexts();
    void textsDecodeFromLanguageCodePage();
    void generatedLanguageFiles_data();
    void generatedLanguageFiles();
};

void TestTextTable::languageIdForLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("languageId");
    QTest::newRow("C") << "C"
                       << "0x0409";
    QTest::newRow("en_US") << "en_US"
                           << "0x0409";
    QTest::newRow("en_GB") << "en_GB"
                           << "0x0809";
    QTest::newRow("en_DE: default sublanguage") << "en_DE"
                                                << "0x0409";
    QTest::newRow("zh_CN") << "zh_CN"
                           << "0x0804";
    QTest::newRow("zh_TW") << "zh_TW"
                           << "0x0404";
    QTest::newRow("zh_HK") << "zh_HK"
                           << "0x0C04";
    QTest::newRow("zh_SG") << "zh_SG"
                           << "0x1004";
    QTest::newRow("de_DE") << "de_DE"
                           << "0x0407";
    QTest::newRow("de_AT") << "de_AT"
                           << "0x0C07";
    QTest::newRow("de_CH") << "de_CH"
                           << "0x0807";
    QTest::newRow("de_BE: default sublanguage") << "de_BE"
                                                << "0x0407";
    QTest::newRow("fr_FR") << "fr_FR"
                           << "0x040C";
    QTest::newRow("fr_CA") << "fr_CA"
                           << "0x0C0C";
    QTest::newRow("it_IT") << "it_IT"
                           << "0x0410";
    QTest::newRow("es_ES") << "es_ES"
                           << "0x0C0A";
    QTest::newRow("es_MX") << "es_MX"
                           << "0x080A";
    QTest::newRow("ja_JP") << "ja_JP"
                           << "0x0411";
    QTest::newRow("ko_KR") << "ko_KR"
                           << "0x0412";
    QTest::newRow("ru_RU") << "ru_RU"
                           << "0x0419";
    QTest::newRow("pt_BR") << "pt_BR"
                           << "0x0416";
    QTest::newRow("pt_PT") << "pt_PT"
                           << "0x0816";
    QTest::newRow("pl_PL") << "pl_PL"
                           << "0x0415";
    QTest::newRow("sr_RS Cyrillic") << "sr_RS"
                                    << "0x281A";
    QTest::newRow("sr_Latn_RS") << "sr_Latn_RS"
                                << "0x241A";
    QTest::newRow("uz_Cyrl_UZ") << "uz_Cyrl_UZ"
                                << "0x0843";
    QTest::newRow("eo: no Windows id") << "eo"
                                       << "0x0409";
}

void TestTextTable::languageIdForLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, languageId);
    QCOMPARE(LanguageIdText(LanguageIdForLocale(QLocale(locale))), languageId);
}

void TestTextTable::ansiCodePage_data()
{
    QTest::addColumn<int>("languageId");
    QTest::addColumn<int>("codePage");
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("en-US") << 0x0409 << 1252 << QStringLiteral("€ä") << Hex("80E4");
    QTest::newRow("de-DE") << 0x0407 << 1252 << QStringLiteral("Öß") << Hex("D6DF");
    QTest::newRow("zh-CN") << 0x0804 << 936 << QStringLiteral("中文") << Hex("D6D0CEC4");
    QTest::newRow("zh-SG") << 0x1004 << 936 << QStringLiteral("中") << Hex("D6D0");
    QTest::newRow("zh-TW") << 0x0404 << 950 << QStringLiteral("中") << Hex("A4A4");
    QTest::newRow("zh-HK") << 0x0C04 << 950 << QStringLiteral("中") << Hex("A4A4");
    QTest::newRow("ja-JP") << 0x0411 << 932 << QStringLiteral("中") << Hex("9286");
    QTest::newRow("ko-KR") << 0x0412 << 949 << QStringLiteral("한") << Hex("C7D1");
    QTest::newRow("ru-RU") << 0x0419 << 1251 << QStringLiteral("Ж") << Hex("C6");
    QTest::newRow("sr-Cyrl-RS") << 0x281A << 1251 << QStringLiteral("Ж") << Hex("C6");
    QTest::newRow("sr-Latn-RS") << 0x241A << 1250 << QStringLiteral("š") << Hex("9A");
    QTest::newRow("cs-CZ") << 0x0405 << 1250 << QStringLiteral("ř") << Hex("F8");
    QTest::newRow("el-GR") << 0x0408 << 1253 << QStringLiteral("Ω") << Hex("D9");
    QTest::newRow("tr-TR") << 0x041F << 1254 << QStringLiteral("ş") << Hex("FE");
    QTest::newRow("he-IL") << 0x040D << 1255 << QStringLiteral("א") << Hex("E0");
    QTest::newRow("ar-SA") << 0x0401 << 1256 << QStringLiteral("ع") << Hex("DA");
    QTest::newRow("lt-LT") << 0x0427 << 1257 << QStringLiteral("ą") << Hex("E0");
    QTest::newRow("vi-VN") << 0x042A << 1258 << QStringLiteral("ư") << Hex("FD");
    QTest::newRow("th-TH") << 0x041E << 874 << QStringLiteral("ก") << Hex("A1");
    QTest::newRow("unknown id") << 0x0000 << 1252 << QStringLiteral("é") << Hex("E9");
}

void TestTextTable::ansiCodePage()
{
    QFETCH(int, languageId);
    QFETCH(int, codePage);
    QFETCH(QString, sample);
    QFETCH(QByteArray, bytes);
    QCOMPARE(AnsiCodePageNumber(quint16(languageId)), codePage);
    QTextCodec* codec = AnsiCodePage(quint16(languageId));
    QVERIFY(codec);
    QCOMPARE(codec->fromUnicode(sample), bytes);
    QCOMPARE(codec->toUnicode(bytes), sample);
}

void TestTextTable::decodeLanguageFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArrayList>("texts");
    QTest::addColumn<bool>("complete");
    QTest::newRow("Hi and an empty text")
        << Hex("0300020048690000") << QByteArrayList{"Hi", ""} << true;
    QTest::newRow("N = 1: no texts") << Hex("0100") << QByteArrayList{} << true;
    QTest::newRow("A3 00: 162 texts") << Hex("A300") + entries(162) << numberedTexts(162) << true;
    QTest::newRow("A3 01: high byte ignored")
        << Hex("A301") + entries(162) << numberedTexts(162) << true;
    QTest::newRow("N = 0: 255 texts") << Hex("0000") + entries(255) << numberedTexts(255) << true;
    QTest::newRow("bytes after the announced texts")
        << Hex("0200") + entries(2) << numberedTexts(1) << true;
    QTest::newRow("empty file") << QByteArray() << QByteArrayList{} << false;
    QTest::newRow("half a count field") << Hex("03") << QByteArrayList{} << false;
    QTest::newRow("ends inside a length") << Hex("04000200486901") << QByteArrayList{"Hi"} << false;
    QTest::newRow("ends inside a text")
        << Hex("04000200486905004142") << QByteArrayList{"Hi"} << false;
    QTest::newRow("length beyond the file") << Hex("0200FFFF41") << QByteArrayList{} << false;
}

void TestTextTable::decodeLanguageFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArrayList, texts);
    QFETCH(bool, complete);
    const DecodedLanguageFile decoded = DecodeLanguageFile(bytes);
    QCOMPARE(decoded.texts, texts);
    QCOMPARE(decoded.complete, complete);
}

void TestTextTable::encodeLanguageFile()
{
    QCOMPARE(shown(EncodeLanguageFile({"Hi", ""})), Hex("0300020048690000"));
    QCOMPARE(shown(EncodeLanguageFile({})), Hex("0100"));
    QCOMPARE(shown(EncodeLanguageFile(numberedTexts(162))), Hex("A300") + entries(162));
    QCOMPARE(shown(EncodeLanguageFile(numberedTexts(255))), Hex("0000") + entries(255));
    QVERIFY(!EncodeLanguageFile(numberedTexts(256)));

    const QByteArray longest(LanguageFile::MaxTextLength, 'x');
    QCOMPARE(shown(EncodeLanguageFile({longest})), Hex("0200FFFF") + longest);
    QVERIFY(!EncodeLanguageFile({longest + 'x'}));
}

void TestTextTable::findLanguageFile_data()
{
    QTest::addColumn<QByteArray>("index"); // null: no index file
    QTest::addColumn<int>("languageId");
    QTest::addColumn<QStringList>("files"); // each holds its own name as its only text
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("loaded"); // the name of the file whose text was loaded

    const QString english = QString::fromLatin1(TLoadSource::FallbackFileName);
    const QStringList chinese{QStringLiteral("Chinese.lng"), english};
    const QStringList german{QStringLiteral("German.lng"), english};

    QTest::newRow("exact id, CR LF")
        << QByteArray("0x0409 English (United States)\r\n0x0804 Chinese.lng\r\n") << 0x0804
        << chinese << "Chinese.lng" << true << "Chinese.lng";
    QTest::newRow("LF, last line without ending")
        << QByteArray("0x0409 English (United States)\n0x0804 Chinese.lng") << 0x0804 << chinese
        << "Chinese.lng" << true << "Chinese.lng";
    QTest::newRow("0X0804 does not match")
        << QByteArray("0X0804 Chinese.lng\r\n") << 0x0804 << chinese << "" << false << english;
    QTest::newRow("0x040c does not match 0x040C")
        << QByteArray("0x040c French.lng\r\n") << 0x040C
        << QStringList{QStringLiteral("French.lng"), english} << "" << false << english;
    QTest::newRow("matching file missing")
        << QByteArray("0x0804 Chinese.lng\r\n") << 0x0804 << QStringList{english} << "Chinese.lng"
        << false << english;
    QTest::newRow("first match wins even without its file")
        << QByteArray("0x0407 Missing.lng\n0x0407 German.lng\n") << 0x0407 << german
        << "Missing.lng" << false << english;
    QTest::newRow("name taken with its spaces")
        << QByteArray("0x0407 German (Germany)\r\n") << 0x0407
        << QStringList{QStringLiteral("German (Germany)"), english} << "German (Germany)" << true
        << "German (Germany)";
    QTest::newRow("separator column not read") << QByteArray("0x0407\tGerman.lng\n") << 0x0407
                                               << german << "German.lng" << true << "German.lng";
    QTest::newRow("id without a name")
        << QByteArray("0x0407\n") << 0x0407 << german << "" << false << english;
    QTest::newRow("name of a folder")
        << QByteArray("0x0407 sub\n") << 0x0407 << german << "sub" << false << english;
    QTest::newRow("rest of an overlong line is not a line")
        << QByteArray("0x0000 ") + QByteArray(249, 'a') + "0x0407 German.lng\n"
        << 0x0407 << german << "" << false << english;
    QTest::newRow("no index file") << QByteArray() << 0x0407 << german << "" << false << english;
}

void TestTextTable::findLanguageFile()
{
    QFETCH(QByteArray, index);
    QFETCH(int, languageId);
    QFETCH(QStringList, files);
    QFETCH(QString, fileName);
    QFETCH(bool, found);
    QFETCH(QString, loaded);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    if (!index.isNull())
        writeFile(dir.filePath(QString::fromLatin1(TLoadSource::IndexFileName)), index);
    for (const QString& file : files)
        writeFile(dir.filePath(file), oneTextFile(file.toLatin1()));

    TLoadSource texts(dir.path(), quint16(languageId));
    QCOMPARE(texts.languageFileName(), fileName);
    QCOMPARE(texts.found(), found);
    texts.LoadTexts();
    QCOMPARE(shown(texts.text(0)), loaded);
}

void TestTextTable::missingFilesLeaveFormDefaults_data()
{
    QTest::addColumn<bool>("withIndex");
    QTest::addColumn<bool>("fallbackIsFolder");
    QTest::newRow("no index, no language file") << false << false;
    QTest::newRow("index names a missing file, no fallback") << true << false;
    QTest::newRow("fallback name is a folder") << false << true;
}

void TestTextTable::missingFilesLeaveFormDefaults()
{
    QFETCH(bool, withIndex);
    QFETCH(bool, fallbackIsFolder);
    QTemporaryDir dir;
    if (withIndex)
        writeFile(dir.filePath(QString::fromLatin1(TLoadSource::IndexFileName)),
                  "0x0407 German.lng\r\n");
    if (fallbackIsFolder)
        QVERIFY(QDir(dir.path()).mkdir(QString::fromLatin1(TLoadSource::FallbackFileName)));

    TLoadSource texts(dir.path(), 0x0407);
    texts.LoadTexts();
    QCOMPARE(texts.count(), 0);
    QVERIFY(!texts.GetText(0));
    QVERIFY(!texts.text(1));
    QCOMPARE(texts.text(1, QStringLiteral("Config")), QStringLiteral("Config"));
}

void TestTextTable::shortFileKeepsCompleteTexts()
{
    QTemporaryDir dir;
    // announces 162 texts, ends in the middle of the fourth
    writeFile(dir.filePath(QString::fromLatin1(TLoadSource::FallbackFileName)),
              Hex("A300") + entries(3) + Hex("0500") + "T3");

    TLoadSource texts(dir.path(), 0x0409);
    texts.LoadTexts();
    QCOMPARE(texts.count(), 3);
    QCOMPARE(texts.text(2, QStringLiteral("default")), QStringLiteral("T2"));
    QCOMPARE(texts.text(3, QStringLiteral("default")), QStringLiteral("default"));
    QVERIFY(!texts.text(-1));
}

void TestTextTable::textsDecodeFromLanguageCodePage()
{
    QTemporaryDir dir;
    const QByteArray gbk = Hex("D6D0CEC4"); // 中文
    writeFile(dir.filePath(QString::fromLatin1(TLoadSource::FallbackFileName)), oneTextFile(gbk));

    TLoadSource chinese(dir.path(), 0x0804);
    chinese.LoadTexts();
    QCOMPARE(shown(chinese.GetText(0)), gbk);
    QCOMPARE(shown(chinese.text(0)), QStringLiteral("中文"));

    TLoadSource english(dir.path(), 0x0409);
    english.LoadTexts();
    QCOMPARE(shown(english.text(0)), QStringLiteral("ÖÐÎÄ"));
}

void TestTextTable::generatedLanguageFiles_data()
{
    QTest::addColumn<int>("languageId");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::newRow("English title") << 0x0409 << "English (United States)" << true << 0 << "QL5800";
    QTest::newRow("English help") << 0x0409 << "English (United States)" << true << 4 << "Help";
    QTest::newRow("English hint") << 0x0409 << "English (United States)" << true << 16
                                  << "You can use the Mouse wheel ,Arrow or Page Up/Down key to "
                                     "change the setup value.";
    QTest::newRow("English status")
        << 0x0409 << "English (United States)" << true << 132 << ": Normal";
    QTest::newRow("en-GB shares English")
        << 0x0809 << "English (United States)" << true << 72 << "Cancel";
    QTest::newRow("Chinese channel")
        << 0x0804 << "Chinese (Simplified)" << true << 9 << QStringLiteral("通道1");
    QTest::newRow("Chinese status")
        << 0x0804 << "Chinese (Simplified)" << true << 132 << QStringLiteral("：正常");
    QTest::newRow("Chinese verdict header")
        << 0x0804 << "Chinese (Simplified)" << true << 59 << "GO/NG";
    QTest::newRow("German open") << 0x0407 << "German (Germany)" << true << 3
                                 << QStringLiteral("Öffnen");
    QTest::newRow("de-AT shares German")
        << 0x0C07 << "German (Germany)" << true << 76 << QStringLiteral("Zeile löschen");
    QTest::newRow("zh-TW falls back to English") << 0x0404 << "" << false << 1 << "Config";
}

void TestTextTable::generatedLanguageFiles()
{
    QFETCH(int, languageId);
    QFETCH(QString, fileName);
    QFETCH(bool, found);
    QFETCH(int, index);
    QFETCH(QString, text);

    TLoadSource texts(QStringLiteral(PSU_PROGRAM_DIR), quint16(languageId));
    QCOMPARE(texts.languageFileName(), fileName);
    QCOMPARE(texts.found(), found);
    texts.LoadTexts();
    QCOMPARE(texts.count(), 162);
    for (int used : usedIndices())
        QVERIFY2(!texts.text(used).value_or(QString()).isEmpty(),
                 qPrintable(QString::number(used)));
    QCOMPARE(shown(texts.text(index)), text);
}

QTEST_GUILESS_MAIN(TestTextTable)
#include "tst_texttable.moc"
