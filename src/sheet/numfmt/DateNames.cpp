// Month and day names of the locales workbooks name in their date formats.
#include "sheet/numfmt/DateNames.h"

#include <charconv>
#include <cstddef>

#include "sheet/numfmt/LocaleId.h"

namespace quorvex::sheet::numfmt {
namespace {

// The names are those of the Windows locale data the application formats dates with
// (LOCALE_SMONTHNAME, LOCALE_SABBREVMONTHNAME, LOCALE_SDAYNAME, LOCALE_SABBREVDAYNAME): short
// forms without CLDR's trailing dots ("ene", not "ene."), German "Mrz", Russian months
// capitalised, Japanese and Korean short months as bare numbers. Where that data is known to
// have changed or disagrees with itself, the CLDR form stands instead, marked "CLDR"; each
// table is one place to change when a workbook shows otherwise.

constexpr DateNames kEnglish = {
    {"January", "February", "March", "April", "May", "June", "July", "August", "September", "October",
     "November", "December"},
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
    {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
    {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
};

constexpr DateNames kFrench = {
    {"janvier", "février", "mars", "avril", "mai", "juin", "juillet", "août", "septembre", "octobre",
     "novembre", "décembre"},
    {"janv.", "févr.", "mars", "avr.", "mai", "juin", "juil.", "août", "sept.", "oct.", "nov.", "déc."},
    {"dimanche", "lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi"},
    {"dim.", "lun.", "mar.", "mer.", "jeu.", "ven.", "sam."},
};

constexpr DateNames kGerman = {
    {"Januar", "Februar", "März", "April", "Mai", "Juni", "Juli", "August", "September", "Oktober",
     "November", "Dezember"},
    {"Jan", "Feb", "Mrz", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"},
    {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"},
    {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"},
};

constexpr DateNames kSpanish = {
    {"enero", "febrero", "marzo", "abril", "mayo", "junio", "julio", "agosto", "septiembre", "octubre",
     "noviembre", "diciembre"},
    {"ene", "feb", "mar", "abr", "may", "jun", "jul", "ago", "sep", "oct", "nov", "dic"},
    {"domingo", "lunes", "martes", "miércoles", "jueves", "viernes", "sábado"},
    {"dom", "lun", "mar", "mié", "jue", "vie", "sáb"},
};

constexpr DateNames kItalian = {
    {"gennaio", "febbraio", "marzo", "aprile", "maggio", "giugno", "luglio", "agosto", "settembre", "ottobre",
     "novembre", "dicembre"},
    {"gen", "feb", "mar", "apr", "mag", "giu", "lug", "ago", "set", "ott", "nov", "dic"},
    {"domenica", "lunedì", "martedì", "mercoledì", "giovedì", "venerdì", "sabato"},
    {"dom", "lun", "mar", "mer", "gio", "ven", "sab"},
};

// Brazil and Portugal; Portugal's months in lower case since the spelling reform (the older
// data capitalised them: "Janeiro", "Jan").
constexpr DateNames kPortuguese = {
    {"janeiro", "fevereiro", "março", "abril", "maio", "junho", "julho", "agosto", "setembro", "outubro",
     "novembro", "dezembro"},
    {"jan", "fev", "mar", "abr", "mai", "jun", "jul", "ago", "set", "out", "nov", "dez"},
    {"domingo", "segunda-feira", "terça-feira", "quarta-feira", "quinta-feira", "sexta-feira", "sábado"},
    {"dom", "seg", "ter", "qua", "qui", "sex", "sáb"},
};

constexpr DateNames kDutch = {
    {"januari", "februari", "maart", "april", "mei", "juni", "juli", "augustus", "september", "oktober",
     "november", "december"},
    {"jan", "feb", "mrt", "apr", "mei", "jun", "jul", "aug", "sep", "okt", "nov", "dec"},
    {"zondag", "maandag", "dinsdag", "woensdag", "donderdag", "vrijdag", "zaterdag"},
    {"zo", "ma", "di", "wo", "do", "vr", "za"},
};

constexpr DateNames kSwedish = {
    {"januari", "februari", "mars", "april", "maj", "juni", "juli", "augusti", "september", "oktober",
     "november", "december"},
    {"jan", "feb", "mar", "apr", "maj", "jun", "jul", "aug", "sep", "okt", "nov", "dec"},
    {"söndag", "måndag", "tisdag", "onsdag", "torsdag", "fredag", "lördag"},
    {"sö", "må", "ti", "on", "to", "fr", "lö"},
};

constexpr DateNames kDanish = {
    {"januar", "februar", "marts", "april", "maj", "juni", "juli", "august", "september", "oktober",
     "november", "december"},
    {"jan", "feb", "mar", "apr", "maj", "jun", "jul", "aug", "sep", "okt", "nov", "dec"},
    {"søndag", "mandag", "tirsdag", "onsdag", "torsdag", "fredag", "lørdag"},
    {"sø", "ma", "ti", "on", "to", "fr", "lø"},
};

constexpr DateNames kNorwegian = {
    {"januar", "februar", "mars", "april", "mai", "juni", "juli", "august", "september", "oktober",
     "november", "desember"},
    {"jan", "feb", "mar", "apr", "mai", "jun", "jul", "aug", "sep", "okt", "nov", "des"},
    {"søndag", "mandag", "tirsdag", "onsdag", "torsdag", "fredag", "lørdag"},
    {"sø", "ma", "ti", "on", "to", "fr", "lø"},
};

constexpr DateNames kFinnish = {
    {"tammikuu", "helmikuu", "maaliskuu", "huhtikuu", "toukokuu", "kesäkuu", "heinäkuu", "elokuu", "syyskuu",
     "lokakuu", "marraskuu", "joulukuu"},
    {"tammi", "helmi", "maalis", "huhti", "touko", "kesä", "heinä", "elo", "syys", "loka", "marras", "joulu"},
    {"sunnuntai", "maanantai", "tiistai", "keskiviikko", "torstai", "perjantai", "lauantai"},
    {"su", "ma", "ti", "ke", "to", "pe", "la"},
};

// Months in the nominative, as "mmmm" shows them whatever stands around it. Short days: CLDR
// (the older data mixed "Pn", "śr" and "N").
constexpr DateNames kPolish = {
    {"styczeń", "luty", "marzec", "kwiecień", "maj", "czerwiec", "lipiec", "sierpień", "wrzesień",
     "październik", "listopad", "grudzień"},
    {"sty", "lut", "mar", "kwi", "maj", "cze", "lip", "sie", "wrz", "paź", "lis", "gru"},
    {"niedziela", "poniedziałek", "wtorek", "środa", "czwartek", "piątek", "sobota"},
    {"niedz.", "pon.", "wt.", "śr.", "czw.", "pt.", "sob."},
};

// Short months: CLDR (the older data used Roman numerals, "I" to "XII").
constexpr DateNames kCzech = {
    {"leden", "únor", "březen", "duben", "květen", "červen", "červenec", "srpen", "září", "říjen", "listopad",
     "prosinec"},
    {"led", "úno", "bře", "dub", "kvě", "čvn", "čvc", "srp", "zář", "říj", "lis", "pro"},
    {"neděle", "pondělí", "úterý", "středa", "čtvrtek", "pátek", "sobota"},
    {"ne", "po", "út", "st", "čt", "pá", "so"},
};

constexpr DateNames kRussian = {
    {"Январь", "Февраль", "Март", "Апрель", "Май", "Июнь", "Июль", "Август", "Сентябрь", "Октябрь", "Ноябрь",
     "Декабрь"},
    {"янв", "фев", "мар", "апр", "май", "июн", "июл", "авг", "сен", "окт", "ноя", "дек"},
    {"воскресенье", "понедельник", "вторник", "среда", "четверг", "пятница", "суббота"},
    {"Вс", "Пн", "Вт", "Ср", "Чт", "Пт", "Сб"},
};

constexpr DateNames kTurkish = {
    {"Ocak", "Şubat", "Mart", "Nisan", "Mayıs", "Haziran", "Temmuz", "Ağustos", "Eylül", "Ekim", "Kasım",
     "Aralık"},
    {"Oca", "Şub", "Mar", "Nis", "May", "Haz", "Tem", "Ağu", "Eyl", "Eki", "Kas", "Ara"},
    {"Pazar", "Pazartesi", "Salı", "Çarşamba", "Perşembe", "Cuma", "Cumartesi"},
    {"Paz", "Pzt", "Sal", "Çar", "Per", "Cum", "Cmt"},
};

constexpr DateNames kJapanese = {
    {"1月", "2月", "3月", "4月", "5月", "6月", "7月", "8月", "9月", "10月", "11月", "12月"},
    {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"},
    {"日曜日", "月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日"},
    {"日", "月", "火", "水", "木", "金", "土"},
};

// Short months and short days: CLDR, as newer data has them (the older repeated the long forms).
constexpr DateNames kChineseSimplified = {
    {"一月", "二月", "三月", "四月", "五月", "六月", "七月", "八月", "九月", "十月", "十一月", "十二月"},
    {"1月", "2月", "3月", "4月", "5月", "6月", "7月", "8月", "9月", "10月", "11月", "12月"},
    {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"},
    {"周日", "周一", "周二", "周三", "周四", "周五", "周六"},
};

constexpr DateNames kChineseTraditional = {
    {"一月", "二月", "三月", "四月", "五月", "六月", "七月", "八月", "九月", "十月", "十一月", "十二月"},
    {"1月", "2月", "3月", "4月", "5月", "6月", "7月", "8月", "9月", "10月", "11月", "12月"},
    {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"},
    {"週日", "週一", "週二", "週三", "週四", "週五", "週六"},
};

constexpr DateNames kKorean = {
    {"1월", "2월", "3월", "4월", "5월", "6월", "7월", "8월", "9월", "10월", "11월", "12월"},
    {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"},
    {"일요일", "월요일", "화요일", "수요일", "목요일", "금요일", "토요일"},
    {"일", "월", "화", "수", "목", "금", "토"},
};

struct LocaleRow {
  std::uint32_t lcid;
  std::string_view tag;
  const DateNames* names;
};

// The first row of a language stands for the locales of that language not listed.
constexpr LocaleRow kLocales[] = {
    {0x0409, "en-US", &kEnglish},
    {0x0809, "en-GB", &kEnglish},
    {0x040C, "fr-FR", &kFrench},
    {0x0407, "de-DE", &kGerman},
    {0x0C0A, "es-ES", &kSpanish},
    {0x040A, "es-ES", &kSpanish},
    {0x0410, "it-IT", &kItalian},
    {0x0416, "pt-BR", &kPortuguese},
    {0x0816, "pt-PT", &kPortuguese},
    {0x0413, "nl-NL", &kDutch},
    {0x041D, "sv-SE", &kSwedish},
    {0x0406, "da-DK", &kDanish},
    {0x0414, "nb-NO", &kNorwegian},
    {0x040B, "fi-FI", &kFinnish},
    {0x0415, "pl-PL", &kPolish},
    {0x0405, "cs-CZ", &kCzech},
    {0x0419, "ru-RU", &kRussian},
    {0x041F, "tr-TR", &kTurkish},
    {0x0411, "ja-JP", &kJapanese},
    {0x0804, "zh-CN", &kChineseSimplified},
    {0x0404, "zh-TW", &kChineseTraditional},
    {0x0412, "ko-KR", &kKorean},
};

// The locale id in a tag's number; the bytes above it choose calendars and numerals.
constexpr std::uint32_t kLcidMask = 0xFFFF;

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

std::string_view Language(std::string_view tag) {
  return tag.substr(0, tag.find('-'));
}

}  // namespace

const DateNames& EnglishDateNames() {
  return kEnglish;
}

std::uint32_t LcidOfTag(std::string_view locale) {
  std::uint32_t number = 0;
  const char* end = locale.data() + locale.size();
  const auto [stop, ec] = std::from_chars(locale.data(), end, number, 16);
  if (!locale.empty() && ec == std::errc() && stop == end) return number & kLcidMask;
  for (const LocaleRow& row : kLocales) {
    if (EqualNoCase(row.tag, locale)) return row.lcid;
  }
  for (const LocaleRow& row : kLocales) {
    if (EqualNoCase(Language(row.tag), Language(locale))) return LanguageOf(row.lcid);
  }
  return 0;
}

const DateNames& DateNamesForLcid(std::uint32_t lcid) {
  for (const LocaleRow& row : kLocales) {
    if (row.lcid == lcid) return *row.names;
  }
  for (const LocaleRow& row : kLocales) {
    if (LanguageOf(row.lcid) == LanguageOf(lcid)) return *row.names;
  }
  return kEnglish;
}

}  // namespace quorvex::sheet::numfmt
