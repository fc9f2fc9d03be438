#include "SystemLanguage.h"

#include <QTextCodec>

namespace {

using L = QLocale;

constexpr quint16 UnitedStatesEnglish = 0x0409;

struct LocaleLanguageId
{
    L::Language language;
    L::Script script;   // AnyScript matches every script
    L::Country country; // AnyCountry matches every country
    quint16 id;
};

constexpr LocaleLanguageId region(L::Language language, L::Country country, quint16 id)
{
    return {language, L::AnyScript, country, id};
}

constexpr LocaleLanguageId scriptRegion(L::Language language, L::Script script, L::Country country,
                                        quint16 id)
{
    return {language, script, country, id};
}

constexpr LocaleLanguageId script(L::Language language, L::Script script, quint16 id)
{
    return {language, script, L::AnyCountry, id};
}

constexpr LocaleLanguageId language(L::Language language, quint16 id)
{
    return {language, L::AnyScript, L::AnyCountry, id};
}

// The first row that matches a locale gives its identifier, so each language lists its regions
// and scripts before its default sublanguage.
constexpr LocaleLanguageId LanguageIds[] = {
    region(L::English, L::UnitedKingdom, 0x0809),
    region(L::English, L::Australia, 0x0C09),
    region(L::English, L::Canada, 0x1009),
    region(L::English, L::NewZealand, 0x1409),
    region(L::English, L::Ireland, 0x1809),
    region(L::English, L::SouthAfrica, 0x1C09),
    region(L::English, L::Jamaica, 0x2009),
    region(L::English, L::Belize, 0x2809),
    region(L::English, L::TrinidadAndTobago, 0x2C09),
    region(L::English, L::Zimbabwe, 0x3009),
    region(L::English, L::Philippines, 0x3409),
    region(L::English, L::India, 0x4009),
    region(L::English, L::Malaysia, 0x4409),
    region(L::English, L::Singapore, 0x4809),
    language(L::English, 0x0409),

    region(L::Chinese, L::Taiwan, 0x0404),
    region(L::Chinese, L::China, 0x0804),
    region(L::Chinese, L::HongKong, 0x0C04),
    region(L::Chinese, L::Singapore, 0x1004),
    region(L::Chinese, L::Macau, 0x1404),
    script(L::Chinese, L::TraditionalHanScript, 0x0404),
    language(L::Chinese, 0x0804),

    region(L::German, L::Switzerland, 0x0807),
    region(L::German, L::Austria, 0x0C07),
    region(L::German, L::Luxembourg, 0x1007),
    region(L::German, L::Liechtenstein, 0x1407),
    language(L::German, 0x0407),

    region(L::French, L::Belgium, 0x080C),
    region(L::French, L::Canada, 0x0C0C),
    region(L::French, L::Switzerland, 0x100C),
    region(L::French, L::Luxembourg, 0x140C),
    region(L::French, L::Monaco, 0x180C),
    language(L::French, 0x040C),

    region(L::Italian, L::Switzerland, 0x0810),
    language(L::Italian, 0x0410),

    region(L::Spanish, L::Mexico, 0x080A),
    region(L::Spanish, L::Guatemala, 0x100A),
    region(L::Spanish, L::CostaRica, 0x140A),
    region(L::Spanish, L::Panama, 0x180A),
    region(L::Spanish, L::DominicanRepublic, 0x1C0A),
    region(L::Spanish, L::Venezuela, 0x200A),
    region(L::Spanish, L::Colombia, 0x240A),
    region(L::Spanish, L::Peru, 0x280A),
    region(L::Spanish, L::Argentina, 0x2C0A),
    region(L::Spanish, L::Ecuador, 0x300A),
    region(L::Spanish, L::Chile, 0x340A),
    region(L::Spanish, L::Uruguay, 0x380A),
    region(L::Spanish, L::Paraguay, 0x3C0A),
    region(L::Spanish, L::Bolivia, 0x400A),
    region(L::Spanish, L::ElSalvador, 0x440A),
    region(L::Spanish, L::Honduras, 0x480A),
    region(L::Spanish, L::Nicaragua, 0x4C0A),
    region(L::Spanish, L::PuertoRico, 0x500A),
    region(L::Spanish, L::UnitedStates, 0x540A),
    language(L::Spanish, 0x0C0A),

    region(L::Portuguese, L::Portugal, 0x0816),
    language(L::Portuguese, 0x0416),

    region(L::Dutch, L::Belgium, 0x0813),
    language(L::Dutch, 0x0413),

    region(L::Swedish, L::Finland, 0x081D),
    language(L::Swedish, 0x041D),

    region(L::Arabic, L::Iraq, 0x0801),
    region(L::Arabic, L::Egypt, 0x0C01),
    region(L::Arabic, L::Libya, 0x1001),
    region(L::Arabic, L::Algeria, 0x1401),
    region(L::Arabic, L::Morocco, 0x1801),
    region(L::Arabic, L::Tunisia, 0x1C01),
    region(L::Arabic, L::Oman, 0x2001),
    region(L::Arabic, L::Yemen, 0x2401),
    region(L::Arabic, L::Syria, 0x2801),
    region(L::Arabic, L::Jordan, 0x2C01),
    region(L::Arabic, L::Lebanon, 0x3001),
    region(L::Arabic, L::Kuwait, 0x3401),
    region(L::Arabic, L::UnitedArabEmirates, 0x3801),
    region(L::Arabic, L::Bahrain, 0x3C01),
    region(L::Arabic, L::Qatar, 0x4001),
    language(L::Arabic, 0x0401),

    scriptRegion(L::Serbian, L::LatinScript, L::Serbia, 0x241A),
    scriptRegion(L::Serbian, L::LatinScript, L::Montenegro, 0x2C1A),
    scriptRegion(L::Serbian, L::LatinScript, L::BosniaAndHerzegowina, 0x181A),
    script(L::Serbian, L::LatinScript, 0x081A),
    region(L::Serbian, L::Serbia, 0x281A),
    region(L::Serbian, L::Montenegro, 0x301A),
    region(L::Serbian, L::BosniaAndHerzegowina, 0x1C1A),
    language(L::Serbian, 0x0C1A),
    script(L::Bosnian, L::CyrillicScript, 0x201A),
    language(L::Bosnian, 0x141A),
    region(L::Croatian, L::BosniaAndHerzegowina, 0x101A),
    language(L::Croatian, 0x041A),

    script(L::Azerbaijani, L::CyrillicScript, 0x082C),
    language(L::Azerbaijani, 0x042C),
    script(L::Uzbek, L::CyrillicScript, 0x0843),
    language(L::Uzbek, 0x0443),
    region(L::Malay, L::Brunei, 0x083E),
    language(L::Malay, 0x043E),
    region(L::Bengali, L::Bangladesh, 0x0845),
    language(L::Bengali, 0x0445),

    language(L::Bulgarian, 0x0402),
    language(L::Catalan, 0x0403),
    language(L::Czech, 0x0405),
    language(L::Danish, 0x0406),
    language(L::Greek, 0x0408),
    language(L::Finnish, 0x040B),
    language(L::Hebrew, 0x040D),
    language(L::Hungarian, 0x040E),
    language(L::Icelandic, 0x040F),
    language(L::Japanese, 0x0411),
    language(L::Korean, 0x0412),
    language(L::NorwegianBokmal, 0x0414),
    language(L::NorwegianNynorsk, 0x0814),
    language(L::Polish, 0x0415),
    language(L::Romanian, 0x0418),
    language(L::Russian, 0x0419),
    language(L::Slovak, 0x041B),
    language(L::Albanian, 0x041C),
    language(L::Thai, 0x041E),
    language(L::Turkish, 0x041F),
    language(L::Urdu, 0x0420),
    language(L::Indonesian, 0x0421),
    language(L::Ukrainian, 0x0422),
    language(L::Belarusian, 0x0423),
    language(L::Slovenian, 0x0424),
    language(L::Estonian, 0x0425),
    language(L::Latvian, 0x0426),
    language(L::Lithuanian, 0x0427),
    language(L::Persian, 0x0429),
    language(L::Vietnamese, 0x042A),
    language(L::Armenian, 0x042B),
    language(L::Basque, 0x042D),
    language(L::Macedonian, 0x042F),
    language(L::Afrikaans, 0x0436),
    language(L::Georgian, 0x0437),
    language(L::Faroese, 0x0438),
    language(L::Hindi, 0x0439),
    language(L::Irish, 0x083C),
    language(L::Kazakh, 0x043F),
    language(L::Kirghiz, 0x0440),
    language(L::Swahili, 0x0441),
    language(L::Tatar, 0x0444),
    language(L::Punjabi, 0x0446),
    language(L::Gujarati, 0x0447),
    language(L::Tamil, 0x0449),
    language(L::Telugu, 0x044A),
    language(L::Kannada, 0x044B),
    language(L::Malayalam, 0x044C),
    language(L::Marathi, 0x044E),
    language(L::Mongolian, 0x0450),
    language(L::Welsh, 0x0452),
    language(L::Khmer, 0x0453),
    language(L::Lao, 0x0454),
    language(L::Galician, 0x0456),
    language(L::Sinhala, 0x045B),
    language(L::Amharic, 0x045E),
    language(L::Nepali, 0x0461),
    language(L::Filipino, 0x0464),
    language(L::Luxembourgish, 0x046E),
};

bool matches(const LocaleLanguageId& row, const QLocale& locale)
{
    return row.language == locale.language() &&
           (row.script == L::AnyScript || row.script == locale.script()) &&
           (row.country == L::AnyCountry || row.country == locale.country());
}

constexpr int WesternCodePage = 1252;

// Sublanguages written in another script than their primary language's default.
int sublanguageCodePage(quint16 languageId)
{
    switch (languageId) {
    case 0x0404: // Chinese: Taiwan
    case 0x0C04: // Hong Kong
    case 0x1404: // Macau
    case 0x7C04: // Traditional
        return 950;
    case 0x0C1A: // Serbian (Cyrillic): Serbia and Montenegro
    case 0x1C1A: // Bosnia and Herzegovina
    case 0x281A: // Serbia
    case 0x301A: // Montenegro
    case 0x201A: // Bosnian (Cyrillic)
    case 0x082C: // Azeri (Cyrillic)
    case 0x0843: // Uzbek (Cyrillic)
        return 1251;
    default:
        return 0;
    }
}

// Western languages, and those Windows keeps Unicode-only, are left to windows-1252.
int primaryLanguageCodePage(int primaryLanguage)
{
    switch (primaryLanguage) {
    case 0x04: // Chinese (Simplified)
        return 936;
    case 0x05: // Czech
    case 0x0E: // Hungarian
    case 0x15: // Polish
    case 0x18: // Romanian
    case 0x1A: // Croatian, Serbian and Bosnian (Latin)
    case 0x1B: // Slovak
    case 0x1C: // Albanian
    case 0x24: // Slovenian
        return 1250;
    case 0x02: // Bulgarian
    case 0x19: // Russian
    case 0x22: // Ukrainian
    case 0x23: // Belarusian
    case 0x2F: // Macedonian
    case 0x3F: // Kazakh
    case 0x40: // Kyrgyz
    case 0x44: // Tatar
    case 0x50: // Mongolian
        return 1251;
    case 0x08: // Greek
        return 1253;
    case 0x1F: // Turkish
    case 0x2C: // Azeri (Latin)
    case 0x43: // Uzbek (Latin)
        return 1254;
    case 0x0D: // Hebrew
        return 1255;
    case 0x01: // Arabic
    case 0x20: // Urdu
    case 0x29: // Persian
        return 1256;
    case 0x25: // Estonian
    case 0x26: // Latvian
    case 0x27: // Lithuanian
        return 1257;
    case 0x2A: // Vietnamese
        return 1258;
    case 0x1E: // Thai
        return 874;
    case 0x11: // Japanese
        return 932;
    case 0x12: // Korean
        return 949;
    default:
        return WesternCodePage;
    }
}

QByteArray codecName(int codePage)
{
    switch (codePage) {
    case 932:
        return "Shift_JIS";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "Big5";
    default:
        return "windows-" + QByteArray::number(codePage);
    }
}

} // namespace

quint16 LanguageIdForLocale(const QLocale& locale)
{
    for (const LocaleLanguageId& row : LanguageIds) {
        if (matches(row, locale))
            return row.id;
    }
    return UnitedStatesEnglish;
}

quint16 SystemLanguageId()
{
    return LanguageIdForLocale(QLocale::system());
}

QString LanguageIdText(quint16 languageId)
{
    return QStringLiteral("0x") +
           QString::number(languageId, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

int AnsiCodePageNumber(quint16 languageId)
{
    if (const int codePage = sublanguageCodePage(languageId))
        return codePage;
    return primaryLanguageCodePage(languageId & 0x3FF);
}

QTextCodec* AnsiCodePage(quint16 languageId)
{
    if (QTextCodec* codec = QTextCodec::codecForName(codecName(AnsiCodePageNumber(languageId))))
        return codec;
    return QTextCodec::codecForName(codecName(WesternCodePage));
}
