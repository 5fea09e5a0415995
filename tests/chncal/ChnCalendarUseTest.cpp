#include "chncal/ChnCalendarUse.h"

#include "chncal/CnCalendar.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

using namespace ChnCalendarUse;

namespace {

// Field 7 of every era row, in table order.
const char* const kEraNames = "禹、启、太康、仲康、相、后羿、寒浞、少康、杼、槐、"
                             "芒、泄、不降、扃、廑、孔甲、皋、发、桀、商汤、"
                             "商代王、外丙、仲壬、太甲、沃丁、太庚、小甲、雍己、"
                             "太戊、仲丁、外壬、河亶甲、祖乙、祖辛、沃甲、祖丁、"
                             "南庚、阳甲、盘庚、小辛、小乙、武丁、祖庚、祖甲、"
                             "廪辛、庚丁、武乙、文丁、帝乙、帝辛、武王、成王、"
                             "康王、昭王、穆王、共王、懿王、孝王、夷王、厉王、"
                             "共和、宣王、幽王、平王、桓王、庄王、釐王、惠王、"
                             "襄王、顷王、匡王、定王、简王、灵王、景王、悼王、"
                             "敬王、元王、贞定王、哀王-思王、考王、威烈王、安王、"
                             "烈王、显王、慎靓王、赧王、昭襄王、孝文王、庄襄王、"
                             "嬴政、始皇、二世、高帝、惠帝、高后、文帝、后元、"
                             "景帝、中元、后元、建元、元光、元朔、元狩、元鼎、"
                             "元封、太初、天汉、太始、征和、后元、始元、元凤、"
                             "元平、本始、地节、元康、神爵、五凤、甘露、黄龙、"
                             "初元、永光、建昭、竟宁、建始、河平、阳朔、鸿嘉、"
                             "永始、元延、绥和、建平、元寿、元始、居摄、初始、"
                             "始建国、天凤、地皇、更始、建武、建武中元、永平、"
                             "建初、元和、章和、永元、元兴、延平、永初、元初、"
                             "永宁、建光、延光、永建、阳嘉、永和、汉安、建康、"
                             "永嘉、本初、建和、和平、元嘉、永兴、永寿、延熹、"
                             "永康、建宁、熹平、光和、中平、初平、兴平、建安、"
                             "黄初、太和、青龙、景初、正始、嘉平、正元、甘露、"
                             "景元、咸熙、泰始、咸宁、太康、太熙、永康、永宁、"
                             "太安、永安、光熙、永嘉、建兴、建武、大兴、永昌、"
                             "太宁、咸和、咸康、建元、永和、升平、隆和、兴宁、"
                             "太和、咸安、甯康、太元、隆安、元兴、义熙、元熙、"
                             "永初、景平、元嘉、孝建、大明、永光、景和、泰始、"
                             "泰豫、元徽、升明、建元、永明、隆昌、延兴、建武、"
                             "永泰、中兴、中兴、天监、普通、大通、中大通、大同、"
                             "中大同、太清、大宝、天正、承圣、天成、绍泰、太平、"
                             "太平、天嘉、天康、光大、太建、至德、祯明、大定、"
                             "天保、广运、登国、皇始、天兴、天赐、永兴、神瑞、"
                             "泰常、始光、神麚、延和、太延、太平真君、正平、承平、"
                             "兴安、兴光、太安、和平、天安、皇兴、延兴、承明、"
                             "太和、景明、正始、永平、延昌、熙平、神龟、正光、"
                             "孝昌、武泰、建义、永安、建明、普泰、中兴、太昌、"
                             "永兴、永熙、天平、元象、兴和、武定、大统、大统、"
                             "大统、天保、乾明、皇建、太宁、河清、天统、武平、"
                             "隆化、德昌、承光、空、空、武成、保定、天和、建德、"
                             "宣政、大成、大象、大定、开皇、仁寿、大业、义宁、"
                             "武德、贞观、永徽、显庆、龙朔、麟德、乾封、总章、"
                             "咸亨、上元、仪凤、调露、永隆、开耀、永淳、弘道、"
                             "嗣圣、文明、光宅、垂拱、永昌、载初、天授、如意、"
                             "长寿、延载、证圣、天册万岁、万岁登封、万岁通天、"
                             "神功、圣历、久视、大足、长安、神龙、神龙、景龙、"
                             "唐隆、景云、太极、延和、先天、开元、天宝、至德、"
                             "乾元、上元、宝应、广德、永泰、大历、建中、兴元、"
                             "贞元、永贞、元和、长庆、宝历、大和、开成、会昌、"
                             "大中、咸通、乾符、广明、中和、光启、文德、龙纪、"
                             "大顺、景福、乾宁、光化、天复、天佑、天佑、开平、"
                             "乾化、凤历、乾化、贞明、龙德、同光、天成、长兴、"
                             "应顺、清泰、天福、天福、开运、天福、乾祐、乾祐、"
                             "广顺、显德、显德、显德、建隆、乾德、开宝、太平兴国、"
                             "雍熙、端拱、淳化、至道、咸平、景德、大中祥符、天禧、"
                             "乾兴、天圣、明道、景祐、宝元、康定、庆历、皇祐、"
                             "至和、嘉祐、治平、熙宁、元丰、元祐、绍圣、元符、"
                             "建中靖国、崇宁、大观、政和、重和、宣和、靖康、建炎、"
                             "绍兴、隆兴、乾道、淳熙、绍熙、庆元、嘉泰、开禧、"
                             "嘉定、宝庆、绍定、端平、嘉熙、淳祐、寶祐、开庆、"
                             "景定、咸淳、德祐、景炎、祥兴、至元、元贞、大德、"
                             "至大、皇庆、延祐、至治、泰定、至和、天顺、天历、"
                             "至顺、元统、至元、至正、洪武、建文、永乐、洪熙、"
                             "宣德、正统、景泰、天顺、成化、弘治、正德、嘉靖、"
                             "隆庆、万历、泰昌、天启、崇祯、顺治、康熙、雍正、"
                             "乾隆、嘉庆、道光、咸丰、同治、光绪、宣统、民国、"
                             "公历";

std::vector<std::string> split(const std::string& text, const std::string& sep) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(sep, start)) != std::string::npos;
         start = end + sep.size()) {
        parts.push_back(text.substr(start, end - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

} // namespace

TEST(EraTable, HasTheListedRowsInOrder) {
    const std::vector<std::string> names = split(kEraNames, "、");
    ASSERT_EQ(names.size(), 529u);
    ASSERT_EQ(EraTable.size(), 529u);
    int nonZeroOffsets = 0;
    for (std::size_t i = 0; i < EraTable.size(); ++i) {
        const std::string row(EraTable[i]);
        SCOPED_TRACE(row);
        ASSERT_EQ(split(row, ",").size(), 7u);
        EXPECT_EQ(ListField(row, ",", 7), names[i]);
        for (int numeric : {1, 2, 3}) {
            const std::string field = ListField(row, ",", numeric);
            EXPECT_EQ(std::to_string(std::stoi(field)), field);
        }
        EXPECT_GT(std::stoi(ListField(row, ",", 2)), 0);
        EXPECT_FALSE(ListField(row, ",", 4).empty());
        nonZeroOffsets += ListField(row, ",", 3) != "0";
    }
    EXPECT_EQ(EraTable.front(), "-2069,45,0,夏,禹,,禹");
    EXPECT_EQ(EraTable[1], "-2024,10,0,夏,启,,启");
    EXPECT_EQ(EraTable[222], "465,1,0,南朝/宋,废帝,刘子业,永光");
    EXPECT_EQ(EraTable[224], "465,7,0,南朝/宋,明帝,刘彧,泰始");
    EXPECT_EQ(EraTable[255], "587,3,0,南朝/陈,后主,陈叔宝,祯明");
    EXPECT_EQ(EraTable[256], "555,8,0,南朝/后梁,宣帝,萧詧,大定");
    EXPECT_EQ(EraTable[484], "1278,2,0,南宋,帝昺,赵昺,祥兴");
    EXPECT_EQ(EraTable[485], "1271,24,7,元,世祖,孛儿只斤·忽必烈,至元");
    EXPECT_EQ(EraTable[526], "1909,3,0,清,,爱新觉罗溥仪,宣统");
    EXPECT_EQ(EraTable[527], "1912,37,0,近、现代,中华民国,,民国");
    EXPECT_EQ(EraTable[528], "1949,9999,1948,当代,中国,,公历");
    EXPECT_LT(nonZeroOffsets, 12); // continuing era names are the exception
}

TEST(EraText, ExamplesCountingFromTheEraFirstYear) {
    struct Case {
        int year;
        const char* text;
    };
    for (const Case& c : std::vector<Case>{
             {1644, "[清]世祖 爱新觉罗福临 顺治元年"},
             {1909, "[清] 爱新觉罗溥仪 宣统元年"},
             {1911, "[清] 爱新觉罗溥仪 宣统3年"},
             {1912, "[近、现代]中华民国  民国元年"},
             {1948, "[近、现代]中华民国  民国37年"},
             {1279, "[元]世祖 孛儿只斤·忽必烈 至元16年"},
             // The 元 rows start before 祥兴 (1278): from 1278 the years are 元's.
             {1277, "[南宋]端宗 赵昰 景炎2年"},
             {1278, "[元]世祖 孛儿只斤·忽必烈 至元15年"},
             {-2069, "[夏]禹  禹元年"},
             {-2025, "[夏]禹  禹45年"},
             // Several eras begin in 465: the last of them owns the year.
             {465, "[南朝/宋]明帝 刘彧 泰始元年"},
             // 祯明 is followed by the rows of 后梁 and the north: its years fall to 隋.
             {587, "[隋]文帝 杨坚 开皇7年"},
             // 梁, 东魏 and 西魏 all reigned in 545; the southern run comes first in the table.
             {545, "[南朝/梁]武帝 萧衍 大同11年"},
             {-1, "[西汉]哀帝 刘欣 元寿2年"},
             {1, "[西汉]平帝 刘衎 元始元年"},
             {947, "[五代/后汉]高祖 刘知远 天福12年"},
             {1949, ""},
             {2024, ""},
             {-2070, ""}}) {
        EXPECT_EQ(EraTextOf(c.year), c.text) << c.year;
    }
}

TEST(ListField, SplitsTrimsAndCountsEmptyFields) {
    struct Case {
        const char* text;
        const char* sep;
        int n;
        const char* field;
    };
    for (const Case& c : std::vector<Case>{{"a,b,c", ",", 2, "b"},
                                           {"a,b,c", ",", 3, "c"},
                                           {" a , b ", ",", 1, "a"},
                                           {" a , b ", ",", 2, "b"},
                                           {"a,,c", ",", 2, ""},
                                           {"a,,c", ",", 3, "c"},
                                           {"a,b", ",", 3, ""},
                                           {"a,b,", ",", 3, ""},
                                           {"a,b,", ",", 4, ""},
                                           {"", ",", 1, ""},
                                           {"a,b", ",", 0, ""},
                                           {"x::y::z", "::", 2, "y"},
                                           {" whole ", "", 1, "whole"}}) {
        EXPECT_EQ(ListField(c.text, c.sep, c.n), c.field) << "'" << c.text << "' field " << c.n;
    }
}

TEST(Festivals, GregorianLunarAndTerms) {
    struct Solar {
        int y, m, d;
        const char* text;
    };
    for (const Solar& c : std::vector<Solar>{{2024, 5, 12, "母亲节"},
                                             {2024, 5, 5, ""},
                                             {2024, 5, 19, ""},
                                             {2024, 6, 16, "父亲节"},
                                             {2024, 6, 9, ""},
                                             {2024, 11, 28, "感恩节"},
                                             {2024, 11, 21, ""},
                                             {2024, 10, 1, "国庆节"},
                                             {2024, 2, 14, "情人节"},
                                             {2024, 13, 1, ""}}) {
        EXPECT_EQ(SolarFestivalName(c.y, c.m, c.d), c.text) << c.y << "-" << c.m << "-" << c.d;
    }
    EXPECT_EQ(SolarTermOfDate(2024, 1, 20), "大寒");
    EXPECT_EQ(SolarTermOfDate(2024, 12, 21), "冬至");
    EXPECT_EQ(SolarTermOfDate(2024, 12, 20), "");
    EXPECT_EQ(SolarTermOfDate(2024, 0, 6), "");

    EXPECT_EQ(LunarFestivalName(12, 29, 2025, 1, 28), "除夕"); // a 29-day twelfth month
    EXPECT_EQ(LunarFestivalName(12, 8, 2024, 1, 18), "腊八节");
    // A day of a leap month keeps the festival of its number.
    for (int month : {5, 7}) {
        const int year = month == 5 ? 2009 : 2006;
        int y = 0, m = 0, d = 0;
        ASSERT_TRUE(CnCalendar::LunarToSolar(year, month, month, true, y, m, d)) << year;
        ChineseDateTexts cal;
        cal.Calculate(y, m, d);
        EXPECT_TRUE(cal.LunarLeap());
        EXPECT_EQ(cal.LunarFestivalText(), month == 5 ? "端午节" : "七夕节");
    }
}

TEST(Festivals, EveryDayOfAYearHasItsGregorianFestivalOrNone) {
    const std::map<std::pair<int, int>, std::string> festivals = {
        {{1, 1}, "元旦节"},   {{2, 14}, "情人节"}, {{3, 8}, "妇女节"},   {{4, 1}, "愚人节"},
        {{5, 1}, "劳动节"},   {{5, 4}, "青年节"},  {{5, 14}, "母亲节"},  {{6, 1}, "儿童节"},
        {{6, 18}, "父亲节"},  {{7, 1}, "建党节"},  {{8, 1}, "建军节"},   {{9, 10}, "教师节"},
        {{10, 1}, "国庆节"},  {{10, 6}, "老人节"}, {{10, 31}, "万圣节"}, {{11, 8}, "记者日"},
        {{11, 23}, "感恩节"}, {{12, 25}, "圣诞节"}};
    for (int m = 1; m <= 12; ++m) {
        for (int d = 1; d <= CnCalendar::DaysInMonthOf(2023, m); ++d) {
            const auto found = festivals.find({m, d});
            EXPECT_EQ(SolarFestivalName(2023, m, d), found == festivals.end() ? "" : found->second)
                << "2023-" << m << "-" << d;
        }
    }
}

TEST(Festivals, LanternMidAutumnAndDoubleNinthFallOnTheirDaysOfAYear) {
    std::vector<std::string> found;
    for (int m = 1; m <= 12; ++m) {
        for (int d = 1; d <= CnCalendar::DaysInMonthOf(2024, m); ++d) {
            CnCalendar::LunarDate lunar;
            ASSERT_TRUE(CnCalendar::SolarToLunar(2024, m, d, lunar));
            const std::string name = LunarFestivalName(lunar.Month, lunar.Day, 2024, m, d);
            if (name == "元宵节" || name == "中秋节" || name == "重阳节") {
                found.push_back(std::to_string(m * 100 + d) + name);
            }
        }
    }
    EXPECT_EQ(found, (std::vector<std::string>{"224元宵节", "917中秋节", "1011重阳节"}));
}

TEST(ChineseDateTexts, TextsOfADate) {
    ChineseDateTexts cal;
    cal.Calculate(2024, 2, 10);
    EXPECT_EQ(cal.LunarMonthText(), "正月");
    EXPECT_EQ(cal.LunarDayText(), "初一");
    EXPECT_EQ(cal.LunarFestivalText(), "春节");
    EXPECT_EQ(cal.AnimalText(), "龙");
    EXPECT_EQ(cal.YearCycleText(), "甲辰");
    EXPECT_EQ(cal.MonthCycleText(), "丙寅");
    EXPECT_EQ(cal.LunarYearText(), "2024");
    EXPECT_EQ(cal.StarSignText(), "宝瓶");
    EXPECT_EQ(cal.EraText(), "");

    cal.Calculate(2024, 2, 9);
    EXPECT_EQ(cal.LunarFestivalText(), "除夕");
    EXPECT_EQ(cal.LunarMonthText(), "腊月");
    EXPECT_EQ(cal.LunarDayText(), "三十");
    EXPECT_EQ(cal.AnimalText(), "兔");
    cal.Calculate(2024, 2, 8);
    EXPECT_EQ(cal.LunarFestivalText(), "");

    cal.Calculate(2023, 3, 22);
    EXPECT_EQ(cal.LunarMonthText(), "闰二");
    EXPECT_EQ(cal.LunarDayText(), "初一");
    cal.Calculate(2033, 12, 22);
    EXPECT_EQ(cal.LunarMonthText(), "闰冬");

    cal.Calculate(2024, 1, 6);
    EXPECT_EQ(cal.SolarTermText(), "小寒");
    EXPECT_EQ(cal.LunarMonthText(), "冬月");
    cal.Calculate(2024, 2, 4);
    EXPECT_EQ(cal.SolarTermText(), "立春");

    cal.Calculate(1949, 10, 1);
    EXPECT_EQ(cal.EraText(), "");
    EXPECT_EQ(cal.SolarFestivalText(), "国庆节");
    cal.Calculate(1948, 6, 1);
    EXPECT_EQ(cal.EraText(), "[近、现代]中华民国  民国37年");
    EXPECT_EQ(cal.SolarFestivalText(), "儿童节");
}

TEST(ChineseDateTexts, OutOfRangeDatesLeaveEveryText) {
    ChineseDateTexts cal;
    cal.Calculate(2024, 2, 10);
    const ChineseDateTexts before = cal;
    for (const auto& [y, m, d] : std::vector<std::tuple<int, int, int>>{
             {2101, 1, 1}, {-850, 6, 1}, {2024, 13, 1}, {2024, 2, 30}}) {
        cal.Calculate(y, m, d);
        EXPECT_EQ(cal.Date().Year * 10000 + cal.Date().Month * 100 + cal.Date().Day,
                  y * 10000 + m * 100 + d);
        for (auto text : {&ChineseDateTexts::SolarTermText, &ChineseDateTexts::SolarFestivalText,
                          &ChineseDateTexts::LunarMonthText, &ChineseDateTexts::DayCycleText,
                          &ChineseDateTexts::YearCycleText, &ChineseDateTexts::MonthCycleText,
                          &ChineseDateTexts::LunarFestivalText, &ChineseDateTexts::LunarYearText,
                          &ChineseDateTexts::LunarDayText, &ChineseDateTexts::AnimalText,
                          &ChineseDateTexts::StarSignText, &ChineseDateTexts::EraText}) {
            EXPECT_EQ((cal.*text)(), (before.*text)());
        }
        EXPECT_EQ(cal.LunarYear(), 2024);
        EXPECT_EQ(cal.LunarMonth(), 1);
    }
}

TEST(ChineseDateTexts, LunarYearCycleGoesWithTheAnimalTheYearPillarWithSpring) {
    ChineseDateTexts cal;
    cal.Calculate(2026, 2, 14); // after 立春 (02-04), before the lunar New Year (02-17)
    EXPECT_EQ(cal.YearCycleText(), "丙午");
    EXPECT_EQ(cal.LunarYearCycleText() + cal.AnimalText(), "乙巳蛇");
    cal.Calculate(2026, 2, 17);
    EXPECT_EQ(cal.LunarYearCycleText() + cal.AnimalText(), "丙午马");
}

TEST(ChineseDateTexts, HistoricalDatesFollowThePublishedMonths) {
    ChineseDateTexts cal;
    cal.Calculate(1368, 1, 23);
    EXPECT_EQ(cal.LunarYearText(), "1368");
    EXPECT_EQ(cal.LunarMonthText() + cal.LunarDayText(), "正月初四");
    EXPECT_EQ(cal.AnimalText(), "猴");
    EXPECT_EQ(cal.EraText(), "[明]太祖 朱元璋 洪武元年");
    cal.Calculate(1368, 8, 14);
    EXPECT_EQ(cal.LunarMonthText() + cal.LunarDayText(), "闰七初一");
    cal.Calculate(1368, 1, 19); // the day before the New Year of 1368
    EXPECT_EQ(cal.LunarFestivalText(), "除夕");
    EXPECT_EQ(cal.AnimalText(), "羊");
    cal.Calculate(1368, 2, 3);
    EXPECT_EQ(cal.LunarFestivalText(), "元宵节");
    cal.Calculate(1, 1, 1);
    EXPECT_EQ(cal.LunarMonthText() + cal.LunarDayText(), "冬月十八");
}

TEST(ChineseDateTexts, TextsFollowTheirOwnBoundariesNotTheLunarYear) {
    // 1912-01-01 lies in lunar 1911 like the day before it, but its era is the Republic's;
    // 立春 1912 (02-05) changes the year cycle before the lunar New Year (02-18).
    ChineseDateTexts cal;
    cal.Calculate(1911, 12, 31);
    EXPECT_EQ(cal.EraText(), "[清] 爱新觉罗溥仪 宣统3年");
    cal.Calculate(1912, 1, 1);
    EXPECT_EQ(cal.LunarYear(), 1911);
    EXPECT_EQ(cal.EraText(), "[近、现代]中华民国  民国元年");
    cal.Calculate(1912, 2, 4);
    EXPECT_EQ(cal.YearCycleText(), "辛亥");
    cal.Calculate(1912, 2, 5);
    EXPECT_EQ(cal.LunarYear(), 1911);
    EXPECT_EQ(cal.YearCycleText(), "壬子");
    EXPECT_EQ(cal.AnimalText(), "猪");
}

TEST(ChineseDateTexts, SkippedDaysOf1582KeepTheirLunarMonthButHaveNoLunarDay) {
    ChineseDateTexts cal;
    cal.Calculate(1582, 10, 4);
    ASSERT_FALSE(cal.LunarDayText().empty());
    for (int day : {5, 6, 14}) {
        cal.Calculate(2024, 2, 10); // texts of another year and month first
        cal.Calculate(1582, 10, day);
        EXPECT_EQ(cal.LunarDayText(), "") << day;
        EXPECT_EQ(cal.LunarMonthText(), "九月") << day;
        EXPECT_EQ(cal.LunarYearText(), "1582") << day;
        EXPECT_EQ(cal.AnimalText(), "马") << day;
        EXPECT_EQ(cal.LunarFestivalText(), "") << day;
        EXPECT_EQ(cal.DayCycleText(), "") << day;
    }
    cal.Calculate(1582, 10, 6);
    EXPECT_EQ(cal.SolarFestivalText(), "老人节");
    EXPECT_EQ(cal.EraText(), "[明]神宗 朱翊钧 万历10年");
}
